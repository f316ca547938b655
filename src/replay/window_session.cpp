#include "replay/window_session.h"

#include <cstdio>

#include "replay/files.h"
#include "replay/replay_check.h"

namespace replay {

namespace {

void complain(const std::string& message) {
    std::fprintf(stderr, "pelea: %s\n", message.c_str());
}

}  // namespace

WindowRecording::WindowRecording(Header session, std::string recordPath, std::string archiveFolder,
                                 MatchArchive::Clock clock)
    : header_(std::move(session)),
      recordPath_(std::move(recordPath)),
      archive_(std::move(archiveFolder), std::move(clock)) {}

// In the window the device sets are what the frame read: a frame that reads none still holds
// the last ones read, which a replay gives it too.
void WindowRecording::frameDone(const pelea::TForm1& form) {
    recorder_.states(form.DXInput1.Keyboard(), form.DXInput1.Joystick());
    recorder_.frameDone(form.g);
    archive_.frameDone(form.g, recorder_, header_,
                       pipeline_ != nullptr ? &pipeline_->driver() : nullptr);
    // Without --record only the match under way is wanted: a session left running for hours
    // holds one match, not all it has played.
    if (recordPath_.empty()) recorder_.forgetBefore(archive_.firstFrameNeeded(recorder_.frames()));
}

void WindowRecording::draw(pelea::TForm1& form) {
    constexpr int kNoticeX = 200, kNoticeY = 201, kNoticeSize = 8;
    constexpr media::TColor kNoticeColour = media::rgb(255, 120, 120);
    if (archive_.notice().empty()) return;
    form.texto(kNoticeX, kNoticeY, archive_.notice(), 'c', kNoticeSize, kNoticeColour);
    archive_.frameShown();
}

void WindowRecording::loopEnds(const pelea::TForm1&) {
    archive_.sessionEnds(recorder_, header_);
    if (recordPath_.empty()) return;
    std::string problem;
    if (!writeFileAtomically(recordPath_, recorder_.text(header_, recorder_.frames(), true),
                             problem)) {
        complain("cannot write the recording " + recordPath_ + ": " + problem);
    }
}

bool prepareWindow(platform::CommandLine& cl, Replay& shown) {
    cl.recordPath = absolutePath(cl.recordPath);
    if (cl.replayPath.empty()) return true;
    std::string message;
    if (!readReplay(cl.replayPath, shown, message)) {
        complain(message);
        return false;
    }
    return true;
}

WindowSession::WindowSession(platform::Platform& window, const platform::CommandLine& cl,
                             const Replay& shown)
    : window_(window), cl_(cl), shown_(shown), showing_(!cl.replayPath.empty()), devices_(window) {
    const std::vector<DataFile> here = hashDataFiles();
    if (showing_) {
        const std::string difference = headerDifference(cl.replayPath, shown.header, here);
        if (!difference.empty()) complain(difference);
        return;
    }
    header_.seed = clockSeed();
    header_.demo = cl.demo;
    header_.training = cl.training;
    header_.data = here;
}

platform::Platform& WindowSession::gamePlatform() {
    return showing_ ? static_cast<platform::Platform&>(devices_) : window_;
}

pelea::StartOptions WindowSession::startOptions() const {
    if (showing_) return {true, shown_.header.seed, shown_.header.demo};
    return {true, header_.seed, header_.demo};
}

bool WindowSession::training() const {
    return showing_ ? shown_.header.training : header_.training;
}

int WindowSession::run(platform::FramePipeline& pipeline) {
    if (showing_) {
        ReplayCheck check(shown_, cl_.replayPath);
        pipeline.watch(check);
        return Viewer(pipeline, devices_, shown_).run();
    }
    WindowRecording recording(header_, cl_.recordPath, replaysFolder());
    pipeline.watch(recording);
    return platform::runGame(window_, pipeline);
}

}  // namespace replay
