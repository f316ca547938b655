// The program's entry: the game in a window, or the headless runner.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "game/tform1.h"
#include "net/spectator.h"
#include "net/window_peer.h"
#include "options/sdl/bound_controls.h"
#include "options/sdl/options_platform.h"
#include "options/settings.h"
#include "platform/common/command_line.h"
#include "platform/common/data_folder.h"
#include "platform/front_end.h"
#include "platform/headless/runner.h"
#include "platform/sdl/sdl_platform.h"
#include "replay/files.h"
#include "replay/window_session.h"

namespace {

constexpr const char* kNoDisplay =
    "pelea: no display found; use --headless to run without a window";

bool envSet(const char* name) {
    const char* v = std::getenv(name);
    return v != nullptr && v[0] != '\0';
}

// Brings SDL's video up; false with one line when there is no display to show a window on.
// A driver the user names in SDL_VIDEODRIVER is taken as asked, even one without a screen.
bool startVideo() {
    const bool driverAsked = envSet("SDL_VIDEODRIVER");
    if (!driverAsked && !envSet("DISPLAY") && !envSet("WAYLAND_DISPLAY")) {
        std::fprintf(stderr, "%s\n", kNoDisplay);
        return false;
    }
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER | SDL_INIT_TIMER) !=
        0) {
        std::fprintf(stderr, "%s (%s)\n", kNoDisplay, SDL_GetError());
        return false;
    }
    if (!driverAsked && platform::isWindowlessVideoDriver(SDL_GetCurrentVideoDriver())) {
        std::fprintf(stderr, "%s\n", kNoDisplay);
        SDL_Quit();
        return false;
    }
    return true;
}

// Settles the data folder before either run enters it: --data, $PELEA_DATA, the data installed
// beside the program, or the working folder. False after one line when PELEA_DATA is wrong.
bool settleDataFolder(platform::CommandLine& cl) {
    std::string error;
    if (!platform::chooseDataFolder(cl.dataDir, std::getenv(platform::kDataVariable),
                                    platform::ownExecutable(), cl.dataDir, error)) {
        std::fprintf(stderr, "pelea: %s\n", error.c_str());
        return false;
    }
    cl.run.dataDir = cl.dataDir;
    return true;
}

// The window runs in its data folder; false after one line when it cannot be entered.
bool enterDataFolder(const platform::CommandLine& cl) {
    if (cl.dataDir.empty()) return true;
    std::error_code ec;
    std::filesystem::current_path(cl.dataDir, ec);
    if (!ec) return true;
    std::fprintf(stderr, "pelea: cannot use the data folder %s: %s\n", cl.dataDir.c_str(),
                 ec.message().c_str());
    return false;
}

int runWindow(const platform::CommandLine& cl, const replay::Replay& shown) {
    if (!enterDataFolder(cl)) return platform::kExitBadInput;
    if (!startVideo()) return platform::kExitFailure;
    // The saved settings; --scale and --fullscreen win over them for this run.
    options::Settings settings = options::loadSettings(options::settingsPath());
    int code = platform::kExitFailure;
    {
        platform::SdlPlatform sdl(cl.scale > 0 ? cl.scale : settings.scale);
        const options::BoundControls controls(settings.controls);
        sdl.setControls(&controls);
        if (sdl.initDisplay(false)) {
            options::OptionsPlatform window(sdl, settings, cl.replayPath.empty());
            code = front::runWindowSession(window, cl, shown, [&](pelea::TForm1& form) {
                window.attach(form);
                form.FormCreate();
                if (cl.fullscreen || settings.fullscreen) {
                    form.DXDraw1.fullScreen = true;
                    sdl.initDisplay(true);
                }
            });
        }
    }
    SDL_Quit();
    return code;
}

// A networked match in the window: the other player is reached before the window opens.
int runNetWindow(const platform::CommandLine& cl) {
    if (!enterDataFolder(cl)) return platform::kExitBadInput;
    if (!startVideo()) return platform::kExitFailure;
    if (cl.net.host) std::fprintf(stderr, "pelea: waiting for a player on port %d\n", cl.net.port);
    net::Connection connection;
    int code = cl.spectating ? net::connectSpectator(cl.net, connection)
                             : net::connectPeer(cl.net, 0, replay::clockSeed(), connection);
    if (code != 0) {
        SDL_Quit();
        return code;
    }
    options::Settings settings = options::loadSettings(options::settingsPath());
    {
        platform::SdlPlatform sdl(cl.scale > 0 ? cl.scale : settings.scale);
        const options::BoundControls controls(settings.controls);
        sdl.setControls(&controls);
        code = platform::kExitFailure;
        if (sdl.initDisplay(false)) {
            // No controls screen in a networked match: the other side would not wait for it.
            options::OptionsPlatform window(sdl, settings, false);
            net::RollbackPlatform rollback(window);
            pelea::TForm1 form(rollback, {true, connection.agreement.seed, false});
            window.attach(form);
            form.FormCreate();
            if (cl.fullscreen || settings.fullscreen) {
                form.DXDraw1.fullScreen = true;
                sdl.initDisplay(true);
            }
            platform::FramePipeline pipeline(form);
            const front::WindowWatchers watchers(pipeline);
            code = cl.spectating
                       ? net::runWindowSpectator(form, window, connection, cl.net, cl.recordPath)
                       : net::runWindowPeer(form, window, rollback.rollbackAudio(), connection,
                                            cl.net, cl.recordPath, pipeline);
        }
    }
    SDL_Quit();
    return code;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    platform::CommandLine cl;
    std::string error;
    if (!platform::parseCommandLine(args, cl, error)) {
        std::fprintf(stderr, "pelea: %s\n", error.c_str());
        return platform::kExitBadInput;
    }
    if (cl.help) {
        std::fputs(platform::usageText(), stdout);
        return platform::kExitDone;
    }
    if (cl.version) {
        std::fputs(platform::versionText(), stdout);
        return platform::kExitDone;
    }
    if (!settleDataFolder(cl)) return platform::kExitBadInput;
    if (cl.headless && cl.spectating) return net::runHeadlessSpectator(cl.run, cl.net);
    if (cl.headless && cl.networked) return net::runHeadlessPeer(cl.run, cl.net);
    if (cl.headless) return platform::runHeadless(cl.run);
    replay::Replay shown;
    if (!replay::prepareWindow(cl, shown)) return platform::kExitBadInput;
    if (cl.networked || cl.spectating) return runNetWindow(cl);
    return runWindow(cl, shown);
}
