// Movement and physics: pushing, the hit slide, state timing, jumps, knock-downs, landing and
// the view bounds.
#include <algorithm>
#include <cstdint>

#include "game/tform1.h"

namespace pelea {

namespace {

constexpr int kChao = 300;
constexpr int kMargemEsquerda = 30, kMargemDireita = 370;
constexpr int kEmpurrao = 5;  // the pushed fighter moves this much whatever dx was
constexpr int kFolga = 5;     // the gap left between the two contact areas
constexpr int kAlturaQuique = 290;

constexpr uint8_t kPosEmPe = 1, kPosNoAr = 12, kPosReacao1 = 17, kPosReacao2 = 18;
constexpr uint8_t kPosCaindo = 19, kPosLevantando = 20, kPosVitoria = 23;
constexpr uint8_t kSemFim = 99;
constexpr int kCodigoQuique = 11;
constexpr uint8_t kDerivaEsquerda = 2, kDerivaDireita = 3;

constexpr int kPoeira = 2, kSangue = 13;
constexpr int kSndQueda = 12;
constexpr uint8_t kTremorQueda = 20;
constexpr int kPuffsQueda = 5, kPuffsTremor = 20, kPuffsPouso = 5;
constexpr int kChanceSangue = 4;
constexpr int kCicloSangue = 5;

bool pausado(const MatchState& m) {
    return m.pausaEspecial != 0 || m.golpePausa != 0;
}

// Contact areas taken at (x, y), without the altura offset; touching edges do not overlap.
bool sobrepoe(const Lutador& a, const Lutador& b) {
    const Area& p = a.areaContato;
    const Area& q = b.areaContato;
    return a.x + p.x1 < b.x + q.x2 && b.x + q.x1 < a.x + p.x2 && a.y + p.y1 < b.y + q.y2 &&
           b.y + q.y1 < a.y + p.y2;
}

int paraTras(const Lutador& l) {
    return l.lado == 1 ? -l.recuo : l.recuo;
}

void faceOutro(Lutador& l, const Lutador& o) {
    l.lado = l.x < o.x ? 1 : 2;
}

// Rising puffs at (x0 + random 0…largura − 1, y0 − random 0…9).
void poeiras(TForm1& f, int quantas, int x0, int largura, int y0) {
    constexpr int kAlturaPoeira = 10;
    for (int i = 0; i < quantas; ++i) {
        const int px = x0 + f.Random(largura);
        const int py = y0 - f.Random(kAlturaPoeira);
        f.criaefeito(px, py, kPoeira, "", 0);
    }
}

void deslizeGolpe(TForm1& f, int n) {
    Lutador& l = f.L(n);
    if ((l.pos != kPosReacao1 && l.pos != kPosReacao2) || pausado(f.g.m)) return;
    f.mover(n, paraTras(l));
    if (f.Random(2) == 0) poeiras(f, 1, l.x - 30, 40, l.y - 10);
}

void pisoChao(Lutador& l) {
    if (l.y <= kChao) return;
    l.y = kChao;
    l.angulo = 0;
    l.giro = 0;
    l.grav = 0;
    l.pulo = 0;
    l.pos = kPosEmPe;
    l.ciclo = 0;
    l.ataque = 0;
    l.derruba = 0;
}

// A knocked-down fighter flies backwards and bounces when it reaches the floor.
void voo(TForm1& f, int n) {
    Lutador& l = f.L(n);
    l.x += paraTras(l);  // directly: no pushing and no view clamp
    if (l.y < kChao) return;
    f.acao(n, kCodigoQuique);
    l.y = kAlturaQuique;
    l.angulo = 0;
    l.giro = 0;
    f.DXWaveListSnd.Play(kSndQueda);
    if (l.personagem == 7 || l.personagem == 10) {  // the heavy ones shake the stage
        f.g.m.tremorTempo = kTremorQueda;
        poeiras(f, kPuffsTremor, l.x - 60, 70, l.y);
    }
    poeiras(f, kPuffsQueda, l.x - 30, 40, l.y);
}

void levantando(TForm1& f, int n) {
    Lutador& l = f.L(n);
    f.mover(n, paraTras(l));
    if (f.g.m.opcaoSangue == 1 && f.Random(kChanceSangue) == 0 && l.ciclo == kCicloSangue) {
        const int bx = l.lado == 1 ? l.x - 50 : l.x + 30;
        f.criaefeito(bx, l.y - 50, kSangue, "", 0);
    }
    if (l.y > kChao) {
        l.y = kChao;
        l.angulo = 0;
        l.giro = 0;
        l.grav = 0;
        l.recuo = 0;
    }
}

void pouso(TForm1& f, int n) {
    Lutador& l = f.L(n);
    if (l.y <= kChao) return;
    l.grav = 0;
    l.pulo = 0;
    l.y = kChao;
    l.angulo = 0;
    l.giro = 0;
    l.pos = kPosEmPe;
    l.ciclo = 0;
    l.ataque = 0;
    l.f = 0;
    l.derruba = 0;
    l.puloDir = 0;
    faceOutro(l, f.L(3 - n));
    poeiras(f, kPuffsPouso, l.x - 30, 40, l.y - 10);
}

void limitesTela(const MatchState& m, Lutador& l) {
    if (m.finRound != 0 || l.hp <= 0) return;
    l.x = std::clamp(l.x, m.telaX + kMargemEsquerda, m.telaX + kMargemDireita);
}

}  // namespace

void TForm1::mover(int n, int dx) {
    Lutador& a = L(n);
    Lutador& o = L(3 - n);
    const MatchState& m = g.m;
    a.x += dx;
    if (sobrepoe(a, o) && a.pos != kPosVitoria && a.pos != kPosLevantando) {
        if (o.x >= a.x) {
            o.x = std::min(o.x + kEmpurrao, m.telaX + kMargemDireita);
            a.x = o.x + o.areaContato.x1 - a.areaContato.x2 - kFolga;
        }
        if (o.x < a.x) {
            o.x = std::max(o.x - kEmpurrao, m.telaX + kMargemEsquerda);
            a.x = o.x + o.areaContato.x2 - a.areaContato.x1 + kFolga;
        }
    }
    limitesTela(m, a);
}

// 17. Per fighter: the hit slide, then the fighter's blow is resolved.
void TForm1::lutaGolpes() {
    for (int n = 1; n <= 2; ++n) {
        deslizeGolpe(*this, n);
        resolveGolpe(n);
    }
}

void TForm1::cicloEstado(int n) {
    Lutador& l = L(n);
    if (l.cicloFim != kSemFim && !pausado(g.m)) ++l.ciclo;
    if (l.ciclo < l.cicloFim) return;
    l.pos = kPosEmPe;
    l.ataque = 0;
    l.f = 0;
    l.ciclo = 0;
    l.invencivel = 0;
    l.defesa = 0;
    l.derruba = 0;
    l.t = 0;
    if (l.y < kChao) {  // the fighter falls
        l.pulo = 1;
        l.pos = kPosNoAr;
    }
    faceOutro(l, L(3 - n));
    if (l.y > kChao) l.y = kChao;
    if (l.grav != 0) l.pos = kPosNoAr;
}

void TForm1::fisica(int n) {
    Lutador& l = L(n);
    if (l.pulo == 1 && !pausado(g.m)) {
        l.y += l.grav;
        l.grav = static_cast<int8_t>(l.grav + g.m.gravidade);
        if (l.puloDir == kDerivaEsquerda) mover(n, -l.velocidade);
        if (l.puloDir == kDerivaDireita) mover(n, l.velocidade);
        if (l.pos == kPosCaindo) voo(*this, n);
        if (l.pos == kPosLevantando) levantando(*this, n);
        pouso(*this, n);
    }
    limitesTela(g.m, l);
}

// 19. State timing, blocking again, the floor, jumps, knock-downs, landing and view bounds.
void TForm1::lutaFisica() {
    for (int n = 1; n <= 2; ++n)
        cicloEstado(n);
    pedidosDefesa(1);
    pedidosDefesa(2);
    for (int n = 1; n <= 2; ++n)
        pisoChao(L(n));
    for (int n = 1; n <= 2; ++n)
        fisica(n);
}

}  // namespace pelea
