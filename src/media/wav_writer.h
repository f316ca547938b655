// Writing RIFF WAVE (PCM) bytes: the built-in sounds and the generated music are made this way
// and read back through the same reader as any sound file.
#pragma once

#include <cstdint>
#include <vector>

#include "media/binary_file.h"

namespace media {

// 8-bit unsigned mono PCM (128 is silence).
std::vector<uint8_t> encodeWav8(const std::vector<uint8_t>& samples, int rate);
// 16-bit signed PCM, interleaved when channels is 2.
std::vector<uint8_t> encodeWav16(const std::vector<int16_t>& samples, int rate, int channels);

}  // namespace media
