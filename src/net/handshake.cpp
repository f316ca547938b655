#include "net/handshake.h"

#include "net/wire.h"

namespace net {

namespace {

constexpr const char* kDataDiffers =
    "the other player's data files differ from these; both need the same data to play";

std::string versionDiffers(const std::string& theirs, const std::string& ours) {
    return "the other player runs pelea " + theirs + ", this is pelea " + ours +
           "; both need the same version to play";
}

// The next message of one of the wanted types, or false when time runs out or the peer goes.
template <typename... Wanted>
bool await(Link& link, Message& out, int timeoutMs, const std::function<uint64_t()>& nowMs) {
    const uint64_t end = nowMs() + static_cast<uint64_t>(timeoutMs);
    std::vector<uint8_t> bytes;
    while (true) {
        while (link.receive(bytes)) {
            if (decode(bytes, out) && (std::holds_alternative<Wanted>(out) || ...)) return true;
        }
        if (link.lost() || nowMs() >= end) return false;
        link.pump(5);
    }
}

}  // namespace

bool answerHello(const Hello& hello, const Side& self, Agreement& out, Message& answer,
                 std::string& error) {
    if (hello.gameVersion != self.gameVersion || hello.dataHash != self.dataHash) {
        const bool version = hello.gameVersion != self.gameVersion;
        answer = Refuse{version ? RefuseReason::Version : RefuseReason::Data, self.gameVersion};
        error = version ? versionDiffers(hello.gameVersion, self.gameVersion) : kDataDiffers;
        return false;
    }
    out.seed = self.seed;
    out.delay = self.delay;
    out.frames = self.frames;
    if (hello.frames != 0 && (out.frames == 0 || hello.frames < out.frames)) {
        out.frames = hello.frames;
    }
    answer = Welcome{self.gameVersion, self.dataHash, out.seed, static_cast<uint8_t>(out.delay),
                     out.frames};
    return true;
}

HandshakeResult hostHandshake(Link& link, const Side& self, Agreement& out, std::string& error,
                              int timeoutMs, const std::function<uint64_t()>& nowMs) {
    Message m;
    if (!await<Hello>(link, m, timeoutMs, nowMs)) {
        error = "the other player did not say hello";
        return HandshakeResult::Failed;
    }
    Message answer;
    const bool agreed = answerHello(std::get<Hello>(m), self, out, answer, error);
    link.send(Channel::Control, encode(answer));
    link.pump(0);
    return agreed ? HandshakeResult::Agreed : HandshakeResult::Refused;
}

HandshakeResult joinHandshake(Link& link, const Side& self, Agreement& out, std::string& error,
                              int timeoutMs, const std::function<uint64_t()>& nowMs) {
    link.send(Channel::Control, encode(Hello{self.gameVersion, self.dataHash, self.frames}));
    link.pump(0);
    Message m;
    if (!await<Welcome, Refuse>(link, m, timeoutMs, nowMs)) {
        error = "the host did not answer";
        return HandshakeResult::Failed;
    }
    if (const auto* refuse = std::get_if<Refuse>(&m)) {
        switch (refuse->reason) {
            case RefuseReason::Version:
                error = versionDiffers(refuse->gameVersion, self.gameVersion);
                break;
            case RefuseReason::Data:
                error = kDataDiffers;
                break;
            case RefuseReason::Busy:
            case RefuseReason::Over:  // said to spectators only
            case RefuseReason::Full:
                error = kHostBusy;
                break;
        }
        return HandshakeResult::Refused;
    }
    const Welcome& w = std::get<Welcome>(m);
    // The host checked; a host that did not is refused here all the same.
    if (w.gameVersion != self.gameVersion) {
        error = versionDiffers(w.gameVersion, self.gameVersion);
        return HandshakeResult::Refused;
    }
    if (w.dataHash != self.dataHash) {
        error = kDataDiffers;
        return HandshakeResult::Refused;
    }
    out.seed = w.seed;
    out.delay = w.delay;
    out.frames = w.frames;
    out.from = w.from;
    return HandshakeResult::Agreed;
}

}  // namespace net
