#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/game_fixture.h"

namespace pelea {
namespace {

using testing::Game;

constexpr TColor shown(TColor c) {
    return media::from565(media::to565(c));
}

constexpr TColor kBackground = media::rgb(0, 0, 0);
constexpr TColor kBody = media::rgb(40, 160, 40);
constexpr TColor kTopRow = media::rgb(0, 0, 248);
constexpr TColor kLeftColumn = media::rgb(248, 0, 0);     // column 0 as painted
constexpr TColor kRightColumn = media::rgb(248, 248, 0);  // the last column as painted

// A w × h frame: top row, first and last columns marked; mirrored when asked.
media::Picture markedFrame(int w, int h, bool mirrored, TColor body = kBody) {
    media::Picture p(w, h, body);
    for (int y = 1; y < h; ++y) {
        p.setPixel(mirrored ? w - 1 : 0, y, kLeftColumn);
        p.setPixel(mirrored ? 0 : w - 1, y, kRightColumn);
    }
    for (int x = 1; x < w - 1; ++x)
        p.setPixel(x, 0, kTopRow);
    return p;
}

void setFrame(Game& game, int item, int w, int h, TColor body = kBody) {
    for (bool mirrored : {false, true}) {
        media::ImageList& list =
            mirrored ? game.form.DXImageListLutadorInvert : game.form.DXImageListLutador;
        list.Items(item).setPicture(markedFrame(w, h, mirrored, body));
        list.Items(item).Transparent = true;
        list.Items(item).Restore();
    }
}

TColor at(Game& game, int x, int y) {
    return game.form.DXDraw1.Surface.colorAt(x, y);
}

TEST(FighterDrawing, FrameStandsOnItsAnchorFacingEitherWay) {
    // Facing right the frame's left edge is x − anchor − telaX; facing left the mirrored frame's
    // left edge is x + anchor − telaX − width. The top is y − altura − telaY.
    struct Case {
        int fighter, slot, frame, w, h, altura, lado, x, y, telaX, telaY, giro, left, top;
    };
    const Case cases[] = {
        {1, 1, 1, 65, 160, 160, 1, 200, 300, 100, 20, 0, 73, 120},  // anchor 27
        {1, 1, 1, 65, 160, 160, 2, 200, 300, 100, 20, 0, 62, 120},
        {2, 2, 1, 58, 160, 162, 1, 250, 300, 100, 20, 0, 118, 118},  // anchor 32, altura 162
        {2, 2, 1, 58, 160, 162, 2, 250, 300, 100, 20, 0, 124, 118},
        {1, 10, 11, 86, 155, 155, 1, 150, 250, 0, 10, 0, 150, 85},  // anchor 0
        {1, 10, 11, 86, 155, 155, 2, 150, 250, 0, 10, 0, 64, 85},
        {2, 6, 20, 169, 190, 190, 1, 400, 280, 200, 0, 0, 138, 90},  // anchor 62
        {2, 6, 20, 169, 190, 190, 2, 400, 280, 200, 0, 0, 93, 90},
        // Spinning at angle 0: the rotated draw of an even-width frame lands on the same pixels.
        {1, 1, 2, 64, 160, 160, 1, 200, 300, 100, 20, 64, 73, 120},  // anchor 27
        {1, 1, 2, 64, 160, 160, 2, 200, 300, 100, 20, 64, 63, 120},
    };
    for (const Case& c : cases) {
        Game game;
        const int item = (c.fighter == 2 ? 50 : 0) + c.frame;
        setFrame(game, item, c.w, c.h);
        Lutador& l = game.L(c.fighter);
        l.personagem = static_cast<uint8_t>(c.slot);
        l.desenho = static_cast<uint8_t>(item);
        l.altura = static_cast<int16_t>(c.altura);
        l.x = c.x;
        l.y = c.y;
        l.lado = static_cast<uint8_t>(c.lado);
        l.pos = c.giro != 0 ? 12 : 1;  // standing turns to the other fighter; airborne spins
        l.giro = static_cast<int16_t>(c.giro);
        game.L(3 - c.fighter).x = c.lado == 1 ? c.x + 50 : c.x - 50;
        game.m().telaX = c.telaX;
        game.m().telaY = c.telaY;
        game.m().golpePausa = 1;  // the animation stands still: the frame stays as set
        game.form.DXDraw1.Surface.fill(kBackground);
        game.form.desenhalutador(c.fighter);

        const std::string where = "slot " + std::to_string(c.slot) + " lado " +
                                  std::to_string(c.lado) + " giro " + std::to_string(c.giro);
        const TColor leftEdge = c.lado == 1 ? kLeftColumn : kRightColumn;
        const TColor rightEdge = c.lado == 1 ? kRightColumn : kLeftColumn;
        const int mid = c.top + 10;
        EXPECT_EQ(at(game, c.left, mid), shown(leftEdge)) << where;
        EXPECT_EQ(at(game, c.left - 1, mid), kBackground) << where;
        EXPECT_EQ(at(game, c.left + c.w - 1, mid), shown(rightEdge)) << where;
        EXPECT_EQ(at(game, c.left + c.w, mid), kBackground) << where;
        EXPECT_EQ(at(game, c.left + 1, c.top), shown(kTopRow)) << where;
        EXPECT_EQ(at(game, c.left + 1, c.top - 1), kBackground) << where;
    }
}

TEST(FighterDrawing, ShadowFollowsTheFighterAndRisesWithHeight) {
    // r = Round((300 − y) / 12), halves to even; the 70 × 14 shadow spans x − 35 … x + 35 and
    // rows 288 − r … 302 − r, minus the camera.
    struct Case {
        int x, y, telaX, telaY, left, top;
    };
    const Case cases[] = {
        {200, 300, 100, 20, 65, 268}, {200, 240, 100, 0, 65, 283}, {150, 294, 0, 20, 115, 268},
        {150, 282, 0, 20, 115, 266},  {330, 156, 200, 5, 95, 271},
    };
    for (const Case& c : cases) {
        Game game;
        Lutador& l = game.L(1);
        l.x = c.x;
        l.y = c.y;
        game.m().telaX = c.telaX;
        game.m().telaY = c.telaY;
        game.m().golpePausa = 1;
        game.form.DXDraw1.Surface.fill(media::kWhite);
        game.form.desenhalutador(1);
        const media::ImageItem& shadow = game.form.DXImageListEfectos.Items(0);
        int darkened = 0;
        for (int y = c.top - 6; y < std::min(c.top + 20, media::Surface::kHeight); ++y) {
            for (int x = c.left - 6; x < c.left + 76; ++x) {
                const bool inside = x >= c.left && x < c.left + 70 && y >= c.top && y < c.top + 14;
                const bool dark = inside && shadow.opaqueAt(x - c.left, y - c.top);
                darkened += dark ? 1 : 0;
                ASSERT_EQ(at(game, x, y) != media::kWhite, dark)
                    << "y " << c.y << " at (" << x << ", " << y << ")";
            }
        }
        EXPECT_GT(darkened, 500) << "y " << c.y;
    }
}

TEST(FighterDrawing, UnsetDrawingShowsFrameOneOfTheFightersHalf) {
    struct Case {
        int fighter, item;
    };
    const Case cases[] = {{1, 1}, {2, 51}};
    for (const Case& c : cases) {
        Game game;
        game.L(c.fighter).desenho = 0;
        game.m().golpePausa = 1;
        game.form.desenhalutador(c.fighter);
        EXPECT_EQ(game.L(c.fighter).desenho, c.item);
    }
}

TEST(FighterDrawing, StandingWalkingOrCrouchingOnTheGroundFacesTheOther) {
    struct Case {
        int pos, grav, x, otherX, ladoBefore, ladoAfter;
    };
    const Case cases[] = {
        {1, 0, 200, 300, 2, 1},  {1, 0, 300, 200, 1, 2},  {1, 0, 200, 200, 1, 2},  // equal: left
        {2, 0, 300, 200, 1, 2},  {7, 0, 200, 300, 2, 1},  {1, 4, 200, 300, 2, 2},  // rising
        {7, -3, 300, 200, 1, 1}, {12, 0, 200, 300, 2, 2}, {3, 0, 200, 300, 2, 2},  // punching
        {17, 0, 300, 200, 1, 1}, {31, 0, 300, 200, 1, 1},
    };
    for (const Case& c : cases) {
        Game game;
        Lutador& l = game.L(1);
        l.pos = static_cast<uint8_t>(c.pos);
        l.grav = static_cast<int8_t>(c.grav);
        l.x = c.x;
        l.lado = static_cast<uint8_t>(c.ladoBefore);
        game.L(2).x = c.otherX;
        game.m().golpePausa = 1;
        game.form.desenhalutador(1);
        EXPECT_EQ(l.lado, c.ladoAfter) << "pos " << c.pos << " grav " << c.grav;
    }
}

TEST(FighterDrawing, SpinTurnsOnlyUnpausedAndStopsOutsideAirAndThrow) {
    struct Case {
        int pos, golpePausa, pausaEspecial, angulo, giro, anguloAfter, giroAfter;
    };
    const Case cases[] = {
        {12, 0, 0, 16, 8, 24, 8}, {19, 0, 0, 250, 10, 260, 10}, {19, 20, 0, 16, 8, 16, 8},
        {12, 0, 3, 16, 8, 16, 8}, {1, 0, 0, 16, 8, 0, 0},       {17, 20, 0, 16, 8, 0, 0},
        {13, 0, 0, 16, -8, 0, 0}, {12, 0, 0, 0, -12, -12, -12},
    };
    for (const Case& c : cases) {
        Game game;
        Lutador& l = game.L(2);
        l.pos = static_cast<uint8_t>(c.pos);
        l.angulo = static_cast<int16_t>(c.angulo);
        l.giro = static_cast<int16_t>(c.giro);
        game.m().golpePausa = static_cast<uint8_t>(c.golpePausa);
        game.m().pausaEspecial = static_cast<uint8_t>(c.pausaEspecial);
        game.form.desenhalutador(2);
        EXPECT_EQ(l.angulo, c.anguloAfter) << "pos " << c.pos;
        EXPECT_EQ(l.giro, c.giroAfter) << "pos " << c.pos;
    }
}

TEST(FighterDrawing, StruckFightersJitterByTheirState) {
    // Over many frames the offset covers exactly the range of its draw: Random(k) − k / 2.
    struct Case {
        int pos, golpePausa, lo, hi;
    };
    const Case cases[] = {
        {17, 0, -5, 4},   {18, 15, -5, 4},  {19, 1, -7, 6}, {19, 0, 0, 0},
        {17, 16, -10, 9}, {19, 16, -10, 9}, {1, 20, 0, 0},
    };
    for (const Case& c : cases) {
        Game game;
        for (int k = 1; k <= 47; ++k)
            setFrame(game, k, 64, 160);
        Lutador& l = game.L(1);
        l.personagem = 1;
        l.altura = 160;
        l.lado = 1;
        l.x = 200;
        game.L(2).x = 300;
        game.m().telaX = 100;
        game.m().telaY = 20;
        int lo = 100, hi = -100;
        for (int i = 0; i < 300; ++i) {
            l.pos = static_cast<uint8_t>(c.pos);
            l.desenho = 1;
            game.m().golpePausa = static_cast<uint8_t>(c.golpePausa);
            game.form.DXDraw1.Surface.fill(kBackground);
            game.form.desenhalutador(1);
            int left = -1;
            for (int x = 0; x < media::Surface::kWidth && left < 0; ++x) {
                if (at(game, x, 150) == shown(kLeftColumn)) left = x;
            }
            ASSERT_GE(left, 0) << "pos " << c.pos;
            const int s = left - (200 - game.form.meio(1) - 100);
            lo = std::min(lo, s);
            hi = std::max(hi, s);
        }
        EXPECT_EQ(lo, c.lo) << "pos " << c.pos << " golpePausa " << c.golpePausa;
        EXPECT_EQ(hi, c.hi) << "pos " << c.pos << " golpePausa " << c.golpePausa;
    }
}

TEST(FighterDrawing, TheFighterWithTheFlagIsDrawnLast) {
    constexpr TColor kBody1 = media::rgb(248, 0, 248);
    constexpr TColor kBody2 = media::rgb(0, 248, 248);
    struct Case {
        int naFrente1, naFrente2;
        TColor seen;
    };
    const Case cases[] = {{1, 0, kBody1}, {0, 1, kBody2}, {1, 1, kBody2}, {0, 0, kBackground}};
    for (const Case& c : cases) {
        Game game;
        setFrame(game, 1, 65, 160, kBody1);
        setFrame(game, 51, 65, 160, kBody2);
        for (int n = 1; n <= 2; ++n) {
            Lutador& l = game.L(n);
            l.personagem = 1;
            l.desenho = static_cast<uint8_t>(n == 1 ? 1 : 51);
            l.altura = 160;
            l.x = 200;
        }
        game.L(1).naFrente = static_cast<uint8_t>(c.naFrente1);
        game.L(2).naFrente = static_cast<uint8_t>(c.naFrente2);
        game.m().telaX = 100;
        game.m().telaY = 20;
        game.m().golpePausa = 1;
        game.form.DXDraw1.Surface.fill(kBackground);
        game.form.lutaDesenhaLutadores();
        EXPECT_EQ(at(game, 100, 200), shown(c.seen)) << c.naFrente1 << c.naFrente2;
    }
}

TEST(Camera, FollowsTheFightersMidpointWithinTheStage) {
    // telaX = Round(mean x) − 200, telaY = Round((y1 + y2) / 8) − 55, halves to even, then
    // limited to 0 … 200 and 0 … 20. After a round has ended the view stays (still limited).
    struct Case {
        int x1, y1, x2, y2, finRound, telaX0, telaY0, telaX, telaY;
    };
    const Case cases[] = {
        {100, 300, 300, 300, 0, 7, 7, 0, 20},     {350, 300, 700, 300, 0, 7, 7, 200, 20},
        {200, 300, 201, 300, 0, 7, 7, 0, 20},     {203, 300, 200, 300, 0, 7, 7, 2, 20},
        {300, 300, 400, 228, 0, 7, 7, 150, 11},   {300, 300, 400, 200, 0, 7, 7, 150, 7},
        {300, 300, 400, 216, 0, 7, 7, 150, 9},    {300, 140, 400, 100, 0, 7, 7, 150, 0},
        {50, 300, 60, 300, 0, 7, 7, 0, 20},       {100, 300, 300, 300, 1, 37, 13, 37, 13},
        {100, 300, 300, 300, 1, 250, -5, 200, 0},
    };
    for (const Case& c : cases) {
        Game game;
        game.L(1).x = c.x1;
        game.L(1).y = c.y1;
        game.L(2).x = c.x2;
        game.L(2).y = c.y2;
        game.m().finRound = static_cast<uint8_t>(c.finRound);
        game.m().telaX = c.telaX0;
        game.m().telaY = c.telaY0;
        game.form.lutaCamera();
        game.form.lutaTremor();
        game.form.lutaLimitesTela();
        EXPECT_EQ(game.m().telaX, c.telaX) << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
        EXPECT_EQ(game.m().telaY, c.telaY) << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
    }
}

TEST(Camera, ShakeMovesTheViewOncePerFrameWhileItLasts) {
    // Fighters at x 300 and y 260: the steady view is (100, 10), so a shake of −10 … 9 on each
    // axis stays inside the limits.
    struct Case {
        int tremorTempo, frames, left;
    };
    const Case cases[] = {{0, 1, 0}, {1, 1, 0}, {3, 2, 1}, {200, 200, 0}};
    for (const Case& c : cases) {
        Game game;
        for (int n = 1; n <= 2; ++n) {
            game.L(n).x = 300;
            game.L(n).y = 260;
        }
        game.m().tremorTempo = static_cast<uint8_t>(c.tremorTempo);
        int loX = 100, hiX = -100, loY = 100, hiY = -100;
        for (int i = 0; i < c.frames; ++i) {
            const bool shaking = game.m().tremorTempo > 0;
            // The shake draws x first, then y.
            const uint64_t rng = game.g().rng;
            const int dx = game.form.Random(20) - 10;
            const int dy = game.form.Random(20) - 10;
            game.g().rng = rng;
            game.form.lutaCamera();
            game.form.lutaTremor();
            game.form.lutaLimitesTela();
            EXPECT_EQ(game.m().telaX, 100 + (shaking ? dx : 0)) << "frame " << i;
            EXPECT_EQ(game.m().telaY, 10 + (shaking ? dy : 0)) << "frame " << i;
            loX = std::min(loX, game.m().telaX - 100);
            hiX = std::max(hiX, game.m().telaX - 100);
            loY = std::min(loY, game.m().telaY - 10);
            hiY = std::max(hiY, game.m().telaY - 10);
        }
        EXPECT_EQ(game.m().tremorTempo, c.left);
        if (c.frames == 200) {
            EXPECT_EQ(loX, -10);
            EXPECT_EQ(hiX, 9);
            EXPECT_EQ(loY, -10);
            EXPECT_EQ(hiY, 9);
        }
    }
}

}  // namespace
}  // namespace pelea
