// Sound across rollbacks: the frames run again after a correction are heard as what changed,
// not twice. Live frames play as usual and are remembered; frames run again play nothing and
// are noted; then a sound the corrected frames no longer make is cut short, and one they make
// that was never heard is played now, late. A frame run again that brings the sound device up
// anew (a match start) stops nothing and uploads nothing the mixer already holds: the mixer keeps
// what the live frame gave it, the music playing on.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "media/sound.h"
#include "platform/platform.h"

namespace net {

class RollbackAudio : public media::AudioOut {
public:
    explicit RollbackAudio(media::AudioOut& out) : out_(out) {}

    // The frame about to run; live: heard as it runs, else run again after a correction.
    void beginFrame(int64_t frame, bool live);
    // After frames from … to − 1 were run again: what they no longer make stops, what they make
    // anew plays.
    void correct(int64_t from, int64_t to);

    int upload(const media::SoundData& data) override;
    void play(int handle, bool looped) override;
    void stop(int handle) override;
    void reset() override;

private:
    static constexpr size_t kFrames = 16;  // as many frames as a rollback can reach, and more
    struct Played {
        int handle;
        bool looped;
    };
    struct FrameSounds {
        int64_t frame = -1;
        std::vector<Played> heard, again;
    };
    FrameSounds& at(int64_t f) { return frames_[static_cast<size_t>(f) % kFrames]; }
    bool again() const { return frame_ >= 0 && !live_; }

    // What the mixer holds since its last reset: a decoded file by its number, any other sound
    // by where its samples are.
    struct Uploaded {
        uint64_t source;
        const int16_t* samples;
        size_t size;
        int handle;
    };
    std::vector<Uploaded> uploaded_;

    media::AudioOut& out_;
    std::array<FrameSounds, kFrames> frames_{};
    int64_t frame_ = -1;
    bool live_ = true;
};

// The window's platform with its mixer behind a RollbackAudio.
class RollbackPlatform : public platform::PlatformRelay {
public:
    explicit RollbackPlatform(platform::Platform& inner)
        : PlatformRelay(inner), audio_(inner.audio()) {}
    RollbackAudio& rollbackAudio() { return audio_; }

    // Full screen or window is each player's own (Alt+Enter, --fullscreen, the saved setting):
    // the title screen's choice is the shared game's, made by either side's input and run again
    // on a rollback, so it never reaches this window.
    bool initDisplay(bool) override { return true; }
    media::AudioOut& audio() override { return audio_; }

private:
    RollbackAudio audio_;
};

}  // namespace net
