#include "net/connection.h"

#include <cstdio>
#include <string>

#include "net/session.h"
#include "net/wire.h"
#include "replay/replay_file.h"

namespace net {

// The session judges a silent peer; ENet must not give it up first.
static_assert(kEnetTimeoutMs > kDropMs);

namespace {

constexpr int kListenMs = 60000;
constexpr int kConnectMs = 10000;
constexpr int kHandshakeMs = 10000;
constexpr int kGoodbyeMs = 500;

void complain(const std::string& message) {
    std::fprintf(stderr, "pelea: %s\n", message.c_str());
}

// The host waits for a joiner whose game and data are its own; the others are told why not.
bool acceptPlayer(Connection& out, const Side& self, int port, std::string& error) {
    const uint64_t end = steadyMs() + kListenMs;
    while (steadyMs() < end) {
        out.socket->service(20);
        out.feed->serve();
        std::unique_ptr<EnetLink> link;
        Message said;
        while (out.door->next(link, said)) {
            // Spectators may come before the player: they watch from frame 0 once it starts.
            if (const auto* watch = std::get_if<Watch>(&said)) {
                out.feed->admit(std::move(link), *watch);
                continue;
            }
            const auto* hello = std::get_if<Hello>(&said);
            if (hello == nullptr) {
                link->leave();
                continue;
            }
            Message answer;
            std::string why;
            const bool agreed = answerHello(*hello, self, out.agreement, answer, why);
            link->send(Channel::Control, encode(answer));
            if (agreed) {
                link->pump(0);
                out.enet = std::move(link);
                return true;
            }
            link->leave();
            complain("a player was turned away: " + why + "; still waiting");
        }
    }
    error = "nobody joined on port " + std::to_string(port) + " in time";
    return false;
}

}  // namespace

void Connection::serveNewcomers() {
    if (!door) return;
    std::unique_ptr<EnetLink> newcomer;
    Message said;
    while (door->next(newcomer, said)) {
        if (const auto* watch = std::get_if<Watch>(&said)) {
            if (feed) feed->admit(std::move(newcomer), *watch);
            continue;
        }
        const auto* hello = std::get_if<Hello>(&said);
        // One player joining again at a time: while one is fed, another is told the host is busy.
        if (hello != nullptr && rejoinFrames_ >= 0 && !rejoining()) {
            Agreement ignored;
            Message answer;
            std::string why;
            if (answerHello(*hello, self, ignored, answer, why)) {
                // The match's own settings, and where it stands.
                answer = Welcome{self.gameVersion, self.dataHash, agreement.seed,
                                 static_cast<uint8_t>(agreement.delay), agreement.frames,
                                 static_cast<uint32_t>(rejoinFrames_)};
                newcomer->send(Channel::Control, encode(answer));
                if (feed) feed->admitRejoiner(std::move(newcomer), rejoinFrames_);
                continue;
            }
            newcomer->send(Channel::Control, encode(answer));
            complain("a player was turned away: " + why + "; still waiting");
        } else if (hello != nullptr) {
            newcomer->send(Channel::Control, encode(Refuse{RefuseReason::Busy, replay::gameVersion()}));
        }
        newcomer->leave();
    }
    if (feed) feed->serve();
}

bool Connection::takeRejoiner() {
    if (!feed) return false;
    std::unique_ptr<EnetLink> rejoiner = feed->takeRejoiner();
    if (!rejoiner) return false;
    rejoinFrames_ = -1;
    sim.reset();
    if (enet) enet->leave();
    enet = std::move(rejoiner);
    link = enet.get();
    if (netsim.active()) {
        sim = std::make_unique<SimulatedLink>(*enet, netsim, 1, steadyMs);
        link = sim.get();
    }
    return true;
}

void Connection::close(const NetSim& s) {
    // The other player's last word goes first: spectators never hold up a player.
    if (link != nullptr && !link->lost()) {
        link->pump(0);
        if (sim) {
            const uint64_t until =
                steadyMs() + static_cast<uint64_t>(s.latencyMs + s.jitterMs) + 10;
            while (steadyMs() < until)
                sim->pump(5);
        }
        if (enet) enet->close(kGoodbyeMs);
    }
    if (feed) {
        feed->finish(door.get(), kFeedFinishMs);
        feed.reset();
    }
}

int connectPeer(const NetOptions& net, uint32_t frames, uint64_t seed, Connection& out) {
    Side self;
    self.gameVersion = replay::gameVersion();
    self.dataHash = dataSetHash();
    self.frames = frames;
    self.seed = seed;
    self.delay = net.delay;
    out.netsim = net.sim;
    std::string error;
    if (net.host) {
        out.socket = EnetHost::listen(net.port, error);
        if (out.socket) {
            out.door = std::make_unique<Door>(*out.socket, steadyMs);
            out.feed = std::make_unique<SpectatorFeed>(*out.socket, self);
            out.self = self;
            if (!acceptPlayer(out, self, net.port, error)) {
                out.feed.reset();
                out.door.reset();
                out.socket.reset();
            }
        }
        if (!out.socket) {
            complain(error);
            return 1;
        }
        out.link = out.enet.get();
        if (net.sim.active()) {
            out.sim = std::make_unique<SimulatedLink>(*out.enet, net.sim, 1, steadyMs);
            out.link = out.sim.get();
        }
        out.socket->setOutage(net.outage, steadyMs());
        return 0;
    }
    out.socket = EnetHost::connect(net.join, kConnectMs, out.enet, error);
    if (!out.socket) {
        complain(error);
        return 1;
    }
    out.link = out.enet.get();
    if (net.sim.active()) {
        // The draws depend on the side only, so a run with the same settings is the same.
        out.sim = std::make_unique<SimulatedLink>(*out.enet, net.sim, 2, steadyMs);
        out.link = out.sim.get();
    }
    const HandshakeResult r =
        joinHandshake(*out.link, self, out.agreement, error, kHandshakeMs, steadyMs);
    if (r == HandshakeResult::Agreed) {
        out.socket->setOutage(net.outage, steadyMs());
        return 0;
    }
    complain(error);
    if (r == HandshakeResult::Refused) {
        out.enet->close(300);
        return 2;
    }
    return 1;
}

}  // namespace net
