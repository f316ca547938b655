// Special moves: each character's rows for codes 16…24, and the super rule.
#include "fighter/acao_especiais.h"

#include "game/tform1.h"

namespace pelea::especial {

namespace {

constexpr int16_t kChao = 300;
constexpr int16_t kAlturaSalto10 = 250;  // character 10's rising kick starts above the floor
constexpr int kYMinimo = 210;            // rows marked low: the fighter may not be higher

// clang-format off
// Character 1.
constexpr Linha kC01[] = {
    {.codigo = 16, .ultimo = 17, .pos = 25, .de = {1, 2, 21, 22}, .fim = {28, 28}, .ganho = 5},
    {.codigo = 18, .ultimo = 19, .pos = 26, .de = {1, 2, 21, 22}, .fim = {16, 27}, .ganho = 5},
    {.codigo = 20, .ultimo = 21, .pos = 27, .de = {1, 2, 12, 22, 26}, .baixo = true,
     .fim = {10, 16}, .ganho = 6,
     .efeitos = Extra::PoeY | Extra::Pulo0 | Extra::Grav | Extra::PuloDir0 | Extra::Agachar0 | Extra::Sequencia0, .y = kChao},
    {.codigo = 22, .ultimo = 23, .pos = 28, .de = {1, 2, 21, 22}, .fim = {15, 18}, .ganho = 5},
    {.codigo = 24, .ultimo = 24, .pos = 29, .de = {1, 2, 5, 7, 21, 22}, .fim = {38, 38}, .t = 3,
     .som = 19, .super = true, .quadro = 35},
};

// Character 2: the super move is code 23; code 22 serves both kick buttons.
constexpr Linha kC02[] = {
    {.codigo = 16, .ultimo = 17, .pos = 25, .de = {1, 2, 21, 22}, .fim = {28, 28}, .ganho = 5},
    {.codigo = 18, .ultimo = 19, .pos = 26, .de = {1, 2, 7, 21, 22}, .cond = Condicao::AtaqueZero,
     .condPos = 30, .fim = {30, 30}, .ganho = 6},
    {.codigo = 20, .ultimo = 21, .pos = 27, .de = {12, 14}, .fim = {20, 20}, .ganho = 5,
     .efeitos = Extra::Derruba | Extra::Pulo0, .som = 21},
    {.codigo = 22, .ultimo = 22, .pos = 28, .de = {1, 2, 21, 22}, .fim = {45, 45}, .ganho = 7,
     .t = kTMantido},
    {.codigo = 23, .ultimo = 23, .pos = 30, .de = {1, 2, 5, 7, 21, 22},
     .cond = Condicao::CicloAlMenos, .condPos = 25, .condValor = 13, .fim = {13, 13}, .t = 2,
     .som = 19, .super = true, .quadro = 44},
};

// Character 3.
constexpr Linha kC03[] = {
    {.codigo = 16, .ultimo = 17, .pos = 25, .de = {1, 2, 21, 22}, .fim = {28, 28}, .ganho = 5,
     .som = 23},
    {.codigo = 18, .ultimo = 19, .pos = 26, .de = {1, 2, 7, 21, 22}, .fim = {15, 15}, .ganho = 5,
     .efeitos = Extra::Derruba | Extra::Grav | Extra::Pulo1, .grav = {-23, -29}, .som = 24},
    {.codigo = 20, .ultimo = 21, .pos = 27, .de = {1, 2, 21, 22}, .fim = {14, 19}, .ganho = 5,
     .efeitos = Extra::Derruba, .som = 24},
    {.codigo = 22, .ultimo = 23, .pos = 28, .de = {1, 2, 21, 22}, .fim = {15, 15}, .ganho = 6,
     .efeitos = Extra::Grav | Extra::Pulo1, .grav = {-19, -23}},
    {.codigo = 24, .ultimo = 24, .pos = 29, .de = {1, 2, 6, 7, 21, 22}, .fim = {15, 15},
     .t = kTMantido, .som = 19, .super = true, .quadro = 45},
};

// Character 4.
constexpr Linha kC04[] = {
    {.codigo = 16, .ultimo = 17, .pos = 25, .de = {1, 2, 21, 22}, .fim = {28, 28}, .ganho = 5,
     .som = 25},
    {.codigo = 18, .ultimo = 19, .pos = 26, .de = {1, 2, 21, 22}, .fim = {13, 16}, .ganho = 5,
     .efeitos = Extra::Derruba, .som = 26},
    {.codigo = 20, .ultimo = 21, .pos = 27, .de = {1, 2, 7, 21, 22}, .fim = {15, 15}, .ganho = 6},
    {.codigo = 22, .ultimo = 23, .pos = 28, .de = {1, 2, 21, 22}, .fim = {15, 15}, .ganho = 5,
     .efeitos = Extra::Derruba | Extra::Grav | Extra::Pulo1, .grav = {-26, -32}, .som = 27},
    {.codigo = 24, .ultimo = 24, .pos = 29, .de = {1, 2, 7, 21, 22, 26}, .fim = {13, 13}, .t = 2,
     .efeitos = Extra::Derruba | Extra::OponenteAlvo, .som = 19, .super = true, .quadro = 12},
};

// Character 5.
constexpr Linha kC05[] = {
    {.codigo = 16, .ultimo = 17, .pos = 25, .de = {1, 2, 21, 22}, .fim = {28, 28}, .ganho = 5,
     .som = 29},
    {.codigo = 18, .ultimo = 19, .pos = 26, .de = {1, 2, 21, 22}, .fim = {23, 23}, .ganho = 5,
     .som = 30},
    {.codigo = 20, .ultimo = 21, .pos = 27, .de = {1, 2, 12, 22}, .baixo = true, .fim = {38, 40},
     .ganho = 6, .efeitos = Extra::PoeY | Extra::Grav | Extra::Pulo0 | Extra::Agachar0, .y = kChao, .som = 31},
    {.codigo = 22, .ultimo = 23, .pos = 28, .de = {1, 2, 7, 21, 22}, .fim = {20, 20}, .ganho = 5,
     .efeitos = Extra::Chute0, .som = 32},
    {.codigo = 24, .ultimo = 24, .pos = 29, .de = {1, 2, 7, 21, 22, 28}, .fim = {30, 30},
     .t = kTMantido, .som = 19, .super = true, .quadro = 6},
};

// Character 6.
constexpr Linha kC06[] = {
    {.codigo = 16, .ultimo = 17, .pos = 25, .de = {1, 2, 21, 22}, .fim = {28, 28}, .ganho = 5,
     .som = 33},
    {.codigo = 18, .ultimo = 19, .pos = 26, .de = {1, 2, 21, 22}, .fim = {28, 28}, .ganho = 5,
     .som = 33},
    {.codigo = 20, .ultimo = 21, .pos = 27, .de = {1, 2, 7, 21, 22}, .fim = {25, 25}, .ganho = 5,
     .efeitos = Extra::Pulo0, .som = 34},
    {.codigo = 22, .ultimo = 23, .pos = 28, .de = {1, 2, 7, 21, 22}, .fim = {30, 30}, .ganho = 5,
     .som = 35},
    {.codigo = 24, .ultimo = 24, .pos = 29, .de = {1, 2, 5, 7, 21, 22}, .fim = {50, 50},
     .t = kTMantido, .efeitos = Extra::Grav | Extra::Pulo1, .grav = {-18, -18}, .som = 19, .super = true,
     .quadro = 41},
};

// Character 7.
constexpr Linha kC07[] = {
    {.codigo = 16, .ultimo = 17, .pos = 25, .de = {1, 2, 21, 22}, .fim = {17, 20}, .ganho = 5,
     .efeitos = Extra::Soco0, .som = 36},
    {.codigo = 18, .ultimo = 19, .pos = 26, .de = {1, 2, 7, 21, 22}, .fim = {15, 15}, .ganho = 5,
     .efeitos = Extra::Soco0, .som = 37},
    {.codigo = 20, .ultimo = 21, .pos = 27, .de = {1, 2, 12, 22}, .baixo = true, .fim = {15, 15},
     .ganho = 5, .efeitos = Extra::PoeY | Extra::Pulo1 | Extra::Grav | Extra::PuloDir0 | Extra::Agachar0, .y = kChao,
     .grav = {-27, -32}, .som = 38},
    {.codigo = 22, .ultimo = 23, .pos = 28, .de = {1, 2, 12, 22}, .baixo = true, .fim = {15, 15},
     .ganho = 5, .efeitos = Extra::PoeY | Extra::Pulo1 | Extra::Grav | Extra::PuloDir0 | Extra::Agachar0, .y = kChao,
     .grav = {-27, -30}, .som = 37},
    {.codigo = 24, .ultimo = 24, .pos = 29, .de = {1, 2, 7, 21, 22}, .fim = {12, 12},
     .t = kTMantido, .som = 19, .super = true, .quadro = 38},
};

// Character 8.
constexpr Linha kC08[] = {
    {.codigo = 16, .ultimo = 17, .pos = 25, .de = {1, 2, 21, 22}, .fim = {28, 28}, .ganho = 5,
     .som = 39},
    {.codigo = 18, .ultimo = 19, .pos = 26, .de = {12}, .fim = {15, 15}, .ganho = 5, .som = 39},
    {.codigo = 20, .ultimo = 21, .pos = 27, .de = {1, 2, 7, 21, 22}, .fim = {20, 20}, .ganho = 5,
     .som = 40},
    {.codigo = 22, .ultimo = 23, .pos = 28, .de = {1, 2, 7, 12, 21, 22}, .fim = {25, 25},
     .ganho = 5, .som = 41},
    {.codigo = 24, .ultimo = 24, .pos = 29, .de = {1, 2, 7, 21, 22}, .fim = {20, 20},
     .t = kTMantido, .som = 19, .super = true, .quadro = 33},
};

// Character 9.
constexpr Linha kC09[] = {
    {.codigo = 16, .ultimo = 17, .pos = 25, .de = {1, 2, 21, 22}, .fim = {14, 23}, .ganho = 5,
     .som = 43},
    {.codigo = 18, .ultimo = 19, .pos = 26, .de = {1, 2, 21, 22}, .fim = {20, 20}, .ganho = 5,
     .som = 44},
    {.codigo = 20, .ultimo = 21, .pos = 27, .de = {1, 2, 21, 22}, .fim = {15, 15}, .ganho = 5,
     .efeitos = Extra::Poeira, .som = 45},
    {.codigo = 22, .ultimo = 23, .pos = 28, .de = {12}, .fim = {15, 15}, .ganho = 5,
     .efeitos = Extra::Pulo0, .som = 45},
    {.codigo = 24, .ultimo = 24, .pos = 29, .de = {1, 2, 7, 21, 22, 27}, .fim = {40, 40},
     .t = kTMantido, .som = 19, .super = true, .quadro = 19},
};

// Character 10.
constexpr Linha kC10[] = {
    {.codigo = 16, .ultimo = 17, .pos = 25, .de = {1, 2, 21, 22}, .fim = {16, 16}, .ganho = 5,
     .efeitos = Extra::Soco0, .som = 47},
    {.codigo = 18, .ultimo = 19, .pos = 26, .de = {1, 2, 21, 22}, .fim = {11, 20}, .ganho = 6,
     .som = 48},
    {.codigo = 20, .ultimo = 21, .pos = 27, .de = {1, 2, 12, 22}, .baixo = true, .fim = {20, 20},
     .ganho = 5, .efeitos = Extra::PoeY | Extra::Pulo1 | Extra::Grav, .y = kAlturaSalto10, .grav = {-25, -28},
     .som = 49},
    {.codigo = 22, .ultimo = 23, .pos = 28, .de = {1, 2, 5, 21, 22}, .fim = {13, 13}, .ganho = 5,
     .som = 49},
    {.codigo = 24, .ultimo = 24, .pos = 29, .de = {1, 2, 7, 21, 22, 25}, .fim = {40, 40},
     .t = kTMantido, .som = 19, .super = true, .quadro = 38},
};

// Character 11.
constexpr Linha kC11[] = {
    {.codigo = 16, .ultimo = 17, .pos = 25, .de = {1, 2, 21, 22}, .fim = {28, 28}, .ganho = 5},
    {.codigo = 18, .ultimo = 19, .pos = 26, .de = {1, 2, 21, 22}, .fim = {30, 30}, .ganho = 6},
    {.codigo = 20, .ultimo = 21, .pos = 27, .de = {1, 2, 21, 22}, .fim = {9, 15}, .ganho = 5},
    {.codigo = 22, .ultimo = 23, .pos = 28, .de = {1, 2, 21, 22}, .cond = Condicao::CicloAcima,
     .condPos = 29, .condValor = 26, .fim = {12, 12}, .ganho = 5},
    {.codigo = 24, .ultimo = 24, .pos = 29, .de = {1, 2, 7, 21, 22, 27}, .fim = {45, 45},
     .t = kTMantido, .som = 19, .super = true, .quadro = 6},
};

// Character 12: the super move is code 22; codes 23 and 24 are not accepted.
constexpr Linha kC12[] = {
    {.codigo = 16, .ultimo = 17, .pos = 25, .de = {1, 2, 21, 22}, .fim = {28, 28}, .ganho = 5},
    {.codigo = 18, .ultimo = 19, .pos = 26, .de = {1, 2, 7, 21, 22}, .cond = Condicao::AtaqueZero,
     .condPos = 30, .fim = {20, 20}, .ganho = 6},
    {.codigo = 20, .ultimo = 21, .pos = 27, .de = {1, 2, 5, 12, 21, 22}, .fim = {28, 28},
     .ganho = 5, .efeitos = Extra::Grav | Extra::Pulo0 | Extra::PuloDir0},
    {.codigo = 22, .ultimo = 22, .pos = 28, .de = {1, 2, 7, 21, 22}, .fim = {35, 35},
     .t = kTMantido, .som = 19, .super = true, .quadro = 38},
};
// clang-format on

constexpr std::span<const Linha> kTabelas[] = {kC01, kC02, kC03, kC04, kC05, kC06,
                                               kC07, kC08, kC09, kC10, kC11, kC12};

constexpr double kLimiteEspecial = 102.0;
constexpr int kEstoqueCheio = 3;
constexpr double kVidaDesespero = 15.0;  // at this life or less the super move needs no stock
constexpr uint8_t kPausaSuper = 22;
constexpr int kBaseLutador2 = 50;
constexpr int kTipoPoeira = 2;  // effect kind of a rising puff
constexpr int kPuffs = 5;

bool listada(const Linha& r, uint8_t pos) {
    for (uint8_t d : r.de) {
        if (d == 0) break;
        if (d == pos) return true;
    }
    return false;
}

bool condicaoExtra(const Linha& r, const Lutador& l) {
    if (r.cond == Condicao::Nenhuma || l.pos != r.condPos) return false;
    switch (r.cond) {
        case Condicao::AtaqueZero:
            return l.ataque == 0;
        case Condicao::CicloAlMenos:
            return l.ciclo >= r.condValor;
        case Condicao::CicloAcima:
            return l.ciclo > r.condValor;
        case Condicao::Nenhuma:
            break;
    }
    return false;
}

bool aceita(const Linha& r, const Lutador& l) {
    if (r.baixo && l.y < kYMinimo) return false;
    if (!listada(r, l.pos) && !condicaoExtra(r, l)) return false;
    // The super rule: refused with no stock unless life is down to 15.
    return !(r.super && l.hp > kVidaDesespero && l.estoque < 1);
}

void poeira(TForm1& f, int n) {
    for (int i = 0; i < kPuffs; ++i) {
        const int px = f.L(n).x - 30 + f.Random(40);
        const int py = f.L(n).y - 10 - f.Random(10);
        f.criaefeito(px, py, kTipoPoeira, "", 0);
    }
}

void aplicaEfeitos(TForm1& f, int n, const Linha& r, bool pesado) {
    Lutador& l = f.L(n);
    const Extras e = r.efeitos;
    if (e.tem(Extra::PoeY)) l.y = r.y;
    if (e.tem(Extra::Pulo0)) l.pulo = 0;
    if (e.tem(Extra::Pulo1)) l.pulo = 1;
    if (e.tem(Extra::Grav)) l.grav = r.grav[pesado ? 1 : 0];
    if (e.tem(Extra::PuloDir0)) l.puloDir = 0;
    if (e.tem(Extra::Agachar0)) l.agacharTemp = 0;
    if (e.tem(Extra::Sequencia0)) l.sequencia = 0;
    if (e.tem(Extra::Derruba)) l.derruba = 1;
    if (e.tem(Extra::Soco0)) l.socoRepet = 0;
    if (e.tem(Extra::Chute0)) l.chuteRepet = 0;
    if (e.tem(Extra::OponenteAlvo)) f.L(3 - n).invencivel = 0;
    if (e.tem(Extra::Poeira)) poeira(f, n);
}

void gastaEstoque(TForm1& f, int n, const Linha& r) {
    Lutador& l = f.L(n);
    if (l.estoque == kEstoqueCheio) l.especial = 0.0;  // only a full bar is emptied
    --l.estoque;
    l.desenho = static_cast<uint8_t>((n == 2 ? kBaseLutador2 : 0) + r.quadro);
    f.g.m.pausaEspecial = kPausaSuper;
}

void aplica(TForm1& f, int n, const Linha& r, bool pesado) {
    Lutador& l = f.L(n);
    l.pos = r.pos;
    l.ciclo = 0;
    l.cicloFim = r.fim[pesado ? 1 : 0];
    if (r.t == kTVariante) {
        l.t = pesado ? 2 : 1;
    } else if (r.t != kTMantido) {
        l.t = static_cast<uint8_t>(r.t);
    }
    if (r.ganho > 0 && l.especial < kLimiteEspecial) l.especial += r.ganho * f.g.m.ganhoEspecial;
    aplicaEfeitos(f, n, r, pesado);
    if (r.super) gastaEstoque(f, n, r);
    if (r.som != 0) f.DXWaveListSnd.Play(r.som);
}

}  // namespace

std::span<const Linha> tabela(int personagem) {
    if (personagem < 1 || personagem > static_cast<int>(std::size(kTabelas))) return {};
    return kTabelas[personagem - 1];
}

bool acao(TForm1& f, int n, int codigo) {
    for (const Linha& r : tabela(f.L(n).personagem)) {
        if (codigo < r.codigo || codigo > r.ultimo) continue;
        if (!aceita(r, f.L(n))) return false;
        aplica(f, n, r, r.ultimo != r.codigo && codigo == r.ultimo);
        return true;
    }
    return false;
}

}  // namespace pelea::especial
