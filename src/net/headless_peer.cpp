#include "net/headless_peer.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>

#include "game/tform1.h"
#include "net/keys.h"
#include "net/rejoin.h"
#include "net/session.h"
#include "platform/common/script.h"
#include "platform/headless/headless_platform.h"
#include "replay/files.h"
#include "replay/replay_file.h"

namespace net {

namespace {

namespace fs = std::filesystem;
using platform::EventKind;
using platform::ScriptEvent;

// After its last frame a side stays this long at most for the other to get its inputs.
constexpr uint64_t kFinishMs = 3000;

void complain(const std::string& message) {
    std::fprintf(stderr, "pelea: %s\n", message.c_str());
}

// The script turned into this side's input, one frame at a time.
class LocalInput {
public:
    explicit LocalInput(platform::InputScript script) : script_(std::move(script)) {}

    // What the script gives for frame f: the events of every frame up to f not yet taken (the
    // first frames, which nobody's input reaches, hand theirs on to the first that does).
    struct Frame {
        FrameInput input;
        std::vector<ScriptEvent> sets;
        std::vector<int> localKeys;
        bool leave = false;
        size_t next = 0;
        uint32_t keyboard = 0, joystick = 0;
    };
    Frame peek(int64_t f) const {
        Frame out;
        out.keyboard = keyboard_;
        out.joystick = joystick_;
        size_t i = next_;
        const auto& events = script_.events;
        for (; i < events.size() && events[i].frame <= f && !out.leave; ++i) {
            const ScriptEvent& e = events[i];
            switch (e.kind) {
                case EventKind::Keyboard:
                    out.keyboard = e.states;
                    break;
                case EventKind::Joystick:
                    out.joystick = e.states;
                    break;
                case EventKind::Set:
                    out.sets.push_back(e);
                    break;
                case EventKind::Key:
                    for (const int vk : e.keys) {
                        switch (keyRole(vk)) {
                            case KeyRole::Shared:
                                out.input.addKey(vk);
                                break;
                            case KeyRole::Local:
                                out.localKeys.push_back(vk);
                                break;
                            case KeyRole::Leave:
                                out.leave = true;
                                break;
                            case KeyRole::Ignored:
                                break;
                        }
                        if (out.leave) break;
                    }
                    break;
                case EventKind::Sum:
                    break;
            }
        }
        out.next = i;
        out.input.states = static_cast<uint8_t>(out.keyboard | out.joystick);
        return out;
    }
    void take(const Frame& f) {
        next_ = f.next;
        keyboard_ = f.keyboard;
        joystick_ = f.joystick;
    }
    // A player joining again starts at frame f: what the script gave before it is past, bar the
    // device sets it left held.
    void skipBefore(int64_t f) {
        const auto& events = script_.events;
        for (; next_ < events.size() && events[next_].frame < f; ++next_) {
            if (events[next_].kind == EventKind::Keyboard) keyboard_ = events[next_].states;
            if (events[next_].kind == EventKind::Joystick) joystick_ = events[next_].states;
        }
    }

private:
    platform::InputScript script_;
    size_t next_ = 0;
    uint32_t keyboard_ = 0, joystick_ = 0;
};

class Peer {
public:
    Peer(const platform::HeadlessOptions& run, const NetOptions& net) : run_(run), net_(net) {}
    int go();

private:
    bool readScript(platform::InputScript& script);
    int connect();
    int play(platform::InputScript script);
    int end(int code, const std::string& message);
    void sayWaiting(std::optional<uint64_t>& since);
    void writeReplay(const std::string& path);

    const platform::HeadlessOptions& run_;
    const NetOptions& net_;
    std::string recordPath_, startFolder_;
    Connection connection_;
    Link* link_ = nullptr;
    Agreement agreement_;
    platform::HeadlessPlatform platform_;
    std::unique_ptr<pelea::TForm1> form_;
    std::unique_ptr<platform::FramePipeline> pipeline_;
    std::unique_ptr<Session> session_;
};

bool Peer::readScript(platform::InputScript& script) {
    if (run_.inputPath.empty()) return true;
    std::string text, problem;
    if (!platform::readScriptFile(run_.inputPath, text, problem)) {
        complain("cannot read the input script " + run_.inputPath + ": " + problem);
        return false;
    }
    platform::ScriptError error;
    if (!platform::parseScript(text, script, error)) {
        complain(run_.inputPath + ":" + std::to_string(error.line) + ": " + error.message);
        return false;
    }
    return true;
}

int Peer::go() {
    platform::InputScript script;
    if (!readScript(script)) return platform::kExitBadInput;
    recordPath_ = replay::absolutePath(run_.recordPath);
    std::error_code ec;
    startFolder_ = fs::current_path(ec).string();
    if (!run_.dataDir.empty()) {
        fs::current_path(run_.dataDir, ec);
        if (ec) {
            complain("cannot use the data folder " + run_.dataDir + ": " + ec.message());
            return platform::kExitBadInput;
        }
    }
    const int code = connect();
    if (code != platform::kExitDone) return code;
    return play(std::move(script));
}

int Peer::connect() {
    const int code = connectPeer(net_, static_cast<uint32_t>(run_.frames),
                                 run_.seeded ? run_.seed : replay::clockSeed(), connection_);
    link_ = connection_.link;
    agreement_ = connection_.agreement;
    return code;
}

int Peer::play(platform::InputScript script) {
    form_ = std::make_unique<pelea::TForm1>(platform_,
                                            pelea::StartOptions{true, agreement_.seed, false});
    form_->FormCreate();
    form_->setBlindMute(true);
    pipeline_ = std::make_unique<platform::FramePipeline>(*form_);
    session_ = std::make_unique<Session>(*form_, *link_, net_.host ? 1 : 2, agreement_.delay);
    session_->setPipeline(pipeline_.get());
    session_->setLastFrame(agreement_.frames);
    session_->setClock(steadyMs);
    connection_.watch(session_->log());
    LocalInput local(std::move(script));
    if (agreement_.from > 0) {
        std::string problem;
        const uint64_t start = steadyMs();
        if (!catchUp(*session_, *link_, agreement_.from, problem))
            return end(platform::kExitFailure, problem);
        complain("joined the match again at frame " + std::to_string(session_->frame()) +
                 " (caught up in " + std::to_string(steadyMs() - start) + " ms)");
        local.skipBefore(session_->localFrame());
    }
    RejoinWait rejoin(connection_, *session_, net_.host ? net_.rejoinWaitMs : 0);
    const auto total = static_cast<int64_t>(agreement_.frames);
    std::optional<uint64_t> finishedAt;
    std::optional<uint64_t> waitingSince;  // said on stderr: waiting for the other's inputs
    while (true) {
        Session::Status status;
        bool ran = false;
        if (session_->frame() < total) {
            LocalInput::Frame f = local.peek(session_->localFrame());
            if (!net_.host) addJoinKeys(session_->frame(), form_->g, f.input);
            if (f.leave) {
                link_->send(Channel::Control, encode(Quit{QuitReason::Left}));
                return end(platform::kExitDone, "");
            }
            status = rejoin.after(session_->tick(f.input, f.sets));
            if (!rejoin.waiting()) sayWaiting(waitingSince);
            if (status == Session::Status::Ran) {
                local.take(f);
                for (const int vk : f.localKeys)
                    pipeline_->key(vk);
                ran = true;
            }
        } else {
            status = rejoin.after(session_->idle());
            if (!finishedAt) finishedAt = steadyMs();
            const bool peerHasAll = session_->peerAck() >= total - 1 || session_->peerFinished();
            if (session_->confirmed() >= total &&
                (peerHasAll || steadyMs() - *finishedAt > kFinishMs)) {
                link_->send(Channel::Control, encode(Quit{QuitReason::Finished}));
                return end(platform::kExitDone, "");
            }
        }
        const int64_t at = session_->confirmed();
        switch (status) {
            case Session::Status::Desync: {
                const int64_t f = session_->desyncFrame();
                return end(replay::kExitMismatch,
                           "the game went out of step with the other player's at frame " +
                               std::to_string(f));
            }
            case Session::Status::PeerQuit:
                return end(platform::kExitDone,
                           "the other player left the match at frame " + std::to_string(at));
            case Session::Status::PeerLost:
                if (at >= total) return end(platform::kExitDone, "");
                return end(platform::kExitFailure,
                           "the other player was lost at frame " + std::to_string(at));
            default:
                break;
        }
        link_ = connection_.link;  // a player joining again comes on a link of its own
        connection_.serveNewcomers();
        link_->pump(ran ? 0 : 1);
    }
}

// One line when a wait for the other's inputs has lasted long enough to notice, one when the
// frames run again.
void Peer::sayWaiting(std::optional<uint64_t>& since) {
    const int64_t frame = session_->frame();
    if (!since && session_->waitNoticeDue()) {
        since = steadyMs() - session_->waitedMs();
        complain("waiting for the other player at frame " + std::to_string(frame) + " (" +
                 std::to_string(session_->secondsLeft()) + " s before it is given up)");
    } else if (since && session_->waitedMs() == 0) {
        complain("the other player is back: frame " + std::to_string(frame) + " runs after " +
                 std::to_string(steadyMs() - *since) + " ms of waiting");
        since.reset();
    }
}

void Peer::writeReplay(const std::string& path) {
    std::string problem;
    if (!session_->writeReplay(agreement_.seed, path, problem)) {
        complain("cannot write the recording " + path + ": " + problem);
    }
}

int Peer::end(int code, const std::string& message) {
    if (!message.empty()) complain(message);
    std::string path = recordPath_;
    if (code == replay::kExitMismatch && path.empty()) {
        path = (fs::path(startFolder_) /
                ("desync-" + std::string(net_.host ? "host-" : "join-") +
                 std::to_string(session_->desyncFrame()) + replay::kFileExtension))
                   .string();
    }
    if (!path.empty()) writeReplay(path);
    if (code == replay::kExitMismatch) {
        complain("the session is in " + path + "; pelea --headless --replay " + path +
                 " plays it again");
    }
    const SessionStats& s = session_->stats();
    std::fprintf(
        stderr,
        "pelea: netplay: %lld frames confirmed, %lld rollbacks (at most %d frames), %lld "
        "waits, %lld slips, %lld input packets dropped by --netsim, %lld datagrams "
        "dropped by --outage\n",
        static_cast<long long>(session_->confirmed()), static_cast<long long>(s.rollbacks),
        s.maxRollback, static_cast<long long>(s.waits), static_cast<long long>(s.slips),
        static_cast<long long>(connection_.sim ? connection_.sim->dropped() : 0),
        static_cast<long long>(connection_.socket ? connection_.socket->outageDropped() : 0));
    connection_.close(net_.sim);
    return code;
}

}  // namespace

int runHeadlessPeer(const platform::HeadlessOptions& run, const NetOptions& net) {
    Peer peer(run, net);
    return peer.go();
}

}  // namespace net
