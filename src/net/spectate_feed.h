// The host's spectators: up to kMaxSpectators watchers beside the player, each fed the match's
// confirmed frames from the session's log (nothing is held twice: what a spectator lacks is read
// from the log when it is sent). A spectator only says what it holds; the host never waits for
// one, keeps no more than kFeedAhead frames unacknowledged for each, and lets go of one that
// falls silent or hangs up, so a spectator costs the players nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "net/enet_link.h"
#include "net/handshake.h"
#include "net/session_log.h"
#include "net/wire.h"

namespace net {

class Door;

// Frames a spectator may lack acknowledgement of at once: the host's per-spectator send queue.
inline constexpr int64_t kFeedAhead = 32 * static_cast<int64_t>(kFeedFrames);
// New frames go out once a packet's worth is ready or this long after the last packet.
inline constexpr uint64_t kFeedEveryMs = 20;
// With nothing new, a spectator still hears from the host this often (it answers with what it
// holds), so either side knows the other is there through a pause in the match.
inline constexpr uint64_t kFeedKeepAliveMs = 500;
// Either side gives the other up after this long without a whole message: past the players'
// drop time and the end message a window shows.
inline constexpr uint64_t kSpectatorSilentMs = 12000;
// At the end, the host stays this long at most for its spectators to have the whole match, and
// only for those heard from lately.
inline constexpr uint64_t kFeedFinishMs = 3000;
inline constexpr uint64_t kFeedAliveMs = 2000;

// The frames of `log` from `first` (before `frames`) that fit one feed packet; its live count is
// `frames`.
Feed feedOf(const SessionLog& log, int64_t first, int64_t frames);
// Each frame of a feed packet in order: fighter 1's and fighter 2's inputs, and whether the
// game's frame ran.
void eachFrame(const Feed& m,
               const std::function<void(const FrameInput&, const FrameInput&, bool)>& f);

class SpectatorFeed {
public:
    // self: the host's game, data and seed, which a spectator is checked against and given.
    SpectatorFeed(EnetHost& socket, const Side& self) : socket_(socket), self_(self) {}
    ~SpectatorFeed();
    SpectatorFeed(const SpectatorFeed&) = delete;
    SpectatorFeed& operator=(const SpectatorFeed&) = delete;

    // The session whose confirmed frames are fed; before it there is nothing to feed yet.
    void watch(const SessionLog& log) { log_ = &log; }
    // A newcomer that said Watch: welcomed with the seed, or told why not (another game or data,
    // no room left, the match over) and shown out.
    void admit(std::unique_ptr<EnetLink> link, const Watch& watch);
    // Takes in what the spectators say and sends each what it lacks; never waits.
    void serve();
    // The match is over with the log's frames: each spectator still heard from is sent the rest
    // and told the end; newcomers at the door are told the match is over. Returns once all have
    // it and hung up, or after waitMs.
    void finish(Door* door, uint64_t waitMs);

    size_t watching() const { return watchers_.size(); }

    // A player joining the match again, welcomed already: fed the log's first `frames` frames
    // (those confirmed when it came) as a spectator is, then handed back by takeRejoiner. One
    // at a time.
    void admitRejoiner(std::unique_ptr<EnetLink> link, int64_t frames);
    // The player joining again, once it holds every frame it was to be fed; null before, and
    // when it went away.
    std::unique_ptr<EnetLink> takeRejoiner();
    bool rejoining() const { return rejoiner_ != nullptr; }

private:
    struct Watcher {
        std::unique_ptr<EnetLink> link;
        int64_t acked = 0;  // frames it holds
        int64_t sent = 0;   // frames sent to it
        uint64_t lastSentMs = 0, lastHeardMs = 0;
        bool told = false;  // it was told the end
        int64_t upTo = -1;  // a player joining again is fed this many frames; −1 a spectator
    };
    bool serveOne(Watcher& w, uint64_t now);

    EnetHost& socket_;
    Side self_;
    const SessionLog* log_ = nullptr;
    std::vector<Watcher> watchers_;
    std::unique_ptr<Watcher> rejoiner_;
    bool over_ = false;
};

}  // namespace net
