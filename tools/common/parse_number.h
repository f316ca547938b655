// Reading a whole decimal number from a command-line argument, within bounds: shared by the
// tools' command lines.
#pragma once

#include <charconv>
#include <string_view>
#include <system_error>

namespace tools {

// True, with out set, when all of s is one number in lo … hi.
template <class T>
bool parseNumber(std::string_view s, T lo, T hi, T& out) {
    T v{};
    const char* end = s.data() + s.size();
    const auto [ptr, ec] = std::from_chars(s.data(), end, v);
    if (s.empty() || ec != std::errc{} || ptr != end || v < lo || v > hi) return false;
    out = v;
    return true;
}

}  // namespace tools
