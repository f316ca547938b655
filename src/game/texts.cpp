#include "game/texts.h"

#include <array>

namespace pelea {

namespace {

constexpr std::array<std::string_view, 13> kNomes = {
    "-",
    "Paco Sombrero",
    "Gordo Ruiz",
    "Lupe Centella",
    "Toño Cuernos",
    "Chispita",
    "Gran Goyo",
    "Rulo Veloz",
    "Beto Patines",
    "Don Remedios",
    "Chela Abanico",
    "El Coyote",
    "Chuy Tornado",
};

constexpr std::array<std::string_view, 13> kTexto = {
    "-",
    "Primer  Mangazo",
    "Ganaste un Ron",
    "Mangazos",
    "JUESU!",
    "QUE RICO! ",
    "PON 100 PEJOS",
    "ENTRA POH! ",
    "PELEA  -  HECHO EN EL BARRIO",
    "TIME ",
    "ESPERA ...",
    "ESPERA VIENE ",
    "ALGUIEN !!!!",
};

constexpr std::array<std::string_view, 15> kConfig = {
    "-",   "Configuracion", "Nível Juego  ", "Limite de Tempo", "Si ",
    "No ", "Poder",         "NORMAL",        "1P MAX",          "2P MAX",
    "MAX", "Nível de Daño", "Sangre",        "Rounds",          "F1SALIR",
};

// Three phrases per character, then a separator line.
constexpr std::array<std::string_view, 49> kFrases = {
    "-",
    // 1 Paco Sombrero
    "Se me voló el sombrero, pero no la dignidad.",
    "Vuelve cuando aprendas a pelear, compadre.",
    "Ni el viento me tumba, menos tú.",
    "-",
    // 2 Gordo Ruiz
    "Esto lo celebro con un buen plato.",
    "Peso pesado, golpe pesado.",
    "¿Quién dijo que el gordo no corre?",
    "-",
    // 3 Lupe Centella
    "Más rápida que un chisme en el mercado.",
    "Parpadeaste y ya estabas en el suelo.",
    "Ese golpe te lo mandé con cariño.",
    "-",
    // 4 Toño Cuernos
    "Cuando embisto, no hay quien me pare.",
    "Te avisé que venía la estampida.",
    "¡Ole! Y al suelo.",
    "-",
    // 5 Chispita
    "¡Chiquito pero matón!",
    "Ni me viste venir, abuelo.",
    "¡Otra, otra! ¿Ya te cansaste?",
    "-",
    // 6 Gran Goyo
    "Cuando caigo yo, tiembla el barrio.",
    "Mientras más grande, más dura la caída.",
    "Anda a crecer y después vuelves.",
    "-",
    // 7 Rulo Veloz
    "Ya me fui y tú recién te diste cuenta.",
    "La próxima corre más, pues.",
    "Velocidad pura, sin frenos.",
    "-",
    // 8 Beto Patines
    "Me deslicé y tú te caíste.",
    "Sin frenos y sin piedad.",
    "Rueda, rueda, que te pasé.",
    "-",
    // 9 Don Remedios
    "Para cada mal, un coscorrón.",
    "Toma tu remedio y a la cama.",
    "Respeta a tus mayores, chiquillo.",
    "-",
    // 10 Chela Abanico
    "Con gracia y con fuerza, así se baila.",
    "Te abaniqué hasta el suelo.",
    "Aprende a bailar y después hablamos.",
    "-",
    // 11 El Coyote
    "El desierto no perdona, y yo tampoco.",
    "Auuuu... otra presa más.",
    "Come arena, forastero.",
    "-",
    // 12 Chuy Tornado
    "Te di más vueltas que una lavadora.",
    "¿Mareado? Así empieza el tornado.",
    "Gira, gira, y al suelo.",
    "-",
};

}  // namespace

const TextStore MemoNomes{kNomes};
const TextStore MemoTexto{kTexto};
const TextStore MemoConfig{kConfig};
const TextStore MemoFrases{kFrases};

}  // namespace pelea
