// The sound decoder on any bytes held in memory.
#include <cstddef>
#include <cstdint>

#include "media/loaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    media::SoundData sound;
    if (!media::decodeSound(data, size, sound)) return 0;
    // Decoded sound is interleaved stereo: whole frames of left and right.
    if (sound.samples.size() % media::SoundData::kChannels != 0) __builtin_trap();
    return 0;
}
