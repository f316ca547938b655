// The move list under each choosing player's side of the select screen.
#include "game/tform1.h"

namespace pelea {

// The five commands of a character are listed once the characters' commands exist.
void TForm1::mostralista(int /*n*/) {}

}  // namespace pelea
