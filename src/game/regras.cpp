// The referee: round clock, time over, round start, knock-out, round end, scoring, curtains and
// the end of the match.
#include <algorithm>
#include <string>

#include "game/tform1.h"

namespace pelea {

namespace {

using media::rgb;

constexpr TColor kWhite = media::kWhite;
constexpr TColor kBlack = media::kBlack;
constexpr TColor kTimeEnd = rgb(255, 70, 30);

constexpr uint8_t kIntroEnd = 70;  // the round-start block runs while inicioRound ≤ 70
constexpr uint8_t kRelease = 55;   // fighters are released after this many frames
constexpr uint8_t kFramesPerSecond = 30;
constexpr int kHudTopMin = -120;
constexpr int kHudBaseMax = 490;
constexpr int kHudSlide = 5;
constexpr uint8_t kKoFreeze = 30;
constexpr int kAwardAt = 35;
constexpr int kRoundCountedAt = 40;
constexpr int kVoiceAt = 95;
constexpr int kNextRoundAfter = 130;
constexpr int kMatchEndAfter = 220;
constexpr double kFullLife = 125.0;
constexpr int kFullLifeBonus = 1000;
constexpr int kPointsPerLife = 5;
constexpr int kVictoryPose = 14;

}  // namespace

void TForm1::lutaRegrasRound() {
    relogioRound();
    tempoEsgotado();
    if (g.m.inicioRound <= kIntroEnd) inicioDoRound();
    if (L(1).hp <= 0 || L(2).hp <= 0) fimDoRound();
}

// One clock second is 30 frames; the clock also runs during the intro, hit-stops and round end.
void TForm1::relogioRound() {
    MatchState& m = g.m;
    if (m.limiteDeTempo == 0) {
        m.tempo = 99;
        return;
    }
    if (m.pausaEspecial == 0) {
        --m.tempoSub;
        if (m.tempoSub == 0) {
            m.tempoSub = kFramesPerSecond;
            if (m.tempo > 0) --m.tempo;
        }
    }
}

// When the clock runs out during a fought round, the fighter with less life loses as if knocked
// out; with equal life both lose, and the round is fought again like any double knock-out.
void TForm1::tempoEsgotado() {
    MatchState& m = g.m;
    if (m.tempo != 0) return;
    texto(200, 130, "TIME END    ", 'c', 30, kTimeEnd);
    if (m.hudTopoY > kHudTopMin) m.hudTopoY = static_cast<int16_t>(m.hudTopoY - kHudSlide);
    if (m.hudBaseY < kHudBaseMax) m.hudBaseY = static_cast<int16_t>(m.hudBaseY + kHudSlide);
    m.lutaParada = 1;
    Lutador& a = L(1);
    Lutador& b = L(2);
    if (m.finRound != 0 || a.hp <= 0 || b.hp <= 0) return;
    if (a.hp < b.hp) {
        a.hp = 0.0;
    } else if (b.hp < a.hp) {
        b.hp = 0.0;
    } else {
        a.hp = 0.0;
        b.hp = 0.0;
    }
}

void TForm1::inicioDoRound() {
    MatchState& m = g.m;
    ++m.inicioRound;
    m.lutaParada = 1;
    const int i = m.inicioRound;
    const bool blinkOn = m.pisca % 2 == 0;
    if (i < 5) {
        for (int n = 1; n <= 2; ++n)
            L(n).hp = L(n).hpBarra = 1.0;
    }
    if (i > 5 && i < kRelease) {
        for (int n = 1; n <= 2; ++n) {
            if (L(n).hp < kFullLife) L(n).hp += 3;
        }
    }
    if (i > 5 && i < 40) {
        const int v = blinkOn ? 30 : 0;
        texto(260, 85, std::to_string(m.numRound), 'c', 35, rgb(255 - v, 255 - v, 255 - v));
        texto(200, 100, "MOCHA   ", 'c', 20, kWhite);
    }
    if (i > 42 && i < 60) {
        const int v = blinkOn ? 120 : 0;
        texto(200, 120, "AGARRENSE", 'c', 25, rgb(255, v + 30, v));
    }
    if (i > kRelease) {
        m.lutaParada = 0;
        for (int n = 1; n <= 2; ++n)
            L(n).hp = kFullLife;
    }
}

void TForm1::fimDoRound() {
    MatchState& m = g.m;
    const bool paused = m.pausaEspecial != 0 || m.golpePausa != 0;
    const bool avancou = !paused;
    if (avancou) ++m.finRound;
    const int e = m.finRound;
    const bool blinkOn = m.pisca % 2 == 0;

    if (e > kAwardAt) m.lutaParada = 1;
    if (e == 1) {
        m.golpePausa = kKoFreeze;
        m.finRound = 2;
    }
    // The winner cannot be hit any more; in a double knock-out fighter 1 ends invincible.
    if (L(1).hp <= 0) {
        L(2).invencivel = 1;
        L(1).invencivel = 0;
    }
    if (L(2).hp <= 0) {
        L(1).invencivel = 1;
        L(2).invencivel = 0;
    }
    if (e > 0 && e < 30) {
        // A round lost on time shows its "TIME END" instead of the knock-out.
        if (!(m.limiteDeTempo == 1 && m.tempo == 0)) {
            texto(200, 100, "KO", 'c', 70, rgb(255, blinkOn ? 100 : 0, 0));
        }
        m.hudTopoY = static_cast<int16_t>(m.hudTopoY - kHudSlide);
        m.hudBaseY = static_cast<int16_t>(m.hudBaseY + kHudSlide);
    }
    if (e > 30 && e < 90) {
        for (int n = 1; n <= 2; ++n) {
            if (L(n).hp > 0) vencedorRound(n, e, avancou);
        }
    }
    if (e == kRoundCountedAt) {
        for (int n = 1; n <= 2; ++n) {
            if (L(n).hp > 0 && !paused) ++L(n).roundsGanhos;
            m.estiloCortina = static_cast<uint8_t>(std::min(Round(Random(40) / 10.0) + 1, 4));
            L(n).frase = static_cast<uint8_t>(std::min(Round(Random(30) / 10.0) + 1, 3));
        }
    }
    const bool decidida = L(1).roundsGanhos >= m.rounds || L(2).roundsGanhos >= m.rounds;
    if (e >= 90 && e <= 210) {
        for (int n = 1; n <= 2; ++n) {
            if (L(n).roundsGanhos >= m.rounds) vencedorPartida(n, e, avancou);
        }
    }
    if (!decidida && e > 95) cortina(e);
    if (!decidida && e > kNextRoundAfter) {
        m.inicioRound = 0;
        m.finRound = 0;
        m.voadorAtivo = 0;
        zerardados(1);
        zerardados(2);
        ++m.numRound;
        // Every round starts with a full clock, also after a round lost on time.
        m.tempo = 99;
        m.tempoSub = kFramesPerSecond;
    }
    if (e > kMatchEndAfter) {
        m.modoTela = tela::Selecao;
        m.faseSelecao = 1;
        m.deslizeSelecao = 0;
        L(1).escolhido = 0;
        L(2).escolhido = 0;
        m.numRound = 1;
        m.tempo = 20;
        m.tempoSub = 40;
    }
}

// The round's winner: victory pose, name, and for a player the points of the round.
void TForm1::vencedorRound(int n, int e, bool avancou) {
    Lutador& l = L(n);
    const bool blinkOn = g.m.pisca % 2 == 0;
    acao(n, kVictoryPose);
    const int v = blinkOn ? 80 : 0;
    texto(200, 110, MemoNomes.Lines(l.personagem), 'c', 20, rgb(255, v, v));
    texto(200, 140, " GANO ", 'c', 14, kWhite);
    const bool award = avancou && e == kAwardAt;
    if (l.humano == 1 && l.hp < kFullLife) {
        const int vida = Round(l.hp);
        texto(200, 210,
              "COMO TE FUE" + std::to_string(vida) + "x5=" + std::to_string(vida * kPointsPerLife) +
                  " PTS.",
              'c', 12, kWhite);
        if (award) l.pontos += vida * kPointsPerLife;
    }
    if (l.humano == 1 && l.hp == kFullLife) {
        texto(200, 210, "BONUS 1000 PTS.", 'c', 15, kWhite);
        if (award) l.pontos += kFullLifeBonus;
    }
    if (l.hp == kFullLife && e > kAwardAt) {
        const int q = blinkOn ? 120 : 0;
        texto(200, 170, "QUESITO!", 'c', 28, rgb(255, q + 120, q + 30));
    }
}

// The match winner: voice, large portrait sliding through, best combo, points and a phrase.
void TForm1::vencedorPartida(int n, int e, bool avancou) {
    Lutador& l = L(n);
    const int v = g.m.pisca % 2 == 0 ? 30 : 0;
    const int c = l.personagem;
    acao(n, kVictoryPose);
    if (avancou && e == kVoiceAt) DXWaveListVitoria.Play(c - 1);
    const int retrato = 3 * c - 1;
    if (DXImageListRetrato.has(retrato)) {
        int a = 128;
        if (e < 100) a = 728 - 50 * (e - 90);
        if (e >= 180) a = 128 - 50 * (e - 180);
        DXImageListRetrato.Items(retrato).DrawStretched(DXDraw1.Surface, {a, 29, a + 144, 218}, 0);
    }
    if (l.humano == 1) {
        const TColor label = rgb(v + 30, v + 220, v + 30);
        const TColor number = rgb(255 - v, 255 - v, 255 - v);
        texto(10, 30, "MÁXIMO E MANGAZOS", '-', 12, label);
        texto(210, 28, std::to_string(l.hitsMax), '-', 14, number);
        texto(10, 50, "PUNTOS", '-', 12, label);
        texto(92, 48, std::to_string(l.pontos), '-', 14, number);
    }
    barraredonda(5, 220, 395, 280, 5, kWhite, kBlack);
    texto(200, 237, MemoFrases.Lines(4 * (c - 1) + l.frase), 'c', 12, kWhite);
}

// The curtain that closes a round, one of four styles, by the round-end counter p.
void TForm1::cortina(int p) {
    switch (g.m.estiloCortina) {
        case 1:
            barra(0, 0, 400, 10 * p - 950, kBlack);
            barra(0, 1250 - 10 * p, 400, 300, kBlack);
            break;
        case 2:
            barra(0, 0, 200, 12 * p - 1120, kBlack);
            barra(200, 1420 - 12 * p, 400, 300, kBlack);
            break;
        case 3:
            for (int j = 0; j <= 3; ++j) {
                barra(0, 80 * j, 17 * p - 1670, 80 * j + 40, kBlack);
                barra(2070 - 17 * p, 80 * j + 40, 400, 80 * j + 80, kBlack);
            }
            break;
        case 4:
            barra(0, 0, 400, 10 * p - 1000, kBlack);
            barra(0, 1300 - 10 * p, 400, 300, kBlack);
            barra(0, 0, 10 * p - 1000, 300, kBlack);
            barra(1400 - 10 * p, 0, 400, 300, kBlack);
            break;
        default:
            break;
    }
}

}  // namespace pelea
