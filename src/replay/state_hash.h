// The 64-bit hash of the state record after a frame, and the same hash over a file's bytes.
//
// The state is hashed over its fields only (the records' name tables, in table order: the match
// variables, fighters 0 to 2, effect slots 0 to 80, then the generator), each field as its
// little-endian bytes, so padding never counts and every machine gets the same number. The bytes
// are read as little-endian 64-bit words (the last one padded with zeros) and folded with the
// FNV-1a step h = (h ^ word) * 0x100000001b3 from 0xcbf29ce484222325; the byte count is then
// folded in and the result mixed by the 64-bit finaliser h ^= h >> 30, h *= 0xbf58476d1ce4e5b9,
// h ^= h >> 27, h *= 0x94d049bb133111eb, h ^= h >> 31.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "game/state.h"

namespace replay {

// How many bytes of the state the hash reads: the sum of the fields' sizes.
size_t hashedStateBytes();

uint64_t stateHash(const pelea::GameState& g);

// The bytes the hash reads, in its order and byte layout: a state written down whole.
std::vector<unsigned char> packState(const pelea::GameState& g);
// The state those bytes hold, written into g (its padding untouched); false, with g unchanged,
// when there are not exactly hashedStateBytes() of them.
bool unpackState(std::span<const unsigned char> bytes, pelea::GameState& g);

// The fold's starting value (FNV-1a's offset basis).
inline constexpr uint64_t kFoldStart = 0xcbf29ce484222325ULL;

// The same hash over any bytes (a data file's contents).
uint64_t bytesHash(std::span<const unsigned char> bytes);

// A hash folded incrementally, for bytes that come in pieces: the pieces' concatenation gives
// the same value as bytesHash of the whole.
class BytesHasher {
public:
    void add(std::span<const unsigned char> bytes);
    uint64_t value() const;

private:
    uint64_t h_ = kFoldStart;
    uint64_t size_ = 0;
    unsigned char pending_[8] = {};
    size_t pendingCount_ = 0;
};

}  // namespace replay
