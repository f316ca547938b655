// Sprite sheets: cutting a character's sheet into fighter n's frame lists.
#include "game/tform1.h"

namespace pelea {

void TForm1::carregar(const std::string& /*arquivo*/, int /*personagem*/, int /*n*/) {}

void TForm1::copiabmp(int /*item*/, int /*left*/, int /*top*/, int /*right*/, int /*bottom*/) {}

}  // namespace pelea
