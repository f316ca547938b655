// Training in the window's loop: keys and ticks pass through the trainer, and the rewind key is
// held rather than pressed.
#include <gtest/gtest.h>

#include <vector>

#include "platform/common/app_loop.h"
#include "platform/front_end.h"
#include "support/game_fixture.h"
#include "training/keys.h"
#include "training/trainer.h"

namespace training {
namespace {

using pelea::testing::FakePlatform;
using pelea::testing::Game;
using pelea::testing::sameState;

// A window whose first poll delivers keys, that closes once the clock passes a time, and whose
// rewind key is held while `rewindHeld` says so.
class Window : public FakePlatform {
public:
    void pollEvents(std::vector<int>& keys, bool& quit) override {
        if (polls++ == 0) keys = firstKeys;
        quit = now >= closeAtMs;
    }
    bool keyHeld(int virtualKey) override { return virtualKey == keys::Rewind && rewindHeld; }
    std::vector<int> firstKeys;
    uint64_t closeAtMs = 0;
    int polls = 0;
    bool rewindHeld = false;
};

// Fighter 1 walks and kicks.
uint32_t typed(int frame) {
    if (frame % 20 < 8) return media::isRight;
    return frame % 20 == 10 ? uint32_t{media::isButton2} : 0u;
}

// Fighter 1 of character 1 against character 2 under the computer, past the intro.
void toFight(pelea::TForm1& form) {
    form.g.m.modoTela = pelea::tela::Selecao;
    form.L(2).personagem = 2;
    form.iniciarLuta();
    form.g.m.inicioRound = Game::kIntroOver;
    form.g.m.lutaParada = 0;
}

TEST(TrainingWindow, TheLoopPassesKeysAndTicksThroughTheTrainer) {
    struct Case {
        const char* what;
        bool training;
        std::vector<int> keys;
        bool frozen;
    };
    const Case cases[] = {
        {"training, paused", true, {keys::Pause}, true},
        {"training, running", true, {}, false},
        {"no training: the key does nothing", false, {keys::Pause}, false},
        {"training, paused and resumed", true, {keys::Pause, keys::Pause}, false},
    };
    for (const Case& c : cases) {
        Window window;
        window.firstKeys = c.keys;
        window.closeAtMs = 1000;
        pelea::TForm1 form(window, Game::options(1, false));
        form.FormCreate();
        toFight(form);
        const pelea::GameState start = form.g;
        platform::FramePipeline pipeline(form);
        front::Drivers drivers(form, pipeline, c.training);
        EXPECT_EQ(platform::runGame(window, pipeline), 0) << c.what;
        EXPECT_EQ(sameState(form.g, start), c.frozen) << c.what;
    }
}

TEST(TrainingWindow, HoldingTheRewindKeyGoesBackAFramePerTickAndLettingGoPlaysOn) {
    struct Case {
        int held;  // ticks the key is held
    };
    const Case cases[] = {{1}, {10}, {45}};
    for (const Case& c : cases) {
        Window window;
        pelea::TForm1 form(window, Game::options(1, false));
        form.FormCreate();
        toFight(form);
        Trainer trainer(form, true);
        std::vector<pelea::GameState> seen;  // seen[k]: after k + 1 frames
        for (int i = 0; i < 60; ++i) {
            window.keyboard = typed(i);
            trainer.tick();
            seen.push_back(form.g);
        }
        window.rewindHeld = true;
        for (int i = 0; i < c.held; ++i) {
            trainer.tick();
            EXPECT_TRUE(sameState(form.g, seen[static_cast<size_t>(58 - i)]))
                << "held " << c.held << ", tick " << i;
        }
        // Let go: the next frame runs from there, here with the keys it had the first time.
        window.rewindHeld = false;
        window.keyboard = typed(60 - c.held);
        trainer.tick();
        EXPECT_EQ(trainer.snapshots(), static_cast<size_t>(60 - c.held + 1)) << c.held;
        EXPECT_TRUE(sameState(form.g, seen[static_cast<size_t>(60 - c.held)])) << c.held;
    }
}

}  // namespace
}  // namespace training
