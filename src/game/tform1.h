// The game object. It owns the game state and every media component; its methods are declared
// here and defined in the folder of their subsystem.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "game/state.h"
#include "game/texts.h"
#include "media/canvas.h"
#include "media/color.h"
#include "media/image_list.h"
#include "media/input.h"
#include "media/picture.h"
#include "media/sound.h"
#include "media/surface.h"
#include "media/text.h"
#include "media/timer.h"
#include "platform/platform.h"

namespace pelea {

using media::TColor;

// Virtual-key codes the key handler knows.
namespace vk {
constexpr int Escape = 27, LeftWin = 91, Minus = 189, Equals = 187, Comma = 188, Period = 190,
              P = 80, F1 = 112, Digit1 = 49, Digit2 = 50, Digit5 = 53;
}

// Screen modes.
namespace tela {
constexpr uint8_t Titulo = 0, Config = 2, Selecao = 3, Luta = 5;
}

struct StartOptions {
    bool seeded = false;  // seed the generator with `seed` instead of the clock
    uint64_t seed = 0;
    bool demo = false;  // fighter 1 starts computer-driven too
};

// The display control: the surface, its canvas and where it sits inside the window.
struct DXDraw {
    media::Surface Surface;
    int Left = 0;  // left edge inside the form, −40 … 40 through the comma/period keys
    bool fullScreen = false;
};

class TForm1 {
public:
    TForm1(platform::Platform& platform, const StartOptions& options);
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    // --- handlers
    void FormCreate();
    void FormKeyDown(int virtualKey);
    void FormClose();
    void DXTimer1Timer();
    bool terminated() const { return terminated_; }

    // Blind and mute frames: no pixels, no sound, the same logic.
    void setBlindMute(bool on);

    // --- state
    GameState g;
    Lutador& L(int n) { return g.lutador[static_cast<size_t>(n)]; }

    // --- media components
    platform::Platform& plataforma;
    DXDraw DXDraw1;
    media::TextRenderer fonte;
    media::Canvas Canvas;
    media::DXTimer DXTimer1;
    media::DXInput DXInput1;
    media::DXSound DXSound1;
    media::ImageList DXImageListEfectos, DXImageListIcone, DXImageListCenario, DXImageListRetrato,
        DXImageListLutador, DXImageListLutadorInvert;
    media::WaveList DXWaveListSnd, DXWaveListVitoria, DXWaveListMusica;
    media::Picture ImageLutador, ImageRetrato, ImageRetratoInvert;

    // --- shared helpers
    int Random(int n);           // uniform 0 … n − 1 from the generator in the state record
    static int Round(double v);  // nearest integer, halves to the even neighbour

    // --- drawing primitives
    void retangulo(int x1, int y1, int x2, int y2, TColor cor);
    void barra(int x1, int y1, int x2, int y2, TColor cor);
    void barraredonda(int x1, int y1, int x2, int y2, int canto, TColor borda, TColor fundo);
    void circulo(int x1, int y1, int x2, int y2, TColor cor);
    void circulopintado(int x1, int y1, int x2, int y2, TColor borda, TColor fundo);
    void texto(int x, int y, std::string_view s, char alinhamento, int tamanho, TColor cor);

    // --- state resets and loaders
    void zerardados(int n);
    void carregarosto(const std::string& arquivo, int variante);
    void carregarcenario(const std::string& arquivo);
    void carregarmusica(int k);
    void carregar(const std::string& arquivo, int personagem, int n);  // sprite sheet

    // --- screens
    void telaTitulo();
    void telaConfig();
    void telaSelecao();
    void escolha(int d, int e);  // the select screen while the players choose
    void mostralista(int n);     // the move list of fighter n's character on the select screen
    void mostrasequencia(int x, int y, std::string_view label, std::string_view code);
    void telaLuta();
    void barraVelocidade();
    void linhaInferior();
    void avisoDesafiante();
    void iniciarLuta();

    // --- fight frame steps, in the order they run
    void lutaMusica();
    void lutaFundoEspecial();
    void lutaCamera();
    void lutaTremor();
    void lutaLimitesTela();
    void lutaCenario();
    void lutaPainelSuperior();
    void lutaEntradaJogador();
    void lutaSequencias();
    void lutaCpu();
    void lutaObjetosCenario();
    void lutaDesenhaLutadores();
    void lutaDefesas();
    void lutaEfeitos();
    void lutaPainelInferior();
    void lutaRegrasRound();
    void lutaGolpes();
    void lutaPausaGolpe();
    void lutaFisica();
    void lutaPisca();

    // --- fight display, round rules and stage objects
    void painelSuperior(int n);
    void painelInferior(int n);
    void relogioRound();
    void tempoEsgotado();
    void inicioDoRound();
    void fimDoRound();
    void vencedorRound(int n, int e, bool avancou);
    void vencedorPartida(int n, int e, bool avancou);
    void cortina(int p);
    void objetoVoador();
    void objetoQuebravel();

    // --- sprite sheets, animation tables, fighter drawing and camera
    void copiabmp(int item, int left, int top, int right, int bottom);
    void definedesenho(int n);
    void defineareacontato(int n, int desenho, int x1, int y1, int x2, int y2);
    void defineareaataque(int n, int pos, int ciclo, int x1, int y1, int x2, int y2, int ataque,
                          int t, int f, int fDefesa);
    int meio(int n);
    void desenhalutador(int n);

    // --- fighter control: input, recognisers, actions, movement and blows
    bool seta(int n, std::string_view nome);
    void sequencia(int n, int de, int para);
    void sequenciagolpe(int n);
    void golpe(int n, int tipo);
    void entradaJogador(int n);    // a person-driven fighter's requests for this tick
    void pedidosDefesa(int n);     // block requests of fighter n
    void acao(int n, int codigo);  // action request to fighter n
    void mover(int n, int dx);
    void cicloEstado(int n);   // the cycle and end-of-state step
    void fisica(int n);        // jump, drift, knock-down flight, get-up, landing, view bounds
    void resolveGolpe(int n);  // fighter n's attack against the other

    // --- effects
    void criaefeito(int x, int y, int tipo, std::string_view variante, int dono);
    void contatoefeito(int slot, int x1, int y1, int x2, int y2);
    void desenhaefeitos();

    // --- the computer opponent
    void cpu(int n);

    // --- input helpers
    uint32_t estados(int n) const;            // fighter n's device set (1 keyboard, 2 joystick)
    bool novo(int n, uint32_t estado) const;  // a new press: set now, clear last frame

private:
    bool terminated_ = false;
    StartOptions options_;
    std::string retratoLido_;  // the portrait file the last carregarosto read
};

}  // namespace pelea
