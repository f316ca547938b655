// The frame data as a player checks it: each advantage the readout gives is played out, both
// sides starting their fastest attack as soon as the game lets them, and the side it calls +N
// starts N frames first.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/move_list.h"
#include "support/fight_fixture.h"
#include "support/game_fixture.h"
#include "training/frame_data.h"
#include "training/frame_meter.h"
#include "training/keys.h"
#include "training/trainer.h"

namespace training {
namespace {

using pelea::testing::bits;
using pelea::testing::digita;
using pelea::testing::Game;
using pelea::testing::preparaLuta;
using pelea::testing::Tecla;

// A move typed by fighter 1: a plain blow (its buttons, crouching or not) or a command of the
// move list.
struct Move {
    const char* name;
    uint32_t buttons = 0;  // a plain blow
    bool crouching = false;
    int special = -1;  // the move list's row
    int cicloFim = 0;  // the move's state lasts this long, by the dispatcher's table (0: varies)
};

std::vector<Tecla> typed(const Move& m, int personagem) {
    if (m.special >= 0) {
        const auto& row = pelea::move_list::kMoves[static_cast<size_t>(personagem - 1)];
        return digita(row[static_cast<size_t>(m.special)].code, personagem, false);
    }
    Tecla t;
    t.baixo = m.crouching;
    t.botoes = m.buttons;
    std::vector<Tecla> out(m.crouching ? 3 : 0, Tecla{.baixo = true});
    out.push_back(t);
    return out;
}

// The frames the game counts (no hit-stop or super pause held them).
bool counted(const pelea::GameState& before, const pelea::GameState& after) {
    return before.m.golpePausa == 0 && after.m.pausaEspecial == 0;
}

// One frame on plain devices (no trainer), both fighters on them; whether it counted.
bool step(Game& game, uint32_t keyboard, uint32_t joystick) {
    game.plat.keyboard = keyboard;
    game.plat.joystick = joystick;
    const pelea::GameState before = game.g();
    game.form.DXTimer1Timer();
    return counted(before, game.g());
}

// Counted frames until fighter n's fastest attack, the light punch, can start when the fight is
// played on from a state with both fighters holding `held`: each frame, the same frame is tried
// with the punch pressed as well, until the dispatcher takes it (or whatever blow it turns it
// into).
int framesToAct(Game& game, const pelea::GameState& from, int n, const uint32_t held[2]) {
    const uint32_t press[2] = {n == 1 ? uint32_t{media::isButton1} : 0u,
                               n == 2 ? uint32_t{media::isButton1} : 0u};
    pelea::GameState base = from;
    int frames = 0;
    for (int i = 0; i < 150; ++i) {
        game.g() = base;
        const bool countedFrame = step(game, held[0] | press[0], held[1] | press[1]);
        if (isAttackState(game.L(n).pos) && !isAttackState(base.lutador[n].pos)) {
            return frames + countedFrame;
        }
        game.g() = base;
        frames += step(game, held[0], held[1]);
        base = game.g();
    }
    return -1000;
}

// A blocked blow leaves a spark of its own kind.
bool newSpark(const pelea::GameState& before, const pelea::GameState& after) {
    constexpr uint8_t kBlockSpark = 19;
    for (size_t i = 1; i <= pelea::kEffectSlots; ++i) {
        const pelea::Efeito& a = after.efeitos[i];
        const pelea::Efeito& b = before.efeitos[i];
        if (a.tipo == kBlockSpark && (b.tipo != kBlockSpark || a.idade < b.idade)) return true;
    }
    return false;
}

struct Measured {
    bool contact = false;
    MoveData move;
    FrameMeter meter;  // two frames after the advantage was known
    int playedOut = 0;  // the victim's frames to act less the attacker's
};

// Fighter 1 of `personagem` types the move at the dummy (character 2) in this mode; once the
// blow lands or is blocked nobody presses anything more. The readout once it settles, and the
// advantage played out from the last contact.
Measured measure(int personagem, const Move& move, DummyMode mode, int gap) {
    Game game;
    preparaLuta(game, personagem, 2, 150, 150 + gap);
    game.m().tempo = 99;
    game.m().tempoSub = 30;
    game.form.setBlindMute(true);
    Trainer trainer(game.form, true);
    while (trainer.mode() != mode)
        trainer.keyDown(keys::DummyMode);
    const uint32_t held[2] = {0, mode == DummyMode::Crouch ? uint32_t{media::isDown} : 0u};
    const std::vector<Tecla> keys = typed(move, personagem);
    Measured out;
    pelea::GameState atContact;
    int settled = -1;
    for (int i = 0; i < 200; ++i) {
        const bool typing = !out.contact && i < static_cast<int>(keys.size());
        game.plat.keyboard = typing ? bits(keys[static_cast<size_t>(i)], game.L(1).lado) : 0u;
        const pelea::GameState before = game.g();
        trainer.tick();
        const bool landed = game.L(1).pontos > before.lutador[1].pontos;
        const bool blocked = newSpark(before, game.g());
        // The advantage is the last contact's: a blow that strikes twice is played out from
        // its second.
        if (landed || blocked) {
            out.contact = true;
            atContact = game.g();
            settled = -1;
        }
        const MoveData& now = trainer.observed().move;
        if (out.contact && settled < 0 && (now.onHit.known || now.onBlock.known)) settled = i;
        if (settled >= 0 && i == settled + 2) out.meter = trainer.observed().meter;
    }
    out.move = trainer.observed().move;
    if (out.contact) {
        Game plain;
        preparaLuta(plain, personagem, 2, 150, 250);
        plain.form.setBlindMute(true);
        plain.L(1).humano = plain.L(2).humano = 1;
        atContact.lutador[2].humano = 1;
        out.playedOut = framesToAct(plain, atContact, 2, held) - framesToAct(plain, atContact, 1, held);
    }
    return out;
}

// The meter's cells of the last blow of fighter 1: start-up, active, recovery; and the advantage
// as the offset between the rows' first free cells after the blow's last active one.
struct MeterReading {
    int startup = 0, active = 0, recovery = 0;
    int advantage = -1000;
};
MeterReading read(const FrameMeter& m) {
    MeterReading r;
    int end = m.count() - 1;
    const auto inBlow = [&m](int i) {
        const Cell c = m.at(1, i);
        return c == Cell::Startup || c == Cell::Active || c == Cell::Recovery;
    };
    while (end >= 0 && !inBlow(end))
        --end;
    int begin = end;
    while (begin > 0 && inBlow(begin - 1))
        --begin;
    int lastActive = -1;
    for (int i = begin; i <= end && end >= 0; ++i) {
        const Cell c = m.at(1, i);
        r.startup += c == Cell::Startup;
        r.active += c == Cell::Active;
        r.recovery += c == Cell::Recovery;
        if (c == Cell::Active) lastActive = i;
    }
    const auto firstFree = [&m, lastActive](int n) {
        for (int i = lastActive + 1; i < m.count(); ++i) {
            if (m.at(n, i) == Cell::Free) return i;
        }
        return -1;
    };
    if (lastActive >= 0 && firstFree(1) >= 0 && firstFree(2) >= 0) {
        r.advantage = firstFree(2) - firstFree(1);
    }
    return r;
}

TEST(TrainingFrameData, TheAdvantageIsWhatPlayingItOutGives) {
    const Move kNormals[] = {
        {"light punch", media::isButton1, false, -1, 6},
        {"light kick", media::isButton2, false, -1, 6},
        {"heavy punch", media::isButton3, false, -1, 11},
        {"heavy kick", media::isButton4, false, -1, 11},
        {"crouching light kick", media::isButton2, true, -1, 6},
    };
    const Move kSpecials[] = {
        {"first special", 0, false, 0, 0},
        {"second special", 0, false, 1, 0},
        {"third special", 0, false, 2, 0},
    };
    struct Case {
        int personagem;
        Move move;
        int gap;  // between the fighters
        std::vector<DummyMode> modes;
    };
    const std::vector<DummyMode> standing = {DummyMode::Stand, DummyMode::BlockAll};
    std::vector<Case> cases;
    for (const int personagem : {1, 3, 6}) {
        for (const Move& m : kNormals)
            cases.push_back({personagem, m, 45, standing});
        // A low blow hits a crouching dummy too, which stays crouched: free as it crouches.
        cases.push_back({personagem, kNormals[4], 45, {DummyMode::Crouch}});
        for (const Move& m : kSpecials)
            cases.push_back({personagem, m, 60, standing});
    }
    for (const Case& c : cases) {
        for (const DummyMode mode : c.modes) {
            const Measured r = measure(c.personagem, c.move, mode, c.gap);
            const std::string what = "character " + std::to_string(c.personagem) + " " +
                                     c.move.name + " against " + modeName(mode);
            ASSERT_TRUE(r.contact) << what;
            const bool blocked = mode == DummyMode::BlockAll;
            const Advantage& a = blocked ? r.move.onBlock : r.move.onHit;
            ASSERT_TRUE(a.known) << what;
            EXPECT_EQ(a.frames, r.playedOut) << what;
            if (c.move.cicloFim > 0) {
                EXPECT_EQ(r.move.total(), c.move.cicloFim) << what;
            }
            EXPECT_GE(r.move.startup, 1) << what;
            // The frame meter says the same, specials included: start-up counts the first
            // active frame.
            const MeterReading m = read(r.meter);
            EXPECT_EQ(m.startup + 1, r.move.startup) << what;
            EXPECT_EQ(m.active, r.move.active) << what;
            EXPECT_EQ(m.recovery, r.move.recovery) << what;
            EXPECT_EQ(m.advantage, a.frames) << what;
        }
    }
}

}  // namespace
}  // namespace training
