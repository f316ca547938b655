#include "replay/state_hash.h"

#include <bit>
#include <cstring>
#include <vector>

namespace replay {

namespace {

using pelea::FieldInfo;
using pelea::FieldKind;

constexpr uint64_t kPrime = 0x100000001b3ULL;
constexpr size_t kWord = 8;
constexpr bool kLittleEndian = std::endian::native == std::endian::little;

uint64_t fold(uint64_t h, uint64_t word) {
    return (h ^ word) * kPrime;
}

uint64_t finish(uint64_t h) {
    h ^= h >> 30;
    h *= 0xbf58476d1ce4e5b9ULL;
    h ^= h >> 27;
    h *= 0x94d049bb133111ebULL;
    return h ^ (h >> 31);
}

uint64_t loadLittleEndian(const unsigned char* p) {
    uint64_t w = 0;
    if constexpr (kLittleEndian) {
        std::memcpy(&w, p, kWord);
    } else {
        for (size_t i = 0; i < kWord; ++i)
            w |= uint64_t{p[i]} << (8 * i);
    }
    return w;
}

// A field's bytes in the record: its size, and the size of the numbers it is made of (their
// bytes are written little-endian).
struct Shape {
    size_t size;
    size_t element;
};

Shape shapeOf(FieldKind k) {
    switch (k) {
        case FieldKind::U8:
        case FieldKind::I8:
            return {1, 1};
        case FieldKind::U16:
        case FieldKind::I16:
            return {2, 2};
        case FieldKind::I32:
            return {4, 4};
        case FieldKind::F64:
            return {8, 8};
        case FieldKind::AREA:
            return {sizeof(pelea::Area), sizeof(int32_t)};
        case FieldKind::BTN4:
            return {sizeof(pelea::Buttons4), 1};
        case FieldKind::TEXT:
            return {sizeof(pelea::ShortText), 1};
    }
    return {0, 1};
}

// A stretch of the state record's bytes that the hash reads, in order.
struct Stretch {
    size_t offset;
    size_t size;
    size_t element;
};

class StateLayout {
public:
    StateLayout() {
        const pelea::GameState g{};
        add(g, &g.m, pelea::kMatchFields);
        for (const pelea::Lutador& l : g.lutador)
            add(g, &l, pelea::kLutadorFields);
        for (const pelea::Efeito& e : g.efeitos)
            add(g, &e, pelea::kEfeitoFields);
        push({offsetIn(g, &g.rng), sizeof g.rng, sizeof g.rng});
    }

    // The fields' bytes, one after the other, little-endian; returns how many were written.
    size_t pack(const pelea::GameState& g, unsigned char* out) const {
        const auto* base = reinterpret_cast<const unsigned char*>(&g);
        size_t n = 0;
        for (const Stretch& s : stretches_) {
            if (kLittleEndian || s.element == 1) {
                std::memcpy(out + n, base + s.offset, s.size);
            } else {
                for (size_t e = 0; e < s.size; e += s.element) {
                    for (size_t b = 0; b < s.element; ++b)
                        out[n + e + b] = base[s.offset + e + s.element - 1 - b];
                }
            }
            n += s.size;
        }
        return n;
    }
    size_t bytes() const { return bytes_; }

    // The inverse of pack.
    void unpack(const unsigned char* in, pelea::GameState& g) const {
        auto* base = reinterpret_cast<unsigned char*>(&g);
        size_t n = 0;
        for (const Stretch& s : stretches_) {
            if (kLittleEndian || s.element == 1) {
                std::memcpy(base + s.offset, in + n, s.size);
            } else {
                for (size_t e = 0; e < s.size; e += s.element) {
                    for (size_t b = 0; b < s.element; ++b)
                        base[s.offset + e + s.element - 1 - b] = in[n + e + b];
                }
            }
            n += s.size;
        }
    }

private:
    static size_t offsetIn(const pelea::GameState& g, const void* p) {
        return static_cast<size_t>(static_cast<const unsigned char*>(p) -
                                   reinterpret_cast<const unsigned char*>(&g));
    }
    template <size_t N>
    void add(const pelea::GameState& g, const void* record, const FieldInfo (&fields)[N]) {
        const size_t base = offsetIn(g, record);
        for (const FieldInfo& f : fields) {
            const Shape shape = shapeOf(f.kind);
            push({base + f.offset, shape.size, shape.element});
        }
    }
    // On a little-endian machine the bytes are copied as they lie, so touching fields merge.
    void push(Stretch s) {
        bytes_ += s.size;
        if (kLittleEndian && !stretches_.empty()) {
            Stretch& last = stretches_.back();
            if (last.offset + last.size == s.offset) {
                last.size += s.size;
                return;
            }
        }
        stretches_.push_back(s);
    }

    std::vector<Stretch> stretches_;
    size_t bytes_ = 0;
};

const StateLayout& layout() {
    static const StateLayout l;
    return l;
}

}  // namespace

size_t hashedStateBytes() {
    return layout().bytes();
}

uint64_t stateHash(const pelea::GameState& g) {
    alignas(kWord) unsigned char packed[sizeof(pelea::GameState)];
    const size_t n = layout().pack(g, packed);
    return bytesHash({packed, n});
}

std::vector<unsigned char> packState(const pelea::GameState& g) {
    std::vector<unsigned char> out(sizeof(pelea::GameState));
    out.resize(layout().pack(g, out.data()));
    return out;
}

bool unpackState(std::span<const unsigned char> bytes, pelea::GameState& g) {
    if (bytes.size() != layout().bytes()) return false;
    layout().unpack(bytes.data(), g);
    return true;
}

uint64_t bytesHash(std::span<const unsigned char> bytes) {
    BytesHasher h;
    h.add(bytes);
    return h.value();
}

void BytesHasher::add(std::span<const unsigned char> bytes) {
    size_ += bytes.size();
    size_t i = 0;
    while (pendingCount_ > 0 && pendingCount_ < kWord && i < bytes.size())
        pending_[pendingCount_++] = bytes[i++];
    if (pendingCount_ == kWord) {
        h_ = fold(h_, loadLittleEndian(pending_));
        pendingCount_ = 0;
    }
    for (; i + kWord <= bytes.size(); i += kWord)
        h_ = fold(h_, loadLittleEndian(bytes.data() + i));
    for (; i < bytes.size(); ++i)
        pending_[pendingCount_++] = bytes[i];
}

uint64_t BytesHasher::value() const {
    uint64_t h = h_;
    if (pendingCount_ > 0) {
        unsigned char last[kWord] = {};
        std::memcpy(last, pending_, pendingCount_);
        h = fold(h, loadLittleEndian(last));
    }
    return finish(fold(h, size_));
}

}  // namespace replay
