#include "net/enet_link.h"

#include <enet/enet.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <thread>

#include "net/wire.h"

namespace net {

namespace {

bool portNumber(const std::string& s, int& out) {
    const char* end = s.data() + s.size();
    const auto [ptr, ec] = std::from_chars(s.data(), end, out);
    return !s.empty() && s[0] != '-' && ec == std::errc() && ptr == end && out >= 1 && out <= 65535;
}

// The sockets in an outage, for the intercept, which ENet hands only its own host.
std::vector<EnetHost*>& darkSockets() {
    static std::vector<EnetHost*> sockets;
    return sockets;
}

// ENet is started once for the process and stopped at its end.
bool startEnet() {
    static const bool started = [] {
        if (enet_initialize() != 0) return false;
        std::atexit(enet_deinitialize);
        return true;
    }();
    return started;
}

// Unreliable packets are never thinned out by ENet's throttle: each one carries every input the
// other still lacks, and the session needs them in time more than it needs fewer of them.
void tunePeer(ENetPeer* peer) {
    enet_peer_throttle_configure(peer, ENET_PEER_PACKET_THROTTLE_INTERVAL, 2, 0);
    enet_peer_timeout(peer, 0, static_cast<enet_uint32>(kEnetTimeoutMs),
                      static_cast<enet_uint32>(kEnetTimeoutMs));
}

// Datagrams are never larger than the protocol's, and a peer holds no more than a few of them
// waiting.
void limitHost(ENetHost* host) {
    host->maximumPacketSize = kMaxPacketBytes;
    host->maximumWaitingData = 64 * kMaxPacketBytes;
}

}  // namespace

uint64_t steadyMs() {
    using namespace std::chrono;
    return static_cast<uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

bool parseAddress(const std::string& text, Address& out, std::string& error) {
    Address a;
    std::string port;
    if (!text.empty() && text[0] == '[') {
        const size_t close = text.find(']');
        if (close == std::string::npos || close == 1) {
            error = "--join \"" + text + "\": an IPv6 address goes as [ADDRESS]:PORT";
            return false;
        }
        a.host = text.substr(1, close - 1);
        a.v6 = true;
        if (close + 1 < text.size()) {
            if (text[close + 1] != ':') {
                error = "--join \"" + text + "\": an IPv6 address goes as [ADDRESS]:PORT";
                return false;
            }
            port = text.substr(close + 2);
            if (port.empty()) {
                error = "--join \"" + text + "\" has no port after the colon";
                return false;
            }
        }
    } else {
        const size_t colon = text.find(':');
        if (colon != std::string::npos && text.find(':', colon + 1) != std::string::npos) {
            error = "--join \"" + text + "\": an IPv6 address goes in brackets, [::1]:7340";
            return false;
        }
        a.host = text.substr(0, colon);
        if (colon != std::string::npos) {
            port = text.substr(colon + 1);
            if (port.empty()) {
                error = "--join \"" + text + "\" has no port after the colon";
                return false;
            }
        }
    }
    if (a.host.empty()) {
        error = "--join needs a host, got \"" + text + "\"";
        return false;
    }
    if (!port.empty() && !portNumber(port, a.port)) {
        error = "--join port \"" + port + "\" is not a port from 1 to 65535";
        return false;
    }
    out = a;
    return true;
}

EnetLink::~EnetLink() {
    if (peer_ == nullptr) return;
    peer_->data = nullptr;
    if (!gone_) enet_peer_reset(peer_);
}

void EnetLink::send(Channel channel, std::vector<uint8_t> bytes) {
    if (peer_ == nullptr || gone_) return;
    const enet_uint32 flags = channel == Channel::Control ? ENET_PACKET_FLAG_RELIABLE : 0;
    ENetPacket* packet = enet_packet_create(bytes.data(), bytes.size(), flags);
    if (packet == nullptr) return;
    if (enet_peer_send(peer_, static_cast<enet_uint8>(channel), packet) != 0) {
        enet_packet_destroy(packet);
    }
}

bool EnetLink::receive(std::vector<uint8_t>& bytes) {
    if (inbox_.empty()) host_.service(0);
    if (inbox_.empty()) return false;
    bytes = std::move(inbox_.front());
    inbox_.pop_front();
    return true;
}

void EnetLink::pump(int waitMs) {
    host_.service(waitMs);
    host_.flush();
}

void EnetLink::close(int waitMs) {
    if (peer_ == nullptr || gone_) return;
    enet_peer_disconnect_later(peer_, 0);
    const uint64_t end = steadyMs() + static_cast<uint64_t>(waitMs);
    while (!gone_ && steadyMs() < end)
        host_.service(20);
}

void EnetLink::leave() {
    if (peer_ == nullptr || gone_) return;
    enet_peer_disconnect_later(peer_, 0);
    // The peer is the socket's to finish with from here on.
    peer_->data = nullptr;
    peer_ = nullptr;
    gone_ = true;
    host_.flush();
}

EnetHost::~EnetHost() {
    auto& dark = darkSockets();
    dark.erase(std::remove(dark.begin(), dark.end(), this), dark.end());
    arrivals_.clear();
    if (host_ != nullptr) enet_host_destroy(host_);
}

std::unique_ptr<EnetHost> EnetHost::listen(int port, std::string& error) {
    if (!startEnet()) {
        error = "cannot start the network";
        return nullptr;
    }
    std::unique_ptr<EnetHost> h(new EnetHost);
    ENetAddress address{};
    address.host = ENET_HOST_ANY;
    address.port = static_cast<enet_uint16>(port);
    h->host_ = enet_host_create(&address, kHostPeers, kChannels, 0, 0);
    if (h->host_ == nullptr) {
        error = "cannot listen on port " + std::to_string(port) + " (is it in use?)";
        return nullptr;
    }
    limitHost(h->host_);
    h->listening_ = true;
    return h;
}

std::unique_ptr<EnetHost> EnetHost::connect(const Address& to, int timeoutMs,
                                            std::unique_ptr<EnetLink>& link, std::string& error) {
    if (to.v6) {
        error = "--join [" + to.host +
                "]: this build's network library speaks IPv4 only; use an IPv4 address";
        return nullptr;
    }
    if (!startEnet()) {
        error = "cannot start the network";
        return nullptr;
    }
    ENetAddress address{};
    if (enet_address_set_host(&address, to.host.c_str()) != 0) {
        error = "cannot find the host \"" + to.host + "\"";
        return nullptr;
    }
    address.port = static_cast<enet_uint16>(to.port);
    const uint64_t end = steadyMs() + static_cast<uint64_t>(timeoutMs);
    // A host that is not listening yet is tried again until the time is up.
    while (steadyMs() < end) {
        std::unique_ptr<EnetHost> h(new EnetHost);
        h->host_ = enet_host_create(nullptr, 1, kChannels, 0, 0);
        if (h->host_ == nullptr) {
            error = "cannot open a network socket";
            return nullptr;
        }
        limitHost(h->host_);
        ENetPeer* peer = enet_host_connect(h->host_, &address, kChannels, 0);
        if (peer == nullptr) {
            error = "cannot connect to " + to.host;
            return nullptr;
        }
        enet_peer_timeout(peer, 0, 1000, 1000);
        ENetEvent event;
        const uint64_t attemptEnd = std::min(end, steadyMs() + 1500);
        while (steadyMs() < attemptEnd) {
            if (enet_host_service(h->host_, &event, 50) <= 0) continue;
            if (event.type == ENET_EVENT_TYPE_CONNECT) {
                link = h->adopt(peer);
                return h;
            }
            if (event.type == ENET_EVENT_TYPE_DISCONNECT) break;
            if (event.type == ENET_EVENT_TYPE_RECEIVE) enet_packet_destroy(event.packet);
        }
        enet_peer_reset(peer);
    }
    error = "cannot reach " + to.host + ":" + std::to_string(to.port);
    return nullptr;
}

std::unique_ptr<EnetLink> EnetHost::adopt(ENetPeer* peer) {
    tunePeer(peer);
    std::unique_ptr<EnetLink> link(new EnetLink(*this, peer));
    peer->data = link.get();
    return link;
}

void EnetHost::setOutage(const Outage& outage, uint64_t startMs) {
    outage_ = outage;
    outageStart_ = startMs;
    if (host_ == nullptr || !outage.active()) return;
    ENetAddress self{};
    if (enet_socket_get_address(host_->socket, &self) != 0) return;
    // Bound to every address or to one, the socket is reached over the loopback.
    self.host = ENET_HOST_TO_NET_32(0x7F000001u);
    selfHost_ = self.host;
    selfPort_ = self.port;
    host_->intercept = &EnetHost::intercept;
    darkSockets().push_back(this);
}

void EnetHost::keepOutage() {
    if (!outage_.active() || host_ == nullptr || selfPort_ == 0) return;
    const uint64_t now = steadyMs();
    const bool dark = now >= outageStart_ && outage_.covers(now - outageStart_);
    if (dark == dark_) return;
    dark_ = dark;
    if (dark) {
        for (size_t i = 0; i < host_->peerCount; ++i) {
            ENetPeer* peer = &host_->peers[i];
            if (peer->state == ENET_PEER_STATE_DISCONNECTED) continue;
            hidden_.push_back({peer, peer->address.host, peer->address.port});
            peer->address.host = selfHost_;
            peer->address.port = selfPort_;
        }
        return;
    }
    // A slot that was given up and taken again meanwhile has an address of its own.
    for (const Hidden& h : hidden_) {
        if (h.peer->address.host == selfHost_ && h.peer->address.port == selfPort_) {
            h.peer->address.host = h.host;
            h.peer->address.port = h.port;
        }
    }
    hidden_.clear();
}

// Called by ENet for each datagram the socket receives, before it looks at it: 1 throws it away.
int EnetHost::intercept(ENetHost* raw, ENetEvent*) {
    const auto& dark = darkSockets();
    const auto it = std::find_if(dark.begin(), dark.end(),
                                 [raw](const EnetHost* h) { return h->host_ == raw; });
    if (it == dark.end() || !(*it)->dark_) return 0;
    EnetHost& h = **it;
    ENetAddress& from = raw->receivedAddress;
    if (from.host == h.selfHost_ && from.port == h.selfPort_) {
        ++h.outageDropped_;  // this side's own, sent into the dark
        return 1;
    }
    // A hidden peer's datagram is taken as coming from where its peer now points.
    for (const Hidden& p : h.hidden_) {
        if (p.host == from.host && p.port == from.port) {
            from.host = h.selfHost_;
            from.port = h.selfPort_;
            break;
        }
    }
    return 0;
}

void EnetHost::service(int waitMs) {
    keepOutage();
    ENetEvent event;
    auto wait = static_cast<enet_uint32>(waitMs < 0 ? 0 : waitMs);
    while (host_ != nullptr && enet_host_service(host_, &event, wait) > 0) {
        wait = 0;
        auto* link = static_cast<EnetLink*>(event.peer->data);
        switch (event.type) {
            case ENET_EVENT_TYPE_RECEIVE:
                if (link != nullptr) {
                    link->inbox_.emplace_back(event.packet->data,
                                              event.packet->data + event.packet->dataLength);
                }
                enet_packet_destroy(event.packet);
                break;
            case ENET_EVENT_TYPE_DISCONNECT:
                if (link != nullptr) {
                    link->gone_ = true;
                    link->peer_ = nullptr;
                }
                event.peer->data = nullptr;
                break;
            case ENET_EVENT_TYPE_CONNECT:
                // Only a listening socket takes peers that come to it.
                if (listening_) {
                    arrivals_.push_back(adopt(event.peer));
                } else {
                    enet_peer_disconnect_now(event.peer, 0);
                }
                break;
            case ENET_EVENT_TYPE_NONE:
                break;
        }
    }
}

void EnetHost::flush() {
    keepOutage();
    if (host_ != nullptr) enet_host_flush(host_);
}

std::vector<std::unique_ptr<EnetLink>> EnetHost::takeArrivals() {
    return std::move(arrivals_);
}

}  // namespace net
