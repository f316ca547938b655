// Writing a file whole or not at all: into a temporary file beside it, then renamed over it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace replay {

// False with the reason in problem; no temporary file is left behind. synced: the file and the
// folder's entry for it reach the disk before it returns (for small files a power cut must not
// empty; a long replay written at a match's end is not made to wait for the disk).
bool writeFileAtomically(const std::string& path, std::string_view text, std::string& problem,
                         bool synced = false);

// A path made absolute against the working folder, so a later change of folder keeps its meaning.
std::string absolutePath(const std::string& path);

// A seed from the clock, for a session that was given none.
uint64_t clockSeed();

}  // namespace replay
