#include "net/window_peer.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

#include "net/keys.h"
#include "net/rejoin.h"
#include "replay/files.h"
#include "replay/match_archive.h"
#include "replay/replay_file.h"

namespace net {

namespace {

constexpr media::TColor kStatusColour = media::rgb(255, 220, 120);
constexpr media::TColor kMessageColour = media::rgb(255, 90, 90);
constexpr media::TColor kBand = media::rgb(16, 16, 24);
constexpr int kCentre = 200;
constexpr int kStatusTop = 266, kStatusBottom = 277, kStatusY = 267, kStatusSize = 7;
constexpr int kMessageY = 140, kMessageSize = 9;
constexpr int kWaitingY = 128, kSecondsY = 147, kSecondsSize = 12;
constexpr uint64_t kMessageMs = 4000;  // how long the last word stays on screen
constexpr uint32_t kSliceMs = 2;

void complain(const std::string& message) {
    std::fprintf(stderr, "pelea: %s\n", message.c_str());
}

// The match ended: the reason on screen (and stderr) for a few seconds, or until a key. The
// network goes on meanwhile, so the last word (a desync, a goodbye) reaches the other side.
void showEnd(pelea::TForm1& form, platform::Platform& window, Link& link,
             const std::string& message) {
    complain(message);
    drawMessage(form, message);
    window.present(form.DXDraw1.Surface, form.DXDraw1.Left);
    const uint64_t end = window.nowMs() + kMessageMs;
    std::vector<int> keys;
    std::vector<uint8_t> ignored;
    while (window.nowMs() < end) {
        keys.clear();
        bool quit = false;
        window.pollEvents(keys, quit);
        if (quit || !keys.empty()) break;
        while (link.receive(ignored)) {
        }
        link.pump(0);
        window.sleepMs(20);
    }
}

void writeReplay(const Session& session, uint64_t seed, const std::string& path) {
    std::string problem;
    if (!session.writeReplay(seed, path, problem)) {
        complain("cannot write the recording " + path + ": " + problem);
    }
}

}  // namespace

std::string statusText(const SessionStats& s) {
    const std::string ping = s.pingMs < 0 ? "--" : std::to_string(s.pingMs);
    return "PING " + ping + " MS   RETROCESO " + std::to_string(s.rollbackNow) + "   ADELANTE " +
           std::to_string(s.ahead) + "   RETARDO " + std::to_string(s.delay);
}

void drawStatus(pelea::TForm1& form, std::string_view status) {
    form.barra(0, kStatusTop, media::Surface::kWidth, kStatusBottom, kBand);
    form.texto(kCentre, kStatusY, status, 'c', kStatusSize, kStatusColour);
}

void drawMessage(pelea::TForm1& form, std::string_view message) {
    form.barra(0, kMessageY - 4, media::Surface::kWidth, kMessageY + 14, kBand);
    form.texto(kCentre, kMessageY, message, 'c', kMessageSize, kMessageColour);
}

void drawWaiting(pelea::TForm1& form, int secondsLeft) {
    form.barra(0, kWaitingTop, media::Surface::kWidth, kWaitingBottom, kBand);
    form.texto(kCentre, kWaitingY, "ESPERANDO AL OTRO JUGADOR", 'c', kMessageSize, kStatusColour);
    form.texto(kCentre, kSecondsY, std::to_string(secondsLeft), 'c', kSecondsSize, kStatusColour);
}

namespace {

// The picture as it stands with the notice over it; the game's own picture is left as it was,
// so a screen that draws only what changes finds it unmarked.
void presentWaiting(pelea::TForm1& form, platform::Platform& window, int secondsLeft,
                    media::Surface& keep) {
    media::Surface& surface = form.DXDraw1.Surface;
    keep = surface;
    drawWaiting(form, secondsLeft);
    window.present(surface, form.DXDraw1.Left);
    surface = keep;
}

}  // namespace

int runWindowPeer(pelea::TForm1& form, platform::Platform& window, RollbackAudio& audio,
                  Connection& connection, const NetOptions& net, const std::string& recordPath,
                  platform::FramePipeline& pipeline) {
    Session session(form, *connection.link, net.host ? 1 : 2, connection.agreement.delay);
    session.setPipeline(&pipeline);
    session.setPacing(true);
    session.setClock(steadyMs);
    connection.watch(session.log());
    // A player joining again runs the match so far blind and mute, then plays on.
    if (connection.agreement.from > 0) {
        std::string problem;
        if (!catchUp(session, *connection.link, connection.agreement.from, problem)) {
            showEnd(form, window, *connection.link, "SE PERDIÓ AL OTRO JUGADOR");
            complain(problem);
            connection.close(net.sim);
            form.FormClose();
            return 1;
        }
        complain("joined the match again at frame " + std::to_string(session.frame()));
    }
    session.setAudio(&audio);
    RejoinWait rejoin(connection, session, net.host ? net.rejoinWaitMs : 0);
    // A headless peer runs a number of frames; the match ends with them.
    const auto last = static_cast<int64_t>(connection.agreement.frames);
    session.setLastFrame(last);
    FrameInput pending;  // shared keys pressed since the last frame this side ran
    const auto kept = std::make_unique<media::Surface>();  // the picture under the notice
    bool showStatus = true;
    std::vector<int> keys;
    int code = 0;
    std::string ending;
    for (;;) {
        keys.clear();
        bool quit = false;
        window.pollEvents(keys, quit);
        for (const int vk : keys) {
            if (vk == kStatusKey) {
                showStatus = !showStatus;
                continue;
            }
            switch (keyRole(vk)) {
                case KeyRole::Shared:
                    pending.addKey(vk);
                    break;
                case KeyRole::Local:
                    pipeline.key(vk);
                    break;
                case KeyRole::Leave:
                    quit = true;
                    break;
                case KeyRole::Ignored:
                    break;
            }
        }
        if (quit) {
            connection.link->send(Channel::Control, encode(Quit{QuitReason::Left}));
            break;
        }
        // The other side goes on whatever this window does, so the clock always runs here.
        media::DXTimer& timer = form.DXTimer1;
        timer.Enabled = true;
        Session::Status status = Session::Status::Waiting;
        if (timer.idle(window.nowMs(), true)) {
            FrameInput local = pending;
            if (!net.host) addJoinKeys(session.frame(), form.g, local);
            const bool focused = window.foreground();
            local.states =
                static_cast<uint8_t>(focused ? (window.keyboardRaw() | window.joystickRaw()) : 0);
            status = rejoin.after(session.tick(local));
            if (status == Session::Status::Ran) {
                pending = FrameInput{};
                if (showStatus) drawStatus(form, statusText(session.stats()));
                window.present(form.DXDraw1.Surface, form.DXDraw1.Left);
            } else if (status == Session::Status::Waiting && rejoin.waiting()) {
                presentWaiting(form, window, rejoin.secondsLeft(), *kept);
            } else if (status == Session::Status::Waiting && session.waitNoticeDue()) {
                presentWaiting(form, window, session.secondsLeft(), *kept);
            }
        } else {
            status = rejoin.after(session.idle());
        }
        if (status == Session::Status::Desync) {
            code = replay::kExitMismatch;
            ending = "DESINCRONIZADOS DEL OTRO JUGADOR EN EL CUADRO " +
                     std::to_string(session.desyncFrame());
            break;
        }
        if (last > 0 && session.confirmed() >= last) {
            connection.link->send(Channel::Control, encode(Quit{QuitReason::Finished}));
            ending = "FIN DE LA PARTIDA";
            break;
        }
        if (status == Session::Status::PeerQuit) {
            ending = "EL OTRO JUGADOR SE FUE";
            break;
        }
        if (status == Session::Status::PeerLost) {
            code = 1;
            ending = "SE PERDIÓ AL OTRO JUGADOR";
            break;
        }
        connection.serveNewcomers();
        connection.link->pump(0);
        window.sleepMs(
            std::min<uint32_t>(kSliceMs, static_cast<uint32_t>(timer.msUntilDue(window.nowMs()))));
    }
    connection.link->pump(0);
    if (!ending.empty()) showEnd(form, window, *connection.link, ending);
    std::string path = recordPath;
    if (code == replay::kExitMismatch && path.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(replay::replaysFolder(), ec);
        path = (std::filesystem::path(replay::replaysFolder()) /
                ("desync-" + std::to_string(session.desyncFrame()) + replay::kFileExtension))
                   .string();
    }
    if (!path.empty()) writeReplay(session, connection.agreement.seed, path);
    if (code == replay::kExitMismatch) {
        complain("the session is in " + path + "; pelea --headless --replay " + path +
                 " plays it again");
    }
    connection.close(net.sim);
    form.FormClose();
    return code;
}

}  // namespace net
