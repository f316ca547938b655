// The action dispatcher: requests to a fighter, accepted or refused by its state.
#include "game/tform1.h"

namespace pelea {

// Fighters' states come with the fighters' motion; until then every request is refused.
void TForm1::acao(int /*n*/, int /*codigo*/) {}

}  // namespace pelea
