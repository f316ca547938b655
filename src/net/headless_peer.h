// A headless side of a networked match: --host or --join with --headless. Its script's kb and
// joy lines are this side's devices (combined) and drive its own fighter; frames are paced by
// the session, not by the clock.
#pragma once

#include <string>

#include "net/connection.h"
#include "platform/headless/runner.h"

namespace net {

// Exit codes: 0 done (or the other player left), 1 the peer was lost or the network failed,
// 2 bad script or a refused handshake, 3 the two sides went out of step.
int runHeadlessPeer(const platform::HeadlessOptions& run, const NetOptions& net);

}  // namespace net
