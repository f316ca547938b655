#include "net/session_log.h"

#include <algorithm>

#include "game/tform1.h"
#include "platform/headless/headless_platform.h"
#include "replay/recorder.h"
#include "replay/state_hash.h"

namespace net {

void SessionLog::add(const FrameInput& one, const FrameInput& two, bool ran,
                     const std::vector<platform::ScriptEvent>* sets) {
    const int64_t f = frames();
    states_.push_back(one.states);
    states_.push_back(two.states);
    for (const FrameInput* in : {&one, &two}) {
        for (size_t k = 0; k < in->keyCount; ++k)
            keys_.push_back({f, static_cast<uint8_t>(in == &one ? 1 : 2), in->keys[k]});
    }
    if (!ran) paused_.push_back(f);
    if (sets != nullptr && !sets->empty()) sets_[f] = *sets;
}

FrameInput SessionLog::input(int fighter, int64_t f) const {
    FrameInput in;
    in.states = states_[static_cast<size_t>(2 * f + (fighter == 1 ? 0 : 1))];
    const auto first = std::lower_bound(keys_.begin(), keys_.end(), f,
                                        [](const Key& k, int64_t at) { return k.frame < at; });
    for (auto it = first; it != keys_.end() && it->frame == f; ++it) {
        if (it->fighter == fighter) in.addKey(it->code);
    }
    return in;
}

bool SessionLog::ran(int64_t f) const {
    return !std::binary_search(paused_.begin(), paused_.end(), f);
}

const std::vector<platform::ScriptEvent>* SessionLog::sets(int64_t f) const {
    const auto it = sets_.find(f);
    return it == sets_.end() ? nullptr : &it->second;
}

std::string replayOf(const SessionLog& log, uint64_t seed, const replay::Header& header,
                     int64_t frames, const std::function<void(int64_t, uint64_t)>& eachHash) {
    platform::HeadlessPlatform plat;
    pelea::TForm1 form(plat, pelea::StartOptions{true, seed, false});
    form.FormCreate();
    form.setBlindMute(true);
    replay::Recorder recorder;
    bool paused = false;
    frames = std::min(frames, log.frames());
    // As the session runs a frame: the keys of both sides, the set lines, then (unless P stopped
    // the game's timer) the frame with both device sets.
    for (int64_t f = 0; f < frames; ++f) {
        const FrameInput one = log.input(1, f), two = log.input(2, f);
        media::DXTimer& timer = form.DXTimer1;
        timer.Enabled = !paused;
        for (const FrameInput* in : {&one, &two}) {
            for (size_t k = 0; k < in->keyCount; ++k) {
                form.FormKeyDown(in->keys[k]);
                recorder.key(in->keys[k]);
            }
        }
        if (const auto* sets = log.sets(f)) {
            for (const platform::ScriptEvent& e : *sets) {
                platform::applySet(form.g, e);
                recorder.set(e);
            }
        }
        paused = !timer.Enabled;
        timer.Enabled = true;
        uint64_t hash = 0;
        if (!paused) {
            plat.setStates(one.states, two.states);
            form.DXTimer1Timer();
            recorder.states(one.states, two.states);
            hash = recorder.frameDone(form.g);
        } else {
            hash = replay::stateHash(form.g);
        }
        if (eachHash) eachHash(f, hash);
    }
    return recorder.text(header, recorder.frames(), true);
}

}  // namespace net
