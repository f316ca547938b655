#include "replay/viewer.h"

#include <algorithm>
#include <cstdio>

#include "platform/common/app_loop.h"
#include "platform/common/script.h"
#include "platform/headless/runner.h"
#include "replay/state_hash.h"

namespace replay {

namespace {

constexpr size_t kKeyReserve = 32;
constexpr uint64_t kFastForwardSliceMs = 30;  // then the window's events are looked at again
constexpr int kNormalHalves = 2;
constexpr uint64_t kMaxLagMs = 250;

}  // namespace

Viewer::Viewer(pelea::TForm1& form, ReplayDevices& devices, const Replay& replay, std::string path)
    : form_(form), devices_(devices), replay_(replay), path_(std::move(path)) {
    keys_.reserve(kKeyReserve);
    for (const platform::ScriptEvent& e : replay.script.events) {
        if (e.kind == platform::EventKind::Sum) sums_.emplace_back(e.frame, e.sum);
    }
}

int Viewer::run() {
    lastReal_ = devices_.nowMs();
    // The frames before the match are run blind and mute, as fast as they go.
    form_.setBlindMute(replay_.header.matchStart > 0);
    prepareFrame();
    for (;;) {
        keys_.clear();
        bool quit = false;
        devices_.pollEvents(keys_, quit);
        for (const int vk : keys_)
            control(vk);
        if (quit || leave_ || over_) return end(platform::kExitDone);
        if (frame_ < replay_.header.matchStart) {
            if (!fastForward()) return end(kExitMismatch);
            continue;
        }
        form_.setBlindMute(false);
        tickClock();
        const int ran = runDueFrames();
        if (ran < 0) return end(kExitMismatch);
        if (ran > 0) {
            devices_.present(form_.DXDraw1.Surface, form_.DXDraw1.Left);
            continue;
        }
        const uint64_t untilDue = nextDue_ > clock_ ? nextDue_ - clock_ : 0;
        const uint64_t realUntilDue = (untilDue * kNormalHalves + speedHalves_ - 1) / speedHalves_;
        devices_.sleepMs(platform::idleSleepMs(!paused_, realUntilDue));
    }
}

// The frames due on the viewer's clock, each after the game's own interval, a few at most before
// the picture is shown: a window shows no more pictures a second than its screen does, so at
// the higher speeds some frames are run and not shown. A step runs one frame, shown, while
// paused. Returns how many ran, or −1 when one did not match.
int Viewer::runDueFrames() {
    if (steps_ > 0) {
        --steps_;
        return runFrame() ? 1 : -1;
    }
    // As many frames a picture as the speed's multiple: the game itself never shows more
    // frames than its window shows pictures.
    const int most = std::max(1, speedHalves_ / kNormalHalves);
    int ran = 0;
    while (!over_ && !paused_ && ran < most && clock_ >= nextDue_) {
        if (!runFrame()) return -1;
        ++ran;
        // The next is due one interval of the game's (as this frame set it) later; a backlog is
        // dropped rather than caught up.
        const uint64_t interval = std::max<uint64_t>(form_.DXTimer1.Interval, 1);
        nextDue_ = std::max(nextDue_ + interval, clock_ > kMaxLagMs ? clock_ - kMaxLagMs : 0);
    }
    return ran;
}

void Viewer::control(int virtualKey) {
    switch (virtualKey) {
        case viewer_key::Pause:
            paused_ = !paused_;
            break;
        case viewer_key::Step:
            paused_ = true;
            ++steps_;
            break;
        case viewer_key::Half:
            speedHalves_ = 1;
            break;
        case viewer_key::Normal:
            speedHalves_ = 2;
            break;
        case viewer_key::Double:
            speedHalves_ = 4;
            break;
        case viewer_key::Quadruple:
            speedHalves_ = 8;
            break;
        case viewer_key::Leave:
            leave_ = true;
            break;
        default:  // the game's keys come from the replay alone
            break;
    }
}

// The game's own timer runs on a clock that goes at the chosen speed and stops while paused.
void Viewer::tickClock() {
    const uint64_t now = devices_.nowMs();
    const uint64_t elapsed = now > lastReal_ ? now - lastReal_ : 0;
    lastReal_ = now;
    if (paused_) return;
    const uint64_t scaled = elapsed * static_cast<uint64_t>(speedHalves_) + carry_;
    clock_ += scaled / kNormalHalves;
    carry_ = scaled % kNormalHalves;
}

bool Viewer::fastForward() {
    const uint64_t until = devices_.nowMs() + kFastForwardSliceMs;
    while (!over_ && frame_ < replay_.header.matchStart && devices_.nowMs() < until) {
        if (!runFrame()) return false;
    }
    lastReal_ = devices_.nowMs();
    return true;
}

// Runs the next frame, checks its hash and gets the one after it ready.
bool Viewer::runFrame() {
    form_.DXTimer1Timer();
    if (nextSum_ < sums_.size() && sums_[nextSum_].first == frame_) {
        const uint64_t expected = sums_[nextSum_++].second;
        const uint64_t actual = stateHash(form_.g);
        if (actual != expected) {
            std::fprintf(stderr,
                         "pelea: %s: frame %lld: the state hash is %s, the replay expects %s\n",
                         path_.c_str(), static_cast<long long>(frame_), hex16(actual).c_str(),
                         hex16(expected).c_str());
            return false;
        }
    }
    ++frame_;
    prepareFrame();
    return true;
}

// Delivers the events due before the next frame, as the headless runner does: while the replay
// has paused the game, the following lines come in without a frame.
void Viewer::prepareFrame() {
    const auto& events = replay_.script.events;
    if (frame_ >= replay_.frames) {
        over_ = true;
        return;
    }
    for (;;) {
        while (next_ < events.size() && events[next_].frame <= frame_) {
            if (!deliverGroup()) return;
        }
        if (form_.DXTimer1.Enabled) return;
        if (next_ == events.size() || !deliverGroup()) {
            over_ = true;
            return;
        }
    }
}

// The events of one frame: keys in order, then set lines, then the device sets. False when a
// key ended the game.
bool Viewer::deliverGroup() {
    const auto& events = replay_.script.events;
    const int64_t frame = events[next_].frame;
    size_t end = next_;
    while (end < events.size() && events[end].frame == frame)
        ++end;
    for (size_t i = next_; i < end; ++i) {
        if (events[i].kind != platform::EventKind::Key) continue;
        for (const int vk : events[i].keys) {
            form_.FormKeyDown(vk);
            if (form_.terminated()) {
                over_ = true;
                return false;
            }
        }
    }
    for (size_t i = next_; i < end; ++i) {
        if (events[i].kind == platform::EventKind::Set) platform::applySet(form_.g, events[i]);
    }
    for (size_t i = next_; i < end; ++i) {
        if (events[i].kind == platform::EventKind::Keyboard) keyboard_ = events[i].states;
        if (events[i].kind == platform::EventKind::Joystick) joystick_ = events[i].states;
    }
    devices_.setStates(keyboard_, joystick_);
    next_ = end;
    return true;
}

int Viewer::end(int code) {
    form_.FormClose();
    return code;
}

}  // namespace replay
