// The move list shown on the select screen: five commands per character, the fifth its super
// move (its label starts with "*"). Command letters: B down, C up, D forward, E back, Y diagonal,
// P a punch button, K a kick button, R tap quickly.
#pragma once

#include <array>

namespace pelea::move_list {

struct Move {
    const char* code;
    const char* label;
};

inline constexpr int kMovesPerCharacter = 5;

// One row per character, character 1 first.
inline constexpr std::array<std::array<Move, kMovesPerCharacter>, 12> kMoves{{
    {{{"BDP", "Bolazo Caliente"},
      {"BEP", "Embestida Loca"},
      {"BCP", "Tornillo Volador"},
      {"BEK", "Patada Voladora"},
      {"BEBDP", "*Columna Tremenda"}}},
    {{{"BDP", "Bola Picante"},
      {"DBDP", "Gancho Cohete"},
      {"DEDK", "Abrazo de Oso"},
      {"CBEK", "Bomba de Panza"},
      {"BDBEP", "*Abrazo Mortal"}}},
    {{{"BDP", "Beso Explosivo"},
      {"DBDP", "Grulla Ascendente"},
      {"BEP", "Rodillo Loco"},
      {"BEK", "Tijera Voladora"},
      {"BDBEK", "*Tijera Infernal"}}},
    {{{"BEP", "Bola de Toro"},
      {"YDP", "Cuernazo"},
      {"EBDK", "Coz Giratoria"},
      {"BDP", "Salto Sísmico"},
      {"BEBDK", "*Estampida Total"}}},
    {{{"BDP", "Chispazo"},
      {"BEK", "Rueda Loca"},
      {"BCK", "Salto Chispa"},
      {"KR", "Patadas Metralla"},
      {"BDBDK", "*Tormenta de Pies"}}},
    {{{"BDP", "Roca Rodante"},
      {"BDK", "Pisotón Gigante"},
      {"DBDP", "Martillo Alto"},
      {"DBDK", "Barrido Gigante"},
      {"BDBDK", "*Caída del Cielo"}}},
    {{{"PR", "Puños Metralla"},
      {"EDP", "Gancho Relámpago"},
      {"BCK", "Patada Tornado"},
      {"BCP", "Salto del Tigre"},
      {"BDBEP", "*Trueno Final"}}},
    {{{"BDP", "Rueda de Fuego"},
      {"CBDP", "Lluvia de Tuercas"},
      {"DBDP", "Patín Cohete"},
      {"BEK", "Derrape Loco"},
      {"BDBDK", "*Carrera Infernal"}}},
    {{{"BDK", "Remolino Anciano"},
      {"DBDK", "Patada Centenaria"},
      {"BDP", "Palma de Té"},
      {"CBEK", "Caída de Grulla"},
      {"BDBDK", "*Furia Milenaria"}}},
    {{{"PR", "Abanico Veloz"},
      {"EDP", "Vuelo del Fénix"},
      {"BCK", "Giro de Seda"},
      {"BDK", "Patada Mariposa"},
      {"EDEDP", "*Danza Celestial"}}},
    {{{"BDP", "Pedrada Picante"},
      {"BEP", "Remolino de Arena"},
      {"BDK", "Látigo de Pierna"},
      {"BEK", "Salto del Coyote"},
      {"BDBDK", "*Tormenta de Arena"}}},
    {{{"BDP", "Puño de Viento"},
      {"DBDP", "Ascenso Feroz"},
      {"BEK", "Huracán de Piernas"},
      {"CBEK", "Patada Fantasma"},
      {"BDBDK", "*Mil Golpes Locos"}}},
}};

}  // namespace pelea::move_list
