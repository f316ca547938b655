// The window's application loop: events to the key handler, the frame timer driven from the
// idle loop, each finished frame presented.
#pragma once

#include "game/tform1.h"
#include "platform/platform.h"

namespace platform {

// Runs until the window is closed or the game ends; returns the exit code.
int runGame(pelea::TForm1& form, Platform& platform);

// How long the idle loop sleeps: until the next tick is due, but never more than a short slice,
// so that key presses and window events stay responsive; a whole slice while no tick can come.
uint32_t idleSleepMs(bool ticking, uint64_t msUntilDue);

}  // namespace platform
