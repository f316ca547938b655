// The soak: the demo run frame after frame, the invariants checked on every state it leaves.
#include "soak/soak.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <system_error>
#include <utility>

#include "animation/sheets.h"
#include "common/parse_number.h"

namespace soak {

namespace {

using pelea::GameState;
using pelea::Lutador;
using pelea::MatchState;
namespace tela = pelea::tela;

// The camera's limits.
constexpr int kTelaXMax = 200, kTelaYMax = 20;
// A living fighter stays between these margins of the view while the round is fought.
constexpr int kMargemEsquerda = 30, kMargemDireita = 370;
constexpr double kLifeMax = 125.0;
// A full meter is 102, but a gain is added whenever the meter is below 102, so one gain can take
// it past 102 by as much as the largest gain, 14, until the display turns it into a stock.
constexpr double kMeterMax = 102.0 + 14.0;
// A super move taken with no stock (allowed at 15 life or less) leaves −1 until the display
// raises it to 0.
constexpr int kStocksMin = -1, kStocksMax = 3;
constexpr int kMaxEffects = 80;
constexpr int kLastKind = 34;
constexpr int kStages = 8;
// The round end sends the game back to the select screen once finRound passes this.
constexpr int kMatchOver = 220;

std::string number(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

std::string fighter(int n) {
    return "fighter " + std::to_string(n);
}

Fault fault(Invariant i, std::string detail) {
    return Fault{i, std::move(detail)};
}

bool inFight(const MatchState& m) {
    return m.modoTela == tela::Luta;
}

// --- the checks, in the order of the invariants

std::optional<Fault> checkCamera(const MatchState& m) {
    if (m.telaX < 0 || m.telaX > kTelaXMax) {
        return fault(Invariant::Camera, "telaX " + std::to_string(m.telaX) + ", outside 0..200");
    }
    if (m.telaY < 0 || m.telaY > kTelaYMax) {
        return fault(Invariant::Camera, "telaY " + std::to_string(m.telaY) + ", outside 0..20");
    }
    return std::nullopt;
}

// The view clamp holds only while the round is fought (finRound 0) and only for a fighter with
// life left: a knocked-out fighter may fly or be pushed out of the view.
std::optional<Fault> checkView(const GameState& g) {
    const MatchState& m = g.m;
    if (!inFight(m) || m.finRound != 0) return std::nullopt;
    const int lo = m.telaX + kMargemEsquerda, hi = m.telaX + kMargemDireita;
    for (int n = 1; n <= 2; ++n) {
        const Lutador& l = g.lutador[static_cast<size_t>(n)];
        if (l.hp <= 0 || (l.x >= lo && l.x <= hi)) continue;
        return fault(Invariant::View, fighter(n) + " at x " + std::to_string(l.x) + ", outside " +
                                          std::to_string(lo) + ".." + std::to_string(hi));
    }
    return std::nullopt;
}

// The fight display keeps life inside 0..125: it clamps it before anything else of a fight frame
// reads it. Later in the frame a blow may take it below 0, and a pickup or the round start's refill
// of 3 above 125, until the next frame's clamp. So life is checked as that clamp leaves it, and at
// the frame's end only for being a number: no rule writes anything else, and the clamp would hide
// a NaN as 0. Every range test here is written so that a NaN fails it.
std::optional<Fault> checkLife(const GameState& g, const Lives& shown) {
    for (int n = 1; n <= 2; ++n) {
        const double hp = g.lutador[static_cast<size_t>(n)].hp;
        if (!std::isfinite(hp)) return fault(Invariant::Life, fighter(n) + " life " + number(hp));
    }
    if (!inFight(g.m)) return std::nullopt;
    for (int n = 1; n <= 2; ++n) {
        const double hp = shown[static_cast<size_t>(n)];
        if (hp >= 0 && hp <= kLifeMax) continue;
        return fault(Invariant::Life,
                     fighter(n) + " life " + number(hp) + " on the display, outside 0..125");
    }
    return std::nullopt;
}

std::optional<Fault> checkMeter(const GameState& g) {
    for (int n = 1; n <= 2; ++n) {
        const double e = g.lutador[static_cast<size_t>(n)].especial;
        if (e >= 0 && e <= kMeterMax) continue;
        return fault(Invariant::Meter, fighter(n) + " meter " + number(e) + ", outside 0..116");
    }
    return std::nullopt;
}

std::optional<Fault> checkStocks(const GameState& g) {
    for (int n = 1; n <= 2; ++n) {
        const int s = g.lutador[static_cast<size_t>(n)].estoque;
        if (s >= kStocksMin && s <= kStocksMax) continue;
        return fault(Invariant::Stocks,
                     fighter(n) + " stocks " + std::to_string(s) + ", outside -1..3");
    }
    return std::nullopt;
}

// Slots are 1..80; entry 0 of the table is no slot, so an effect there is one too many.
std::optional<Fault> checkEffectCount(const GameState& g) {
    int live = 0;
    for (const pelea::Efeito& e : g.efeitos)
        live += e.tipo != 0 ? 1 : 0;
    if (live > kMaxEffects) {
        return fault(Invariant::EffectCount,
                     std::to_string(live) + " live effects, more than 80 slots hold");
    }
    if (g.efeitos[0].tipo != 0) {
        return fault(Invariant::EffectCount, "an effect in entry 0, which is no slot");
    }
    return std::nullopt;
}

// Kind 0 marks a free slot; every other kind must have its row in the kind table.
std::optional<Fault> checkEffectKinds(const GameState& g) {
    for (int i = 1; i <= kMaxEffects; ++i) {
        const int tipo = g.efeitos[static_cast<size_t>(i)].tipo;
        if (tipo <= kLastKind) continue;
        return fault(Invariant::EffectKind, "slot " + std::to_string(i) + " holds kind " +
                                                std::to_string(tipo) + ", outside 1..34");
    }
    return std::nullopt;
}

std::optional<Fault> checkMatches(int64_t sinceMatch) {
    if (sinceMatch <= kMatchWindow) return std::nullopt;
    return fault(Invariant::Matches,
                 "no match ended in the last " + std::to_string(sinceMatch) + " frames");
}

// A match starts when the select screen hands over to the fight; its stage is drawn again while
// it equals the last match's.
std::optional<Fault> checkStage(const Before& b, const MatchState& m) {
    if (b.modoTela != tela::Selecao || m.modoTela != tela::Luta) return std::nullopt;
    if (m.numCenario < 1 || m.numCenario > kStages) {
        return fault(Invariant::Stage, "stage " + std::to_string(m.numCenario) + ", outside 1..8");
    }
    if (m.numCenario == b.numCenario) {
        return fault(Invariant::Stage, "stage " + std::to_string(m.numCenario) + " twice in a row");
    }
    return std::nullopt;
}

}  // namespace

const char* invariantName(Invariant i) {
    switch (i) {
        case Invariant::Camera:
            return "camera";
        case Invariant::View:
            return "view";
        case Invariant::Life:
            return "life";
        case Invariant::Meter:
            return "meter";
        case Invariant::Stocks:
            return "stocks";
        case Invariant::EffectCount:
            return "effect count";
        case Invariant::EffectKind:
            return "effect kind";
        case Invariant::Matches:
            return "matches";
        case Invariant::Stage:
            return "stage";
    }
    return "?";
}

Before before(const GameState& g) {
    return Before{g.m.modoTela, g.m.finRound, g.m.numCenario};
}

// A round ends when finRound leaves 0 in the fight, by time when the clock reads 0 then.
void Checker::count(const Before& b, const GameState& g) {
    const MatchState& m = g.m;
    ++counts_.frames;
    ++sinceMatch_;
    if (b.modoTela == tela::Luta && b.finRound == 0 && inFight(m) && m.finRound != 0) {
        ++counts_.rounds;
        ++(m.tempo == 0 ? counts_.timeOvers : counts_.knockOuts);
    }
    if (b.modoTela == tela::Luta && m.modoTela == tela::Selecao && m.finRound > kMatchOver) {
        ++counts_.matches;
        sinceMatch_ = 0;
    }
}

std::optional<Fault> Checker::frame(const Before& b, const GameState& g, const Lives& shown) {
    count(b, g);
    for (const std::optional<Fault>& f :
         {checkCamera(g.m), checkView(g), checkLife(g, shown), checkMeter(g), checkStocks(g),
          checkEffectCount(g), checkEffectKinds(g), checkMatches(sinceMatch_),
          checkStage(b, g.m)}) {
        if (f) return f;
    }
    return std::nullopt;
}

// --- the run

Soak::Soak(uint64_t seed)
    : form_(platform_, pelea::StartOptions{.seeded = true, .seed = seed, .demo = true}),
      probe_(probePlatform_, pelea::StartOptions{}) {
    form_.FormCreate();
    form_.setBlindMute(true);
    probe_.setBlindMute(true);
}

// The top display clamps life before anything else of a fight frame reads it; run on a copy of
// the state, it shows the life the next frame will work with, and changes nothing of the game.
Lives Soak::shownLives() {
    if (!inFight(form_.g.m)) return Lives{0.0, form_.L(1).hp, form_.L(2).hp};
    probe_.g = form_.g;
    probe_.lutaPainelSuperior();
    return Lives{0.0, probe_.L(1).hp, probe_.L(2).hp};
}

// No sheet file is read, so each fighter's drawing height is stored as the sheet loader stores it
// when a match starts; the contact and attack areas are measured from it.
void Soak::sheetsLoaded() {
    for (int n = 1; n <= 2; ++n) {
        Lutador& l = form_.L(n);
        l.altura = static_cast<int16_t>(pelea::sheets::sheet(l.personagem).altura);
    }
}

std::optional<Failure> Soak::run(int64_t frames) {
    for (int64_t i = 0; i < frames; ++i) {
        const Before b = before(form_.g);
        form_.DXTimer1Timer();
        platform_.advance(form_.g.m.vel);
        if (b.modoTela == tela::Selecao && inFight(form_.g.m)) sheetsLoaded();
        const int64_t frame = frame_++;
        if (std::optional<Fault> f = checker_.frame(b, form_.g, shownLives())) {
            return Failure{frame, *f};
        }
    }
    return std::nullopt;
}

// --- the command line

using tools::parseNumber;

bool parseArguments(const std::vector<std::string>& args, Options& out, std::string& error) {
    Options o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "--frames" || arg == "--seed";
        if (takesValue && i + 1 >= args.size()) {
            error = arg + " needs a value";
            return false;
        }
        const std::string value = takesValue ? args[++i] : std::string();
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--frames") {
            if (!parseNumber<int64_t>(value, 1, kMaxFrames, o.frames)) {
                error = "--frames needs a whole number from 1 to " + std::to_string(kMaxFrames) +
                        ", not '" + value + "'";
                return false;
            }
        } else if (arg == "--seed") {
            if (!parseNumber<uint64_t>(value, 0, UINT64_MAX, o.seed)) {
                error = "--seed needs a whole number from 0 to " + std::to_string(UINT64_MAX) +
                        ", not '" + value + "'";
                return false;
            }
        } else {
            error = "unknown argument '" + arg + "'";
            return false;
        }
    }
    out = o;
    return true;
}

const char* usageText() {
    return "usage: soak [--frames N] [--seed S]\n"
           "\n"
           "Runs the game as its demo runs, both fighters computer-driven, match after match,\n"
           "blind and mute, and checks after every frame that the camera, the fighters, their\n"
           "life, meters and stocks, the effects, the matches and the stages keep to the game's\n"
           "rules. The first broken rule is printed with its frame and ends the run with code 1;\n"
           "otherwise the frames per second and the matches and rounds played are printed.\n"
           "\n"
           "  --frames N  frames to run, 1 to 1000000000000 (default 1000000)\n"
           "  --seed S    the random generator's seed, 0 to 18446744073709551615 (default 1)\n"
           "  --help      this text\n";
}

std::string describe(const Failure& f) {
    return "frame " + std::to_string(f.frame) + ": " + invariantName(f.fault.invariant) + ": " +
           f.fault.detail;
}

std::string summary(const Counts& c, double seconds) {
    const double fps = seconds > 0 ? static_cast<double>(c.frames) / seconds : 0.0;
    char buf[256];
    std::snprintf(buf, sizeof buf,
                  "%lld frames in %.2f s: %.0f frames per second\n"
                  "%lld matches, %lld rounds: %lld knock-outs, %lld time-overs\n",
                  static_cast<long long>(c.frames), seconds, fps, static_cast<long long>(c.matches),
                  static_cast<long long>(c.rounds), static_cast<long long>(c.knockOuts),
                  static_cast<long long>(c.timeOvers));
    return buf;
}

}  // namespace soak
