// A replay's check: a match file's first frame starts from the state the file holds, and after
// every frame the state hash is compared with the replay's sum line of that frame; a frame that
// differs is named on stderr.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/common/frame_pipeline.h"
#include "replay/replay_file.h"

namespace replay {

class ReplayCheck : public platform::LoopWatcher {
public:
    ReplayCheck(const Replay& replay, std::string path);

    void begin(platform::FramePipeline& pipeline) override;
    void keyDown(int) override {}
    void frameDone(const pelea::TForm1&) override {}
    bool frameMatches(const pelea::TForm1& form, int64_t frame) override;
    void loopEnds(const pelea::TForm1&) override {}

private:
    std::string path_;
    std::vector<unsigned char> startState_, carried_;
    bool carriedRefused_ = false;
    std::vector<std::pair<int64_t, uint64_t>> sums_;  // by frame
    size_t next_ = 0;
};

}  // namespace replay
