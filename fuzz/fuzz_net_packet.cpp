// The netplay decoder on any datagram: it never reads past the bytes, and a message it accepts
// keeps the format's bounds and encodes back to the very same bytes.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "net/wire.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    net::Message m;
    if (!net::decode(bytes, m)) return 0;
    if (const auto* in = std::get_if<net::Inputs>(&m)) {
        if (in->inputs.empty() || in->inputs.size() > net::kInputsPerPacket ||
            in->hashes.size() > net::kHashesPerPacket) {
            __builtin_trap();
        }
        for (const net::FrameInput& f : in->inputs)
            if (f.keyCount > net::kMaxKeysPerFrame) __builtin_trap();
    }
    const std::vector<uint8_t> again = net::encode(m);
    if (again.size() != size || !std::equal(again.begin(), again.end(), data)) __builtin_trap();
    return 0;
}
