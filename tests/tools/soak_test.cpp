#include "soak/soak.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

using pelea::GameState;
using soak::Before;
using soak::Invariant;
using soak::Lives;
namespace tela = pelea::tela;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// A round being fought, the camera at (100, 20): the view holds x 130..470. Fighters at 230 and
// 370 are inside it wherever the camera stands.
GameState roundInPlay() {
    GameState g{};
    g.m.modoTela = tela::Luta;
    g.m.telaX = 100;
    g.m.telaY = 20;
    g.m.numCenario = 3;
    g.lutador[1].x = 230;
    g.lutador[2].x = 370;
    return g;
}

// Runs the demo until a round's fighters are released.
void toReleasedRound(soak::Soak& s) {
    const pelea::MatchState& m = s.form().g.m;
    for (int i = 0; i < 1000 && !(m.modoTela == tela::Luta && m.inicioRound > 70); ++i)
        ASSERT_FALSE(s.run(1).has_value());
    ASSERT_EQ(m.modoTela, tela::Luta);
}

TEST(SoakRun, TheDemoKeepsEveryRuleAndItsCountsAddUp) {
    // Frames for a few matches; a match takes at least the select screen's 15 frames of slide,
    // two round starts of 55 frames, the 30-frame knock-out freeze and the 130 and 220 frames
    // of the two round ends, so fewer than 500 frames can never hold a match.
    constexpr int64_t kFrames = 15000;
    for (uint64_t seed : {1U, 7U}) {
        auto s = std::make_unique<soak::Soak>(seed);
        const std::optional<soak::Failure> f = s->run(kFrames);
        ASSERT_FALSE(f.has_value()) << seed << ": " << soak::describe(*f);
        const soak::Counts& c = s->counts();
        EXPECT_EQ(c.frames, kFrames) << seed;
        EXPECT_GE(c.matches, 1) << seed;
        EXPECT_LE(c.matches * 500, c.frames) << seed;
        // Two rounds won make a match; every round ends by a knock-out or by time, and with
        // the clock off, as the demo starts, only by knock-outs.
        EXPECT_GE(c.rounds, 2 * c.matches) << seed;
        EXPECT_EQ(c.knockOuts + c.timeOvers, c.rounds) << seed;
        EXPECT_EQ(c.timeOvers, 0) << seed;
    }
}

TEST(SoakRun, ARoundThatRunsOutOfTimeIsCountedAsATimeOver) {
    auto s = std::make_unique<soak::Soak>(3);
    toReleasedRound(*s);
    pelea::MatchState& m = s->form().g.m;
    const soak::Counts start = s->counts();
    // One clock second left: 30 unpaused frames, then the fighter with less life loses the round.
    m.limiteDeTempo = 1;
    m.tempo = 1;
    m.tempoSub = 30;
    int frames = 0;
    while (s->counts().rounds == start.rounds && frames < 300) {
        ASSERT_FALSE(s->run(1).has_value());
        ++frames;
    }
    EXPECT_GE(frames, 30);
    EXPECT_EQ(m.tempo, 0);
    EXPECT_EQ(s->counts().rounds, start.rounds + 1);
    EXPECT_EQ(s->counts().timeOvers, start.timeOvers + 1);
    EXPECT_EQ(s->counts().knockOuts, start.knockOuts);
}

TEST(SoakRun, ABrokenStateStopsTheRunAtItsFrame) {
    auto s = std::make_unique<soak::Soak>(2);
    toReleasedRound(*s);
    const int64_t frame = s->counts().frames;
    // No rule of the fight mends a meter that is not a number.
    s->form().L(2).especial = kNaN;
    const std::optional<soak::Failure> f = s->run(10);
    ASSERT_TRUE(f.has_value());
    EXPECT_EQ(f->frame, frame);
    EXPECT_EQ(f->fault.invariant, Invariant::Meter);
    const std::string line = soak::describe(*f);
    EXPECT_EQ(line.rfind("frame " + std::to_string(frame) + ": meter: fighter 2 meter nan", 0), 0U)
        << line;
}

// What the checks of one frame look at, a round being fought to begin with.
struct Frame {
    Before b{tela::Luta, 0, 3};
    GameState g = roundInPlay();
    Lives shown{0.0, 125.0, 125.0};
    pelea::Lutador& L(int n) { return g.lutador[static_cast<size_t>(n)]; }
    void at(int n, int x, double hp) {
        L(n).x = x;
        L(n).hp = hp;
    }
    // Fills slots 1 upwards, and entry 0 as the 81st.
    void effects(int live) {
        for (int i = 1; i <= live; ++i)
            g.efeitos[static_cast<size_t>(i % 81)].tipo = 2;
    }
    // The select screen hands over to a match on stage `now`; the last match was on `last`.
    void match(uint8_t last, uint8_t now) {
        b = Before{tela::Selecao, 0, last};
        g.m.numCenario = now;
    }
};

TEST(SoakChecks, EachBrokenRuleIsCaughtAndNamed) {
    using I = Invariant;
    struct Case {
        const char* what;
        void (*breakIt)(Frame&);
        std::optional<Invariant> caught;  // none: the rules allow it
        const char* detail;               // a text the fault's detail must hold
    };
    const Case cases[] = {
        {"nothing broken", [](Frame&) {}, {}, ""},
        {"camera at 0, 0", [](Frame& f) { f.g.m.telaX = f.g.m.telaY = 0; }, {}, ""},
        {"camera at 200", [](Frame& f) { f.g.m.telaX = 200; }, {}, ""},
        {"camera left of the stage", [](Frame& f) { f.g.m.telaX = -1; }, I::Camera, "telaX -1"},
        {"camera past the stage", [](Frame& f) { f.g.m.telaX = 201; }, I::Camera, "telaX 201"},
        {"camera too low", [](Frame& f) { f.g.m.telaY = 21; }, I::Camera, "telaY 21"},
        {"on the right margin", [](Frame& f) { f.L(2).x = 470; }, {}, ""},
        {"past the right margin", [](Frame& f) { f.L(2).x = 471; }, I::View, "fighter 2 at x 471"},
        {"past the left margin", [](Frame& f) { f.L(1).x = 129; }, I::View, "130..470"},
        {"knocked out and flown out", [](Frame& f) { f.at(2, 600, 0.0); }, {}, ""},
        {"out once the round ended",
         [](Frame& f) {
             f.g.m.finRound = 40;
             f.L(1).x = -50;
         },
         {},
         ""},
        {"life not a number", [](Frame& f) { f.L(1).hp = kNaN; }, I::Life, "fighter 1 life nan"},
        {"life infinite", [](Frame& f) { f.L(2).hp = -kInf; }, I::Life, "fighter 2"},
        {"a pickup after the clamp", [](Frame& f) { f.L(2).hp = 146; }, {}, ""},
        {"a blow after the clamp", [](Frame& f) { f.L(1).hp = -28; }, {}, ""},
        {"over 125 on the display", [](Frame& f) { f.shown[1] = 125.5; }, I::Life, "125.5"},
        {"below 0 on the display", [](Frame& f) { f.shown[2] = -0.5; }, I::Life, "-0.5"},
        {"NaN on the display", [](Frame& f) { f.shown[2] = kNaN; }, I::Life, "nan"},
        {"meter over 102 by a gain", [](Frame& f) { f.L(1).especial = 116; }, {}, ""},
        {"meter past a gain", [](Frame& f) { f.L(1).especial = 116.5; }, I::Meter, "116.5"},
        {"meter below 0", [](Frame& f) { f.L(2).especial = -1; }, I::Meter, "fighter 2"},
        {"meter not a number", [](Frame& f) { f.L(2).especial = kNaN; }, I::Meter, "nan"},
        {"a super with no stock", [](Frame& f) { f.L(1).estoque = -1; }, {}, ""},
        {"stocks -2", [](Frame& f) { f.L(1).estoque = -2; }, I::Stocks, "stocks -2"},
        {"four stocks", [](Frame& f) { f.L(2).estoque = 4; }, I::Stocks, "stocks 4"},
        {"80 live effects", [](Frame& f) { f.effects(80); }, {}, ""},
        {"81 live effects", [](Frame& f) { f.effects(81); }, I::EffectCount, "81"},
        {"an effect in entry 0", [](Frame& f) { f.g.efeitos[0].tipo = 1; }, I::EffectCount,
         "entry 0"},
        {"kind 34", [](Frame& f) { f.g.efeitos[80].tipo = 34; }, {}, ""},
        {"kind 0, a free slot", [](Frame& f) { f.g.efeitos[9].ativo = 1; }, {}, ""},
        {"kind 35", [](Frame& f) { f.g.efeitos[9].tipo = 35; }, I::EffectKind,
         "slot 9 holds kind 35"},
        {"kind 255", [](Frame& f) { f.g.efeitos[1].tipo = 255; }, I::EffectKind, "kind 255"},
        {"a match on a new stage", [](Frame& f) { f.match(4, 3); }, {}, ""},
        {"the same stage twice", [](Frame& f) { f.match(3, 3); }, I::Stage, "stage 3 twice"},
        {"stage 9", [](Frame& f) { f.match(3, 9); }, I::Stage, "stage 9"},
        {"back from the menu", [](Frame& f) { f.b.modoTela = tela::Config; }, {}, ""},
    };
    for (const Case& c : cases) {
        Frame fr;
        c.breakIt(fr);
        soak::Checker checker;
        const std::optional<soak::Fault> f = checker.frame(fr.b, fr.g, fr.shown);
        ASSERT_EQ(f.has_value(), c.caught.has_value()) << c.what << ": " << (f ? f->detail : "");
        if (!f) continue;
        EXPECT_EQ(f->invariant, *c.caught) << c.what;
        EXPECT_NE(f->detail.find(c.detail), std::string::npos) << c.what << ": " << f->detail;
        const std::string line = soak::describe(soak::Failure{12, *f});
        EXPECT_EQ(line,
                  "frame 12: " + std::string(soak::invariantName(*c.caught)) + ": " + f->detail);
    }
}

TEST(SoakChecks, AMatchMustEndAtLeastEverySixtyThousandFrames) {
    struct Case {
        const char* what;
        int64_t matchEndsAt;  // the frame (from 1) that ends a match, 0 for none
        int64_t faultAt;      // the frame the run fails on, 0 for none within 150,000
    };
    const Case cases[] = {
        {"no match at all", 0, 60001},
        {"a match ends on the last allowed frame", 60000, 120001},
        {"a match ends early", 1000, 61001},
    };
    const GameState fight = roundInPlay();
    GameState ended = fight;
    ended.m.modoTela = tela::Selecao;
    ended.m.finRound = 221;
    const Before fighting{tela::Luta, 5, 3};
    const Lives shown{0.0, 125.0, 125.0};
    for (const Case& c : cases) {
        soak::Checker checker;
        int64_t faultAt = 0;
        for (int64_t k = 1; k <= 150000 && faultAt == 0; ++k) {
            const std::optional<soak::Fault> f =
                checker.frame(fighting, k == c.matchEndsAt ? ended : fight, shown);
            if (f) {
                EXPECT_EQ(f->invariant, Invariant::Matches) << c.what;
                faultAt = k;
            }
        }
        EXPECT_EQ(faultAt, c.faultAt) << c.what;
    }
}

TEST(SoakChecks, RoundsAndMatchesAreCountedByHowTheyEnd) {
    struct Case {
        const char* what;
        Before b;
        uint8_t modoTela, finRound, tempo;
        soak::Counts expected;  // frames, matches, rounds, knock-outs, time-overs
    };
    const Case cases[] = {
        {"a knock-out", {tela::Luta, 0, 3}, tela::Luta, 2, 99, {1, 0, 1, 1, 0}},
        {"the clock runs out", {tela::Luta, 0, 3}, tela::Luta, 1, 0, {1, 0, 1, 0, 1}},
        {"a round end going on", {tela::Luta, 50, 3}, tela::Luta, 51, 99, {1, 0, 0, 0, 0}},
        {"the next round", {tela::Luta, 131, 3}, tela::Luta, 0, 99, {1, 0, 0, 0, 0}},
        {"the match ends", {tela::Luta, 221, 3}, tela::Selecao, 221, 20, {1, 1, 0, 0, 0}},
        {"a challenger cuts in", {tela::Luta, 0, 3}, tela::Selecao, 0, 20, {1, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        GameState g = roundInPlay();
        g.m.modoTela = c.modoTela;
        g.m.finRound = c.finRound;
        g.m.tempo = c.tempo;
        soak::Checker checker;
        checker.frame(c.b, g, Lives{0.0, 125.0, 125.0});
        EXPECT_EQ(checker.counts(), c.expected) << c.what;
    }
}

TEST(SoakCommandLine, ArgumentsAreReadAndBadOnesNamed) {
    struct Case {
        std::vector<std::string> args;
        bool ok;
        const char* named;  // a text the error must contain
        int64_t frames;
        uint64_t seed;
    };
    const Case cases[] = {
        {{}, true, "", 1000000, 1},
        {{"--frames", "100000", "--seed", "18446744073709551615"}, true, "", 100000, UINT64_MAX},
        {{"--frames", "0"}, false, "'0'", 0, 0},
        {{"--frames", "1e6"}, false, "--frames", 0, 0},
        {{"--frames", "-5"}, false, "'-5'", 0, 0},
        {{"--frames"}, false, "--frames needs a value", 0, 0},
        {{"--seed", "18446744073709551616"}, false, "--seed", 0, 0},
        {{"--seed", "x"}, false, "'x'", 0, 0},
        {{"--fast"}, false, "'--fast'", 0, 0},
        {{"100"}, false, "'100'", 0, 0},
    };
    for (const Case& c : cases) {
        soak::Options o;
        std::string error;
        const std::string line = ::testing::PrintToString(c.args);
        ASSERT_EQ(soak::parseArguments(c.args, o, error), c.ok) << line;
        if (!c.ok) {
            EXPECT_NE(error.find(c.named), std::string::npos) << line << ": " << error;
            EXPECT_EQ(error.find('\n'), std::string::npos) << line;
            continue;
        }
        EXPECT_EQ(o.frames, c.frames) << line;
        EXPECT_EQ(o.seed, c.seed) << line;
    }
}

}  // namespace
