#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "media/image_list.h"

namespace media {
namespace {

constexpr TColor kBg = rgb(0, 0, 255);

// A picture whose every pixel has its own colour.
Picture numbered(int w, int h) {
    Picture p(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            p.setPixel(x, y, rgb(16 + x * 40, 8 + y * 60, 96));
    }
    return p;
}

ImageItem itemOf(const Picture& p, bool keyed = false) {
    ImageItem item;
    item.setPicture(p);
    item.Transparent = keyed;
    item.Restore();
    return item;
}

TEST(ImageItemKey, MatchesTheTwentyFourBitSource) {
    Picture p(3, 1);
    p.setPixel(0, 0, rgb(254, 255, 255));
    p.setPixel(1, 0, kWhite);
    p.setPixel(2, 0, rgb(10, 20, 30));
    const ImageItem item = itemOf(p, true);
    Surface s;
    s.fill(kBg);
    item.Draw(s, 10, 10, 0);
    // Near-white and white share one 565 value; only the exact key is left out.
    EXPECT_EQ(s.at(10, 10), to565(rgb(254, 255, 255)));
    EXPECT_EQ(s.at(11, 10), to565(kBg));
    EXPECT_EQ(s.at(12, 10), to565(rgb(10, 20, 30)));
    EXPECT_TRUE(item.opaqueAt(0, 0));
    EXPECT_FALSE(item.opaqueAt(1, 0));
}

TEST(ImageItemDraw, ClipsAtEveryEdge) {
    const Picture p = numbered(4, 3);
    const ImageItem item = itemOf(p);
    struct Case {
        int x, y;
        int expectedPixels;
    };
    const Case cases[] = {
        {-2, 5, 6}, {398, 5, 6}, {5, -1, 8}, {5, 298, 8}, {-3, -2, 1},    {399, 299, 1},
        {-4, 5, 0}, {400, 5, 0}, {5, -3, 0}, {5, 300, 0}, {100, 100, 12},
    };
    for (const Case& c : cases) {
        Surface s;
        s.fill(kBg);
        item.Draw(s, c.x, c.y, 0);
        int drawn = 0;
        for (int y = 0; y < Surface::kHeight; ++y) {
            for (int x = 0; x < Surface::kWidth; ++x) {
                const int px = x - c.x, py = y - c.y;
                const bool inside = px >= 0 && px < 4 && py >= 0 && py < 3;
                const uint16_t want = inside ? to565(p.pixel(px, py)) : to565(kBg);
                ASSERT_EQ(s.at(x, y), want)
                    << "draw at " << c.x << "," << c.y << " pixel " << x << "," << y;
                drawn += inside ? 1 : 0;
            }
        }
        EXPECT_EQ(drawn, c.expectedPixels) << c.x << "," << c.y;
    }
}

TEST(ImageItemDraw, NothingForBlindEmptyOrMissingPattern) {
    const ImageItem item = itemOf(numbered(4, 3));
    Surface blind;
    blind.fill(kBg);
    blind.blind = true;
    item.Draw(blind, 0, 0, 0);
    item.DrawStretched(blind, Rect{0, 0, 10, 10}, 0);
    item.DrawRotated(blind, 5, 5, 4, 3, 0, 0.5, 0.5, 10);
    EXPECT_EQ(blind.at(0, 0), to565(kBg));

    Surface s;
    s.fill(kBg);
    item.Draw(s, 0, 0, 1);  // the item has only pattern 0
    item.Draw(s, 0, 0, -1);
    ImageItem empty;
    empty.Restore();
    empty.Draw(s, 0, 0, 0);
    empty.DrawBlended(s, Rect{0, 0, 10, 10}, 0, 200);
    EXPECT_EQ(s.at(0, 0), to565(kBg));
}

TEST(ImageItemDraw, PatternsCutThePictureIntoCells) {
    ImageItem item;
    item.setPicture(numbered(4, 3));
    item.PatternWidth = 2;
    item.PatternHeight = 3;
    item.Restore();
    Surface s;
    s.fill(kBg);
    item.Draw(s, 0, 0, 1);
    EXPECT_EQ(s.colorAt(0, 0), from565(to565(item.picture().pixel(2, 0))));
    EXPECT_EQ(s.at(2, 0), to565(kBg));
}

TEST(ImageItemStretch, ScalesByNearestNeighbour) {
    Picture p(2, 2);
    const TColor a = rgb(255, 0, 0), b = rgb(0, 255, 0), c = rgb(0, 0, 0), d = rgb(255, 255, 0);
    p.setPixel(0, 0, a);
    p.setPixel(1, 0, b);
    p.setPixel(0, 1, c);
    p.setPixel(1, 1, d);
    const ImageItem item = itemOf(p);
    struct Case {
        int x, y;
        TColor want;
    };
    // 2×2 onto 4×8: each source pixel covers 2 columns and 4 rows.
    const Case cases[] = {{10, 10, a}, {11, 13, a}, {12, 10, b}, {13, 13, b},   {10, 14, c},
                          {11, 17, c}, {12, 14, d}, {13, 17, d}, {14, 10, kBg}, {10, 18, kBg}};
    for (const Rect& r : {Rect{10, 10, 14, 18}, Rect{14, 18, 10, 10}}) {
        Surface s;
        s.fill(kBg);
        item.DrawStretched(s, r, 0);
        for (const Case& k : cases)
            EXPECT_EQ(s.colorAt(k.x, k.y), k.want) << k.x << "," << k.y;
    }
    Surface s;
    s.fill(kBg);
    item.DrawStretched(s, Rect{10, 10, 10, 18}, 0);
    EXPECT_EQ(s.colorAt(10, 10), kBg);
    // Mostly off-surface: column 0 lies 600 of 1010 pixels in, so in the right source column.
    item.DrawStretched(s, Rect{-600, -10, 410, 1000}, 0);
    EXPECT_EQ(s.colorAt(0, 0), b);
    EXPECT_EQ(s.colorAt(0, 299), b);
}

TEST(ImageItemStretch, HonoursTheKey) {
    Picture p(2, 1);
    p.setPixel(0, 0, kWhite);
    p.setPixel(1, 0, rgb(0, 0, 0));
    const ImageItem item = itemOf(p, true);
    Surface s;
    s.fill(kBg);
    item.DrawStretched(s, Rect{0, 0, 8, 2}, 0);
    EXPECT_EQ(s.colorAt(3, 1), kBg);
    EXPECT_EQ(s.colorAt(4, 1), kBlack);
}

TEST(ImageItemBlend, MixesByAlpha) {
    const TColor pic = rgb(200, 100, 40);
    const ImageItem item = itemOf(Picture(4, 4, pic));
    struct Case {
        int alpha;
        double red, blue;  // expected channels, from picture·a/255 + background·(1 − a/255)
    };
    const Case cases[] = {
        {60, 200 * 60 / 255.0, 255 * 195 / 255.0 + 40 * 60 / 255.0},
        {120, 200 * 120 / 255.0, 255 * 135 / 255.0 + 40 * 120 / 255.0},
        {255, 200, 40},
        {400, 200, 40},
        {0, 0, 255},
        {-7, 0, 255},
    };
    for (const Case& c : cases) {
        Surface s;
        s.fill(kBg);
        item.DrawBlended(s, Rect{20, 20, 24, 24}, 0, c.alpha);
        const TColor got = s.colorAt(21, 21);
        // 5-bit channels: one step is 8 levels.
        EXPECT_NEAR(red(got), c.red, 8.0) << "alpha " << c.alpha;
        EXPECT_NEAR(blue(got), c.blue, 8.0) << "alpha " << c.alpha;
        EXPECT_EQ(s.colorAt(24, 24), kBg);
    }
}

TEST(ImageItemRotate, ZeroTurnEqualsDraw) {
    const ImageItem item = itemOf(numbered(7, 5));
    for (const int x : {-3, 50, 396}) {
        Surface a, b;
        a.fill(kBg);
        b.fill(kBg);
        item.Draw(a, x, 40, 0);
        item.DrawRotated(b, x, 40, 7, 5, 0, 0.0, 0.0, 0);
        EXPECT_TRUE(std::equal(a.pixels(), a.pixels() + 400 * 300, b.pixels())) << x;
        // A full turn is no turn.
        Surface c;
        c.fill(kBg);
        item.DrawRotated(c, x, 40, 7, 5, 0, 0.0, 0.0, 256);
        EXPECT_TRUE(std::equal(a.pixels(), a.pixels() + 400 * 300, c.pixels())) << x;
    }
}

TEST(ImageItemRotate, TurnsClockwiseAboutThePivot) {
    // A 10×10 grey square with its top-right pixel marked; the pivot (top-left) sits at (100, 100).
    Picture p(10, 10, rgb(128, 128, 128));
    const TColor mark = rgb(255, 0, 0);
    p.setPixel(9, 0, mark);
    const ImageItem item = itemOf(p);
    struct Case {
        int angle, markX, markY;
        Rect box;  // the rotated square's pixels
    };
    const Case cases[] = {
        {64, 99, 109, {90, 100, 100, 110}},   // a quarter turn: right goes down
        {128, 90, 99, {90, 90, 100, 100}},    // half a turn
        {-64, 100, 90, {100, 90, 110, 100}},  // a quarter turn back: right goes up
        {192, 100, 90, {100, 90, 110, 100}},
    };
    for (const Case& c : cases) {
        Surface s;
        s.fill(kBg);
        item.DrawRotated(s, 100, 100, 10, 10, 0, 0.0, 0.0, c.angle);
        EXPECT_EQ(s.colorAt(c.markX, c.markY), mark) << c.angle;
        int grey = 0, outside = 0;
        for (int y = 80; y < 120; ++y) {
            for (int x = 80; x < 120; ++x) {
                const bool in =
                    x >= c.box.left && x < c.box.right && y >= c.box.top && y < c.box.bottom;
                const bool painted = s.colorAt(x, y) != kBg;
                grey += in && painted ? 1 : 0;
                outside += !in && painted ? 1 : 0;
            }
        }
        EXPECT_EQ(grey, 100) << c.angle;
        EXPECT_EQ(outside, 0) << c.angle;
    }
}

TEST(ImageItemRotate, ScalesAndCentresOnThePivot) {
    const ImageItem item = itemOf(Picture(2, 2, rgb(0, 0, 0)));
    Surface s;
    s.fill(kBg);
    // Scaled to 20×10 with its centre on (200, 150).
    item.DrawRotated(s, 200, 150, 20, 10, 0, 0.5, 0.5, 0);
    EXPECT_EQ(s.colorAt(190, 145), kBlack);
    EXPECT_EQ(s.colorAt(209, 154), kBlack);
    EXPECT_EQ(s.colorAt(189, 145), kBg);
    EXPECT_EQ(s.colorAt(210, 150), kBg);
    EXPECT_EQ(s.colorAt(200, 144), kBg);
    EXPECT_EQ(s.colorAt(200, 155), kBg);
}

TEST(PictureCopyRect, ScalesMirrorsAndSkipsOutside) {
    Picture src(3, 1);
    const TColor a = rgb(1, 0, 0), b = rgb(2, 0, 0), c = rgb(3, 0, 0), w = kWhite;
    src.setPixel(0, 0, a);
    src.setPixel(1, 0, b);
    src.setPixel(2, 0, c);
    struct Case {
        int dx1, dx2, sx1, sx2;
        std::array<TColor, 6> want;
    };
    const Case cases[] = {
        {0, 3, 0, 3, {a, b, c, w, w, w}},
        {0, 3, 3, 0, {c, b, a, w, w, w}},  // left edge right of the right edge mirrors
        {0, 6, 0, 3, {a, a, b, b, c, c}},  // doubled
        {0, 6, 3, 0, {c, c, b, b, a, a}},
        {4, 7, 0, 3, {w, w, w, w, a, b}},   // the column past the picture is skipped
        {0, 3, -1, 2, {w, a, b, w, w, w}},  // source column −1 is skipped
    };
    for (const Case& k : cases) {
        Picture dst(6, 1);
        dst.copyRect(k.dx1, 0, k.dx2, 1, src, k.sx1, 0, k.sx2, 1);
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(dst.pixel(x, 0), k.want[static_cast<size_t>(x)])
                << k.dx1 << "-" << k.dx2 << " from " << k.sx1 << "-" << k.sx2 << " x=" << x;
        }
    }
}

// A frame cut out of a sheet into an item is what a fresh picture and a copyRect of equal
// extents give (mirrored: the source rectangle reversed): white where it leaves the sheet.
TEST(ImageItemCut, GivesTheRectangleAsACopyRectWould) {
    const Picture sheet = numbered(5, 3);
    struct Case {
        int left, top, w, h;
    };
    const Case cases[] = {{1, 0, 3, 3}, {-2, 0, 4, 2}, {3, 1, 4, 3}, {6, 0, 2, 2}, {0, 0, 0, 3}};
    for (const Case& c : cases) {
        for (const bool mirrored : {false, true}) {
            Picture want(c.w, c.h);
            const int right = c.left + c.w;
            want.copyRect(0, 0, c.w, c.h, sheet, mirrored ? right : c.left, c.top,
                          mirrored ? c.left : right, c.top + c.h);
            ImageItem item;
            item.cut(sheet, c.left, c.top, c.w, c.h, mirrored);
            EXPECT_EQ(item.Width(), want.width()) << c.left << "," << c.top << " " << mirrored;
            EXPECT_TRUE(item.picture() == want) << c.left << "," << c.top << " " << mirrored;
        }
    }
}

// A cut is made when the item is first drawn: drawn blind (a frame run again) it copies nothing;
// the same cut asked for again (a match start run again, its sheet loaded again) copies nothing
// and keeps what is drawn; the sheet changed, it is cut anew.
TEST(ImageItemCut, CopiesOnlyWhatIsDrawnAndNeverTheSameCutTwice) {
    Picture sheet = numbered(6, 2);
    ImageItem item;
    const auto cut = [&item](const Picture& from) {
        item.cut(from, 1, 0, 4, 2, true);
        item.Restore();
    };
    Surface blind, seen;
    blind.blind = true;
    const uint64_t start = Picture::pixelsCopied();
    const auto copied = [start] { return Picture::pixelsCopied() - start; };
    cut(sheet);
    item.Draw(blind, 0, 0, 0);
    EXPECT_EQ(copied(), 0u);
    item.Draw(seen, 0, 0, 0);
    EXPECT_EQ(copied(), 8u) << "cut once, for the picture and its drawable form";
    EXPECT_EQ(seen.at(0, 0), to565(sheet.pixel(4, 0)));
    const Picture again = sheet;
    cut(again);
    item.Draw(seen, 0, 0, 0);
    EXPECT_EQ(copied(), 8u);
    sheet.setPixel(2, 1, kBlack);
    const uint64_t changed = copied();
    cut(sheet);
    item.Draw(seen, 0, 0, 0);
    EXPECT_EQ(copied() - changed, 8u);
    EXPECT_EQ(seen.at(2, 1), to565(kBlack));
}

}  // namespace
}  // namespace media
