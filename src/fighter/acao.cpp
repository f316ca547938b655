// The action dispatcher: requests to a fighter, accepted or refused by its state.
#include <array>
#include <cstdint>

#include "fighter/acao_especiais.h"
#include "game/tform1.h"

namespace pelea {

namespace {

// When a common row accepts its code.
enum class Aceita : uint8_t {
    Estados,         // pos in the list
    EstadosNoChao,   // pos in the list and grav = 0
    EstadosSemPulo,  // pos in the list, grav = 0 and pulo = 0
    GravZero,        // grav = 0
    Sempre,          // always
    Guarda,          // pos in the list, or the last 3 ticks of getting up
};

// What a common row does beyond pos, cicloFim, gain and sound.
enum class Extra : uint8_t {
    Nada,
    AndaEsquerda,
    AndaDireita,
    Agacha,
    Derruba,
    Queda,
    Quique,
    Guarda,
    Vitoria,
};

struct Comum {
    uint8_t codigo;
    Aceita aceita;
    std::array<uint8_t, 5> de;  // 0 ends the list
    uint8_t pos;
    uint8_t cicloFim;
    uint8_t ganho;
    uint8_t som;  // 0: no sound
    Extra extra;
    uint8_t quadro;  // the block frame, set directly
};

constexpr uint8_t kSemFim = 99;
constexpr uint8_t kSndLeve = 5, kSndPesado = 6;

// The common codes, in their evaluation order.
constexpr Comum kComuns[] = {
    {1, Aceita::Estados, {1, 2}, 2, kSemFim, 0, 0, Extra::AndaEsquerda, 0},
    {2, Aceita::Estados, {1, 2}, 2, kSemFim, 0, 0, Extra::AndaDireita, 0},
    {3, Aceita::EstadosNoChao, {1, 2, 21}, 3, 6, 1, kSndLeve, Extra::Nada, 0},
    {4, Aceita::EstadosNoChao, {1, 2, 21}, 4, 6, 1, kSndLeve, Extra::Nada, 0},
    {5, Aceita::EstadosNoChao, {1, 2, 21}, 5, 11, 2, kSndPesado, Extra::Nada, 0},
    {6, Aceita::EstadosSemPulo, {1, 2, 21}, 6, 11, 2, kSndPesado, Extra::Nada, 0},
    {7, Aceita::Estados, {1, 2}, 7, kSemFim, 0, 0, Extra::Agacha, 0},
    {3, Aceita::Estados, {7, 22}, 8, 6, 1, kSndLeve, Extra::Nada, 0},
    {4, Aceita::Estados, {7, 22}, 9, 6, 1, kSndLeve, Extra::Nada, 0},
    {5, Aceita::Estados, {7, 22}, 10, 11, 2, kSndPesado, Extra::Nada, 0},
    {6, Aceita::Estados, {7, 22}, 11, 11, 2, kSndPesado, Extra::Derruba, 0},
    {3, Aceita::Estados, {12}, 13, 15, 1, kSndLeve, Extra::Nada, 0},
    {4, Aceita::Estados, {12}, 14, 15, 1, kSndLeve, Extra::Nada, 0},
    {5, Aceita::Estados, {12}, 15, 11, 2, kSndPesado, Extra::Nada, 0},
    {6, Aceita::Estados, {12}, 16, 11, 2, kSndPesado, Extra::Nada, 0},
    {8, Aceita::GravZero, {}, 17, 8, 0, 0, Extra::Nada, 0},
    {9, Aceita::GravZero, {}, 18, 8, 0, 0, Extra::Nada, 0},
    {10, Aceita::Sempre, {}, 19, 50, 0, 0, Extra::Queda, 0},
    {11, Aceita::Sempre, {}, 20, 25, 0, 0, Extra::Quique, 0},
    {12, Aceita::Guarda, {1, 2, 7, 21, 22}, 21, 16, 0, 0, Extra::Guarda, 31},
    {13, Aceita::Guarda, {1, 2, 7, 21, 22}, 22, 16, 0, 0, Extra::Guarda, 32},
    {14, Aceita::Estados, {1, 2, 7}, 23, 250, 0, 0, Extra::Vitoria, 0},
};

constexpr double kLimiteEspecial = 102.0;
constexpr int kBaseLutador2 = 50;
constexpr uint8_t kPosLevantando = 20;
constexpr int kUltimosTicksLevantando = 3;  // a fighter getting up may block this near the end
constexpr int8_t kImpulsoQueda = -19;
constexpr int8_t kImpulsoQuique = -13;
constexpr uint8_t kPosAndando = 2;
constexpr uint8_t kFimPasso = 16;  // the walk cycle wraps above this
constexpr uint8_t kPersonagemQueVira = 12;
constexpr int kMeioTela = 200;

bool listada(const std::array<uint8_t, 5>& de, uint8_t pos) {
    for (uint8_t d : de) {
        if (d == 0) break;
        if (d == pos) return true;
    }
    return false;
}

bool aceita(const Comum& r, const Lutador& l) {
    switch (r.aceita) {
        case Aceita::Estados:
            return listada(r.de, l.pos);
        case Aceita::EstadosNoChao:
            return listada(r.de, l.pos) && l.grav == 0;
        case Aceita::EstadosSemPulo:
            return listada(r.de, l.pos) && l.grav == 0 && l.pulo == 0;
        case Aceita::GravZero:
            return l.grav == 0;
        case Aceita::Sempre:
            return true;
        case Aceita::Guarda:
            return listada(r.de, l.pos) ||
                   (l.pos == kPosLevantando && l.ciclo >= l.cicloFim - kUltimosTicksLevantando);
    }
    return false;
}

void anda(TForm1& f, int n, int sinal) {
    Lutador& l = f.L(n);
    f.mover(n, sinal * l.velocidade);
    // Walking toward the way the fighter faces is walking forward.
    const uint8_t frente = sinal < 0 ? 2 : 1;
    l.andaFrente = l.lado == frente ? 1 : 0;
}

void extra(TForm1& f, int n, const Comum& r) {
    Lutador& l = f.L(n);
    switch (r.extra) {
        case Extra::Nada:
        case Extra::Agacha:
            break;
        case Extra::AndaEsquerda:
            anda(f, n, -1);
            break;
        case Extra::AndaDireita:
            anda(f, n, +1);
            break;
        case Extra::Derruba:
            l.derruba = 1;
            break;
        case Extra::Queda:
            l.grav = kImpulsoQueda;
            l.pulo = 1;
            l.puloDir = 0;
            l.invencivel = 1;
            l.ataque = 0;
            break;
        case Extra::Quique:
            l.grav = kImpulsoQuique;
            l.pulo = 1;
            l.invencivel = 1;
            break;
        case Extra::Guarda:
            l.invencivel = 0;
            l.defesa = 1;
            l.desenho = static_cast<uint8_t>((n == 2 ? kBaseLutador2 : 0) + r.quadro);
            break;
        case Extra::Vitoria:
            if (l.personagem == kPersonagemQueVira) l.lado = l.x - f.g.m.telaX < kMeioTela ? 1 : 2;
            break;
    }
}

void aplica(TForm1& f, int n, const Comum& r) {
    Lutador& l = f.L(n);
    extra(f, n, r);
    l.pos = r.pos;
    l.cicloFim = r.cicloFim;
    // Walking and crouching keep their cycle running.
    const bool mantemCiclo =
        r.extra == Extra::AndaEsquerda || r.extra == Extra::AndaDireita || r.extra == Extra::Agacha;
    if (!mantemCiclo) l.ciclo = 0;
    if (r.ganho > 0 && l.especial < kLimiteEspecial) l.especial += r.ganho * f.g.m.ganhoEspecial;
    if (r.som != 0) f.DXWaveListSnd.Play(r.som);
}

bool comum(TForm1& f, int n, int codigo) {
    for (const Comum& r : kComuns) {
        if (r.codigo != codigo || !aceita(r, f.L(n))) continue;
        aplica(f, n, r);
        return true;
    }
    return false;
}

}  // namespace

void TForm1::acao(int n, int codigo) {
    Lutador& l = L(n);
    l.defesa = 0;  // every request drops the guard, accepted or not
    if (!comum(*this, n, codigo)) especial::acao(*this, n, codigo);
    // The walk cycle advances once per call that leaves the fighter walking.
    if (l.pos == kPosAndando) {
        ++l.ciclo;
        if (l.ciclo > kFimPasso) l.ciclo = 0;
    }
}

}  // namespace pelea
