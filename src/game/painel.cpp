// The fight display: the top display (clock, life bars, portraits, round lamps, names, scores,
// join prompts) and the bottom display (messages, combo counters, stocks, special meters). Both
// are laid out about the centre line with the side sign s: −1 for fighter 1, +1 for fighter 2.
#include <cmath>
#include <string>

#include "game/tform1.h"

namespace pelea {

namespace {

using media::rgb;

constexpr TColor kWhite = media::kWhite;
constexpr TColor kBlack = media::kBlack;
constexpr TColor kGrey = rgb(170, 170, 170);
constexpr TColor kClockDigits = rgb(255, 50, 50);
constexpr TColor kTrail = rgb(170, 0, 0);
constexpr TColor kDanger = rgb(200, 0, 0);
constexpr TColor kTick = rgb(150, 150, 150);
constexpr TColor kTickDanger = rgb(255, 50, 50);
constexpr TColor kLife[4] = {rgb(150, 150, 0), rgb(220, 220, 70), rgb(250, 250, 100), kWhite};
constexpr int kLifeTop[4] = {35, 36, 38, 39};
constexpr int kLifeBottom[4] = {45, 44, 42, 40};
constexpr TColor kLampWon = rgb(120, 0, 0);
constexpr TColor kLampLit = rgb(255, 0, 0);
constexpr TColor kName1 = rgb(120, 120, 255);
constexpr TColor kName2 = rgb(255, 110, 110);
constexpr TColor kMessage = rgb(80, 255, 140);
constexpr TColor kStockBox = rgb(10, 20, 30);
constexpr TColor kStockDotOutline = rgb(255, 20, 20);
constexpr TColor kMeterBack = rgb(60, 30, 0);
constexpr TColor kFullMeterText = rgb(144, 144, 255);

constexpr double kLifeMax = 125.0;
constexpr double kDangerLife = 15.0;
constexpr double kMeterFull = 102.0;
constexpr int kStocksMax = 3;
constexpr int kSndStock = 13;
constexpr int kTrailFall = 3;
constexpr int kComboShakeFrames = 16;

int side(int n) {
    return n == 1 ? -1 : 1;
}

// Life is kept inside 0 … 125; a value that is not a number becomes 0.
double clampLife(double hp) {
    if (!(hp > 0.0)) return 0.0;
    return hp > kLifeMax ? kLifeMax : hp;
}

}  // namespace

void TForm1::lutaPainelSuperior() {
    MatchState& m = g.m;
    const int T = m.hudTopoY;
    barraredonda(170, T + 15, 230, T + 54, 15, kWhite, kWhite);
    barraredonda(172, T + 17, 228, T + 52, 15, kGrey, kGrey);
    barraredonda(174, T + 19, 226, T + 50, 15, kBlack, kBlack);
    if (m.limiteDeTempo == 1) {
        if (m.tempo >= 10) {
            texto(200, T + 10, std::to_string(m.tempo), 'c', 25, kClockDigits);
        } else if (m.tempo >= 1) {
            const char digits[3] = {'0', static_cast<char>('0' + m.tempo), '\0'};
            if (m.pisca < 5) texto(200, T + 10, digits, 'c', 25, kClockDigits);
        } else {
            texto(200, T + 10, "00", 'c', 25, kClockDigits);
        }
    }
    for (int n = 1; n <= 2; ++n)
        painelSuperior(n);
}

void TForm1::painelSuperior(int n) {
    MatchState& m = g.m;
    Lutador& l = L(n);
    const int s = side(n);
    const int T = m.hudTopoY;
    const bool blinkOn = m.pisca % 2 == 0;
    const bool paused = m.pausaEspecial != 0 || m.golpePausa != 0;
    l.hp = clampLife(l.hp);

    // Status panel behind the bars, pulsing with the blink.
    const int v = Round(30 * std::cos(m.pisca / 5.0));
    const TColor panel = n == 1 ? rgb(50 + v, 50 + v, 255) : rgb(255, 30 + v, 30 + v);
    barra(198 * s + 200, T + 40, 130 * s + 200, T + 68, panel);
    retangulo(198 * s + 200, T + 40, 130 * s + 200, T + 68, kWhite);

    // Life frame; it blinks red when life is low.
    barraredonda(157 * s + 200, T + 30, 17 * s + 200, T + 50, 8, kBlack, kWhite);
    barraredonda(155 * s + 200, T + 32, 19 * s + 200, T + 48, 8, kGrey, kGrey);
    barraredonda(153 * s + 200, T + 34, 21 * s + 200, T + 46, 8, kBlack, kBlack);
    if (l.hp <= kDangerLife && blinkOn) {
        barraredonda(153 * s + 200, T + 34, 21 * s + 200, T + 46, 8, kBlack, kDanger);
    }

    // The portrait shakes harder the farther the trail runs ahead of the life.
    int j = 0;
    if (l.hpBarra > l.hp) j = Random(2) - 1;
    if (l.hp + 10 < l.hpBarra) j = Random(4) - 2;
    if (l.hp + 20 < l.hpBarra) j = Random(6) - 3;
    if (l.hp + 40 < l.hpBarra) j = Random(8) - 4;
    const int c = l.personagem;
    const int retrato = n == 1 ? 3 * c - 3 : 3 * c - 2;
    if (DXImageListRetrato.has(retrato)) {
        DXImageListRetrato.Items(retrato).Draw(DXDraw1.Surface, (n == 1 ? 3 : 347) - j, T + 7, 0);
    }

    // Damage trail: waits, then falls towards the life.
    if (l.hpBarra > kLifeMax) l.hpBarra = kLifeMax;
    barra(Round((l.hpBarra + 25) * s) + 200, T + 35, 25 * s + 200, T + 45, kTrail);
    if (!paused && l.hpBarraEspera == 0) {
        if (l.hpBarra > l.hp) l.hpBarra -= kTrailFall;
        if (l.hpBarra < l.hp) l.hpBarra = l.hp;
    }
    if (l.hpBarraEspera > 0) l.hpBarraEspera -= 1;

    // Scale ticks, one pixel wide.
    for (int k = 0; k <= 6; ++k) {
        const int x = (16 * k + 40) * s + 200;
        barra(x, T + 35, x + 1, T + 45, l.hp <= kDangerLife ? kTickDanger : kTick);
    }

    // Life bar: 125 px at full life, ending 25 px from the centre line.
    l.hp = clampLife(l.hp);
    const int x1 = Round((l.hp + 25) * s) + 200;
    for (int b = 0; b < 4; ++b)
        barra(x1, T + kLifeTop[b], 25 * s + 200, T + kLifeBottom[b], kLife[b]);

    // Round lamps.
    for (int k = 1; k <= m.rounds; ++k) {
        TColor fill = kBlack;
        if (l.roundsGanhos >= k) fill = m.pisca < 10 ? kLampLit : kLampWon;
        barraredonda(s * (212 - 17 * k) + 200, T + 70, s * (197 - 17 * k) + 200, T + 85, 5, kWhite,
                     fill);
    }

    if (l.humano == 0 && m.pisca < 15) {
        texto(100 * s + 200, 0, MemoTexto.Lines(m.creditos == 0 ? 6 : 7), 'c', 12, kWhite);
    }

    if (n == 1) {
        texto(55, T + 45, MemoNomes.Lines(c), '-', 12, kName1);
        if (l.humano == 1) {
            texto(55, T + 10, "1P", '-', 12, kName1);
            texto(150, T + 10, std::to_string(l.pontos), 'e', 12, kName1);
        }
    } else {
        texto(345, T + 45, MemoNomes.Lines(c), 'e', 12, kName2);
        if (l.humano == 1) {
            texto(345, T + 10, "2P", 'e', 12, kName2);
            texto(250, T + 10, std::to_string(l.pontos), '-', 12, kName2);
        }
    }
}

void TForm1::lutaPainelInferior() {
    for (int n = 1; n <= 2; ++n)
        painelInferior(n);
}

void TForm1::painelInferior(int n) {
    MatchState& m = g.m;
    Lutador& l = L(n);
    const int s = side(n);
    const int B = m.hudBaseY;
    const bool blinkOn = m.pisca % 2 == 0;
    const bool paused = m.pausaEspecial != 0 || m.golpePausa != 0;

    if (l.mensagemTempo > 0) {
        texto(100 * s + 200, 80, MemoTexto.Lines(l.mensagem), 'c', 15, kMessage);
        if (l.mensagem == 1 && l.humano == 1) {
            texto(80 * s + 200, 110, MemoTexto.Lines(2), 'c', 10, kWhite);
        }
        --l.mensagemTempo;
    }

    // Combo counter: shown from two hits on, shaking while fresh.
    if (l.hitsTempo > 0) {
        if (l.hits > l.hitsMax) l.hitsMax = l.hits;
        if (l.hits > 1) {
            const int shake = l.hitsTempo >= kComboShakeFrames ? Random(10) - 5 : 0;
            texto(170 * s + 200 + shake, 110, std::to_string(l.hits), 'c', 25, kWhite);
            texto(150 * s + 200, 145, MemoTexto.Lines(3), 'c', 12, kMessage);
        }
        if (!paused) {
            --l.hitsTempo;
            if (l.hitsTempo == 0) l.hits = 0;
        }
    }

    // Stocks.
    if (l.estoque < 0) l.estoque = 0;
    barraredonda(65 * s + 200, B + 280, 22 * s + 200, B + 288, 6, kWhite, kStockBox);
    const int vDot = blinkOn && l.estoque > 0 ? 100 : 0;
    for (int k = 1; k <= l.estoque; ++k) {
        circulopintado(s * (10 * k + 20) + 200, B + 286, s * (10 * k + 25) + 200, B + 281,
                       kStockDotOutline, rgb(255, 150 + vDot, 150 + vDot));
    }
    const int vCount = blinkOn && l.estoque > 0 ? 50 : 0;
    texto(18 * s + 200, B + 270, std::to_string(l.estoque), 'c', 12,
          rgb(255 - vCount, 255 - vCount, 255));

    // Power modes keep a side at three stocks.
    if ((m.poder == 2 || m.poder == 4) && n == 1) l.estoque = kStocksMax;
    if ((m.poder == 3 || m.poder == 4) && n == 2) l.estoque = kStocksMax;

    // A full meter becomes a stock; with three stocks the meter stays full.
    if (l.especial >= kMeterFull && l.estoque < kStocksMax) {
        l.especial = 0.0;
        ++l.estoque;
        DXWaveListSnd.Play(kSndStock);
    }
    if (l.estoque >= kStocksMax) {
        l.especial = kMeterFull;
        l.estoque = kStocksMax;
    }

    barraredonda(170 * s + 200, B + 275, 60 * s + 200, B + 285, 5, kWhite, kWhite);
    barraredonda(169 * s + 200, B + 276, 61 * s + 200, B + 284, 5, kGrey, kGrey);
    barraredonda(168 * s + 200, B + 277, 62 * s + 200, B + 283, 5, kBlack, kMeterBack);

    const int x1 = Round((l.especial + 64) * s) + 200;
    const int x2 = 64 * s + 200;
    if (l.especial < kMeterFull) {
        barra(x1, B + 278, x2, B + 282, rgb(210, 160, 30));
        barra(x1, B + 279, x2, B + 281, rgb(250, 220, 140));
    } else {
        const int v = blinkOn ? 50 : 0;
        barra(x1, B + 278, x2, B + 282, rgb(240, 190 + v, 60 + v));
        barra(x1, B + 279, x2, B + 281, rgb(255, 250, 170 + v));
        texto(115 * s + 200, B + 262, MemoTexto.Lines(4), 'c', 15, kFullMeterText);
    }
}

}  // namespace pelea
