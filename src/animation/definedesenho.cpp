// The animation tables: the frame, contact area and attack area of every state and cycle.

#include "animation/personagens.h"
#include "game/tform1.h"

namespace pelea {

namespace {

using animacao::baseDe;

constexpr int kQualquer = -1;  // a keyframe that holds on every ciclo

// A shared keyframe: in state pos, at ciclo (or any), show frame.
struct Quadro {
    int pos, ciclo, frame;
};

// Frames 1–32 of every character, in rule order; a later row overrides an earlier one.
constexpr Quadro kQuadrosComuns[] = {
    {1, kQualquer, 1},                                           // standing
    {2, 0, 2},           {2, 4, 3},    {2, 8, 2},   {2, 12, 1},  // walking
    {3, 0, 4},           {3, 2, 5},    {3, 4, 4},                // light punch
    {4, 0, 6},           {4, 2, 7},    {4, 4, 6},                // light kick
    {5, 0, 8},           {5, 5, 9},    {5, 8, 8},                // heavy punch
    {6, 0, 10},          {6, 5, 11},   {6, 8, 10},               // heavy kick
    {7, kQualquer, 12},                                          // crouching
    {8, 0, 13},          {8, 2, 14},   {8, 4, 13},               // crouching light punch
    {9, 0, 15},          {9, 2, 16},   {9, 4, 15},               // crouching light kick
    {10, 0, 17},         {10, 5, 18},  {10, 8, 17},              // crouching heavy punch
    {11, 0, 19},         {11, 5, 20},  {11, 8, 19},              // crouching heavy kick
    {12, kQualquer, 21},                                         // airborne
    {13, 0, 22},         {13, 3, 23},                            // jumping light punch
    {14, 0, 24},         {14, 3, 25},                            // jumping light kick
    {15, 0, 22},         {15, 5, 23},  {15, 8, 22},              // jumping heavy punch
    {16, 0, 24},         {16, 5, 25},  {16, 8, 24},              // jumping heavy kick
    {17, 0, 26},                                                 // hit reaction (punch)
    {18, 0, 27},         {18, 1, 27},                            // hit reaction (kick)
    {19, kQualquer, 28},                                         // knocked down
    {20, 0, 29},         {20, 18, 30},                           // bounce, getting up
    {21, kQualquer, 31},                                         // standing block
    {22, kQualquer, 32},                                         // crouching block
};

constexpr int kAndando = 2, kDeitado = 20;
constexpr int kChao = 300;

// Slot 8 walks with one frame per direction and raises dust.
constexpr int kPatinador = 8;
constexpr int kPatinaFrente = 2, kPatinaTras = 3;
constexpr int kPoeira = 2;
constexpr int kPoeirasPorQuadro = 2;

// Stores a table area for fighter l, flipped around the anchor when the fighter faces left.
void guardaArea(const Lutador& l, Area& a, int x1, int y1, int x2, int y2) {
    if (l.lado == 2)
        a = {-x2, y1, -x1, y2};
    else
        a = {x1, y1, x2, y2};
}

void quadrosComuns(TForm1& g, int n) {
    Lutador& l = g.L(n);
    for (const Quadro& q : kQuadrosComuns) {
        if (l.pos == q.pos && (q.ciclo == kQualquer || l.ciclo == q.ciclo))
            l.desenho = static_cast<uint8_t>(baseDe(n) + q.frame);
    }
}

void patinacao(TForm1& g, int n) {
    Lutador& l = g.L(n);
    if (l.personagem != kPatinador || l.pos != kAndando) return;
    l.desenho = static_cast<uint8_t>(baseDe(n) + (l.andaFrente == 1 ? kPatinaFrente : kPatinaTras));
    for (int i = 0; i < kPoeirasPorQuadro; ++i) {
        const int px = l.x - 25 + g.Random(30);
        const int py = l.y - 10 - g.Random(10);
        g.criaefeito(px, py, kPoeira, "", 0);
    }
}

// A knocked-out fighter lies on the floor on the bounce's first frame for good.
void deitadoNocauteado(Lutador& l) {
    if (l.pos == kDeitado && l.grav == 0 && l.hp <= 0) {
        l.ciclo = 0;
        l.y = kChao;
    }
}

}  // namespace

void TForm1::definedesenho(int n) {
    quadrosComuns(*this, n);
    patinacao(*this, n);
    deitadoNocauteado(L(n));
    const int slot = L(n).personagem;
    if (slot >= 1 && slot <= static_cast<int>(animacao::kSecoes.size()))
        animacao::kSecoes[static_cast<size_t>(slot - 1)](*this, n);
}

void TForm1::defineareacontato(int n, int desenho, int x1, int y1, int x2, int y2) {
    Lutador& l = L(n);
    if (l.desenho == desenho) guardaArea(l, l.areaContato, x1, y1, x2, y2);
}

void TForm1::defineareaataque(int n, int pos, int ciclo, int x1, int y1, int x2, int y2, int ataque,
                              int t, int f, int fDefesa) {
    Lutador& l = L(n);
    if (l.pos != pos || l.ciclo != ciclo) return;
    guardaArea(l, l.areaAtaque, x1, y1, x2, y2);
    l.ataque = static_cast<uint8_t>(ataque);
    if (t != 0) l.t = static_cast<uint8_t>(t);
    l.f = static_cast<uint8_t>(f);
    l.fDefesa = static_cast<uint8_t>(fDefesa);
}

}  // namespace pelea
