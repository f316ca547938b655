#include "replay/viewer.h"

#include <algorithm>
#include <cstdio>

#include "platform/common/app_loop.h"
#include "platform/headless/runner.h"

namespace replay {

namespace {

constexpr size_t kKeyReserve = 32;
constexpr uint64_t kFastForwardSliceMs = 30;  // then the window's events are looked at again
constexpr int kNormalHalves = 2;
constexpr uint64_t kMaxLagMs = 250;

}  // namespace

Viewer::Viewer(platform::FramePipeline& pipeline, ReplayDevices& devices, const Replay& replay)
    : pipeline_(pipeline),
      form_(pipeline.form()),
      devices_(devices),
      replay_(replay),
      feed_(replay.script, pipeline,
            [&devices](uint32_t kb, uint32_t joy) { devices.setStates(kb, joy); }) {
    keys_.reserve(kKeyReserve);
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
        if (quit || leave_) return end(platform::kExitDone);
        if (over_) return holdLastPicture();
        if (frame_ < replay_.header.matchStart) {
            if (!fastForward()) return end(kExitMismatch);
            continue;
        }
        form_.setBlindMute(false);
        tickClock();
        const int ran = runDueFrames();
        if (ran < 0) return end(kExitMismatch);
        if (ran > 0 || (redraw_ && !clean_.empty())) {
            show(ran > 0, false);
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
    // Whatever the key changes, the status line says so at once, even paused.
    redraw_ = true;
    switch (virtualKey) {
        case viewer_key::Status:
            statusShown_ = !statusShown_;
            break;
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
            redraw_ = false;
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

// Runs the next frame, checked, and gets the one after it ready.
bool Viewer::runFrame() {
    if (!pipeline_.tick()) return false;
    ++frame_;
    prepareFrame();
    return true;
}

// Delivers the events due before the next frame, as the headless runner does.
void Viewer::prepareFrame() {
    if (frame_ >= replay_.frames || !feed_.before(frame_)) over_ = true;
}

namespace {

constexpr int kStatusX = 200, kStatusY = 59, kStatusSize = 8;
constexpr media::TColor kStatusColour = media::rgb(140, 230, 255);
constexpr int kEndX = 200, kEndY = 130, kEndSize = 30;

const char* speedName(int halves) {
    switch (halves) {
        case 1:
            return "x1/2";
        case 4:
            return "x2";
        case 8:
            return "x4";
        default:
            return "x1";
    }
}

}  // namespace

std::string Viewer::status() const {
    std::string s = std::string("REPLAY   ") + speedName(speedHalves_);
    if (paused_) s += "   PAUSA";
    s += "   " + std::to_string(frame_) + " / " + std::to_string(replay_.frames);
    return s;
}

// The last frame's picture with the viewer's lines over it; the picture itself is kept as the
// frame left it, so a line that changes or goes is drawn afresh over it.
void Viewer::show(bool fresh, bool finished) {
    media::Surface& surface = form_.DXDraw1.Surface;
    const size_t n = static_cast<size_t>(media::Surface::kWidth) * media::Surface::kHeight;
    if (fresh || clean_.size() != n) {
        clean_.assign(surface.pixels(), surface.pixels() + n);
    } else {
        std::copy(clean_.begin(), clean_.end(), surface.pixels());
    }
    redraw_ = false;
    if (statusShown_) form_.texto(kStatusX, kStatusY, status(), 'c', kStatusSize, kStatusColour);
    if (finished) form_.texto(kEndX, kEndY, "FIN", 'c', kEndSize, media::kWhite);
    devices_.present(surface, form_.DXDraw1.Left);
}

// The replay is over: its last picture stays, with "FIN", until a key or the window's closing.
int Viewer::holdLastPicture() {
    show(false, true);
    for (;;) {
        keys_.clear();
        bool quit = false;
        devices_.pollEvents(keys_, quit);
        if (quit || !keys_.empty()) return end(platform::kExitDone);
        devices_.sleepMs(platform::idleSleepMs(false, 0));
    }
}

int Viewer::end(int code) {
    pipeline_.end();
    form_.FormClose();
    return code;
}

}  // namespace replay
