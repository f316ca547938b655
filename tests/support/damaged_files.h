// Damaged pictures and sounds as bytes, each the smallest file that shows one way a BMP or a
// RIFF WAVE can be broken, with the short files that are still valid beside them. The loader
// tests read them from disk, the headless runs find them in place of the game's files, and they
// make good first inputs for the decoders' fuzz targets.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace pelea::damaged {

using Bytes = std::vector<uint8_t>;

struct Named {
    std::string name;
    Bytes bytes;
};

inline void put16(Bytes& b, size_t at, uint32_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

inline void put32(Bytes& b, size_t at, uint32_t v) {
    for (size_t i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// `piece` put into `b` before byte `at`.
inline Bytes spliced(const Bytes& b, size_t at, const Bytes& piece) {
    Bytes out(b.size() + piece.size());
    for (size_t i = 0; i < out.size(); ++i) {
        out[i] = i < at ? b[i] : i < at + piece.size() ? piece[i - at] : b[i - piece.size()];
    }
    return out;
}

inline Bytes truncated(Bytes b, size_t n) {
    b.resize(std::min(n, b.size()));
    return b;
}

// The first bytes as they are, the rest taken from a fixed pseudo-random sequence.
inline Bytes garbage(const char* start, size_t n) {
    Bytes b(n);
    const size_t kept = std::min(std::strlen(start), n);
    uint32_t x = 12345;
    for (size_t i = 0; i < n; ++i) {
        x = x * 1103515245U + 12345U;
        b[i] = i < kept ? static_cast<uint8_t>(start[i]) : static_cast<uint8_t>(x >> 16);
    }
    return b;
}

// --- sounds

// The fields of a RIFF WAVE header, as written; the data chunk holds `data`.
struct Wave {
    uint16_t tag = 1;  // PCM
    uint16_t channels = 1;
    uint32_t rate = 22050;
    uint16_t bits = 8;
    Bytes data;
};

constexpr size_t kWaveHeader = 44;
constexpr size_t kRiffLengthAt = 4, kChannelsAt = 22, kRateAt = 24, kBitsAt = 34;
constexpr size_t kDataLengthAt = 40;

inline Bytes waveFile(const Wave& w) {
    Bytes b(kWaveHeader + w.data.size());
    std::memcpy(b.data(), "RIFF", 4);
    put32(b, kRiffLengthAt, static_cast<uint32_t>(kWaveHeader - 8 + w.data.size()));
    std::memcpy(b.data() + 8, "WAVEfmt ", 8);
    put32(b, 16, 16);
    put16(b, 20, w.tag);
    put16(b, kChannelsAt, w.channels);
    put32(b, kRateAt, w.rate);
    const uint32_t block = w.channels * w.bits / 8U;
    put32(b, 28, w.rate * block);
    put16(b, 32, block);
    put16(b, kBitsAt, w.bits);
    std::memcpy(b.data() + 36, "data", 4);
    put32(b, kDataLengthAt, static_cast<uint32_t>(w.data.size()));
    for (size_t i = 0; i < w.data.size(); ++i)
        b[kWaveHeader + i] = w.data[i];
    return b;
}

// n 16-bit samples swinging between the two extremes.
inline Bytes extremes16(size_t n) {
    Bytes d(2 * n);
    for (size_t i = 0; i < n; ++i)
        put16(d, 2 * i, i % 2 == 0 ? 0x7FFF : 0x8000);
    return d;
}

// n 32-bit float samples of 0.5.
inline Bytes halves(size_t n) {
    Bytes d(4 * n);
    for (size_t i = 0; i < n; ++i)
        put32(d, 4 * i, 0x3F000000U);
    return d;
}

// A short 8-bit mono sound at 22050 Hz: the file the damaged sounds are cut from.
inline Bytes plainSound() {
    Bytes d(200);
    for (size_t i = 0; i < d.size(); ++i)
        d[i] = static_cast<uint8_t>(128 + (i % 20) * 6);
    return waveFile({.data = d});
}

inline Bytes withField32(Bytes b, size_t at, uint32_t v) {
    put32(b, at, v);
    return b;
}

inline Bytes withField16(Bytes b, size_t at, uint16_t v) {
    put16(b, at, v);
    return b;
}

// A track whose header says 1 Hz, about as long as the game's music: converted as if every
// source frame lasted a second, it would take some 90 GB.
inline Bytes trackAtOneHertz() {
    return waveFile({.channels = 1, .rate = 1, .bits = 16, .data = extremes16(512 * 1024)});
}

// Sounds that must be refused.
inline std::vector<Named> damagedSounds() {
    const Bytes plain = plainSound();
    return {
        {"rate-1-hz", waveFile({.rate = 1, .bits = 16, .data = extremes16(64)})},
        {"rate-0-hz", withField32(plain, kRateAt, 0)},
        {"rate-999-hz", withField32(plain, kRateAt, 999)},
        {"rate-192001-hz", withField32(plain, kRateAt, 192001)},
        {"channels-0", withField16(plain, kChannelsAt, 0)},
        {"channels-3", waveFile({.channels = 3, .data = Bytes(30, 128)})},
        {"bits-0", withField16(plain, kBitsAt, 0)},
        {"bits-12", waveFile({.bits = 12, .data = Bytes(30, 0)})},
        {"format-9", waveFile({.tag = 9, .data = Bytes(30, 128)})},
        // 46 bytes that announce a data chunk of 4 GiB.
        {"data-4-gib", withField32(waveFile({.data = {128, 128}}), kDataLengthAt, 0xFFFFFFFFU)},
        {"data-past-end", withField32(plain, kDataLengthAt, 1000)},
        {"riff-past-end", withField32(plain, kRiffLengthAt, 1000)},
        {"no-samples", waveFile({.data = {}})},
        {"truncated-0", truncated(plain, 0)},
        {"truncated-14", truncated(plain, 14)},
        {"truncated-44", truncated(plain, 44)},
        {"truncated-54", truncated(plain, 54)},
        {"truncated-half", truncated(plain, plain.size() / 2)},
        {"garbage", garbage("RIFF", 64)},
        // One frame at 96000 Hz: resampled to 44100 Hz, nothing is left.
        {"resampled-to-nothing", waveFile({.rate = 96000, .data = {200}})},
    };
}

// Short sounds that are valid as they are.
inline std::vector<Named> shortSounds() {
    const Bytes plain = waveFile({.data = Bytes(10, 200)});
    const Bytes trailing = spliced(plain, plain.size(), {'j', 'u', 'n', 'k'});  // after the RIFF
    // A 3-byte chunk and its pad byte before the data.
    Bytes oddChunk = spliced(plain, 36, {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0});
    put32(oddChunk, kRiffLengthAt, static_cast<uint32_t>(oddChunk.size() - 8));
    return {
        {"one-frame", waveFile({.data = {200}})},
        {"half-a-frame-over", waveFile({.channels = 2, .bits = 16, .data = Bytes(7, 0)})},
        {"eleven-khz", waveFile({.rate = 11025, .data = Bytes(10, 200)})},
        {"trailing-bytes", trailing},
        {"odd-chunk", oddChunk},
        {"rate-48000", waveFile({.rate = 48000, .data = Bytes(480, 200)})},
        {"float-stereo",
         waveFile({.tag = 3, .channels = 2, .rate = 44100, .bits = 32, .data = halves(2 * 10)})},
    };
}

// --- pictures

constexpr size_t kBmpHeader = 54;
constexpr size_t kOffsetAt = 10, kWidthAt = 18, kHeightAt = 22, kDepthAt = 28, kCompressionAt = 30;

// A 24-bit BMP of width × height (rows bottom-up) filled with a colour ramp.
inline Bytes bmpFile(int32_t width, int32_t height) {
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
    const size_t rows = static_cast<size_t>(height < 0 ? -height : height);
    Bytes b(kBmpHeader + stride * rows);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, static_cast<uint32_t>(b.size()));
    put32(b, kOffsetAt, kBmpHeader);
    put32(b, 14, 40);
    put32(b, kWidthAt, static_cast<uint32_t>(width));
    put32(b, kHeightAt, static_cast<uint32_t>(height));
    put16(b, 26, 1);
    put16(b, kDepthAt, 24);
    put32(b, 34, static_cast<uint32_t>(stride * rows));
    for (size_t i = kBmpHeader; i < b.size(); ++i)
        b[i] = static_cast<uint8_t>(i * 7);
    return b;
}

// Pictures that must be refused.
inline std::vector<Named> damagedPictures() {
    const Bytes plain = bmpFile(4, 3);
    return {
        {"truncated-0", truncated(plain, 0)},
        {"truncated-14", truncated(plain, 14)},
        {"truncated-54", truncated(plain, 54)},
        {"truncated-half", truncated(plain, plain.size() / 2)},
        {"garbage", garbage("", 90)},
        {"garbage-after-bm", garbage("BM", 90)},
        {"width-0", withField32(plain, kWidthAt, 0)},
        {"width-negative", withField32(plain, kWidthAt, static_cast<uint32_t>(-4))},
        // Top-down rows, one more than the file holds.
        {"height-negative", withField32(plain, kHeightAt, static_cast<uint32_t>(-4))},
        {"height-most-negative", withField32(plain, kHeightAt, 0x80000000U)},
        {"width-2147483647", withField32(plain, kWidthAt, 0x7FFFFFFFU)},
        {"bits-0", withField16(plain, kDepthAt, 0)},
        {"offset-past-end", withField32(plain, kOffsetAt, 1000)},
        // Run-length pixels that claim a picture far bigger than their runs can fill.
        {"rle-4000x4000-in-a-few-bytes",
         withField32(withField16(withField32(withField32(plain, kWidthAt, 4000), kHeightAt, 4000),
                                 kDepthAt, 8),
                     kCompressionAt, 1)},
    };
}

}  // namespace pelea::damaged
