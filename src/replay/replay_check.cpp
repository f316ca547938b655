#include "replay/replay_check.h"

#include <cstdio>

#include "replay/state_hash.h"

namespace replay {

ReplayCheck::ReplayCheck(const Replay& replay, std::string path)
    : path_(std::move(path)),
      startState_(replay.header.startState),
      carried_(replay.header.carried) {
    for (const platform::ScriptEvent& e : replay.script.events) {
        if (e.kind == platform::EventKind::Sum) sums_.emplace_back(e.frame, e.sum);
    }
}

void ReplayCheck::begin(platform::FramePipeline& pipeline) {
    if (startState_.empty()) return;
    unpackState(startState_, pipeline.form().g);
    if (!carried_.empty() && !pipeline.driver().carryOn(carried_)) carriedRefused_ = true;
}

bool ReplayCheck::frameMatches(const pelea::TForm1& form, int64_t frame) {
    if (carriedRefused_) {
        carriedRefused_ = false;
        std::fprintf(stderr, "pelea: %s: its carried line is not one this game keeps\n",
                     path_.c_str());
        return false;
    }
    while (next_ < sums_.size() && sums_[next_].first < frame)
        ++next_;
    if (next_ >= sums_.size() || sums_[next_].first != frame) return true;
    const uint64_t expected = sums_[next_++].second;
    const uint64_t actual = stateHash(form.g);
    if (actual == expected) return true;
    std::fprintf(stderr, "pelea: %s: frame %lld: the state hash is %s, the replay expects %s\n",
                 path_.c_str(), static_cast<long long>(frame), hex16(actual).c_str(),
                 hex16(expected).c_str());
    return false;
}

}  // namespace replay
