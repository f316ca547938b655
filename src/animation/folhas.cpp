// Sprite sheets: cutting a character's sheet into fighter n's frame lists.
#include "game/tform1.h"

namespace pelea {

// The sheets are cut when the fighters' animation lands; until then the frame lists stay empty
// and the fight shows the stage alone.
void TForm1::carregar(const std::string& /*arquivo*/, int /*personagem*/, int /*n*/) {}

}  // namespace pelea
