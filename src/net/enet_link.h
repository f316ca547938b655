// The links over ENet: one socket (EnetHost) and a link per peer on it (EnetLink), channel 0
// unreliable and sequenced for the inputs, channel 1 reliable for the handshake and control
// messages. The host's socket takes a few peers at once (the player, spectators, newcomers still
// saying hello); a joiner's holds one. A peer counts as lost when it disconnects; its silence is
// the session's to judge, by the whole messages that come (ENet's own datagrams, and ones that do
// not decode, are no sign of life).
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "net/link.h"

typedef struct _ENetHost ENetHost;
typedef struct _ENetPeer ENetPeer;
typedef struct _ENetEvent ENetEvent;

namespace net {

inline constexpr int kDefaultPort = 7340;
// ENet gives a peer up when its reliable datagrams go unacknowledged this long: later than the
// session would (its drop time, kDropMs, is 10 s).
inline constexpr uint64_t kEnetTimeoutMs = 12000;
// Peers the host's socket holds at once: the player, the spectators, and newcomers that have not
// said hello yet.
inline constexpr int kMaxSpectators = 8;
inline constexpr int kMaxNewcomers = 4;
inline constexpr int kHostPeers = 1 + kMaxSpectators + kMaxNewcomers;

// Where to join: "HOST", "HOST:PORT" or "[V6ADDRESS]:PORT".
struct Address {
    std::string host;
    int port = kDefaultPort;
    bool v6 = false;
};

// Parses a --join value; false with the problem in error.
bool parseAddress(const std::string& text, Address& out, std::string& error);

class EnetHost;

// One peer of an ENet socket. It must not outlive its socket.
class EnetLink : public Link {
public:
    ~EnetLink() override;
    EnetLink(const EnetLink&) = delete;
    EnetLink& operator=(const EnetLink&) = delete;

    void send(Channel channel, std::vector<uint8_t> bytes) override;
    bool receive(std::vector<uint8_t>& bytes) override;
    void pump(int waitMs) override;
    bool lost() const override { return gone_; }

    // Says goodbye once what was sent has gone out, waiting up to waitMs.
    void close(int waitMs);
    // Lets what was sent go out, then goodbye; the socket finishes it while it works on.
    void leave();

private:
    friend class EnetHost;
    EnetLink(EnetHost& host, ENetPeer* peer) : host_(host), peer_(peer) {}

    EnetHost& host_;
    ENetPeer* peer_ = nullptr;
    std::deque<std::vector<uint8_t>> inbox_;
    bool gone_ = false;
};

class EnetHost {
public:
    ~EnetHost();
    EnetHost(const EnetHost&) = delete;
    EnetHost& operator=(const EnetHost&) = delete;

    // Listens on the port; null with the problem in error.
    static std::unique_ptr<EnetHost> listen(int port, std::string& error);
    // Connects to the host, trying for up to timeoutMs; the link to it in `link`.
    static std::unique_ptr<EnetHost> connect(const Address& to, int timeoutMs,
                                             std::unique_ptr<EnetLink>& link, std::string& error);

    // Lets the network work, waiting up to waitMs for something to arrive: what arrives goes to
    // its peer's link, and peers that connect become links handed out by takeArrivals.
    void service(int waitMs);
    void flush();
    // The peers that connected since the last call.
    std::vector<std::unique_ptr<EnetLink>> takeArrivals();

    // --outage: from startMs + atMs on the steady clock, for forMs, every datagram the socket
    // sends its peers of then (the session's and ENet's own: acknowledgements, pings, resends)
    // is dropped. ENet has no hook for what it sends, so the peers' addresses are pointed at this
    // very socket meanwhile: what comes back to it is thrown away as it arrives, and what the
    // peers send is taken as theirs. A newcomer's handshake is not dropped.
    void setOutage(const Outage& outage, uint64_t startMs);
    // Datagrams dropped by the outage so far.
    int64_t outageDropped() const { return outageDropped_; }

private:
    friend class EnetLink;
    EnetHost() = default;
    std::unique_ptr<EnetLink> adopt(ENetPeer* peer);
    // Starts or ends the outage when its time comes; before ENet sends anything.
    void keepOutage();
    static int intercept(ENetHost* host, ENetEvent* event);

    ENetHost* host_ = nullptr;
    std::vector<std::unique_ptr<EnetLink>> arrivals_;
    bool listening_ = false;
    Outage outage_;
    uint64_t outageStart_ = 0;
    bool dark_ = false;
    uint32_t selfHost_ = 0;  // this socket's loopback address and port, in ENet's byte order
    uint16_t selfPort_ = 0;
    // The peers hidden by the outage, each with its real address and port.
    struct Hidden {
        ENetPeer* peer;
        uint32_t host;
        uint16_t port;
    };
    std::vector<Hidden> hidden_;
    int64_t outageDropped_ = 0;
};

// Milliseconds from a steady clock.
uint64_t steadyMs();

}  // namespace net
