// Hands a script's events (an input script's, or a replay's) to the frame pipeline before each
// frame, as the headless runner and the replay viewer both do: the frame's key events in order,
// then its set lines, then its device sets. A key that stops the game's timer (P) breaks the
// frame's lines off: while the timer is stopped, the lines still to come are delivered one by
// one in the order they stand, until one starts it again; then the rest of the frame's lines
// follow in the usual order. So a recording, which writes what it was given in the order it was
// given, plays back in that order.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/common/frame_pipeline.h"
#include "platform/common/script.h"

namespace platform {

class ScriptFeed {
public:
    // devices: where the device sets go (the platform the game reads them from).
    using Devices = std::function<void(uint32_t keyboard, uint32_t joystick)>;
    ScriptFeed(const InputScript& script, FramePipeline& pipeline, Devices devices);

    // Delivers what comes before frame F. False when no frame is to run: a key ended the game,
    // or the script ran out while the timer is stopped.
    bool before(int64_t frame);

private:
    void deliverGroup();
    void deliverLine();
    // Delivers event i; a key line broken off by a key that stopped the timer stays to come,
    // from its next key.
    void deliver(size_t i);
    void giveStates();
    void skipDelivered();

    const std::vector<ScriptEvent>& events_;
    FramePipeline& pipeline_;
    Devices devices_;
    std::vector<uint8_t> delivered_;
    size_t next_ = 0;         // the first event not delivered
    size_t partEvent_ = SIZE_MAX, partKey_ = 0;  // a key line broken off, and its next key
    uint32_t keyboard_ = 0, joystick_ = 0;
};

}  // namespace platform
