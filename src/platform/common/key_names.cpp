#include "platform/common/key_names.h"

#include <charconv>

namespace platform {

uint32_t stateBit(std::string_view name) {
    for (const StateName& s : kStateNames) {
        if (s.name == name) return s.bit;
    }
    return 0;
}

int keyCode(std::string_view name) {
    for (const KeyName& k : kKeyNames) {
        if (k.name == name) return k.virtualKey;
    }
    int code = 0;
    const char* end = name.data() + name.size();
    const auto [ptr, ec] = std::from_chars(name.data(), end, code);
    if (name.empty() || ec != std::errc() || ptr != end) return -1;
    if (code < kMinVirtualKey || code > kMaxVirtualKey) return -1;
    return code;
}

}  // namespace platform
