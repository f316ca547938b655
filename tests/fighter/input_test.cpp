// Reading the devices: directions relative to the facing, the recogniser's window and hold
// timers, the person-input step's walk, crouch, stand and jump rules, and the block requests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fighter/comandos_leitura.h"
#include "support/game_fixture.h"

namespace pelea {
namespace {

using testing::Game;

constexpr uint32_t U = media::isUp, D = media::isDown, Lt = media::isLeft, Rt = media::isRight;

// Fighter 1's keyboard and fighter 2's joystick, polled as the fight frame polls them.
void hold(Game& game, uint32_t keyboard, uint32_t joystick = 0) {
    game.plat.keyboard = keyboard;
    game.plat.joystick = joystick;
    game.form.DXInput1.Update();
}

void recognise(Game& game, int n, uint32_t held) {
    if (n == 1) hold(game, held);
    if (n == 2) hold(game, 0, held);
    game.form.sequenciagolpe(n);
}

// One game for all the cases of a test; each case starts from the state it had when made.
struct Fresh {
    Game game;
    GameState start = game.g();
    Game& operator()() {
        game.g() = start;
        return game;
    }
};

TEST(Seta, DirectionsFollowTheDeviceAndTheFacing) {
    struct Case {
        int n;
        uint32_t keyboard, joystick;
        uint8_t lado;
        const char* nome;
        bool expected;
    };
    const Case cases[] = {
        {1, D, 0, 1, "BAIXO", true},      {1, U, 0, 1, "CIMA", true},
        {1, U, 0, 1, "BAIXO", false},     {1, Rt, 0, 1, "FRENTE", true},
        {1, Rt, 0, 1, "TRAS", false},     {1, Lt, 0, 1, "TRAS", true},
        {1, Rt, 0, 2, "TRAS", true},      {1, Lt, 0, 2, "FRENTE", true},
        {1, Lt, 0, 2, "TRAS", false},     {1, Lt | Rt, 0, 1, "FRENTE", true},
        {1, Lt | Rt, 0, 1, "TRAS", true}, {1, D | Rt, 0, 1, "BAIXO", true},
        {2, D, 0, 1, "BAIXO", false},     {2, 0, D, 1, "BAIXO", true},
        {2, 0, Lt, 2, "FRENTE", true},    {2, Rt, Lt, 2, "TRAS", false},
        {1, D, 0, 1, "baixo", false},     {1, D, 0, 1, "BAIXO ", false},
        {0, D, D, 1, "BAIXO", false},     {3, D, D, 1, "BAIXO", false},
    };
    Fresh fresh;
    for (const Case& c : cases) {
        Game& game = fresh();
        hold(game, c.keyboard, c.joystick);
        if (c.n == 1 || c.n == 2) game.L(c.n).lado = c.lado;
        EXPECT_EQ(game.form.seta(c.n, c.nome), c.expected)
            << "fighter " << c.n << " " << c.nome << " lado " << int(c.lado);
    }
}

TEST(Sequencia, MovesOnlyFromItsStateAndRestartsTheWindow) {
    struct Case {
        uint8_t sequencia, seqTempo;
        int de, para;
        int expSequencia, expTempo;
    };
    const Case cases[] = {
        {0, 0, 0, 1, 1, 9}, {3, 2, 3, 5, 5, 9},
        {3, 2, 4, 5, 3, 2}, {4, 1, 4, 4, 4, 9},  // re-entering the state refreshes the window
        {0, 0, 1, 2, 0, 0},
    };
    Fresh fresh;
    for (const Case& c : cases) {
        Game& game = fresh();
        game.L(1).sequencia = c.sequencia;
        game.L(1).seqTempo = c.seqTempo;
        game.form.sequencia(1, c.de, c.para);
        EXPECT_EQ(game.L(1).sequencia, c.expSequencia) << c.de << ">" << c.para;
        EXPECT_EQ(game.L(1).seqTempo, c.expTempo) << c.de << ">" << c.para;
    }
}

TEST(Recogniser, HoldTimersCountToEighteenAndDecayToOne) {
    struct Case {
        uint8_t start;
        bool held;
        int expected;
    };
    const Case cases[] = {{0, true, 1},  {17, true, 18}, {18, true, 18}, {5, false, 4},
                          {2, false, 1}, {1, false, 1},  {0, false, 0}};
    Fresh fresh;
    for (const Case& c : cases) {
        EXPECT_EQ(comandos::tempoSegura(c.start, c.held), c.expected)
            << int(c.start) << (c.held ? " held" : " released");
        // The same through the recogniser, for down and for back.
        Game& game = fresh();
        game.L(1).agacharTemp = c.start;
        game.L(1).trasTemp = c.start;
        recognise(game, 1, c.held ? D : 0);
        EXPECT_EQ(game.L(1).agacharTemp, c.expected) << int(c.start);
        game.L(1).lado = 2;  // facing left, right is back
        game.L(1).trasTemp = c.start;
        recognise(game, 1, c.held ? Rt : 0);
        EXPECT_EQ(game.L(1).trasTemp, c.expected) << int(c.start);
    }
}

TEST(Recogniser, StateFallsBackToNothingNineTicksAfterItsLastStep) {
    // Character 1: down, `gap` empty ticks, forward. A pause during the gap stops the window.
    struct Case {
        int gap;
        bool golpePausa, pausaEspecial;
        int expected;
    };
    const Case cases[] = {{0, false, false, 2},
                          {7, false, false, 2},
                          {8, false, false, 0},
                          {20, true, false, 2},
                          {20, false, true, 2}};
    Fresh fresh;
    for (const Case& c : cases) {
        Game& game = fresh();
        recognise(game, 1, D);
        EXPECT_EQ(game.L(1).seqTempo, 8);
        game.m().golpePausa = c.golpePausa ? 3 : 0;
        game.m().pausaEspecial = c.pausaEspecial ? 3 : 0;
        for (int i = 0; i < c.gap; ++i)
            recognise(game, 1, 0);
        game.m().golpePausa = 0;
        game.m().pausaEspecial = 0;
        recognise(game, 1, Rt);
        EXPECT_EQ(game.L(1).sequencia, c.expected) << "gap " << c.gap;
    }
}

TEST(Recogniser, LeftAndRightTogetherPassOnlyLinesThatIgnoreOneOfThem) {
    struct Case {
        int personagem;
        uint8_t sequencia, trasTemp;
        uint32_t held;
        int expected;
    };
    const Case cases[] = {
        {2, 0, 0, Rt, 3},       {2, 0, 0, Lt | Rt, 0},   // FWD wants back released
        {4, 0, 0, Lt, 6},       {4, 0, 0, Lt | Rt, 0},   // BACK wants forward released
        {7, 0, 10, Rt, 1},      {7, 0, 10, Lt | Rt, 0},  // FWD/d wants back released
        {2, 3, 0, Lt | Rt, 3},  {8, 1, 0, Lt | Rt, 1},   //
        {1, 1, 0, Lt | Rt, 2},  {3, 1, 0, Lt | Rt, 2},   // FWD/b ignores back
        {11, 1, 0, Lt | Rt, 2},
    };
    Fresh fresh;
    for (const Case& c : cases) {
        Game& game = fresh();
        Lutador& l = game.L(1);
        l.personagem = static_cast<uint8_t>(c.personagem);
        l.sequencia = c.sequencia;
        l.seqTempo = 5;
        l.trasTemp = c.trasTemp;
        recognise(game, 1, c.held);
        EXPECT_EQ(l.sequencia, c.expected)
            << "character " << c.personagem << " from " << int(c.sequencia);
    }
}

TEST(Recogniser, FacingLeftSwapsForwardAndBack) {
    struct Case {
        int n;
        int personagem;
        uint8_t lado;
        std::vector<uint32_t> ticks;
        int expected;
    };
    const Case cases[] = {
        {1, 1, 2, {D, Lt}, 2},
        {1, 1, 2, {D, Rt}, 3},
        {1, 1, 1, {D, Rt}, 2},
        {2, 1, 2, {D, Lt}, 2},
        {2, 2, 2, {Lt, D, Lt}, 5},
        {1, 7, 2, {Rt, Rt, Rt, Rt, Rt, Rt, Lt}, 1},  // charging back is holding right
        {1, 7, 2, {Lt, Lt, Lt, Lt, Lt, Lt, Rt}, 0},
    };
    Fresh fresh;
    for (const Case& c : cases) {
        Game& game = fresh();
        game.L(c.n).personagem = static_cast<uint8_t>(c.personagem);
        game.L(c.n).lado = c.lado;
        for (uint32_t held : c.ticks)
            recognise(game, c.n, held);
        EXPECT_EQ(game.L(c.n).sequencia, c.expected)
            << "fighter " << c.n << " character " << c.personagem;
    }
}

// Left and right held together: the fighter walks left, then right, by its speed each, so it
// goes nowhere while its walk advances twice; with down held it crouches instead.
TEST(PersonInput, BothDirectionsHeldWalkLeftThenRight) {
    struct Case {
        uint32_t held;
        int dx, ciclo, pos;
    };
    const Case cases[] = {
        {Lt, -8, 1, 2}, {Rt, 8, 1, 2}, {Lt | Rt, 0, 2, 2}, {D | Lt | Rt, 0, 0, 7}, {0, 0, 0, 1},
    };
    Fresh fresh;
    for (const Case& c : cases) {
        Game& game = fresh();
        game.m().telaX = 100;
        Lutador& l = game.L(1);
        l.pos = 1;
        l.ciclo = 0;
        l.x = 250;
        game.L(2).x = 450;
        hold(game, c.held);
        game.form.entradaJogador(1);
        EXPECT_EQ(l.x, 250 + c.dx) << c.held;
        EXPECT_EQ(l.ciclo, c.ciclo) << c.held;
        EXPECT_EQ(l.pos, c.pos) << c.held;
    }
}

TEST(PersonInput, StandsJumpsAndStopsWalkingByTheRules) {
    struct Case {
        uint8_t pos;
        int8_t grav;
        uint8_t pulo;
        uint32_t held;
        int expPos, expGrav, expPulo, expPuloDir, expCiclo, expCicloFim;
    };
    const Case cases[] = {
        {1, 0, 0, U, 12, -32, 1, 1, 0, 99},
        {1, 0, 0, U | Lt, 12, -32, 1, 2, 0, 99},
        {1, 0, 0, U | Rt, 12, -32, 1, 3, 0, 99},
        {1, 0, 0, U | Lt | Rt, 12, -32, 1, 3, 0, 99},  // right wins
        {2, 0, 0, U, 12, -32, 1, 1, 0, 99},
        {21, 0, 0, U, 12, -32, 1, 1, 0, 99},
        {22, 0, 0, U, 12, -32, 1, 1, 0, 99},
        {7, 0, 0, U, 12, -32, 1, 1, 0, 99},  // down released in the same tick
        {7, 0, 0, U | D, 7, 0, 0, 0, 5, 0},
        {7, 0, 0, 0, 1, 0, 0, 0, 5, 0},
        {1, -5, 0, U, 1, -5, 0, 0, 5, 0},
        {1, 0, 1, U, 1, 0, 1, 0, 5, 0},
        {3, 0, 0, U, 3, 0, 0, 0, 5, 0},
        {12, 0, 0, U, 12, 0, 0, 0, 5, 0},
        {2, 0, 0, 0, 1, 0, 0, 0, 0, 0},  // stops walking
    };
    Fresh fresh;
    for (const Case& c : cases) {
        Game& game = fresh();
        Lutador& l = game.L(1);
        l.pos = c.pos;
        l.grav = c.grav;
        l.pulo = c.pulo;
        l.ciclo = 5;
        l.cicloFim = 0;
        hold(game, c.held);
        game.form.entradaJogador(1);
        const std::string what = "pos " + std::to_string(c.pos) + " held " + std::to_string(c.held);
        EXPECT_EQ(l.pos, c.expPos) << what;
        EXPECT_EQ(l.grav, c.expGrav) << what;
        EXPECT_EQ(l.pulo, c.expPulo) << what;
        EXPECT_EQ(l.puloDir, c.expPuloDir) << what;
        EXPECT_EQ(l.ciclo, c.expCiclo) << what;
        EXPECT_EQ(l.cicloFim, c.expCicloFim) << what;
    }
}

TEST(PersonInput, RunsOnlyForPersonsWhileNothingHoldsTheFight) {
    enum Gate { None, SuperPause, HitPause, Waiting, Stopped };
    struct Case {
        Gate gate;
        uint8_t humano1, humano2;
        uint32_t keyboard, joystick;
        bool jumps1, jumps2;
    };
    const Case cases[] = {
        {None, 1, 0, U, 0, true, false},      {SuperPause, 1, 0, U, 0, false, false},
        {HitPause, 1, 0, U, 0, false, false}, {Waiting, 1, 0, U, 0, false, false},
        {Stopped, 1, 0, U, 0, false, false},  {None, 0, 0, U, 0, false, false},
        {None, 1, 1, 0, U, false, true},      {None, 1, 0, 0, U, false, false},
        {None, 1, 1, U, 0, true, false},
    };
    Fresh fresh;
    for (const Case& c : cases) {
        Game& game = fresh();
        MatchState& m = game.m();
        m.lutaParada = c.gate == Stopped ? 1 : 0;
        m.pausaEspecial = c.gate == SuperPause ? 5 : 0;
        m.golpePausa = c.gate == HitPause ? 5 : 0;
        m.esperaTempo = c.gate == Waiting ? 5 : 0;
        game.L(1).humano = c.humano1;
        game.L(2).humano = c.humano2;
        game.plat.keyboard = c.keyboard;
        game.plat.joystick = c.joystick;
        game.form.lutaEntradaJogador();  // polls the devices itself
        EXPECT_EQ(game.L(1).pos == 12, c.jumps1) << "case gate " << c.gate;
        EXPECT_EQ(game.L(2).pos == 12, c.jumps2) << "case gate " << c.gate;
    }
}

TEST(BlockRequests, EndToEndBackGuardsWhileAnAttackOrHostileEffectIsLive) {
    enum Pass { First, Second };
    struct Case {
        Pass pass;
        uint32_t held;
        uint8_t lado;
        uint8_t ataque2;
        uint8_t efeitoTipo, efeitoAtivo, efeitoDono;
        int expPos;
    };
    const Case cases[] = {
        {First, Lt, 1, 1, 0, 0, 0, 21},      {First, Lt | D, 1, 1, 0, 0, 0, 22},
        {First, Rt, 2, 1, 0, 0, 0, 21},      {First, Rt, 1, 1, 0, 0, 0, 1},
        {First, Lt, 1, 0, 0, 0, 0, 1},       {First, 0, 1, 1, 0, 0, 0, 1},
        {First, Lt, 1, 0, 8, 1, 2, 21},      {First, Lt | D, 1, 0, 8, 1, 0, 22},
        {First, Lt, 1, 0, 8, 1, 1, 1},       {First, Lt, 1, 0, 8, 0, 2, 1},
        {Second, Lt, 1, 1, 0, 0, 0, 21},     {Second, Lt, 1, 0, 8, 1, 2, 1},
        {First, Lt | Rt, 1, 1, 0, 0, 0, 21},
    };
    Fresh fresh;
    for (const Case& c : cases) {
        Game& game = fresh();
        game.L(1).pos = 1;
        game.L(1).lado = c.lado;
        game.L(2).ataque = c.ataque2;
        Efeito& e = game.g().efeitos[40];
        e.tipo = c.efeitoTipo;
        e.ativo = c.efeitoAtivo;
        e.dono = c.efeitoDono;
        hold(game, c.held);
        if (c.pass == First) game.form.lutaDefesas();
        if (c.pass == Second) game.form.pedidosDefesa(1);
        EXPECT_EQ(game.L(1).pos, c.expPos) << "held " << c.held << " pass " << c.pass;
        EXPECT_EQ(game.L(1).defesa, c.expPos == 1 ? 0 : 1) << "held " << c.held;
    }
}

TEST(Golpe, EndToEndFiresTheMappedSpecialUnlessASuperPauseRuns) {
    struct Case {
        uint8_t pausaEspecial;
        int tipo;
        int expPos;
    };
    const Case cases[] = {{0, 1, 25}, {0, 2, 1}, {3, 1, 1}};
    Fresh fresh;
    for (const Case& c : cases) {
        Game& game = fresh();
        game.L(1).pos = 1;
        game.L(1).sequencia = 2;  // character 1, down and forward entered
        game.m().pausaEspecial = c.pausaEspecial;
        game.form.golpe(1, c.tipo);
        EXPECT_EQ(game.L(1).pos, c.expPos) << "type " << c.tipo;
    }
}

}  // namespace
}  // namespace pelea
