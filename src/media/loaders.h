// Reading BMP pictures and RIFF WAVE sounds through SDL's own decoders, converted to the media
// layer's formats. A file that does not exist is "missing" and says nothing; a file that exists
// but is not a valid picture or sound is "invalid" and is reported with one stderr line naming it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "media/picture.h"
#include "media/sound.h"

namespace media {

enum class LoadResult { Ok, Missing, Invalid };

// True when a regular file of exactly this name exists relative to the working directory.
bool fileExists(const std::string& path);

LoadResult loadPicture(const std::string& path, Picture& out);
// Decodes BMP bytes held in memory (built-in pictures); false when they are not a valid BMP.
bool decodePicture(const uint8_t* data, size_t size, Picture& out);

LoadResult loadSound(const std::string& path, SoundData& out);
// Decodes RIFF WAVE bytes held in memory (built-in sounds).
bool decodeSound(const uint8_t* data, size_t size, SoundData& out);

}  // namespace media
