// The one road the game's keys and frames take, whoever runs them: the headless runner, the
// window, the replay viewer or a networked peer hands each key, set line, device set and timer
// tick to the pipeline, and the pipeline hands them to the game. The front end puts its
// additions on it: a driver that turns keys and ticks into frames (the game's own handlers, or a
// trainer in front of them) and watchers that see every key and frame (a recording, a replay's
// check). A runner knows only this interface, so it cannot leave an addition out.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "game/tform1.h"
#include "platform/common/script.h"

namespace platform {

// Watches the frames from outside the game: each key before the game is given it, each set line
// and device set given from outside, each frame once it has run, and the end.
class FramePipeline;

class LoopWatcher {
public:
    virtual ~LoopWatcher() = default;
    // Put on a pipeline.
    virtual void attached(FramePipeline& /*pipeline*/) {}
    // The game object is made, before its first frame: a replay that starts from a state of its
    // own gives it here.
    virtual void begin(FramePipeline& /*pipeline*/) {}
    virtual void keyDown(int virtualKey) = 0;
    virtual void set(const ScriptEvent& /*e*/) {}
    // The device sets a script or a replay gives from the next frame on.
    virtual void states(uint32_t /*keyboard*/, uint32_t /*joystick*/) {}
    virtual void frameDone(const pelea::TForm1& form) = 0;
    // After frameDone: false, after one stderr line, when frame is not the one expected.
    virtual bool frameMatches(const pelea::TForm1& /*form*/, int64_t /*frame*/) { return true; }
    // Then: what the watcher has to say on the finished picture (a blind frame draws nothing).
    virtual void draw(pelea::TForm1& /*form*/) {}
    virtual void loopEnds(const pelea::TForm1& form) = 0;
};

// Turns keys and ticks into the game's frames.
class FrameDriver {
public:
    virtual ~FrameDriver() = default;
    virtual void keyDown(int virtualKey) = 0;
    virtual void tick() = 0;
    // A key the last tick acted on without a key event (one held down), which a recording
    // counts as a press before that frame; 0 for none.
    virtual int heldKeyActedOn() const { return 0; }
    // What the driver keeps from frame to frame outside the state record, as bytes, and that
    // taken back (false when the bytes are not such a state): a replay that starts in the middle
    // of a session starts the driver where it was then.
    virtual std::vector<unsigned char> carried() const { return {}; }
    virtual bool carryOn(std::span<const unsigned char> bytes) { return bytes.empty(); }
};

// The game's own handlers, nothing in front of them.
class GameDriver : public FrameDriver {
public:
    explicit GameDriver(pelea::TForm1& form) : form_(form) {}
    void keyDown(int virtualKey) override { form_.FormKeyDown(virtualKey); }
    void tick() override { form_.DXTimer1Timer(); }

private:
    pelea::TForm1& form_;
};

class FramePipeline {
public:
    // Without a driver of its own the game's handlers drive.
    explicit FramePipeline(pelea::TForm1& form);
    FramePipeline(const FramePipeline&) = delete;
    FramePipeline& operator=(const FramePipeline&) = delete;

    void drive(FrameDriver& driver) { driver_ = &driver; }
    void watch(LoopWatcher& watcher) {
        watchers_.push_back(&watcher);
        watcher.attached(*this);
    }
    FrameDriver& driver() { return *driver_; }
    const FrameDriver& driver() const { return *driver_; }

    pelea::TForm1& form() { return form_; }
    // Frames run so far: the number of the next one.
    int64_t frames() const { return frames_; }
    // Whether the game's timer runs frames (P stops it).
    bool ticking() const { return form_.DXTimer1.Enabled; }
    bool ended() const { return form_.terminated(); }

    // The game object is made (FormCreate has run), before the first frame; once.
    void begin();
    // A key press between frames; nothing once the game has ended.
    void key(int virtualKey);
    // A state value set between frames.
    void set(const ScriptEvent& e);
    // The device sets given from outside from the next frame on, for the watchers.
    void states(uint32_t keyboard, uint32_t joystick);
    // One tick of the timer: a frame. False when a watcher finds it is not the expected one.
    bool tick();
    // The run is over (the window closed, the script or the replay done).
    void end();

private:
    pelea::TForm1& form_;
    GameDriver game_;
    FrameDriver* driver_;
    std::vector<LoopWatcher*> watchers_;
    int64_t frames_ = 0;
    bool begun_ = false, ended_ = false;
};

}  // namespace platform
