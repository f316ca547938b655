// The first screen: window or full screen.
#include "game/tform1.h"

namespace pelea {

namespace {

constexpr TColor kGrey = media::rgb(120, 120, 120);
constexpr TColor kWhite = media::kWhite;
constexpr int kIconUp = 0;
constexpr int kIconDown = 1;
constexpr int kFullScreenLeft = 5;

}  // namespace

void TForm1::telaTitulo() {
    MatchState& m = g.m;
    media::Surface& s = DXDraw1.Surface;
    s.fill(media::kBlack);
    m.deslizeSelecao = 0;
    texto(200, 130, "400x300", 'c', 10, kGrey);
    texto(200, 150, "FULLSCREEN", 'c', 10, kGrey);
    if (m.itemMenu == 1) texto(200, 130, "400x300", 'c', 10, kWhite);
    if (m.itemMenu == 2) texto(200, 150, "FULLSCREEN", 'c', 10, kWhite);
    if (DXImageListIcone.has(kIconUp)) DXImageListIcone.Items(kIconUp).Draw(s, 150, 220, 0);
    if (DXImageListIcone.has(kIconDown)) DXImageListIcone.Items(kIconDown).Draw(s, 165, 220, 0);
    texto(200, 220, "      - ELIGE PAN", 'c', 7, kWhite);
    texto(200, 230, "Z - CONFIRMA", 'c', 7, kWhite);

    DXInput1.Update();
    const uint32_t st = DXInput1.States();
    if (st & media::isUp) m.itemMenu = 1;
    if (st & media::isDown) m.itemMenu = 2;
    if (st & media::isButton1) {
        if (m.itemMenu == 2) {
            DXDraw1.fullScreen = true;
            plataforma.initDisplay(true);
            DXDraw1.Left = kFullScreenLeft;
        }
        m.modoTela = tela::Selecao;
    }
}

}  // namespace pelea
