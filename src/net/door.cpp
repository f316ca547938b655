#include "net/door.h"

namespace net {

bool Door::next(std::unique_ptr<EnetLink>& link, Message& said) {
    const uint64_t now = now_();
    for (std::unique_ptr<EnetLink>& l : socket_.takeArrivals())
        waiting_.push_back({std::move(l), now});
    std::vector<uint8_t> bytes;
    for (auto it = waiting_.begin(); it != waiting_.end();) {
        bool spoke = false;
        while (!spoke && it->link->receive(bytes))
            spoke = decode(bytes, said);
        if (spoke) {
            link = std::move(it->link);
            waiting_.erase(it);
            return true;
        }
        if (it->link->lost()) {
            it = waiting_.erase(it);
        } else if (now - it->since > kHelloMs) {
            it->link->leave();
            it = waiting_.erase(it);
        } else {
            ++it;
        }
    }
    return false;
}

}  // namespace net
