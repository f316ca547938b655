// Little-endian byte writing and whole-file output, shared by the picture and sound writers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace media {

inline void put16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}
inline void put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}

// Writes bytes to a file; false (with one stderr line) when it cannot be written.
bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace media
