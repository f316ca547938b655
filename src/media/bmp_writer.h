// Writing pictures as 24-bit BMP files (the game's data generator and test fixtures use it).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "media/picture.h"

namespace media {

// The bytes of an uncompressed 24-bit bottom-up BMP of the picture.
std::vector<uint8_t> encodeBmp(const Picture& p);
// Writes the picture to a file; false (with one stderr line) when it cannot be written.
bool writeBmp(const std::string& path, const Picture& p);

}  // namespace media
