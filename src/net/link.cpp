#include "net/link.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace net {

void MemoryLink::send(Channel, std::vector<uint8_t> bytes) {
    if (!shared_->gone) shared_->toward[1 - self_].push_back(std::move(bytes));
}

bool MemoryLink::receive(std::vector<uint8_t>& bytes) {
    auto& queue = shared_->toward[self_];
    if (queue.empty()) return false;
    bytes = std::move(queue.front());
    queue.pop_front();
    return true;
}

bool MemoryLink::lost() const {
    return shared_->gone;
}

void MemoryLink::hangUp() {
    shared_->gone = true;
}

std::pair<std::unique_ptr<MemoryLink>, std::unique_ptr<MemoryLink>> makeMemoryPair() {
    auto shared = std::make_shared<MemoryLink::Shared>();
    std::unique_ptr<MemoryLink> a(new MemoryLink), b(new MemoryLink);
    a->shared_ = shared;
    b->shared_ = shared;
    b->self_ = 1;
    return {std::move(a), std::move(b)};
}

SimulatedLink::SimulatedLink(Link& inner, const NetSim& sim, uint64_t seed,
                             std::function<uint64_t()> nowMs)
    : inner_(inner), sim_(sim), random_(seed), now_(std::move(nowMs)) {}

void SimulatedLink::send(Channel channel, std::vector<uint8_t> bytes) {
    const uint64_t now = now_();
    if (now >= outageStart_ && outage_.covers(now - outageStart_)) {
        ++dropped_;
        return;
    }
    if (channel == Channel::Inputs && sim_.lossPercent > 0 &&
        static_cast<int>(random_() % 100) < sim_.lossPercent) {
        ++dropped_;
        return;
    }
    int64_t delay = sim_.latencyMs;
    if (sim_.jitterMs > 0) {
        delay += static_cast<int64_t>(random_() % static_cast<uint64_t>(2 * sim_.jitterMs + 1)) -
                 sim_.jitterMs;
    }
    uint64_t due = now + static_cast<uint64_t>(std::max<int64_t>(delay, 0));
    if (channel == Channel::Control) {
        due = std::max(due, lastControlDue_);
        lastControlDue_ = due;
    }
    held_.push_back({due, order_++, channel, std::move(bytes)});
    flush();
}

void SimulatedLink::flush() {
    const uint64_t now = now_();
    std::vector<Held> due;
    for (auto it = held_.begin(); it != held_.end();) {
        if (it->due <= now) {
            due.push_back(std::move(*it));
            it = held_.erase(it);
        } else {
            ++it;
        }
    }
    std::sort(due.begin(), due.end(), [](const Held& a, const Held& b) {
        return a.due != b.due ? a.due < b.due : a.order < b.order;
    });
    for (Held& h : due)
        inner_.send(h.channel, std::move(h.bytes));
}

bool SimulatedLink::receive(std::vector<uint8_t>& bytes) {
    flush();
    return inner_.receive(bytes);
}

void SimulatedLink::pump(int waitMs) {
    flush();
    inner_.pump(waitMs);
    flush();
}

namespace {

bool number(const std::string& s, int& out) {
    const char* end = s.data() + s.size();
    const auto [ptr, ec] = std::from_chars(s.data(), end, out);
    return !s.empty() && s[0] != '-' && ec == std::errc() && ptr == end;
}

}  // namespace

bool parseNetSim(const std::string& text, NetSim& out, std::string& error) {
    const size_t a = text.find(',');
    const size_t b = a == std::string::npos ? a : text.find(',', a + 1);
    error = "--netsim wants LATENCY_MS,JITTER_MS,LOSS_PERCENT, got \"" + text + "\"";
    if (b == std::string::npos || text.find(',', b + 1) != std::string::npos) return false;
    NetSim s;
    if (!number(text.substr(0, a), s.latencyMs) ||
        !number(text.substr(a + 1, b - a - 1), s.jitterMs) ||
        !number(text.substr(b + 1), s.lossPercent)) {
        return false;
    }
    if (s.latencyMs > 2000 || s.jitterMs > s.latencyMs || s.lossPercent > 90) {
        error = "--netsim \"" + text +
                "\": latency 0 to 2000 ms, jitter at most the latency, loss 0 to 90 percent";
        return false;
    }
    error.clear();
    out = s;
    return true;
}

bool parseOutage(const std::string& text, Outage& out, std::string& error) {
    const size_t a = text.find(',');
    error = "--outage wants AT_MS,FOR_MS, got \"" + text + "\"";
    if (a == std::string::npos) return false;
    Outage o;
    if (!number(text.substr(0, a), o.atMs) || !number(text.substr(a + 1), o.forMs)) return false;
    if (o.atMs > kMaxOutageMs || o.forMs < 1 || o.forMs > kMaxOutageMs) {
        error = "--outage \"" + text + "\": the start 0 to " + std::to_string(kMaxOutageMs) +
                " ms, the length 1 to " + std::to_string(kMaxOutageMs) + " ms";
        return false;
    }
    error.clear();
    out = o;
    return true;
}

}  // namespace net
