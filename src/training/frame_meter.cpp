#include "training/frame_meter.h"

#include <algorithm>

#include "training/frame_data.h"

namespace training {

// A cell is what the fighter was doing in the frame. A frame that starts, carries on or ends a
// blow is start-up until the blow is first live, active while live, recovery after; any other
// frame is free when the game took (or would have taken) an attack from the fighter in it, and
// stun otherwise.
Cell FrameMeter::classify(int side, const pelea::Lutador& before, const pelea::Lutador& after,
                          uint32_t held, bool live) {
    bool& seen = activeSeen_[static_cast<size_t>(side)];
    if (!isAttackState(after.pos) && !isAttackState(before.pos)) {
        seen = false;
        return canAttack(before, held) ? Cell::Free : Cell::Stun;
    }
    if (!isAttackState(before.pos)) seen = false;
    if (live) {
        seen = true;
        return Cell::Active;
    }
    return seen ? Cell::Recovery : Cell::Startup;
}

void FrameMeter::add(const pelea::Lutador& before1, const pelea::Lutador& after1, uint32_t held1,
                     bool live1, const pelea::Lutador& before2, const pelea::Lutador& after2,
                     uint32_t held2, bool live2) {
    cells_[0][next_] = classify(0, before1, after1, held1, live1);
    cells_[1][next_] = classify(1, before2, after2, held2, live2);
    next_ = static_cast<uint8_t>((next_ + 1) % kCells);
    if (count_ < kCells) ++count_;
}

Cell FrameMeter::at(int n, int i) const {
    if (n < 1 || n > 2 || i < 0 || i >= count_) return Cell::Empty;
    const int slot = (next_ + kCells - count_ + i) % kCells;
    return cells_[static_cast<size_t>(n - 1)][static_cast<size_t>(slot)];
}

}  // namespace training
