#include "media/loaders.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

namespace media {

namespace {

constexpr long long kMaxPixels = 64LL * 1024 * 1024;
constexpr uintmax_t kMaxFileBytes = 512ULL * 1024 * 1024;
constexpr size_t kBmpWidthOffset = 18;
constexpr size_t kBmpHeaderMin = 26;
constexpr uint32_t kCoreHeaderSize = 12;  // the old header with 16-bit sizes
constexpr size_t kDibSizeOffset = 14;

uint32_t readLe32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// Refuses headers announcing absurd sizes before SDL allocates for them.
bool plausibleBmpSize(const uint8_t* data, size_t size) {
    if (size < kBmpHeaderMin) return false;
    const uint8_t* p = data + kBmpWidthOffset;
    long long w = 0, h = 0;
    if (readLe32(data + kDibSizeOffset) == kCoreHeaderSize) {
        w = p[0] | (p[1] << 8);
        h = p[2] | (p[3] << 8);
    } else {
        w = std::llabs(static_cast<int32_t>(readLe32(p)));
        h = std::llabs(static_cast<int32_t>(readLe32(p + 4)));
    }
    return w * h <= kMaxPixels;
}

bool readWhole(const std::string& path, std::vector<uint8_t>& out) {
    std::error_code ec;
    const uintmax_t n = std::filesystem::file_size(path, ec);
    if (ec || n > kMaxFileBytes) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.resize(static_cast<size_t>(n));
    in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(n));
    return static_cast<uintmax_t>(in.gcount()) == n;
}

void reportInvalid(const std::string& path, const char* what) {
    std::fprintf(stderr, "pelea: skipping \"%s\": not a valid %s\n", path.c_str(), what);
}

void copyPixels(SDL_Surface* s, Picture& out) {
    out.setSize(s->w, s->h);
    for (int y = 0; y < s->h; ++y) {
        const auto* in = static_cast<const uint8_t*>(s->pixels) + static_cast<size_t>(y) * s->pitch;
        TColor* row = out.row(y);
        for (int x = 0; x < s->w; ++x) {
            uint32_t p = 0;
            std::memcpy(&p, in + static_cast<size_t>(x) * 4, 4);
            Uint8 r = 0, g = 0, b = 0;
            SDL_GetRGB(p, s->format, &r, &g, &b);
            row[x] = rgb(r, g, b);
        }
    }
}

// Plain PCM at 11025, 22050 or 44100 Hz (every built-in sound, every generated track) is
// converted here, interpolating linearly between source frames: SDL's general converter costs
// about 1.3 ms per second of sound, which would take most of the start-up budget.
bool convertSimple(const SDL_AudioSpec& spec, const Uint8* buf, Uint32 len, SoundData& out) {
    const bool u8 = spec.format == AUDIO_U8;
    if (!u8 && spec.format != AUDIO_S16LSB) return false;
    if (spec.channels != 1 && spec.channels != 2) return false;
    if (spec.freq <= 0 || SoundData::kRate % spec.freq != 0) return false;
    const int ratio = SoundData::kRate / spec.freq;
    const size_t channels = spec.channels;
    const size_t count = len / ((u8 ? 1 : 2) * channels) * channels;
    // The source as 16-bit values, both channels of every frame (mono is doubled).
    std::vector<int> in(count / channels * SoundData::kChannels);
    for (size_t i = 0, j = 0; i < count; i += channels, j += SoundData::kChannels) {
        for (size_t c = 0; c < SoundData::kChannels; ++c) {
            const size_t k = i + (channels == 1 ? 0 : c);
            in[j + c] = u8 ? (static_cast<int>(buf[k]) - 128) * 256
                           : static_cast<int16_t>(
                                 static_cast<uint16_t>(buf[2 * k] | (buf[2 * k + 1] << 8)));
        }
    }
    const size_t frames = in.size() / SoundData::kChannels;
    out.samples.resize(frames * static_cast<size_t>(ratio) * SoundData::kChannels);
    int16_t* o = out.samples.data();
    for (size_t f = 0; f < frames; ++f) {
        const int* a = &in[f * SoundData::kChannels];
        const int* b = f + 1 < frames ? a + SoundData::kChannels : a;
        for (int r = 0; r < ratio; ++r) {
            *o++ = static_cast<int16_t>(a[0] + (b[0] - a[0]) * r / ratio);
            *o++ = static_cast<int16_t>(a[1] + (b[1] - a[1]) * r / ratio);
        }
    }
    return true;
}

// Converts decoded WAVE data to signed 16-bit stereo at 44100 Hz. (The audio stream of SDL 2.26
// loses the resampler's last block on flush, so the one-shot converter is used.)
bool convert(const SDL_AudioSpec& spec, const Uint8* buf, Uint32 len, SoundData& out) {
    if (convertSimple(spec, buf, len, out)) return true;
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq, AUDIO_S16SYS,
                          SoundData::kChannels, SoundData::kRate) < 0) {
        return false;
    }
    if (static_cast<uintmax_t>(len) * static_cast<uintmax_t>(cvt.len_mult) > kMaxFileBytes) {
        return false;
    }
    std::vector<Uint8> work(static_cast<size_t>(len) * static_cast<size_t>(cvt.len_mult));
    std::memcpy(work.data(), buf, len);
    cvt.buf = work.data();
    cvt.len = static_cast<int>(len);
    if (cvt.needed != 0 && SDL_ConvertAudio(&cvt) != 0) return false;
    const int bytes = cvt.needed != 0 ? cvt.len_cvt : cvt.len;
    const size_t frames = static_cast<size_t>(bytes) / (sizeof(int16_t) * SoundData::kChannels);
    out.samples.resize(frames * SoundData::kChannels);
    std::memcpy(out.samples.data(), work.data(), out.samples.size() * sizeof(int16_t));
    return true;
}

}  // namespace

bool fileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

bool decodePicture(const uint8_t* data, size_t size, Picture& out) {
    if (data == nullptr || !plausibleBmpSize(data, size)) return false;
    SDL_RWops* rw = SDL_RWFromConstMem(data, static_cast<int>(size));
    if (rw == nullptr) return false;
    SDL_Surface* loaded = SDL_LoadBMP_RW(rw, 1);
    if (loaded == nullptr) return false;
    SDL_Surface* rgb32 = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB888, 0);
    SDL_FreeSurface(loaded);
    if (rgb32 == nullptr) return false;
    const bool ok = static_cast<long long>(rgb32->w) * rgb32->h <= kMaxPixels;
    if (ok) {
        if (SDL_MUSTLOCK(rgb32)) SDL_LockSurface(rgb32);
        copyPixels(rgb32, out);
        if (SDL_MUSTLOCK(rgb32)) SDL_UnlockSurface(rgb32);
    }
    SDL_FreeSurface(rgb32);
    return ok;
}

LoadResult loadPicture(const std::string& path, Picture& out) {
    if (!fileExists(path)) return LoadResult::Missing;
    std::vector<uint8_t> bytes;
    Picture decoded;
    if (!readWhole(path, bytes) || !decodePicture(bytes.data(), bytes.size(), decoded)) {
        reportInvalid(path, "BMP picture");
        return LoadResult::Invalid;
    }
    out = std::move(decoded);
    return LoadResult::Ok;
}

bool decodeSound(const uint8_t* data, size_t size, SoundData& out) {
    if (data == nullptr || size == 0 || size > kMaxFileBytes) return false;
    SDL_RWops* rw = SDL_RWFromConstMem(data, static_cast<int>(size));
    if (rw == nullptr) return false;
    SDL_AudioSpec spec{};
    Uint8* buf = nullptr;
    Uint32 len = 0;
    if (SDL_LoadWAV_RW(rw, 1, &spec, &buf, &len) == nullptr) return false;
    SoundData converted;
    const bool ok = len <= kMaxFileBytes && convert(spec, buf, len, converted);
    SDL_FreeWAV(buf);
    if (ok) out = std::move(converted);
    return ok;
}

LoadResult loadSound(const std::string& path, SoundData& out) {
    if (!fileExists(path)) return LoadResult::Missing;
    std::vector<uint8_t> bytes;
    SoundData decoded;
    if (!readWhole(path, bytes) || !decodeSound(bytes.data(), bytes.size(), decoded)) {
        reportInvalid(path, "WAVE sound");
        return LoadResult::Invalid;
    }
    out = std::move(decoded);
    return LoadResult::Ok;
}

}  // namespace media
