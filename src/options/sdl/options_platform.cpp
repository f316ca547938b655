#include "options/sdl/options_platform.h"

#include <algorithm>
#include <array>

#include "game/tform1.h"
#include "media/input.h"
#include "options/legend.h"
#include "platform/sdl/window_picture.h"

namespace options {

namespace {

constexpr uint64_t kRepresentMs = 250;  // the open screen is shown again this often
constexpr int kHintY = 250, kHintSize = 7;
constexpr media::TColor kHintColour = media::rgb(120, 120, 120);
constexpr uint8_t kFullScreenItem = 2;  // the title screen's "FULLSCREEN"
// The legend sits under the move list's last line (y 195), on a dark tag over the top of the
// portrait strip.
constexpr int kLegendY = 210, kLegendSize = 8;
constexpr int kTagTop = 210, kTagBottom = 222, kTagLeft = 4, kTagWidth = 192, kTagCorner = 5;
constexpr media::TColor kLegendColour = media::rgb(255, 220, 120);
constexpr media::TColor kTagColour = media::rgb(20, 24, 60);
constexpr uint8_t kChoosing = 2;  // the select screen's phase in which the move lists show

struct HatButton {
    Uint8 hat;
    int button;
};
constexpr HatButton kHatButtons[] = {
    {SDL_HAT_UP, SDL_CONTROLLER_BUTTON_DPAD_UP},
    {SDL_HAT_DOWN, SDL_CONTROLLER_BUTTON_DPAD_DOWN},
    {SDL_HAT_LEFT, SDL_CONTROLLER_BUTTON_DPAD_LEFT},
    {SDL_HAT_RIGHT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT},
};

bool isController(SDL_JoystickID id) {
    return SDL_GameControllerFromInstanceID(id) != nullptr;
}

std::array<platform::PadChoice, kFighters> padChoices(const Settings& s) {
    return {platform::PadChoice{s.padGuid[0], s.padSlot[0]},
            platform::PadChoice{s.padGuid[1], s.padSlot[1]}};
}

}  // namespace

OptionsPlatform::OptionsPlatform(platform::SdlPlatform& sdl, Settings& settings, bool playing)
    : PlatformRelay(sdl),
      sdl_(sdl),
      settings_(settings),
      screen_(settings),
      playing_(playing),
      choicePending_(playing && settings.fullscreen) {
    sdl_.pads().setAssignment(padChoices(settings_));
    sdl_.setEventHook(this);
    applyVolumes();
    // Alt+Enter's choice is the next start's too.
    sdl_.onFullscreenToggled([this](bool on) {
        if (!playing_ || on == settings_.fullscreen) return;
        settings_.fullscreen = on;
        settings_.save();
    });
    int width = 0, height = 0;
    if (sdl_.window() != nullptr) SDL_GetWindowSize(sdl_.window(), &width, &height);
    windowFactor_ = platform::fittingScale(width, height);
}

OptionsPlatform::~OptionsPlatform() {
    sdl_.setEventHook(nullptr);
    sdl_.onFullscreenToggled(nullptr);
}

bool OptionsPlatform::onTitle() const {
    return form_ != nullptr && form_->g.m.modoTela == pelea::tela::Titulo;
}

// The saved choice reaches the title screen as its own input would: "down" held on fighter 1's
// set until the title has taken it, so a recording of the session holds it too.
uint32_t OptionsPlatform::keyboardRaw() {
    const uint32_t held = sdl_.keyboardRaw();
    return choicePending_ && onTitle() ? held | media::isDown : held;
}

void OptionsPlatform::present(const media::Surface& surface, int offsetX) {
    if (playing_ && onTitle() && !screen_.isOpen() && &surface == &form_->DXDraw1.Surface) {
        form_->texto(200, kHintY, "TAB O BACK - CONTROLES", 'c', kHintSize, kHintColour);
    }
    if (playing_ && form_ != nullptr && &surface == &form_->DXDraw1.Surface) drawLegends();
    sdl_.present(surface, offsetX);
}

// Under the move list of each person choosing, the keys (or, for a player on a pad, the
// buttons) of "+S" and "+C". A player is on a pad when a pad drives the fighter and the player
// has pressed no key since.
void OptionsPlatform::drawLegends() {
    const pelea::MatchState& m = form_->g.m;
    if (m.modoTela != pelea::tela::Selecao || m.faseSelecao != kChoosing) return;
    for (int f = 1; f <= kFighters; ++f) {
        if (form_->L(f).humano != 1) continue;
        const size_t i = static_cast<size_t>(f - 1);
        const int device = lastDevice_[i];
        const bool pad = device == 1 || (device < 0 && sdl_.pads().connected(f) > 0);
        Legend& l = legends_[i];
        std::array<int, kControls> names{};
        for (int c = 0; c < kControls; ++c) {
            names[static_cast<size_t>(c)] =
                pad ? settings_.controls.button(f, c) : settings_.controls.key(f, c);
        }
        if (l.text.empty() || l.pad != pad || l.names != names) {
            l = Legend{pad, names, moveLegend(settings_.controls, f, pad)};
        }
        const int left = 200 * f - 200 + kTagLeft;
        form_->barraredonda(left, kTagTop, left + kTagWidth, kTagBottom, kTagCorner, kLegendColour,
                            kTagColour);
        form_->texto(200 * f - 194, kLegendY, l.text, '-', kLegendSize, kLegendColour);
    }
}

void OptionsPlatform::noteDevice(const SDL_Event& e) {
    int fighter = 0;
    int device = 0;
    switch (e.type) {
        case SDL_KEYDOWN:
            for (int f = 1; f <= kFighters && fighter == 0; ++f) {
                for (int c = 0; c < kControls; ++c) {
                    if (settings_.controls.key(f, c) == e.key.keysym.scancode) fighter = f;
                }
            }
            break;
        case SDL_JOYBUTTONDOWN:
            fighter = sdl_.pads().fighterOf(e.jbutton.which), device = 1;
            break;
        case SDL_JOYHATMOTION:
            fighter = sdl_.pads().fighterOf(e.jhat.which), device = 1;
            break;
        case SDL_CONTROLLERBUTTONDOWN:
            fighter = sdl_.pads().fighterOf(e.cbutton.which), device = 1;
            break;
        default:
            break;
    }
    if (fighter != 0) lastDevice_[static_cast<size_t>(fighter - 1)] = device;
}

void OptionsPlatform::pollEvents(std::vector<int>& keyDowns, bool& quit) {
    sdl_.pollEvents(keyDowns, quit);
    watchTitle();
    if (!screen_.isOpen()) return;
    const uint64_t now = sdl_.nowMs();
    if (redraw_ || now - shownAt_ >= kRepresentMs) {
        showScreen();
        shownAt_ = now;
        redraw_ = false;
    }
}

bool OptionsPlatform::keyHeld(int virtualKey) {
    return !screen_.isOpen() && sdl_.keyHeld(virtualKey);
}

// Leaving the title screen saves its choice, which becomes the next run's default.
void OptionsPlatform::watchTitle() {
    if (form_ == nullptr) return;
    const pelea::MatchState& m = form_->g.m;
    if (choicePending_ && (m.modoTela != pelea::tela::Titulo || m.itemMenu == kFullScreenItem)) {
        choicePending_ = false;
    }
    if (playing_ && lastMode_ == pelea::tela::Titulo && m.modoTela != pelea::tela::Titulo) {
        const bool fullscreen = m.itemMenu == kFullScreenItem;
        // A window chosen while the saved choice (or Alt+Enter) had the screen full gives the
        // window back: the game itself only ever asks for full screen.
        if (!fullscreen && sdl_.fullscreen()) sdl_.initDisplay(false);
        if (fullscreen != settings_.fullscreen) {
            settings_.fullscreen = fullscreen;
            settings_.save();
        }
    }
    lastMode_ = m.modoTela;
}

bool OptionsPlatform::consume(const SDL_Event& e) {
    noteDevice(e);
    if (e.type == SDL_WINDOWEVENT) {
        // Silent while another window has the focus.
        if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) sdl_.mixer().setMuted(true);
        if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) sdl_.mixer().setMuted(false);
        if (e.window.event == SDL_WINDOWEVENT_RESIZED) windowResized();
        return false;
    }
    if (e.type == SDL_KEYDOWN && volumeKey(e.key.keysym.scancode)) return true;
    if (screen_.isOpen()) return screenEvent(e);
    if (!playing_ || !onTitle()) return false;
    const bool tab =
        e.type == SDL_KEYDOWN && e.key.repeat == 0 && e.key.keysym.scancode == SDL_SCANCODE_TAB;
    const bool back =
        e.type == SDL_CONTROLLERBUTTONDOWN && e.cbutton.button == SDL_CONTROLLER_BUTTON_BACK;
    if (!tab && !back) return false;
    openScreen();
    return true;
}

// A window the player resized to another whole factor opens at that factor next time; the
// full screen's size says nothing about the window's. The window's size now is the one that
// counts: a resize reported late, after full screen was left again, is not the window's.
void OptionsPlatform::windowResized() {
    if (sdl_.fullscreen() || sdl_.window() == nullptr) return;
    int width = 0, height = 0;
    SDL_GetWindowSize(sdl_.window(), &width, &height);
    const int factor = platform::fittingScale(width, height);
    if (factor == windowFactor_) return;
    windowFactor_ = factor;
    if (!playing_ || factor == settings_.scale) return;
    settings_.scale = factor;
    settings_.save();
}

bool OptionsPlatform::volumeKey(SDL_Scancode key) {
    int* volume = nullptr;
    int step = 0;
    switch (key) {
        case SDL_SCANCODE_PAGEUP:
            volume = &settings_.musicVolume, step = 1;
            break;
        case SDL_SCANCODE_PAGEDOWN:
            volume = &settings_.musicVolume, step = -1;
            break;
        case SDL_SCANCODE_INSERT:
            volume = &settings_.effectsVolume, step = 1;
            break;
        case SDL_SCANCODE_DELETE:
            volume = &settings_.effectsVolume, step = -1;
            break;
        default:
            return false;
    }
    const int before = *volume;
    *volume = std::clamp(*volume + step, 0, kMaxVolume);
    if (*volume != before) outcome(ControlsScreen::Outcome::Changed);
    return true;
}

// Every key and pad press goes to the open screen, none to the game; a plain joystick's buttons
// and hat stand for a controller's.
bool OptionsPlatform::screenEvent(const SDL_Event& e) {
    switch (e.type) {
        case SDL_KEYDOWN:
            if (e.key.repeat == 0) outcome(screen_.key(e.key.keysym.scancode));
            return true;
        case SDL_KEYUP:
        case SDL_TEXTINPUT:
        case SDL_CONTROLLERBUTTONUP:
        case SDL_JOYBUTTONUP:
        case SDL_CONTROLLERAXISMOTION:
        case SDL_JOYAXISMOTION:
            return true;
        case SDL_CONTROLLERBUTTONDOWN:
            outcome(screen_.button(e.cbutton.button));
            return true;
        case SDL_JOYBUTTONDOWN:
            if (!isController(e.jbutton.which)) outcome(screen_.button(e.jbutton.button));
            return true;
        case SDL_JOYHATMOTION:
            if (isController(e.jhat.which)) return true;
            for (const HatButton& h : kHatButtons) {
                if (e.jhat.value == h.hat) outcome(screen_.button(h.button));
            }
            return true;
        default:
            return false;
    }
}

void OptionsPlatform::outcome(ControlsScreen::Outcome o) {
    redraw_ = true;
    switch (o) {
        case ControlsScreen::Outcome::Nothing:
            break;
        case ControlsScreen::Outcome::Changed:
            applyVolumes();
            applyFlashes();
            settings_.save();
            break;
        case ControlsScreen::Outcome::SwapPads:
            swapPads();
            break;
        case ControlsScreen::Outcome::Closed:
            closeScreen();
            break;
    }
}

// A pad of each fighter is named for the other, and every pad open now is placed again. Two pads
// of one model share a GUID and are told apart by their slot.
void OptionsPlatform::swapPads() {
    platform::SdlPads& pads = sdl_.pads();
    const platform::PadChoice to1 = pads.choiceOf(2);
    const platform::PadChoice to2 = pads.choiceOf(1);
    settings_.padGuid = {to1.guid, to2.guid};
    settings_.padSlot = {to1.slot, to2.slot};
    pads.setAssignment(padChoices(settings_));
    settings_.save();
}

void OptionsPlatform::openScreen() {
    if (form_ == nullptr) return;
    const media::Surface& s = form_->DXDraw1.Surface;
    covered_.assign(s.pixels(), s.pixels() + media::Surface::kWidth * media::Surface::kHeight);
    screen_.open();
    redraw_ = true;
}

// The game's picture comes back as it was; the game goes on from where it stopped.
void OptionsPlatform::closeScreen() {
    if (form_ == nullptr || covered_.empty()) return;
    media::Surface& s = form_->DXDraw1.Surface;
    std::copy(covered_.begin(), covered_.end(), s.pixels());
    sdl_.present(s, form_->DXDraw1.Left);
    redraw_ = false;
}

void OptionsPlatform::showScreen() {
    if (form_ == nullptr) return;
    screen_.setPads(sdl_.pads().connected(1), sdl_.pads().connected(2));
    screen_.draw(*form_);
    sdl_.present(form_->DXDraw1.Surface, form_->DXDraw1.Left);
}

void OptionsPlatform::applyFlashes() {
    if (form_ != nullptr) form_->DXDraw1.Surface.softFlashes = settings_.softFlashes;
}

void OptionsPlatform::applyVolumes() {
    sdl_.mixer().setVolumes(settings_.musicVolume, settings_.effectsVolume, kMaxVolume);
}

}  // namespace options
