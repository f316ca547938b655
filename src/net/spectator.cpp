#include "net/spectator.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "net/keys.h"
#include "net/window_peer.h"
#include "platform/headless/headless_platform.h"
#include "replay/data_files.h"
#include "replay/files.h"
#include "replay/replay_file.h"

namespace net {

namespace {

namespace fs = std::filesystem;

constexpr int kConnectMs = 10000;
constexpr uint64_t kAnswerMs = 10000;
// The window shows the match this many frames behind the newest frame held, skips a frame a
// tick when twice that behind, and catches up blind at once when more than kFallenBehind.
constexpr int64_t kBehind = 3;
constexpr int64_t kFallenBehind = 36;
constexpr uint64_t kEndMs = 3000;
constexpr const char* kLabel = "ESPECTADOR";

void complain(const std::string& message) {
    std::fprintf(stderr, "pelea: %s\n", message.c_str());
}

std::string where(const Address& a) {
    return a.host + ":" + std::to_string(a.port);
}

// The host's answer to the spectator's hello, or false when none came in time.
bool awaitAnswer(Link& link, Message& out) {
    const uint64_t end = steadyMs() + kAnswerMs;
    std::vector<uint8_t> bytes;
    // What came is read before the goodbye that may have come with it.
    while (true) {
        while (link.receive(bytes)) {
            if (decode(bytes, out) &&
                (std::holds_alternative<Welcome>(out) || std::holds_alternative<Refuse>(out))) {
                return true;
            }
        }
        if (link.lost() || steadyMs() >= end) return false;
        link.pump(5);
    }
}

}  // namespace

int connectSpectator(const NetOptions& net, Connection& out) {
    std::string error;
    out.socket = EnetHost::connect(net.join, kConnectMs, out.enet, error);
    if (!out.socket) {
        complain(error);
        return platform::kExitFailure;
    }
    out.link = out.enet.get();
    if (net.sim.active()) {
        out.sim = std::make_unique<SimulatedLink>(*out.enet, net.sim, 3, steadyMs);
        out.link = out.sim.get();
    }
    const std::string version = replay::gameVersion();
    out.link->send(Channel::Control, encode(Watch{version, dataSetHash()}));
    out.link->pump(0);
    Message m;
    if (!awaitAnswer(*out.link, m)) {
        complain("the host at " + where(net.join) + " did not answer");
        return platform::kExitFailure;
    }
    if (const auto* refuse = std::get_if<Refuse>(&m)) {
        int code = platform::kExitFailure;
        switch (refuse->reason) {
            case RefuseReason::Version:
                error = "the host runs pelea " + refuse->gameVersion + ", this is pelea " +
                        version + "; a spectator needs the same version";
                code = platform::kExitBadInput;
                break;
            case RefuseReason::Data:
                error = "the host's data files differ from these; a spectator needs the same data";
                code = platform::kExitBadInput;
                break;
            case RefuseReason::Over:
                error = "the match at " + where(net.join) + " has ended; there is nothing to watch";
                break;
            case RefuseReason::Full:
            case RefuseReason::Busy:
                error = "the host at " + where(net.join) + " has all the spectators it takes (" +
                        std::to_string(kMaxSpectators) + ")";
                break;
        }
        complain(error);
        out.enet->close(300);
        return code;
    }
    const Welcome& w = std::get<Welcome>(m);
    out.agreement.seed = w.seed;
    out.agreement.delay = w.delay;
    out.agreement.frames = 0;
    return platform::kExitDone;
}

Watcher::Watcher(pelea::TForm1& form, Link& link) : form_(form), link_(link) {
    lastHeardMs_ = steadyMs();
    form_.DXInput1.setFilter(this);
}

Watcher::~Watcher() {
    form_.DXInput1.setFilter(nullptr);
}

void Watcher::filter(uint32_t& keyboard, uint32_t& joystick) {
    keyboard = feedKeyboard_;
    joystick = feedJoystick_;
}

void Watcher::take(const Feed& m) {
    if (joinedAt_ < 0) {
        joinedAt_ = m.live;
        joinedMs_ = steadyMs();
    }
    // One reliable channel brings the feed whole and in order; anything else is not taken.
    if (int64_t{m.first} != held()) return;
    eachFrame(m, [this](const FrameInput& one, const FrameInput& two, bool ran) {
        log_.add(one, two, ran, nullptr);
    });
}

Watcher::Status Watcher::receive() {
    std::vector<uint8_t> bytes;
    bool heard = false;
    while (link_.receive(bytes)) {
        Message m;
        if (!decode(bytes, m)) continue;
        heard = true;
        if (const auto* feed = std::get_if<Feed>(&m)) {
            take(*feed);
        } else if (std::holds_alternative<Quit>(m)) {
            ended_ = true;
        }
    }
    const uint64_t now = steadyMs();
    if (heard) {
        lastHeardMs_ = now;
        link_.send(Channel::Control, encode(FeedAck{static_cast<uint32_t>(held())}));
    }
    if (ended_) return Status::Ended;
    if (link_.lost() || now - lastHeardMs_ > kSpectatorSilentMs) return Status::Lost;
    return Status::Watching;
}

// As the players' sessions ran it: both sides' keys, then (unless P stopped the game's timer)
// the frame with both device sets.
void Watcher::run(bool seen) {
    const int64_t f = shown_++;
    const FrameInput one = log_.input(1, f), two = log_.input(2, f);
    media::Surface& surface = form_.DXDraw1.Surface;
    const bool wasBlind = surface.blind, wasMute = form_.DXSound1.mute;
    if (!seen) {
        surface.blind = true;
        form_.DXSound1.mute = true;
    }
    media::DXTimer& timer = form_.DXTimer1;
    timer.Enabled = !paused_;
    for (const FrameInput* in : {&one, &two}) {
        for (size_t k = 0; k < in->keyCount; ++k)
            form_.FormKeyDown(in->keys[k]);
    }
    paused_ = !timer.Enabled;
    timer.Enabled = true;
    feedKeyboard_ = one.states;
    feedJoystick_ = two.states;
    if (!paused_) form_.DXTimer1Timer();
    surface.blind = wasBlind;
    form_.DXSound1.mute = wasMute;
}

bool writeWatchedReplay(const Watcher& watcher, uint64_t seed, const std::string& path,
                        std::string& problem) {
    replay::Header header;
    header.seed = seed;
    header.data = replay::hashDataFiles();
    return replay::writeFileAtomically(path, replayOf(watcher.log(), seed, header, watcher.held()),
                                       problem);
}

namespace {

void record(const Watcher& watcher, uint64_t seed, const std::string& path) {
    std::string problem;
    if (!path.empty() && !writeWatchedReplay(watcher, seed, path, problem)) {
        complain("cannot write the recording " + path + ": " + problem);
    }
}

}  // namespace

int runHeadlessSpectator(const platform::HeadlessOptions& run, const NetOptions& net) {
    const std::string recordPath =
        run.recordPath.empty() ? "" : replay::absolutePath(run.recordPath);
    if (!run.dataDir.empty()) {
        std::error_code ec;
        fs::current_path(run.dataDir, ec);
        if (ec) {
            complain("cannot use the data folder " + run.dataDir + ": " + ec.message());
            return platform::kExitBadInput;
        }
    }
    Connection connection;
    if (const int code = connectSpectator(net, connection); code != 0) return code;
    platform::HeadlessPlatform plat;
    pelea::TForm1 form(plat, pelea::StartOptions{true, connection.agreement.seed, false});
    form.FormCreate();
    form.setBlindMute(true);
    Watcher watcher(form, *connection.link);
    using Clock = std::chrono::steady_clock;
    Clock::duration blind{};
    int64_t caughtUpMs = -1;
    int code = platform::kExitDone;
    for (;;) {
        const Watcher::Status status = watcher.receive();
        const Clock::time_point t0 = Clock::now();
        while (watcher.shown() < watcher.held())
            watcher.run(false);
        if (caughtUpMs < 0 && watcher.joinedAt() >= 0) {
            blind += Clock::now() - t0;
            if (watcher.shown() >= watcher.joinedAt())
                caughtUpMs = static_cast<int64_t>(steadyMs() - watcher.joinedMs());
        }
        if (status == Watcher::Status::Ended) break;
        if (status == Watcher::Status::Lost) {
            complain("the match's host was lost at frame " + std::to_string(watcher.held()));
            code = platform::kExitFailure;
            break;
        }
        connection.link->pump(1);
    }
    record(watcher, connection.agreement.seed, recordPath);
    std::fprintf(stderr,
                 "pelea: spectator: joined at frame %lld, caught up in %lld ms (%.2f ms running "
                 "frames blind); %lld frames watched\n",
                 static_cast<long long>(watcher.joinedAt()), static_cast<long long>(caughtUpMs),
                 std::chrono::duration<double, std::milli>(blind).count(),
                 static_cast<long long>(watcher.held()));
    connection.close(net.sim);
    return code;
}

int runWindowSpectator(pelea::TForm1& form, platform::Platform& window, Connection& connection,
                       const NetOptions& net, const std::string& recordPath) {
    Watcher watcher(form, *connection.link);
    std::vector<int> keys;
    int code = platform::kExitDone;
    std::string ending;
    for (;;) {
        keys.clear();
        bool quit = false;
        window.pollEvents(keys, quit);
        // A spectator's keys change nothing but its own leaving.
        for (const int vk : keys) {
            if (keyRole(vk) == KeyRole::Leave) quit = true;
        }
        if (quit) {
            connection.link->send(Channel::Control, encode(Quit{QuitReason::Left}));
            break;
        }
        const Watcher::Status status = watcher.receive();
        media::DXTimer& timer = form.DXTimer1;
        timer.Enabled = true;
        if (timer.idle(window.nowMs(), true)) {
            const bool over = status == Watcher::Status::Ended;
            const int64_t target = over ? watcher.held() : watcher.held() - kBehind;
            // Far behind, it jumps to the newest frames; a little behind (its clock slower than
            // the players'), it skips one frame a tick until it is back.
            const int64_t gap = target - watcher.shown();
            if (gap > kFallenBehind) {
                while (watcher.shown() < target - 1)
                    watcher.run(false);
            } else if (gap > 2 * kBehind) {
                watcher.run(false);
            }
            if (watcher.shown() < target) {
                watcher.run(true);
                drawStatus(form, kLabel);
                window.present(form.DXDraw1.Surface, form.DXDraw1.Left);
            }
        }
        if (status == Watcher::Status::Ended && watcher.shown() == watcher.held()) {
            ending = "FIN DE LA PARTIDA";
            break;
        }
        if (status == Watcher::Status::Lost) {
            code = platform::kExitFailure;
            ending = "SE PERDIÓ LA PARTIDA";
            break;
        }
        connection.link->pump(0);
        window.sleepMs(
            std::min<uint32_t>(2, static_cast<uint32_t>(timer.msUntilDue(window.nowMs()))));
    }
    if (!ending.empty()) {
        complain(ending == "FIN DE LA PARTIDA" ? "the match ended" : "the match's host was lost");
        drawMessage(form, ending);
        window.present(form.DXDraw1.Surface, form.DXDraw1.Left);
        const uint64_t end = window.nowMs() + kEndMs;
        while (window.nowMs() < end) {
            keys.clear();
            bool quit = false;
            window.pollEvents(keys, quit);
            if (quit || !keys.empty()) break;
            window.sleepMs(20);
        }
    }
    record(watcher, connection.agreement.seed, recordPath);
    connection.close(net.sim);
    form.FormClose();
    return code;
}

}  // namespace net
