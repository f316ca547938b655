// The configuration menu (F1 during a fight): level, time limit, power mode, damage level,
// blood and rounds. The fight stays frozen behind it and goes on unchanged when F1 closes it.
#include <algorithm>
#include <cmath>
#include <string>

#include "game/tform1.h"

namespace pelea {

namespace {

using media::rgb;

constexpr TColor kWhite = media::kWhite;
constexpr TColor kHighlight = rgb(130, 130, 255);
constexpr TColor kGauge = rgb(255, 0, 0);

constexpr int kRows = 6;
constexpr int kRowY[kRows + 1] = {0, 80, 100, 120, 140, 160, 180};
constexpr int kRowLabel[kRows + 1] = {0, 2, 3, 6, 11, 12, 13};
constexpr int kPowerX[5] = {0, 140, 215, 280, 345};
constexpr int kSiX = 140, kNoX = 230;
constexpr int kLineSi = 4, kLineNo = 5, kLinePower = 7;
constexpr double kDanoMin = 0.3, kDanoMax = 2.0, kDanoStep = 0.1;

}  // namespace

void TForm1::telaConfig() {
    MatchState& m = g.m;
    DXDraw1.Surface.fill(media::kBlack);
    texto(200, 5, MemoConfig.Lines(1), 'c', 15, kWhite);

    // Rows and their values, white.
    for (int r = 1; r <= kRows; ++r)
        texto(10, kRowY[r], MemoConfig.Lines(kRowLabel[r]), '-', 11, kWhite);
    for (int i = 1; i <= 8; ++i)
        texto(10 * i + 130, kRowY[1], std::to_string(i), '-', 11, kWhite);
    for (int r : {2, 5}) {
        texto(kSiX, kRowY[r], MemoConfig.Lines(kLineSi), '-', 11, kWhite);
        texto(kNoX, kRowY[r], MemoConfig.Lines(kLineNo), '-', 11, kWhite);
    }
    for (int p = 1; p <= 4; ++p) {
        texto(kPowerX[p], kRowY[3], MemoConfig.Lines(kLinePower + p - 1), '-', 11, kWhite);
    }
    for (int i = 1; i <= 3; ++i)
        texto(30 * i + 110, kRowY[6], std::to_string(i), '-', 11, kWhite);
    texto(200, 280, MemoConfig.Lines(14), 'c', 11, kWhite);

    // Damage gauge: 78 px per unit of damage level.
    barraredonda(140, 145, 300, 156, 5, kWhite, media::kBlack);
    barra(142, 147, Round(78 * m.nivelDano) + 142, 154, kGauge);

    // The current choices, drawn again highlighted.
    if (m.itemMenu >= 1 && m.itemMenu <= kRows) {
        texto(10, kRowY[m.itemMenu], MemoConfig.Lines(kRowLabel[m.itemMenu]), '-', 11, kHighlight);
    }
    texto(10 * m.nivel + 130, kRowY[1], std::to_string(m.nivel), '-', 11, kHighlight);
    texto(m.limiteDeTempo == 1 ? kSiX : kNoX, kRowY[2],
          MemoConfig.Lines(m.limiteDeTempo == 1 ? kLineSi : kLineNo), '-', 11, kHighlight);
    if (m.poder >= 1 && m.poder <= 4) {
        texto(kPowerX[m.poder], kRowY[3], MemoConfig.Lines(kLinePower + m.poder - 1), '-', 11,
              kHighlight);
    }
    texto(m.opcaoSangue == 1 ? kSiX : kNoX, kRowY[5],
          MemoConfig.Lines(m.opcaoSangue == 1 ? kLineSi : kLineNo), '-', 11, kHighlight);
    texto(30 * m.rounds + 110, kRowY[6], std::to_string(m.rounds), '-', 11, kHighlight);

    // Both devices drive the menu: each new press of up or down moves the cursor, so both in
    // the same frame move it two rows; left or right on either device moves the option once.
    DXInput1.Update();
    int cursor = m.itemMenu;
    for (int n = 1; n <= 2; ++n) {
        if (novo(n, media::isUp)) --cursor;
        if (novo(n, media::isDown)) ++cursor;
    }
    const bool left = novo(1, media::isLeft) || novo(2, media::isLeft);
    const bool right = novo(1, media::isRight) || novo(2, media::isRight);
    int nivel = m.nivel, poder = m.poder, rounds = m.rounds;
    if (left) {
        switch (m.itemMenu) {
            case 1:
                --nivel;
                break;
            case 2:
                m.limiteDeTempo = 1;
                break;
            case 3:
                --poder;
                break;
            case 4:
                m.nivelDano -= kDanoStep;
                break;
            case 5:
                m.opcaoSangue = 1;
                break;
            case 6:
                --rounds;
                break;
            default:
                break;
        }
    }
    if (right) {
        switch (m.itemMenu) {
            case 1:
                ++nivel;
                break;
            case 2:
                m.limiteDeTempo = 0;
                break;
            case 3:
                ++poder;
                break;
            case 4:
                m.nivelDano += kDanoStep;
                break;
            case 5:
                m.opcaoSangue = 0;
                break;
            case 6:
                ++rounds;
                break;
            default:
                break;
        }
    }
    // Values stop at the ends; nothing wraps round.
    m.itemMenu = static_cast<uint8_t>(std::clamp(cursor, 1, kRows));
    m.nivel = static_cast<uint8_t>(std::clamp(nivel, 1, 8));
    m.poder = static_cast<uint8_t>(std::clamp(poder, 1, 4));
    m.rounds = static_cast<uint8_t>(std::clamp(rounds, 1, 3));
    m.nivelDano = std::clamp(m.nivelDano, kDanoMin, kDanoMax);
}

}  // namespace pelea
