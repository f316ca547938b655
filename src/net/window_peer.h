// A networked match in the window: this side's keyboard and pads drive its own fighter, the
// shared keys go with the inputs, the picture's nudges stay here, Esc leaves on both sides, and
// F12 shows or hides the network status line at the bottom of the picture.
#pragma once

#include <string>
#include <string_view>

#include "game/tform1.h"
#include "net/connection.h"
#include "net/rollback_audio.h"
#include "net/session.h"
#include "platform/common/frame_pipeline.h"
#include "platform/platform.h"

namespace net {

inline constexpr int kStatusKey = 123;  // F12

// The status line's text: "PING 42 MS   RETROCESO 3   ADELANTE 1   RETARDO 1" (the delay in
// use, the host's, the same on both sides).
std::string statusText(const SessionStats& stats);

// Draws the status line over the finished picture; and a message in the middle (a desync, the
// other player gone) when there is one.
void drawStatus(pelea::TForm1& form, std::string_view status);
void drawMessage(pelea::TForm1& form, std::string_view message);
// The notice of a side waiting for the other's inputs: "ESPERANDO AL OTRO JUGADOR", and under
// it the seconds left before the other is given up.
void drawWaiting(pelea::TForm1& form, int secondsLeft);
// Where the notice's band is, for whoever looks for it.
inline constexpr int kWaitingTop = 124, kWaitingBottom = 168;

// Runs the match until someone leaves; the exit code (0, or 1 the peer was lost, 3 a desync).
// recordPath: the session's replay (empty: none, but a desync is still written, into the
// replays folder).
// audio: the sound layer the form plays through, corrected after each rollback.
// pipeline: the front end's, on the form: the frames shown and this side's own keys go along it.
int runWindowPeer(pelea::TForm1& form, platform::Platform& window, RollbackAudio& audio,
                  Connection& connection, const NetOptions& net, const std::string& recordPath,
                  platform::FramePipeline& pipeline);

}  // namespace net
