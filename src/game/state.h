// Everything that changes during play, in one trivially copyable record: the two fighters, the
// match variables, the 80 effect slots and the random generator. Copying it saves a frame;
// assigning it back restores it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace pelea {

// A rectangle relative to a fighter's anchor (x rightwards, y down from the frame top).
struct Area {
    int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// A short fixed text kept inside the state record (the version label).
struct ShortText {
    char s[16] = {};
};

using Buttons4 = std::array<uint8_t, 4>;

// The field lists: type, name, value at start-up. They make the records below and the name
// tables the headless runner uses for traces and `set` lines.
#define PELEA_LUTADOR_FIELDS(F) \
    F(I32, x, 0)                \
    F(I32, y, 300)              \
    F(I16, angulo, 0)           \
    F(I16, giro, 0)             \
    F(I32, cpuValor, 0)         \
    F(AREA, areaContato, {})    \
    F(AREA, areaAtaque, {})     \
    F(F64, hp, 125.0)           \
    F(F64, hpBarra, 125.0)      \
    F(F64, hpBarraEspera, 0.0)  \
    F(I16, estoque, 0)          \
    F(F64, especial, 0.0)       \
    F(U8, ataque, 0)            \
    F(U8, derruba, 0)           \
    F(U8, pulo, 0)              \
    F(U8, personagem, 1)        \
    F(U8, pos, 1)               \
    F(U8, desenho, 0)           \
    F(U8, lado, 1)              \
    F(U8, puloDir, 0)           \
    F(U8, t, 0)                 \
    F(U8, f, 0)                 \
    F(U8, fDefesa, 0)           \
    F(U8, recuo, 0)             \
    F(U8, ciclo, 0)             \
    F(U8, cicloFim, 0)          \
    F(I8, grav, 0)              \
    F(I16, altura, 0)           \
    F(U8, velocidade, 8)        \
    F(I32, pontos, 0)           \
    F(U8, roundsGanhos, 0)      \
    F(U8, frase, 1)             \
    F(U8, mensagem, 0)          \
    F(U8, mensagemTempo, 0)     \
    F(U8, naFrente, 0)          \
    F(U8, invencivel, 0)        \
    F(U8, defesa, 0)            \
    F(U8, andaFrente, 0)        \
    F(U8, hits, 0)              \
    F(U8, hitsTempo, 0)         \
    F(U8, hitsMax, 0)           \
    F(U8, sequencia, 0)         \
    F(U8, seqTempo, 0)          \
    F(U8, agacharTemp, 0)       \
    F(U8, trasTemp, 0)          \
    F(U8, socoRepet, 0)         \
    F(U8, chuteRepet, 0)        \
    F(U8, humano, 0)            \
    F(U8, escolhido, 0)         \
    F(BTN4, botaoAnt, {})       \
    F(BTN4, direcaoAnt, {})

#define PELEA_MATCH_FIELDS(F)  \
    F(U8, modoTela, 0)         \
    F(U8, itemMenu, 1)         \
    F(U8, faseSelecao, 1)      \
    F(I32, deslizeSelecao, 0)  \
    F(U8, tempo, 20)           \
    F(U8, tempoSub, 40)        \
    F(U8, pisca, 0)            \
    F(U8, numRound, 1)         \
    F(U8, rounds, 2)           \
    F(U8, inicioRound, 0)      \
    F(U8, finRound, 0)         \
    F(U8, lutaParada, 1)       \
    F(U8, estiloCortina, 0)    \
    F(U8, primeiroGolpe, 0)    \
    F(U8, golpePausa, 0)       \
    F(U8, pausaEspecial, 0)    \
    F(U8, esperaTempo, 0)      \
    F(U8, tremorTempo, 0)      \
    F(U8, flashTempo, 0)       \
    F(U8, velocidadTempo, 0)   \
    F(I32, telaX, 0)           \
    F(I32, telaY, 0)           \
    F(I16, hudTopoY, 0)        \
    F(I16, hudBaseY, 0)        \
    F(U8, numCenario, 0)       \
    F(U8, creditos, 0)         \
    F(U8, nivel, 4)            \
    F(U8, limiteDeTempo, 0)    \
    F(U8, poder, 1)            \
    F(U8, opcaoSangue, 1)      \
    F(F64, nivelDano, 0.7)     \
    F(F64, ganhoEspecial, 2.0) \
    F(U8, gravidade, 4)        \
    F(U16, vel, 28)            \
    F(U8, voadorAtivo, 0)      \
    F(I32, voadorX, 0)         \
    F(I32, voadorY, 0)         \
    F(U8, voadorVelocidade, 0) \
    F(U8, voadorCarga, 0)      \
    F(U16, voadorChance, 300)  \
    F(I32, mesaX, 0)           \
    F(I32, mesaY, 0)           \
    F(I32, mesaMargemX, 0)     \
    F(I32, mesaMargemY, 0)     \
    F(I32, mesaLargura, 0)     \
    F(I32, mesaAltura, 0)      \
    F(U8, mesaIcone, 0)        \
    F(U8, musicaCarregada, 0)  \
    F(U8, musicaPendente, 0)   \
    F(TEXT, versao, {"V1.00"})

#define PELEA_EFEITO_FIELDS(F) \
    F(I32, x, 0)               \
    F(I32, y, 0)               \
    F(AREA, areaContato, {})   \
    F(U8, direcao, 0)          \
    F(U8, velocidade, 0)       \
    F(U8, forca, 0)            \
    F(U8, dono, 0)             \
    F(I16, velocidadeY, 0)     \
    F(I16, alturaDesenho, 0)   \
    F(U8, piscando, 0)         \
    F(U8, derruba, 0)          \
    F(U8, persistente, 0)      \
    F(U8, tipo, 0)             \
    F(U8, idade, 0)            \
    F(U8, duracao, 0)          \
    F(U8, imagem, 0)           \
    F(U8, ativo, 0)

namespace fieldtype {
using U8 = uint8_t;
using I8 = int8_t;
using U16 = uint16_t;
using I16 = int16_t;
using I32 = int32_t;
using F64 = double;
using AREA = Area;
using BTN4 = Buttons4;
using TEXT = ShortText;
}  // namespace fieldtype

#define PELEA_DECLARE_FIELD(type, name, init) fieldtype::type name = init;

// The fighter record. Fields keep their declaration order.
struct Lutador {
    PELEA_LUTADOR_FIELDS(PELEA_DECLARE_FIELD)
};

// The match variables.
struct MatchState {
    PELEA_MATCH_FIELDS(PELEA_DECLARE_FIELD)
};

// One effect slot; free while tipo is 0.
struct Efeito {
    PELEA_EFEITO_FIELDS(PELEA_DECLARE_FIELD)
};

#undef PELEA_DECLARE_FIELD

constexpr int kEffectSlots = 80;

struct GameState {
    MatchState m;
    std::array<Lutador, 3> lutador;                // 1 and 2; 0 unused
    std::array<Efeito, kEffectSlots + 1> efeitos;  // 1 … 80; 0 unused
    uint64_t rng = 0;                              // random generator state
};

static_assert(std::is_trivially_copyable_v<GameState>, "a frame must be saved by copying");
static_assert(std::is_standard_layout_v<Lutador> && std::is_standard_layout_v<MatchState> &&
              std::is_standard_layout_v<Efeito>);

// Name tables of the records, in declaration order.
enum class FieldKind : uint8_t { U8, I8, U16, I16, I32, F64, AREA, BTN4, TEXT };

struct FieldInfo {
    const char* name;
    FieldKind kind;
    size_t offset;
};

#define PELEA_FIELD_INFO(rec, type, name, init) {#name, FieldKind::type, offsetof(rec, name)},
#define PELEA_LUTADOR_INFO(type, name, init) PELEA_FIELD_INFO(Lutador, type, name, init)
#define PELEA_MATCH_INFO(type, name, init) PELEA_FIELD_INFO(MatchState, type, name, init)
#define PELEA_EFEITO_INFO(type, name, init) PELEA_FIELD_INFO(Efeito, type, name, init)

inline constexpr FieldInfo kLutadorFields[] = {PELEA_LUTADOR_FIELDS(PELEA_LUTADOR_INFO)};
inline constexpr FieldInfo kMatchFields[] = {PELEA_MATCH_FIELDS(PELEA_MATCH_INFO)};
inline constexpr FieldInfo kEfeitoFields[] = {PELEA_EFEITO_FIELDS(PELEA_EFEITO_INFO)};

#undef PELEA_FIELD_INFO
#undef PELEA_LUTADOR_INFO
#undef PELEA_MATCH_INFO
#undef PELEA_EFEITO_INFO

}  // namespace pelea
