// The rollback session: each side runs every frame at once with its own input and a prediction
// of the other's (its last known input repeated, without keys), keeps the state before each
// frame, and when the other's real input arrives and differs, restores the state of that frame
// and runs the frames since again, blind and mute. Inputs take effect `delay` frames after they
// are given; no more than kWindow frames ever run on a prediction, so the side ahead waits.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "game/tform1.h"
#include "media/input.h"
#include "net/link.h"
#include "net/rollback_audio.h"
#include "net/session_log.h"
#include "net/wire.h"
#include "platform/common/frame_pipeline.h"
#include "platform/common/script.h"

namespace net {

inline constexpr int kDefaultDelay = 1;
// A side that sends no input packet in its turns (it ran all its frames) sends one this often
// while the peer lacks some of its inputs.
inline constexpr uint64_t kResendMs = 28;
// A peer from which no whole, valid message has come for this long, or which has heard nothing
// of this side's for this long, is given up. A shorter silence either way is waited out.
inline constexpr uint64_t kDropMs = 10000;
// A side that has stood waiting for the peer's inputs this long says so until a frame runs
// again: on screen in the window, on stderr headless.
inline constexpr uint64_t kNoticeMs = 500;

struct SessionStats {
    int64_t rollbacks = 0;     // times the state was restored
    int64_t rolledFrames = 0;  // frames run again
    int maxRollback = 0;       // the most frames one rollback ran again
    int64_t waits = 0;         // ticks the side held back because the peer was too far behind
    int64_t slips = 0;         // frames held to let a slower peer catch up
    int rollbackNow = 0;       // frames the last rollback ran again
    int pingMs = -1;           // the last round trip, −1 before the first
    int ahead = 0;             // frames this side sees itself ahead of the peer
    int64_t packetsSent = 0;   // input packets sent
    int delay = 0;             // the input delay in use, the host's
};

class Session : public media::InputFilter {
public:
    // side: 1 the host (its input drives fighter 1's keyboard set), 2 the joiner (fighter 2's
    // joystick set). The form must have run FormCreate.
    Session(pelea::TForm1& form, Link& link, int side, int delay);
    ~Session() override;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    enum class Status { Ran, Waiting, Desync, PeerQuit, PeerLost };

    // One turn: takes in what arrived, rolls back if a prediction was wrong and, unless the
    // peer is too far behind (or the clocks call for a slip), runs the next frame with `local`
    // as this side's input `delay` frames later; then sends. `sets` are state values set just
    // before that frame on this side only (a headless script's set lines).
    Status tick(const FrameInput& local, const std::vector<platform::ScriptEvent>& sets = {});
    // Takes in what arrived and sends, without running a frame (while finishing).
    Status idle();

    // The next frame to run; frames before confirmed() were run with both real inputs.
    int64_t frame() const { return frame_; }
    int64_t confirmed() const { return confirmed_; }
    // The frame the next local input goes to.
    int64_t localFrame() const { return frame_ + delay_; }
    // The last frame of this side's input the peer holds.
    int64_t peerAck() const { return peerAck_; }
    int64_t desyncFrame() const { return desyncFrame_; }
    // The peer ran all its frames and left; what it gave is enough to finish.
    bool peerFinished() const { return peerFinished_; }
    // Frames of the peer's input known so far.
    int64_t peerKnown() const { return remoteEnd_; }
    int delay() const { return delay_; }
    // The silence between the two sides, the longer way round: since the last whole message
    // from the peer, or since the peer last heard this side (its echoes say how long it has
    // held the last ping it got).
    uint64_t silenceMs() const;
    // How long this side has stood waiting for the peer's inputs; 0 once a frame runs again.
    uint64_t waitedMs() const;
    // Whether this side has waited long enough to say so, and the whole seconds left before
    // the peer is given up at this silence.
    bool waitNoticeDue() const { return waitedMs() >= kNoticeMs; }
    int secondsLeft() const;
    const SessionStats& stats() const { return stats_; }
    // The confirmed frames, for a replay (replayOf) and for whoever watches.
    const SessionLog& log() const { return log_; }
    // Writes the confirmed frames as a replay (made by running them again, see replayOf); false
    // with the problem when the file cannot be written. A replay that does not play as this
    // side's game ran (a frame whose hash differs from the one this side sent) is said on stderr.
    bool writeReplay(uint64_t seed, const std::string& path, std::string& problem) const;
    // Told each frame as it is confirmed, with the state hash after it.
    void setOnConfirm(std::function<void(int64_t, uint64_t)> f) { onConfirm_ = std::move(f); }
    // The state hash after confirmed frame f (f ≥ confirmed() − 64).
    uint64_t confirmedHash(int64_t f) const { return ownHashes_[slot(f, kHashRing)].hash; }

    // Time sync between real-time peers: a frame is held now and then while this side runs
    // ahead of the peer's clock.
    void setPacing(bool on) { pacing_ = on; }
    // The clock the round trip and the peer's silence are measured with.
    void setClock(std::function<uint64_t()> nowMs) {
        now_ = std::move(nowMs);
        lastHeardMs_ = heardUsMs_ = now_();
    }
    // Stops running frames once this many are done (0: never).
    void setLastFrame(int64_t frames) { lastFrame_ = frames; }

    // The sounds of frames run again are compared with those heard (the window); without it
    // frames run again are mute.
    void setAudio(RollbackAudio* audio) { audio_ = audio; }

    // The frames go along the front end's pipeline: the frame each turn runs first, and the
    // keys given to it, pass through the pipeline and its watchers (which see each frame once,
    // as it is shown); a frame run again goes to the pipeline's driver alone. Without one the
    // game's own handlers run them.
    void setPipeline(platform::FramePipeline* pipeline) { pipeline_ = pipeline; }

    // A player joining the match again, before its first turn: runs frame frame() blind and mute
    // with both fighters' inputs as the host confirmed them, and confirms it. The `delay` inputs
    // of this side after it are empty, as the host takes them when it plays on from there.
    void runConfirmed(const FrameInput& one, const FrameInput& two);
    // The host's: the other player's game ended, and a player joined again on `link` holding the
    // confirmed frames. The match goes on from confirmed(): what the one gone gave past it went
    // with it, the other side's inputs are empty for `delay` frames, then the newcomer's, and
    // the frames run since on a guess are corrected as any others.
    void rejoin(Link& link);
    // The other player is given up now (its game ended, or a newcomer takes its place): nothing
    // more is taken from its link, and the turns say it is lost (or gone, if it said so) until
    // rejoin.
    void dropPeer() { dropped_ = true; }

    void filter(uint32_t& keyboard, uint32_t& joystick) override;

    // Frames of inputs each side's ring keeps: a side in step with this one never gives an input
    // more than 2 × (kWindow + kMaxDelay) frames past the first one still unconfirmed here.
    static constexpr size_t kInputRing = 64;

private:
    static constexpr size_t kStateRing = 16;
    static constexpr size_t kHashRing = 64;
    static_assert(kInputRing >= 2 * (kWindow + kMaxDelay) + 1 && kStateRing > kWindow);
    static size_t slot(int64_t f, size_t ring) { return static_cast<size_t>(f) % ring; }
    template <typename T>
    struct Ring {
        std::array<T, kInputRing> items{};
        T& operator[](int64_t f) { return items[slot(f, kInputRing)]; }
        const T& operator[](int64_t f) const { return items[slot(f, kInputRing)]; }
    };
    // The state before a frame: the record, and the device sets as last read, which a screen
    // that reads no device in a frame still uses for the previous-state step.
    struct Snapshot {
        pelea::GameState g;
        uint32_t keyboard = 0, joystick = 0;
        bool paused = false;  // P had stopped the game's time
    };
    struct FrameHash {
        int64_t frame = -1;
        uint64_t hash = 0;
    };

    Status poll();
    void receive();
    void take(const Inputs& m);
    void accept(int64_t f, const FrameInput& in);
    void compareHashes();
    void rollBack();
    void runFrame(int64_t f, bool live);
    void confirm();
    void send();
    bool holdForSync();
    FrameInput remoteFor(int64_t f) const;
    const FrameInput& inputOf(int fighter, int64_t f) const;

    pelea::TForm1& form_;
    platform::FramePipeline* pipeline_ = nullptr;
    Link* link_;
    int side_, delay_;
    // By frame, in rings: this side's inputs from the first the peer lacks or this side has not
    // confirmed, to localEnd_; the peer's from confirmed_ to remoteEnd_ (known in order, the
    // newest also in lastRemote_, which the guesses hold on); the peer's input each frame not yet
    // confirmed was last run with, and whether the game's frame ran (not paused).
    Ring<FrameInput> local_, remote_, used_;
    Ring<uint8_t> ran_;
    int64_t localEnd_ = 0, remoteEnd_ = 0;
    FrameInput lastRemote_;
    std::map<int64_t, std::vector<platform::ScriptEvent>> sets_;
    std::array<Snapshot, kStateRing> states_{};  // by frame
    std::array<FrameHash, kHashRing> ownHashes_{}, peerHashes_{};
    int64_t frame_ = 0, confirmed_ = 0, rollbackFrom_ = -1;
    int64_t peerAck_ = -1, peerFrame_ = 0, desyncFrame_ = -1;
    int peerAdvantage_ = 0;
    int64_t lastSlip_ = 0, lastFrame_ = 0;
    bool pacing_ = false, peerQuit_ = false, peerFinished_ = false, dropped_ = false;
    // P stops the game's time on both sides at the same frame: the session's frames go on (the
    // keys of either side still come in, P again among them) while the game's stand still.
    bool paused_ = false;
    // Pings sent lately, each by its full number, so a late echo never times another ping.
    struct Ping {
        uint16_t id = 0;
        uint64_t sentMs = 0;
    };
    uint16_t pingId_ = 0, pongId_ = 0;
    uint64_t pongHeardMs_ = 0;  // when the ping to echo came
    std::array<Ping, 256> pingSent_{};
    std::function<uint64_t()> now_;
    uint64_t lastHeardMs_ = 0;  // when the last whole, valid message came from the peer
    uint64_t heardUsMs_ = 0;    // when the peer last heard this side, as its echoes tell
    bool short_ = false;        // the last turns waited for the peer's inputs ...
    uint64_t shortSinceMs_ = 0;  // ... since then
    uint64_t lastSentMs_ = 0;
    bool waiting_ = false;     // the last turn ran no frame
    bool answerDue_ = false;   // inputs came while waiting: answer before the next turn
    uint32_t feedKeyboard_ = 0, feedJoystick_ = 0;
    RollbackAudio* audio_ = nullptr;
    SessionStats stats_;
    SessionLog log_;
    std::function<void(int64_t, uint64_t)> onConfirm_;
};

}  // namespace net
