// The operations the characters' scripts are written in: drawings, sounds, effects, motion,
// flags and the handling of a grabbed opponent. Each script is a short list of these, tied to
// moments of its state.
#pragma once

#include <initializer_list>
#include <string_view>

#include "animation/personagens.h"
#include "animation/sheets.h"

namespace pelea::animacao {

inline constexpr int kSemDono = 0;
inline constexpr int kLeve = 1, kForte = 2;
inline constexpr int kTipoFaisca = 1;  // effect kind of a hit flash
inline constexpr int kTipoPoeira = 2;  // effect kind of a rising puff
inline constexpr int kChao = 300;

inline int quadroAtual(TForm1& g, int n) {
    return g.L(n).desenho - baseDe(n);
}

inline void desenha(TForm1& g, int n, int frame) {
    g.L(n).desenho = static_cast<uint8_t>(baseDe(n) + frame);
}

inline bool mostrando(TForm1& g, int n, int frame) {
    return quadroAtual(g, n) == frame;
}

// Keyframes: at each listed ciclo the drawing changes to its frame, and holds until the next.
struct Chave {
    int ciclo, frame;
};
inline void chaves(TForm1& g, int n, std::initializer_list<Chave> lista) {
    for (const Chave& c : lista) {
        if (g.L(n).ciclo == c.ciclo) desenha(g, n, c.frame);
    }
}

// Toggles between frames a and b whenever ciclo is a multiple of `cada`.
inline void alterna(TForm1& g, int n, int a, int b, int cada) {
    if (g.L(n).ciclo % cada == 0) desenha(g, n, mostrando(g, n, a) ? b : a);
}

// A frame among these, drawn again until it differs from the one on show.
inline void quadroSorteado(TForm1& g, int n, std::initializer_list<int> frames) {
    const int atual = quadroAtual(g, n);
    int k = atual;
    while (k == atual)
        k = *(frames.begin() + g.Random(static_cast<int>(frames.size())));
    desenha(g, n, k);
}

// Any frame the character's own sheet has.
inline void quadroQualquer(TForm1& g, int n) {
    desenha(g, n, 1 + g.Random(sheets::sheet(g.L(n).personagem).n));
}

// The effect's text names the blow's class: "A" light, "B" heavy.
inline std::string_view variante(int t) {
    return t == kLeve ? "A" : t == kForte ? "B" : "";
}

// An effect spawned by facing: its kind and offset from (x, y) facing right, and facing left.
struct Lancamento {
    int tipoDireita, dxDireita;
    int tipoEsquerda, dxEsquerda;
    int dy;
};

inline void lanca(TForm1& g, int n, const Lancamento& e, std::string_view texto, int dono) {
    const Lutador& l = g.L(n);
    if (l.lado == 1)
        g.criaefeito(l.x + e.dxDireita, l.y + e.dy, e.tipoDireita, texto, dono);
    else
        g.criaefeito(l.x + e.dxEsquerda, l.y + e.dy, e.tipoEsquerda, texto, dono);
}

// A projectile of the fighter's own, light or heavy by the blow's class.
inline void dispara(TForm1& g, int n, const Lancamento& e) {
    lanca(g, n, e, variante(g.L(n).t), n);
}

inline void som(TForm1& g, int k) {
    g.DXWaveListSnd.Play(k);
}

// Plays sound k with a chance of 1 in `em`.
inline void somAoAcaso(TForm1& g, int k, int em) {
    if (g.Random(em) == 0) som(g, k);
}

// Rising puffs at the fighter's feet.
inline void poeira(TForm1& g, int n, int quantas) {
    for (int i = 0; i < quantas; ++i) {
        const int px = g.L(n).x - 30 + g.Random(40);
        const int py = g.L(n).y - 10 - g.Random(10);
        g.criaefeito(px, py, kTipoPoeira, "", kSemDono);
    }
}

// A hit flash at a random point near the opponent: (x + dx + Random(rx), y + dy + Random(ry)).
inline void faiscaPerto(TForm1& g, int n, int dx, int rx, int dy, int ry) {
    const Lutador& o = g.L(3 - n);
    g.criaefeito(o.x + dx + g.Random(rx), o.y + dy + g.Random(ry), kTipoFaisca, "", kSemDono);
}

// A multi-hit move may strike again after each connection, up to ciclo `ate`.
inline void deixaRepetir(TForm1& g, int n, int ate) {
    const Lutador& l = g.L(n);
    if (l.hits != 0 && l.ciclo <= ate) g.L(3 - n).invencivel = 0;
}

// Scattered hit flashes round an opponent reeling from a multi-hit move, one call in two.
inline void faiscasNoAtingido(TForm1& g, int n) {
    const int pos = g.L(3 - n).pos;
    if ((pos == 17 || pos == 18 || pos == 19) && g.Random(2) == 0)
        faiscaPerto(g, n, -45, 30, -140, 100);
}

// Vertical motion by the script: up by d, or down by d but never below the floor.
inline void sobe(Lutador& l, int d) {
    l.y -= d;
}
inline void desce(Lutador& l, int d) {
    l.y += d;
    if (l.y > kChao) l.y = kChao;
}

// The fighter's x shifted forward directly, without pushing anyone or the view's bounds.
inline void desloca(Lutador& l, int d) {
    l.x += l.lado == 1 ? d : -d;
}

// The screen: a red flash with a chance of 1 in `em`.
inline void flashAoAcaso(TForm1& g, int em) {
    if (g.Random(em) == 0) g.g.m.flashTempo = 3;
}

// Holding a grabbed opponent, on every call: it shows its hit frames, stays in them, floats
// down to the floor and is kept at distancia + passo · Random(2) in front of the holder.
inline void segura(TForm1& g, int n, int distancia, int passo) {
    const Lutador& l = g.L(n);
    Lutador& o = g.L(3 - n);
    o.desenho = static_cast<uint8_t>(baseDe(3 - n) + 26 + g.Random(2));
    o.ciclo = 0;
    o.cicloFim = 5;
    o.grav = 0;
    o.y += 10;
    if (o.y > kChao) o.y = kChao;
    const int d = distancia + passo * g.Random(2);
    o.x = l.lado == 1 ? l.x + d : l.x - d;
}

// A hold ends on the last cycles of its state.
inline bool soltando(const Lutador& l) {
    return l.ciclo > l.cicloFim - 2;
}

// The release: the grab's damage, the opponent knocked down and sliding away.
inline void solta(TForm1& g, int n, int dano, int recuo) {
    Lutador& o = g.L(3 - n);
    g.L(n).f = static_cast<uint8_t>(dano);
    o.hp -= dano * g.g.m.nivelDano;
    g.acao(3 - n, 10);
    o.recuo = static_cast<uint8_t>(recuo);
}

// A thrown opponent flies up, spinning.
inline void arremessa(TForm1& g, int n) {
    Lutador& o = g.L(3 - n);
    o.grav = -30;
    o.giro = o.lado == 1 ? -25 : 25;
}

// What a hold does on every call: the holder stands its ground, the opponent is kept in front,
// the combo counts on and the blows thud at random.
inline void aperta(TForm1& g, int n, int distancia, int passo, int hits, int hitsTempo) {
    Lutador& l = g.L(n);
    l.recuo = 0;
    segura(g, n, distancia, passo);
    l.hits = static_cast<uint8_t>(l.hits + hits);
    l.hitsTempo = static_cast<uint8_t>(hitsTempo);
    for (int k : {7, 8, 9})
        somAoAcaso(g, k, 4);
}

// The end of a hold that throws: the grab's damage, a short freeze, the blow switched off and
// the opponent flung up spinning.
inline void arremessaComDano(TForm1& g, int n, int dano, int recuo) {
    solta(g, n, dano, recuo);
    g.g.m.golpePausa = 5;
    g.L(n).ataque = 0;
    arremessa(g, n);
}

}  // namespace pelea::animacao
