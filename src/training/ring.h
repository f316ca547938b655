// A ring of the last N entries: pushing a new one drops the oldest once the ring is full, and
// popping takes the newest off, so the ring walks back through time.
#pragma once

#include <cstddef>
#include <vector>

namespace training {

template <typename T>
class Ring {
public:
    explicit Ring(size_t capacity) : slots_(capacity) {}

    // The slot of a new newest entry, to be filled in place (no entry is allocated per push).
    T& push() {
        T& slot = slots_[next_];
        next_ = (next_ + 1) % slots_.size();
        if (count_ < slots_.size()) ++count_;
        return slot;
    }
    const T& newest() const { return slots_[(next_ + slots_.size() - 1) % slots_.size()]; }
    void pop() {
        if (count_ == 0) return;
        next_ = (next_ + slots_.size() - 1) % slots_.size();
        --count_;
    }
    void clear() { count_ = 0; }
    bool empty() const { return count_ == 0; }
    size_t size() const { return count_; }
    size_t capacity() const { return slots_.size(); }

private:
    std::vector<T> slots_;
    size_t next_ = 0;  // where the next push writes
    size_t count_ = 0;
};

}  // namespace training
