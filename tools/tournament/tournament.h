// The tournament: the computer plays itself, blind and mute, for every ordered pair of characters,
// a number of rounds from fixed seeds, and the results are gathered into a report: who beats whom,
// how long rounds last, and how often each special move is used and lands.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "game/state.h"
#include "game/tform1.h"
#include "platform/headless/headless_platform.h"

namespace tournament {

inline constexpr int kCharacters = 12;
inline constexpr int kMaxMoves = 5;  // dispatcher rows per character
inline constexpr int kDefaultRounds = 10;
inline constexpr int kMaxRounds = 1000000;
inline constexpr uint64_t kDefaultSeed = 1;
inline constexpr int kDefaultLevel = 4;  // the game level the game starts at
inline constexpr int kMaxLevel = 8;

// Fighter 1 plays the first character, fighter 2 the second.
struct Pair {
    int first = 0;
    int second = 0;
    bool operator==(const Pair&) const = default;
};

// Every ordered pair of different characters, (1, 2) first, 132 in all.
std::vector<Pair> allPairs();

// --- the command line

struct Options {
    int rounds = kDefaultRounds;
    uint64_t seed = kDefaultSeed;
    std::vector<Pair> pairs = allPairs();
    int level = kDefaultLevel;  // the game level both computer fighters play at
    bool idle = false;          // fighter 1 is a person who never touches the controls
    bool csv = false;
    bool help = false;
};

// Parses the arguments after the program name; false with a one-line problem, naming the
// argument, in error.
bool parseArguments(const std::vector<std::string>& args, Options& out, std::string& error);

// The usage text for --help.
const char* usageText();

// --- special moves

// One special move of a character: one row of its dispatcher table, with the states it runs
// through (the state the row enters, then the follow-up states that lead on from it).
struct Move {
    int codigo = 0;  // the row's light code
    int ultimo = 0;  // its heavy code, equal to codigo when one code serves both
    bool super = false;
    std::vector<int> states;  // states[0] is the state the row enters
};

// The special moves of character c (1 … 12), in the order of its dispatcher rows.
const std::vector<Move>& moves(int personagem);

// The move of character c that state pos belongs to, or −1: moveEntered() knows only the state a
// row enters, moveDuring() every state of the move.
int moveEntered(int personagem, int pos);
int moveDuring(int personagem, int pos);

// True when, over one frame, the fighter landed at least one unblocked hit, blow or projectile.
bool struck(const pelea::Lutador& before, const pelea::Lutador& after);

struct MoveCount {
    int64_t used = 0;    // times a fighter entered the move
    int64_t landed = 0;  // uses with at least one unblocked hit on the opponent
    int64_t hits = 0;    // frames in which the move struck the opponent unblocked
    bool operator==(const MoveCount&) const = default;
};

// By character (1 … 12; 0 unused), then by move.
using MoveTable = std::array<std::array<MoveCount, kMaxMoves>, kCharacters + 1>;

// Follows both fighters frame by frame and counts into a move table: start() takes the state as it
// stands, observe() is called after every frame (or after anything that changes the state).
class MoveTracker {
public:
    explicit MoveTracker(MoveTable& table) : table_(table) { tag_.fill(-1); }
    void start(const pelea::GameState& g);
    void observe(const pelea::GameState& g);

private:
    struct Use {
        int personagem;
        int move;
        bool landed;
    };
    int useDuring(int n, const pelea::GameState& g);
    void tagNewEffects(const pelea::GameState& g, const std::array<int, 3>& stateUse);
    void creditHits(const pelea::GameState& g, const std::array<int, 3>& stateUse);
    void credit(int use);

    MoveTable& table_;
    pelea::GameState last_{};
    std::vector<Use> uses_;
    std::array<int, 3> current_{-1, -1, -1};          // fighter n's running use, −1 when none
    std::array<int, pelea::kEffectSlots + 1> tag_{};  // the use an effect slot was spawned by
};

// --- rounds and the tournament

struct RoundResult {
    int winner = 0;         // 1 or 2; 0 for a double knock-out (or equal lives at the time-out)
    int frames = 0;         // fought frames, from the fighters' release to the knock-out
    int64_t framesRun = 0;  // every frame run, introduction and round end included
    bool byTime = false;    // the clock ran out
    bool capped = false;    // the safety cap stopped the round before it was decided
};

// A game object on the headless platform, blind and mute, keeping the state it had after start-up
// so that every round starts from the same record, whatever was played before.
class Arena {
public:
    Arena();
    Arena(const Arena&) = delete;
    Arena& operator=(const Arena&) = delete;

    // The game level of the rounds to come, and whether fighter 1 is an idle person instead of
    // the computer.
    void setLevel(int level) { level_ = level; }
    void setIdle(bool idle) { idle_ = idle; }

    // A fresh fight between characters c1 and c2, as the game starts one, seeded with seed; both
    // fighters computer-driven (unless fighter 1 is idle) and the clock on. The introduction is
    // still to play.
    void startRound(int c1, int c2, uint64_t seed);
    // startRound, then frames until the round is decided, counting moves into the table.
    RoundResult playRound(int c1, int c2, uint64_t seed, MoveTable& table);

    pelea::TForm1& form() { return form_; }
    platform::HeadlessPlatform& platform() { return platform_; }

private:
    platform::HeadlessPlatform platform_;
    pelea::TForm1 form_;
    pelea::GameState fresh_;
    int level_ = kDefaultLevel;
    bool idle_ = false;
};

// The seed of round r of a pair: the same whatever else is played.
uint64_t roundSeed(uint64_t seed, const Pair& pair, int round);

struct Results {
    int roundsPerPair = 0;
    // By fighter 1's character, then fighter 2's: rounds played, won by each side, and drawn by a
    // double knock-out (a capped round is none of the three).
    std::array<std::array<int, kCharacters + 1>, kCharacters + 1> played{}, won1{}, won2{}, drawn{};
    MoveTable moves{};
    int64_t rounds = 0;
    int64_t draws = 0;
    int64_t byTime = 0;
    int64_t capped = 0;
    int64_t framesFought = 0;
    int64_t framesRun = 0;

    bool operator==(const Results&) const = default;
};

Results runTournament(const Options& options);

// The report; seconds is the time the run took, shown as measured.
void printReport(std::FILE* out, const Results& r, const Options& options, double seconds);

}  // namespace tournament
