// What a key press means in a networked match.
#pragma once

namespace net {

enum class KeyRole {
    Shared,   // changes the shared state: sent with the inputs, applied on both sides at one frame
    Local,    // the picture's nudges: this side only, at once
    Leave,    // leaves the match on both sides
    Ignored,  // not part of a networked match (the training keys)
};

KeyRole keyRole(int virtualKey);

}  // namespace net
