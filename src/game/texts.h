// The four text stores of the game, addressed by line number; line 0 of each is a dash that is
// never shown.
#pragma once

#include <span>
#include <string_view>

namespace pelea {

class TextStore {
public:
    constexpr explicit TextStore(std::span<const std::string_view> lines) : lines_(lines) {}
    // The line, or an empty text for a line the store does not have.
    constexpr std::string_view Lines(int i) const {
        return i >= 0 && static_cast<size_t>(i) < lines_.size() ? lines_[static_cast<size_t>(i)]
                                                                : std::string_view{};
    }
    constexpr int Count() const { return static_cast<int>(lines_.size()); }

private:
    std::span<const std::string_view> lines_;
};

extern const TextStore MemoNomes;   // line c: display name of character c
extern const TextStore MemoTexto;   // interface texts
extern const TextStore MemoConfig;  // configuration menu texts
extern const TextStore MemoFrases;  // victory phrases, three per character and a separator

}  // namespace pelea
