// The character-select screen and the start of a match.
#include <algorithm>
#include <cmath>
#include <string>

#include "game/tform1.h"

namespace pelea {

namespace {

constexpr TColor kWhite = media::kWhite;
constexpr TColor kPanelBlue = media::rgb(120, 120, 255);
constexpr TColor kPanelRed = media::rgb(255, 100, 100);
constexpr TColor kStrip = media::rgb(30, 50, 70);
constexpr TColor kNameColour = media::rgb(180, 220, 160);
constexpr TColor kCountdown = media::rgb(250, 170, 170);
constexpr TColor kCursor1 = media::rgb(120, 120, 255);
constexpr TColor kCursor2 = media::rgb(255, 80, 80);

constexpr int kSlide = 300;  // how far the panels travel
constexpr int kSlideStep = 20;
constexpr int kCharacters = 12;
constexpr int kStripAlpha = 60;
constexpr uint8_t kPiscaSelecao = 25;
constexpr uint8_t kSubPerSecond = 40;
constexpr int kSndCursor = 1;
constexpr int kSndConfirm = 2;

std::string twoDigits(int v) {
    return (v < 10 ? "0" : "") + std::to_string(v);
}

}  // namespace

void TForm1::telaSelecao() {
    MatchState& m = g.m;
    media::Surface& s = DXDraw1.Surface;

    // 1–4.
    m.lutaParada = 0;
    for (int n = 1; n <= 2; ++n) {
        // The computer's choice flickers every frame until the match starts.
        if (L(n).humano == 0) {
            L(n).personagem = static_cast<uint8_t>(std::min(Round(Random(111) / 10.0), 11) + 1);
        }
    }
    if (m.musicaCarregada == 1) DXWaveListMusica.Stop(0);
    for (int n = 1; n <= 2; ++n) {
        L(n).especial = 0.0;
        L(n).estoque = 0;
        L(n).roundsGanhos = 0;
        L(n).hitsMax = 0;
    }

    // 5. Background: two panels sliding in and the portrait strip.
    const int d = m.deslizeSelecao;
    const int e = Round(d * 1.35);
    s.fill(media::kBlack);
    barra(0, 300 - d, 200, 600 - d, kPanelBlue);
    barra(200, d - 300, 400, d, kPanelRed);
    barra(e - 410, 213, e, 297, kStrip);
    barra(e - 410, 215, e, 220, kWhite);
    barra(e - 410, 285, e, 290, kWhite);
    for (int i = 0; i < kCharacters; ++i) {
        const int item = 3 * i;
        if (DXImageListRetrato.has(item)) {
            DXImageListRetrato.Items(item).DrawBlended(
                s, {e + 31 * i - 400, 222, e + 31 * i - 350, 282}, 0, kStripAlpha);
        }
    }

    // 6. Sliding in.
    if (m.faseSelecao == 1) {
        m.deslizeSelecao += kSlideStep;
        if (m.deslizeSelecao >= kSlide) {
            m.deslizeSelecao = kSlide;
            m.faseSelecao = 2;
        }
    }

    // 7. Choosing.
    if (m.faseSelecao == 2) escolha(d, e);

    // 8. Time is up: both sides take the highlighted characters.
    if (m.tempo == 0) {
        L(1).escolhido = 1;
        L(2).escolhido = 1;
        DXWaveListSnd.Play(kSndConfirm);
    }

    // 9.
    if (L(1).escolhido == 1 && L(2).escolhido == 1) iniciarLuta();
}

void TForm1::escolha(int d, int e) {
    MatchState& m = g.m;
    media::Surface& s = DXDraw1.Surface;

    for (int n = 1; n <= 2; ++n) {
        const Lutador& l = L(n);
        if (l.humano != 1) continue;
        const int c = l.personagem;
        const int large = 3 * c - 1;
        if (DXImageListRetrato.has(large)) {
            DXImageListRetrato.Items(large).Draw(s, n == 1 ? 52 : 252, 5, 0);
        }
        const int slot = 3 * c - 3;
        if (l.escolhido == 0 && DXImageListRetrato.has(slot)) {
            DXImageListRetrato.Items(slot).Draw(s, e + 31 * c - 431, 222, 0);
        }
        const int nameY = 110 - Round(4 * std::cos(m.pisca / 4.3));
        texto(n == 1 ? 100 : 300, nameY, MemoNomes.Lines(c), 'c', 12, kNameColour);
    }

    texto(200, Round(d * 0.3) - 96, MemoTexto.Lines(8), 'c', 18, kWhite);

    for (int n = 1; n <= 2; ++n) {
        if (L(n).humano == 1) mostralista(n);
    }

    // The countdown blinks during its last three seconds.
    if (m.tempo > 3 || m.tempo == 0 || m.pisca <= 8) {
        texto(200, 15, std::to_string(m.tempo), 'c', 22, kCountdown);
    }
    if (m.tempo >= 1) {
        --m.tempoSub;
        if (m.tempoSub == 0) {
            m.tempoSub = kSubPerSecond;
            --m.tempo;
        }
    }

    ++m.pisca;
    if (m.pisca == kPiscaSelecao) m.pisca = 0;

    for (int n = 1; n <= 2; ++n) {
        const Lutador& l = L(n);
        if (l.humano == 1 && l.escolhido == 0 && m.pisca <= 20) {
            const int c = l.personagem;
            if (n == 1) texto(31 * c - 26, 225, "1P", '-', 10, kCursor1);
            if (n == 2) texto(31 * c + 6, 225, "2P", '-', 10, kCursor2);
        }
    }

    DXInput1.Update();
    for (int n = 1; n <= 2; ++n) {
        Lutador& l = L(n);
        if (l.humano == 1 && l.escolhido == 0) {
            if (novo(n, media::isLeft)) {
                --l.personagem;
                DXWaveListSnd.Play(kSndCursor);
            }
            if (novo(n, media::isRight)) {
                ++l.personagem;
                DXWaveListSnd.Play(kSndCursor);
            }
            if (novo(n, media::isButton1)) {
                l.escolhido = 1;
                DXWaveListSnd.Play(kSndConfirm);
            }
        }
        // No wrap-around: the cursor stops at both ends of the strip.
        l.personagem = static_cast<uint8_t>(std::clamp<int>(l.personagem, 1, kCharacters));
        if (l.humano == 0) l.escolhido = 1;
    }
}

void TForm1::iniciarLuta() {
    MatchState& m = g.m;
    DXTimer1.Enabled = false;
    for (int n = 1; n <= 2; ++n)
        carregar("C" + twoDigits(L(n).personagem) + ".bmp", L(n).personagem, n);
    m.modoTela = tela::Luta;
    m.musicaPendente = 1;
    m.lutaParada = 1;
    m.tempo = 99;
    m.tempoSub = 30;
    m.inicioRound = 0;
    m.finRound = 0;
    m.telaX = 100;
    m.primeiroGolpe = 0;
    zerardados(1);
    zerardados(2);
    for (int i = 1; i <= kEffectSlots; ++i)
        g.efeitos[static_cast<size_t>(i)].tipo = 0;
    // A new match never repeats the previous stage.
    int cenario = 0;
    do {
        cenario = std::min(Round(Random(80) / 10.0) + 1, 8);
    } while (cenario == m.numCenario);
    m.numCenario = static_cast<uint8_t>(cenario);
    carregarcenario("Cenario-" + twoDigits(cenario) + ".bmp");
    carregarmusica(Random(3) + 1);
    DXTimer1.Enabled = true;
}

}  // namespace pelea
