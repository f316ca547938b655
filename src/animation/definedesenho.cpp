// The animation tables: the frame, contact area and attack area of every state and cycle.
#include "game/tform1.h"

namespace pelea {

void TForm1::definedesenho(int /*n*/) {}

void TForm1::defineareacontato(int /*n*/, int /*desenho*/, int /*x1*/, int /*y1*/, int /*x2*/,
                               int /*y2*/) {}

void TForm1::defineareaataque(int /*n*/, int /*pos*/, int /*ciclo*/, int /*x1*/, int /*y1*/,
                              int /*x2*/, int /*y2*/, int /*ataque*/, int /*t*/, int /*f*/,
                              int /*fDefesa*/) {}

}  // namespace pelea
