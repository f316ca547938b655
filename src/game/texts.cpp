#include "game/texts.h"

#include <array>

namespace pelea {

namespace {

constexpr std::array<std::string_view, 13> kNomes = {
    "-",
    "Paco Sombrero",
    "Lupe Centella",
    "Toño Trueno",
    "Chela Brava",
    "Gordo Ruiz",
    "Nacha Fuego",
    "Rulo Veloz",
    "Beto Culebra",
    "Doña Remedios",
    "Chuy Tornado",
    "Mono Pérez",
    "La Flaca",
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
    "-",
    "Configuracion",
    "Nível Juego  ",
    "Limite de Tempo",
    "Si ",
    "No ",
    "Poder",
    "NORMAL",
    "1P MAX",
    "2P MAX",
    "MAX",
    "Nível de Daño",
    "Sangre",
    "Rounds",
    "F1SALIR",
};

// Three phrases per character, then a separator line.
constexpr std::array<std::string_view, 49> kFrases = {
    "-",
    // 1 Paco Sombrero
    "Se me voló el sombrero, pero no la dignidad.",
    "Vuelve cuando aprendas a pelear, compadre.",
    "Ni el viento me tumba, menos tú.",
    "-",
    // 2 Lupe Centella
    "Más rápida que un chisme en el mercado.",
    "Parpadeaste y ya estabas en el suelo.",
    "Ese golpe te lo mandé con cariño.",
    "-",
    // 3 Toño Trueno
    "Cuando yo truena, tú te callas.",
    "Te avisé que venía la tormenta.",
    "Ni el paraguas te salva de esta.",
    "-",
    // 4 Chela Brava
    "Con la Chela no se juega, mijo.",
    "Anda a llorarle a tu mamá.",
    "Otra vez será, si es que te dejo.",
    "-",
    // 5 Gordo Ruiz
    "Esto lo celebro con un buen plato.",
    "Peso pesado, golpe pesado.",
    "¿Quién dijo que el gordo no corre?",
    "-",
    // 6 Nacha Fuego
    "Te quemé antes de que llegaras.",
    "Pica más que el ají de mi abuela.",
    "Échale agua, que te está humeando.",
    "-",
    // 7 Rulo Veloz
    "Ya me fui y tú recién te diste cuenta.",
    "La próxima corre más, pues.",
    "Velocidad pura, sin frenos.",
    "-",
    // 8 Beto Culebra
    "Me arrastro, pero muerdo.",
    "Nunca le des la espalda a una culebra.",
    "Sssssabía que ibas a caer.",
    "-",
    // 9 Doña Remedios
    "Para cada mal, un coscorrón.",
    "Toma tu remedio y a la cama.",
    "Respeta a tus mayores, chiquillo.",
    "-",
    // 10 Chuy Tornado
    "Te di más vueltas que una lavadora.",
    "¿Mareado? Así empieza el tornado.",
    "Gira, gira, y al suelo.",
    "-",
    // 11 Mono Pérez
    "Colgado de la rama y ganando igual.",
    "¿Quién es el mono ahora, ah?",
    "Plátano para mí, chichón para ti.",
    "-",
    // 12 La Flaca
    "Flaca, pero con mano de fierro.",
    "Me viste venir y no me creíste.",
    "Huesos duros, golpes más duros.",
    "-",
};

}  // namespace

const TextStore MemoNomes{kNomes};
const TextStore MemoTexto{kTexto};
const TextStore MemoConfig{kConfig};
const TextStore MemoFrases{kFrases};

}  // namespace pelea
