// Joining a match again. A player whose game ended before the match did (a closed window, a
// crash, a network gone past the drop time) runs --join again within the host's wait (60 s
// unless --rejoin-wait says otherwise). The host, which stands still meanwhile with a notice,
// welcomes it with the frames it has confirmed and feeds them as it feeds a spectator; the
// newcomer runs them blind and mute in its own session, then plays on as fighter 2. Both sides'
// replays are the same on every frame they share.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "net/connection.h"
#include "net/session.h"

namespace net {

// A newcomer saying hello while the other player has been silent this long takes its place: a
// game that crashed is back before its silence reaches the drop time.
inline constexpr uint64_t kRejoinSilenceMs = 1000;

// The joiner's side, after a welcome that says the match stands at `frames`: takes the host's
// feed of the frames before it into the session (which has run none), saying what it holds as
// it goes. False with the problem when the host went away first.
bool catchUp(Session& session, Link& link, int64_t frames, std::string& error);

// The host's side: the turns' statuses pass through it. When the other player's game ends
// before the match does (it left, or was lost, or a newcomer came while it was silent), it
// says so (one stderr line), gives that player up and waits for one to join again, then hands
// the newcomer to the session and the match goes on.
class RejoinWait {
public:
    RejoinWait(Connection& connection, Session& session, uint64_t waitMs)
        : connection_(connection), session_(session), waitMs_(waitMs) {}

    // The turn's status as the match goes: the other lost or gone is Waiting while the wait
    // lasts (and once the player is back, the match goes on), the status itself once it is over
    // or when there is nothing to wait for.
    Session::Status after(Session::Status status);
    bool waiting() const { return since_.has_value(); }
    // The whole seconds left of the wait.
    int secondsLeft() const;

private:
    Connection& connection_;
    Session& session_;
    uint64_t waitMs_;
    std::optional<uint64_t> since_;
    bool over_ = false;  // the wait ran out: the match ends
};

}  // namespace net
