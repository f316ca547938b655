#include "platform/sdl/sdl_audio.h"

#include <SDL.h>

#include <algorithm>
#include <utility>

namespace platform {

namespace {

constexpr int kChunkFrames = 1024;
constexpr int kInitialChannels = 32;
constexpr int kChannelGrowth = 16;
constexpr int kLoopChannel = 0;  // reserved: the looped sound (the music) plays only here
constexpr int kReservedChannels = 1;
constexpr int kAnyChannel = -1;
constexpr int kForever = -1;
constexpr int kAskVolume = -1;  // Mix_Volume's "tell, do not change"

}  // namespace

SdlAudio::~SdlAudio() {
    close();
}

bool SdlAudio::open() {
    // The device takes our format as it is (no changes allowed), so samples need no conversion.
    if (Mix_OpenAudioDevice(media::SoundData::kRate, AUDIO_S16SYS, media::SoundData::kChannels,
                            kChunkFrames, nullptr, 0) != 0) {
        return false;
    }
    channels_ = Mix_AllocateChannels(kInitialChannels);
    Mix_ReserveChannels(kReservedChannels);
    open_ = true;
    applyVolumes();
    return true;
}

void SdlAudio::close() {
    if (!open_) return;
    reset();
    Mix_CloseAudio();
    open_ = false;
}

int SdlAudio::upload(const media::SoundData& data) {
    if (!open_ || data.empty()) return -1;
    auto sound = std::make_unique<Sound>();
    sound->samples = data.samples;
    const auto bytes = static_cast<Uint32>(sound->samples.size() * sizeof(int16_t));
    // The mixer only reads a chunk's samples.
    const int16_t* samples = std::as_const(sound->samples).data();
    sound->chunk = Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(const_cast<int16_t*>(samples)), bytes);
    if (sound->chunk == nullptr) return -1;
    sounds_.push_back(std::move(sound));
    return static_cast<int>(sounds_.size()) - 1;
}

Mix_Chunk* SdlAudio::chunkOf(int handle) const {
    if (!open_ || handle < 0 || handle >= static_cast<int>(sounds_.size())) return nullptr;
    return sounds_[static_cast<size_t>(handle)]->chunk;
}

int SdlAudio::playOnFreeChannel(Mix_Chunk* chunk) {
    int channel = Mix_PlayChannel(kAnyChannel, chunk, 0);
    if (channel < 0) {
        channels_ = Mix_AllocateChannels(channels_ + kChannelGrowth);
        applyVolumes();
        channel = Mix_PlayChannel(kAnyChannel, chunk, 0);
    }
    return channel;
}

void SdlAudio::setVolumes(int music, int effects, int steps) {
    const auto level = [steps](int v) {
        return steps > 0 ? std::clamp(v, 0, steps) * MIX_MAX_VOLUME / steps : MIX_MAX_VOLUME;
    };
    music_ = level(music);
    effects_ = level(effects);
    applyVolumes();
}

void SdlAudio::setMuted(bool muted) {
    muted_ = muted;
    applyVolumes();
}

int SdlAudio::musicVolume() const {
    return open_ ? Mix_Volume(kLoopChannel, kAskVolume) : 0;
}

int SdlAudio::effectsVolume() const {
    return open_ && channels_ > kReservedChannels ? Mix_Volume(kReservedChannels, kAskVolume) : 0;
}

// Every effect channel, new ones included, takes the effects' volume; the music channel its own.
void SdlAudio::applyVolumes() {
    if (!open_) return;
    Mix_Volume(kAnyChannel, muted_ ? 0 : effects_);
    Mix_Volume(kLoopChannel, muted_ ? 0 : music_);
}

void SdlAudio::play(int handle, bool looped) {
    Mix_Chunk* chunk = chunkOf(handle);
    if (chunk == nullptr) return;
    if (looped) {
        stop(handle);
        Mix_PlayChannel(kLoopChannel, chunk, kForever);
    } else {
        playOnFreeChannel(chunk);
    }
}

void SdlAudio::stop(int handle) {
    Mix_Chunk* chunk = chunkOf(handle);
    if (chunk == nullptr) return;
    for (int c = 0; c < channels_; ++c) {
        if (Mix_Playing(c) && Mix_GetChunk(c) == chunk) Mix_HaltChannel(c);
    }
}

void SdlAudio::reset() {
    if (open_) Mix_HaltChannel(kAnyChannel);
    for (auto& sound : sounds_)
        Mix_FreeChunk(sound->chunk);
    sounds_.clear();
}

}  // namespace platform
