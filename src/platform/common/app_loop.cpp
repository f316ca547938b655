#include "platform/common/app_loop.h"

#include <algorithm>
#include <vector>

namespace platform {

namespace {

constexpr uint32_t kMaxSleepMs = 10;
constexpr size_t kKeyReserve = 32;
constexpr int kPauseX = 200, kPauseY = 130, kPauseSize = 26;

// The game's pause (P) stops the timer, and so its pictures: the frozen one says "PAUSA".
void showPaused(pelea::TForm1& form, Platform& platform) {
    if (form.DXDraw1.Surface.blind) return;
    form.texto(kPauseX, kPauseY, kPausedText, 'c', kPauseSize, media::kWhite);
    platform.present(form.DXDraw1.Surface, form.DXDraw1.Left);
}

}  // namespace

uint32_t idleSleepMs(bool ticking, uint64_t msUntilDue) {
    if (!ticking) return kMaxSleepMs;
    // A tick that is due but was not taken still waits a little, so the loop never spins.
    return static_cast<uint32_t>(std::clamp<uint64_t>(msUntilDue, 1, kMaxSleepMs));
}

int runGame(Platform& platform, FramePipeline& pipeline) {
    pelea::TForm1& form = pipeline.form();
    std::vector<int> keys;
    keys.reserve(kKeyReserve);
    for (;;) {
        keys.clear();
        bool quit = false;
        platform.pollEvents(keys, quit);
        const bool wasTicking = form.DXTimer1.Enabled;
        for (const int vk : keys) {
            if (form.terminated()) break;
            pipeline.key(vk);
        }
        if (wasTicking && !form.DXTimer1.Enabled && !form.terminated()) showPaused(form, platform);
        if (quit || form.terminated()) {
            pipeline.end();
            form.FormClose();
            return 0;
        }
        media::DXTimer& timer = form.DXTimer1;
        const bool active = platform.active();
        if (timer.Enabled && timer.idle(platform.nowMs(), active)) {
            pipeline.tick();
            platform.present(form.DXDraw1.Surface, form.DXDraw1.Left);
            continue;
        }
        const bool ticking = timer.Enabled && active;
        platform.sleepMs(idleSleepMs(ticking, timer.msUntilDue(platform.nowMs())));
    }
}

int runGame(pelea::TForm1& form, Platform& platform, LoopWatcher* watcher) {
    FramePipeline pipeline(form);
    if (watcher != nullptr) pipeline.watch(*watcher);
    return runGame(platform, pipeline);
}

}  // namespace platform
