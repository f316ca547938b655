#include "tournament/tournament.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "media/input.h"

namespace {

using tournament::MoveTable;
using tournament::Options;
using tournament::Pair;
using tournament::Results;

Options smallRun(std::vector<Pair> pairs, int rounds = 2, uint64_t seed = 5) {
    Options o;
    o.pairs = std::move(pairs);
    o.rounds = rounds;
    o.seed = seed;
    return o;
}

int64_t sumMoves(const MoveTable& t, int64_t tournament::MoveCount::*field) {
    int64_t s = 0;
    for (const auto& row : t) {
        for (const tournament::MoveCount& k : row)
            s += k.*field;
    }
    return s;
}

TEST(TournamentMoves, StatesMapToTheDispatcherRowsAndTheirFollowUps) {
    struct Case {
        int personagem, pos;
        int entered, during;  // move index, −1 for none
    };
    const Case cases[] = {
        {1, 25, 0, 0},   {1, 29, 4, 4},   {1, 21, -1, -1},  // a guard is no special move
        {2, 28, 3, 3},   {2, 29, -1, 3},  // the follow-up of 28 is part of its move
        {2, 30, 4, 4},   {2, 31, -1, 4},  {3, 29, 4, 4},    {3, 30, -1, 4},
        {7, 30, -1, 4},  {12, 28, 3, 3},  {12, 29, -1, -1},  // character 12 has four rows
        {5, 30, -1, -1}, {0, 25, -1, -1}, {13, 25, -1, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(tournament::moveEntered(c.personagem, c.pos), c.entered)
            << c.personagem << " " << c.pos;
        EXPECT_EQ(tournament::moveDuring(c.personagem, c.pos), c.during)
            << c.personagem << " " << c.pos;
    }
    EXPECT_EQ(tournament::moves(12).size(), 4U);
    EXPECT_TRUE(tournament::moves(12).back().super);
    EXPECT_EQ(tournament::moves(2)[3].codigo, tournament::moves(2)[3].ultimo);
}

TEST(TournamentMoves, AHitShowsInTheAttackersComboRecord) {
    struct Case {
        const char* what;
        uint8_t hitsBefore, tempoBefore, hitsAfter, tempoAfter;
        bool struck;
    };
    const Case cases[] = {
        {"first blow of a combo", 0, 0, 1, 43, true},
        {"blow after the window ran down", 3, 20, 1, 43, true},
        {"projectile after the window ran down", 1, 35, 1, 50, true},
        {"blow on a projectile's open window", 1, 50, 2, 43, true},
        {"projectile in the hit pause of another", 1, 50, 2, 50, true},
        {"window counting down", 2, 40, 2, 39, false},
        {"window closing clears the count", 2, 1, 0, 0, false},
        {"hit pause", 2, 43, 2, 43, false},
        {"nothing", 0, 0, 0, 0, false},
    };
    for (const Case& c : cases) {
        pelea::Lutador before, after;
        before.hits = c.hitsBefore;
        before.hitsTempo = c.tempoBefore;
        after.hits = c.hitsAfter;
        after.hitsTempo = c.tempoAfter;
        EXPECT_EQ(tournament::struck(before, after), c.struck) << c.what;
    }
}

// Fighter 1 is sent into a move next to fighter 2, who stands still (or holds back to block):
// both are person-driven with nobody pressing anything, past the round's introduction.
TEST(TournamentMoves, AStagedMoveIsCountedOnceAsUsedAndOnceWhenItLands) {
    struct Case {
        const char* what;
        int codigo;  // the request to fighter 1, character 1
        int gap;     // fighter 2 stands this far to the right
        bool guard;
        int move;  // the move to look at, −1: none may count
        int used, landed;
        bool landsAfterTheState;  // the blow lands once fighter 1 has left the move's states
    };
    const Case cases[] = {
        {"sliding kick at close range", 22, 70, false, 3, 1, 1, false},
        {"sliding kick blocked", 22, 70, true, 3, 1, 0, false},
        {"sliding kick out of reach", 22, 330, false, 3, 1, 0, false},
        {"projectile from afar", 16, 300, false, 0, 1, 1, true},
        {"projectile blocked", 16, 300, true, 0, 1, 0, false},
        {"dash", 18, 90, false, 1, 1, 1, false},
        {"heavy punch, no special move", 5, 60, false, -1, 0, 0, false},
    };
    for (const Case& c : cases) {
        tournament::Arena arena;
        arena.startRound(1, 7, 3);
        pelea::TForm1& f = arena.form();
        f.g.m.inicioRound = 71;
        f.g.m.lutaParada = 0;
        f.g.m.telaX = 0;
        for (int n = 1; n <= 2; ++n)
            f.L(n).humano = 1;
        f.L(1).x = 40;
        f.L(2).x = 40 + c.gap;
        arena.platform().setStates(0, c.guard ? uint32_t{media::isRight} : 0U);

        MoveTable table{};
        tournament::MoveTracker tracker(table);
        tracker.start(f.g);
        f.acao(1, c.codigo);
        int posAtLanding = -1;
        for (int i = 0; i < 150; ++i) {
            const int64_t landedBefore = sumMoves(table, &tournament::MoveCount::landed);
            f.DXTimer1Timer();
            tracker.observe(f.g);
            if (sumMoves(table, &tournament::MoveCount::landed) > landedBefore)
                posAtLanding = f.L(1).pos;
        }
        if (c.move < 0) {
            EXPECT_EQ(sumMoves(table, &tournament::MoveCount::used), 0) << c.what;
            EXPECT_EQ(sumMoves(table, &tournament::MoveCount::hits), 0) << c.what;
            EXPECT_LT(f.L(2).hp, 125.0) << c.what << ": the punch must land";
            continue;
        }
        const tournament::MoveCount& k = table[1][static_cast<size_t>(c.move)];
        EXPECT_EQ(k.used, c.used) << c.what;
        EXPECT_EQ(k.landed, c.landed) << c.what;
        EXPECT_EQ(sumMoves(table, &tournament::MoveCount::used), c.used) << c.what;
        EXPECT_EQ(sumMoves(table, &tournament::MoveCount::landed), c.landed) << c.what;
        if (c.landed > 0) {
            EXPECT_GE(k.hits, k.landed) << c.what;
            EXPECT_EQ(tournament::moveDuring(1, posAtLanding) < 0, c.landsAfterTheState)
                << c.what << ": fighter 1 in state " << posAtLanding;
        }
    }
}

TEST(TournamentRun, EveryRoundIsDecidedAndTheCountsAddUp) {
    const Options o = smallRun({{1, 2}, {2, 1}, {3, 4}});
    const Results r = tournament::runTournament(o);
    EXPECT_EQ(r.rounds, 6);
    EXPECT_EQ(r.capped, 0);
    int64_t wins = 0;
    for (const Pair& p : o.pairs) {
        const auto a = static_cast<size_t>(p.first), b = static_cast<size_t>(p.second);
        EXPECT_EQ(r.played[a][b], 2);
        EXPECT_EQ(r.won1[a][b] + r.won2[a][b] + r.drawn[a][b], r.played[a][b]);
        wins += r.won1[a][b] + r.won2[a][b];
    }
    EXPECT_EQ(wins + r.draws, r.rounds);
    EXPECT_LE(r.byTime, r.rounds);
    // A round lasts no longer than the 99-second clock of 30 frames, and is fought at all.
    EXPECT_GT(r.framesFought, 0);
    EXPECT_LE(r.framesFought, r.rounds * 99 * 30);
    EXPECT_GT(r.framesRun, r.framesFought);
    for (int c = 1; c <= tournament::kCharacters; ++c) {
        for (const tournament::MoveCount& k : r.moves[static_cast<size_t>(c)]) {
            EXPECT_LE(k.landed, k.used) << c;
            EXPECT_LE(k.landed, k.hits) << c;
        }
    }
    // Character 1's moves are finished: its computer uses them.
    EXPECT_GT(sumMoves(r.moves, &tournament::MoveCount::used), 0);
}

TEST(TournamentRun, TheSameSeedPlaysTheSameRoundsWhateverElseIsPlayed) {
    struct Case {
        const char* what;
        std::vector<Pair> pairs;
        uint64_t seed;
        bool same;
    };
    const std::vector<Pair> base = {{1, 2}, {3, 4}};
    const Results reference = tournament::runTournament(smallRun(base));
    const Case cases[] = {
        {"repeated", base, 5, true},
        {"other pairs first", {{5, 6}, {3, 4}, {1, 2}}, 5, true},
        {"another seed", base, 6, false},
    };
    for (const Case& c : cases) {
        const Results r = tournament::runTournament(smallRun(c.pairs, 2, c.seed));
        EXPECT_EQ(r.rounds, 2 * static_cast<int64_t>(c.pairs.size())) << c.what;
        bool same = true;
        for (const Pair& p : base) {
            const auto a = static_cast<size_t>(p.first), b = static_cast<size_t>(p.second);
            same = same && r.won1[a][b] == reference.won1[a][b] &&
                   r.won2[a][b] == reference.won2[a][b];
        }
        for (int ch = 1; ch <= 4; ++ch)
            same = same &&
                   r.moves[static_cast<size_t>(ch)] == reference.moves[static_cast<size_t>(ch)];
        EXPECT_EQ(same, c.same) << c.what;
    }
}

TEST(TournamentCommandLine, ArgumentsAreReadAndBadOnesNamed) {
    struct Case {
        std::vector<std::string> args;
        bool ok;
        const char* named;  // a text the error must contain
        int rounds;
        size_t pairs;
        int level = 4;
        bool idle = false;
    };
    const Case cases[] = {
        {{}, true, "", 10, 132},
        {{"--level", "1", "--idle"}, true, "", 10, 132, 1, true},
        {{"--level", "8"}, true, "", 10, 132, 8},
        {{"--level", "0"}, false, "'0'", 0, 0},
        {{"--level", "9"}, false, "--level needs a game level from 1 to 8", 0, 0},
        {{"--level"}, false, "--level needs a value", 0, 0},
        {{"--rounds", "3", "--seed", "18446744073709551615", "--csv"}, true, "", 3, 132},
        {{"--pairs", "1-2,2-1,1-2"}, true, "", 10, 2},
        {{"--pairs", "5"}, true, "", 10, 22},
        {{"--pairs", "5,5-6"}, true, "", 10, 22},
        {{"--rounds", "0"}, false, "--rounds", 0, 0},
        {{"--rounds", "1000001"}, false, "'1000001'", 0, 0},
        {{"--rounds", "2x"}, false, "'2x'", 0, 0},
        {{"--rounds"}, false, "--rounds needs a value", 0, 0},
        {{"--seed", "-1"}, false, "--seed", 0, 0},
        {{"--seed", "18446744073709551616"}, false, "--seed", 0, 0},
        {{"--pairs", "3-3"}, false, "'3-3'", 0, 0},
        {{"--pairs", "1-13"}, false, "'1-13'", 0, 0},
        {{"--pairs", "1-2,"}, false, "''", 0, 0},
        {{"--pairs", "1--2"}, false, "'1--2'", 0, 0},
        {{"--fast"}, false, "'--fast'", 0, 0},
        {{"10"}, false, "'10'", 0, 0},
    };
    for (const Case& c : cases) {
        Options o;
        std::string error;
        const std::string line = ::testing::PrintToString(c.args);
        ASSERT_EQ(tournament::parseArguments(c.args, o, error), c.ok) << line;
        if (!c.ok) {
            EXPECT_NE(error.find(c.named), std::string::npos) << line << ": " << error;
            EXPECT_EQ(error.find('\n'), std::string::npos) << line;
            continue;
        }
        EXPECT_EQ(o.rounds, c.rounds) << line;
        EXPECT_EQ(o.pairs.size(), c.pairs) << line;
        EXPECT_EQ(o.level, c.level) << line;
        EXPECT_EQ(o.idle, c.idle) << line;
    }
}

// Against a person who never touches the controls, the level decides how long a round lasts:
// at level 1 at least twice as long as at the start-up level 4, at level 8 shorter.
TEST(TournamentLevel, AnIdlePlayerLastsTwiceAsLongAtLevelOneAndLessAtLevelEight) {
    struct Case {
        int level;
        double average = 0;
    };
    Case cases[] = {{1}, {4}, {8}};
    for (Case& c : cases) {
        Options o = smallRun({{1, 3}, {5, 7}, {9, 11}, {12, 2}, {4, 6}, {8, 10}}, 2, 3);
        o.level = c.level;
        o.idle = true;
        const Results r = tournament::runTournament(o);
        ASSERT_EQ(r.capped, 0) << c.level;
        // The idle fighter 1 never wins, except by a double knock-out it cannot cause.
        int64_t won1 = 0;
        for (const Pair& p : o.pairs)
            won1 += r.won1[static_cast<size_t>(p.first)][static_cast<size_t>(p.second)];
        EXPECT_EQ(won1, 0) << c.level;
        c.average = static_cast<double>(r.framesFought) / static_cast<double>(r.rounds);
    }
    EXPECT_GE(cases[0].average, 2 * cases[1].average);
    EXPECT_LT(cases[2].average, cases[1].average);
}

TEST(TournamentReport, TheCsvHasOneRowPerPairPlayedAndPerMove) {
    const Options base = smallRun({{1, 2}, {2, 1}}, 1);
    const Results r = tournament::runTournament(base);
    struct Case {
        bool csv;
        const char* prefix;
        int lines;  // lines that start with the prefix, header included
    };
    const Case cases[] = {
        {true, "pair,", 1 + 2},
        {true, "character,", 1 + 2},
        {true, "rounds,", 2},
        {true, "move,", 1 + 5 + 5},
        {false, "Win matrix", 1},
        {false, "1 Paco Sombrero", 3},  // in the matrix, the win rates and the moves
    };
    for (const Case& c : cases) {
        Options o = base;
        o.csv = c.csv;
        std::FILE* f = std::tmpfile();
        ASSERT_NE(f, nullptr);
        tournament::printReport(f, r, o, 1.0);
        std::rewind(f);
        int lines = 0;
        char buf[512];
        while (std::fgets(buf, sizeof buf, f) != nullptr) {
            std::string line(buf);
            const size_t start = line.find_first_not_of(' ');
            if (start != std::string::npos &&
                line.compare(start, std::string(c.prefix).size(), c.prefix) == 0) {
                ++lines;
            }
        }
        std::fclose(f);
        EXPECT_EQ(lines, c.lines) << c.prefix;
    }
}

}  // namespace
