// The line under a player's move list on the select screen that says which keys its "+S" (a
// punch) and "+C" (a kick) are: "+S = Z / C   +C = X / V" with fighter 1's default keys, the pad's
// buttons for a player on a pad.
#pragma once

#include <string>

#include "options/bindings.h"

namespace options {

// Light punch / heavy punch, then light kick / heavy kick.
std::string moveLegend(const Bindings& b, int fighter, bool pad);

}  // namespace options
