// Drawing the fighters: anchor, shadow, facing, animation, shake and spin.
#include <cstddef>

#include "animation/anchors.h"
#include "game/tform1.h"

namespace pelea {

namespace {

constexpr int kBaseFighter1 = 0;
constexpr int kBaseFighter2 = 50;

int baseOf(int n) {
    return n == 2 ? kBaseFighter2 : kBaseFighter1;
}

// The floor shadow: item 0 of the effect list, 70 × 14, blended at 60.
constexpr int kShadowItem = 0;
constexpr int kShadowHalfWidth = 35;
constexpr int kShadowTop = 288;
constexpr int kShadowBottom = 302;
constexpr int kShadowAlpha = 60;
constexpr double kShadowRise = 12.0;  // the shadow rises one pixel per 12 pixels of height
constexpr int kChao = 300;

// States.
constexpr int kParado = 1, kAndando = 2, kAgachado = 7, kNoAr = 12;
constexpr int kAtingido1 = 17, kAtingido2 = 18, kArremessado = 19;

// The shake of a struck fighter: a draw of Random(range) − range / 2.
constexpr int kTremorAtingido = 10;
constexpr int kTremorArremessado = 14;
constexpr int kTremorForte = 20;
constexpr int kPausaForte = 15;  // above this hit pause the strong shake applies

constexpr int kDireita = 1, kEsquerda = 2;

bool atingido(int pos) {
    return pos == kAtingido1 || pos == kAtingido2 || pos == kArremessado;
}

// On the floor the shadow spans rows 288 to 302 of the stage; it rises as the fighter does.
void desenharSombra(TForm1& jogo, const Lutador& l) {
    if (!jogo.DXImageListEfectos.has(kShadowItem)) return;
    const MatchState& m = jogo.g.m;
    const int r = TForm1::Round((kChao - l.y) / kShadowRise);
    const media::Rect sombra{l.x - kShadowHalfWidth - m.telaX, kShadowTop - r - m.telaY,
                             l.x + kShadowHalfWidth - m.telaX, kShadowBottom - r - m.telaY};
    jogo.DXImageListEfectos.Items(kShadowItem)
        .DrawBlended(jogo.DXDraw1.Surface, sombra, 0, kShadowAlpha);
}

// Only a fighter standing, walking or crouching on the ground turns to face the other.
void virar(Lutador& l, const Lutador& outro) {
    if ((l.pos == kParado || l.pos == kAndando || l.pos == kAgachado) && l.grav == 0) {
        l.lado = outro.x > l.x ? kDireita : kEsquerda;
    }
}

// The horizontal jitter of a struck or thrown fighter.
int tremor(TForm1& jogo, const Lutador& l) {
    const int golpePausa = jogo.g.m.golpePausa;
    int s = 0;
    if (l.pos == kAtingido1 || l.pos == kAtingido2) {
        s = jogo.Random(kTremorAtingido) - kTremorAtingido / 2;
    }
    if (l.pos == kArremessado && golpePausa > 0) {
        s = jogo.Random(kTremorArremessado) - kTremorArremessado / 2;
    }
    if (atingido(l.pos) && golpePausa > kPausaForte) {
        s = jogo.Random(kTremorForte) - kTremorForte / 2;
    }
    return s;
}

// Only airborne or thrown fighters keep turning; any other state stops the spin.
void girar(Lutador& l, bool pausado) {
    if (!pausado) l.angulo = static_cast<int16_t>(l.angulo + l.giro);
    if (l.pos != kNoAr && l.pos != kArremessado) {
        l.angulo = 0;
        l.giro = 0;
    }
}

// Draws an item with its top-left corner at (left, top), or spun about the point (cx, cy).
void desenharItem(TForm1& jogo, const media::ImageItem& item, const Lutador& l, int left, int top,
                  int cx, int cy, int w) {
    if (l.giro == 0) {
        item.Draw(jogo.DXDraw1.Surface, left, top, 0);
    } else {
        item.DrawRotated(jogo.DXDraw1.Surface, cx, cy, w, l.altura, 0, 0.5, 0.5,
                         TForm1::Round(l.angulo));
    }
}

// Facing right the anchor column stands at x; facing left the mirrored frame is placed so that
// the anchor, counted from its right edge, stands at x. Both lists hold the same sizes.
void desenharQuadro(TForm1& jogo, const Lutador& l, int a, int s) {
    const MatchState& m = jogo.g.m;
    const int d = l.desenho;
    const int top = l.y - l.altura - m.telaY;
    const bool temItem = jogo.DXImageListLutador.has(d);
    const int w = temItem ? jogo.DXImageListLutador.Items(d).Width() : 0;
    const int h = temItem ? jogo.DXImageListLutador.Items(d).Height() : 0;
    const int cy = top + TForm1::Round(h / 2.0);
    if (l.lado == kDireita && d < jogo.DXImageListLutador.Count()) {
        const int left = l.x - a + s - m.telaX;
        desenharItem(jogo, jogo.DXImageListLutador.Items(d), l, left, top,
                     left + TForm1::Round(w / 2.0), cy, w);
    }
    if (l.lado == kEsquerda && d < jogo.DXImageListLutadorInvert.Count()) {
        const int right = l.x + a + s - m.telaX;
        desenharItem(jogo, jogo.DXImageListLutadorInvert.Items(d), l, right - w, top,
                     right - TForm1::Round(w / 2.0), cy, w);
    }
}

}  // namespace

// 12. Both fighters, the one in front last.
void TForm1::lutaDesenhaLutadores() {
    if (L(1).naFrente == 1) {
        desenhalutador(2);
        desenhalutador(1);
    }
    if (L(2).naFrente == 1) {
        desenhalutador(1);
        desenhalutador(2);
    }
}

int TForm1::meio(int n) {
    const Lutador& l = L(n);
    return anchors::meio(l.personagem, l.desenho - baseOf(n));
}

void TForm1::desenhalutador(int n) {
    Lutador& l = L(n);
    const bool pausado = g.m.golpePausa != 0 || g.m.pausaEspecial != 0;
    Canvas.Release();
    desenharSombra(*this, l);
    virar(l, L(3 - n));
    if (!pausado) definedesenho(n);
    if (l.desenho == 0) l.desenho = static_cast<uint8_t>(baseOf(n) + 1);
    const int s = tremor(*this, l);
    girar(l, pausado);
    desenharQuadro(*this, l, meio(n), s);
}

}  // namespace pelea
