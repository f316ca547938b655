#include <gtest/gtest.h>

#include <string>

#include "support/font_check.h"
#include "support/game_fixture.h"

namespace pelea {
namespace {

using testing::Game;

constexpr TColor kGrey = media::rgb(96, 96, 96);
constexpr TColor shown(TColor c) {
    return media::from565(media::to565(c));
}

// Columns of row y painted in colour c.
std::string rowMask(const media::Surface& s, int y, int x0, int x1, TColor c) {
    std::string out;
    for (int x = x0; x <= x1; ++x)
        out += s.colorAt(x, y) == shown(c) ? '#' : '.';
    return out;
}

TEST(Primitives, BarraFillsTheSameSpanWhicheverWayItIsGiven) {
    const TColor c = media::rgb(40, 200, 80);
    struct Case {
        int x1, y1, x2, y2;
    };
    for (const Case k : {Case{225, 35, 275, 45}, Case{275, 35, 225, 45}, Case{275, 45, 225, 35}}) {
        Game game;
        media::Surface& s = game.form.DXDraw1.Surface;
        s.fill(kGrey);
        game.form.barra(k.x1, k.y1, k.x2, k.y2, c);
        // Left and top included, right and bottom excluded.
        EXPECT_EQ(rowMask(s, 40, 224, 226, c), ".##");
        EXPECT_EQ(rowMask(s, 40, 273, 275, c), "##.");
        EXPECT_EQ(s.colorAt(250, 34), shown(kGrey));
        EXPECT_EQ(s.colorAt(250, 35), shown(c));
        EXPECT_EQ(s.colorAt(250, 44), shown(c));
        EXPECT_EQ(s.colorAt(250, 45), shown(kGrey));
    }
}

TEST(Primitives, RetanguloDrawsOneFrameWhicheverWayItIsGiven) {
    const TColor c = media::rgb(250, 250, 0);
    struct Case {
        int x1, x2;
    };
    for (const Case k : {Case{300, 250}, Case{250, 300}}) {
        Game game;
        media::Surface& s = game.form.DXDraw1.Surface;
        s.fill(kGrey);
        game.form.retangulo(k.x1, 10, k.x2, 40, c);
        // The frame of the span 250…299: both side columns, nothing inside.
        EXPECT_EQ(rowMask(s, 20, 249, 252, c), ".#..") << k.x1;
        EXPECT_EQ(rowMask(s, 20, 297, 300, c), "..#.") << k.x1;
        EXPECT_EQ(rowMask(s, 10, 249, 251, c), ".##") << k.x1;
        EXPECT_EQ(rowMask(s, 39, 298, 300, c), "##.") << k.x1;
        EXPECT_EQ(s.colorAt(275, 40), shown(kGrey));
    }
}

TEST(Primitives, ZeroWidthRetanguloDrawsNothing) {
    Game game;
    media::Surface& s = game.form.DXDraw1.Surface;
    s.fill(kGrey);
    game.form.retangulo(100, 10, 100, 40, media::kWhite);
    for (int y = 9; y <= 41; ++y)
        EXPECT_EQ(s.colorAt(100, y), shown(kGrey));
}

// Leftmost column of row band y0…y1 painted in colour c, or −1.
int leftmost(const media::Surface& s, int y0, int y1, TColor c) {
    for (int x = 0; x < media::Surface::kWidth; ++x) {
        for (int y = y0; y <= y1; ++y) {
            if (s.colorAt(x, y) == shown(c)) return x;
        }
    }
    return -1;
}

TEST(Primitives, TextoAlignsOnHalfTheWidthRoundedToEven) {
    Game game;
    PELEA_NEEDS_FONT(game.form.fonte.ready());
    const TColor c = media::rgb(255, 255, 255);
    media::Surface& s = game.form.DXDraw1.Surface;
    game.form.Canvas.setFontSize(12);
    // Texts of odd and of even width, so both halves are checked.
    const std::string texts[] = {"A", "AB", "Mangazos", "Ganaste un Ron", "NIVEL-4", "99"};
    for (const std::string& t : texts) {
        const int w = game.form.Canvas.TextWidth(t);
        s.fill(kGrey);
        game.form.texto(100, 50, t, '-', 12, c);
        const int plain = leftmost(s, 50, 80, c);
        ASSERT_GE(plain, 100) << t;
        const int half = TForm1::Round(w / 2.0);
        s.fill(kGrey);
        game.form.texto(200, 50, t, 'c', 12, c);
        EXPECT_EQ(leftmost(s, 50, 80, c) - plain, 100 - half) << t << " width " << w;
        s.fill(kGrey);
        game.form.texto(300, 50, t, 'e', 12, c);
        EXPECT_EQ(leftmost(s, 50, 80, c) - plain, 200 - w) << t << " width " << w;
    }
}

TEST(Primitives, HalfWidthRoundsToTheEvenNeighbour) {
    const std::pair<double, int> cases[] = {{20.5, 20}, {21.5, 22}, {0.5, 0}, {1.5, 2}, {2.4, 2}};
    for (const auto& [v, r] : cases)
        EXPECT_EQ(TForm1::Round(v), r) << v;
}

TEST(Primitives, CanvasStateAfterEachPrimitive) {
    Game game;
    media::Canvas& cv = game.form.Canvas;
    game.form.texto(10, 10, "", 'c', 10, media::kWhite);
    EXPECT_EQ(cv.brushStyle(), media::BrushStyle::Clear);
    // A bar after a text still fills: setting the brush colour restores the solid brush.
    game.form.DXDraw1.Surface.fill(kGrey);
    game.form.barra(0, 0, 10, 10, media::rgb(0, 255, 0));
    EXPECT_EQ(game.form.DXDraw1.Surface.colorAt(5, 5), shown(media::rgb(0, 255, 0)));
    game.form.circulo(20, 20, 60, 50, media::rgb(255, 0, 0));
    EXPECT_EQ(cv.brushStyle(), media::BrushStyle::Solid);
    EXPECT_EQ(cv.brushColor(), media::kWhite);
}

TEST(Primitives, CirculoLeavesTheInsideAndCirculopintadoFillsIt) {
    Game game;
    media::Surface& s = game.form.DXDraw1.Surface;
    const TColor pen = media::rgb(255, 0, 0), fill = media::rgb(0, 0, 255);
    s.fill(kGrey);
    game.form.circulo(100, 100, 141, 141, pen);
    EXPECT_EQ(s.colorAt(120, 120), shown(kGrey));
    EXPECT_EQ(s.colorAt(100, 100), shown(kGrey));  // the corner lies outside the ellipse
    EXPECT_EQ(s.colorAt(120, 100), shown(pen));    // top of the outline
    game.form.circulopintado(100, 100, 141, 141, pen, fill);
    EXPECT_EQ(s.colorAt(120, 120), shown(fill));
    EXPECT_EQ(s.colorAt(100, 100), shown(kGrey));
}

TEST(Primitives, BarraredondaOutlinesRoundsAndFills) {
    Game game;
    media::Surface& s = game.form.DXDraw1.Surface;
    const TColor pen = media::kWhite, fill = media::kBlack;
    s.fill(kGrey);
    game.form.barraredonda(100, 100, 300, 170, 10, pen, fill);
    EXPECT_EQ(s.colorAt(200, 100), shown(pen));
    EXPECT_EQ(s.colorAt(200, 169), shown(pen));
    EXPECT_EQ(s.colorAt(200, 170), shown(kGrey));
    EXPECT_EQ(s.colorAt(200, 135), shown(fill));
    EXPECT_EQ(s.colorAt(100, 100), shown(kGrey));  // the rounded corner leaves it
    EXPECT_EQ(s.colorAt(100, 135), shown(pen));
}

}  // namespace
}  // namespace pelea
