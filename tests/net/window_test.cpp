// What a player sees and presses in a networked match: which keys travel, and the status line.
#include <gtest/gtest.h>

#include "game/tform1.h"
#include "media/color.h"
#include "net/keys.h"
#include "net/rollback_audio.h"
#include "net/window_peer.h"
#include "platform/headless/headless_platform.h"

namespace net {
namespace {

// The title screen's full-screen choice belongs to the shared game: in a networked match it
// never switches this window, whichever side made it.
TEST(NetDisplay, TheTitlesChoiceLeavesEachWindowAsItsPlayerHasIt) {
    struct Window : platform::HeadlessPlatform {
        int switches = 0;
        bool initDisplay(bool) override {
            ++switches;
            return true;
        }
    };
    struct Case {
        const char* name;
        uint32_t keyboard, joystick;  // held on the title for one frame, then button 1 alone
    };
    const Case cases[] = {
        {"fighter 1 picks full screen", media::isDown, 0},
        {"fighter 2 picks full screen", 0, media::isDown},
    };
    for (const Case& c : cases) {
        Window window;
        RollbackPlatform rollback(window);
        pelea::TForm1 form(rollback, pelea::StartOptions{true, 1, false});
        form.FormCreate();
        form.setBlindMute(true);
        window.setStates(c.keyboard, c.joystick);
        form.DXTimer1Timer();
        ASSERT_EQ(form.g.m.itemMenu, 2) << c.name;
        window.setStates(media::isButton1, 0);
        form.DXTimer1Timer();
        EXPECT_EQ(form.g.m.modoTela, pelea::tela::Selecao) << c.name;
        EXPECT_EQ(window.switches, 0) << c.name;
    }
}

TEST(NetKeys, SharedStateKeysTravelAndThePictureStaysLocal) {
    struct Case {
        const char* name;
        int vk;
        KeyRole role;
    };
    const Case cases[] = {
        {"coin", pelea::vk::Digit5, KeyRole::Shared},
        {"player 1 joins", pelea::vk::Digit1, KeyRole::Shared},
        {"player 2 joins", pelea::vk::Digit2, KeyRole::Shared},
        {"menu", pelea::vk::F1, KeyRole::Shared},
        {"slower", pelea::vk::Minus, KeyRole::Shared},
        {"faster", pelea::vk::Equals, KeyRole::Shared},
        {"nudge left", pelea::vk::Comma, KeyRole::Local},
        {"nudge right", pelea::vk::Period, KeyRole::Local},
        {"Esc", pelea::vk::Escape, KeyRole::Leave},
        {"left Windows key", pelea::vk::LeftWin, KeyRole::Leave},
        {"pause", pelea::vk::P, KeyRole::Shared},
        {"training mark F2", 113, KeyRole::Ignored},
        {"training rewind", 8, KeyRole::Ignored},
    };
    for (const Case& c : cases)
        EXPECT_EQ(keyRole(c.vk), c.role) << c.name;
}

TEST(NetStatusLine, SaysPingRollbackAndLead) {
    struct Case {
        SessionStats stats;
        const char* text;
    };
    SessionStats fresh;
    SessionStats busy;
    busy.pingMs = 57;
    busy.rollbackNow = 3;
    busy.ahead = -2;
    busy.delay = 3;
    const Case cases[] = {{fresh, "PING -- MS   RETROCESO 0   ADELANTE 0   RETARDO 0"},
                          {busy, "PING 57 MS   RETROCESO 3   ADELANTE -2   RETARDO 3"}};
    for (const Case& c : cases)
        EXPECT_EQ(statusText(c.stats), c.text);
}

TEST(NetStatusLine, IsDrawnAcrossTheBottomOverThePicture) {
    platform::HeadlessPlatform plat;
    pelea::TForm1 form(plat, pelea::StartOptions{true, 1, false});
    form.FormCreate();
    form.DXTimer1Timer();
    const uint16_t above = form.DXDraw1.Surface.at(5, 200);
    const uint16_t below = form.DXDraw1.Surface.at(5, 290);
    drawStatus(form, statusText(SessionStats{}));
    const media::Surface& s = form.DXDraw1.Surface;
    const uint16_t band = media::to565(media::rgb(16, 16, 24));
    // The band's first and last rows, from edge to edge; the rest of the picture untouched.
    for (const int x : {0, 5, 399}) {
        EXPECT_EQ(s.at(x, 266), band) << x;
        EXPECT_EQ(s.at(x, 276), band) << x;
    }
    EXPECT_EQ(s.at(5, 200), above);
    EXPECT_EQ(s.at(5, 290), below);
    // Some of the band's pixels are the text's.
    int lit = 0;
    for (int x = 100; x < 300; ++x)
        lit += s.at(x, 271) != band ? 1 : 0;
    EXPECT_GT(lit, 10);
}

}  // namespace
}  // namespace net
