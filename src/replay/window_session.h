// What replays add to the game in the window: every session is recorded (into --record FILE
// when given) and every match is kept in the replays folder; or, with --replay, the replay is
// shown instead of the game being played.
#pragma once

#include <memory>
#include <string>

#include "game/tform1.h"
#include "platform/common/app_loop.h"
#include "platform/common/command_line.h"
#include "platform/common/frame_pipeline.h"
#include "platform/platform.h"
#include "replay/match_archive.h"
#include "replay/recorder.h"
#include "replay/replay_file.h"
#include "replay/viewer.h"

namespace replay {

// Records the window's loop: the session for --record, and each match into the archive.
class WindowRecording : public platform::LoopWatcher {
public:
    WindowRecording(Header session, std::string recordPath, std::string archiveFolder,
                    MatchArchive::Clock clock = nullptr);

    void attached(platform::FramePipeline& pipeline) override { pipeline_ = &pipeline; }
    void keyDown(int virtualKey) override { recorder_.key(virtualKey); }
    void frameDone(const pelea::TForm1& form) override;
    void loopEnds(const pelea::TForm1& form) override;
    // A match that could not be kept is said on the screen for a while.
    void draw(pelea::TForm1& form) override;

    const MatchArchive& archive() const { return archive_; }
    const Recorder& recorder() const { return recorder_; }

private:
    Header header_;
    std::string recordPath_;
    Recorder recorder_;
    MatchArchive archive_;
    platform::FramePipeline* pipeline_ = nullptr;
};

// Before the window opens, in the folder the program started in: reads --replay into shown and
// makes --record absolute. False after one stderr line (exit code 2).
bool prepareWindow(platform::CommandLine& cl, Replay& shown);

class WindowSession {
public:
    // In the data folder, after the window is made: the data set is hashed, and for a replay how
    // it differs from the recorded one is said once.
    WindowSession(platform::Platform& window, const platform::CommandLine& cl, const Replay& shown);

    // The platform the game is built on: the window, or the replay's devices over it.
    platform::Platform& gamePlatform();
    pelea::StartOptions startOptions() const;
    // Whether the fights are training fights from the start (--training, or the replay's).
    bool training() const;
    // Runs the game or shows the replay along the pipeline, on which it puts the recording or
    // the replay's check; the exit code.
    int run(platform::FramePipeline& pipeline);

private:
    platform::Platform& window_;
    const platform::CommandLine& cl_;
    const Replay& shown_;
    bool showing_;
    Header header_;
    ReplayDevices devices_;
};

}  // namespace replay
