#include "training/trainer.h"

#include <algorithm>

#include "training/keys.h"
#include "training/overlays.h"

namespace training {

namespace {

using pelea::GameState;
using pelea::Lutador;
namespace tela = pelea::tela;

constexpr uint8_t kClockFull = 99;    // the round clock shows this and never counts down
constexpr uint8_t kClockSecond = 30;  // frames of a clock second in the fight
constexpr double kFullLife = 125.0;
constexpr double kLifeFloor = 1.0;  // a life that would end stays at this until refilled
constexpr double kFullMeter = 102.0;
constexpr int16_t kFullStocks = 3;
constexpr uint8_t kEndless = 99;         // a cicloFim that never runs out
constexpr int16_t kOutOfReach = -20000;  // a drawing height that puts the areas far below
constexpr uint8_t kBlockSpark = 19;      // the effect kind a blocked blow leaves

// The position reset. Mid-screen is where a round starts: the camera at 100, the fighters 200
// pixels apart about its centre. In a corner the camera is at its end, the cornered fighter at
// the screen's margin and the other half that distance away. Fighter 1 stays on the left of the
// dummy, so the left corner is fighter 1's and the right one the dummy's.
struct Placement {
    int32_t telaX, x1, x2;
};
constexpr Placement kMiddle{100, 200, 400};
constexpr Placement kLeftCorner{0, 30, 130};
constexpr Placement kRightCorner{200, 470, 570};
constexpr uint8_t kStanding = 1;
constexpr int32_t kFloor = 300;
constexpr uint8_t kRoundSpeed = 8;  // the walk step a round starts with

const Placement& placementFor(uint32_t held) {
    const bool left = (held & media::isLeft) != 0, right = (held & media::isRight) != 0;
    if (left && !right) return kLeftCorner;
    if (right && !left) return kRightCorner;
    return kMiddle;
}

// A fighter standing still on the floor with full life, as a round starts it, facing lado.
void standAfresh(Lutador& l, int32_t x, uint8_t lado, uint8_t naFrente) {
    l.x = x;
    l.y = kFloor;
    l.lado = lado;
    l.naFrente = naFrente;
    l.hp = l.hpBarra = kFullLife;
    l.hpBarraEspera = 0.0;
    l.pos = kStanding;
    l.ciclo = 0;
    l.cicloFim = kEndless;
    l.grav = 0;
    l.pulo = 0;
    l.puloDir = 0;
    l.angulo = l.giro = 0;
    l.ataque = l.derruba = l.defesa = l.andaFrente = l.invencivel = 0;
    l.t = l.f = l.recuo = 0;
    l.hits = l.hitsTempo = 0;
    l.velocidade = kRoundSpeed;
}

bool trainingKey(int vk) {
    switch (vk) {
        case keys::DummyMode:
        case keys::Areas:
        case keys::Inputs:
        case keys::FrameData:
        case keys::Pause:
        case keys::Step:
        case keys::Record:
        case keys::Playback:
        case keys::FillMeter:
        case keys::Refill:
        case keys::Reset:
        case keys::Rewind:
            return true;
        default:
            return false;
    }
}

// A projectile or other live effect that the dummy (fighter 2) would have to block.
bool hostileEffect(const GameState& g) {
    for (size_t i = 1; i <= pelea::kEffectSlots; ++i) {
        const pelea::Efeito& e = g.efeitos[i];
        if (e.tipo != 0 && e.ativo == 1 && e.dono != 2) return true;
    }
    return false;
}

// A projectile of fighter 1 that this frame launched: live, in a slot that was free (slots
// freed this frame are freed after the fighters spawn theirs).
bool launched(const GameState& before, const GameState& after) {
    for (size_t i = 1; i <= pelea::kEffectSlots; ++i) {
        const pelea::Efeito& a = after.efeitos[i];
        if (a.tipo != 0 && a.dono == 1 && a.ativo == 1 && before.efeitos[i].tipo == 0) {
            return true;
        }
    }
    return false;
}

// An effect that can still strike, whichever side it belongs to.
bool liveEffect(const GameState& g) {
    for (size_t i = 1; i <= pelea::kEffectSlots; ++i) {
        if (g.efeitos[i].tipo != 0 && g.efeitos[i].ativo == 1) return true;
    }
    return false;
}

bool newBlockSpark(const GameState& before, const GameState& after) {
    for (size_t i = 1; i <= pelea::kEffectSlots; ++i) {
        const pelea::Efeito& a = after.efeitos[i];
        const pelea::Efeito& b = before.efeitos[i];
        if (a.tipo == kBlockSpark && (b.tipo != kBlockSpark || a.idade < b.idade)) return true;
    }
    return false;
}

}  // namespace

Trainer::Trainer(pelea::TForm1& form, bool armed)
    : form_(form), armed_(armed), ring_(kRewindFrames) {
    form_.DXInput1.setFilter(this);
}

Trainer::~Trainer() {
    form_.DXInput1.setFilter(nullptr);
}

bool Trainer::inFight() const {
    return armed_ && form_.g.m.modoTela == tela::Luta;
}

void Trainer::filter(uint32_t& keyboard, uint32_t& joystick) {
    if (!feeding_) return;
    keyboard = feed_.keyboard;
    joystick = feed_.joystick;
}

// ---- keys -----------------------------------------------------------------------------------

void Trainer::keyDown(int virtualKey) {
    if (virtualKey == keys::Mark && form_.g.m.modoTela == tela::Selecao) {
        armed_ = !armed_;
        return;
    }
    if (inFight() && trainingKey(virtualKey)) return fightKey(virtualKey);
    passOn(virtualKey);
}

void Trainer::fightKey(int virtualKey) {
    switch (virtualKey) {
        case keys::DummyMode:
            mode_ = nextMode(mode_);
            observed_.recording = observed_.playback = false;
            observed_.guarding = false;
            driveDummy();
            break;
        case keys::Areas:
            overlays_.areas = !overlays_.areas;
            break;
        case keys::Inputs:
            overlays_.inputs = !overlays_.inputs;
            break;
        case keys::FrameData:
            overlays_.frameData = !overlays_.frameData;
            break;
        case keys::Pause:
            paused_ = !paused_;
            steps_ = 0;
            break;
        case keys::Step:
            // The first press stops the game; each one after it lets one frame through.
            if (paused_) ++steps_;
            paused_ = true;
            break;
        case keys::Record:
            observed_.recording = !observed_.recording;
            observed_.playback = false;
            if (observed_.recording) observed_.recorded = observed_.playing = 0;
            driveDummy();
            break;
        case keys::Playback:
            observed_.playback = !observed_.playback && observed_.recorded > 0;
            observed_.recording = false;
            observed_.playing = 0;
            driveDummy();
            break;
        case keys::FillMeter:
            for (int n = 1; n <= 2; ++n) {
                form_.L(n).especial = kFullMeter;
                form_.L(n).estoque = kFullStocks;
            }
            break;
        case keys::Refill:
            refillMeters_ = !refillMeters_;
            break;
        case keys::Reset:
            resetAsked_ = true;
            break;
        default:  // the rewind key
            ++rewindPresses_;
            break;
    }
}

// The game's key handler sees fighter 2 as it was before the dummy took it over, so a second
// player can still join a training fight against the computer.
void Trainer::passOn(int virtualKey) {
    if (fighting_) form_.L(2).humano = dummyHumano_;
    form_.FormKeyDown(virtualKey);
    if (fighting_) {
        dummyHumano_ = form_.L(2).humano;
        driveDummy();
    }
}

int Trainer::heldKeyActedOn() const {
    return heldRewind_ ? keys::Rewind : 0;
}

namespace {
constexpr size_t kCarriedFlags = 7;  // armed, mode, three overlays, recording, playback
constexpr size_t kTapeBytes = kCarriedFlags + 2 + Recording::kFrames;
// Then the refill setting; a file written before it had one carries the tape alone.
constexpr size_t kCarriedBytes = kTapeBytes + 1;
}  // namespace

std::vector<unsigned char> Trainer::carried() const {
    std::vector<unsigned char> out(kCarriedBytes);
    out[0] = armed_;
    out[1] = static_cast<unsigned char>(mode_);
    out[2] = overlays_.areas;
    out[3] = overlays_.inputs;
    out[4] = overlays_.frameData;
    out[5] = observed_.recording;
    out[6] = observed_.playback;
    out[7] = static_cast<unsigned char>(observed_.recorded & 0xff);
    out[8] = static_cast<unsigned char>(observed_.recorded >> 8);
    std::copy(observed_.tape.states.begin(), observed_.tape.states.end(),
              out.begin() + kCarriedFlags + 2);
    out[kTapeBytes] = refillMeters_;
    return out;
}

bool Trainer::carryOn(std::span<const unsigned char> bytes) {
    if (bytes.size() != kCarriedBytes && bytes.size() != kTapeBytes) return false;
    if (bytes[1] >= kDummyModes) return false;
    const bool meters = bytes.size() == kCarriedBytes && bytes[kTapeBytes] != 0;
    if (bytes.size() == kCarriedBytes && bytes[kTapeBytes] > 1) return false;
    const auto recorded = static_cast<uint16_t>(bytes[7] | bytes[8] << 8);
    if (recorded > Recording::kFrames) return false;
    for (size_t i = 0; i < kCarriedFlags; ++i) {
        if (i != 1 && bytes[i] > 1) return false;
    }
    armed_ = bytes[0] != 0;
    mode_ = static_cast<DummyMode>(bytes[1]);
    overlays_ = {bytes[2] != 0, bytes[3] != 0, bytes[4] != 0};
    observed_.recording = bytes[5] != 0;
    observed_.playback = bytes[6] != 0;
    observed_.recorded = recorded;
    std::copy(bytes.begin() + kCarriedFlags + 2, bytes.begin() + kTapeBytes,
              observed_.tape.states.begin());
    refillMeters_ = meters;
    return true;
}

// ---- ticks ----------------------------------------------------------------------------------

void Trainer::tick() {
    heldRewind_ = false;
    if (!inFight()) return plainFrame();
    enterFight();
    const int back = rewindSteps();
    if (back > 0) return rewind(back);
    if (paused_ && steps_ == 0) return show();
    if (paused_) --steps_;
    liveFrame();
}

void Trainer::plainFrame() {
    // The configuration menu freezes the fight rather than leaving it: what training keeps (the
    // rewind history, the frame data, the pause, a reset asked for) waits for it.
    if (form_.g.m.modoTela != tela::Config) leaveFight();
    feeding_ = false;
    form_.DXTimer1Timer();
    if (form_.g.m.modoTela == tela::Selecao && form_.g.m.faseSelecao == 2) {
        drawSelectLine(form_, armed_);
    }
}

// A new fight starts with nothing observed; the dummy's recording is kept for it.
void Trainer::enterFight() {
    if (fighting_) return;
    fighting_ = true;
    dummyHumano_ = form_.L(2).humano;
    const Observed last = observed_;
    observed_ = Observed{};
    observed_.tape = last.tape;
    observed_.recording = last.recording;
    observed_.playback = last.playback;
    observed_.recorded = last.recorded;
    ring_.clear();
}

// Leaving the fight (the select screen, or the configuration menu) gives fighter 2 back and
// forgets the snapshots: they hold a fight that is no longer on.
void Trainer::leaveFight() {
    if (!fighting_) return;
    fighting_ = false;
    form_.L(2).humano = dummyHumano_;
    ring_.clear();
    paused_ = false;
    resetAsked_ = false;
    steps_ = rewindPresses_ = 0;
}

// Held in a window, one frame back per tick; each press counts one frame as well, which is how
// the headless runner's key events rewind.
int Trainer::rewindSteps() {
    int steps = rewindPresses_;
    rewindPresses_ = 0;
    if (steps == 0 && form_.plataforma.keyHeld(keys::Rewind)) {
        steps = 1;
        heldRewind_ = true;
    }
    rewinding_ = steps > 0;
    return steps;
}

// Back through the ring: each step restores the state a frame started from. The picture is the
// frame before it, run again from its own snapshot.
void Trainer::rewind(int steps) {
    for (int i = 0; i < steps && !ring_.empty(); ++i) {
        form_.g = ring_.newest().state;
        observed_ = ring_.newest().observed;
        ring_.pop();
    }
    show();
}

// The frame that led to the present state, drawn again (mute) from its snapshot, with the
// overlays as they are now: a paused or rewound picture follows every overlay key.
void Trainer::show() {
    if (ring_.empty()) return;
    const GameState now = form_.g;
    const Observed seen = observed_;
    const Snapshot& last = ring_.newest();
    form_.g = last.state;
    runFrame(last.feed, true, false);
    form_.g = now;
    observed_ = seen;
    drawOverlays();
}

void Trainer::liveFrame() {
    const Observed start = observed_;
    keepRoundGoing();
    driveDummy();
    const Feed live = readDevices();
    if (resetAsked_) resetPositions(live.keyboard);
    Feed feed = feedFor(live);
    const Threat t = foresee(feed);
    guard(feed, t);
    keepLifeAboveZero(feed);
    ring_.push() = Snapshot{form_.g, start, feed};
    runFrame(feed, true, true);
    observe(ring_.newest().state, feed, t.live);
    drawOverlays();
}

// ---- between frames -------------------------------------------------------------------------

// The clock never runs, and the lives are full again whenever a combo is over.
void Trainer::keepRoundGoing() {
    pelea::MatchState& m = form_.g.m;
    m.tempo = kClockFull;
    m.tempoSub = kClockSecond;
    refillAfterCombo();
}

// A combo is over once neither combo counter runs (it can no longer grow), both fighters can
// act again and nothing thrown can still strike: then both lives refill, and with the setting
// both meters and stocks too. Nothing but the state record says when, so a rewind or the menu
// leaves it as the fight was.
void Trainer::refillAfterCombo() {
    const Lutador& a = form_.L(1);
    const Lutador& b = form_.L(2);
    const bool over = a.hitsTempo == 0 && b.hitsTempo == 0 && isFreeState(a.pos) &&
                      isFreeState(b.pos) && !liveEffect(form_.g);
    if (!over) return;
    for (int n = 1; n <= 2; ++n) {
        Lutador& l = form_.L(n);
        l.hp = kFullLife;
        if (!refillMeters_) continue;
        l.especial = kFullMeter;
        l.estoque = kFullStocks;
    }
}

// Home: both fighters stand afresh with full life where held left or right puts them, the
// camera with them; whatever flew is gone, and a recording plays back from its start.
void Trainer::resetPositions(uint32_t held) {
    resetAsked_ = false;
    const Placement& p = placementFor(held);
    pelea::MatchState& m = form_.g.m;
    m.telaX = p.telaX;
    m.golpePausa = m.pausaEspecial = 0;
    standAfresh(form_.L(1), p.x1, 1, 1);
    standAfresh(form_.L(2), p.x2, 2, 0);
    for (size_t i = 1; i <= pelea::kEffectSlots; ++i)
        form_.g.efeitos[i].tipo = 0;
    observed_.guarding = false;
    observed_.playing = 0;
}

// The dummy is the computer while it fights, and its device otherwise.
void Trainer::driveDummy() {
    if (!fighting_) return;
    const bool computer = mode_ == DummyMode::Fight && !observed_.recording && !playing();
    form_.L(2).humano = computer ? 0 : 1;
}

Feed Trainer::readDevices() {
    feeding_ = false;
    form_.DXInput1.Update();
    return {form_.DXInput1.Keyboard(), form_.DXInput1.Joystick()};
}

// While recording, the keyboard plays the dummy too (for a player without a pad) and fighter 1
// stands still; a recording plays back as the dummy faces now.
Feed Trainer::feedFor(const Feed& live) const {
    const uint8_t lado = form_.L(2).lado;
    if (observed_.recording) return {0, live.joystick | live.keyboard};
    if (playing()) {
        return {live.keyboard, observed_.tape.get(observed_.playing % observed_.recorded, lado)};
    }
    return {live.keyboard, heldStates(mode_)};
}

// This frame run blind on a copy where the dummy cannot be touched and fighter 1's state cannot
// run out: afterwards fighter 1's attack flag says whether its area was live at the hit test,
// and a projectile it launched is still there to be seen (a move's projectile counts as its
// active frame).
Trainer::Threat Trainer::foresee(const Feed& feed) {
    const GameState now = form_.g;
    Lutador& dummy = form_.L(2);
    dummy.invencivel = 1;
    dummy.altura = kOutOfReach;
    form_.L(1).cicloFim = kEndless;
    runFrame(feed, false, false);
    Threat t;
    t.live = form_.L(1).ataque == 1 || launched(now, form_.g);
    t.threat = t.live || hostileEffect(form_.g);
    form_.g = now;
    return t;
}

// Blocking everything, or everything after the first hit of a combo until it is over: back is
// held whenever a blow or a projectile of the other side is live.
void Trainer::guard(Feed& feed, const Threat& t) {
    const Lutador& dummy = form_.L(2);
    const bool comboOver = form_.L(1).hitsTempo == 0 && isFreeState(dummy.pos) && !t.threat;
    if (observed_.guarding && comboOver) observed_.guarding = false;
    if (observed_.recording || playing() || !t.threat) return;
    const bool guards =
        mode_ == DummyMode::BlockAll || (mode_ == DummyMode::BlockAfterHit && observed_.guarding);
    if (guards) feed.joystick = guardStates(feed.joystick, dummy.lado);
}

// No round ends: the frame is run blind first, and a life it would end starts the real frame
// that much higher, so the blow leaves it at the floor instead of knocking the fighter out.
void Trainer::keepLifeAboveZero(const Feed& feed) {
    const GameState now = form_.g;
    runFrame(feed, false, false);
    const GameState ahead = form_.g;
    form_.g = now;
    for (int n = 1; n <= 2; ++n) {
        const double life = ahead.lutador[static_cast<size_t>(n)].hp;
        if (life > 0.0) continue;
        form_.L(n).hp += kLifeFloor - life;
    }
}

// ---- the frame and after it -----------------------------------------------------------------

void Trainer::runFrame(const Feed& feed, bool drawn, bool sound) {
    media::Surface& surface = form_.DXDraw1.Surface;
    const bool wasBlind = surface.blind, wasMute = form_.DXSound1.mute;
    surface.blind = wasBlind || !drawn;
    form_.DXSound1.mute = wasMute || !sound;
    feed_ = feed;
    feeding_ = true;
    form_.DXTimer1Timer();
    surface.blind = wasBlind;
    form_.DXSound1.mute = wasMute;
}

void Trainer::observe(const GameState& before, const Feed& feed, bool live) {
    const GameState& after = form_.g;
    // A frame counts when the hit-stop did not hold it and no super pause is running.
    const bool counted = before.m.golpePausa == 0 && after.m.pausaEspecial == 0;
    if (counted) ++observed_.clock;
    observed_.inputs[0].add(feed.keyboard);
    observed_.inputs[1].add(feed.joystick);
    const FrameView view{before.lutador[1],
                         after.lutador[1],
                         before.lutador[2],
                         after.lutador[2],
                         counted,
                         live,
                         newBlockSpark(before, after),
                         observed_.clock,
                         feed.keyboard,
                         feed.joystick};
    track(observed_.move, view);
    if (counted) {
        observed_.meter.add(before.lutador[1], after.lutador[1], feed.keyboard, live,
                            before.lutador[2], after.lutador[2], feed.joystick,
                            after.lutador[2].ataque == 1);
    }
    // Points mean a landed blow: the dummy guards the rest of the combo when asked to.
    if (after.lutador[1].pontos > before.lutador[1].pontos) observed_.guarding = true;
    advanceRecording(before, feed);
    // Should a blow still end a life (a frame that ran differently), it stays at the floor.
    for (int n = 1; n <= 2; ++n) {
        if (form_.L(n).hp > 0.0) continue;
        form_.L(n).hp = kLifeFloor;
    }
}

void Trainer::advanceRecording(const GameState& before, const Feed& feed) {
    if (observed_.recording && observed_.recorded < Recording::kFrames) {
        observed_.tape.put(observed_.recorded, feed.joystick, before.lutador[2].lado);
        ++observed_.recorded;
    }
    if (observed_.recorded >= Recording::kFrames) observed_.recording = false;
    if (playing()) {
        observed_.playing = static_cast<uint16_t>((observed_.playing + 1) % observed_.recorded);
    }
}

void Trainer::drawOverlays() {
    if (form_.DXDraw1.Surface.blind) return;
    if (overlays_.areas) drawAreas(form_);
    if (overlays_.inputs) drawInputs(form_, observed_.inputs);
    if (overlays_.frameData) {
        drawFrameData(form_, observed_.move);
        drawFrameMeter(form_, observed_.meter);
    }
    drawStatus(form_, status());
    drawKeyHelp(form_);
}

std::string Trainer::status() const {
    std::string s = "MUÑECO: ";
    if (observed_.recording) {
        s += "GRABANDO " + std::to_string(observed_.recorded) + "/" +
             std::to_string(Recording::kFrames);
    } else if (playing()) {
        s += "REPITE LA GRABACIÓN";
    } else {
        s += modeName(mode_);
    }
    s += refillMeters_ ? "   RELLENA: VIDA Y PODER" : "   RELLENA: VIDA";
    if (rewinding_) {
        s += "   ATRÁS";
    } else if (paused_) {
        s += "   PAUSA";
    }
    return s;
}

}  // namespace training
