// Sound through SDL2_mixer: every uploaded sound is a chunk over our own copy of its samples;
// copies overlap on free mixing channels (more are allocated when all are busy) and the looped
// sound has a channel of its own.
#pragma once

#include <SDL_mixer.h>

#include <memory>
#include <vector>

#include "media/sound.h"

namespace platform {

class SdlAudio : public media::AudioOut {
public:
    SdlAudio() = default;
    ~SdlAudio() override;
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    // Opens the mixer; false (sound stays off) when no device opens.
    bool open();
    bool isOpen() const { return open_; }
    void close();

    // The music's and the effects' volumes, 0 (silent) … steps (full); muted, both are silent
    // until unmuted.
    void setVolumes(int music, int effects, int steps);
    void setMuted(bool muted);
    // The mixer's volume (0 … MIX_MAX_VOLUME) of the music channel and of the effect channels.
    int musicVolume() const;
    int effectsVolume() const;

    int upload(const media::SoundData& data) override;
    void play(int handle, bool looped) override;
    void stop(int handle) override;
    void reset() override;

private:
    struct Sound {
        // The chunk plays straight from these, shared with the item they came from (which never
        // changes them in place while they are shared).
        media::Samples samples;
        Mix_Chunk* chunk = nullptr;
    };
    Mix_Chunk* chunkOf(int handle) const;
    int playOnFreeChannel(Mix_Chunk* chunk);
    void applyVolumes();

    bool open_ = false;
    int channels_ = 0;
    int music_ = MIX_MAX_VOLUME, effects_ = MIX_MAX_VOLUME;
    bool muted_ = false;
    std::vector<std::unique_ptr<Sound>> sounds_;
};

}  // namespace platform
