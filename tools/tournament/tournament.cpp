// The tournament: rounds of the computer against itself, the move tracker and the report.
#include "tournament/tournament.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string_view>
#include <system_error>
#include <utility>

#include "animation/sheets.h"
#include "common/parse_number.h"
#include "fighter/acao_especiais.h"
#include "fighter/acao_seguimento.h"
#include "game/texts.h"

namespace tournament {

namespace {

using pelea::Efeito;
using pelea::GameState;
using pelea::Lutador;

// The round rules count the round (and a point for the survivor) when finRound reaches 40.
constexpr int kRoundCounted = 40;
// A round lasts at most 99 clock seconds of 30 frames, plus the pauses of super moves, the
// introduction and the round end; this cap only guards against a round that never ends.
constexpr int kFrameCap = 20000;

bool validCharacter(int c) {
    return c >= 1 && c <= kCharacters;
}

// --- special moves

// A row's state first, then each follow-up state that leads on from one of the move's states.
std::vector<Move> buildMoves(int personagem) {
    std::vector<Move> out;
    for (const pelea::especial::Linha& r : pelea::especial::tabela(personagem)) {
        out.push_back(Move{r.codigo, r.ultimo, r.super, {r.pos}});
    }
    for (bool grew = true; grew;) {
        grew = false;
        for (const pelea::seguimento::Linha& s : pelea::seguimento::kSeguimentos) {
            if (s.personagem != personagem) continue;
            for (Move& m : out) {
                const auto has = [&](int st) {
                    return std::find(m.states.begin(), m.states.end(), st) != m.states.end();
                };
                if (has(s.de) && !has(s.para)) {
                    m.states.push_back(s.para);
                    grew = true;
                }
            }
        }
    }
    return out;
}

const std::array<std::vector<Move>, kCharacters + 1>& moveLists() {
    static const auto lists = [] {
        std::array<std::vector<Move>, kCharacters + 1> a;
        for (int c = 1; c <= kCharacters; ++c)
            a[static_cast<size_t>(c)] = buildMoves(c);
        return a;
    }();
    return lists;
}

}  // namespace

const std::vector<Move>& moves(int personagem) {
    static const std::vector<Move> none;
    return validCharacter(personagem) ? moveLists()[static_cast<size_t>(personagem)] : none;
}

int moveEntered(int personagem, int pos) {
    const std::vector<Move>& list = moves(personagem);
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i].states.front() == pos) return static_cast<int>(i);
    }
    return -1;
}

int moveDuring(int personagem, int pos) {
    const std::vector<Move>& list = moves(personagem);
    for (size_t i = 0; i < list.size(); ++i) {
        const std::vector<int>& s = list[i].states;
        if (std::find(s.begin(), s.end(), pos) != s.end()) return static_cast<int>(i);
    }
    return -1;
}

// The hit signal is the attacker's combo record. Every unblocked hit, a blow (golpes.cpp) or an
// effect the opponent runs into (contato.cpp), sets the attacker's hitsTempo to a combo window of
// 43 to 50, and adds one to hits, or restarts hits at 1 when the window stood at 35 or less.
// Nothing else raises either field: the panel counts hitsTempo down by one a frame at most (not
// during a pause) and clears hits when it reaches 0, and a blocked blow or projectile leaves the
// attacker's record alone. So a frame with a hit ends with hits higher than it began, or, when hits
// restarted (the window was at most 36 when the frame began), with hitsTempo higher. Life is no
// signal: blocked blows take some too, and a hit takes none while the fight is held.
bool struck(const Lutador& before, const Lutador& after) {
    return after.hitsTempo > before.hitsTempo || after.hits > before.hits;
}

// --- the move tracker

void MoveTracker::start(const GameState& g) {
    last_ = g;
    uses_.clear();
    current_.fill(-1);
    tag_.fill(-1);
}

// The use that fighter n's blows and new effects of this frame belong to: the move it is in at the
// end of the frame, or, when the move ended during the frame (its state runs out in the physics
// step, the frame's last), the move it was in at the start. A move is entered by the dispatcher or
// the computer before any blow or effect of the frame, and left only at the end of it.
int MoveTracker::useDuring(int n, const GameState& g) {
    const Lutador& now = g.lutador[static_cast<size_t>(n)];
    const Lutador& before = last_.lutador[static_cast<size_t>(n)];
    const int c = now.personagem;
    const int atStart = moveDuring(c, before.pos) >= 0 ? current_[static_cast<size_t>(n)] : -1;
    if (now.pos != before.pos) {
        const int m = moveEntered(c, now.pos);
        if (m >= 0) {
            uses_.push_back(Use{c, m, false});
            current_[static_cast<size_t>(n)] = static_cast<int>(uses_.size()) - 1;
            ++table_[static_cast<size_t>(c)][static_cast<size_t>(m)].used;
        }
    }
    int& cur = current_[static_cast<size_t>(n)];
    const int m = moveDuring(c, now.pos);
    if (m < 0) {
        cur = -1;
        return atStart;
    }
    // A state of a move whose entry was never seen belongs to no use.
    if (cur >= 0 && uses_[static_cast<size_t>(cur)].move != m) cur = -1;
    return cur;
}

void MoveTracker::credit(int use) {
    if (use < 0) return;
    Use& u = uses_[static_cast<size_t>(use)];
    MoveCount& count = table_[static_cast<size_t>(u.personagem)][static_cast<size_t>(u.move)];
    ++count.hits;
    if (!u.landed) {
        u.landed = true;
        ++count.landed;
    }
}

// A hit came from effects when an effect that was live and not the victim's own ended the frame
// inactive, still in its slot or gone from it: a contact with a fighter does that, while an effect
// that runs out of time or out of the view, or clashes with another, is freed still active (a
// stone coming to rest turns inactive too; only a blow landing in that very frame is misread).
// Then the attacker's effects that went out so are credited to the moves that spawned them;
// otherwise the hit was a blow of the attacker's state. A blow cannot land in the frame an effect
// struck: the effect's hit pause is on when blows are tested. An effect spawned and spent within
// one frame is never seen, but it came from the state the attacker is in, so the state's credit
// is the right one.
void MoveTracker::creditHits(const GameState& g, const std::array<int, 3>& stateUse) {
    for (int n = 1; n <= 2; ++n) {
        const size_t a = static_cast<size_t>(n);
        if (!struck(last_.lutador[a], g.lutador[a])) continue;
        const int vitima = 3 - n;
        bool fromEffect = false;
        std::array<int, pelea::kEffectSlots + 1> credited{};
        int nCredited = 0;
        for (size_t i = 1; i <= pelea::kEffectSlots; ++i) {
            const Efeito& b = last_.efeitos[i];
            const Efeito& e = g.efeitos[i];
            const bool sameOrGone = e.tipo == 0 || (e.tipo == b.tipo && e.dono == b.dono);
            if (b.tipo == 0 || b.ativo != 1 || b.dono == vitima || e.ativo != 0 || !sameOrGone)
                continue;
            fromEffect = true;
            const int use = b.dono == n ? tag_[i] : -1;
            if (use < 0 || std::find(credited.begin(), credited.begin() + nCredited, use) !=
                               credited.begin() + nCredited) {
                continue;
            }
            credited[static_cast<size_t>(nCredited++)] = use;
            credit(use);
        }
        if (!fromEffect) credit(stateUse[a]);
    }
}

// A slot holds a new effect when it was free or now holds another kind or owner; a fighter's own
// effect belongs to the use the fighter was in when it appeared.
void MoveTracker::tagNewEffects(const GameState& g, const std::array<int, 3>& stateUse) {
    for (size_t i = 1; i <= pelea::kEffectSlots; ++i) {
        const Efeito& b = last_.efeitos[i];
        const Efeito& e = g.efeitos[i];
        if (e.tipo == 0) {
            tag_[i] = -1;
        } else if (b.tipo == 0 || e.tipo != b.tipo || e.dono != b.dono) {
            tag_[i] = e.dono == 1 || e.dono == 2 ? stateUse[e.dono] : -1;
        }
    }
}

void MoveTracker::observe(const GameState& g) {
    std::array<int, 3> stateUse{-1, -1, -1};
    for (int n = 1; n <= 2; ++n)
        stateUse[static_cast<size_t>(n)] = useDuring(n, g);
    creditHits(g, stateUse);
    tagNewEffects(g, stateUse);
    last_ = g;
}

// --- rounds

Arena::Arena() : form_(platform_, pelea::StartOptions{.seeded = true, .seed = 0, .demo = false}) {
    form_.FormCreate();
    form_.setBlindMute(true);
    fresh_ = form_.g;
}

void Arena::startRound(int c1, int c2, uint64_t seed) {
    pelea::GameState& g = form_.g;
    g = fresh_;
    g.rng = seed;
    const int chars[3] = {0, c1, c2};
    for (int n = 1; n <= 2; ++n) {
        form_.L(n).personagem = static_cast<uint8_t>(chars[n]);
        form_.L(n).humano = 0;
    }
    // An idle fighter 1 is a person whose controls are never touched: the headless platform
    // gives no input.
    if (idle_) form_.L(1).humano = 1;
    g.m.nivel = static_cast<uint8_t>(level_);
    g.m.limiteDeTempo = 1;
    // The fight starts from the select screen, once both sides have chosen. Its loaders look the
    // sheets, the stage and the music up by name in the working folder and skip what is missing;
    // what they find only changes pictures and sound, which a blind and mute frame never uses.
    g.m.modoTela = pelea::tela::Selecao;
    form_.iniciarLuta();
    // The sheet loader stores each fighter's drawing height when its sheet loads. No sheet file is
    // read here, so the height is set from the frame table, as the loader would set it.
    for (int n = 1; n <= 2; ++n) {
        pelea::Lutador& l = form_.L(n);
        l.altura = static_cast<int16_t>(pelea::sheets::sheet(l.personagem).altura);
    }
}

// The round is decided when a fighter's roundsGanhos rises, or, after a double knock-out, when the
// round rules have passed the point where they count it. The moves are followed until the
// knock-out (or the time-out), the frame after which finRound is no longer 0.
RoundResult Arena::playRound(int c1, int c2, uint64_t seed, MoveTable& table) {
    startRound(c1, c2, seed);
    const pelea::MatchState& m = form_.g.m;
    const uint8_t rounds1 = form_.L(1).roundsGanhos;
    const uint8_t rounds2 = form_.L(2).roundsGanhos;
    MoveTracker tracker(table);
    tracker.start(form_.g);
    RoundResult r;
    int64_t release = -1;
    int64_t knockOut = -1;
    while (r.framesRun < kFrameCap) {
        const bool fought = m.finRound == 0;
        form_.DXTimer1Timer();
        const int64_t frame = r.framesRun++;
        if (fought) tracker.observe(form_.g);
        if (release < 0 && m.lutaParada == 0) release = frame;
        if (knockOut < 0 && m.finRound != 0) {
            knockOut = frame;
            r.byTime = m.tempo == 0;
        }
        const bool won1 = form_.L(1).roundsGanhos > rounds1;
        const bool won2 = form_.L(2).roundsGanhos > rounds2;
        if (won1 || won2 || m.finRound >= kRoundCounted) {
            r.winner = won1 && !won2 ? 1 : won2 && !won1 ? 2 : 0;
            r.frames =
                knockOut < 0 ? 0 : static_cast<int>(knockOut - std::max<int64_t>(release, 0));
            return r;
        }
    }
    r.capped = true;
    return r;
}

uint64_t roundSeed(uint64_t seed, const Pair& pair, int round) {
    // splitmix64 steps over the seed, the two characters and the round.
    uint64_t z = seed;
    for (uint64_t v : {static_cast<uint64_t>(pair.first), static_cast<uint64_t>(pair.second),
                       static_cast<uint64_t>(round)}) {
        z += 0x9E3779B97F4A7C15ULL ^ v;
        z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27U)) * 0x94D049BB133111EBULL;
        z ^= z >> 31U;
    }
    return z;
}

Results runTournament(const Options& options) {
    Arena arena;
    arena.setLevel(options.level);
    arena.setIdle(options.idle);
    Results res;
    res.roundsPerPair = options.rounds;
    for (const Pair& p : options.pairs) {
        const size_t a = static_cast<size_t>(p.first);
        const size_t b = static_cast<size_t>(p.second);
        for (int k = 0; k < options.rounds; ++k) {
            const RoundResult r =
                arena.playRound(p.first, p.second, roundSeed(options.seed, p, k), res.moves);
            ++res.rounds;
            ++res.played[a][b];
            res.framesRun += r.framesRun;
            if (r.capped) {
                ++res.capped;
                continue;
            }
            res.framesFought += r.frames;
            if (r.byTime) ++res.byTime;
            if (r.winner == 1) ++res.won1[a][b];
            if (r.winner == 2) ++res.won2[a][b];
            if (r.winner == 0) {
                ++res.drawn[a][b];
                ++res.draws;
            }
        }
    }
    return res;
}

// --- the command line

std::vector<Pair> allPairs() {
    std::vector<Pair> out;
    for (int a = 1; a <= kCharacters; ++a) {
        for (int b = 1; b <= kCharacters; ++b) {
            if (a != b) out.push_back(Pair{a, b});
        }
    }
    return out;
}

using tools::parseNumber;

namespace {

void addPair(std::vector<Pair>& list, const Pair& p) {
    if (std::find(list.begin(), list.end(), p) == list.end()) list.push_back(p);
}

// "A-B" is one pair; a lone "A" is every pair with A on either side.
bool parsePairItem(std::string_view item, std::vector<Pair>& list) {
    const size_t dash = item.find('-');
    int a = 0;
    if (dash == std::string_view::npos) {
        if (!parseNumber(item, 1, kCharacters, a)) return false;
        for (const Pair& p : allPairs()) {
            if (p.first == a || p.second == a) addPair(list, p);
        }
        return true;
    }
    int b = 0;
    if (!parseNumber(item.substr(0, dash), 1, kCharacters, a) ||
        !parseNumber(item.substr(dash + 1), 1, kCharacters, b) || a == b) {
        return false;
    }
    addPair(list, Pair{a, b});
    return true;
}

bool parsePairs(std::string_view text, std::vector<Pair>& list, std::string& error) {
    list.clear();
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        const std::string_view item = text.substr(start, comma - start);
        if (!parsePairItem(item, list)) {
            error = "--pairs: '" + std::string(item) +
                    "' is neither a character 1 to 12 nor two different ones like 3-7";
            return false;
        }
        if (comma == std::string_view::npos) return true;
        start = comma + 1;
    }
}

}  // namespace

bool parseArguments(const std::vector<std::string>& args, Options& out, std::string& error) {
    Options o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue =
            arg == "--rounds" || arg == "--seed" || arg == "--pairs" || arg == "--level";
        if (takesValue && i + 1 >= args.size()) {
            error = arg + " needs a value";
            return false;
        }
        const std::string value = takesValue ? args[++i] : std::string();
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--csv") {
            o.csv = true;
        } else if (arg == "--idle") {
            o.idle = true;
        } else if (arg == "--level") {
            if (!parseNumber(std::string_view(value), 1, kMaxLevel, o.level)) {
                error = "--level needs a game level from 1 to " + std::to_string(kMaxLevel) +
                        ", not '" + value + "'";
                return false;
            }
        } else if (arg == "--rounds") {
            if (!parseNumber(std::string_view(value), 1, kMaxRounds, o.rounds)) {
                error = "--rounds needs a whole number from 1 to " + std::to_string(kMaxRounds) +
                        ", not '" + value + "'";
                return false;
            }
        } else if (arg == "--seed") {
            if (!parseNumber<uint64_t>(value, 0, UINT64_MAX, o.seed)) {
                error = "--seed needs a whole number from 0 to " + std::to_string(UINT64_MAX) +
                        ", not '" + value + "'";
                return false;
            }
        } else if (arg == "--pairs") {
            if (!parsePairs(value, o.pairs, error)) return false;
        } else {
            error = "unknown argument '" + arg + "'";
            return false;
        }
    }
    out = std::move(o);
    return true;
}

const char* usageText() {
    return "usage: tournament [--rounds N] [--seed S] [--pairs LIST] [--level N] [--idle] [--csv]\n"
           "\n"
           "Plays the computer against itself, blind and mute: N rounds for every ordered pair of\n"
           "different characters (fighter 1 plays the first), each round from a seed made of S,\n"
           "the pair and the round's number. Prints the win matrix, each character's win rate,\n"
           "the length of the rounds, and how often each special move was used and landed.\n"
           "\n"
           "  --rounds N    rounds per pair, 1 to 1000000 (default 10)\n"
           "  --seed S      the tournament's seed, 0 to 18446744073709551615 (default 1)\n"
           "  --pairs LIST  only these pairs, separated by commas: A-B plays character A as\n"
           "                fighter 1 against B as fighter 2; a lone A plays every pair with A\n"
           "                on either side (default: all 132)\n"
           "  --level N     the game level the computer plays at, 1 (gentlest) to 8 (default 4)\n"
           "  --idle        fighter 1 is a person who never touches the controls: the rounds\n"
           "                show how long the computer takes to beat someone who stands still\n"
           "  --csv         comma-separated tables instead of the text report\n"
           "  --help        this text\n";
}

// --- the report

namespace {

struct Totals {
    int64_t rounds = 0, wins = 0, losses = 0, draws = 0;
};

Totals totalsOf(const Results& r, int c) {
    Totals t;
    const size_t x = static_cast<size_t>(c);
    for (size_t o = 1; o <= kCharacters; ++o) {
        t.rounds += r.played[x][o] + r.played[o][x];
        t.wins += r.won1[x][o] + r.won2[o][x];
        t.losses += r.won2[x][o] + r.won1[o][x];
        t.draws += r.drawn[x][o] + r.drawn[o][x];
    }
    return t;
}

std::string nameOf(int c) {
    return (c < 10 ? " " : "") + std::to_string(c) + " " + std::string(pelea::MemoNomes.Lines(c));
}

// The characters that played as fighter 1 (side 1) or fighter 2 (side 2), or on either (0).
std::vector<int> playing(const Results& r, int side) {
    std::vector<int> out;
    for (size_t c = 1; c <= kCharacters; ++c) {
        int rounds = 0;
        for (size_t o = 1; o <= kCharacters; ++o)
            rounds += (side != 2 ? r.played[c][o] : 0) + (side != 1 ? r.played[o][c] : 0);
        if (rounds > 0) out.push_back(static_cast<int>(c));
    }
    return out;
}

std::string codesOf(const Move& m) {
    std::string s = std::to_string(m.codigo);
    if (m.ultimo != m.codigo) s += "/" + std::to_string(m.ultimo);
    return s;
}

std::string statesOf(const Move& m) {
    std::string s;
    for (int st : m.states)
        s += (s.empty() ? "" : "+") + std::to_string(st);
    return s;
}

std::string percent(int64_t part, int64_t whole) {
    if (whole == 0) return "-";
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.1f%%", 100.0 * static_cast<double>(part) / whole);
    return buf;
}

double ratio(int64_t part, int64_t whole) {
    return whole == 0 ? 0.0 : static_cast<double>(part) / static_cast<double>(whole);
}

// Pads to a width in characters, not bytes: the names carry accented letters.
std::string pad(const std::string& s, size_t width, bool right = false) {
    size_t chars = 0;
    for (unsigned char ch : s)
        chars += (ch & 0xC0U) != 0x80U ? 1 : 0;
    const std::string fill(width > chars ? width - chars : 0, ' ');
    return right ? fill + s : s + fill;
}

constexpr size_t kNameWidth = 18;
constexpr size_t kCell = 6;

void printMatrix(std::FILE* out, const Results& r) {
    std::fprintf(out,
                 "Win matrix: share of the rounds won by the row's character as fighter 1 against "
                 "the column's as fighter 2\n");
    const std::vector<int> rows = playing(r, 1);
    const std::vector<int> columns = playing(r, 2);
    std::string line = pad("", kNameWidth);
    for (int b : columns)
        line += pad(std::to_string(b), kCell, true);
    std::fprintf(out, "%s\n", line.c_str());
    for (int a : rows) {
        line = pad(nameOf(a), kNameWidth);
        for (int b : columns) {
            const int played = r.played[static_cast<size_t>(a)][static_cast<size_t>(b)];
            const int won = r.won1[static_cast<size_t>(a)][static_cast<size_t>(b)];
            char cell[16] = "-";
            if (a != b) std::snprintf(cell, sizeof cell, ".");
            if (played > 0) std::snprintf(cell, sizeof cell, "%.2f", ratio(won, played));
            line += pad(cell, kCell, true);
        }
        std::fprintf(out, "%s\n", line.c_str());
    }
}

void printWinRates(std::FILE* out, const Results& r) {
    std::fprintf(out, "\nWin rate over every round, on either side\n");
    std::fprintf(out, "%s  rounds    wins  losses   draws  win rate\n",
                 pad("character", kNameWidth).c_str());
    for (int c = 1; c <= kCharacters; ++c) {
        const Totals t = totalsOf(r, c);
        if (t.rounds == 0) continue;
        std::fprintf(out, "%s %7lld %7lld %7lld %7lld %9s\n", pad(nameOf(c), kNameWidth).c_str(),
                     static_cast<long long>(t.rounds), static_cast<long long>(t.wins),
                     static_cast<long long>(t.losses), static_cast<long long>(t.draws),
                     percent(t.wins, t.rounds).c_str());
    }
}

void printRounds(std::FILE* out, const Results& r) {
    int64_t side1 = 0, side2 = 0;
    for (size_t a = 1; a <= kCharacters; ++a) {
        for (size_t b = 1; b <= kCharacters; ++b) {
            side1 += r.won1[a][b];
            side2 += r.won2[a][b];
        }
    }
    const int64_t decided = r.rounds - r.capped;
    std::fprintf(out, "\nRounds: %lld, %d per pair; fighter 1 won %lld, fighter 2 won %lld\n",
                 static_cast<long long>(r.rounds), r.roundsPerPair, static_cast<long long>(side1),
                 static_cast<long long>(side2));
    std::fprintf(out,
                 "Average length: %.1f frames from the fighters' release to the knock-out\n"
                 "Ended by time: %lld; double knock-outs (draws): %lld\n",
                 ratio(r.framesFought, decided), static_cast<long long>(r.byTime),
                 static_cast<long long>(r.draws));
    if (r.capped > 0) {
        std::fprintf(out, "Stopped undecided by the frame cap: %lld\n",
                     static_cast<long long>(r.capped));
    }
}

void printMoves(std::FILE* out, const Results& r) {
    std::fprintf(out,
                 "\nSpecial moves: used = times entered; landed = uses that struck the opponent "
                 "unblocked,\nby blow or projectile; hits = frames in which a use struck\n");
    std::fprintf(out, "%s  codes      states    used  landed    rate    hits\n",
                 pad("character", kNameWidth).c_str());
    for (int c : playing(r, 0)) {
        const std::vector<Move>& list = moves(c);
        for (size_t i = 0; i < list.size(); ++i) {
            const MoveCount& k = r.moves[static_cast<size_t>(c)][i];
            const std::string codes = codesOf(list[i]) + (list[i].super ? " super" : "");
            std::fprintf(out, "%s  %s %s %7lld %7lld %7s %7lld\n",
                         pad(i == 0 ? nameOf(c) : "", kNameWidth).c_str(), pad(codes, 10).c_str(),
                         pad(statesOf(list[i]), 7).c_str(), static_cast<long long>(k.used),
                         static_cast<long long>(k.landed), percent(k.landed, k.used).c_str(),
                         static_cast<long long>(k.hits));
        }
    }
}

void printCsv(std::FILE* out, const Results& r, double seconds) {
    std::fprintf(out, "pair,first,second,rounds,first_wins,second_wins,draws\n");
    for (size_t a = 1; a <= kCharacters; ++a) {
        for (size_t b = 1; b <= kCharacters; ++b) {
            if (r.played[a][b] == 0) continue;
            std::fprintf(out, "pair,%zu,%zu,%d,%d,%d,%d\n", a, b, r.played[a][b], r.won1[a][b],
                         r.won2[a][b], r.drawn[a][b]);
        }
    }
    std::fprintf(out, "character,number,name,rounds,wins,losses,draws,win_rate\n");
    for (int c = 1; c <= kCharacters; ++c) {
        const Totals t = totalsOf(r, c);
        if (t.rounds == 0) continue;
        std::fprintf(out, "character,%d,%s,%lld,%lld,%lld,%lld,%.4f\n", c,
                     std::string(pelea::MemoNomes.Lines(c)).c_str(),
                     static_cast<long long>(t.rounds), static_cast<long long>(t.wins),
                     static_cast<long long>(t.losses), static_cast<long long>(t.draws),
                     ratio(t.wins, t.rounds));
    }
    std::fprintf(
        out, "rounds,count,average_frames,by_time,double_knockouts,capped,frames_run,seconds\n");
    std::fprintf(out, "rounds,%lld,%.1f,%lld,%lld,%lld,%lld,%.2f\n",
                 static_cast<long long>(r.rounds), ratio(r.framesFought, r.rounds - r.capped),
                 static_cast<long long>(r.byTime), static_cast<long long>(r.draws),
                 static_cast<long long>(r.capped), static_cast<long long>(r.framesRun), seconds);
    std::fprintf(out, "move,character,codes,states,super,used,landed,hits,landing_rate\n");
    for (int c : playing(r, 0)) {
        const std::vector<Move>& list = moves(c);
        for (size_t i = 0; i < list.size(); ++i) {
            const MoveCount& k = r.moves[static_cast<size_t>(c)][i];
            std::fprintf(out, "move,%d,%s,%s,%d,%lld,%lld,%lld,%.4f\n", c, codesOf(list[i]).c_str(),
                         statesOf(list[i]).c_str(), list[i].super ? 1 : 0,
                         static_cast<long long>(k.used), static_cast<long long>(k.landed),
                         static_cast<long long>(k.hits), ratio(k.landed, k.used));
        }
    }
}

}  // namespace

void printReport(std::FILE* out, const Results& r, const Options& options, double seconds) {
    if (options.csv) {
        printCsv(out, r, seconds);
        return;
    }
    std::fprintf(out, "Pelea tournament: %zu pairs x %d rounds, seed %llu, level %d%s\n\n",
                 options.pairs.size(), options.rounds,
                 static_cast<unsigned long long>(options.seed), options.level,
                 options.idle ? ", fighter 1 idle" : "");
    printMatrix(out, r);
    printWinRates(out, r);
    printRounds(out, r);
    printMoves(out, r);
    const double perFrame = r.framesRun == 0 ? 0.0 : seconds * 1e6 / r.framesRun;
    std::fprintf(out, "\nTime: %.2f s (%lld frames, %.2f µs a frame)\n", seconds,
                 static_cast<long long>(r.framesRun), perFrame);
}

}  // namespace tournament
