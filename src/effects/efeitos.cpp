// The effect table: spawning into the first free slot.
#include "game/tform1.h"

namespace pelea {

// Effects come with their own table of kinds; until then a spawn finds nothing to act on.
void TForm1::criaefeito(int /*x*/, int /*y*/, int /*tipo*/, std::string_view /*variante*/,
                        int /*dono*/) {}

}  // namespace pelea
