#include "net/connection.h"

#include <cstdio>
#include <string>

#include "net/wire.h"
#include "replay/replay_file.h"

namespace net {

namespace {

constexpr int kListenMs = 60000;
constexpr int kConnectMs = 10000;
constexpr int kHandshakeMs = 10000;
constexpr int kGoodbyeMs = 500;

}  // namespace

void Connection::close(const NetSim& s) {
    if (link == nullptr || link->lost()) return;
    link->pump(0);
    if (sim) {
        const uint64_t until = steadyMs() + static_cast<uint64_t>(s.latencyMs + s.jitterMs) + 10;
        while (steadyMs() < until)
            sim->pump(5);
    }
    enet->close(kGoodbyeMs);
}

int connectPeer(const NetOptions& net, uint32_t frames, uint64_t seed, Connection& out) {
    std::string error;
    out.enet = net.host ? EnetLink::listen(net.port, kListenMs, error)
                        : EnetLink::connect(net.join, kConnectMs, error);
    if (!out.enet) {
        std::fprintf(stderr, "pelea: %s\n", error.c_str());
        return 1;
    }
    out.link = out.enet.get();
    if (net.sim.active()) {
        // The draws depend on the side only, so a run with the same settings is the same.
        out.sim = std::make_unique<SimulatedLink>(*out.enet, net.sim, net.host ? 1 : 2, steadyMs);
        out.link = out.sim.get();
    }
    Side self;
    self.gameVersion = replay::gameVersion();
    self.dataHash = dataSetHash();
    self.frames = frames;
    self.seed = seed;
    self.delay = net.delay;
    const HandshakeResult r =
        net.host ? hostHandshake(*out.link, self, out.agreement, error, kHandshakeMs, steadyMs)
                 : joinHandshake(*out.link, self, out.agreement, error, kHandshakeMs, steadyMs);
    if (r == HandshakeResult::Agreed) return 0;
    std::fprintf(stderr, "pelea: %s\n", error.c_str());
    if (r == HandshakeResult::Refused) {
        out.enet->close(300);
        return 2;
    }
    return 1;
}

}  // namespace net
