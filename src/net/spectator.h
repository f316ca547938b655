// Watching a networked match: pelea --spectate HOST[:PORT]. The spectator says which game and
// data it runs, is given the seed, and is fed the match's confirmed frames from frame 0. It runs
// them blind and mute up to the newest it holds, then (in the window) shows the match a few
// frames behind the players at the game's speed, "ESPECTADOR" on the picture, catching up blind
// whenever it falls behind. It sends the host nothing but its hello and what it holds, so it
// can neither slow, pause nor change the match. Headless, it ends when the players' match does.
#pragma once

#include <cstdint>
#include <string>

#include "game/tform1.h"
#include "media/input.h"
#include "net/connection.h"
#include "net/session_log.h"
#include "platform/headless/runner.h"
#include "platform/platform.h"

namespace net {

// Reaches the host (net.join) and is let in: 0, or the exit code after one stderr line (1 the
// host cannot be reached, does not answer, has all the spectators it takes or its match has
// ended; 2 it runs another version or other data files).
int connectSpectator(const NetOptions& net, Connection& out);

// The match as fed by the host, and the spectator's game that runs it.
class Watcher : public media::InputFilter {
public:
    // The form must have run FormCreate with the host's seed.
    Watcher(pelea::TForm1& form, Link& link);
    ~Watcher() override;
    Watcher(const Watcher&) = delete;
    Watcher& operator=(const Watcher&) = delete;

    enum class Status { Watching, Ended, Lost };
    // Takes in what came and tells the host what is held. Ended: the host said the match is
    // over, and every frame of it is held.
    Status receive();
    // Runs the next held frame (shown() < held()): seen, with its picture and sound, or blind and
    // mute.
    void run(bool seen);

    int64_t held() const { return log_.frames(); }
    int64_t shown() const { return shown_; }
    // The frames the host had confirmed when the first feed came (−1 before it), and when.
    int64_t joinedAt() const { return joinedAt_; }
    uint64_t joinedMs() const { return joinedMs_; }
    const SessionLog& log() const { return log_; }

    void filter(uint32_t& keyboard, uint32_t& joystick) override;

private:
    void take(const Feed& m);

    pelea::TForm1& form_;
    Link& link_;
    SessionLog log_;
    int64_t shown_ = 0, joinedAt_ = -1;
    uint64_t joinedMs_ = 0, lastHeardMs_ = 0;
    bool ended_ = false, paused_ = false;
    uint32_t feedKeyboard_ = 0, feedJoystick_ = 0;
};

// Writes what the watcher holds as a replay, the same as the players' for every frame (set
// lines of a headless player's script are that side's alone and not fed). False with the problem.
bool writeWatchedReplay(const Watcher& watcher, uint64_t seed, const std::string& path,
                        std::string& problem);

// Exit codes: 0 the players' match ended (or they left), 1 the host was lost or could not be
// reached, its match had ended or it had no room; 2 another game or data.
int runHeadlessSpectator(const platform::HeadlessOptions& run, const NetOptions& net);

// The window's spectator, until the match ends or Esc; the exit code (0, or 1 the host was lost).
int runWindowSpectator(pelea::TForm1& form, platform::Platform& window, Connection& connection,
                       const NetOptions& net, const std::string& recordPath);

}  // namespace net
