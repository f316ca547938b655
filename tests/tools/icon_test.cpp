// The program's icon: a badge with see-through corners, a dark fighter on it and the name in
// bright letters under it, at every size the desktop asks for.
#include "assetgen/icon.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace assetgen {
namespace {

bool isInk(const Icon& icon, int x, int y) {
    return icon.at(x, y, 3) == 255 && icon.at(x, y, 0) < 60 && icon.at(x, y, 1) < 60 &&
           icon.at(x, y, 2) < 60;
}

bool isLetter(const Icon& icon, int x, int y) {
    return icon.at(x, y, 3) == 255 && icon.at(x, y, 0) > 220 && icon.at(x, y, 1) > 150 &&
           icon.at(x, y, 2) < 160;
}

TEST(Icon, ABadgeWithAFighterAndTheNameAtEverySize) {
    for (const int size : {kMinIconSize, 48, 64, 128, 256}) {
        const Icon icon = renderIcon(size);
        ASSERT_EQ(icon.size, size);
        ASSERT_EQ(icon.rgba.size(), static_cast<size_t>(size * size * 4));
        const int last = size - 1, mid = size / 2;
        for (const auto& [x, y] : {std::pair{0, 0}, {last, 0}, {0, last}, {last, last}})
            EXPECT_EQ(icon.at(x, y, 3), 0) << size << ": corner " << x << "," << y;
        EXPECT_EQ(icon.at(mid, mid, 3), 255) << size;

        // The fighter: dark pixels over a good part of the picture above the name.
        int ink = 0, area = 0;
        for (int y = size / 10; y < size * 2 / 3; ++y) {
            for (int x = size / 10; x < size - size / 10; ++x, ++area)
                ink += isInk(icon, x, y);
        }
        EXPECT_GT(ink * 100 / area, 8) << size << ": the fighter covers " << ink << " of " << area;

        // The name: bright letters across most of the width of the band below the fighter.
        int left = size, right = -1, letters = 0;
        for (int y = size * 7 / 10; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                if (!isLetter(icon, x, y)) continue;
                ++letters;
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
        EXPECT_GT(letters, size * size / 60) << size;
        EXPECT_GE(right - left + 1, size * 6 / 10) << size;
        EXPECT_LT(right, last) << size << ": the name stays on the badge";
        EXPECT_GT(left, 0) << size;
    }
}

}  // namespace
}  // namespace assetgen
