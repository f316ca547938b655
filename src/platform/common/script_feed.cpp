#include "platform/common/script_feed.h"

namespace platform {

ScriptFeed::ScriptFeed(const InputScript& script, FramePipeline& pipeline, Devices devices)
    : events_(script.events),
      pipeline_(pipeline),
      devices_(std::move(devices)),
      delivered_(script.events.size(), 0) {}

bool ScriptFeed::before(int64_t frame) {
    for (;;) {
        if (pipeline_.ended()) return false;
        if (!pipeline_.ticking()) {
            // Time passes without frames: the next line comes in.
            if (next_ == events_.size()) return false;
            deliverLine();
            continue;
        }
        if (next_ < events_.size() && events_[next_].frame <= frame) {
            deliverGroup();
            continue;
        }
        return true;
    }
}

void ScriptFeed::skipDelivered() {
    while (next_ < events_.size() && delivered_[next_] != 0)
        ++next_;
}

void ScriptFeed::deliver(size_t i) {
    const ScriptEvent& e = events_[i];
    switch (e.kind) {
        case EventKind::Key:
            for (size_t k = i == partEvent_ ? partKey_ : 0; k < e.keys.size(); ++k) {
                pipeline_.key(e.keys[k]);
                if (pipeline_.ended()) break;
                if (!pipeline_.ticking() && k + 1 < e.keys.size()) {
                    // The rest of the line comes while the timer is stopped.
                    partEvent_ = i;
                    partKey_ = k + 1;
                    return;
                }
            }
            break;
        case EventKind::Set:
            pipeline_.set(e);
            break;
        case EventKind::Keyboard:
            keyboard_ = e.states;
            break;
        case EventKind::Joystick:
            joystick_ = e.states;
            break;
        case EventKind::Sum:
            break;
    }
    delivered_[i] = 1;
}

void ScriptFeed::giveStates() {
    devices_(keyboard_, joystick_);
    pipeline_.states(keyboard_, joystick_);
}

// One frame's lines: keys, set lines, device sets, until a key stops the timer.
void ScriptFeed::deliverGroup() {
    const int64_t frame = events_[next_].frame;
    size_t end = next_;
    while (end < events_.size() && events_[end].frame == frame)
        ++end;
    for (size_t i = next_; i < end; ++i) {
        if (delivered_[i] != 0 || events_[i].kind != EventKind::Key) continue;
        deliver(i);
        if (pipeline_.ended()) return;
        if (!pipeline_.ticking()) {
            skipDelivered();
            return;
        }
    }
    for (size_t i = next_; i < end; ++i) {
        if (delivered_[i] == 0 && events_[i].kind == EventKind::Set) deliver(i);
    }
    for (size_t i = next_; i < end; ++i) {
        if (delivered_[i] == 0) deliver(i);  // device sets and sums
    }
    giveStates();
    skipDelivered();
}

// While the timer is stopped: the first line not yet delivered, whatever it is.
void ScriptFeed::deliverLine() {
    const EventKind kind = events_[next_].kind;
    deliver(next_);
    if (kind == EventKind::Keyboard || kind == EventKind::Joystick) giveStates();
    skipDelivered();
}

}  // namespace platform
