#include <gtest/gtest.h>

#include "support/game_fixture.h"

namespace pelea {
namespace {

using testing::Game;

constexpr TColor shown(TColor c) {
    return media::from565(media::to565(c));
}

// A game already in the fight screen, with no stage picture.
Game& inFight(Game& game) {
    game.m().modoTela = tela::Selecao;
    game.form.iniciarLuta();
    return game;
}

TEST(FightFrame, EmptyStageIsBlackAndALoadedOneIsDrawnFromTheCamera) {
    Game game;
    inFight(game);
    game.form.DXDraw1.Surface.fill(media::kWhite);
    game.frame();
    EXPECT_EQ(game.form.DXDraw1.Surface.colorAt(130, 200), media::kBlack);

    // A 600×320 stage whose column x has blue = x / 3: the view starts at telaX.
    media::Picture stage(600, 320);
    for (int y = 0; y < 320; ++y) {
        for (int x = 0; x < 600; ++x)
            stage.setPixel(x, y, media::rgb(0, 0, x / 3));
    }
    media::ImageItem& item = game.form.DXImageListCenario.Items(0);
    item.setPicture(stage);
    item.Restore();
    game.m().telaX = 150;
    game.m().finRound = 1;  // after a round has ended the camera stays where it is
    game.frame();
    EXPECT_EQ(game.form.DXDraw1.Surface.colorAt(130, 200), shown(media::rgb(0, 0, 93)));
}

TEST(FightFrame, SuperPauseReplacesTheStageWithAJerkingGrid) {
    // With p the counter after its decrement: 20 when even, 40 for a multiple of 3, 60 for a
    // multiple of 4, 80 for a multiple of 5, later tests winning.
    struct Case {
        int p;
        int offset;
    };
    const Case cases[] = {{1, 0},  {2, 20}, {3, 40},  {4, 60},  {5, 80}, {6, 40},
                          {8, 60}, {9, 40}, {10, 80}, {12, 60}, {7, 0}};
    const TColor kMark = media::rgb(0, 0, 248);
    const TColor kTile = media::rgb(248, 0, 0);
    for (const Case& c : cases) {
        Game game;
        inFight(game);
        media::Picture tile(100, 100, kTile);
        for (int y = 0; y < 100; ++y)
            tile.setPixel(0, y, kMark);  // the tile's left column
        media::ImageItem& item = game.form.DXImageListIcone.Items(7);
        item.setPicture(tile);
        item.Restore();
        game.m().pausaEspecial = static_cast<uint8_t>(c.p + 1);
        game.frame();
        EXPECT_EQ(game.m().pausaEspecial, c.p);
        const media::Surface& s = game.form.DXDraw1.Surface;
        // Tile i starts at 100i + offset − 80: its left column is marked.
        const int x = 100 + c.offset - 80;
        EXPECT_EQ(s.colorAt(x, 150), shown(kMark)) << "p " << c.p;
        EXPECT_EQ(s.colorAt(x + 1, 150), shown(kTile)) << "p " << c.p;
    }
}

TEST(FightFrame, BlinkCounterWrapsAfterThirtyAndStandsStillDuringPauses) {
    Game game;
    inFight(game);
    game.m().pisca = 29;
    game.frame();
    EXPECT_EQ(game.m().pisca, 30);
    game.frame();
    EXPECT_EQ(game.m().pisca, 0);

    game.m().golpePausa = 3;
    game.frames(2);
    EXPECT_EQ(game.m().pisca, 0);
    EXPECT_EQ(game.m().golpePausa, 1);
    // The hit-stop runs out before the blink step of the same frame.
    game.frame();
    EXPECT_EQ(game.m().golpePausa, 0);
    EXPECT_EQ(game.m().pisca, 1);
}

// The hit pause runs out after the blows of its frame: a punch live in the frame whose pause is
// the last lands in the next frame, not in this one.
TEST(FightFrame, TheHitPauseHoldsTheBlowsOfTheFrameItEndsIn) {
    struct Case {
        uint8_t golpePausa;
        int landsOnFrame;  // 1 or 2
    };
    const Case cases[] = {{0, 1}, {1, 2}, {2, 3}};
    for (const Case& c : cases) {
        Game game;
        game.pastIntro();
        for (int n = 1; n <= 2; ++n) {
            game.L(n).humano = 1;
            game.L(n).altura = 160;
        }
        Lutador& a = game.L(1);
        a.x = 200;
        a.lado = 1;
        a.pos = 3;
        a.ciclo = 2;
        a.cicloFim = 6;
        a.ataque = 1;
        a.t = 1;
        a.f = 7;
        a.areaAtaque = {15, 55, 50, 65};  // a light punch reaching the other's face
        game.L(2).x = 240;
        game.L(2).lado = 2;
        game.L(2).areaContato = {-12, 40, 20, 170};
        game.m().golpePausa = c.golpePausa;
        const double vida = game.L(2).hp;
        int landed = 0;
        for (int f = 1; f <= 4 && landed == 0; ++f) {
            game.frame();
            if (game.L(2).hp < vida) landed = f;
        }
        EXPECT_EQ(landed, c.landsOnFrame) << "hit pause " << int{c.golpePausa};
    }
}

TEST(FightFrame, CameraStaysOnTheStage) {
    struct Case {
        int x, y, expectX, expectY;
    };
    const Case cases[] = {{-5, -1, 0, 0}, {250, 40, 200, 20}, {120, 10, 120, 10}};
    for (const Case& c : cases) {
        Game game;
        inFight(game);
        game.m().telaX = c.x;
        game.m().telaY = c.y;
        game.m().finRound = 1;  // the camera no longer follows the fighters
        game.frame();
        EXPECT_EQ(game.m().telaX, c.expectX);
        EXPECT_EQ(game.m().telaY, c.expectY);
    }
}

TEST(FightFrame, MusicStartsOnTheFirstFightFrameOnlyWhenLoaded) {
    Game game;
    inFight(game);
    game.m().musicaCarregada = 1;
    game.form.DXWaveListMusica.Items(0).data.samples = {0, 0};
    game.form.DXSound1.Initialize();
    EXPECT_EQ(game.frame(), std::vector<std::string>{"Musica:0"});
    EXPECT_EQ(game.m().musicaPendente, 0);
    EXPECT_TRUE(game.frame().empty());
}

TEST(Frame, RedFlashFillsTheScreenOnEvenBlinks) {
    Game game;
    game.m().flashTempo = 2;
    game.m().pisca = 4;  // the title screen leaves the blink alone
    game.frame();
    EXPECT_EQ(game.m().flashTempo, 1);
    EXPECT_EQ(game.form.DXDraw1.Surface.colorAt(200, 50), shown(media::rgb(255, 0, 0)));
    game.m().pisca = 5;
    game.frame();
    EXPECT_EQ(game.m().flashTempo, 0);
    EXPECT_EQ(game.form.DXDraw1.Surface.colorAt(200, 50), media::kBlack);
}

TEST(Frame, RepeatCountersAddSixPerNewPressAndDecay) {
    // Each row: the keyboard state during one frame, and socoRepet and chuteRepet after it.
    struct Step {
        uint32_t keys;
        int soco, chute;
    };
    const Step steps[] = {
        {media::isButton1 | media::isButton3, 5, 0},  // both punches new: still one addition
        {media::isButton1, 4, 0},                     // held: no new press
        {0, 3, 0},
        {media::isButton3 | media::isButton2, 8, 5},
        {0, 7, 4},
        {media::isButton1, 12, 3},
        {0, 11, 2},
        {media::isButton1 | media::isButton4, 15, 7},  // 11 + 6 − 1 = 16, capped at 15
    };
    Game game;
    game.m().modoTela = tela::Luta;
    int i = 0;
    for (const Step& s : steps) {
        game.plat.keyboard = s.keys;
        game.frame();
        EXPECT_EQ(game.L(1).socoRepet, s.soco) << "step " << i;
        EXPECT_EQ(game.L(1).chuteRepet, s.chute) << "step " << i;
        ++i;
    }
    // A hit-stop holds the counters.
    game.plat.keyboard = 0;
    game.m().golpePausa = 5;
    game.frame();
    EXPECT_EQ(game.L(1).socoRepet, 15);
}

TEST(Frame, FighterTwoReadsTheJoystickAndStoresPreviousStates) {
    Game game;
    game.plat.keyboard = media::isLeft | media::isButton2;
    game.plat.joystick = media::isUp | media::isButton4;
    game.frame();
    EXPECT_EQ(game.L(1).direcaoAnt, (Buttons4{0, 0, 1, 0}));
    EXPECT_EQ(game.L(1).botaoAnt, (Buttons4{0, 1, 0, 0}));
    EXPECT_EQ(game.L(2).direcaoAnt, (Buttons4{1, 0, 0, 0}));
    EXPECT_EQ(game.L(2).botaoAnt, (Buttons4{0, 0, 0, 1}));
}

TEST(Frame, NoDeviceStatesWithoutTheFocus) {
    Game game;
    game.plat.isActive = false;
    game.plat.keyboard = media::isButton1;
    game.frame();
    EXPECT_EQ(game.m().modoTela, tela::Titulo);
    EXPECT_EQ(game.form.DXInput1.States(), 0u);
}

TEST(Determinism, SameSeedAndInputsGiveTheSameFrames) {
    struct Run {
        GameState end;
        std::vector<int> flicker;  // fighter 2's character, frame by frame
    };
    auto run = [](uint64_t seed) {
        Game game(seed);
        Run r;
        for (int f = 0; f < 400; ++f) {
            game.plat.keyboard = (f == 2 || f == 380) ? uint32_t{media::isButton1} : 0u;
            game.plat.keyboard |= (f % 37 == 0) ? uint32_t{media::isRight} : 0u;
            game.frame();
            r.flicker.push_back(game.L(2).personagem);
        }
        r.end = game.form.g;
        return r;
    };
    const Run a = run(7), b = run(7), c = run(8);
    EXPECT_TRUE(testing::sameState(a.end, b.end));
    EXPECT_EQ(a.flicker, b.flicker);
    EXPECT_NE(a.flicker, c.flicker);
}

TEST(Determinism, RestoringASavedStateReplaysTheSameFrames) {
    Game game(3);
    game.toChoosing();
    const GameState saved = game.form.g;
    game.frames(50);
    const GameState after = game.form.g;
    game.form.g = saved;
    game.frames(50);
    EXPECT_TRUE(testing::sameState(after, game.form.g));
}

TEST(Determinism, BlindFramesRunTheSameLogic) {
    Game drawn(5), blind(5);
    blind.form.setBlindMute(true);
    for (int f = 0; f < 300; ++f) {
        const uint32_t keys = (f == 1 || f == 290) ? uint32_t{media::isButton1} : 0u;
        drawn.plat.keyboard = blind.plat.keyboard = keys;
        drawn.frame();
        EXPECT_TRUE(blind.frame().empty());
    }
    EXPECT_TRUE(testing::sameState(drawn.form.g, blind.form.g));
}

}  // namespace
}  // namespace pelea
