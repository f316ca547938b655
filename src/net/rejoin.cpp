#include "net/rejoin.h"

#include <cstdio>
#include <vector>

#include "net/spectate_feed.h"

namespace net {

namespace {

void complain(const std::string& message) {
    std::fprintf(stderr, "pelea: %s\n", message.c_str());
}

}  // namespace

bool catchUp(Session& session, Link& link, int64_t frames, std::string& error) {
    uint64_t heard = steadyMs();
    std::vector<uint8_t> bytes;
    while (session.frame() < frames) {
        bool any = false;
        while (link.receive(bytes)) {
            Message m;
            if (!decode(bytes, m)) continue;
            any = true;
            // The feed comes whole and in order on one reliable channel; the host's inputs
            // (already on their way for the frames after) are sent again until taken.
            const auto* feed = std::get_if<Feed>(&m);
            if (feed != nullptr && int64_t{feed->first} == session.frame()) {
                eachFrame(*feed, [&](const FrameInput& one, const FrameInput& two, bool) {
                    if (session.frame() < frames) session.runConfirmed(one, two);
                });
            } else if (std::holds_alternative<Quit>(m)) {
                error = "the host ended the match while this side caught up, at frame " +
                        std::to_string(session.frame());
                return false;
            }
        }
        const uint64_t now = steadyMs();
        if (any) {
            heard = now;
            link.send(Channel::Control, encode(FeedAck{static_cast<uint32_t>(session.frame())}));
        }
        if (link.lost() || now - heard > kSpectatorSilentMs) {
            error = "the host was lost while this side caught up, at frame " +
                    std::to_string(session.frame());
            return false;
        }
        link.pump(session.frame() < frames ? 1 : 0);
    }
    return true;
}

Session::Status RejoinWait::after(Session::Status status) {
    if (over_ || waitMs_ == 0) return status;
    const uint64_t now = steadyMs();
    if (!since_) {
        const bool gone =
            status == Session::Status::PeerLost || status == Session::Status::PeerQuit;
        const int64_t from = session_.confirmed();
        connection_.awaitRejoin(from);
        if (!gone) {
            if (session_.silenceMs() < kRejoinSilenceMs) {
                connection_.awaitRejoin(-1);
                return status;
            }
            connection_.serveNewcomers();
            if (!connection_.rejoining()) {
                connection_.awaitRejoin(-1);
                return status;
            }
        }
        // What the one gone gives from now on is not taken: the newcomer is fed the frames
        // confirmed now, and plays on from there.
        session_.dropPeer();
        since_ = now;
        complain("the other player's game ended at frame " + std::to_string(from) +
                 "; waiting up to " + std::to_string(waitMs_ / 1000) +
                 " s for them to join again");
        // A frame this turn ran stands: the wait shows from the next turn.
        if (status == Session::Status::Ran) return status;
    }
    connection_.serveNewcomers();
    if (connection_.takeRejoiner()) {
        session_.rejoin(*connection_.link);
        complain("the other player joined again after " + std::to_string(now - *since_) +
                 " ms: the match goes on from frame " + std::to_string(session_.confirmed()));
        since_.reset();
        return Session::Status::Waiting;
    }
    if (now - *since_ < waitMs_) return Session::Status::Waiting;
    complain("nobody joined again in " + std::to_string(waitMs_ / 1000) + " s");
    connection_.awaitRejoin(-1);
    since_.reset();
    over_ = true;
    return status;
}

int RejoinWait::secondsLeft() const {
    if (!since_) return 0;
    const uint64_t waited = steadyMs() - *since_;
    return waited >= waitMs_ ? 0 : static_cast<int>((waitMs_ - waited + 999) / 1000);
}

}  // namespace net
