// Character 1's section of the animation tables: its victory pose, its special moves and its
// contact and attack tables.
#include "animation/roteiro.h"

namespace pelea::animacao {
namespace {

// 23: the victory pose flings the hat at ciclo 15.
constexpr int kVitoriaFim = 15;
constexpr int kChapeuDireita = 6, kChapeuEsquerda = 7;

// 25: the projectile leaves the hand at ciclo 10.
constexpr int kDisparo = 10;
constexpr int kProjetilDireita = 8, kProjetilEsquerda = 9;
constexpr int kSomProjetil = 14;

// 26: the dash; the flame follows once ciclo passes 8.
constexpr int kSomInvestida = 15;
constexpr int kChamaDepois = 8;
constexpr int kChamaDireita = 22, kChamaEsquerda = 23;

// 27: the rising spin.
constexpr int kSomGiro = 16;
constexpr int kGiroSobe = 10, kGiroAvanca = 5, kGiroPulo = 20;

// 28: the sliding kick.
constexpr int kSomRasteira = 17;
constexpr int kRasteiraDerruba = 11;

// 29: the super projectile.
constexpr int kSomSuper = 18;
constexpr int kProjetilSuper = 10;

void vitoria(TForm1& g, int n) {
    Lutador& l = g.L(n);
    if (l.ciclo < kVitoriaFim) desenha(g, n, 33);
    if (l.ciclo != kVitoriaFim) return;
    desenha(g, n, 34);
    if (l.lado == 1)
        g.criaefeito(l.x + 30, l.y - 135, kChapeuDireita, "", kSemDono);
    else
        g.criaefeito(l.x - 50, l.y - 135, kChapeuEsquerda, "", kSemDono);
}

void projetil(TForm1& g, int n) {
    Lutador& l = g.L(n);
    if (l.ciclo == 0) desenha(g, n, 35);
    if (l.ciclo == 5) desenha(g, n, 36);
    if (l.ciclo != kDisparo) return;
    desenha(g, n, 37);
    if (l.lado == 1)
        g.criaefeito(l.x, l.y - 55, kProjetilDireita, variante(l.t), n);
    else
        g.criaefeito(l.x - 60, l.y - 55, kProjetilEsquerda, variante(l.t), n);
    g.DXWaveListSnd.Play(kSomProjetil);
}

void investida(TForm1& g, int n) {
    Lutador& l = g.L(n);
    if (l.ciclo == 0) {
        g.DXWaveListSnd.Play(kSomInvestida);
        desenha(g, n, 38);
    }
    const bool leve = l.t == kLeve;
    if (l.ciclo == (leve ? 6 : 10)) desenha(g, n, 39);
    if (l.ciclo == (leve ? 12 : 19)) desenha(g, n, 40);
    if (mostrando(g, n, 39)) avanca(g, n, leve ? 19 : 21);
    for (int i = 0; i < 3; ++i) {
        const int px = l.x - 30 + g.Random(40);
        const int py = l.y - 10 - g.Random(10);
        g.criaefeito(px, py, kTipoPoeira, "", kSemDono);
    }
    if (l.ciclo > kChamaDepois) {
        if (l.lado == 1)
            g.criaefeito(l.x + 50, l.y - 107, kChamaDireita, "", kSemDono);
        else
            g.criaefeito(l.x - 100, l.y - 107, kChamaEsquerda, "", kSemDono);
    }
    l.derruba = 1;
}

void giro(TForm1& g, int n) {
    Lutador& l = g.L(n);
    Lutador& o = g.L(3 - n);
    // The spin may hit again after each connection, until the fourth hit or ciclo 8.
    if (l.hits != 0) o.invencivel = 0;
    if (l.hits > 3) o.invencivel = 1;
    if (l.ciclo > 7) o.invencivel = 1;
    if (l.ciclo == 0) g.DXWaveListSnd.Play(kSomGiro);
    if (l.ciclo % 3 == 0) desenha(g, n, mostrando(g, n, 41) ? 42 : 41);
    l.y -= kGiroSobe;
    avanca(g, n, kGiroAvanca);
    if (l.ciclo == kGiroPulo) l.pulo = 1;
    l.derruba = 1;
}

void rasteira(TForm1& g, int n) {
    Lutador& l = g.L(n);
    if (l.ciclo == 0) {
        g.DXWaveListSnd.Play(kSomRasteira);
        desenha(g, n, 43);
    }
    const bool leve = l.t == kLeve;
    if (l.ciclo == (leve ? 5 : 6)) desenha(g, n, 44);
    if (l.ciclo == (leve ? 12 : 15)) desenha(g, n, 45);
    if (mostrando(g, n, 44)) avanca(g, n, leve ? 17 : 21);
    if (l.ciclo > kRasteiraDerruba) l.derruba = 1;
}

void super(TForm1& g, int n) {
    Lutador& l = g.L(n);
    if (l.ciclo == 0) desenha(g, n, 35);
    if (l.ciclo == 5) desenha(g, n, 36);
    if (l.ciclo != kDisparo) return;
    g.DXWaveListSnd.Play(kSomSuper);
    desenha(g, n, 37);
    if (l.lado == 1)
        g.criaefeito(l.x + 30, l.y - 45, kProjetilSuper, "A", n);
    else
        g.criaefeito(l.x - 134, l.y - 45, kProjetilSuper, "A", n);
}

void estadosProprios(TForm1& g, int n) {
    switch (g.L(n).pos) {
        case 23:
            return vitoria(g, n);
        case 25:
            return projetil(g, n);
        case 26:
            return investida(g, n);
        case 27:
            return giro(g, n);
        case 28:
            return rasteira(g, n);
        case 29:
            return super(g, n);
        default:
            return;
    }
}

}  // namespace

Tabelas tabelas01() {
    return {areas_c01::kContact, areas_c01::kAttack};
}

void personagem01(TForm1& g, int n) {
    estadosProprios(g, n);
    aplicaTabelas(g, n, areas_c01::kContact, areas_c01::kAttack);
}

}  // namespace pelea::animacao
