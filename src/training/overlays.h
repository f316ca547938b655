// What training draws on the finished frame: the boxes of the fighters and effects, the last
// inputs of each side, the frame data of the last move, the status and key help lines, and the
// select screen's training line. Texts go through the game's own `texto`.
#pragma once

#include <array>
#include <string_view>

#include "game/tform1.h"
#include "media/color.h"
#include "training/frame_data.h"
#include "training/frame_meter.h"
#include "training/input_history.h"

namespace training {

inline constexpr media::TColor kContactColour = media::rgb(40, 120, 255);
inline constexpr media::TColor kAttackColour = media::rgb(255, 32, 32);
inline constexpr media::TColor kEffectColour = media::rgb(255, 230, 0);

// Contact areas (blue), live attack areas (red) and effect boxes (yellow), in stage pixels less
// the camera.
void drawAreas(pelea::TForm1& form);

// Each side's last inputs, newest on top, as many as fit between the combo counter and the frame
// meter: fighter 1 down the left edge, fighter 2 down the right.
void drawInputs(pelea::TForm1& form, const std::array<InputHistory, 2>& inputs);

// Three lines just above the frame meter, clear of the round's and the combo's texts.
void drawFrameData(pelea::TForm1& form, const MoveData& move);

// Both fighters' last 80 frames as two rows of cells along the bottom, above the key line:
// start-up green, active red, recovery blue, hit stun yellow, free grey.
void drawFrameMeter(pelea::TForm1& form, const FrameMeter& meter);
inline constexpr media::TColor kStartupColour = media::rgb(40, 200, 60);
inline constexpr media::TColor kActiveColour = media::rgb(235, 40, 40);
inline constexpr media::TColor kRecoveryColour = media::rgb(50, 110, 255);
inline constexpr media::TColor kStunColour = media::rgb(255, 220, 0);
inline constexpr media::TColor kFreeColour = media::rgb(120, 120, 120);
inline constexpr int kMeterTop = 241;  // fighter 1's row; fighter 2's under it
inline constexpr int kMeterRow = 5, kMeterCell = 5;

// The line under the top display: the dummy's mode and what the trainer is doing.
void drawStatus(pelea::TForm1& form, std::string_view status);

// One line of keys along the bottom edge.
void drawKeyHelp(pelea::TForm1& form);

// The select screen's line: whether the coming match is a training fight, and the key.
void drawSelectLine(pelea::TForm1& form, bool armed);

}  // namespace training
