// The window's application loop: events to the key handler, the frame timer driven from the
// idle loop, each finished frame presented.
#pragma once

#include "game/tform1.h"
#include "platform/platform.h"

namespace platform {

// Watches the loop from outside the game (a recording): each key before the game is given it,
// each frame once it has run, and the end of the loop.
class LoopWatcher {
public:
    virtual ~LoopWatcher() = default;
    virtual void keyDown(int virtualKey) = 0;
    virtual void frameDone(const pelea::TForm1& form) = 0;
    virtual void loopEnds(const pelea::TForm1& form) = 0;
};

// Runs until the window is closed or the game ends; returns the exit code. training: the
// fights are training fights from the start.
int runGame(pelea::TForm1& form, Platform& platform, LoopWatcher* watcher = nullptr,
            bool training = false);

// How long the idle loop sleeps: until the next tick is due, but never more than a short slice,
// so that key presses and window events stay responsive; a whole slice while no tick can come.
uint32_t idleSleepMs(bool ticking, uint64_t msUntilDue);

}  // namespace platform
