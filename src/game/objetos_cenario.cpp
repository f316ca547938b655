// The two stage events: a flying object that crosses the sky of stages 1 and 2 and drops food,
// and the breakable table of stage 2.
#include "game/tform1.h"

namespace pelea {

namespace {

constexpr int kShadow = 0;
constexpr int kFlyer = 9;
constexpr int kShadowAlpha = 120;
constexpr int kFlyerSpeed = 7;
constexpr int kFlyerStartY = 145;
constexpr int kDropChance = 5;
constexpr int kSmallFood = 3;
constexpr int kLargeFood = 4;
constexpr int kDebris = 31;
constexpr int kDebrisCount = 30;
constexpr uint8_t kThrown = 19;
constexpr int kBreakSounds[] = {9, 10, 12};

}  // namespace

void TForm1::lutaObjetosCenario() {
    objetoVoador();
    objetoQuebravel();
}

void TForm1::objetoVoador() {
    MatchState& m = g.m;
    const bool paused = m.pausaEspecial != 0 || m.golpePausa != 0;
    const bool stageHasFlyer = m.numCenario == 1 || (m.numCenario == 2 && m.lutaParada == 0);
    if (stageHasFlyer && m.voadorAtivo == 0 && m.telaX > 50 && m.telaX < 150 &&
        Random(m.voadorChance) == 0) {
        m.voadorX = m.telaX - 80;
        m.voadorY = kFlyerStartY;
        m.voadorVelocidade = kFlyerSpeed;
        m.voadorCarga = static_cast<uint8_t>(Random(2) + 1);
        m.voadorAtivo = 1;
    }
    if (m.voadorAtivo == 0) return;

    const int sx = m.voadorX - m.telaX;
    const int sy = m.voadorY - m.telaY;
    if (DXImageListEfectos.has(kShadow)) {
        DXImageListEfectos.Items(kShadow).DrawBlended(
            DXDraw1.Surface, {sx + 10, sy + 125, sx + 60, sy + 135}, 0, kShadowAlpha);
    }
    if (DXImageListEfectos.has(kFlyer))
        DXImageListEfectos.Items(kFlyer).Draw(DXDraw1.Surface, sx, sy, 0);
    if (!paused) m.voadorX += m.voadorVelocidade;
    if (m.voadorX > m.telaX + 420) m.voadorAtivo = 0;

    // It lets go of its food once, somewhere over the middle of the view.
    if (m.voadorCarga != 0 && m.voadorX > m.telaX + 150 && m.voadorX < m.telaX + 250 &&
        Random(kDropChance) == 0 && !paused && m.lutaParada == 0) {
        criaefeito(m.voadorX + 13, m.voadorY - 5, m.voadorCarga == 1 ? kSmallFood : kLargeFood, "",
                   0);
        m.voadorCarga = 0;
    }
}

void TForm1::objetoQuebravel() {
    MatchState& m = g.m;
    if (m.mesaIcone != 0 && m.pausaEspecial == 0 && DXImageListIcone.has(m.mesaIcone)) {
        DXImageListIcone.Items(m.mesaIcone)
            .Draw(DXDraw1.Surface, m.mesaX - m.telaX, m.mesaY - m.telaY, 0);
    }
    for (int n = 1; n <= 2; ++n) {
        const Lutador& l = L(n);
        const Area& a = l.areaContato;
        const int left = l.x + a.x1, top = l.y - l.altura + a.y1;
        const int right = l.x + a.x2, bottom = l.y - l.altura + a.y2;
        const bool touches = left <= m.mesaX + m.mesaLargura && top <= m.mesaY + m.mesaAltura &&
                             right >= m.mesaX + m.mesaMargemX && bottom >= m.mesaY + m.mesaMargemY;
        if (l.pos == kThrown && touches && m.mesaIcone != 0) {
            m.mesaIcone = 0;
            for (int snd : kBreakSounds) {
                for (int k = 0; k < 3; ++k)
                    DXWaveListSnd.Play(snd);
            }
            for (int k = 0; k < kDebrisCount; ++k)
                criaefeito(m.mesaX + 40, m.mesaY + 40, kDebris, "", 0);
        }
    }
}

}  // namespace pelea
