#include "platform/common/frame_pipeline.h"

namespace platform {

FramePipeline::FramePipeline(pelea::TForm1& form) : form_(form), game_(form), driver_(&game_) {}

void FramePipeline::begin() {
    if (begun_) return;
    begun_ = true;
    for (LoopWatcher* w : watchers_)
        w->begin(*this);
}

void FramePipeline::key(int virtualKey) {
    if (form_.terminated()) return;
    begin();
    for (LoopWatcher* w : watchers_)
        w->keyDown(virtualKey);
    driver_->keyDown(virtualKey);
}

void FramePipeline::set(const ScriptEvent& e) {
    begin();
    for (LoopWatcher* w : watchers_)
        w->set(e);
    applySet(form_.g, e);
}

void FramePipeline::states(uint32_t keyboard, uint32_t joystick) {
    for (LoopWatcher* w : watchers_)
        w->states(keyboard, joystick);
}

bool FramePipeline::tick() {
    begin();
    driver_->tick();
    // A key held down is recorded as one press per tick, which is how playback, with no keys
    // held, does the same.
    if (const int held = driver_->heldKeyActedOn(); held != 0) {
        for (LoopWatcher* w : watchers_)
            w->keyDown(held);
    }
    bool matches = true;
    for (LoopWatcher* w : watchers_) {
        w->frameDone(form_);
        matches = w->frameMatches(form_, frames_) && matches;
    }
    for (LoopWatcher* w : watchers_)
        w->draw(form_);
    ++frames_;
    return matches;
}

void FramePipeline::end() {
    if (ended_) return;
    ended_ = true;
    for (LoopWatcher* w : watchers_)
        w->loopEnds(form_);
}

}  // namespace platform
