// The link over ENet: channel 0 unreliable and sequenced for the inputs, channel 1 reliable for
// the handshake and control messages. The peer counts as lost when it disconnects; its silence
// is the session's to judge, by the whole messages that come (ENet's own datagrams, and ones that
// do not decode, are no sign of life).
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "net/link.h"

typedef struct _ENetHost ENetHost;
typedef struct _ENetPeer ENetPeer;

namespace net {

inline constexpr int kDefaultPort = 7340;
// ENet gives a peer up when its reliable datagrams go unacknowledged this long: later than the
// session would.
inline constexpr uint64_t kEnetTimeoutMs = 12000;

// Where to join: "HOST", "HOST:PORT" or "[V6ADDRESS]:PORT".
struct Address {
    std::string host;
    int port = kDefaultPort;
    bool v6 = false;
};

// Parses a --join value; false with the problem in error.
bool parseAddress(const std::string& text, Address& out, std::string& error);

class EnetLink : public Link {
public:
    ~EnetLink() override;
    EnetLink(const EnetLink&) = delete;
    EnetLink& operator=(const EnetLink&) = delete;

    // Listens on the port and waits up to timeoutMs (negative: for ever) for one peer; null with
    // the problem in error.
    static std::unique_ptr<EnetLink> listen(int port, int timeoutMs, std::string& error);
    // Connects to the host, trying for up to timeoutMs.
    static std::unique_ptr<EnetLink> connect(const Address& to, int timeoutMs, std::string& error);

    void send(Channel channel, std::vector<uint8_t> bytes) override;
    bool receive(std::vector<uint8_t>& bytes) override;
    void pump(int waitMs) override;
    bool lost() const override;

    // Says goodbye once what was sent has gone out, waiting up to waitMs.
    void close(int waitMs);

private:
    EnetLink() = default;
    void service(int waitMs);

    ENetHost* host_ = nullptr;
    ENetPeer* peer_ = nullptr;
    std::deque<std::vector<uint8_t>> inbox_;
    bool gone_ = false;
};

// Milliseconds from a steady clock.
uint64_t steadyMs();

}  // namespace net
