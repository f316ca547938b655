#include "platform/sdl/sdl_platform.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>

#include "media/surface.h"

namespace platform {

namespace {

constexpr int kWidth = media::Surface::kWidth;
constexpr int kHeight = media::Surface::kHeight;
constexpr int kDesktopShare = 80;  // the default window fits in this percentage of the desktop
constexpr int kPercent = 100;
constexpr const char* kTitle = "Pelea";
constexpr int kBitsPerPixel = 16;
constexpr int kChannelBits = 8;
constexpr int kNativeBytes = 4;

// A packed 32-bit layout with 8-bit red, green and blue channels, which the pixel table fills.
bool eightBitChannels(Uint32 format, ChannelMasks& masks) {
    int bpp = 0;
    if (SDL_ISPIXELFORMAT_FOURCC(format) || SDL_BYTESPERPIXEL(format) != kNativeBytes ||
        SDL_PixelFormatEnumToMasks(format, &bpp, &masks.red, &masks.green, &masks.blue,
                                   &masks.alpha) != SDL_TRUE)
        return false;
    return bpp >= 3 * kChannelBits && std::popcount(masks.red) == kChannelBits &&
           std::popcount(masks.green) == kChannelBits && std::popcount(masks.blue) == kChannelBits;
}

// The texture format that costs the renderer least: the window's own when the renderer takes
// it, else the first 32-bit one the renderer lists, else ARGB8888, which every renderer takes.
Uint32 nativeFormat(SDL_Window* window, SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0) return SDL_PIXELFORMAT_ARGB8888;
    const auto listed = [&info](Uint32 f) {
        return std::find(info.texture_formats, info.texture_formats + info.num_texture_formats,
                         f) != info.texture_formats + info.num_texture_formats;
    };
    ChannelMasks masks;
    const Uint32 own = SDL_GetWindowPixelFormat(window);
    if (listed(own) && eightBitChannels(own, masks)) return own;
    for (Uint32 i = 0; i < info.num_texture_formats; ++i)
        if (eightBitChannels(info.texture_formats[i], masks)) return info.texture_formats[i];
    return SDL_PIXELFORMAT_ARGB8888;
}

// Alt+Enter, with either Enter key: the full-screen switch, never a key for the game.
bool fullscreenKey(const SDL_Keysym& key) {
    return (key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER) && (key.mod & KMOD_ALT) != 0;
}

// The name of the OpenGL renderer of the current context, or nullptr when there is none.
const char* glRendererName() {
    if (SDL_GL_GetCurrentContext() == nullptr) return nullptr;
    using GetString = const unsigned char* (*)(unsigned int);
    constexpr unsigned int kGlRenderer = 0x1F01;
    const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    return getString == nullptr ? nullptr : reinterpret_cast<const char*>(getString(kGlRenderer));
}

}  // namespace

bool isSoftwareRasterizer(const char* glRenderer) {
    if (glRenderer == nullptr) return false;
    for (const char* name : {"llvmpipe", "softpipe", "Software Rasterizer", "SWR"})
        if (std::strstr(glRenderer, name) != nullptr) return true;
    return false;
}

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
                               kHeight * s, SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (window_ == nullptr) return false;
    SDL_SetWindowMinimumSize(window_, kWidth, kHeight);
    // The software renderer draws into the window's surface. On X11 SDL would show that surface
    // through an OpenGL texture of the whole window, which costs several times what drawing
    // it did; X11's own shared-memory picture shows it at the cost of one copy.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver != nullptr && std::strcmp(driver, "x11") == 0)
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    renderer_ =
        SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (renderer_ != nullptr && SDL_GetHint(SDL_HINT_RENDER_DRIVER) == nullptr &&
        isSoftwareRasterizer(glRendererName())) {
        // OpenGL drawn by the processor spends several times what SDL's own software renderer
        // does on the same picture; unless a renderer was asked for, take that one.
        SDL_DestroyRenderer(renderer_);
        renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    }
    if (renderer_ == nullptr) renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (renderer_ == nullptr) return false;
    SDL_RendererInfo info;
    scaleInTexture_ =
        SDL_GetRendererInfo(renderer_, &info) == 0 && std::strcmp(info.name, "software") == 0;
    if (!createTexture(1)) return false;
    SDL_ShowCursor(SDL_ENABLE);
    SDL_RaiseWindow(window_);
    // Drivers without a window system never report focus: the window counts as focused.
    focused_ = isWindowlessVideoDriver(SDL_GetCurrentVideoDriver()) ||
               (SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS) != 0;
    return true;
}

bool SdlPlatform::createTexture(int scale) {
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    textureScale_ = 0;
    const Uint32 format = nativeFormat(window_, renderer_);
    ChannelMasks masks;
    if (!eightBitChannels(format, masks)) return false;
    if (table_ == nullptr) table_ = std::make_unique<PixelTable>(masks);
    texture_ = SDL_CreateTexture(renderer_, format, SDL_TEXTUREACCESS_STREAMING, kWidth * scale,
                                 kHeight * scale);
    if (texture_ == nullptr) return false;
    // Copied as it is: no blending with what is behind, nearest pixel when the renderer scales.
    SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_NONE);
    SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
    textureScale_ = scale;
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
    // The pointer has nothing to do in the game: gone in full screen, back in a window.
    SDL_ShowCursor(fullscreen ? SDL_DISABLE : SDL_ENABLE);
    redraw_ = true;
    return true;
}

void SdlPlatform::toggleFullscreen() {
    if (window_ == nullptr || !initDisplay(!fullscreen_)) return;
    if (fullscreenToggled_) fullscreenToggled_(fullscreen_);
}

void SdlPlatform::present(const media::Surface& surface, int offsetX) {
    if (renderer_ == nullptr) return;
    const bool changed = shown_.update(surface, offsetX);
    if (changed || redraw_) show(changed);
}

void SdlPlatform::show(bool newPixels) {
    int outW = 0, outH = 0;
    SDL_GetRendererOutputSize(renderer_, &outW, &outH);
    // The same whole factor in a window and in full screen, the picture centred on black.
    const PictureFit fit = fitPicture(outW, outH, shown_.offsetX());
    const int scale = scaleInTexture_ ? fit.scale : 1;
    if (scale != textureScale_) {
        // A picture too large for the renderer's textures is left to it to scale.
        if (!createTexture(scale)) {
            scaleInTexture_ = false;
            if (scale == 1 || !createTexture(1)) return;
        }
        newPixels = true;
    }
    const int texScale = textureScale_;
    void* pixels = nullptr;
    int pitch = 0;
    if (newPixels && SDL_LockTexture(texture_, nullptr, &pixels, &pitch) == 0) {
        convertScaled(shown_.pixels(), *table_, texScale, static_cast<uint32_t*>(pixels), pitch);
        SDL_UnlockTexture(texture_);
    }
    // A clear costs a renderer less than drawing the black bands around the picture.
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, SDL_ALPHA_OPAQUE);
    SDL_RenderClear(renderer_);
    const PictureRect& r = fit.picture;
    const SDL_Rect dst{r.x, r.y, r.w, r.h};
    SDL_RenderCopy(renderer_, texture_, nullptr, &dst);
    SDL_RenderPresent(renderer_);
    ++presents_;
    redraw_ = false;
}

void SdlPlatform::handleWindowEvent(const SDL_WindowEvent& e) {
    switch (e.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            focused_ = true;
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            focused_ = false;
            break;
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_RESIZED:
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_RESTORED:
            redraw_ = true;
            break;
        default:
            break;
    }
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
                if (fullscreenKey(e.key.keysym)) {
                    if (e.key.repeat == 0) toggleFullscreen();
                } else if (e.key.repeat == 0 && !controls_->isControlKey(e.key.keysym.scancode)) {
                    // The key handler hears a key by what it produces under the layout in use.
                    const int vk = virtualKeyOf(e.key.keysym.sym);
                    if (vk != 0) keyDowns.push_back(vk);
                }
                break;
            default:
                pads_.handle(e);
                break;
        }
    }
    // A window uncovered or resized while no frame comes (paused, in the background) still
    // shows the last one.
    if (redraw_ && shown_.known() && renderer_ != nullptr) show(false);
}

bool SdlPlatform::keyHeld(int virtualKey) {
    const SDL_Keycode key = keycodeOf(virtualKey);
    if (!focused_ || key == SDLK_UNKNOWN) return false;
    const SDL_Scancode at = SDL_GetScancodeFromKey(key);
    return !controls_->isControlKey(at) && SDL_GetKeyboardState(nullptr)[at] != 0;
}

// Each fighter's set: its own keys and the pads that drive it.
uint32_t SdlPlatform::keyboardRaw() {
    if (!focused_) return 0;
    return controls_->keyStates(1, SDL_GetKeyboardState(nullptr)) | pads_.states(1);
}

uint32_t SdlPlatform::joystickRaw() {
    if (!focused_) return 0;
    return controls_->keyStates(2, SDL_GetKeyboardState(nullptr)) | pads_.states(2);
}

}  // namespace platform
