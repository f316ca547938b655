#include "platform/sdl/sdl_platform.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "media/surface.h"

namespace platform {

namespace {

constexpr int kWidth = media::Surface::kWidth;
constexpr int kHeight = media::Surface::kHeight;
constexpr int kPitch = kWidth * static_cast<int>(sizeof(uint16_t));
constexpr int kDesktopShare = 80;  // the default window fits in this percentage of the desktop
constexpr int kPercent = 100;
constexpr const char* kTitle = "Pelea";
constexpr int kBitsPerPixel = 16;

// The largest whole factor that fits width × height (at least 1).
int fittingScale(int width, int height) {
    return std::max(1, std::min(width / kWidth, height / kHeight));
}

}  // namespace

bool isWindowlessVideoDriver(const char* driver) {
    return driver != nullptr &&
           (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
}

void openAudio(SdlAudio& audio) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 && audio.open()) return;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 && audio.open()) {
        std::fprintf(stderr, "pelea: no sound device found; playing without sound\n");
        return;
    }
    std::fprintf(stderr, "pelea: sound is off (%s)\n", SDL_GetError());
}

SdlPlatform::SdlPlatform(int scale) : scale_(scale) {
    openAudio(audio_);
    pads_.refresh();
}

SdlPlatform::~SdlPlatform() {
    pads_.close();
    audio_.close();
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
    if (window_ != nullptr) SDL_DestroyWindow(window_);
}

int SdlPlatform::windowScale() const {
    if (scale_ > 0) return scale_;
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) return 1;
    return fittingScale(desktop.w * kDesktopShare / kPercent, desktop.h * kDesktopShare / kPercent);
}

bool SdlPlatform::createWindow() {
    const int s = windowScale();
    window_ = SDL_CreateWindow(kTitle, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kWidth * s,
                               kHeight * s, SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALLOW_HIGHDPI);
    if (window_ == nullptr) return false;
    renderer_ =
        SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (renderer_ == nullptr) renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (renderer_ == nullptr) return false;
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING,
                                 kWidth, kHeight);
    if (texture_ == nullptr) return false;
    SDL_RaiseWindow(window_);
    // Drivers without a window system never report focus: the window counts as focused.
    focused_ = isWindowlessVideoDriver(SDL_GetCurrentVideoDriver()) ||
               (SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS) != 0;
    return true;
}

bool SdlPlatform::initDisplay(bool fullscreen) {
    if (window_ == nullptr && !createWindow()) {
        std::fprintf(stderr, "pelea: cannot open the window (%s)\n", SDL_GetError());
        return false;
    }
    if (fullscreen == fullscreen_) return true;
    const Uint32 flags = fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0;
    if (SDL_SetWindowFullscreen(window_, flags) != 0) {
        std::fprintf(stderr, "Display mode cannot be changed (%dx%d %dbit)\n", kWidth, kHeight,
                     kBitsPerPixel);
        return false;
    }
    fullscreen_ = fullscreen;
    return true;
}

void SdlPlatform::present(const media::Surface& surface, int offsetX) {
    if (renderer_ == nullptr) return;
    SDL_UpdateTexture(texture_, nullptr, surface.pixels(), kPitch);
    int outW = 0, outH = 0;
    SDL_GetRendererOutputSize(renderer_, &outW, &outH);
    // The same whole factor in a window and in full screen, the picture centred on black.
    const int s = fittingScale(outW, outH);
    const SDL_Rect dst{(outW - kWidth * s) / 2 + offsetX * s, (outH - kHeight * s) / 2, kWidth * s,
                       kHeight * s};
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, SDL_ALPHA_OPAQUE);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, &dst);
    SDL_RenderPresent(renderer_);
}

void SdlPlatform::handleWindowEvent(const SDL_WindowEvent& e) {
    if (e.event == SDL_WINDOWEVENT_FOCUS_GAINED) focused_ = true;
    if (e.event == SDL_WINDOWEVENT_FOCUS_LOST) focused_ = false;
}

void SdlPlatform::pollEvents(std::vector<int>& keyDowns, bool& quit) {
    quit = false;
    SDL_Event e;
    while (SDL_PollEvent(&e) != 0) {
        if (hook_ != nullptr && hook_->consume(e)) continue;
        switch (e.type) {
            case SDL_QUIT:
                quit = true;
                break;
            case SDL_WINDOWEVENT:
                handleWindowEvent(e.window);
                break;
            case SDL_KEYDOWN:
                if (e.key.repeat == 0) {
                    const int vk = virtualKeyOf(e.key.keysym.sym);
                    if (vk != 0) keyDowns.push_back(vk);
                }
                break;
            default:
                pads_.handle(e);
                break;
        }
    }
}

bool SdlPlatform::keyHeld(int virtualKey) {
    const SDL_Keycode key = keycodeOf(virtualKey);
    if (!focused_ || key == SDLK_UNKNOWN) return false;
    return SDL_GetKeyboardState(nullptr)[SDL_GetScancodeFromKey(key)] != 0;
}

// Each fighter's set: its own keys and the pads that drive it.
uint32_t SdlPlatform::keyboardRaw() {
    if (!focused_) return 0;
    return keyboardStates(SDL_GetKeyboardState(nullptr), *bindings_, 1) | pads_.states(1);
}

uint32_t SdlPlatform::joystickRaw() {
    if (!focused_) return 0;
    return keyboardStates(SDL_GetKeyboardState(nullptr), *bindings_, 2) | pads_.states(2);
}

}  // namespace platform
