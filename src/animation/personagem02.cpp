// Character 2's section of the animation tables: the wrestler. A hot ball thrown with both
// hands, a rocket hook, a belly bomb out of a jump, a bear-hug rush and its deadly super hug.
// The areas were measured on the figure its sheet shows: the body box of each drawing, and the
// reaching fist (or the body) of the drawing shown when a blow strikes.
#include "animation/roteiro.h"

namespace pelea::animacao {
namespace {

// Frame, x1, y1, x2, y2.
constexpr std::array<ContactRow, 11> kContato{{
    {1, -19, 30, 9, 160},
    {2, -1, 30, 26, 160},
    {12, -11, 54, 21, 158},
    {21, -29, 14, 4, 118},
    {29, -45, 100, 83, 160},
    {31, -21, 31, 10, 160},
    {32, -11, 54, 22, 158},
    {38, -1, 70, 51, 159},
    {41, -16, 34, 28, 160},
    {44, -23, 31, 9, 160},
    {45, -56, 57, 17, 110},
}};

// The normal moves: light ones strike at ciclo 2 (class 1, damage 7), heavy ones at ciclo 5
// (class 2, damage 14); the jumping heavy punch carries class 1 with its heavy damage.
constexpr std::array<AttackRow, 20> kAtaque{{
    {3, 2, 0, 19, 42, 76, 70, 1, 1, 7, 0},      // frame 5
    {4, 2, 0, 11, 50, 68, 78, 1, 1, 7, 0},      // frame 7
    {5, 5, 0, -2, 42, 55, 70, 1, 2, 14, 0},     // frame 9
    {6, 5, 0, 35, 24, 92, 52, 1, 2, 14, 0},     // frame 11
    {8, 2, 0, 19, 69, 76, 97, 1, 1, 7, 0},      // frame 14
    {9, 2, 0, 32, 139, 89, 167, 1, 1, 7, 0},    // frame 16
    {10, 5, 0, -6, 65, 51, 93, 1, 2, 14, 0},    // frame 18
    {11, 5, 0, 31, 85, 88, 113, 1, 2, 14, 0},   // frame 20
    {13, 2, 0, 0, 45, 57, 73, 1, 1, 7, 0},      // frame 22
    {14, 2, 0, -29, 45, 28, 73, 1, 1, 7, 0},    // frame 24
    {15, 5, 0, 35, 48, 92, 76, 1, 1, 14, 0},    // frame 23
    {16, 5, 0, 9, 33, 66, 61, 1, 2, 14, 0},     // frame 25
    {26, 3, 1, 40, 80, 97, 108, 1, 0, 18, 3},   // the rocket hook, light, frame 38
    {26, 3, 2, 40, 80, 97, 108, 1, 0, 20, 4},   // and heavy, frame 38
    {26, 9, 0, 5, 0, 43, 141, 0, 0, 0, 0},      // the hook's blow ends as it rises, frame 39
    {27, 0, 0, 17, 50, 55, 132, 1, 0, 18, 3},   // the belly bomb falling, frame 45
    {27, 10, 0, 17, 50, 55, 132, 1, 0, 10, 2},  // and its splash on the floor, frame 45
    {28, 1, 0, 5, 45, 55, 95, 1, 1, 6, 0},      // the bear rush's arms, frame 43
    {28, 22, 0, 5, 45, 55, 95, 1, 1, 6, 0},     // still rushing, frame 41
    {30, 4, 0, 14, 44, 71, 72, 1, 0, 0, 0},     // the deadly hug's arms, frame 41
}};

constexpr int kSomBola = 20, kSomAbraco = 22;
constexpr int kSomLeve = 5, kSomForte = 6;

// 23: a belly laugh that shakes between two frames.
void vitoria(TForm1& g, int n) {
    desenha(g, n, 33);
    if (g.Random(2) == 0) desenha(g, n, 34);
}

// 25: the hot ball leaves both hands at ciclo 10.
constexpr Lancamento kBola{11, 0, 12, -60, -115};
void bola(TForm1& g, int n) {
    chaves(g, n, {{0, 35}, {5, 36}, {10, 37}});
    if (g.L(n).ciclo != 10) return;
    dispara(g, n, kBola);
    som(g, kSomBola);
}

// 26: the rocket hook: crouch, lunge fist first while the blow is live, and rise out of it.
void gancho(TForm1& g, int n) {
    const Lutador& l = g.L(n);
    chaves(g, n, {{0, 40}, {3, 38}, {9, 39}});
    if (mostrando(g, n, 38)) avanca(g, n, l.t == kLeve ? 10 : 14);
    if (l.ciclo == 3) poeira(g, n, 3);
}

// 27: the belly bomb drops out of the jump and lands flat, raising dust.
void bomba(TForm1& g, int n) {
    Lutador& l = g.L(n);
    if (l.ciclo == 0) {
        desenha(g, n, 45);
        l.grav = 0;
    }
    const bool noAr = l.y < kChao;
    desce(l, 14);
    if (noAr) avanca(g, n, 3);
    if (noAr && l.y == kChao) poeira(g, n, 5);
}

// The flailing of the bear hug, in the rush and in the hold: a new frame of the three on every
// call and the swings' whooshes at random.
void forcejo(TForm1& g, int n) {
    quadroSorteado(g, n, {41, 42, 43});
    for (int k : {kSomLeve, kSomForte, kSomLeve, kSomForte})
        somAoAcaso(g, k, 2);
}

// 28: the bear rush, arms out, until it catches the opponent.
void abraco(TForm1& g, int n) {
    forcejo(g, n);
    if (g.L(n).ciclo == 0) som(g, kSomAbraco);
    if (g.L(n).ciclo < 30) avanca(g, n, 3);
}

// 29: the bear hug, then the opponent thrown down.
void abracoPreso(TForm1& g, int n) {
    forcejo(g, n);
    flashAoAcaso(g, 6);
    aperta(g, n, 40, 8, 1, 20);
    faiscaPerto(g, n, -30, 20, -150, 120);
    if (soltando(g.L(n))) solta(g, n, 20, 30);
}

// 30: the super lunges arms wide.
void abracoMortal(TForm1& g, int n) {
    const Lutador& l = g.L(n);
    chaves(g, n, {{0, 44}, {4, 41}});
    if (l.ciclo >= 4) avanca(g, n, 9);
}

// 31: the deadly hug: the wrestler thrashes, and the release flings the opponent spinning and
// goes straight into the rocket hook.
void abracoMortalPreso(TForm1& g, int n) {
    Lutador& l = g.L(n);
    quadroQualquer(g, n);
    flashAoAcaso(g, 5);
    if (g.Random(30) == 0) g.g.m.golpePausa = 5;
    avanca(g, n, 3);
    aperta(g, n, 40, 8, 2, 43);
    faiscaPerto(g, n, -40, 20, -150, 100);
    if (!soltando(l)) return;
    arremessaComDano(g, n, 40, 28);
    l.pos = 1;
    desenha(g, n, 38);
    g.acao(n, 19);
}

void estadosProprios(TForm1& g, int n) {
    switch (g.L(n).pos) {
        case 23:
            return vitoria(g, n);
        case 25:
            return bola(g, n);
        case 26:
            return gancho(g, n);
        case 27:
            return bomba(g, n);
        case 28:
            return abraco(g, n);
        case 29:
            return abracoPreso(g, n);
        case 30:
            return abracoMortal(g, n);
        case 31:
            return abracoMortalPreso(g, n);
        default:
            return;
    }
}

}  // namespace

Tabelas tabelas02() {
    return {kContato, kAtaque};
}

void personagem02(TForm1& g, int n) {
    estadosProprios(g, n);
    aplicaTabelas(g, n, kContato, kAtaque);
}

}  // namespace pelea::animacao
