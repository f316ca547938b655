// The configuration menu (F1 during a fight). The fight stays frozen behind it.
#include "game/tform1.h"

namespace pelea {

void TForm1::telaConfig() {}

}  // namespace pelea
