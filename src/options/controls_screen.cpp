#include "options/controls_screen.h"

#include <SDL_keyboard.h>

#include <algorithm>
#include <cctype>

#include "game/tform1.h"

namespace options {

namespace {

using pelea::TForm1;

// The title screen's grey and white, the select screen's player colours.
constexpr media::TColor kGrey = media::rgb(120, 120, 120);
constexpr media::TColor kWhite = media::kWhite;
constexpr media::TColor kPlayerColour[kFighters] = {media::rgb(120, 120, 255),
                                                    media::rgb(255, 80, 80)};
constexpr media::TColor kChosen = media::rgb(40, 40, 90);
constexpr media::TColor kWaiting = media::rgb(120, 40, 40);
constexpr media::TColor kMessage = media::rgb(255, 220, 120);
constexpr media::TColor kLevelOff = media::rgb(50, 50, 50);

constexpr int kTitleY = 6, kTitleSize = 16;
constexpr int kPlayersY = 36, kColumnsY = 50;
constexpr int kRowsTop = 64, kRowHeight = 14;
constexpr int kTextSize = 8, kSmallSize = 7;
constexpr int kLabelX = 10;
constexpr int kKeyX[kFighters] = {160, 290};  // centres of the key and pad columns
constexpr int kPadX[kFighters] = {220, 350};
constexpr int kCellHalf = 30;
constexpr int kLevelX = 160, kLevelStep = 12, kLevelWidth = 9, kLevelHeight = 9;
constexpr int kMessageY = 248;
constexpr int kHelpY = 262, kHelpLine = 12;
constexpr int kRowRight = 390;

constexpr const char* kControlLabels[kControls] = {
    "ARRIBA",     "ABAJO",        "IZQUIERDA",   "DERECHA",
    "PUÑO DÉBIL", "PATADA DÉBIL", "PUÑO FUERTE", "PATADA FUERTE",
};

struct ButtonLabel {
    int button;
    const char* label;
};
constexpr ButtonLabel kButtonLabels[] = {
    {SDL_CONTROLLER_BUTTON_A, "A"},
    {SDL_CONTROLLER_BUTTON_B, "B"},
    {SDL_CONTROLLER_BUTTON_X, "X"},
    {SDL_CONTROLLER_BUTTON_Y, "Y"},
    {SDL_CONTROLLER_BUTTON_BACK, "BACK"},
    {SDL_CONTROLLER_BUTTON_GUIDE, "GUIDE"},
    {SDL_CONTROLLER_BUTTON_START, "START"},
    {SDL_CONTROLLER_BUTTON_LEFTSTICK, "L3"},
    {SDL_CONTROLLER_BUTTON_RIGHTSTICK, "R3"},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, "LB"},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, "RB"},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, "CRUZ ARR"},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, "CRUZ ABA"},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, "CRUZ IZQ"},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, "CRUZ DER"},
};

std::string upper(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

int rowY(int row) {
    return kRowsTop + row * kRowHeight;
}

void level(TForm1& form, int y, int value) {
    for (int i = 0; i < kMaxVolume; ++i) {
        const int x = kLevelX + i * kLevelStep;
        form.barra(x, y + 3, x + kLevelWidth, y + 3 + kLevelHeight, i < value ? kWhite : kLevelOff);
    }
    form.texto(kLevelX + kMaxVolume * kLevelStep + 6, y, std::to_string(value), '-', kTextSize,
               kWhite);
}

}  // namespace

// "DESTELLOS: NORMALES / SUAVES", the word in use in the first player's colour.
void ControlsScreen::flashRow(TForm1& form, int y, bool chosen) const {
    constexpr std::string_view kRow = "DESTELLOS: NORMALES / SUAVES";
    constexpr size_t kNormal = 11, kSoft = 22;  // where each word starts
    constexpr size_t kNormalLength = 8, kSoftLength = 6;
    form.texto(kLabelX, y, kRow, '-', kTextSize, chosen ? kWhite : kGrey);
    const size_t at = s_.softFlashes ? kSoft : kNormal;
    const std::string_view word = kRow.substr(at, s_.softFlashes ? kSoftLength : kNormalLength);
    const int x = kLabelX + form.Canvas.TextWidth(kRow.substr(0, at));
    form.texto(x, y, word, '-', kTextSize, kPlayerColour[0]);
}

// As the layout in use shows the key: on a French keyboard the key beside L is "M", whatever
// the file calls it.
std::string keyLabel(int scancode) {
    const SDL_Keycode key = producedKey(scancode);
    const char* shown = key != SDLK_UNKNOWN ? SDL_GetKeyName(key) : "";
    return upper(shown[0] != '\0' ? std::string(shown) : keyName(scancode));
}

std::string buttonLabel(int button) {
    for (const ButtonLabel& b : kButtonLabels) {
        if (b.button == button) return b.label;
    }
    return upper(buttonName(button));
}

void ControlsScreen::open() {
    open_ = true;
    row_ = 0;
    fighter_ = 1;
    waiting_ = false;
    message_.clear();
}

ControlsScreen::Outcome ControlsScreen::key(int scancode) {
    if (!open_) return Outcome::Nothing;
    if (waiting_) {
        waiting_ = false;
        if (scancode == SDL_SCANCODE_ESCAPE) {
            message_.clear();
            return Outcome::Nothing;
        }
        return bound(s_.controls.bindKey(fighter_, row_, scancode), keyLabel(scancode));
    }
    switch (scancode) {
        case SDL_SCANCODE_UP:
            return move(Move::Up);
        case SDL_SCANCODE_DOWN:
            return move(Move::Down);
        case SDL_SCANCODE_LEFT:
            return move(Move::Left);
        case SDL_SCANCODE_RIGHT:
            return move(Move::Right);
        case SDL_SCANCODE_RETURN:
        case SDL_SCANCODE_KP_ENTER:
            return move(Move::Act);
        case SDL_SCANCODE_ESCAPE:
            return move(Move::Close);
        default:
            return Outcome::Nothing;
    }
}

ControlsScreen::Outcome ControlsScreen::button(int pressed) {
    if (!open_) return Outcome::Nothing;
    if (waiting_) {
        waiting_ = false;
        if (pressed == SDL_CONTROLLER_BUTTON_BACK) {
            message_.clear();
            return Outcome::Nothing;
        }
        return bound(s_.controls.bindButton(fighter_, row_, pressed), buttonLabel(pressed));
    }
    switch (pressed) {
        case SDL_CONTROLLER_BUTTON_DPAD_UP:
            return move(Move::Up);
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
            return move(Move::Down);
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
            return move(Move::Left);
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
            return move(Move::Right);
        case SDL_CONTROLLER_BUTTON_A:
            return move(Move::Act);
        case SDL_CONTROLLER_BUTTON_B:
        case SDL_CONTROLLER_BUTTON_BACK:
            return move(Move::Close);
        default:
            return Outcome::Nothing;
    }
}

ControlsScreen::Outcome ControlsScreen::move(Move m) {
    message_.clear();
    switch (m) {
        case Move::Up:
            row_ = (row_ + kRows - 1) % kRows;
            return Outcome::Nothing;
        case Move::Down:
            row_ = (row_ + 1) % kRows;
            return Outcome::Nothing;
        case Move::Left:
            return change(-1);
        case Move::Right:
            return change(1);
        case Move::Act:
            if (row_ < kControls) {
                waiting_ = true;
                message_ = "PULSA UNA TECLA O UN BOTÓN DEL MANDO (ESC O BACK: NADA)";
                return Outcome::Nothing;
            }
            if (row_ == kFlashRow) {
                s_.softFlashes = !s_.softFlashes;
                return Outcome::Changed;
            }
            if (row_ == kSwapPadsRow) {
                message_ = "MANDOS INTERCAMBIADOS";
                return Outcome::SwapPads;
            }
            if (row_ == kRestoreRow) {
                s_.controls = Bindings::defaults();
                message_ = "CONTROLES COMO AL PRINCIPIO";
                return Outcome::Changed;
            }
            return Outcome::Nothing;
        case Move::Close:
            open_ = false;
            return Outcome::Closed;
    }
    return Outcome::Nothing;
}

// Left and right: the other fighter on a control's row, a volume a step down or up, the
// flashes normal (left) or soft (right).
ControlsScreen::Outcome ControlsScreen::change(int step) {
    if (row_ < kControls) {
        fighter_ = kFighters + 1 - fighter_;
        return Outcome::Nothing;
    }
    if (row_ == kFlashRow) {
        const bool soft = step > 0;
        if (soft == s_.softFlashes) return Outcome::Nothing;
        s_.softFlashes = soft;
        return Outcome::Changed;
    }
    int* volume = row_ == kMusicRow     ? &s_.musicVolume
                  : row_ == kEffectsRow ? &s_.effectsVolume
                                        : nullptr;
    if (volume == nullptr) return Outcome::Nothing;
    const int before = *volume;
    *volume = std::clamp(*volume + step, 0, kMaxVolume);
    return *volume != before ? Outcome::Changed : Outcome::Nothing;
}

ControlsScreen::Outcome ControlsScreen::bound(BindResult r, const std::string& name) {
    switch (r) {
        case BindResult::Refused:
            message_ = name + ": ES DEL JUEGO, ELIGE OTRA";
            return Outcome::Nothing;
        case BindResult::Unchanged:
            message_.clear();
            return Outcome::Nothing;
        case BindResult::Swapped:
            message_ = name + ": INTERCAMBIADA";
            return Outcome::Changed;
        case BindResult::Taken:
            message_.clear();
            return Outcome::Changed;
    }
    return Outcome::Nothing;
}

void ControlsScreen::draw(TForm1& form) const {
    media::Surface& surface = form.DXDraw1.Surface;
    surface.fill(media::kBlack);
    form.texto(200, kTitleY, "CONTROLES", 'c', kTitleSize, kWhite);
    for (int f = 1; f <= kFighters; ++f) {
        const size_t i = static_cast<size_t>(f - 1);
        form.texto((kKeyX[i] + kPadX[i]) / 2, kPlayersY, "JUGADOR " + std::to_string(f), 'c', 9,
                   kPlayerColour[i]);
        form.texto(kKeyX[i], kColumnsY, "TECLA", 'c', kSmallSize, kGrey);
        form.texto(kPadX[i], kColumnsY, "MANDO", 'c', kSmallSize, kGrey);
    }
    for (int r = 0; r < kRows; ++r) {
        const int y = rowY(r);
        const bool chosen = r == row_;
        if (chosen && r >= kControls)
            form.barra(kLabelX - 4, y, kRowRight, y + kRowHeight, kChosen);
        if (r < kControls) {
            if (chosen) {
                const size_t i = static_cast<size_t>(fighter_ - 1);
                form.barra(kKeyX[i] - kCellHalf, y, kPadX[i] + kCellHalf, y + kRowHeight,
                           waiting_ ? kWaiting : kChosen);
            }
            form.texto(kLabelX, y, kControlLabels[r], '-', kTextSize, chosen ? kWhite : kGrey);
            for (int f = 1; f <= kFighters; ++f) {
                const size_t i = static_cast<size_t>(f - 1);
                form.texto(kKeyX[i], y, keyLabel(s_.controls.key(f, r)), 'c', kTextSize, kWhite);
                form.texto(kPadX[i], y, buttonLabel(s_.controls.button(f, r)), 'c', kTextSize,
                           kWhite);
            }
        } else if (r == kMusicRow || r == kEffectsRow) {
            form.texto(kLabelX, y,
                       r == kMusicRow ? "VOLUMEN DE LA MÚSICA" : "VOLUMEN DE LOS EFECTOS", '-',
                       kTextSize, chosen ? kWhite : kGrey);
            level(form, y, r == kMusicRow ? s_.musicVolume : s_.effectsVolume);
        } else if (r == kFlashRow) {
            flashRow(form, y, chosen);
        } else if (r == kSwapPadsRow) {
            form.texto(kLabelX, y, "INTERCAMBIAR LOS MANDOS", '-', kTextSize,
                       chosen ? kWhite : kGrey);
            for (int f = 1; f <= kFighters; ++f) {
                const size_t i = static_cast<size_t>(f - 1);
                form.texto((kKeyX[i] + kPadX[i]) / 2, y,
                           std::to_string(pads_[i]) + (pads_[i] == 1 ? " MANDO" : " MANDOS"), 'c',
                           kTextSize, kPlayerColour[i]);
            }
        } else {
            form.texto(kLabelX, y, "RESTAURAR LOS CONTROLES", '-', kTextSize,
                       chosen ? kWhite : kGrey);
        }
    }
    if (!message_.empty()) form.texto(200, kMessageY, message_, 'c', kTextSize, kMessage);
    form.texto(200, kHelpY, "FLECHAS O CRUZ: ELIGE   ENTER O A: CAMBIA   ESC, B O BACK: SALE", 'c',
               kSmallSize, kWhite);
    form.texto(200, kHelpY + kHelpLine, "RE PÁG / AV PÁG: MÚSICA   INSERT / SUPR: EFECTOS", 'c',
               kSmallSize, kWhite);
}

}  // namespace options
