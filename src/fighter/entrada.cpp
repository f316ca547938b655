// Direction and command input: device states turned into requests, and the command-sequence
// recognisers.
#include <array>

#include "fighter/comandos_leitura.h"
#include "game/tform1.h"

namespace pelea {

namespace {

using namespace comandos;

constexpr int kChao = 300;
constexpr uint8_t kLadoDireita = 1, kLadoEsquerda = 2;

// Action codes sent by the person-input step.
constexpr int kAndaEsquerda = 1, kAndaDireita = 2, kAgachar = 7;
constexpr uint8_t kPosEmPe = 1, kPosAndando = 2, kPosAgachado = 7, kPosNoAr = 12;
constexpr uint8_t kPosDefesaEmPe = 21, kPosDefesaAgachado = 22;

// A jump: impulse, state and drift (1 straight, 2 left, 3 right).
constexpr int8_t kImpulsoPulo = -32;
constexpr uint8_t kCicloSemFim = 99;
constexpr uint8_t kPuloReto = 1, kPuloEsquerda = 2, kPuloDireita = 3;

// Buttons 1 … 4: the device bit, and the plain attack a new press sends.
struct Tecla {
    uint32_t bit;
    int ataque;
};
constexpr std::array<Tecla, 4> kBotoes{{
    {media::isButton1, 3},
    {media::isButton2, 4},
    {media::isButton3, 5},
    {media::isButton4, 6},
}};

static_assert([] {
    for (const auto& mapa : kEspeciais) {
        if (mapa.size() > Codigos{}.codigo.size()) return false;
    }
    return true;
}());

bool podePular(const Lutador& l) {
    const bool pos = l.pos == kPosEmPe || l.pos == kPosAndando || l.pos == kPosDefesaEmPe ||
                     l.pos == kPosDefesaAgachado;
    return pos && l.grav == 0 && l.pulo == 0;
}

void iniciaPulo(Lutador& l, uint32_t s) {
    l.grav = kImpulsoPulo;
    l.pulo = 1;
    l.pos = kPosNoAr;
    l.ciclo = 0;
    l.cicloFim = kCicloSemFim;
    l.puloDir = kPuloReto;
    if ((s & media::isLeft) != 0) l.puloDir = kPuloEsquerda;
    if ((s & media::isRight) != 0) l.puloDir = kPuloDireita;
}

}  // namespace

bool TForm1::seta(int n, std::string_view nome) {
    if (n != 1 && n != 2) return false;
    const uint32_t s = estados(n);
    const uint8_t lado = L(n).lado;
    const bool esquerda = (s & media::isLeft) != 0;
    const bool direita = (s & media::isRight) != 0;
    if (nome == "BAIXO") return (s & media::isDown) != 0;
    if (nome == "CIMA") return (s & media::isUp) != 0;
    if (nome == "FRENTE") {
        return (direita && lado == kLadoDireita) || (esquerda && lado == kLadoEsquerda);
    }
    if (nome == "TRAS") {
        return (esquerda && lado == kLadoDireita) || (direita && lado == kLadoEsquerda);
    }
    return false;
}

void TForm1::sequencia(int n, int de, int para) {
    Lutador& l = L(n);
    if (l.sequencia != de) return;
    l.sequencia = static_cast<uint8_t>(para);
    l.seqTempo = kJanelaSequencia;
}

void TForm1::sequenciagolpe(int n) {
    Lutador& l = L(n);
    const Alavanca a{seta(n, "BAIXO"), seta(n, "CIMA"), seta(n, "FRENTE"), seta(n, "TRAS")};
    l.agacharTemp = tempoSegura(l.agacharTemp, a.baixo);
    l.trasTemp = tempoSegura(l.trasTemp, a.tras);
    if (l.personagem >= 1 && l.personagem <= kPersonagens) {
        const Contexto c{l.agacharTemp, l.trasTemp, l.y == kChao};
        for (const Transicao& t : kTransicoes[l.personagem]) {
            if (transicaoVale(t, a, c)) sequencia(n, t.de, t.para);
        }
    }
    if (l.seqTempo != 0 && g.m.pausaEspecial == 0 && g.m.golpePausa == 0) {
        --l.seqTempo;
        if (l.seqTempo == 0) l.sequencia = 0;
    }
}

// Each line is checked against the fighter as the previous dispatches left it.
void TForm1::golpe(int n, int tipo) {
    if (g.m.pausaEspecial != 0) return;
    const int personagem = L(n).personagem;
    if (personagem < 1 || personagem > kPersonagens) return;
    for (const Especial& e : kEspeciais[static_cast<size_t>(personagem)]) {
        const Lutador& l = L(n);
        const Leitura agora{l.sequencia, l.grav != 0, l.socoRepet, l.chuteRepet};
        if (especialVale(e, tipo, agora)) acao(n, codigoEspecial(e, tipo));
    }
}

void TForm1::entradaJogador(int n) {
    const uint32_t s = estados(n);
    const bool baixo = (s & media::isDown) != 0;
    const bool esquerda = (s & media::isLeft) != 0;
    const bool direita = (s & media::isRight) != 0;
    if (!baixo && esquerda) acao(n, kAndaEsquerda);
    if (!baixo && direita) acao(n, kAndaDireita);
    if (baixo) acao(n, kAgachar);
    if (!baixo && L(n).pos == kPosAgachado) L(n).pos = kPosEmPe;
    if ((s & media::isUp) != 0 && podePular(L(n))) iniciaPulo(L(n), s);
    if (!esquerda && !direita && L(n).pos == kPosAndando) {
        L(n).pos = kPosEmPe;
        L(n).ciclo = 0;
    }
    for (size_t b = 0; b < kBotoes.size(); ++b) {
        if ((s & kBotoes[b].bit) != 0) golpe(n, static_cast<int>(b) + 1);
    }
    for (const Tecla& b : kBotoes) {
        if (novo(n, b.bit)) acao(n, b.ataque);
    }
}

// 8. The devices are read every fight frame, then each person-driven fighter's requests.
void TForm1::lutaEntradaJogador() {
    DXInput1.Update();
    const MatchState& m = g.m;
    if (m.pausaEspecial != 0 || m.golpePausa != 0 || m.esperaTempo != 0 || m.lutaParada != 0) {
        return;
    }
    for (int n = 1; n <= 2; ++n) {
        if (L(n).humano == 1) entradaJogador(n);
    }
}

// 9. Command-sequence recognisers of both fighters.
void TForm1::lutaSequencias() {
    sequenciagolpe(1);
    sequenciagolpe(2);
}

}  // namespace pelea
