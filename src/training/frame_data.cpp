#include "training/frame_data.h"

#include <algorithm>

#include "media/input.h"

namespace training {

namespace {

constexpr uint8_t kStanding = 1, kWalking = 2, kCrouching = 7, kAirborne = 12;
constexpr uint8_t kStandingBlock = 21, kCrouchingBlock = 22;

struct Span {
    uint8_t first, last;
};
// The blows standing, crouching and in the air, and the special moves.
constexpr Span kAttackStates[] = {{3, 6}, {8, 11}, {13, 16}, {25, 31}};

bool isBlockState(uint8_t pos) {
    return pos == kStandingBlock || pos == kCrouchingBlock;
}

// A new move: a blow begins from outside a blow, or another blow replaces the running one
// (a follow-up that a connecting blow moves on to is the same move).
bool startsMove(const FrameView& f, bool contact) {
    if (!isAttackState(f.after.pos)) return false;
    if (!isAttackState(f.before.pos)) return true;
    return f.after.pos != f.before.pos && !contact;
}

void begin(MoveData& m, uint8_t pos) {
    m = MoveData{};
    m.pos = pos;
    m.running = true;
}

// Each frame the game ran during the move is start-up until the attack area is first live (that
// frame included), active while it is live, and recovery after.
void count(MoveData& m, const FrameView& f, bool inMove) {
    if (!inMove || !f.counted) return;
    if (f.live) {
        if (m.active == 0) ++m.startup;
        ++m.active;
    } else if (m.active == 0) {
        ++m.startup;
    } else {
        ++m.recovery;
    }
}

void contact(MoveData& m, const FrameView& f, bool landed) {
    m.landed = landed;
    m.blocked = !landed;
    if (landed) m.combo = f.after.hits;
    (landed ? m.onHit : m.onBlock) = Advantage{};
    m.waitingVictim = true;
    m.victimFree = -1;
}

// Once both sides can act again, the advantage is the frames between them.
void settle(MoveData& m) {
    if (m.attackerFree < 0 || m.victimFree < 0 || !(m.landed || m.blocked)) return;
    Advantage& a = m.landed ? m.onHit : m.onBlock;
    a.known = true;
    a.frames = static_cast<int16_t>(m.victimFree - m.attackerFree);
    m.landed = m.blocked = false;
}

}  // namespace

bool isAttackState(uint8_t pos) {
    for (const Span& s : kAttackStates) {
        if (pos >= s.first && pos <= s.last) return true;
    }
    return false;
}

bool isFreeState(uint8_t pos) {
    return pos == kStanding || pos == kWalking || pos == kCrouching || pos == kAirborne;
}

bool canAttack(const pelea::Lutador& l, uint32_t held) {
    uint8_t pos = l.pos;
    if ((held & media::isDown) != 0 && (pos == kStanding || pos == kWalking)) pos = kCrouching;
    switch (pos) {
        case kStanding:
        case kWalking:
        case kStandingBlock:
            return l.grav == 0;
        case kCrouching:
        case kCrouchingBlock:
        case kAirborne:
            return true;
        default:
            return false;
    }
}

void track(MoveData& m, const FrameView& f) {
    // A landed blow always scores; a blocked one leaves the victim guarding behind a spark.
    const bool landed = f.after.pontos > f.before.pontos;
    const bool blocked = !landed && f.blockSpark && isBlockState(f.victimAfter.pos);
    const bool hit = landed || blocked;
    const bool began = startsMove(f, hit);
    if (began) begin(m, f.after.pos);
    if (m.pos == 0) return;
    const bool inMove = m.running && (began || isAttackState(f.before.pos));
    count(m, f, inMove);
    m.damage += std::max(0.0, f.victimBefore.hp - f.victimAfter.hp);
    // Each side is free from the first frame in which it could start an attack: the frames
    // between the two are the advantage.
    if (hit) contact(m, f, landed);
    if (m.waitingVictim && canAttack(f.victimAfter, f.victimHeld)) {
        m.victimFree = f.clock;
        m.waitingVictim = false;
    }
    if (inMove && !isAttackState(f.after.pos)) m.running = false;
    if (!m.running && m.attackerFree < 0 && canAttack(f.after, f.held)) m.attackerFree = f.clock;
    settle(m);
}

}  // namespace training
