// What a rollback session sends through: datagrams on two channels to one peer. The ENet link
// is the real one; the in-memory pair joins two sessions in one process; the simulated link
// delays, reorders and drops another link's outgoing packets.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <random>
#include <vector>

namespace net {

enum class Channel : uint8_t {
    Inputs = 0,   // unreliable, sequenced: a newer packet makes older ones useless
    Control = 1,  // reliable, in order: handshake and control messages
};
inline constexpr int kChannels = 2;

class Link {
public:
    virtual ~Link() = default;
    virtual void send(Channel channel, std::vector<uint8_t> bytes) = 0;
    // The next datagram that arrived, on either channel; false when none is waiting.
    virtual bool receive(std::vector<uint8_t>& bytes) = 0;
    // Lets the network work, waiting up to waitMs for something to arrive.
    virtual void pump(int waitMs) = 0;
    // True once the peer is known to be gone.
    virtual bool lost() const = 0;
};

// Two links joined back to back in memory: what one sends the other receives, at once and in
// order. Make them with makeMemoryPair.
class MemoryLink : public Link {
public:
    void send(Channel channel, std::vector<uint8_t> bytes) override;
    bool receive(std::vector<uint8_t>& bytes) override;
    void pump(int) override {}
    bool lost() const override;
    // The other end goes away.
    void hangUp();

private:
    friend std::pair<std::unique_ptr<MemoryLink>, std::unique_ptr<MemoryLink>> makeMemoryPair();
    struct Shared {
        std::deque<std::vector<uint8_t>> toward[2];
        bool gone = false;
    };
    std::shared_ptr<Shared> shared_;
    int self_ = 0;
};

std::pair<std::unique_ptr<MemoryLink>, std::unique_ptr<MemoryLink>> makeMemoryPair();

// --netsim LATENCY_MS,JITTER_MS,LOSS_PERCENT
struct NetSim {
    int latencyMs = 0;
    int jitterMs = 0;
    int lossPercent = 0;
    bool active() const { return latencyMs > 0 || jitterMs > 0 || lossPercent > 0; }
};

// --outage AT_MS,FOR_MS: every datagram this side sends is dropped for FOR_MS, from AT_MS after
// the handshake (over ENet the socket drops them, ENet's own among them: see EnetHost).
inline constexpr int kMaxOutageMs = 3600000;
struct Outage {
    int atMs = 0;
    int forMs = 0;
    bool active() const { return forMs > 0; }
    bool covers(uint64_t sinceStartMs) const {
        return active() && sinceStartMs >= static_cast<uint64_t>(atMs) &&
               sinceStartMs < static_cast<uint64_t>(atMs) + static_cast<uint64_t>(forMs);
    }
};

// --rejoin-wait SECONDS: how long a host waits for the other player to join again when that
// player's game ended before the match did (a closed window, a crash, a network gone past the
// drop time); 0 ends the match at once.
inline constexpr uint64_t kRejoinWaitMs = 60000;
inline constexpr int kMaxRejoinWaitS = 600;

// Holds each outgoing packet for the latency plus or minus a random jitter (so input packets
// overtake each other), and drops that share of the input packets; control messages are never
// dropped and keep their order. The draws come from the seed, so a run is reproducible.
class SimulatedLink : public Link {
public:
    SimulatedLink(Link& inner, const NetSim& sim, uint64_t seed, std::function<uint64_t()> nowMs);
    void send(Channel channel, std::vector<uint8_t> bytes) override;
    bool receive(std::vector<uint8_t>& bytes) override;
    void pump(int waitMs) override;
    bool lost() const override { return inner_.lost(); }

    int64_t dropped() const { return dropped_; }
    // Drops everything sent during the outage, counted from startMs on this link's clock.
    void setOutage(const Outage& outage, uint64_t startMs) {
        outage_ = outage;
        outageStart_ = startMs;
    }
    // Sends every held packet that is due.
    void flush();

private:
    struct Held {
        uint64_t due;
        uint64_t order;
        Channel channel;
        std::vector<uint8_t> bytes;
    };
    Link& inner_;
    NetSim sim_;
    Outage outage_;
    uint64_t outageStart_ = 0;
    std::mt19937_64 random_;
    std::function<uint64_t()> now_;
    std::vector<Held> held_;
    uint64_t order_ = 0, lastControlDue_ = 0;
    int64_t dropped_ = 0;
};

// Parses "LATENCY_MS,JITTER_MS,LOSS_PERCENT" (latency and jitter 0 … 2000, jitter at most the
// latency, loss 0 … 90); false with the problem in error.
bool parseNetSim(const std::string& text, NetSim& out, std::string& error);
// Parses "AT_MS,FOR_MS" (the start 0 … an hour, the length 1 ms … an hour); false with the
// problem in error.
bool parseOutage(const std::string& text, Outage& out, std::string& error);

}  // namespace net
