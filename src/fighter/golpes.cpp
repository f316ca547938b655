// Strikes, contact and damage.
#include "game/tform1.h"

namespace pelea {

// Blows are resolved when strikes and damage land; until then an attack area touches nothing.
void TForm1::resolveGolpe(int /*n*/) {}

}  // namespace pelea
