// The frame function: one step of the game per timer tick, whatever the lag.
#include <string>

#include "game/tform1.h"

namespace pelea {

namespace {

constexpr TColor kRed = media::rgb(255, 0, 0);
constexpr TColor kWhite = media::kWhite;
constexpr TColor kGaugeMarker = media::rgb(255, 50, 50);
constexpr TColor kChallengerText = media::rgb(250, 140, 140);
constexpr uint8_t kRepeatStep = 6;
constexpr uint8_t kRepeatMax = 15;

}  // namespace

void TForm1::DXTimer1Timer() {
    MatchState& m = g.m;
    // 1.
    Canvas.Release();
    DXTimer1.Interval = m.vel;
    // 2–5. The screens, tested in this order so a switch into a later mode runs it this frame.
    if (m.modoTela == tela::Titulo) telaTitulo();
    if (m.modoTela == tela::Config) telaConfig();
    if (m.modoTela == tela::Selecao) telaSelecao();
    if (m.modoTela == tela::Luta) telaLuta();
    // 6. Red flash.
    if (m.flashTempo > 0) {
        if (m.pisca % 2 == 0) DXDraw1.Surface.flash(kRed);
        --m.flashTempo;
    }
    // 7. Bottom line.
    if (m.modoTela != tela::Config) linhaInferior();
    // 8. Flip: the platform presents the surface once the frame function returns.
    Canvas.Release();
    // 9. Button repeat counters.
    for (int n = 1; n <= 2; ++n) {
        Lutador& l = L(n);
        if (novo(n, media::isButton1) || novo(n, media::isButton3)) l.socoRepet += kRepeatStep;
        if (novo(n, media::isButton2) || novo(n, media::isButton4)) l.chuteRepet += kRepeatStep;
    }
    const bool paused = m.pausaEspecial != 0 || m.golpePausa != 0;
    for (int n = 1; n <= 2; ++n) {
        Lutador& l = L(n);
        if (l.socoRepet > 0 && !paused) --l.socoRepet;
        if (l.chuteRepet > 0 && !paused) --l.chuteRepet;
        if (l.socoRepet > kRepeatMax) l.socoRepet = kRepeatMax;
        if (l.chuteRepet > kRepeatMax) l.chuteRepet = kRepeatMax;
    }
    // 10. Previous states.
    for (int n = 1; n <= 2; ++n) {
        const uint32_t s = estados(n);
        Lutador& l = L(n);
        l.botaoAnt = {static_cast<uint8_t>((s & media::isButton1) != 0),
                      static_cast<uint8_t>((s & media::isButton2) != 0),
                      static_cast<uint8_t>((s & media::isButton3) != 0),
                      static_cast<uint8_t>((s & media::isButton4) != 0)};
        l.direcaoAnt = {static_cast<uint8_t>((s & media::isUp) != 0),
                        static_cast<uint8_t>((s & media::isDown) != 0),
                        static_cast<uint8_t>((s & media::isLeft) != 0),
                        static_cast<uint8_t>((s & media::isRight) != 0)};
    }
}

// The game-speed gauge, shown for a while after the speed changes.
void TForm1::barraVelocidade() {
    MatchState& m = g.m;
    texto(200, 260, "VELOCIDAD ", 'c', 8, kWhite);
    barra(160, 278, 240, 280, kWhite);
    const int gx = 238 - Round(m.vel / 1.05);
    barra(gx, 275, gx + 2, 283, kGaugeMarker);
    --m.velocidadTempo;
}

void TForm1::linhaInferior() {
    MatchState& m = g.m;
    if (m.velocidadTempo > 0) barraVelocidade();
    texto(200, 285, "NIVEL-" + std::to_string(m.nivel), 'c', 10, kWhite);
    texto(300, 285, "CREDITOS ", '-', 10, kWhite);
    texto(395, 285, std::to_string(m.creditos), 'e', 10, kWhite);
    avisoDesafiante();
    texto(0, 280, m.versao.s, '-', 12, kWhite);
}

// The new-challenger notice: shown for a while after a player joins mid-fight, then the
// interrupted match is abandoned for the select screen.
void TForm1::avisoDesafiante() {
    MatchState& m = g.m;
    if (m.esperaTempo == 0) return;
    barraredonda(100, 100, 300, 170, 10, kWhite, media::kBlack);
    texto(200, 100, MemoTexto.Lines(10), 'c', 15, kChallengerText);
    texto(200, 120, MemoTexto.Lines(11), 'c', 15, kChallengerText);
    texto(200, 140, MemoTexto.Lines(12), 'c', 15, kChallengerText);
    --m.esperaTempo;
    if (m.esperaTempo == 0) {
        m.modoTela = tela::Selecao;
        m.faseSelecao = 1;
        m.tempo = 20;
        m.tempoSub = 30;
    }
}

}  // namespace pelea
