// The computer opponent: a side that no person drives fights by itself. It looks at the distance
// to the other fighter, at the other side's live projectiles and at whether the other fighter is
// attacking or in the air, and asks the dispatcher for what a person's input would.
#include <cstdlib>

#include "ai/cpu_regras.h"
#include "game/tform1.h"

namespace pelea {

namespace {

using namespace ia;

// "1 in N" at the game level of the tick.
struct Sorte {
    int nivel;
    int operator()(double base) const { return vezes(base, nivel); }
};

struct Ameaca {
    bool ha = false;
    int b = 0;  // distance to the live threatening effect in the highest-numbered slot
};

Ameaca procuraAmeaca(const TForm1& form, int n) {
    Ameaca a;
    const int x = form.g.lutador[static_cast<size_t>(n)].x;
    for (int i = 1; i <= kEffectSlots; ++i) {
        const Efeito& e = form.g.efeitos[static_cast<size_t>(i)];
        if (e.ativo == 1 && e.dono != n && e.tipo != 0) {
            a.ha = true;
            a.b = std::abs(x - e.x);
        }
    }
    return a;
}

void novaDistancia(TForm1& form, const Sorte& sorte, Lutador& l, int h) {
    if (form.Random(sorte(kNovaDistanciaChance)) == 0) {
        l.cpuValor = kDistanciaMinima + kDistanciaPasso * form.Random(kDistanciaOpcoes);
    }
    if (std::abs(h - l.cpuValor) <= kEncaixe) l.cpuValor = h;
}

// Towards the other fighter when farther than preferred, away when nearer.
void anda(TForm1& form, int n, int h) {
    const Lutador& l = form.L(n);
    const bool aproxima = h >= l.cpuValor;
    const bool paraDireita = (l.lado == 1) == aproxima;
    form.acao(n, paraDireita ? kAndaDireita : kAndaEsquerda);
}

void ataquesSimples(TForm1& form, const Sorte& sorte, int n, int h) {
    for (const AtaqueSimples& a : kAtaquesSimples) {
        if (h <= a.alcance && form.Random(sorte(a.chance)) == 0) form.acao(n, a.codigo);
    }
}

bool querPular(TForm1& form, const Sorte& sorte, const Lutador& l, const Ameaca& am) {
    if (l.pos != kPosEmPe && l.pos != kPosAndando) return false;
    if (am.ha && am.b <= kPuloAmeacaDistancia &&
        form.Random(sorte(kPuloAmeacaSorteio)) <= kPuloAmeacaMaximo) {
        return true;
    }
    return !am.ha && form.Random(sorte(kPuloChance)) == 0 && l.pulo == 0;
}

// The jump is written straight into the record, towards the facing side or, 1 in 4, straight up.
void pula(TForm1& form, Lutador& l) {
    l.grav = kPuloGrav;
    l.pulo = 1;
    l.pos = kPosNoAr;
    l.ciclo = 0;
    l.cicloFim = kSemFim;
    l.puloDir = l.lado == 1 ? kPuloParaDireita : kPuloParaEsquerda;
    if (form.Random(kPuloRetoChance) == 0) l.puloDir = kPuloReto;
}

void defende(TForm1& form, const Sorte& sorte, int n, const Ameaca& am, int h) {
    const bool atacando = form.L(3 - n).ataque == 1;
    for (const Defesa& d : kDefesas) {
        const bool vale = d.gatilho == Gatilho::Projetil ? am.ha && am.b <= d.distancia
                                                         : atacando && h <= d.distancia;
        if (vale && form.Random(sorte(d.sorteio)) <= d.maximo) form.acao(n, kDefesaEmPe);
    }
}

bool condicao(const RegraEspecial& r, const Lutador& l, const Lutador& o, const Ameaca& am, int h) {
    if (r.quando == ComAmeaca && !am.ha) return false;
    if (r.quando == SemAmeaca && am.ha) return false;
    const bool perto = r.medida == HMenor && h < r.limite;
    const bool longe = r.medida == HMaior && h > r.limite;
    const bool projetilLonge = r.medida == BMaior && am.b > r.limite;
    if (!perto && !longe && !projetilLonge) return false;
    if (r.extra == OutroNoAr) return o.y < kChaoY;
    if (r.extra == NoAlto) return l.y < kAltoY;
    return true;
}

void especiais(TForm1& form, const Sorte& sorte, int n, const Ameaca& am, int h) {
    for (const RegraEspecial& r : kRegrasEspeciais) {
        if (r.personagem != form.L(n).personagem) continue;
        if (!condicao(r, form.L(n), form.L(3 - n), am, h) || form.Random(sorte(r.chance)) != 0)
            continue;
        const int codigo = r.variantes > 1 ? r.codigo + form.Random(r.variantes) : r.codigo;
        form.acao(n, codigo);
    }
}

}  // namespace

// Every step that issues an action calls the dispatcher at once, so a later step sees the state
// the earlier ones left; the distance h is taken once, at the start of the tick. The game level
// sets every chance.
void TForm1::cpu(int n) {
    Lutador& l = L(n);
    const Sorte sorte{g.m.nivel};
    const int h = std::abs(l.x - L(3 - n).x);
    const Ameaca am = procuraAmeaca(*this, n);
    novaDistancia(*this, sorte, l, h);
    if (!am.ha) {
        anda(*this, n, h);
        ataquesSimples(*this, sorte, n, h);
    }
    if (querPular(*this, sorte, l, am)) pula(*this, l);
    defende(*this, sorte, n, am, h);
    especiais(*this, sorte, n, am, h);
}

// 10. Computer-driven fighters act unless the fight is paused, held or interrupted.
void TForm1::lutaCpu() {
    const MatchState& m = g.m;
    if (m.lutaParada != 0 || m.pausaEspecial != 0 || m.golpePausa != 0 || m.esperaTempo != 0) {
        return;
    }
    for (int n = 1; n <= 2; ++n) {
        if (L(n).humano == 0) cpu(n);
    }
}

}  // namespace pelea
