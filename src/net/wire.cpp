#include "net/wire.h"

#include <type_traits>

#include "replay/data_files.h"
#include "replay/state_hash.h"

namespace net {

namespace {

constexpr uint8_t kMagic0 = 'P', kMagic1 = 'N';

class Writer {
public:
    void u8(uint8_t v) { out_.push_back(v); }
    void u16(uint16_t v) { little(v, 2); }
    void u32(uint32_t v) { little(v, 4); }
    void u64(uint64_t v) { little(v, 8); }
    void text(const std::string& s) {
        const size_t n = s.size() < kMaxVersionBytes ? s.size() : kMaxVersionBytes;
        u8(static_cast<uint8_t>(n));
        out_.insert(out_.end(), s.begin(), s.begin() + static_cast<std::ptrdiff_t>(n));
    }
    std::vector<uint8_t> take() { return std::move(out_); }

private:
    void little(uint64_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out_.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    std::vector<uint8_t> out_;
};

class Reader {
public:
    explicit Reader(std::span<const uint8_t> b) : b_(b) {}
    bool u8(uint8_t& v) { return little(v, 1); }
    bool u16(uint16_t& v) { return little(v, 2); }
    bool u32(uint32_t& v) { return little(v, 4); }
    bool i32(int32_t& v) {
        uint32_t u = 0;
        if (!u32(u)) return false;
        v = static_cast<int32_t>(u);
        return true;
    }
    bool u64(uint64_t& v) { return little(v, 8); }
    bool text(std::string& s) {
        uint8_t n = 0;
        if (!u8(n) || n > kMaxVersionBytes || b_.size() - at_ < n) return false;
        s.assign(reinterpret_cast<const char*>(b_.data() + at_), n);
        at_ += n;
        return true;
    }
    bool done() const { return at_ == b_.size(); }

private:
    template <typename T>
    bool little(T& v, size_t bytes) {
        if (b_.size() - at_ < bytes) return false;
        uint64_t x = 0;
        for (size_t i = 0; i < bytes; ++i)
            x |= static_cast<uint64_t>(b_[at_ + i]) << (8 * i);
        at_ += bytes;
        v = static_cast<T>(x);
        return true;
    }
    std::span<const uint8_t> b_;
    size_t at_ = 0;
};

void put(Writer& w, const Hello& m) {
    w.text(m.gameVersion);
    w.u64(m.dataHash);
    w.u32(m.frames);
}
void put(Writer& w, const Welcome& m) {
    w.text(m.gameVersion);
    w.u64(m.dataHash);
    w.u64(m.seed);
    w.u8(m.delay);
    w.u32(m.frames);
    w.u32(m.from);
}
void put(Writer& w, const Refuse& m) {
    w.u8(static_cast<uint8_t>(m.reason));
    w.text(m.gameVersion);
}
void put(Writer& w, const Inputs& m) {
    w.u32(m.first);
    w.u8(static_cast<uint8_t>(m.inputs.size()));
    for (const FrameInput& in : m.inputs) {
        w.u8(in.states);
        w.u8(in.keyCount);
        for (size_t i = 0; i < in.keyCount; ++i)
            w.u8(in.keys[i]);
    }
    w.u32(static_cast<uint32_t>(m.ack));
    w.u32(m.frame);
    w.u8(static_cast<uint8_t>(m.advantage));
    w.u32(m.hashFirst);
    w.u8(static_cast<uint8_t>(m.hashes.size()));
    for (const uint64_t h : m.hashes)
        w.u64(h);
    w.u16(m.pingId);
    w.u16(m.pongId);
    w.u16(m.pongHoldMs);
}
void put(Writer& w, const Quit& m) {
    w.u8(static_cast<uint8_t>(m.reason));
}
void put(Writer& w, const Desync& m) {
    w.u32(m.frame);
}
void put(Writer& w, const Watch& m) {
    w.text(m.gameVersion);
    w.u64(m.dataHash);
}
void put(Writer& w, const Feed& m) {
    w.u32(m.first);
    w.u32(m.live);
    w.u16(static_cast<uint16_t>(m.count()));
    for (const uint8_t s : m.states)
        w.u8(s);
    w.u8(static_cast<uint8_t>(m.keys.size()));
    for (const FeedKey& k : m.keys) {
        w.u16(k.offset);
        w.u8(k.fighter);
        w.u8(k.code);
    }
    w.u8(static_cast<uint8_t>(m.paused.size()));
    for (const auto& [offset, length] : m.paused) {
        w.u16(offset);
        w.u16(length);
    }
}
void put(Writer& w, const FeedAck& m) {
    w.u32(m.frames);
}

template <typename T>
constexpr Type typeOf() {
    if constexpr (std::is_same_v<T, Hello>) return Type::Hello;
    if constexpr (std::is_same_v<T, Welcome>) return Type::Welcome;
    if constexpr (std::is_same_v<T, Refuse>) return Type::Refuse;
    if constexpr (std::is_same_v<T, Inputs>) return Type::Inputs;
    if constexpr (std::is_same_v<T, Quit>) return Type::Quit;
    if constexpr (std::is_same_v<T, Watch>) return Type::Watch;
    if constexpr (std::is_same_v<T, Feed>) return Type::Feed;
    if constexpr (std::is_same_v<T, FeedAck>) return Type::FeedAck;
    return Type::Desync;
}

bool get(Reader& r, Hello& m) {
    return r.text(m.gameVersion) && r.u64(m.dataHash) && r.u32(m.frames);
}
bool get(Reader& r, Welcome& m) {
    return r.text(m.gameVersion) && r.u64(m.dataHash) && r.u64(m.seed) && r.u8(m.delay) &&
           m.delay <= kMaxDelay && r.u32(m.frames) && r.u32(m.from) && m.from <= 0x7fffffffU &&
           (m.frames == 0 || m.from <= m.frames);
}
bool get(Reader& r, Refuse& m) {
    uint8_t reason = 0;
    if (!r.u8(reason) || reason < 1 || reason > 5) return false;
    m.reason = static_cast<RefuseReason>(reason);
    return r.text(m.gameVersion);
}
bool get(Reader& r, Inputs& m) {
    uint8_t count = 0;
    if (!r.u32(m.first) || !r.u8(count) || count == 0 || count > kInputsPerPacket) return false;
    // Frames past 2^31 would wrap the signed frame numbers the session counts with.
    if (m.first > 0x7fffffffU - count) return false;
    m.inputs.resize(count);
    for (FrameInput& in : m.inputs) {
        if (!r.u8(in.states) || !r.u8(in.keyCount) || in.keyCount > kMaxKeysPerFrame) return false;
        for (size_t i = 0; i < in.keyCount; ++i)
            if (!r.u8(in.keys[i])) return false;
    }
    uint8_t advantage = 0, hashCount = 0;
    if (!r.i32(m.ack) || !r.u32(m.frame) || !r.u8(advantage) || !r.u32(m.hashFirst) ||
        !r.u8(hashCount) || hashCount > kHashesPerPacket) {
        return false;
    }
    m.advantage = static_cast<int8_t>(advantage);
    m.hashes.resize(hashCount);
    for (uint64_t& h : m.hashes)
        if (!r.u64(h)) return false;
    if (!r.u16(m.pingId) || !r.u16(m.pongId) || !r.u16(m.pongHoldMs)) return false;
    const int64_t last = int64_t{m.first} + count - 1;
    const int64_t hashLast = int64_t{m.hashFirst} + hashCount - 1;
    // −1 is the only negative frame. A side runs at most kWindow frames past the last input of
    // the receiver's it holds (ack), gives inputs at most kMaxDelay frames past the frame it
    // runs, and confirms (hashes) only frames it has run with the receiver's input.
    return m.ack >= -1 && int64_t{m.frame} <= int64_t{m.ack} + 1 + kWindow &&
           last <= int64_t{m.ack} + kWindow + kMaxDelay && hashLast <= m.ack &&
           hashLast < int64_t{m.frame};
}
bool get(Reader& r, Quit& m) {
    uint8_t reason = 0;
    if (!r.u8(reason) || reason < 1 || reason > 2) return false;
    m.reason = static_cast<QuitReason>(reason);
    return true;
}
bool get(Reader& r, Desync& m) {
    return r.u32(m.frame) && m.frame <= 0x7fffffffU;
}
bool get(Reader& r, Watch& m) {
    return r.text(m.gameVersion) && r.u64(m.dataHash);
}
// The frames stay within what the host confirmed and below 2^31; keys come in frame order,
// fighter 1's before fighter 2's, no more than a frame holds; pause runs are in order, apart,
// and within the frames.
bool get(Reader& r, Feed& m) {
    uint16_t count = 0;
    if (!r.u32(m.first) || !r.u32(m.live) || !r.u16(count) || count > kFeedFrames) return false;
    if (m.live > 0x7fffffffU || int64_t{m.first} + count > int64_t{m.live}) return false;
    m.states.resize(size_t{count} * 2);
    for (uint8_t& s : m.states)
        if (!r.u8(s)) return false;
    uint8_t keys = 0;
    if (!r.u8(keys) || keys > kFeedKeys) return false;
    m.keys.resize(keys);
    size_t run = 0;
    for (size_t i = 0; i < keys; ++i) {
        FeedKey& k = m.keys[i];
        if (!r.u16(k.offset) || !r.u8(k.fighter) || !r.u8(k.code)) return false;
        if (k.offset >= count || (k.fighter != 1 && k.fighter != 2)) return false;
        if (i > 0) {
            const FeedKey& before = m.keys[i - 1];
            if (k.offset < before.offset ||
                (k.offset == before.offset && k.fighter < before.fighter))
                return false;
            run = k.offset == before.offset && k.fighter == before.fighter ? run + 1 : 0;
        }
        if (run >= kMaxKeysPerFrame) return false;
    }
    uint8_t pauses = 0;
    if (!r.u8(pauses) || pauses > kFeedPauses) return false;
    m.paused.resize(pauses);
    int64_t end = -1;
    for (auto& [offset, length] : m.paused) {
        if (!r.u16(offset) || !r.u16(length) || length == 0 || offset <= end ||
            int64_t{offset} + length > count) {
            return false;
        }
        end = int64_t{offset} + length;
    }
    return true;
}
bool get(Reader& r, FeedAck& m) {
    return r.u32(m.frames) && m.frames <= 0x7fffffffU;
}

template <typename T>
bool read(Reader& r, Message& out) {
    T m;
    if (!get(r, m) || !r.done()) return false;
    out = std::move(m);
    return true;
}

}  // namespace

bool FrameInput::addKey(int virtualKey) {
    if (keyCount >= kMaxKeysPerFrame || virtualKey < 0 || virtualKey > 255) return false;
    keys[keyCount++] = static_cast<uint8_t>(virtualKey);
    return true;
}

std::vector<uint8_t> encode(const Message& m) {
    Writer w;
    w.u8(kMagic0);
    w.u8(kMagic1);
    w.u8(kProtocolVersion);
    std::visit(
        [&w](const auto& msg) {
            w.u8(static_cast<uint8_t>(typeOf<std::decay_t<decltype(msg)>>()));
            put(w, msg);
        },
        m);
    return w.take();
}

bool decode(std::span<const uint8_t> bytes, Message& out) {
    if (bytes.size() > kMaxPacketBytes) return false;
    Reader r(bytes);
    uint8_t m0 = 0, m1 = 0, version = 0, type = 0;
    if (!r.u8(m0) || !r.u8(m1) || !r.u8(version) || !r.u8(type)) return false;
    if (m0 != kMagic0 || m1 != kMagic1 || version != kProtocolVersion) return false;
    switch (static_cast<Type>(type)) {
        case Type::Hello:
            return read<Hello>(r, out);
        case Type::Welcome:
            return read<Welcome>(r, out);
        case Type::Refuse:
            return read<Refuse>(r, out);
        case Type::Inputs:
            return read<Inputs>(r, out);
        case Type::Quit:
            return read<Quit>(r, out);
        case Type::Desync:
            return read<Desync>(r, out);
        case Type::Watch:
            return read<Watch>(r, out);
        case Type::Feed:
            return read<Feed>(r, out);
        case Type::FeedAck:
            return read<FeedAck>(r, out);
    }
    return false;
}

uint64_t dataSetHash() {
    replay::BytesHasher h;
    for (const replay::DataFile& f : replay::hashDataFiles()) {
        h.add(std::span(reinterpret_cast<const unsigned char*>(f.name.data()), f.name.size() + 1));
        unsigned char bytes[8];
        for (int i = 0; i < 8; ++i)
            bytes[i] = static_cast<unsigned char>(f.hash >> (8 * i));
        h.add(bytes);
    }
    return h.value();
}

}  // namespace net
