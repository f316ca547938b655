// The action dispatcher: requests to a fighter, accepted or refused by its state.
#include "game/tform1.h"

namespace pelea {

void TForm1::acao(int /*n*/, int /*codigo*/) {}

}  // namespace pelea
