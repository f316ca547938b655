// Writing a file whole or not at all: into a temporary file beside it, then renamed over it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace replay {

// False with the reason in problem; no temporary file is left behind.
bool writeFileAtomically(const std::string& path, std::string_view text, std::string& problem);

// A path made absolute against the working folder, so a later change of folder keeps its meaning.
std::string absolutePath(const std::string& path);

// A seed from the clock, for a session that was given none.
uint64_t clockSeed();

}  // namespace replay
