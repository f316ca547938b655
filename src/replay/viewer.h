// Playing a replay in the window: the replay alone drives the game, the viewer's keys only
// pause, step, change the speed and hide the status line ("REPLAY", the speed, "PAUSA", the
// frame and the total), and every frame is checked against the replay's hashes. At the end the
// last picture stays, with "FIN", until a key is pressed or the window is closed.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "game/tform1.h"
#include "platform/common/frame_pipeline.h"
#include "platform/common/script_feed.h"
#include "platform/platform.h"
#include "replay/replay_file.h"

namespace replay {

// The viewer's keys, as the window's virtual-key codes; the game's key table uses none of them.
namespace viewer_key {
constexpr int Pause = 32;  // Space: pause and resume
constexpr int Step = 'N';  // one frame forward, paused
constexpr int Half = '6', Normal = '7', Double = '8', Quadruple = '9';
constexpr int Leave = 27;  // Esc
constexpr int Status = 'H';  // the status line off and on
}  // namespace viewer_key

// The replay's devices under the window: the game reads the device sets the replay gives it and
// always counts as in the foreground; everything else is the window's.
class ReplayDevices : public platform::PlatformRelay {
public:
    explicit ReplayDevices(platform::Platform& window) : PlatformRelay(window) {}
    void setStates(uint32_t keyboard, uint32_t joystick) {
        keyboard_ = keyboard;
        joystick_ = joystick;
    }

    // The replay alone drives the game: no device of the window, no key held there.
    bool foreground() override { return true; }
    uint32_t keyboardRaw() override { return keyboard_; }
    uint32_t joystickRaw() override { return joystick_; }
    bool keyHeld(int) override { return false; }

private:
    uint32_t keyboard_ = 0, joystick_ = 0;
};

class Viewer {
public:
    // The pipeline's form must be built on the devices, started with the replay's seed and
    // settings; the pipeline carries the replay's check and the additions the replay was
    // recorded with.
    Viewer(platform::FramePipeline& pipeline, ReplayDevices& devices, const Replay& replay);
    // Plays to the end of the replay, or until the viewer leaves; the exit code (3 when a frame
    // does not match).
    int run();

    int64_t framesRun() const { return frame_; }
    // The status line as it reads now.
    std::string status() const;

private:
    void control(int virtualKey);
    void tickClock();
    bool fastForward();
    int runDueFrames();
    bool runFrame();
    void prepareFrame();
    // fresh: a frame just ran, and its picture is the one to keep.
    void show(bool fresh, bool finished);
    int holdLastPicture();
    int end(int code);

    platform::FramePipeline& pipeline_;
    pelea::TForm1& form_;
    ReplayDevices& devices_;
    const Replay& replay_;
    platform::ScriptFeed feed_;
    std::vector<int> keys_;
    int64_t frame_ = 0;  // the next frame to run
    bool over_ = false, leave_ = false;
    bool statusShown_ = true, redraw_ = false;
    std::vector<uint16_t> clean_;  // the last frame's picture, without the viewer's lines
    bool paused_ = false;
    int steps_ = 0;                                  // frames to run one by one while paused
    int speedHalves_ = 2;                            // the speed in halves: 1, 2, 4 or 8
    uint64_t clock_ = 0, lastReal_ = 0, carry_ = 0;  // the viewer's clock, in game milliseconds
    uint64_t nextDue_ = 0;                           // when the next frame is due on it
};

}  // namespace replay
