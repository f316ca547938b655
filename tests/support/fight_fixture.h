// A fight already past its intro, both fighters driven by their devices and standing still until
// a test types on them: fighter 1 on the keyboard, fighter 2 on the joystick. Commands are typed
// as a person would, from the move list's letters, frame by frame.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "animation/sheets.h"
#include "game/tform1.h"
#include "media/input.h"
#include "support/game_fixture.h"

namespace pelea::testing {

// Fighter 1 of `personagem` at x1 and fighter 2 of `outro` at x2, on the floor, facing each
// other, the round under way with no clock. Their drawing heights are the ones the sheet loader
// would store.
inline void preparaLuta(Game& game, int personagem, int outro, int x1, int x2) {
    game.L(1).personagem = static_cast<uint8_t>(personagem);
    game.L(2).personagem = static_cast<uint8_t>(outro);
    game.pastIntro();
    game.m().limiteDeTempo = 0;
    for (int n = 1; n <= 2; ++n) {
        Lutador& l = game.L(n);
        l.humano = 1;
        l.altura = static_cast<int16_t>(sheets::sheet(l.personagem).altura);
        l.x = n == 1 ? x1 : x2;
        l.y = 300;
    }
    game.L(1).lado = x1 < x2 ? 1 : 2;
    game.L(2).lado = x1 < x2 ? 2 : 1;
    game.m().telaX = (x1 + x2) / 2 - 200;
}

// One frame of a typed command: the directions (relative to the way the fighter faces) and the
// buttons held.
struct Tecla {
    bool cima = false, baixo = false, frente = false, tras = false;
    uint32_t botoes = 0;
};

// The frames a person types for one of the move list's commands. B down, C up, D forward,
// E back, Y down-back; P a punch button and K a kick button (light or heavy), R the button
// tapped again quickly. A leading C is a jump (the rest is typed in the air); B then C is down
// held long enough, then up; for the charge characters (7 and 10) every E is held until the
// charge is ready.
inline std::vector<Tecla> digita(const std::string& code, int personagem, bool pesado) {
    constexpr int kHold = 2;     // frames each direction is held
    constexpr int kCharge = 7;   // frames a charge is held back
    constexpr int kCrouch = 11;  // frames down is held before an up
    constexpr int kAirWait = 5;  // frames after the jump before the rest is typed
    constexpr int kPress = 4;    // frames the button stays held
    constexpr int kRapidPress = 10;
    const uint32_t soco = pesado ? media::isButton3 : media::isButton1;
    const uint32_t chute = pesado ? media::isButton4 : media::isButton2;
    const bool carga = personagem == 7 || personagem == 10;
    std::vector<Tecla> out;
    size_t i = 0;
    if (code.size() > 1 && code[0] == 'C') {  // jump first, towards the opponent
        Tecla t;
        t.cima = true;
        t.frente = true;
        out.push_back(t);
        for (int k = 0; k < kAirWait; ++k)
            out.push_back({});
        i = 1;
    }
    Tecla ultima;
    for (; i < code.size(); ++i) {
        const char c = code[i];
        if (c == 'P' || c == 'K') {
            const uint32_t b = c == 'P' ? soco : chute;
            if (i + 1 < code.size() && code[i + 1] == 'R') {  // tap, let go, tap and hold
                Tecla t = ultima;
                t.botoes = b;
                out.push_back(t);
                out.push_back(ultima);
            }
            Tecla t = ultima;
            t.botoes = b;
            // A quick tap's button is held until the blow the first tap started is over.
            const int press = i + 1 < code.size() && code[i + 1] == 'R' ? kRapidPress : kPress;
            for (int k = 0; k < press; ++k)
                out.push_back(t);
            break;
        }
        Tecla t;
        t.baixo = c == 'B' || c == 'Y';
        t.cima = c == 'C';
        t.frente = c == 'D';
        t.tras = c == 'E' || c == 'Y';
        if (c == 'E' && carga) t.baixo = true;  // a charge is held crouching, without walking away
        // Rolling the stick from down to a side passes the diagonal between them.
        if (ultima.baixo && !ultima.tras && !ultima.frente && (t.frente || t.tras) && !t.baixo &&
            !carga) {
            Tecla diagonal = t;
            diagonal.baixo = true;
            out.push_back(diagonal);
        }
        const bool agacha = c == 'B' && i + 1 < code.size() && code[i + 1] == 'C';
        const int frames = agacha ? kCrouch : (c == 'E' && carga) ? kCharge : kHold;
        for (int k = 0; k < frames; ++k)
            out.push_back(t);
        ultima = t;
    }
    return out;
}

// The keyboard bits of a typed frame for a fighter facing right (lado 1) or left (lado 2).
inline uint32_t bits(const Tecla& t, int lado) {
    const uint32_t frente = lado == 1 ? media::isRight : media::isLeft;
    const uint32_t tras = lado == 1 ? media::isLeft : media::isRight;
    return (t.cima ? media::isUp : 0u) | (t.baixo ? media::isDown : 0u) | (t.frente ? frente : 0u) |
           (t.tras ? tras : 0u) | t.botoes;
}

}  // namespace pelea::testing
