// The training keys, by the virtual-key codes the key handler receives. None of them is a key
// of the game's own key handler.
#pragma once

namespace training::keys {

constexpr int Mark = 113;       // F2, on the select screen: the coming match is a training fight
constexpr int DummyMode = 114;  // F3: the dummy's next mode
constexpr int Areas = 115;      // F4: contact, attack and effect boxes
constexpr int Inputs = 116;     // F5: the last inputs of each side
constexpr int FrameData = 117;  // F6: frame data of the last move
constexpr int Pause = 118;      // F7: pause and resume
constexpr int Step = 119;       // F8: one frame forward (pauses first when running)
constexpr int Record = 120;     // F9: start or stop recording the dummy
constexpr int Playback = 121;   // F10: play the recording back on a loop, or stop
constexpr int FillMeter = 122;  // F11: both meters and stocks full
constexpr int Refill = 123;     // F12: the meters refill with the lives after a combo, or not
constexpr int Reset = 36;       // Home: both fighters back to mid-screen, or a corner
constexpr int Rewind = 8;       // Backspace, held: back through the last 300 frames

}  // namespace training::keys
