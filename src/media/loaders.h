// Reading BMP pictures and RIFF WAVE sounds through SDL's own decoders, converted to the media
// layer's formats. A file that does not exist is "missing" and says nothing; a file that exists
// but cannot be read, or is not a valid picture or sound, is "invalid" and is reported with one
// stderr line naming it and why (the system's reason for a read error). The files do not change
// while the game runs: each is read and decoded once, and kept by name for the session (a file of
// that name that is another, moved or rewritten, is read again). A complaint already made about a
// file is not repeated.
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
// True when anything of this name exists (a file, or a folder put in a file's place).
bool pathExists(const std::string& path);

LoadResult loadPicture(const std::string& path, Picture& out);
// Decodes BMP bytes held in memory (built-in pictures); false when they are not a valid BMP.
// Sizes are checked against the bytes there before anything is allocated.
bool decodePicture(const uint8_t* data, size_t size, Picture& out);

LoadResult loadSound(const std::string& path, SoundData& out);
// Decodes RIFF WAVE bytes held in memory (built-in sounds); false when they are not a valid
// WAVE of 1 or 2 channels at 1000 to 192000 Hz, or would decode to more than 64 MiB.
bool decodeSound(const uint8_t* data, size_t size, SoundData& out);

// Pictures and sounds asked for, and files read from disk, since the start (for tests).
struct FileCounts {
    uint64_t asked = 0, read = 0;
};
FileCounts fileCounts();

}  // namespace media
