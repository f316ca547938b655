#include "media/canvas.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/font_check.h"

namespace media {
namespace {

constexpr TColor kBg = rgb(0, 0, 0);
constexpr TColor kPen = rgb(255, 0, 0);
constexpr TColor kBrush = rgb(0, 0, 255);

TextRenderer& sharedText() {
    static TextRenderer text;
    return text;
}

struct CanvasFixture : ::testing::Test {
    Surface surface;
    Canvas canvas{surface, sharedText()};
    void SetUp() override { surface.fill(kBg); }
    bool same(const Surface& other) const {
        return std::equal(surface.pixels(), surface.pixels() + 400 * 300, other.pixels());
    }
};

using CanvasRects = CanvasFixture;

TEST_F(CanvasRects, FillRectSwappedEdgesFillTheSameSpan) {
    const Rect given[] = {{275, 35, 225, 45}, {225, 45, 275, 35}, {275, 45, 225, 35}};
    Surface reference;
    reference.fill(kBg);
    Canvas ref(reference, sharedText());
    ref.setBrushColor(kBrush);
    ref.FillRect(Rect{225, 35, 275, 45});
    EXPECT_EQ(reference.colorAt(225, 35), kBrush);
    EXPECT_EQ(reference.colorAt(274, 44), kBrush);
    EXPECT_EQ(reference.colorAt(275, 40), kBg);  // right edge excluded
    EXPECT_EQ(reference.colorAt(250, 45), kBg);  // bottom edge excluded
    EXPECT_EQ(reference.colorAt(224, 40), kBg);
    for (const Rect& r : given) {
        surface.fill(kBg);
        canvas.setBrushColor(kBrush);
        canvas.FillRect(r);
        EXPECT_TRUE(same(reference)) << r.left << "," << r.top << "-" << r.right << "," << r.bottom;
    }
    canvas.FillRect(Rect{-50, -50, 500, 500});  // clipped to the surface
    EXPECT_EQ(surface.colorAt(399, 299), kBrush);
}

TEST_F(CanvasRects, FrameRectDrawsTheInsideBorderOnly) {
    canvas.setBrushColor(kBrush);
    canvas.FrameRect(Rect{250, 10, 300, 40});
    struct Case {
        int x, y;
        TColor want;
    };
    const Case cases[] = {{250, 10, kBrush}, {299, 10, kBrush}, {250, 39, kBrush},
                          {299, 39, kBrush}, {275, 10, kBrush}, {250, 25, kBrush},
                          {275, 25, kBg},    {300, 10, kBg},    {250, 40, kBg},
                          {251, 11, kBg}};
    for (const Case& c : cases)
        EXPECT_EQ(surface.colorAt(c.x, c.y), c.want) << c.x << "," << c.y;

    const Rect nothing[] = {
        {300, 10, 250, 40}, {250, 40, 300, 10}, {250, 10, 250, 40}, {250, 10, 300, 10}};
    for (const Rect& r : nothing) {
        surface.fill(kBg);
        canvas.FrameRect(r);
        Surface blank;
        blank.fill(kBg);
        EXPECT_TRUE(same(blank)) << r.left << "," << r.top << "-" << r.right << "," << r.bottom;
    }
}

TEST_F(CanvasRects, BrushStyleRules) {
    canvas.setBrushColor(kBrush);
    canvas.setBrushStyle(BrushStyle::Clear);
    EXPECT_EQ(canvas.brushColor(), kWhite);
    canvas.setBrushColor(kPen);
    EXPECT_EQ(canvas.brushStyle(), BrushStyle::Solid);
    // An empty text leaves a Clear brush as it was; a following bar still fills once the colour
    // is set.
    canvas.setBrushStyle(BrushStyle::Clear);
    canvas.TextOut(10, 10, "");
    EXPECT_EQ(canvas.brushStyle(), BrushStyle::Clear);
    canvas.setBrushColor(kBrush);
    canvas.FillRect(Rect{0, 0, 5, 5});
    EXPECT_EQ(surface.colorAt(4, 4), kBrush);
}

using CanvasShapes = CanvasFixture;

TEST_F(CanvasShapes, EllipseOutlineAndInterior) {
    struct Case {
        int x, y;
        TColor solid, clear;
    };
    // Ellipse (100, 100)–(121, 111): 21 × 11 pixels, centre (110, 105).
    const Case cases[] = {
        {100, 100, kBg, kBg},   {120, 110, kBg, kBg},   {110, 105, kBrush, kBg},
        {100, 105, kPen, kPen}, {120, 105, kPen, kPen}, {121, 105, kBg, kBg},
        {110, 100, kPen, kPen}, {110, 110, kPen, kPen}, {110, 111, kBg, kBg},
        {99, 105, kBg, kBg},
    };
    for (const bool solid : {true, false}) {
        surface.fill(kBg);
        canvas.setPenColor(kPen);
        canvas.setBrushColor(kBrush);
        if (!solid) canvas.setBrushStyle(BrushStyle::Clear);
        canvas.Ellipse(121, 111, 100, 100);  // put in order first
        for (const Case& c : cases) {
            EXPECT_EQ(surface.colorAt(c.x, c.y), solid ? c.solid : c.clear)
                << c.x << "," << c.y << (solid ? " solid" : " clear");
        }
    }
}

TEST_F(CanvasShapes, RoundRectCornersAreRounded) {
    struct Case {
        int x, y;
        TColor want;
    };
    // (50, 50)–(90, 80) with 10 × 10 corners.
    const Case cases[] = {{50, 50, kBg},    {89, 79, kBg},    {89, 50, kBg},  {50, 79, kBg},
                          {70, 50, kPen},   {70, 79, kPen},   {50, 65, kPen}, {89, 65, kPen},
                          {70, 65, kBrush}, {52, 52, kBrush}, {90, 65, kBg},  {70, 80, kBg},
                          {51, 51, kPen}};
    for (const bool swapped : {false, true}) {
        surface.fill(kBg);
        canvas.setPenColor(kPen);
        canvas.setBrushColor(kBrush);
        if (swapped) {
            canvas.RoundRect(90, 80, 50, 50, 10, 10);
        } else {
            canvas.RoundRect(50, 50, 90, 80, 10, 10);
        }
        for (const Case& c : cases) {
            EXPECT_EQ(surface.colorAt(c.x, c.y), c.want) << c.x << "," << c.y;
        }
    }
}

TEST_F(CanvasShapes, BlindSurfaceDrawsNothing) {
    surface.blind = true;
    canvas.setBrushColor(kBrush);
    canvas.FillRect(Rect{0, 0, 400, 300});
    canvas.FrameRect(Rect{0, 0, 400, 300});
    canvas.RoundRect(0, 0, 400, 300, 20, 20);
    canvas.Ellipse(0, 0, 400, 300);
    canvas.TextOut(0, 0, "Pelea");
    surface.blind = false;
    Surface blank;
    blank.fill(kBg);
    EXPECT_TRUE(same(blank));
    surface.blind = true;
    if (sharedText().ready()) {
        EXPECT_GT(canvas.TextWidth("Pelea"), 0);
    }
}

using CanvasText = CanvasFixture;

// The canvas measures a text as the text layer lays it out at the canvas's size, an accented
// letter as one glyph; a bigger size is wider, size 0 measures nothing.
TEST_F(CanvasText, WidthIsTheTextLayersAtTheCanvasSize) {
    PELEA_NEEDS_FONT(sharedText().ready());
    const std::string texts[] = {"Configuracion", "Nível de Daño", "NIVEL-4", "99"};
    for (const std::string& t : texts) {
        canvas.setFontSize(12);
        const int w12 = canvas.TextWidth(t);
        EXPECT_EQ(w12, sharedText().width(t, 12)) << t;
        EXPECT_GT(w12, 0) << t;
        canvas.setFontSize(24);
        EXPECT_GT(canvas.TextWidth(t), w12) << t;
        canvas.setFontSize(0);
        EXPECT_EQ(canvas.TextWidth(t), 0) << t;
    }
    canvas.setFontSize(12);
    EXPECT_EQ(canvas.TextWidth("í"), canvas.TextWidth("i")) << "one glyph, not two bytes";
    EXPECT_GT(sharedText().height(12), 12);
}

TEST_F(CanvasText, GlyphsStayInsideTheirBox) {
    PELEA_NEEDS_FONT(sharedText().ready());
    struct Case {
        int x, y, size;
    };
    const Case cases[] = {{100, 100, 12}, {20, 40, 30}, {5, 200, 7}};
    for (const Case& c : cases) {
        surface.fill(kBg);
        canvas.setFontSize(c.size);
        canvas.setFontColor(kWhite);
        canvas.setBrushStyle(BrushStyle::Clear);
        canvas.TextOut(c.x, c.y, "Nível de Daño");
        const int w = canvas.TextWidth("Nível de Daño"), h = sharedText().height(c.size);
        int inside = 0, outside = 0;
        for (int y = 0; y < Surface::kHeight; ++y) {
            for (int x = 0; x < Surface::kWidth; ++x) {
                const bool in = x >= c.x && x < c.x + w && y >= c.y && y < c.y + h;
                const bool lit = surface.at(x, y) != 0;
                inside += in && lit ? 1 : 0;
                outside += !in && lit ? 1 : 0;
            }
        }
        EXPECT_GT(inside, w) << c.size;
        EXPECT_EQ(outside, 0) << c.size;
    }
}

TEST_F(CanvasText, SolidBrushFillsTheBoxAndColourTintsTheSameMask) {
    PELEA_NEEDS_FONT(sharedText().ready());
    canvas.setFontSize(12);
    canvas.setFontColor(kPen);
    canvas.setBrushColor(kBrush);
    canvas.TextOut(10, 10, "Pelea");
    const int w = canvas.TextWidth("Pelea");
    EXPECT_EQ(surface.colorAt(10, 10), kBrush);  // the box corner holds no glyph
    EXPECT_EQ(surface.colorAt(10 + w, 10), kBg);
    Surface red;
    red.fill(kBg);
    Surface white;
    white.fill(kBg);
    sharedText().draw(red, 50, 50, "Pelea", 12, kPen);
    sharedText().draw(white, 50, 50, "Pelea", 12, kWhite);
    int fullRed = 0;
    for (int i = 0; i < 400 * 300; ++i) {
        // One mask: fully covered pixels match, and a faint red never lies where white is not.
        ASSERT_EQ(red.pixels()[i] == to565(kPen), white.pixels()[i] == to565(kWhite)) << i;
        ASSERT_TRUE(red.pixels()[i] == 0 || white.pixels()[i] != 0) << i;
        fullRed += red.pixels()[i] == to565(kPen) ? 1 : 0;
    }
    EXPECT_GT(fullRed, 0);
}

TEST_F(CanvasText, ClipsAndToleratesOddSizes) {
    PELEA_NEEDS_FONT(sharedText().ready());
    canvas.setBrushStyle(BrushStyle::Clear);
    canvas.setFontColor(kWhite);
    for (const int size : {0, -3, 256, 70}) {
        canvas.setFontSize(size);
        canvas.TextOut(-30, -10, "K.O.");
        canvas.TextOut(380, 280, "K.O.");
    }
    // The visible part of the 70-point text that starts off the top-left corner is drawn.
    int lit = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x)
            lit += surface.at(x, y) != 0 ? 1 : 0;
    }
    EXPECT_GT(lit, 0);
    canvas.setFontSize(0);
    surface.fill(kBg);
    canvas.TextOut(100, 100, "K.O.");
    EXPECT_EQ(surface.at(100, 100), 0);
}

}  // namespace
}  // namespace media
