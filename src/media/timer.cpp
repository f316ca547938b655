#include "media/timer.h"

namespace media {

bool DXTimer::idle(uint64_t nowMs, bool active) {
    if ((ActiveOnly && !active) || !Enabled) return false;
    if (msUntilDue(nowMs) > 0) return false;
    lastTick_ = nowMs;
    ticked_ = true;
    return true;
}

uint64_t DXTimer::msUntilDue(uint64_t nowMs) const {
    if (!ticked_) return 0;
    // A clock that went backwards counts as no time passed.
    const uint64_t elapsed = nowMs > lastTick_ ? nowMs - lastTick_ : 0;
    return elapsed >= Interval ? 0 : Interval - elapsed;
}

}  // namespace media
