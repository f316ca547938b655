// Block requests: holding back while the opponent attacks, or while a hostile effect is live.
#include "game/tform1.h"

namespace pelea {

void TForm1::pedidosDefesa(int /*n*/) {}

// 13. Block requests of both fighters.
void TForm1::lutaDefesas() {}

}  // namespace pelea
