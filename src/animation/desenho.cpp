// Drawing the fighters: anchor, shadow, facing, animation, shake and spin.
#include "game/tform1.h"

namespace pelea {

// 12. Both fighters, the one in front last.
void TForm1::lutaDesenhaLutadores() {}

int TForm1::meio(int /*n*/) {
    return 0;
}

void TForm1::desenhalutador(int /*n*/) {}

}  // namespace pelea
