// The frame timer: a tick at most once per Interval milliseconds, only while the application is
// active (ActiveOnly). The game advances exactly one step per tick, whatever the lag.
#pragma once

#include <cstdint>

namespace media {

class DXTimer {
public:
    bool Enabled = true;
    unsigned Interval = 1;
    bool ActiveOnly = true;

    // One idle pass: true when the frame function is to run now (the tick time is noted).
    bool idle(uint64_t nowMs, bool active);
    // Milliseconds until the next tick could be due (0 when it is due already).
    uint64_t msUntilDue(uint64_t nowMs) const;

private:
    uint64_t lastTick_ = 0;
    bool ticked_ = false;
};

}  // namespace media
