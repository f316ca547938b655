// The controls screen, opened from the title screen: each fighter's eight controls with their
// key and pad button, the two volumes and "restore defaults". Arrows or the d-pad choose, Enter
// or pad A rebinds (the next key or pad button pressed is taken; Esc or Back cancels), Esc or
// pad B / Back closes. It draws with the game's own primitives on the game's surface.
#pragma once

#include <string>

#include "options/settings.h"

namespace pelea {
class TForm1;
}

namespace options {

class ControlsScreen {
public:
    // Rows: the eight controls, the music and effects volumes, the flashes, the pads' swap,
    // restore defaults.
    static constexpr int kMusicRow = kControls, kEffectsRow = kControls + 1,
                         kFlashRow = kControls + 2, kSwapPadsRow = kControls + 3,
                         kRestoreRow = kControls + 4, kRows = kControls + 5;

    enum class Outcome {
        Nothing,   // only the screen changed (a row chosen, a rebinding started or cancelled)
        Changed,   // a setting changed: it is applied and saved
        SwapPads,  // the pads of fighter 1 are to drive fighter 2 and the other way round
        Closed,
    };

    explicit ControlsScreen(Settings& settings) : s_(settings) {}

    void open();
    bool isOpen() const { return open_; }
    // How many pads drive each fighter now, for the pads' row.
    void setPads(int fighter1, int fighter2) {
        pads_[0] = fighter1;
        pads_[1] = fighter2;
    }

    // A key pressed (SDL scancode) or a pad button pressed (game-controller button numbering; a
    // plain joystick's buttons by number, its hat as the d-pad).
    Outcome key(int scancode);
    Outcome button(int button);

    int row() const { return row_; }
    int fighter() const { return fighter_; }
    bool waiting() const { return waiting_; }
    const std::string& message() const { return message_; }

    // The whole screen over the surface.
    void draw(pelea::TForm1& form) const;

private:
    enum class Move { Up, Down, Left, Right, Act, Close };
    Outcome move(Move m);
    Outcome change(int step);
    Outcome bound(BindResult r, const std::string& name);
    void flashRow(pelea::TForm1& form, int y, bool chosen) const;

    Settings& s_;
    bool open_ = false;
    int row_ = 0;
    int fighter_ = 1;
    bool waiting_ = false;  // the next key or pad button goes to the chosen control
    std::string message_;
    int pads_[kFighters] = {0, 0};
};

// How the screen names a key and a pad button.
std::string keyLabel(int scancode);
std::string buttonLabel(int button);

}  // namespace options
