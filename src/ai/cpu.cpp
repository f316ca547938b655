// The computer opponent: a side that no person drives fights by itself.
#include "game/tform1.h"

namespace pelea {

void TForm1::cpu(int /*n*/) {}

// 10. Computer-driven fighters act unless the fight is paused, held or interrupted.
void TForm1::lutaCpu() {}

}  // namespace pelea
