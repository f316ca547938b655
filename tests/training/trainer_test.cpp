// Training fights as a player sees them: the trainer between the keys, the timer and the game.
#include "training/trainer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "animation/sheets.h"
#include "support/fight_fixture.h"
#include "support/game_fixture.h"
#include "training/keys.h"
#include "training/overlays.h"

namespace training {
namespace {

using pelea::testing::Game;
using pelea::testing::preparaLuta;
using pelea::testing::sameState;

constexpr media::TColor shown(media::TColor c) {
    return media::from565(media::to565(c));
}

// A training fight past its intro: fighter 1 of `personagem` at x1 on the keyboard, the dummy
// (character 2) at x2, standing, and no stage picture (a black background).
struct Treino {
    explicit Treino(int x1 = 150, int x2 = 250, int personagem = 1) {
        preparaLuta(game, personagem, 2, x1, x2);
        game.m().tempo = 99;  // what the trainer holds the clock at
        game.m().tempoSub = 30;
    }
    void tick() {
        game.texts.clear();
        trainer.tick();
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            tick();
    }
    void key(int vk) { trainer.keyDown(vk); }
    void mode(DummyMode m) {
        while (trainer.mode() != m)
            key(keys::DummyMode);
    }
    // A press of a keyboard button held for one frame.
    void press(uint32_t button) {
        game.plat.keyboard = button;
        tick();
        game.plat.keyboard = 0;
    }
    pelea::Lutador& L(int n) { return game.L(n); }
    media::TColor at(int x, int y) const { return game.form.DXDraw1.Surface.colorAt(x, y); }

    Game game;
    Trainer trainer{game.form, true};
};

// Fighter 1 walks, punches and jumps; a different script makes a different branch.
uint32_t walkAndPunch(int i) {
    if (i % 40 < 10) return media::isRight;
    if (i % 40 == 15 || i % 40 == 25) return media::isButton1;
    if (i % 40 == 30) return media::isUp | media::isRight;
    return 0;
}
uint32_t crouchAndKick(int i) {
    if (i % 30 < 12) return media::isDown;
    return i % 30 == 12 ? uint32_t{media::isButton4} : 0u;
}

TEST(TrainingRewind, TenSecondsBackAndForwardAgainWithTheSameInputsGiveTheSameState) {
    struct Case {
        const char* what;
        std::function<uint32_t(int)> keyboard;
        DummyMode dummy;
    };
    const Case cases[] = {
        {"walks and punches a standing dummy", walkAndPunch, DummyMode::Stand},
        {"crouches and kicks the computer", crouchAndKick, DummyMode::Fight},
        {"punches a dummy that blocks", walkAndPunch, DummyMode::BlockAll},
    };
    for (const Case& c : cases) {
        Treino t(150, 230);
        t.mode(c.dummy);
        if (c.dummy == DummyMode::Fight) t.L(2).humano = 0;
        const pelea::GameState start = t.game.g();
        for (int i = 0; i < 300; ++i) {
            t.game.plat.keyboard = c.keyboard(i);
            t.tick();
        }
        const pelea::GameState end = t.game.g();
        ASSERT_EQ(t.trainer.snapshots(), 300u) << c.what;
        for (int i = 0; i < 300; ++i)
            t.key(keys::Rewind);
        t.tick();
        EXPECT_TRUE(sameState(t.game.g(), start)) << c.what << ": back 300 frames";
        for (int i = 0; i < 300; ++i) {
            t.game.plat.keyboard = c.keyboard(i);
            t.tick();
        }
        EXPECT_TRUE(sameState(t.game.g(), end)) << c.what << ": forward again";
        EXPECT_FALSE(sameState(start, end)) << c.what << ": the fight moved at all";
    }
}

TEST(TrainingRewind, ABranchWithOtherInputsDivergesFromThatFrameOnly) {
    struct Case {
        int back;    // frames rewound
        int branch;  // frames played on the new branch
    };
    const Case cases[] = {{1, 1}, {40, 10}, {120, 60}};
    for (const Case& c : cases) {
        Treino t(150, 230);
        std::vector<pelea::GameState> seen{t.game.g()};  // seen[k]: the state after k frames
        for (int i = 0; i < 200; ++i) {
            t.game.plat.keyboard = walkAndPunch(i);
            t.tick();
            seen.push_back(t.game.g());
        }
        const int from = 200 - c.back;
        for (int i = 0; i < c.back; ++i)
            t.key(keys::Rewind);
        t.tick();
        ASSERT_TRUE(sameState(t.game.g(), seen[static_cast<size_t>(from)])) << c.back;
        for (int i = 0; i < c.branch; ++i) {
            t.game.plat.keyboard = crouchAndKick(i);
            t.tick();
            EXPECT_FALSE(sameState(t.game.g(), seen[static_cast<size_t>(from + i + 1)]))
                << "back " << c.back << ", branch frame " << i;
        }
        // Behind the branch point the past is the one played before.
        for (int i = 0; i < c.branch + 10; ++i)
            t.key(keys::Rewind);
        t.tick();
        EXPECT_TRUE(sameState(t.game.g(), seen[static_cast<size_t>(from - 10)])) << c.back;
    }
}

// The dummy's takes: a take of crouching, one of walking back.
uint32_t takeOne(int i) {
    return i % 10 < 5 ? uint32_t{media::isDown} : 0u;
}
uint32_t takeTwo(int) {
    return media::isRight;
}

TEST(TrainingRewind, GoingBackPastATakeFindsTheRecordingAsItWasThen) {
    struct Case {
        const char* what;
        int first;   // frames of the first take (a take stops by itself at 300)
        int second;  // frames of the second take, recorded over it, before the rewind
        int back;    // frames rewound: past the second take's start, into the 10 between
    };
    const Case cases[] = {
        {"a second take", 40, 30, 35},
        {"a full take, then a second", 320, 5, 8},
        {"a full take, then a second almost as long", 320, 295, 300},
    };
    for (const Case& c : cases) {
        Treino t(60, 340);
        t.key(keys::Record);
        for (int i = 0; i < c.first; ++i) {
            t.game.plat.joystick = takeOne(i);
            t.tick();
        }
        if (t.trainer.recording()) t.key(keys::Record);
        const int kept = std::min(c.first, Recording::kFrames);
        t.game.plat.joystick = 0;
        t.ticks(10);
        ASSERT_EQ(t.trainer.observed().recorded, kept) << c.what;
        t.key(keys::Record);
        for (int i = 0; i < c.second; ++i) {
            t.game.plat.joystick = takeTwo(i);
            t.tick();
        }
        t.game.plat.joystick = 0;
        for (int i = 0; i < c.back; ++i)
            t.key(keys::Rewind);
        t.tick();
        EXPECT_FALSE(t.trainer.recording()) << c.what << ": back before the second take";
        EXPECT_EQ(t.trainer.observed().recorded, kept) << c.what;
        // Playing on, and playing the recording back, is the first take's.
        t.ticks(20);
        EXPECT_EQ(t.trainer.observed().recorded, kept) << c.what;
        t.key(keys::Playback);
        for (int i = 0; i < 2 * kept && i < 60; ++i) {
            t.tick();
            EXPECT_EQ(t.game.form.DXInput1.Joystick(), takeOne(i % kept))
                << c.what << " playback frame " << i;
        }
    }
}

TEST(TrainingMenu, TheConfigurationMenuFreezesTrainingAsItFreezesTheFight) {
    // A heavy punch that would end the dummy's life leaves it at a sliver, to be refilled when
    // the combo is over; the menu opened and closed meanwhile changes none of that, nor the
    // rewind history, the frame data or the training pause.
    struct Case {
        const char* what;
        int menuFrames;
        bool paused;
    };
    const Case cases[] = {
        {"a glance at the menu", 1, false}, {"a long look", 40, false}, {"while paused", 10, true}};
    for (const Case& c : cases) {
        Treino t(150, 200);
        t.key(keys::FrameData);
        t.press(media::isButton3);
        t.L(2).hp = 3.0;  // set once the punch has begun, or it would be refilled at once
        while (t.L(1).pontos == 0)
            t.tick();
        t.tick();
        ASSERT_LE(t.L(2).hp, 1.0) << c.what;
        if (c.paused) t.key(keys::Pause);
        const size_t snapshots = t.trainer.snapshots();
        const Observed seen = t.trainer.observed();
        t.key(pelea::vk::F1);
        t.ticks(c.menuFrames);
        ASSERT_EQ(t.game.m().modoTela, pelea::tela::Config) << c.what;
        t.key(pelea::vk::F1);
        ASSERT_EQ(t.game.m().modoTela, pelea::tela::Luta) << c.what;
        EXPECT_EQ(t.trainer.paused(), c.paused) << c.what;
        EXPECT_EQ(t.trainer.snapshots(), snapshots) << c.what;
        EXPECT_LE(t.L(2).hp, 1.0) << c.what << ": no refill while the combo runs";
        EXPECT_EQ(t.trainer.observed().move.pos, 5) << c.what;
        EXPECT_EQ(t.trainer.observed().inputs[0].count(), seen.inputs[0].count()) << c.what;
        if (c.paused) t.key(keys::Pause);
        for (int i = 0; i < 150 && t.L(1).hitsTempo != 0; ++i)
            t.tick();
        t.tick();
        EXPECT_EQ(t.L(2).hp, 125.0) << c.what << ": refilled once the combo is over";
        EXPECT_GT(t.trainer.snapshots(), snapshots) << c.what;
    }
}

TEST(TrainingOverlays, BoxesAreDrawnAtTheirStagePixelsFacingEitherWay) {
    // Character 1 standing: contact (-20, 40)-(12, 170) facing right; its light punch strikes
    // at (15, 55)-(50, 65) from ciclo 2. Facing left both flip about the anchor. A projectile
    // of kind 8 has its box at (25, -5)-(72, 56) from its corner, kind 9 at (5, -5)-(52, 56).
    struct Case {
        int x1, x2;              // fighter 1 and the dummy
        int contactL, contactR;  // fighter 1's contact area, left and right of its x
        int attackL, attackR;    // its light punch
        int kind, boxL, boxR;    // a projectile flying high over both
    };
    const Case cases[] = {
        {130, 330, -20, 12, 15, 50, 8, 25, 72},
        {270, 70, -12, 20, -50, -15, 9, 5, 52},
    };
    const media::TColor blue = shown(kContactColour), red = shown(kAttackColour),
                        yellow = shown(kEffectColour);
    for (const Case& c : cases) {
        Treino t(c.x1, c.x2);
        t.key(keys::Areas);
        t.ticks(2);  // standing: the contact area of the standing drawing is set
        t.game.form.criaefeito(150, 60, c.kind, "A", 2);
        t.press(media::isButton1);
        while (t.L(1).ataque == 0 && t.L(1).pos == 3)
            t.tick();
        ASSERT_EQ(t.L(1).ataque, 1) << c.x1;
        const pelea::Lutador& l = t.L(1);
        const int telaX = t.game.m().telaX, telaY = t.game.m().telaY;
        const int top = l.y - l.altura - telaY;
        const int left = l.x + c.contactL - telaX, right = l.x + c.contactR - telaX;
        // A box covers x1 … x2 − 1 and y1 … y2 − 1: the edges the hit test treats as inside.
        EXPECT_EQ(t.at(left, top + 100), blue) << c.x1;
        EXPECT_EQ(t.at(right - 1, top + 100), blue) << c.x1;
        EXPECT_EQ(t.at(left + 5, top + 40), blue) << c.x1;
        EXPECT_EQ(t.at(left + 5, top + 169), blue) << c.x1;
        EXPECT_NE(t.at(left - 1, top + 100), blue) << c.x1;
        EXPECT_NE(t.at(right, top + 100), blue) << c.x1;
        EXPECT_NE(t.at(left + 5, top + 100), blue) << "only the outline: " << c.x1;
        EXPECT_EQ(t.at(l.x + c.attackL - telaX, top + 60), red) << c.x1;
        EXPECT_EQ(t.at(l.x + c.attackR - 1 - telaX, top + 60), red) << c.x1;
        EXPECT_EQ(t.at(l.x + c.attackL - telaX + 10, top + 55), red) << c.x1;
        const pelea::Efeito* e = nullptr;
        for (const pelea::Efeito& slot : t.game.g().efeitos) {
            if (slot.tipo == c.kind) e = &slot;
        }
        ASSERT_NE(e, nullptr) << c.x1;
        EXPECT_EQ(t.at(e->x + c.boxL - telaX, e->y + 20 - telaY), yellow) << c.x1;
        EXPECT_EQ(t.at(e->x + c.boxR - 1 - telaX, e->y + 20 - telaY), yellow) << c.x1;
        EXPECT_EQ(t.at(e->x + c.boxL + 10 - telaX, e->y - 5 - telaY), yellow) << c.x1;
        // The same frame with the boxes switched off shows none of them.
        t.key(keys::Pause);
        t.key(keys::Areas);
        t.tick();
        EXPECT_NE(t.at(left, top + 100), blue) << c.x1;
        EXPECT_NE(t.at(l.x + c.attackL - telaX, top + 60), red) << c.x1;
    }
}

// The pixels a drawing puts on a black screen.
std::vector<bool> drawnPixels(pelea::TForm1& form, const std::function<void()>& draw) {
    media::Surface& s = form.DXDraw1.Surface;
    s.fill(media::kBlack);
    draw();
    std::vector<bool> out(media::Surface::kWidth * media::Surface::kHeight);
    for (int y = 0; y < media::Surface::kHeight; ++y) {
        for (int x = 0; x < media::Surface::kWidth; ++x)
            out[static_cast<size_t>(y * media::Surface::kWidth + x)] =
                s.colorAt(x, y) != media::kBlack;
    }
    return out;
}

TEST(TrainingOverlays, NoneCoversTheGamesOwnTexts) {
    // The round's texts (its number, "MOCHA", "AGARRENSE"), each side's combo texts (the
    // first-hit message and its second line, the counter shaking 5 pixels either way,
    // "Mangazos"), a full meter's "JUESU!", the stock count and the bottom line, where and as
    // large as the game draws them; the overlays full: rows of every button held 999 frames,
    // three-digit frame data, the longest status, the frame meter and the key help.
    struct Text {
        const char* text;
        int x, y, size;  // x for fighter 1; fighter 2's mirrors it about 200
        char align;
        bool sided;
    };
    const Text texts[] = {
        {"3", 260, 85, 35, 'c', false},
        {"MOCHA   ", 200, 100, 20, 'c', false},
        {"AGARRENSE", 200, 120, 25, 'c', false},
        {"Primer  Mangazo", 100, 80, 15, 'c', true},
        {"Ganaste un Ron", 120, 110, 10, 'c', true},
        {"99", 25, 110, 25, 'c', true},
        {"99", 35, 110, 25, 'c', true},
        {"Mangazos", 50, 145, 12, 'c', true},
        {"JUESU!", 85, 262, 15, 'c', true},
        {"3", 182, 270, 12, 'c', true},
        {"NIVEL-8", 200, 285, 10, 'c', false},
        {"CREDITOS ", 300, 285, 10, '-', false},
        {"99", 395, 285, 10, 'e', false},
        {"V1.00", 0, 280, 12, '-', false},
    };
    Game game;
    pelea::TForm1& form = game.form;
    std::array<InputHistory, 2> inputs;
    for (int i = 0; i < 40; ++i) {
        for (int k = 0; k < 999; ++k)
            inputs[static_cast<size_t>(i % 2)].add(i % 4 < 2 ? 0xffu : 0xf9u);
    }
    MoveData move;
    move.startup = move.active = move.recovery = 199;
    move.onHit = {true, -199};
    move.onBlock = {true, 199};
    move.damage = 999.9;
    move.combo = 99;
    const std::vector<bool> overlays = drawnPixels(form, [&] {
        drawInputs(form, inputs);
        drawFrameData(form, move);
        drawFrameMeter(form, FrameMeter{});
        drawStatus(form, "MUÑECO: BLOQUEA TRAS EL GOLPE   RELLENA: VIDA Y PODER   ATRÁS");
        drawKeyHelp(form);
    });
    for (const Text& t : texts) {
        for (int side = 1; side <= (t.sided ? 2 : 1); ++side) {
            const int x = side == 1 ? t.x : 400 - t.x;
            const std::vector<bool> shown = drawnPixels(
                form, [&] { form.texto(x, t.y, t.text, t.align, t.size, media::kWhite); });
            size_t overlap = 0, lit = 0;
            for (size_t i = 0; i < shown.size(); ++i) {
                lit += shown[i];
                overlap += shown[i] && overlays[i];
            }
            ASSERT_GT(lit, 0u) << t.text;
            EXPECT_EQ(overlap, 0u) << t.text << " of fighter " << side;
        }
    }
}

TEST(TrainingFrameData, CharacterOnesLightPunch) {
    // Live from ciclo 2, its third frame (start-up 3), until it connects or the state ends at
    // ciclo 6. On a hit the dummy reels for 8 frames while the punch has 3 left: +4. A blocking
    // dummy can hit back out of its block as soon as the hit-stop is over, while the punch has
    // 3 frames left: -3. The punch does 7 (4.9 at the default damage level) and 0 through a
    // block.
    struct Case {
        const char* what;
        int dummyX;
        DummyMode dummy;
        int startup, active, recovery;
        bool hitKnown, blockKnown;
        int advantage;
        double damage;
        int combo;
    };
    const Case cases[] = {
        {"whiffs", 350, DummyMode::Stand, 3, 4, 0, false, false, 0, 0.0, 0},
        {"hits", 190, DummyMode::Stand, 3, 1, 3, true, false, 4, 4.9, 1},
        {"is blocked", 190, DummyMode::BlockAll, 3, 1, 3, false, true, -3, 0.0, 0},
    };
    for (const Case& c : cases) {
        Treino t(150, c.dummyX);
        t.mode(c.dummy);
        t.key(keys::FrameData);
        t.press(media::isButton1);
        t.ticks(60);
        const MoveData& m = t.trainer.observed().move;
        EXPECT_EQ(m.pos, 3) << c.what;
        EXPECT_EQ(m.startup, c.startup) << c.what;
        EXPECT_EQ(m.active, c.active) << c.what;
        EXPECT_EQ(m.recovery, c.recovery) << c.what;
        EXPECT_EQ(m.total(), 6) << c.what;
        EXPECT_EQ(m.onHit.known, c.hitKnown) << c.what;
        EXPECT_EQ(m.onBlock.known, c.blockKnown) << c.what;
        if (c.hitKnown) {
            EXPECT_EQ(m.onHit.frames, c.advantage) << c.what;
        }
        if (c.blockKnown) {
            EXPECT_EQ(m.onBlock.frames, c.advantage) << c.what;
        }
        EXPECT_NEAR(m.damage, c.damage, 1e-9) << c.what;
        EXPECT_EQ(m.combo, c.combo) << c.what;
        const std::string line = "ARRANQUE " + std::to_string(c.startup) + "  ACTIVO " +
                                 std::to_string(c.active) + "  RECUPERA " +
                                 std::to_string(c.recovery) + "  TOTAL 6";
        EXPECT_TRUE(t.game.shows(line)) << c.what;
    }
}

TEST(TrainingFrameData, TheFrameMeterShowsEachFrameInItsColour) {
    // Character 1's light punch, hit or blocked: three frames of start-up (the third active),
    // recovery, the dummy's stun or its block, both rows in the colours players know.
    struct Case {
        DummyMode dummy;
        int greens, reds, blues;  // fighter 1's punch
        bool stun;                // the dummy's row shows hit stun
        int cells;                // 26 frames less those the hit-stop held
    };
    const Case cases[] = {{DummyMode::Stand, 2, 1, 3, true, 20},
                          {DummyMode::BlockAll, 2, 1, 3, false, 23}};
    for (const Case& c : cases) {
        Treino t(150, 190);
        t.mode(c.dummy);
        t.key(keys::FrameData);
        t.ticks(5);
        t.press(media::isButton1);
        t.ticks(20);
        const FrameMeter& m = t.trainer.observed().meter;
        int count[2][6] = {};
        for (int n = 1; n <= 2; ++n) {
            for (int i = 0; i < m.count(); ++i) {
                const Cell cell = m.at(n, i);
                ++count[n - 1][static_cast<int>(cell)];
                const media::TColor colours[] = {
                    0, kStartupColour, kActiveColour, kRecoveryColour, kStunColour, kFreeColour};
                const int x = (400 - FrameMeter::kCells * kMeterCell) / 2 + i * kMeterCell;
                const int y = kMeterTop + (n - 1) * kMeterRow;
                EXPECT_EQ(t.at(x + 1, y + 1), shown(colours[static_cast<int>(cell)]))
                    << modeName(c.dummy) << " fighter " << n << " cell " << i;
            }
        }
        EXPECT_EQ(m.count(), c.cells) << "one cell a counted frame";
        EXPECT_EQ(count[0][static_cast<int>(Cell::Startup)], c.greens) << modeName(c.dummy);
        EXPECT_EQ(count[0][static_cast<int>(Cell::Active)], c.reds) << modeName(c.dummy);
        EXPECT_EQ(count[0][static_cast<int>(Cell::Recovery)], c.blues) << modeName(c.dummy);
        EXPECT_EQ(count[1][static_cast<int>(Cell::Stun)] > 0, c.stun) << modeName(c.dummy);
    }
}

TEST(TrainingFrameData, AProjectileIsTheActiveFrameOfItsMove) {
    // Character 1's "BDP": state 25 for 28 frames, the projectile leaving the hand at ciclo 10,
    // whichever punch fires it: the move's eleventh frame.
    struct Case {
        bool heavy;
    };
    const Case cases[] = {{false}, {true}};
    for (const Case& c : cases) {
        Treino t(100, 330);
        for (const pelea::testing::Tecla& k : pelea::testing::digita("BDP", 1, c.heavy)) {
            t.game.plat.keyboard = pelea::testing::bits(k, 1);
            t.tick();
        }
        t.game.plat.keyboard = 0;
        t.ticks(40);
        const MoveData& m = t.trainer.observed().move;
        EXPECT_EQ(m.pos, 25) << c.heavy;
        EXPECT_EQ(m.startup, 11) << c.heavy;
        EXPECT_EQ(m.active, 1) << c.heavy;
        EXPECT_EQ(m.recovery, 17) << c.heavy;
    }
}

TEST(TrainingRound, TheClockHoldsAndALifeThatWouldEndIsRefilledAfterTheCombo) {
    // A heavy punch takes 14 x 0.7 = 9.8, a projectile 12 x 0.7 = 8.4: either would end a life
    // of 3 and knock the dummy out. In training it reels as from any other blow of these (no
    // knock-down) and keeps a sliver of life. The clock would count down from 5 with its limit
    // on.
    struct Case {
        const char* what;
        std::function<void(Treino&)> blow;
    };
    const Case cases[] = {
        {"heavy punch", [](Treino& t) { t.press(media::isButton3); }},
        {"projectile",
         [](Treino& t) {
             t.game.form.criaefeito(t.L(2).x - 60, t.L(2).y - 100, 8, "A", 1);
             t.game.g().efeitos[1].derruba = 0;  // this one does not knock down by itself
             t.L(2).hp = 3.0;                    // a live projectile: the fight is not calm
             t.tick();
         }},
    };
    for (const Case& c : cases) {
        Treino t(150, 200);
        t.game.m().limiteDeTempo = 1;
        t.game.m().tempo = 5;
        c.blow(t);
        if (t.L(1).hits == 0) t.L(2).hp = 3.0;  // the punch under way: the fight is not calm
        bool hit = false;
        for (int i = 0; i < 150 && !(hit && t.L(1).hitsTempo == 0); ++i) {
            hit = hit || t.L(1).hits > 0;
            ASSERT_GT(t.L(2).hp, 0.0) << c.what << " frame " << i;
            if (hit) {
                ASSERT_LT(t.L(2).hp, 3.0) << c.what << " frame " << i;
            }
            t.tick();
            EXPECT_EQ(t.game.m().finRound, 0) << c.what;
            EXPECT_EQ(t.game.m().tempo, 99) << c.what;
            EXPECT_NE(t.L(2).pos, 19) << c.what << " frame " << i;
        }
        ASSERT_TRUE(hit) << c.what;
        t.tick();
        EXPECT_EQ(t.L(2).hp, 125.0) << c.what << ": refilled once the combo is over";
        t.ticks(300);
        EXPECT_EQ(t.game.m().modoTela, pelea::tela::Luta) << c.what;
        EXPECT_EQ(t.game.m().finRound, 0) << c.what;
        EXPECT_EQ(t.game.m().tempo, 99) << c.what;
        EXPECT_FALSE(t.game.shows("TIME END    ")) << c.what;
    }
}

TEST(TrainingRound, LivesAndWithTheSettingMetersRefillOnceAComboIsOverAndNotDuringIt) {
    // Two heavy punches into a standing dummy: a combo, its counter running meanwhile. Life lost
    // during it, the dummy's and fighter 1's alike, and a meter spent, stay as they are until
    // the counters have run out and both fighters can act; then both lives are full, and with
    // F12 both meters and stocks as well.
    struct Case {
        bool meters;
        const char* status;
    };
    const Case cases[] = {{false, "RELLENA: VIDA"}, {true, "RELLENA: VIDA Y PODER"}};
    for (const Case& c : cases) {
        Treino t(150, 200);
        if (c.meters) t.key(keys::Refill);
        t.press(media::isButton3);
        while (t.L(1).pontos == 0)
            t.tick();
        ASSERT_GT(t.L(1).hitsTempo, 0) << c.status;
        t.L(1).hp = 40.0;
        t.L(1).especial = t.L(2).especial = 10.0;
        t.L(1).estoque = t.L(2).estoque = 0;
        int during = 0;
        for (int i = 0; i < 200 && t.L(1).hitsTempo != 0; ++i, ++during) {
            EXPECT_LT(t.L(2).hp, 125.0) << c.status << " frame " << i;
            EXPECT_EQ(t.L(1).hp, 40.0) << c.status << " frame " << i;
            EXPECT_EQ(t.L(2).estoque, 0) << c.status << " frame " << i;
            t.tick();
        }
        ASSERT_GT(during, 5) << c.status;
        for (int i = 0; i < 60 && !(isFreeState(t.L(1).pos) && isFreeState(t.L(2).pos)); ++i)
            t.tick();
        t.tick();
        EXPECT_EQ(t.L(1).hp, 125.0) << c.status;
        EXPECT_EQ(t.L(2).hp, 125.0) << c.status;
        for (int n = 1; n <= 2; ++n) {
            EXPECT_EQ(t.L(n).especial == 102.0, c.meters) << c.status << " fighter " << n;
            EXPECT_EQ(t.L(n).estoque, c.meters ? 3 : 0) << c.status << " fighter " << n;
        }
        EXPECT_TRUE(t.game.shows(std::string("MUÑECO: DE PIE   ") + c.status)) << c.status;
    }
}

TEST(TrainingReset, HomePutsBothFightersBackWithFullLifeAtMidScreenOrInTheCornerHeld) {
    // Mid-screen is where a round starts: the camera at 100, the fighters at 200 and 400. Held
    // left, fighter 1 goes to the left margin (30) with the dummy 100 pixels on; held right, the
    // dummy to the right margin (570, the camera at its end, 200) with fighter 1 100 pixels
    // before it, which then takes its walking step of 8 towards it in that frame.
    struct Case {
        uint32_t held;
        int32_t x1, x2, telaX;
    };
    const Case cases[] = {
        {0, 200, 400, 100},
        {media::isLeft, 30, 130, 0},
        {media::isRight, 478, 570, 200},
    };
    for (const Case& c : cases) {
        Treino t(330, 260);  // the sides swapped, off the middle
        t.L(1).hp = 20.0;
        t.L(2).hp = 1.0;
        t.L(1).hits = 2;  // in the middle of fighter 1's combo, the dummy reeling in the air
        t.L(1).hitsTempo = 30;
        t.L(2).y = 220;
        t.L(2).grav = -5;
        t.L(2).pulo = 1;
        t.L(2).pos = 17;
        t.L(2).cicloFim = 8;
        t.game.form.criaefeito(300, 200, 8, "A", 1);
        t.key(keys::Pause);
        t.key(keys::Reset);
        t.tick();
        EXPECT_EQ(t.L(1).x, 330) << c.held << ": a paused fight waits for the next frame";
        t.key(keys::Pause);
        t.game.plat.keyboard = c.held;
        t.tick();
        t.game.plat.keyboard = 0;
        EXPECT_EQ(t.L(1).x, c.x1) << c.held;
        EXPECT_EQ(t.L(2).x, c.x2) << c.held;
        EXPECT_EQ(t.game.m().telaX, c.telaX) << c.held;
        for (int n = 1; n <= 2; ++n) {
            EXPECT_EQ(t.L(n).hp, 125.0) << c.held << " fighter " << n;
            EXPECT_EQ(t.L(n).y, 300) << c.held << " fighter " << n;
            EXPECT_EQ(t.L(n).lado, n) << c.held << " fighter " << n << " faces the other";
        }
        for (const pelea::Efeito& e : t.game.g().efeitos)
            EXPECT_NE(e.tipo, 8) << c.held << ": the projectile is gone";
    }
}

TEST(TrainingCarried, TheRefillSettingCarriesOnAndBytesFromBeforeItStillDo) {
    struct Case {
        const char* what;
        int dropped;  // bytes taken off the end of what the trainer carries
        bool meters;  // the setting they were taken from
        bool taken;
        bool metersAfter;
    };
    const Case cases[] = {
        {"as carried", 0, true, true, true},
        {"without the setting's byte", 1, true, true, false},
        {"cut short", 2, false, false, false},
    };
    for (const Case& c : cases) {
        Treino from;
        if (c.meters) from.key(keys::Refill);
        std::vector<unsigned char> bytes = from.trainer.carried();
        bytes.resize(bytes.size() - static_cast<size_t>(c.dropped));
        Treino to;
        EXPECT_EQ(to.trainer.carryOn(bytes), c.taken) << c.what;
        EXPECT_EQ(to.trainer.refillsMeters(), c.metersAfter) << c.what;
    }
}

TEST(TrainingDummy, EachModeDoesWhatItSays) {
    // Fighter 1 taps light punch at the listed frames with the dummy put 40 px in front; the
    // first three fall inside one combo window (43 frames after a hit), the last long after it.
    const std::vector<int> punches = {10, 35, 50, 130};
    struct Case {
        DummyMode mode;
        std::vector<int> punches;
        int landed;  // punches that hit
        bool blocks, crouches, jumps, computer;
    };
    const Case cases[] = {
        {DummyMode::Stand, punches, 4, false, false, false, false},
        {DummyMode::Crouch, {}, 0, false, true, false, false},
        {DummyMode::Jump, {}, 0, false, false, true, false},
        {DummyMode::BlockAll, punches, 0, true, false, false, false},
        {DummyMode::BlockAfterHit, punches, 2, true, false, false, false},
        {DummyMode::Fight, {}, 0, false, false, false, true},
    };
    for (const Case& c : cases) {
        Treino t(150, 190);
        t.mode(c.mode);
        int landed = 0;
        bool blocked = false, crouched = false, jumped = false, moved = false;
        for (int i = 0; i < 200; ++i) {
            const bool punch = std::find(c.punches.begin(), c.punches.end(), i) != c.punches.end();
            t.game.plat.keyboard = punch ? uint32_t{media::isButton1} : 0u;
            if (punch) t.L(2).x = t.L(1).x + 40;
            const int32_t points = t.L(1).pontos, x = t.L(2).x;
            t.tick();
            landed += t.L(1).pontos > points;
            blocked = blocked || t.L(2).pos == 21;
            crouched = crouched || t.L(2).pos == 7;
            jumped = jumped || t.L(2).y < 300;
            moved = moved || t.L(2).x != x;
        }
        const char* name = modeName(c.mode);
        EXPECT_EQ(landed, c.landed) << name;
        if (!c.computer) {  // the computer may block, crouch and jump as it likes
            EXPECT_EQ(blocked, c.blocks) << name;
            EXPECT_EQ(crouched, c.crouches) << name;
            EXPECT_EQ(jumped, c.jumps) << name;
        }
        EXPECT_EQ(t.L(2).humano == 0, c.computer) << name;
        if (c.computer) {
            EXPECT_TRUE(moved) << name;
        }
        EXPECT_TRUE(t.game.shows(std::string("MUÑECO: ") + name + "   RELLENA: VIDA")) << name;
    }
}

TEST(TrainingDummy, ARecordingPlaysBackOnALoop) {
    // Ten frames crouching, five standing, five walking forward (left, towards fighter 1).
    const auto pattern = [](int i) -> uint32_t {
        if (i < 10) return media::isDown;
        return i < 15 ? 0u : uint32_t{media::isLeft};
    };
    struct Case {
        const char* what;
        bool fromKeyboard;
    };
    const Case cases[] = {{"from the pad", false}, {"from the keyboard", true}};
    for (const Case& c : cases) {
        Treino t(60, 340);
        t.key(keys::Record);
        for (int i = 0; i < 20; ++i) {
            (c.fromKeyboard ? t.game.plat.keyboard : t.game.plat.joystick) = pattern(i);
            t.tick();
            EXPECT_EQ(t.game.form.DXInput1.Joystick(), pattern(i)) << c.what << " frame " << i;
            EXPECT_NE(t.L(1).pos, 7) << c.what << ": fighter 1 stands while the dummy records";
        }
        t.key(keys::Record);
        t.game.plat.keyboard = t.game.plat.joystick = 0;
        EXPECT_EQ(t.trainer.observed().recorded, 20) << c.what;
        t.key(keys::Playback);
        for (int i = 0; i < 60; ++i) {
            t.tick();
            EXPECT_EQ(t.game.form.DXInput1.Joystick(), pattern(i % 20))
                << c.what << " playback frame " << i;
            if (i % 20 == 5) {
                EXPECT_EQ(t.L(2).pos, 7) << c.what << " frame " << i;
            }
            if (i % 20 == 17) {
                EXPECT_EQ(t.L(2).pos, 2) << c.what << " frame " << i;
            }
        }
    }
}

TEST(TrainingFrameStep, EachStepAdvancesExactlyOneFrame) {
    struct Case {
        int before;  // frames played before the pause
        int steps;
    };
    const Case cases[] = {{0, 1}, {30, 1}, {45, 5}};
    for (const Case& c : cases) {
        Treino stepped(150, 230), played(150, 230);
        for (int i = 0; i < c.before; ++i) {
            stepped.game.plat.keyboard = played.game.plat.keyboard = walkAndPunch(i);
            stepped.tick();
            played.tick();
        }
        stepped.key(keys::Step);  // the first press pauses
        ASSERT_TRUE(stepped.trainer.paused());
        for (int s = 0; s < c.steps; ++s) {
            const uint32_t keys = walkAndPunch(c.before + s);
            stepped.game.plat.keyboard = played.game.plat.keyboard = keys;
            const pelea::GameState held = stepped.game.g();
            stepped.ticks(4);
            EXPECT_TRUE(sameState(stepped.game.g(), held)) << "paused, step " << s;
            stepped.key(keys::Step);
            stepped.tick();
            played.tick();
            EXPECT_TRUE(sameState(stepped.game.g(), played.game.g())) << "step " << s;
            stepped.tick();
            EXPECT_TRUE(sameState(stepped.game.g(), played.game.g())) << "held after " << s;
        }
        EXPECT_TRUE(stepped.game.shows("MUÑECO: DE PIE   RELLENA: VIDA   PAUSA"));
    }
}

TEST(TrainingMark, TheSelectScreenKeyMarksTheComingMatch) {
    struct Case {
        int presses;
        bool training;
    };
    const Case cases[] = {{0, false}, {1, true}, {2, false}};
    for (const Case& c : cases) {
        Game game;
        Trainer trainer(game.form, false);
        game.toChoosing();
        for (int i = 0; i < c.presses; ++i)
            trainer.keyDown(keys::Mark);
        game.texts.clear();
        trainer.tick();
        EXPECT_TRUE(game.shows(c.training ? "F2 ENTRENAMIENTO: SI" : "F2 ENTRENAMIENTO: NO"))
            << c.presses;
        game.plat.keyboard = media::isButton1;
        trainer.tick();
        game.plat.keyboard = 0;
        ASSERT_EQ(game.m().modoTela, pelea::tela::Luta) << c.presses;
        EXPECT_EQ(trainer.inFight(), c.training) << c.presses;
        game.m().limiteDeTempo = 1;
        game.m().tempo = 30;
        game.texts.clear();
        trainer.tick();
        EXPECT_EQ(game.m().tempo, c.training ? 99 : 30) << c.presses;
    }
}

}  // namespace
}  // namespace training
