// The game object: construction, start-up, shut-down and the shared helpers.
#include "game/tform1.h"

#include <chrono>
#include <cmath>
#include <string>

#include "media/catalogue.h"

namespace pelea {

namespace {

constexpr int kFighterListItems = 100;

}  // namespace

TForm1::TForm1(platform::Platform& platform, const StartOptions& options)
    : plataforma(platform),
      Canvas(DXDraw1.Surface, fonte),
      DXInput1(platform),
      DXSound1(platform.audio()),
      DXWaveListSnd("Snd", DXSound1),
      DXWaveListVitoria("Vitoria", DXSound1),
      DXWaveListMusica("Musica", DXSound1),
      options_(options) {}

int TForm1::Random(int n) {
    if (n <= 0) return 0;
    // PCG-style step: a 64-bit LCG whose high bits are mixed into a 32-bit output.
    g.rng = g.rng * 6364136223846793005ULL + 1442695040888963407ULL;
    const uint64_t s = g.rng;
    const auto xorshifted = static_cast<uint32_t>(((s >> 18U) ^ s) >> 27U);
    const auto rot = static_cast<uint32_t>(s >> 59U);
    const uint32_t out = (xorshifted >> rot) | (xorshifted << ((32U - rot) & 31U));
    return static_cast<int>((static_cast<uint64_t>(out) * static_cast<uint64_t>(n)) >> 32U);
}

int TForm1::Round(double v) {
    return static_cast<int>(std::nearbyint(v));
}

void TForm1::setBlindMute(bool on) {
    DXDraw1.Surface.blind = on;
    DXSound1.mute = on;
}

uint32_t TForm1::estados(int n) const {
    return n == 1 ? DXInput1.Keyboard() : DXInput1.Joystick();
}

bool TForm1::novo(int n, uint32_t estado) const {
    const Lutador& l = g.lutador[static_cast<size_t>(n)];
    bool antes = false;
    switch (estado) {
        case media::isUp:
            antes = l.direcaoAnt[0] != 0;
            break;
        case media::isDown:
            antes = l.direcaoAnt[1] != 0;
            break;
        case media::isLeft:
            antes = l.direcaoAnt[2] != 0;
            break;
        case media::isRight:
            antes = l.direcaoAnt[3] != 0;
            break;
        case media::isButton1:
            antes = l.botaoAnt[0] != 0;
            break;
        case media::isButton2:
            antes = l.botaoAnt[1] != 0;
            break;
        case media::isButton3:
            antes = l.botaoAnt[2] != 0;
            break;
        case media::isButton4:
            antes = l.botaoAnt[3] != 0;
            break;
        default:
            return false;
    }
    return (estados(n) & estado) != 0 && !antes;
}

// Prepares fighter n for a round and resets the shared round state.
void TForm1::zerardados(int n) {
    Lutador& l = L(n);
    l.y = 300;
    l.hp = 125.0;
    l.hpBarra = 125.0;
    l.pos = 1;
    l.grav = 0;
    l.invencivel = 0;
    l.hits = 0;
    l.hitsTempo = 0;
    l.ataque = 0;
    l.velocidade = 8;
    l.hpBarraEspera = 0.0;
    l.pulo = 0;

    // Both fighters are placed from the camera as it was before this call.
    L(1).x = g.m.telaX + 100;
    L(2).x = g.m.telaX + 300;
    L(1).lado = 1;
    L(2).lado = 2;
    L(1).naFrente = 1;
    L(2).naFrente = 0;

    g.m.telaX = 100;
    g.m.hudTopoY = 0;
    g.m.hudBaseY = 0;
    g.m.primeiroGolpe = 0;

    for (int i = 1; i <= kEffectSlots; ++i)
        g.efeitos[static_cast<size_t>(i)].tipo = 0;
}

void TForm1::FormCreate() {
    // 1. The generator: from the clock unless a seed was given.
    uint64_t seed = options_.seed;
    if (!options_.seeded) {
        seed = static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    }
    g = GameState{};
    g.rng = seed;

    // 2. The match variables take their initial values (the record's defaults).
    for (int n = 1; n <= 2; ++n) {
        L(n).especial = 0.0;
        L(n).estoque = 0;
        L(n).roundsGanhos = 0;
    }
    L(1).personagem = 1;
    L(2).personagem = 2;
    L(1).humano = options_.demo ? 0 : 1;
    L(1).escolhido = 0;
    L(2).humano = 0;
    L(2).escolhido = 1;
    zerardados(1);
    zerardados(2);
    L(1).pontos = 0;
    L(2).pontos = 0;
    // A demo plays by itself from the select screen on, in the window.
    if (options_.demo) g.m.modoTela = tela::Selecao;

    // Built-in pictures and sounds.
    media::criarCatalogo(DXImageListEfectos, DXImageListIcone, DXWaveListSnd, DXWaveListVitoria);
    DXImageListCenario.Add();
    DXWaveListMusica.Add().Looped = true;

    // 3. The window.
    DXDraw1.Left = 0;
    DXDraw1.fullScreen = false;
    plataforma.initDisplay(false);

    // 4. The 36 portraits, three per character.
    DXTimer1.Enabled = false;
    for (int c = 1; c <= 12; ++c) {
        const std::string num = (c < 10 ? "0" : "") + std::to_string(c);
        carregarosto("R" + num + "-a.bmp", 1);
        carregarosto("R" + num + "-a.bmp", 2);
        carregarosto("R" + num + "-b.bmp", 1);
    }
    DXTimer1.Enabled = true;

    // 5. Room for both fighters' frames.
    for (int i = 0; i < kFighterListItems; ++i) {
        DXImageListLutador.Add();
        DXImageListLutadorInvert.Add();
    }

    // 6. The first music track.
    carregarmusica(1);
}

void TForm1::FormClose() {
    terminated_ = true;
    DXSound1.Finalize();
    if (DXWaveListMusica.Count() > 0) DXWaveListMusica.Items(0).data = media::SoundData{};
    DXImageListRetrato.Clear();
    DXImageListLutador.Clear();
    DXImageListLutadorInvert.Clear();
}

}  // namespace pelea
