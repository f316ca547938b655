// The window's application loop: events to the key handler, the frame timer driven from the
// idle loop, each finished frame presented. Keys and ticks go along the frame pipeline.
#pragma once

#include "game/tform1.h"
#include "platform/common/frame_pipeline.h"
#include "platform/platform.h"

namespace platform {

// What the frozen picture says while the game is paused with P.
inline constexpr const char* kPausedText = "PAUSA";

// Runs until the window is closed or the game ends; returns the exit code.
int runGame(Platform& platform, FramePipeline& pipeline);

// The game alone, watched by one watcher at most.
int runGame(pelea::TForm1& form, Platform& platform, LoopWatcher* watcher = nullptr);

// How long the idle loop sleeps: until the next tick is due, but never more than a short slice,
// so that key presses and window events stay responsive; a whole slice while no tick can come.
uint32_t idleSleepMs(bool ticking, uint64_t msUntilDue);

}  // namespace platform
