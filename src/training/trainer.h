// Training fights. The trainer sits between the platform and the game: key presses and timer
// ticks come to it first. Outside a training fight it passes them on unchanged. In one it keeps
// the round going (the clock held, no knock-out), drives the dummy (fighter 2) through its
// device set, keeps the last 300 frames as snapshots of the state record to rewind through,
// pauses and steps, and draws its overlays on the finished frame. It never calls a routine of
// the game's rules: it sets the state record between frames, feeds the device sets, runs whole
// frames (some of them blind and mute, on a copy it throws away) and draws after them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <type_traits>

#include "game/tform1.h"
#include "media/input.h"
#include "platform/common/frame_pipeline.h"
#include "training/dummy.h"
#include "training/frame_data.h"
#include "training/frame_meter.h"
#include "training/input_history.h"
#include "training/ring.h"

namespace training {

// The device sets one frame reads: fighter 1's keyboard and fighter 2's joystick.
struct Feed {
    uint32_t keyboard = 0, joystick = 0;
};

// What the trainer learns and keeps frame by frame; it is rewound together with the state
// record, so going back past a take of the dummy's recording, or its start or end, finds the
// recording as it was then.
struct Observed {
    std::array<InputHistory, 2> inputs;  // fighter 1's keyboard, fighter 2's joystick
    MoveData move;                       // fighter 1's last move
    FrameMeter meter;                    // both fighters' last 80 counted frames
    bool guarding = false;               // the dummy was hit: it blocks until the combo is over
    Recording tape;                      // the dummy's recorded inputs
    bool recording = false;              // a take is being recorded
    bool playback = false;               // the recording plays back on a loop
    uint16_t recorded = 0;               // frames of the dummy's recording
    uint16_t playing = 0;                // the recording's next frame to play back
    int64_t clock = 0;                   // frames the game ran, hit-stops and super pauses left out
};
static_assert(std::is_trivially_copyable_v<Observed>, "a frame's observations are copied");

// One frame of the rewind ring: the state the frame started from, what was observed until then,
// and the device sets it read. Running the frame again from it gives the same frame.
struct Snapshot {
    pelea::GameState state;
    Observed observed;
    Feed feed;
};

struct Overlays {
    bool areas = false, inputs = false, frameData = false;
};

class Trainer : public media::InputFilter, public platform::FrameDriver {
public:
    static constexpr size_t kRewindFrames = 300;  // 8.4 seconds at the default 28 ms

    // armed: the fights that follow are training fights (--training).
    Trainer(pelea::TForm1& form, bool armed);
    ~Trainer() override;
    Trainer(const Trainer&) = delete;
    Trainer& operator=(const Trainer&) = delete;

    // A key press between frames: the training keys act here, every other key goes on to the
    // game's key handler.
    void keyDown(int virtualKey) override;
    // One timer tick: a frame of the game; in a training fight a frame held, stepped or rewound.
    void tick() override;
    int heldKeyActedOn() const override;
    // Outside a fight: whether training is armed, the dummy's mode, the overlays shown, the
    // dummy's recording and the refill setting, which a new fight carries on with.
    std::vector<unsigned char> carried() const override;
    bool carryOn(std::span<const unsigned char> bytes) override;

    bool armed() const { return armed_; }
    bool inFight() const;
    bool paused() const { return paused_; }
    bool recording() const { return observed_.recording; }
    // A recording plays back (rewinding to before it was made stops it).
    bool playing() const { return observed_.playback && observed_.recorded > 0; }
    DummyMode mode() const { return mode_; }
    // The meters refill with the lives when a combo is over (F12).
    bool refillsMeters() const { return refillMeters_; }
    const Overlays& overlays() const { return overlays_; }
    const Observed& observed() const { return observed_; }
    size_t snapshots() const { return ring_.size(); }
    // The last tick went back a frame only because the rewind key is held: a recording of the
    // session counts it as one press, since playback holds no keys.
    bool rewoundByHeldKey() const { return heldRewind_; }

    // The device sets of a training frame replace the ones just read.
    void filter(uint32_t& keyboard, uint32_t& joystick) override;

private:
    void fightKey(int virtualKey);
    void passOn(int virtualKey);
    void plainFrame();
    void enterFight();
    void leaveFight();
    int rewindSteps();
    void rewind(int steps);
    void show();
    void liveFrame();

    // Between frames.
    void keepRoundGoing();
    void driveDummy();
    Feed readDevices();
    Feed feedFor(const Feed& live) const;
    struct Threat {
        bool live = false;    // fighter 1's attack area is live at this frame's hit test
        bool threat = false;  // … or a projectile of its side flies
    };
    Threat foresee(const Feed& feed);
    void guard(Feed& feed, const Threat& t);
    void keepLifeAboveZero(const Feed& feed);
    void refillAfterCombo();
    void resetPositions(uint32_t held);

    // The frame and after it.
    void runFrame(const Feed& feed, bool drawn, bool sound);
    void observe(const pelea::GameState& before, const Feed& feed, bool live);
    void advanceRecording(const pelea::GameState& before, const Feed& feed);
    void drawOverlays();
    std::string status() const;

    pelea::TForm1& form_;
    bool armed_;
    bool fighting_ = false;    // inside a training fight since the last tick
    uint8_t dummyHumano_ = 0;  // fighter 2's own humano, given back when the fight is left
    DummyMode mode_ = DummyMode::Stand;
    Overlays overlays_;
    bool refillMeters_ = false;
    bool resetAsked_ = false;  // Home was pressed: the next frame that runs starts from the reset
    bool paused_ = false;
    int steps_ = 0;            // frame steps asked for while paused
    int rewindPresses_ = 0;    // rewind key presses since the last tick
    bool heldRewind_ = false;  // the last tick went back a frame for the held key alone
    bool rewinding_ = false;
    Observed observed_;
    Ring<Snapshot> ring_;
    bool feeding_ = false;
    Feed feed_;
};

}  // namespace training
