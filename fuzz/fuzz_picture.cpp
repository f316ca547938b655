// The picture decoder on any bytes held in memory.
#include <cstddef>
#include <cstdint>

#include "media/loaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    media::Picture picture;
    if (!media::decodePicture(data, size, picture)) return 0;
    if (picture.empty()) __builtin_trap();  // a decoded picture has pixels
    // The first and the last pixel are within the picture's own memory.
    volatile media::TColor corners =
        picture.pixel(0, 0) ^ picture.pixel(picture.width() - 1, picture.height() - 1);
    (void)corners;
    return 0;
}
