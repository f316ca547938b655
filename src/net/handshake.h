// The handshake before a session: the joiner says which game and data it runs, the host refuses
// a different one or answers with the session's seed and settings.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "net/link.h"
#include "net/wire.h"

namespace net {

// What one side brings.
struct Side {
    std::string gameVersion;
    uint64_t dataHash = 0;
    uint32_t frames = 0;  // headless: the frames it was asked to run; 0 in the window
    uint64_t seed = 0;    // the host's is taken
    int delay = 1;        // the host's is taken
};

// What both sides then play with.
struct Agreement {
    uint64_t seed = 0;
    int delay = 1;
    uint32_t frames = 0;  // 0: until someone leaves
    // A player joining the match again plays on from this frame, once it holds the ones before
    // it (see net/rejoin.h).
    uint32_t from = 0;
};

enum class HandshakeResult { Agreed, Refused, Failed };

// The host's answer to a joiner's hello: true with a Welcome and what both then play with in
// `out`, or false with a Refuse and what differs in error.
bool answerHello(const Hello& hello, const Side& self, Agreement& out, Message& answer,
                 std::string& error);

// What the joiner is told when the host's match has its two players.
inline constexpr const char* kHostBusy = "the host is already playing with someone else";

// The host's side: waits for the joiner's hello. Refused: the two differ (error says how, and
// the joiner was told); Failed: nothing came in time or the peer went away.
HandshakeResult hostHandshake(Link& link, const Side& self, Agreement& out, std::string& error,
                              int timeoutMs, const std::function<uint64_t()>& nowMs);

// The joiner's side: says hello and waits for the answer.
HandshakeResult joinHandshake(Link& link, const Side& self, Agreement& out, std::string& error,
                              int timeoutMs, const std::function<uint64_t()>& nowMs);

}  // namespace net
