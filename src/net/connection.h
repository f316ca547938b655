// Reaching the other player: listen or connect over ENet, wrap the link in the network
// simulation when asked, and shake hands. The host's socket stays open to newcomers, who are
// answered while the match goes on.
#pragma once

#include <cstdint>
#include <memory>

#include "net/door.h"
#include "net/enet_link.h"
#include "net/handshake.h"
#include "net/link.h"
#include "net/spectate_feed.h"

namespace net {

struct NetOptions {
    bool host = false;  // --host: fighter 1; else --join: fighter 2
    int port = kDefaultPort;
    Address join;
    int delay = 1;  // the host's --delay
    NetSim sim;
    Outage outage;  // --outage: this side's datagrams dropped for a while after the handshake
    // --rejoin-wait: how long the host waits for the other player to join again (net/rejoin.h).
    uint64_t rejoinWaitMs = kRejoinWaitMs;
};

struct Connection {
    std::unique_ptr<EnetHost> socket;
    std::unique_ptr<Door> door;  // the host's: newcomers
    std::unique_ptr<SpectatorFeed> feed;  // the host's: whoever watches
    std::unique_ptr<EnetLink> enet;  // the other player
    std::unique_ptr<SimulatedLink> sim;
    Link* link = nullptr;  // the simulation when there is one, else the ENet link
    Agreement agreement;
    Side self;       // this side's game, data and settings
    NetSim netsim;   // this side's --netsim, which a player joining again goes through too

    // The host answers whoever comes while the match goes on, and feeds its spectators.
    void serveNewcomers();
    // The host's, once the other player's game ended before the match did: a newcomer with this
    // game and data is taken as that player joining again. It is welcomed with the agreement
    // and `frames`, the frames confirmed, and fed them; takeRejoiner then hands it over.
    // Meanwhile any other is told the host is busy, as always.
    void awaitRejoin(int64_t frames) { rejoinFrames_ = frames; }
    // The player joining again, once it holds the confirmed frames: it becomes the other
    // player's link (through the simulation when this side has one). False until then.
    bool takeRejoiner();
    // A player joining again is being fed.
    bool rejoining() const { return feed && feed->rejoining(); }
    // The session whose confirmed frames the host's spectators are fed.
    void watch(const SessionLog& log) {
        if (feed) feed->watch(log);
    }
    // Lets what is still held or queued go out, then says goodbye; the host's spectators get
    // the rest of the match first (a few seconds at most).
    void close(const NetSim& sim);

private:
    int64_t rejoinFrames_ = -1;  // awaiting a player joining again, to be fed this many frames
};

// In the data folder (its files are hashed): 0 when connected and agreed, else the exit code
// after one stderr line: 1 nobody came or the network failed, 2 the two sides differ. frames:
// a headless run's frame count, 0 in the window; seed: this side's, the host's is used. The
// host turns away a joiner whose game differs (saying so in one line) and goes on waiting.
int connectPeer(const NetOptions& net, uint32_t frames, uint64_t seed, Connection& out);

}  // namespace net
