// Screenshots: the back buffer as a 400×300 8-bit RGB PNG.
#pragma once

#include <string>

#include "media/surface.h"

namespace platform {

// False when the file cannot be written.
bool writePng(const std::string& path, const media::Surface& surface);

}  // namespace platform
