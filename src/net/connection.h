// Reaching the other player: listen or connect over ENet, wrap the link in the network
// simulation when asked, and shake hands.
#pragma once

#include <cstdint>
#include <memory>

#include "net/enet_link.h"
#include "net/handshake.h"
#include "net/link.h"

namespace net {

struct NetOptions {
    bool host = false;  // --host: fighter 1; else --join: fighter 2
    int port = kDefaultPort;
    Address join;
    int delay = 1;
    NetSim sim;
};

struct Connection {
    std::unique_ptr<EnetLink> enet;
    std::unique_ptr<SimulatedLink> sim;
    Link* link = nullptr;  // the simulation when there is one, else the ENet link
    Agreement agreement;

    // Lets what is still held or queued go out, then says goodbye.
    void close(const NetSim& sim);
};

// In the data folder (its files are hashed): 0 when connected and agreed, else the exit code
// after one stderr line: 1 nobody came or the network failed, 2 the two sides differ. frames:
// a headless run's frame count, 0 in the window; seed: this side's, the host's is used.
int connectPeer(const NetOptions& net, uint32_t frames, uint64_t seed, Connection& out);

}  // namespace net
