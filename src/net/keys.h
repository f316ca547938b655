// What a key press means in a networked match.
#pragma once

#include <cstdint>

#include "net/wire.h"

namespace pelea {
struct GameState;
}

namespace net {

enum class KeyRole {
    Shared,   // changes the shared state: sent with the inputs, applied on both sides at one frame
    Local,    // the picture's nudges: this side only, at once
    Leave,    // leaves the match on both sides
    Ignored,  // not part of a networked match (the training keys)
};

KeyRole keyRole(int virtualKey);

// The joiner plays fighter 2 from the start, as a player who pressed the keys would: its first
// input (the session's frame 0) carries a credit, and each input it gives while fighter 2 is not
// a player, a credit is there and the screen takes joins carries the join key. They travel and
// are recorded like any key, so the rules of joining apply unchanged.
void addJoinKeys(int64_t frame, const pelea::GameState& g, FrameInput& input);

}  // namespace net
