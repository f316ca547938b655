// Frame data of fighter 1's last move, measured as it plays: start-up, active and recovery
// frames, the advantage once both fighters can act again, damage and combo.
#pragma once

#include <cstdint>

#include "game/state.h"

namespace training {

// The states in which a fighter is carrying out a blow: the plain attacks on the ground and in
// the air, and the special moves.
bool isAttackState(uint8_t pos);

// The states from which a fighter can act at once: standing, walking, crouching, airborne.
bool isFreeState(uint8_t pos);

// Whether an attack request of this fighter, holding these device states, would be accepted in
// the next frame: the dispatcher takes the light punch from standing, walking and the standing
// block on the ground, from crouching and the crouching block, and in the air. Holding down
// turns standing or walking into crouching before the buttons are read.
bool canAttack(const pelea::Lutador& l, uint32_t held);

struct Advantage {
    bool known = false;
    int16_t frames = 0;  // positive: the attacker acts first
};

struct MoveData {
    uint8_t pos = 0;  // the move's state; 0 before the first move
    bool running = false;
    // Frames the game ran during the move: start-up up to and including the first active frame,
    // active while it can hit, recovery after.
    int16_t startup = 0, active = 0, recovery = 0;
    Advantage onHit, onBlock;
    double damage = 0.0;  // life taken from the opponent, through a block included
    uint8_t combo = 0;    // the attacker's combo count at the move's last hit

    // Waiting for the advantage: the frame clocks at which each side could act again.
    bool landed = false, blocked = false;  // the last contact
    bool waitingVictim = false;
    int64_t attackerFree = -1, victimFree = -1;

    // The first active frame is counted in both start-up and active.
    int total() const { return startup + active + recovery - (active > 0 ? 1 : 0); }
};

// What one frame did, as the tracker needs it.
struct FrameView {
    const pelea::Lutador& before;        // fighter 1 as the frame began
    const pelea::Lutador& after;         // … and as it ended
    const pelea::Lutador& victimBefore;  // fighter 2 likewise
    const pelea::Lutador& victimAfter;
    bool counted;     // the game ran this frame: no hit-stop or super pause held it
    bool live;        // fighter 1's attack area was live at this frame's hit test
    bool blockSpark;  // a block spark appeared this frame
    int64_t clock;    // frames counted so far, this one included
    uint32_t held;        // fighter 1's device states this frame
    uint32_t victimHeld;  // fighter 2's
};

// Follows fighter 1 through one frame.
void track(MoveData& move, const FrameView& frame);

}  // namespace training
