#include "media/loaders.h"

#include <SDL.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <atomic>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

namespace media {

namespace {

constexpr uint64_t kMaxFileBytes = 512ULL * 1024 * 1024;
constexpr long long kMaxPixels = 16LL * 1024 * 1024;  // 4096 × 4096; the game's largest is 0.8 M
// A run of RLE takes two bytes for at most 255 pixels: a file cannot honestly fill more.
constexpr uint64_t kRlePixelsPerByte = 128;
// A decoded sound holds at most this many bytes (about six minutes at 44100 Hz).
constexpr uint64_t kMaxSoundBytes = 64ULL * 1024 * 1024;
// SDL's converter works in 32-bit floats with room for its worst rounding of the rate ratio.
constexpr uint64_t kMaxConverterBytes = 4 * kMaxSoundBytes;
constexpr uint32_t kMinRate = 1000;
constexpr uint32_t kMaxRate = 192000;
constexpr size_t kMaxReportedLines = 256;
// Names whose decoded content is kept (the game uses about fifty), and the bytes kept at most:
// the three tracks decoded take 22 MB, the twelve sheets 35 MB.
constexpr size_t kMaxKeptFiles = 256;
constexpr size_t kKeptPictureBytes = 32ULL * 1024 * 1024;
constexpr size_t kKeptSoundBytes = 32ULL * 1024 * 1024;

std::atomic<uint64_t> filesAskedSoFar{0}, filesReadSoFar{0};

// --- reading a file and reporting it

uint16_t readLe16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t readLe32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// A file that does not exist (nor its folder) is missing; any other failure is said with the
// system's own words ("Permission denied", "Is a directory").
enum class ReadResult { Ok, Missing, Failed };

ReadResult failedWith(int error, std::string& why) {
    why = std::strerror(error);
    return ReadResult::Failed;
}

ReadResult readBytes(int fd, size_t n, std::vector<uint8_t>& out, std::string& why) {
    out.resize(n);
    size_t got = 0;
    while (got < n) {
        const ssize_t r = ::read(fd, out.data() + got, n - got);
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) return failedWith(errno, why);
        if (r == 0) break;
        got += static_cast<size_t>(r);
    }
    if (got != n) {
        why = "it changed while it was read";
        return ReadResult::Failed;
    }
    return ReadResult::Ok;
}

ReadResult readWhole(const std::string& path, std::vector<uint8_t>& out, std::string& why) {
    if (path.empty()) return ReadResult::Missing;
    filesReadSoFar.fetch_add(1, std::memory_order_relaxed);
    // Not blocking: a pipe put in a file's place is refused instead of waited on.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return ReadResult::Missing;
        return failedWith(errno, why);
    }
    struct stat st {};
    ReadResult result = ReadResult::Ok;
    if (::fstat(fd, &st) != 0) {
        result = failedWith(errno, why);
    } else if (S_ISDIR(st.st_mode)) {
        result = failedWith(EISDIR, why);
    } else if (!S_ISREG(st.st_mode)) {
        why = "not a regular file";
        result = ReadResult::Failed;
    } else if (static_cast<uint64_t>(st.st_size) > kMaxFileBytes) {
        why = "larger than 512 MiB";
        result = ReadResult::Failed;
    } else {
        result = readBytes(fd, static_cast<size_t>(st.st_size), out, why);
    }
    ::close(fd);
    return result;
}

// SDL's reason for its last failure; never empty, since an empty reason means success here.
std::string sdlError() {
    const char* e = SDL_GetError();
    return e != nullptr && *e != '\0' ? e : "SDL cannot read it";
}

// One line per file and complaint: a file the game tries again (the same track drawn for a
// later match, one sheet for both fighters) is not reported again while it stays as it was.
void report(const std::string& path, const std::string& why) {
    static std::mutex lock;
    static std::set<std::string> said;
    const std::string line = "pelea: skipping \"" + path + "\": " + why + "\n";
    {
        const std::lock_guard<std::mutex> guard(lock);
        if (said.count(line) != 0) return;
        if (said.size() < kMaxReportedLines) said.insert(line);
    }
    std::fputs(line.c_str(), stderr);
}

// --- decoded files kept by name

// What tells one file from another without reading it: a file replaced or rewritten under the
// same name has another inode, size or change time.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long modifiedNs = 0, changedNs = 0;
    bool operator==(const FileIdentity&) const = default;
};

// The identity of the regular file of this name; false when there is none (the file is then
// read, and says why it cannot be).
bool identify(const std::string& path, FileIdentity& id) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    id.device = st.st_dev;
    id.inode = st.st_ino;
    id.size = st.st_size;
    id.modifiedNs = st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;
    id.changedNs = st.st_ctim.tv_sec * 1000000000LL + st.st_ctim.tv_nsec;
    return true;
}

// The files do not change while the game runs, so each is read and decoded once: a match
// start run again after a rollback reads nothing. One entry a name; a file of that name that is
// another (another folder, rewritten) replaces it. An invalid file is kept as such, and said once.
// What is kept is bounded: past the budget the entries used longest ago go (a frame run again
// loads what its live frame just loaded, which stays), so a session that meets every character
// holds some 30 MB of pictures, not all 35 of the sheets.
template <typename T>
class Kept {
public:
    struct Entry {
        FileIdentity id;
        bool valid = false;
        std::shared_ptr<const T> content;
        size_t bytes = 0;
        uint64_t used = 0;
    };
    explicit Kept(size_t budget) : budget_(budget) {}
    bool find(const std::string& path, const FileIdentity& id, Entry& out) {
        const std::lock_guard<std::mutex> guard(lock_);
        const auto it = entries_.find(path);
        if (it == entries_.end() || !(it->second.id == id)) return false;
        it->second.used = ++clock_;
        out = it->second;
        return true;
    }
    void keep(const std::string& path, Entry e) {
        const std::lock_guard<std::mutex> guard(lock_);
        if (const auto it = entries_.find(path); it != entries_.end()) {
            held_ -= it->second.bytes;
            entries_.erase(it);
        }
        while (!entries_.empty() && (held_ + e.bytes > budget_ || entries_.size() >= kMaxKeptFiles)) {
            auto oldest = entries_.begin();
            for (auto it = entries_.begin(); it != entries_.end(); ++it)
                if (it->second.used < oldest->second.used) oldest = it;
            held_ -= oldest->second.bytes;
            entries_.erase(oldest);
        }
        if (e.bytes > budget_) return;
        e.used = ++clock_;
        held_ += e.bytes;
        entries_[path] = std::move(e);
    }

private:
    std::mutex lock_;
    std::map<std::string, Entry> entries_;
    size_t budget_, held_ = 0;
    uint64_t clock_ = 0;
};

// --- pictures

constexpr size_t kBmpFileHeader = 14;
constexpr uint32_t kCoreHeaderSize = 12;  // the old header with 16-bit sizes
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2;

struct BmpHeader {
    uint32_t offset = 0, headerSize = 0, compression = kBiRgb;
    long long width = 0, height = 0;  // height negative for rows stored top-down
    uint16_t bits = 0;
};

std::string readBmpHeader(const uint8_t* d, size_t size, BmpHeader& h) {
    if (size < kBmpFileHeader + 4) return "the file is too short";
    if (d[0] != 'B' || d[1] != 'M') return "it does not start with \"BM\"";
    h.offset = readLe32(d + 10);
    h.headerSize = readLe32(d + kBmpFileHeader);
    if (h.headerSize != kCoreHeaderSize && h.headerSize < kInfoHeaderSize) {
        return "unknown header size " + std::to_string(h.headerSize);
    }
    if (h.headerSize > size - kBmpFileHeader) return "the header runs past the end of the file";
    const uint8_t* p = d + kBmpFileHeader + 4;
    if (h.headerSize == kCoreHeaderSize) {
        h.width = readLe16(p);
        h.height = readLe16(p + 2);
        h.bits = readLe16(p + 6);
    } else {
        h.width = static_cast<int32_t>(readLe32(p));
        h.height = static_cast<int32_t>(readLe32(p + 4));
        h.bits = readLe16(p + 10);
        h.compression = readLe32(p + 12);
    }
    return "";
}

bool knownDepth(uint16_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Refuses sizes, depths and offsets the file cannot hold before SDL allocates for them.
std::string checkBmpHeader(const BmpHeader& h, size_t size) {
    if (h.width <= 0) return "width " + std::to_string(h.width);
    // The most negative height has no positive counterpart.
    if (h.height == 0 || h.height == INT32_MIN) return "height " + std::to_string(h.height);
    if (!knownDepth(h.bits)) return std::to_string(h.bits) + " bits per pixel";
    const long long rows = h.height < 0 ? -h.height : h.height;
    if (h.width * rows > kMaxPixels) {
        return std::to_string(h.width) + " x " + std::to_string(rows) + " pixels is too large";
    }
    if (h.offset > size) return "its pixels start past the end of the file";
    if (h.compression == kBiRle8 || h.compression == kBiRle4) {
        const uint64_t pixels = static_cast<uint64_t>(h.width) * static_cast<uint64_t>(rows);
        if (pixels > kRlePixelsPerByte * (size - h.offset)) {
            return "its " + std::to_string(size - h.offset) + " bytes of runs cannot fill " +
                   std::to_string(pixels) + " pixels";
        }
        return "";
    }
    // Uncompressed rows are padded to 4 bytes, so the size of the pixel data is known.
    const uint64_t stride = (static_cast<uint64_t>(h.width) * h.bits + 31) / 32 * 4;
    const uint64_t need = stride * static_cast<uint64_t>(rows);
    if (need > size - h.offset) {
        return "its pixels need " + std::to_string(need) + " bytes, the file holds " +
               std::to_string(size - h.offset);
    }
    return "";
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

std::string decodeBmp(const uint8_t* data, size_t size, Picture& out) {
    if (data == nullptr || size == 0) return "the file is empty";
    if (size > kMaxFileBytes) return "larger than 512 MiB";
    BmpHeader h;
    std::string why = readBmpHeader(data, size, h);
    if (why.empty()) why = checkBmpHeader(h, size);
    if (!why.empty()) return why;
    SDL_RWops* rw = SDL_RWFromConstMem(data, static_cast<int>(size));
    if (rw == nullptr) return sdlError();
    SDL_Surface* loaded = SDL_LoadBMP_RW(rw, 1);
    if (loaded == nullptr) return sdlError();
    SDL_Surface* rgb32 = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB888, 0);
    SDL_FreeSurface(loaded);
    if (rgb32 == nullptr) return sdlError();
    if (rgb32->w > 0 && rgb32->h > 0) {
        if (SDL_MUSTLOCK(rgb32)) SDL_LockSurface(rgb32);
        copyPixels(rgb32, out);
        if (SDL_MUSTLOCK(rgb32)) SDL_UnlockSurface(rgb32);
    } else {
        why = "it holds no pixels";
    }
    SDL_FreeSurface(rgb32);
    return why;
}

// --- sounds: the RIFF chunks

constexpr size_t kChunkHeader = 8;
constexpr size_t kRiffHeader = 12;
constexpr uint32_t kFmtMin = 16;
constexpr uint32_t kFmtExtensible = 40;
constexpr uint16_t kTagPcm = 1, kTagAdpcm = 2, kTagFloat = 3, kTagAlaw = 6, kTagMulaw = 7,
                   kTagImaAdpcm = 0x11, kTagExtensible = 0xFFFE;

struct WaveFormat {
    uint16_t tag = 0, channels = 0, blockAlign = 0, bits = 0;
    uint32_t rate = 0;
};

struct WaveFile {
    size_t riffEnd = 0;  // the bytes the RIFF chunk covers, its header included
    const uint8_t* fmt = nullptr;
    uint32_t fmtLength = 0;
    const uint8_t* data = nullptr;
    uint32_t dataLength = 0;
};

std::string chunkName(const uint8_t* p) {
    std::string name;
    for (int i = 0; i < 4; ++i)
        name += p[i] >= 0x20 && p[i] < 0x7F ? static_cast<char>(p[i]) : '?';
    return name;
}

std::string promised(const std::string& what, uint64_t length, uint64_t there) {
    return what + " promises " + std::to_string(length) + " bytes, only " + std::to_string(there) +
           " are there";
}

// Walks the chunks inside the RIFF chunk; every length is checked against the bytes there.
std::string findChunks(const uint8_t* d, size_t size, WaveFile& w) {
    if (size < kRiffHeader) return "the file is too short";
    if (std::memcmp(d, "RIFF", 4) != 0 || std::memcmp(d + 8, "WAVE", 4) != 0) {
        return "it is not a RIFF WAVE file";
    }
    const uint32_t riffLength = readLe32(d + 4);
    if (riffLength < 4) return "its RIFF chunk is too short";
    if (riffLength > size - kChunkHeader) {
        return promised("the RIFF chunk", riffLength, size - kChunkHeader);
    }
    w.riffEnd = kChunkHeader + riffLength;
    for (size_t at = kRiffHeader; at < w.riffEnd && w.riffEnd - at >= kChunkHeader;) {
        const uint32_t length = readLe32(d + at + 4);
        const size_t there = w.riffEnd - at - kChunkHeader;
        if (length > there) return promised("chunk \"" + chunkName(d + at) + "\"", length, there);
        const uint8_t* body = d + at + kChunkHeader;
        if (w.fmt == nullptr && std::memcmp(d + at, "fmt ", 4) == 0) {
            w.fmt = body;
            w.fmtLength = length;
        } else if (w.data == nullptr && std::memcmp(d + at, "data", 4) == 0) {
            w.data = body;
            w.dataLength = length;
        }
        // A chunk of odd length is followed by a pad byte.
        at += kChunkHeader + length + (length & 1U);
    }
    if (w.fmt == nullptr) return "it has no format chunk";
    if (w.fmtLength < kFmtMin) return "its format chunk is too short";
    if (w.data == nullptr) return "it has no data chunk";
    return "";
}

WaveFormat readFormat(const WaveFile& w) {
    WaveFormat f;
    f.tag = readLe16(w.fmt);
    f.channels = readLe16(w.fmt + 2);
    f.rate = readLe32(w.fmt + 4);
    f.blockAlign = readLe16(w.fmt + 12);
    f.bits = readLe16(w.fmt + 14);
    // The extensible format names the real one in the first two bytes of its sub-format.
    if (f.tag == kTagExtensible && w.fmtLength >= kFmtExtensible) f.tag = readLe16(w.fmt + 24);
    return f;
}

// --- sounds: what is played

// The sample sizes SDL's decoder reads for each format.
bool knownEncoding(const WaveFormat& f) {
    switch (f.tag) {
        case kTagPcm:
            return f.bits == 8 || f.bits == 16 || f.bits == 24 || f.bits == 32;
        case kTagFloat:
            return f.bits == 32;
        case kTagAdpcm:
        case kTagImaAdpcm:
            return f.bits == 4;
        case kTagAlaw:
        case kTagMulaw:
            return f.bits == 8;
        default:
            return false;
    }
}

bool knownTag(uint16_t tag) {
    return tag == kTagPcm || tag == kTagFloat || tag == kTagAdpcm || tag == kTagImaAdpcm ||
           tag == kTagAlaw || tag == kTagMulaw;
}

bool plainPcm(const WaveFormat& f) {
    return f.tag == kTagPcm && (f.bits == 8 || f.bits == 16);
}

std::string checkFormat(const WaveFormat& f) {
    if (!knownTag(f.tag)) return "format " + std::to_string(f.tag) + " is not supported";
    if (f.channels != 1 && f.channels != 2) {
        return std::to_string(f.channels) + " channels (1 or 2 are played)";
    }
    if (f.rate < kMinRate || f.rate > kMaxRate) {
        return "a rate of " + std::to_string(f.rate) + " Hz is outside 1000-192000 Hz";
    }
    if (!knownEncoding(f)) return std::to_string(f.bits) + "-bit samples are not supported";
    const bool fixedBlock = f.tag == kTagPcm || f.tag == kTagFloat;
    if (fixedBlock && f.blockAlign != f.channels * f.bits / 8) {
        return "a block of " + std::to_string(f.blockAlign) + " bytes does not match its samples";
    }
    return "";
}

// The source frames the data chunk holds (for ADPCM, at most: two samples a byte).
uint64_t sourceFrames(const WaveFormat& f, uint32_t dataLength) {
    if (f.tag == kTagAdpcm || f.tag == kTagImaAdpcm) return uint64_t{dataLength} * 2 / f.channels;
    return dataLength / (f.channels * f.bits / 8U);
}

uint64_t outputBytes(uint64_t frames, uint32_t rate) {
    const uint64_t out = (frames * SoundData::kRate + rate - 1) / rate;
    return out * SoundData::kChannels * sizeof(int16_t);
}

std::string checkLength(uint64_t frames, uint32_t rate) {
    if (frames == 0) return "it holds no samples";
    const uint64_t bytes = outputBytes(frames, rate);
    if (bytes > kMaxSoundBytes) {
        return "decoded it would take " + std::to_string(bytes >> 20) + " MiB (64 at most)";
    }
    return "";
}

// --- sounds: conversion to signed 16-bit stereo at 44100 Hz

// Sample c of frame f of 8-bit unsigned or 16-bit signed PCM, as a 16-bit value (mono is
// doubled).
template <bool U8, size_t Channels>
int pcmSample(const uint8_t* buf, size_t f, size_t c) {
    const size_t k = f * Channels + (Channels == 1 ? 0 : c);
    if constexpr (U8) return (buf[k] - 128) * 256;
    return static_cast<int16_t>(readLe16(buf + 2 * k));
}

// The largest step between two samples times the largest ratio of rates stays within an int.
static_assert(65535LL * (SoundData::kRate / kMinRate) <= INT_MAX);

template <bool U8, size_t Channels>
void interpolate(const uint8_t* buf, size_t frames, int ratio, int16_t* o) {
    for (size_t i = 0; i < frames; ++i) {
        const size_t next = i + 1 < frames ? i + 1 : i;
        const int a0 = pcmSample<U8, Channels>(buf, i, 0);
        const int a1 = pcmSample<U8, Channels>(buf, i, 1);
        const int d0 = pcmSample<U8, Channels>(buf, next, 0) - a0;
        const int d1 = pcmSample<U8, Channels>(buf, next, 1) - a1;
        for (int r = 0; r < ratio; ++r) {
            *o++ = static_cast<int16_t>(a0 + d0 * r / ratio);
            *o++ = static_cast<int16_t>(a1 + d1 * r / ratio);
        }
    }
}

// Plain PCM at a rate that divides 44100 (every built-in sound, every generated track) is
// converted here, interpolating linearly between source frames: SDL's general converter costs
// about 1.3 ms per second of sound, which would take most of the start-up budget.
void convertSimple(const uint8_t* buf, size_t frames, const WaveFormat& f, SoundData& out) {
    const int ratio = static_cast<int>(SoundData::kRate / f.rate);
    out.samples.resize(frames * static_cast<size_t>(ratio) * SoundData::kChannels);
    int16_t* o = out.samples.data();
    if (f.bits == 8) {
        f.channels == 1 ? interpolate<true, 1>(buf, frames, ratio, o)
                        : interpolate<true, 2>(buf, frames, ratio, o);
    } else {
        f.channels == 1 ? interpolate<false, 1>(buf, frames, ratio, o)
                        : interpolate<false, 2>(buf, frames, ratio, o);
    }
}

// Any other rate or sample format goes through SDL's one-shot converter. (The audio stream of
// SDL 2.26 loses the resampler's last block on flush.)
std::string convertGeneral(SDL_AudioFormat format, const WaveFormat& f, const uint8_t* buf,
                           uint32_t len, SoundData& out) {
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, format, static_cast<Uint8>(f.channels), static_cast<int>(f.rate),
                          AUDIO_S16SYS, SoundData::kChannels, SoundData::kRate) < 0) {
        return sdlError();
    }
    const uint64_t work = uint64_t{len} * static_cast<uint64_t>(cvt.len_mult);
    if (cvt.len_mult < 1 || work > kMaxConverterBytes) return "it is too long to convert";
    std::vector<Uint8> buffer(static_cast<size_t>(work));
    std::memcpy(buffer.data(), buf, len);
    cvt.buf = buffer.data();
    cvt.len = static_cast<int>(len);
    if (cvt.needed != 0 && SDL_ConvertAudio(&cvt) != 0) return sdlError();
    const int bytes = cvt.needed != 0 ? cvt.len_cvt : cvt.len;
    const size_t frames = static_cast<size_t>(bytes) / (sizeof(int16_t) * SoundData::kChannels);
    if (frames == 0) return "it holds no sound once converted to 44100 Hz";
    out.samples.resize(frames * SoundData::kChannels);
    std::memcpy(out.samples.data(), buffer.data(), out.samples.size() * sizeof(int16_t));
    return "";
}

std::string convertPcm(const WaveFormat& f, const uint8_t* buf, uint32_t len, SoundData& out) {
    const size_t frames = len / f.blockAlign;
    if (SoundData::kRate % f.rate == 0) {
        convertSimple(buf, frames, f, out);
        return "";
    }
    const SDL_AudioFormat format = f.bits == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    return convertGeneral(format, f, buf, static_cast<uint32_t>(frames * f.blockAlign), out);
}

// Compressed and wide samples are decoded by SDL, given only the bytes the RIFF chunk covers.
std::string decodeWithSdl(const uint8_t* data, const WaveFile& w, SoundData& out) {
    SDL_RWops* rw = SDL_RWFromConstMem(data, static_cast<int>(w.riffEnd));
    if (rw == nullptr) return sdlError();
    SDL_AudioSpec spec{};
    Uint8* buf = nullptr;
    Uint32 len = 0;
    if (SDL_LoadWAV_RW(rw, 1, &spec, &buf, &len) == nullptr) return sdlError();
    WaveFormat f;
    f.channels = spec.channels;
    f.rate = static_cast<uint32_t>(spec.freq);
    f.bits = static_cast<uint16_t>(SDL_AUDIO_BITSIZE(spec.format));
    f.tag = kTagPcm;
    f.blockAlign = static_cast<uint16_t>(f.channels * f.bits / 8);
    std::string why = checkFormat(f);
    if (why.empty()) why = checkLength(len / f.blockAlign, f.rate);
    if (why.empty()) {
        why = plainPcm(f) ? convertPcm(f, buf, len, out)
                          : convertGeneral(spec.format, f, buf, len - len % f.blockAlign, out);
    }
    SDL_FreeWAV(buf);
    return why;
}

std::string decodeWave(const uint8_t* data, size_t size, SoundData& out) {
    if (data == nullptr || size == 0) return "the file is empty";
    if (size > kMaxFileBytes) return "larger than 512 MiB";
    WaveFile w;
    std::string why = findChunks(data, size, w);
    if (!why.empty()) return why;
    const WaveFormat f = readFormat(w);
    why = checkFormat(f);
    if (why.empty()) why = checkLength(sourceFrames(f, w.dataLength), f.rate);
    if (!why.empty()) return why;
    return plainPcm(f) ? convertPcm(f, w.data, w.dataLength, out) : decodeWithSdl(data, w, out);
}

}  // namespace

bool fileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

bool pathExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::exists(path, ec);
}

bool decodePicture(const uint8_t* data, size_t size, Picture& out) {
    Picture decoded;
    if (!decodeBmp(data, size, decoded).empty()) return false;
    out = std::move(decoded);
    return true;
}

LoadResult loadPicture(const std::string& path, Picture& out) {
    filesAskedSoFar.fetch_add(1, std::memory_order_relaxed);
    static Kept<Picture> kept(kKeptPictureBytes);
    FileIdentity id;
    const bool identified = identify(path, id);
    Kept<Picture>::Entry entry;
    if (identified && kept.find(path, id, entry)) {
        if (!entry.valid) return LoadResult::Invalid;
        out = *entry.content;
        return LoadResult::Ok;
    }
    std::vector<uint8_t> bytes;
    std::string why;
    const ReadResult read = readWhole(path, bytes, why);
    if (read == ReadResult::Missing) return LoadResult::Missing;
    auto decoded = std::make_shared<Picture>();
    if (read == ReadResult::Ok) {
        why = decodeBmp(bytes.data(), bytes.size(), *decoded);
        if (!why.empty()) why = "not a valid BMP picture (" + why + ")";
        const size_t size = static_cast<size_t>(decoded->width()) *
                            static_cast<size_t>(decoded->height()) * sizeof(TColor);
        if (identified) kept.keep(path, {id, why.empty(), why.empty() ? decoded : nullptr, size});
    }
    if (!why.empty()) {
        report(path, why);
        return LoadResult::Invalid;
    }
    out = *decoded;
    return LoadResult::Ok;
}

bool decodeSound(const uint8_t* data, size_t size, SoundData& out) {
    SoundData decoded;
    if (!decodeWave(data, size, decoded).empty()) return false;
    out = std::move(decoded);
    return true;
}

LoadResult loadSound(const std::string& path, SoundData& out) {
    filesAskedSoFar.fetch_add(1, std::memory_order_relaxed);
    static Kept<SoundData> kept(kKeptSoundBytes);
    static std::atomic<uint64_t> lastSource{0};
    FileIdentity id;
    const bool identified = identify(path, id);
    Kept<SoundData>::Entry entry;
    if (identified && kept.find(path, id, entry)) {
        if (!entry.valid) return LoadResult::Invalid;
        // A track loaded again into the item that holds it (the next match, a match start run
        // again) is not copied again.
        const SoundData& s = *entry.content;
        if (out.source != s.source || out.samples.size() != s.samples.size()) out = s;
        return LoadResult::Ok;
    }
    std::vector<uint8_t> bytes;
    std::string why;
    const ReadResult read = readWhole(path, bytes, why);
    if (read == ReadResult::Missing) return LoadResult::Missing;
    auto decoded = std::make_shared<SoundData>();
    if (read == ReadResult::Ok) {
        why = decodeWave(bytes.data(), bytes.size(), *decoded);
        if (!why.empty()) why = "not a valid WAVE sound (" + why + ")";
        decoded->source = why.empty() ? ++lastSource : 0;
        const size_t size = decoded->samples.size() * sizeof(int16_t);
        if (identified) kept.keep(path, {id, why.empty(), why.empty() ? decoded : nullptr, size});
    }
    if (!why.empty()) {
        report(path, why);
        return LoadResult::Invalid;
    }
    out = *decoded;
    return LoadResult::Ok;
}

FileCounts fileCounts() {
    return {filesAskedSoFar.load(std::memory_order_relaxed),
            filesReadSoFar.load(std::memory_order_relaxed)};
}

}  // namespace media
