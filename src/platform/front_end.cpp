#include "platform/front_end.h"

#include "replay/run_watch.h"
#include "replay/window_session.h"

namespace front {

namespace {

// A headless run's additions: the trainer drives; the recording and the replay's check watch.
class HeadlessFrontEnd : public platform::HeadlessAdditions {
public:
    bool prepare(platform::HeadlessOptions& options, platform::InputScript& script) override {
        if (!watch_.prepare(options, script)) return false;
        training_ = options.training;
        return true;
    }
    void start(pelea::TForm1& form, platform::FramePipeline& pipeline) override {
        drivers_ = std::make_unique<Drivers>(form, pipeline, training_);
        watch_.start(pipeline);
    }
    // Called while the game object still lives: the trainer lets go of it here.
    int finish(int code) override {
        drivers_.reset();
        return watch_.finish(code);
    }

private:
    replay::RunWatch watch_;
    bool training_ = false;
    std::unique_ptr<Drivers> drivers_;
};

}  // namespace

Drivers::Drivers(pelea::TForm1& form, platform::FramePipeline& pipeline, bool training)
    : trainer_(form, training) {
    pipeline.drive(trainer_);
}

WindowWatchers::WindowWatchers(platform::FramePipeline& pipeline) {
    pipeline.watch(calmer_);
}

int runWindowSession(platform::Platform& window, const platform::CommandLine& cl,
                     const replay::Replay& shown, const std::function<void(pelea::TForm1&)>& made) {
    replay::WindowSession session(window, cl, shown);
    pelea::TForm1 form(session.gamePlatform(), session.startOptions());
    platform::FramePipeline pipeline(form);
    Drivers drivers(form, pipeline, session.training());
    // With soft flashes the shake is calmed on the finished picture, before any line is drawn over it.
    WindowWatchers watchers(pipeline);
    made(form);
    return session.run(pipeline);
}

}  // namespace front

namespace platform {

int runHeadless(const HeadlessOptions& options) {
    front::HeadlessFrontEnd additions;
    return runHeadless(options, additions);
}

}  // namespace platform
