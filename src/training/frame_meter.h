// The frame meter: one cell per counted frame for each fighter over the last 80, saying what the
// fighter was doing in it (start-up, active, recovery, hit stun, free), so that the advantage
// reads as the offset between the two rows' first free cells.
#pragma once

#include <array>
#include <cstdint>

#include "game/state.h"

namespace training {

enum class Cell : uint8_t { Empty, Startup, Active, Recovery, Stun, Free };

class FrameMeter {
public:
    static constexpr int kCells = 80;

    // One counted frame of both fighters: as each was after it, the states it held, and whether
    // its attack was live at the frame's hit test.
    void add(const pelea::Lutador& before1, const pelea::Lutador& after1, uint32_t held1,
             bool live1, const pelea::Lutador& before2, const pelea::Lutador& after2,
             uint32_t held2, bool live2);

    int count() const { return count_; }
    // Fighter n's (1 or 2) cell i, 0 the oldest of those kept.
    Cell at(int n, int i) const;

private:
    Cell classify(int side, const pelea::Lutador& before, const pelea::Lutador& after,
                  uint32_t held, bool live);

    std::array<std::array<Cell, kCells>, 2> cells_{};
    std::array<bool, 2> activeSeen_{};  // each side's running blow has been live
    uint8_t next_ = 0, count_ = 0;
};

}  // namespace training
