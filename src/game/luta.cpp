// The fight frame: twenty steps in a fixed order. Each step is a method of its own so the
// subsystems that fill them in (fighters, effects, display, rules) slot in without reordering.
#include "game/tform1.h"

namespace pelea {

namespace {

constexpr int kPauseTile = 7;
constexpr int kTileSize = 100;
constexpr int kTileColumns = 6;
constexpr int kTileRows = 5;
constexpr uint8_t kPiscaLuta = 30;

}  // namespace

void TForm1::telaLuta() {
    lutaMusica();
    lutaFundoEspecial();
    lutaCamera();
    lutaTremor();
    lutaLimitesTela();
    lutaCenario();
    lutaPainelSuperior();
    lutaEntradaJogador();
    lutaSequencias();
    lutaCpu();
    lutaObjetosCenario();
    lutaDesenhaLutadores();
    lutaDefesas();
    lutaEfeitos();
    lutaPainelInferior();
    lutaRegrasRound();
    lutaGolpes();
    lutaPausaGolpe();
    lutaFisica();
    lutaPisca();
}

// 1. The track loaded for this match starts on its first fight frame and loops.
void TForm1::lutaMusica() {
    MatchState& m = g.m;
    if (m.musicaCarregada == 1 && m.musicaPendente == 1) {
        DXWaveListMusica.Play(0);
        m.musicaPendente = 0;
    }
}

// 2. During a super move's pause the stage is replaced by a jerking grid of tiles.
void TForm1::lutaFundoEspecial() {
    MatchState& m = g.m;
    if (m.pausaEspecial == 0) return;
    --m.pausaEspecial;
    const int p = m.pausaEspecial;
    int o = 0;
    if (p % 2 == 0) o = 20;
    if (p % 3 == 0) o = 40;
    if (p % 4 == 0) o = 60;
    if (p % 5 == 0) o = 80;
    if (!DXImageListIcone.has(kPauseTile)) return;
    const media::ImageItem& tile = DXImageListIcone.Items(kPauseTile);
    for (int i = 0; i < kTileColumns; ++i) {
        for (int j = 0; j < kTileRows; ++j) {
            tile.Draw(DXDraw1.Surface, kTileSize * i + o - 80, kTileSize * j, 0);
        }
    }
}

// 6. The stage, or black when no stage picture was ever loaded.
void TForm1::lutaCenario() {
    const MatchState& m = g.m;
    if (m.pausaEspecial != 0) return;
    const media::ImageItem& fundo = DXImageListCenario.Items(0);
    if (fundo.empty()) {
        DXDraw1.Surface.fill(media::kBlack);
    } else {
        fundo.Draw(DXDraw1.Surface, -m.telaX, -m.telaY, 0);
    }
}

// 18. The hit-stop counts down.
void TForm1::lutaPausaGolpe() {
    if (g.m.golpePausa > 0) --g.m.golpePausa;
}

// 20. The blink phase, standing still while the fight is paused.
void TForm1::lutaPisca() {
    MatchState& m = g.m;
    if (m.pausaEspecial != 0 || m.golpePausa != 0) return;
    ++m.pisca;
    if (m.pisca > kPiscaLuta) m.pisca = 0;
}

}  // namespace pelea
