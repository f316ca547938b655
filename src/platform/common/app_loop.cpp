#include "platform/common/app_loop.h"

#include <algorithm>
#include <vector>

#include "training/keys.h"
#include "training/trainer.h"

namespace platform {

namespace {

constexpr uint32_t kMaxSleepMs = 10;
constexpr size_t kKeyReserve = 32;

}  // namespace

uint32_t idleSleepMs(bool ticking, uint64_t msUntilDue) {
    if (!ticking) return kMaxSleepMs;
    // A tick that is due but was not taken still waits a little, so the loop never spins.
    return static_cast<uint32_t>(std::clamp<uint64_t>(msUntilDue, 1, kMaxSleepMs));
}

int runGame(pelea::TForm1& form, Platform& platform, LoopWatcher* watcher, bool training) {
    // Keys and ticks go through the trainer, which passes them on outside a training fight.
    training::Trainer trainer(form, training);
    std::vector<int> keys;
    keys.reserve(kKeyReserve);
    for (;;) {
        keys.clear();
        bool quit = false;
        platform.pollEvents(keys, quit);
        for (const int vk : keys) {
            if (form.terminated()) break;
            if (watcher != nullptr) watcher->keyDown(vk);
            trainer.keyDown(vk);
        }
        if (quit || form.terminated()) {
            if (watcher != nullptr) watcher->loopEnds(form);
            form.FormClose();
            return 0;
        }
        media::DXTimer& timer = form.DXTimer1;
        const bool active = platform.active();
        if (timer.Enabled && timer.idle(platform.nowMs(), active)) {
            trainer.tick();
            if (watcher != nullptr) {
                // A rewind held down is recorded as one rewind key press per tick, which is how
                // playback, with no keys held, steps back the same way.
                if (trainer.rewoundByHeldKey()) watcher->keyDown(training::keys::Rewind);
                watcher->frameDone(form);
            }
            platform.present(form.DXDraw1.Surface, form.DXDraw1.Left);
            continue;
        }
        const bool ticking = timer.Enabled && active;
        platform.sleepMs(idleSleepMs(ticking, timer.msUntilDue(platform.nowMs())));
    }
}

}  // namespace platform
