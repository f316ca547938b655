// The soak: the game plays itself as in its demo, blind and mute, frame after frame, and the state
// every frame leaves is checked against what the rules promise; the first broken promise stops the
// run. It also counts the matches and rounds played, and how the rounds ended.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/state.h"
#include "game/tform1.h"
#include "platform/headless/headless_platform.h"

namespace soak {

inline constexpr int64_t kDefaultFrames = 1000000;
inline constexpr int64_t kMaxFrames = 1000000000000;
inline constexpr uint64_t kDefaultSeed = 1;
// The run fails when this many frames pass and one more without a match coming to its end.
inline constexpr int64_t kMatchWindow = 60000;

// --- the invariants

enum class Invariant { Camera, View, Life, Meter, Stocks, EffectCount, EffectKind, Matches, Stage };

// The invariant's name as the report line shows it.
const char* invariantName(Invariant i);

struct Fault {
    Invariant invariant;
    std::string detail;  // what was found, with its numbers
};

// What a frame's checks need from the state before the frame.
struct Before {
    uint8_t modoTela = 0;
    uint8_t finRound = 0;
    uint8_t numCenario = 0;
};
Before before(const pelea::GameState& g);

// Each fighter's life (index 1 and 2) as the fight display's clamp leaves it in the next frame.
using Lives = std::array<double, 3>;

struct Counts {
    int64_t frames = 0;
    int64_t matches = 0;    // matches played to their end
    int64_t rounds = 0;     // rounds played to their end, by a knock-out or by time
    int64_t knockOuts = 0;  // double knock-outs included
    int64_t timeOvers = 0;
    bool operator==(const Counts&) const = default;
};

// Follows the run frame by frame: counts what each frame did and checks the state it left.
class Checker {
public:
    // The first broken invariant, in the order of the enumeration, or none.
    std::optional<Fault> frame(const Before& b, const pelea::GameState& g, const Lives& shown);
    const Counts& counts() const { return counts_; }

private:
    void count(const Before& b, const pelea::GameState& g);

    Counts counts_;
    int64_t sinceMatch_ = 0;  // frames since the last match ended, or since the run began
};

// --- the run

struct Failure {
    int64_t frame = 0;  // numbered from 0, as the headless runner numbers them
    Fault fault;
};

// The game on the headless platform in its demo, blind and mute, with a second game object that
// only ever runs the fight display's top part on a copy of the state, to see the life it shows.
class Soak {
public:
    explicit Soak(uint64_t seed);
    Soak(const Soak&) = delete;
    Soak& operator=(const Soak&) = delete;

    // Runs up to `frames` more frames, checking each; stops at the first fault.
    std::optional<Failure> run(int64_t frames);

    const Counts& counts() const { return checker_.counts(); }
    pelea::TForm1& form() { return form_; }

private:
    Lives shownLives();
    void sheetsLoaded();

    platform::HeadlessPlatform platform_, probePlatform_;
    pelea::TForm1 form_, probe_;
    Checker checker_;
    int64_t frame_ = 0;
};

// --- the command line

struct Options {
    int64_t frames = kDefaultFrames;
    uint64_t seed = kDefaultSeed;
    bool help = false;
};

// Parses the arguments after the program name; false with a one-line problem, naming the
// argument, in error.
bool parseArguments(const std::vector<std::string>& args, Options& out, std::string& error);

const char* usageText();

// The failure line: "frame F: invariant: detail".
std::string describe(const Failure& f);

// The closing lines: frames, time, frames per second and the counts.
std::string summary(const Counts& c, double seconds);

}  // namespace soak
