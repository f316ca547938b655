// What the window shows, worked out without one: the whole factor and where the picture sits for
// any window size, the surface's colours as 32-bit window pixels,
// the scaled picture, and which frames repeat the last one shown.
#include "platform/sdl/window_picture.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "media/color.h"
#include "media/surface.h"

namespace platform {
namespace {

constexpr ChannelMasks kXrgb{0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0};
constexpr ChannelMasks kAbgr{0x000000FFu, 0x0000FF00u, 0x00FF0000u, 0xFF000000u};

TEST(WindowFit, ThePictureTakesTheLargestWholeFactorCentred) {
    struct Case {
        int w, h, nudge;
        int scale;
        PictureRect picture;
    };
    const Case cases[] = {
        {400, 300, 0, 1, {0, 0, 400, 300}},         {800, 600, 0, 2, {0, 0, 800, 600}},
        {799, 600, 0, 1, {199, 150, 400, 300}},  // one pixel short of twice as wide
        {800, 599, 0, 1, {200, 149, 400, 300}},     {1920, 1080, 0, 3, {360, 90, 1200, 900}},
        {1921, 1081, 0, 3, {360, 90, 1200, 900}},  // the odd pixel goes to the right and bottom
        {1001, 651, 0, 2, {100, 25, 800, 600}},     {2560, 1440, 0, 4, {480, 120, 1600, 1200}},
        {1200, 300, 0, 1, {400, 0, 400, 300}},     // a wide strip keeps the height's factor
        {300, 200, 0, 1, {-50, -50, 400, 300}},    // smaller than the surface: its middle shows
        {1920, 1080, 5, 3, {375, 90, 1200, 900}},  // the nudge moves whole surface pixels
        {1920, 1080, -40, 3, {240, 90, 1200, 900}}, {800, 600, 1, 2, {2, 0, 800, 600}},
    };
    for (const Case& c : cases) {
        const PictureFit fit = fitPicture(c.w, c.h, c.nudge);
        EXPECT_EQ(fit.scale, c.scale) << c.w << "x" << c.h;
        EXPECT_EQ(fit.picture, c.picture) << c.w << "x" << c.h << " nudge " << c.nudge;
    }
}

TEST(WindowColours, SurfaceColoursBecomeWindowPixels) {
    const PixelTable xrgb(kXrgb), abgr(kAbgr);
    struct Case {
        media::TColor colour;
        uint32_t xrgb, abgr;
    };
    // A grey of 120 keeps 5 and 6 bits (15, 30), widened as the game widens them: 123, 121, 123.
    const Case cases[] = {
        {media::rgb(0, 0, 0), 0x000000u, 0xFF000000u},
        {media::rgb(255, 255, 255), 0xFFFFFFu, 0xFFFFFFFFu},
        {media::rgb(255, 0, 0), 0xFF0000u, 0xFF0000FFu},
        {media::rgb(0, 255, 0), 0x00FF00u, 0xFF00FF00u},
        {media::rgb(0, 0, 255), 0x0000FFu, 0xFFFF0000u},
        {media::rgb(120, 120, 120), 0x7B797Bu, 0xFF7B797Bu},
        {media::rgb(255, 100, 100), 0xFF6563u, 0xFF6365FFu},
    };
    for (const Case& c : cases) {
        const uint16_t p = media::to565(c.colour);
        EXPECT_EQ(xrgb[p], c.xrgb) << std::hex << p;
        EXPECT_EQ(abgr[p], c.abgr) << std::hex << p;
    }
}

TEST(WindowColours, EachWindowPixelIsItsNearestSurfacePixel) {
    const PixelTable table(kXrgb);
    media::Surface s;
    for (int y = 0; y < media::Surface::kHeight; ++y)
        for (int x = 0; x < media::Surface::kWidth; ++x)
            s.pixels()[y * media::Surface::kWidth + x] = static_cast<uint16_t>(x * 157 + y * 31);
    constexpr uint32_t kUntouched = 0xDEADBEEFu;
    constexpr int kPadding = 3;  // pixels past each row, which must stay as they were
    struct Case {
        int scale, x, y;  // a window pixel
    };
    const Case cases[] = {{1, 0, 0}, {1, 399, 299},  {2, 1, 1},     {2, 2, 3},      {2, 799, 599},
                          {3, 5, 2}, {3, 1199, 899}, {3, 600, 451}, {5, 1999, 1499}};
    for (const Case& c : cases) {
        const int width = media::Surface::kWidth * c.scale + kPadding;
        std::vector<uint32_t> out(static_cast<size_t>(width * media::Surface::kHeight * c.scale),
                                  kUntouched);
        convertScaled(s.pixels(), table, c.scale, out.data(),
                      width * static_cast<int>(sizeof(uint32_t)));
        EXPECT_EQ(out[static_cast<size_t>(c.y * width + c.x)],
                  table[s.at(c.x / c.scale, c.y / c.scale)])
            << "scale " << c.scale << " at " << c.x << "," << c.y;
        EXPECT_EQ(out[static_cast<size_t>(c.y * width + width - 1)], kUntouched)
            << "scale " << c.scale << " row " << c.y;
    }
}

TEST(WindowFrames, OnlyAChangedPictureOrNudgeIsShownAgain) {
    struct Step {
        int pixel;  // a pixel set to white, or -1
        int nudge;
        bool shown;
    };
    const Step steps[] = {
        {-1, 0, true},  // the first frame
        {-1, 0, false},   {1234, 0, true}, {1234, 0, false},  {1234, 1, true},
        {1234, 1, false}, {1234, 0, true}, {119999, 0, true}, {119999, 0, false},
    };
    ShownFrame shown;
    media::Surface s;
    int i = 0;
    for (const Step& step : steps) {
        if (step.pixel >= 0) s.pixels()[step.pixel] = 0xFFFF;
        EXPECT_EQ(shown.update(s, step.nudge), step.shown) << "step " << i;
        EXPECT_EQ(shown.offsetX(), step.nudge);
        ++i;
    }
}

}  // namespace
}  // namespace platform
