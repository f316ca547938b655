// Movement and physics: pushing, the hit slide, state timing, jumps, knock-downs, landing and
// the view bounds.
#include "game/tform1.h"

namespace pelea {

void TForm1::mover(int /*n*/, int /*dx*/) {}

// 17. Per fighter: the hit slide, then the fighter's blow is resolved.
void TForm1::lutaGolpes() {
    for (int n = 1; n <= 2; ++n)
        resolveGolpe(n);
}

void TForm1::cicloEstado(int /*n*/) {}

void TForm1::fisica(int /*n*/) {}

// 19. State timing, blocking again, landing, jumps, knock-back and view bounds.
void TForm1::lutaFisica() {}

}  // namespace pelea
