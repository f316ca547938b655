// Character 8's section of the animation tables: the skater. A rolling fire wheel, a rain of
// nuts thrown from the air, a rocket skate, a skid under a glowing aura and a super that sends
// a swarm of bats. Its walk is the shared skating rule.
// The areas were measured on the figure its sheet shows: the body box of each drawing, and the
// reaching fist or foot (or the body) of the drawing shown when a blow strikes.
#include "animation/roteiro.h"

namespace pelea::animacao {
namespace {

// Frame, x1, y1, x2, y2.
constexpr std::array<ContactRow, 9> kContato{{
    {1, -12, 35, 6, 160},
    {2, -1, 36, 26, 160},
    {12, -2, 57, 19, 160},
    {21, -14, 18, 9, 120},
    {29, -48, 108, 72, 160},
    {31, -8, 36, 12, 160},
    {32, -1, 56, 35, 160},
    {39, -2, 73, 32, 160},
    {42, -48, 63, 2, 160},
}};

// The normal moves: light ones strike at ciclo 2 (class 1, damage 7), heavy ones at ciclo 5
// (class 2, damage 14).
constexpr std::array<AttackRow, 15> kAtaque{{
    {3, 2, 0, 16, 44, 73, 72, 1, 1, 7, 0},     // frame 5
    {4, 2, 0, -1, 56, 56, 84, 1, 1, 7, 0},     // frame 7
    {5, 5, 0, 24, 42, 81, 70, 1, 2, 14, 0},    // frame 9
    {6, 5, 0, 10, 39, 67, 67, 1, 2, 14, 0},    // frame 11
    {8, 2, 0, 20, 73, 77, 101, 1, 1, 7, 0},    // frame 14
    {9, 2, 0, 22, 136, 79, 164, 1, 1, 7, 0},   // frame 16
    {10, 5, 0, 27, 67, 84, 95, 1, 2, 14, 0},   // frame 18
    {11, 5, 0, 29, 88, 86, 116, 1, 2, 14, 0},  // frame 20
    {13, 2, 0, 14, 61, 71, 89, 1, 1, 7, 0},    // frame 22
    {14, 2, 0, 2, 49, 59, 77, 1, 1, 7, 0},     // frame 24
    {15, 5, 0, 28, 52, 85, 80, 1, 2, 14, 0},   // frame 23
    {16, 5, 0, 18, 38, 75, 66, 1, 2, 14, 0},   // frame 25
    {27, 3, 1, 2, 84, 59, 112, 1, 0, 12, 2},   // the rocket skate, light, frame 39
    {27, 3, 2, 2, 84, 59, 112, 1, 0, 15, 3},   // and heavy, frame 39
    {28, 4, 0, 7, 96, 64, 124, 1, 0, 11, 2},   // the skid, frame 42
}};

constexpr int kSomMorcegos = 42;

// 23: a fist up, then a laugh.
void vitoria(TForm1& g, int n) {
    chaves(g, n, {{0, 35}, {30, 43}});
}

// 25: the fire wheel is bowled out at ciclo 10.
constexpr Lancamento kRueda{25, 0, 26, -60, -100};
void ruedaDeFuego(TForm1& g, int n) {
    chaves(g, n, {{0, 37}, {10, 36}});
    if (g.L(n).ciclo == 10) dispara(g, n, kRueda);
}

// 26: nuts thrown down from the air at ciclo 10.
constexpr Lancamento kTuercas{27, 30, 28, -90, -48};
void lluviaDeTuercas(TForm1& g, int n) {
    Lutador& l = g.L(n);
    chaves(g, n, {{0, 38}});
    if (l.ciclo == 0) l.pulo = 0;  // the skater hangs in the air while it throws
    if (l.ciclo != 10) return;
    dispara(g, n, kTuercas);
    l.pulo = 1;
    l.grav = 0;
}

// 27: the rocket skate shoots forward in a cloud of dust.
void patinCohete(TForm1& g, int n) {
    const Lutador& l = g.L(n);
    chaves(g, n, {{0, 40}, {3, 39}, {16, 40}});
    if (!mostrando(g, n, 39)) return;
    avanca(g, n, l.t == kLeve ? 16 : 20);
    poeira(g, n, 2);
}

// 28: the skid under a glowing aura; started in the air, it skids down to the floor.
void derrape(TForm1& g, int n) {
    Lutador& l = g.L(n);
    chaves(g, n, {{0, 41}, {4, 42}, {20, 41}});
    if (l.ciclo == 0) g.criaefeito(l.x - 37, l.y - 120, 24, "", n);
    if (l.ciclo == 8) g.criaefeito(l.x - 37, l.y - 80, 24, "", n);
    if (mostrando(g, n, 42)) avanca(g, n, 10);
    if (l.ciclo == 0) {
        l.pulo = 0;
        l.grav = 0;
    }
    desce(l, 12);
    if (l.ciclo >= 4) l.derruba = 1;
}

// 29: the swarm: a bat on every even cycle below 15.
constexpr Lancamento kMorcego{29, 20, 30, -20, -90};
void carreraInfernal(TForm1& g, int n) {
    const Lutador& l = g.L(n);
    chaves(g, n, {{0, 33}, {2, 34}});
    if (l.ciclo == 0) som(g, kSomMorcegos);
    if (l.ciclo % 2 == 0 && l.ciclo < 15) lanca(g, n, kMorcego, "A", n);
}

void estadosProprios(TForm1& g, int n) {
    switch (g.L(n).pos) {
        case 23:
            return vitoria(g, n);
        case 25:
            return ruedaDeFuego(g, n);
        case 26:
            return lluviaDeTuercas(g, n);
        case 27:
            return patinCohete(g, n);
        case 28:
            return derrape(g, n);
        case 29:
            return carreraInfernal(g, n);
        default:
            return;
    }
}

}  // namespace

Tabelas tabelas08() {
    return {kContato, kAtaque};
}

void personagem08(TForm1& g, int n) {
    estadosProprios(g, n);
    aplicaTabelas(g, n, kContato, kAtaque);
}

}  // namespace pelea::animacao
