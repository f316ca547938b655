// Newcomers at the host's socket: each has a few seconds to say who it is (its first whole
// message); one that does is handed out with what it said, one that does not is shown out, so
// no silent or slow newcomer holds up the host or anyone else coming.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "net/enet_link.h"
#include "net/wire.h"

namespace net {

// How long a newcomer has to say hello.
inline constexpr uint64_t kHelloMs = 5000;

class Door {
public:
    Door(EnetHost& socket, std::function<uint64_t()> nowMs)
        : socket_(socket), now_(std::move(nowMs)) {}

    // The next newcomer that spoke, with its first whole message; false when none is waiting.
    bool next(std::unique_ptr<EnetLink>& link, Message& said);
    // Newcomers still to say something.
    size_t waiting() const { return waiting_.size(); }

private:
    struct Newcomer {
        std::unique_ptr<EnetLink> link;
        uint64_t since = 0;
    };
    EnetHost& socket_;
    std::function<uint64_t()> now_;
    std::vector<Newcomer> waiting_;
};

}  // namespace net
