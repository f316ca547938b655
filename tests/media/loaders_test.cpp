#include "media/loaders.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "support/damaged_files.h"

namespace media {
namespace {

namespace fs = std::filesystem;

namespace damaged = pelea::damaged;

struct LoaderFiles : ::testing::Test {
    fs::path dir;
    void SetUp() override {
        std::string name = (fs::path(testing::TempDir()) / "pelea_loaders_XXXXXX").string();
        ASSERT_NE(mkdtemp(name.data()), nullptr);
        dir = name;
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string path(const char* name) const { return (dir / name).string(); }
    void write(const std::string& p, const std::vector<uint8_t>& bytes) const {
        std::ofstream(p, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    static std::vector<uint8_t> saveBmp(SDL_Surface* s) {
        std::vector<uint8_t> bytes(1 << 16);
        SDL_RWops* rw = SDL_RWFromMem(bytes.data(), static_cast<int>(bytes.size()));
        EXPECT_EQ(SDL_SaveBMP_RW(s, rw, 0), 0) << SDL_GetError();
        bytes.resize(static_cast<size_t>(SDL_RWtell(rw)));
        SDL_RWclose(rw);
        SDL_FreeSurface(s);
        return bytes;
    }
};

// The colours every test picture holds, 3 × 2, top row first.
const TColor kColours[6] = {rgb(254, 255, 255), kWhite,           rgb(10, 20, 30),
                            rgb(200, 0, 100),   rgb(0, 128, 255), rgb(1, 2, 3)};

SDL_Surface* pictureIn(Uint32 format) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 3, 2, 32, format);
    if (s->format->palette != nullptr) {
        SDL_Color pal[6];
        for (int i = 0; i < 6; ++i) {
            pal[i] = SDL_Color{static_cast<Uint8>(red(kColours[i])),
                               static_cast<Uint8>(green(kColours[i])),
                               static_cast<Uint8>(blue(kColours[i])), 255};
        }
        SDL_SetPaletteColors(s->format->palette, pal, 0, 6);
    }
    for (int i = 0; i < 6; ++i) {
        const SDL_Rect r{i % 3, i / 3, 1, 1};
        const Uint32 v = SDL_MapRGBA(s->format, static_cast<Uint8>(red(kColours[i])),
                                     static_cast<Uint8>(green(kColours[i])),
                                     static_cast<Uint8>(blue(kColours[i])), 255);
        SDL_FillRect(s, &r, v);
    }
    return s;
}

// A 24-bit BMP by hand; rows bottom-up unless topDown (negative height).
std::vector<uint8_t> handBmp24(bool topDown) {
    const int w = 3, h = 2, stride = 12, dataSize = stride * h;
    std::vector<uint8_t> b(54 + dataSize, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, static_cast<uint32_t>(b.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, w);
    put32(22, static_cast<uint32_t>(topDown ? -h : h));
    b[26] = 1;
    b[28] = 24;
    put32(34, static_cast<uint32_t>(dataSize));
    for (int y = 0; y < h; ++y) {
        const int fileRow = topDown ? y : h - 1 - y;
        for (int x = 0; x < w; ++x) {
            const TColor c = kColours[y * 3 + x];
            const size_t at = 54 + static_cast<size_t>(fileRow * stride + x * 3);
            b[at] = static_cast<uint8_t>(blue(c));
            b[at + 1] = static_cast<uint8_t>(green(c));
            b[at + 2] = static_cast<uint8_t>(red(c));
        }
    }
    return b;
}

TEST_F(LoaderFiles, PicturesOfEveryDepthAndOrder) {
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {"pal8.bmp", saveBmp(pictureIn(SDL_PIXELFORMAT_INDEX8))},
        {"rgb24.bmp", saveBmp(pictureIn(SDL_PIXELFORMAT_BGR24))},
        {"argb32.bmp", saveBmp(pictureIn(SDL_PIXELFORMAT_ARGB8888))},
        {"bottomup.bmp", handBmp24(false)},
        {"topdown.bmp", handBmp24(true)},
    };
    for (const Case& c : cases) {
        write(path(c.name), c.bytes);
        Picture p;
        ASSERT_EQ(loadPicture(path(c.name), p), LoadResult::Ok) << c.name;
        ASSERT_EQ(p.width(), 3) << c.name;
        ASSERT_EQ(p.height(), 2) << c.name;
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(p.pixel(i % 3, i / 3), kColours[i]) << c.name << " pixel " << i;
        }
    }
}

TEST_F(LoaderFiles, MissingIsSilentAndInvalidSaysOneLine) {
    const std::vector<uint8_t> good = handBmp24(false);
    std::vector<uint8_t> huge = good;
    huge[18] = huge[19] = 0;  // 1 048 576 × 1 048 576 announced
    huge[20] = 16;
    huge[22] = huge[23] = 0;
    huge[24] = 16;
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    const Case invalid[] = {
        {"text.bmp", {'n', 'o', 't', ' ', 'a', ' ', 'b', 'm', 'p'}},
        {"empty.bmp", {}},
        {"truncated.bmp", std::vector<uint8_t>(good.begin(), good.begin() + 40)},
        {"huge.bmp", huge},
    };
    for (const Case& c : invalid) {
        write(path(c.name), c.bytes);
        Picture p(2, 2, kBlack);
        testing::internal::CaptureStderr();
        EXPECT_EQ(loadPicture(path(c.name), p), LoadResult::Invalid) << c.name;
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find(path(c.name)), std::string::npos) << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_EQ(p.width(), 2) << c.name;  // left as it was
    }
    Picture p(2, 2, kBlack);
    SoundData snd;
    testing::internal::CaptureStderr();
    EXPECT_EQ(loadPicture(path("absent.bmp"), p), LoadResult::Missing);
    EXPECT_EQ(loadSound(path("absent.wav"), snd), LoadResult::Missing);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(p.width(), 2);
}

TEST_F(LoaderFiles, TruncatedPixelDataDoesNotReadPastTheBuffer) {
    const std::vector<uint8_t> good = handBmp24(false);
    for (size_t n = 0; n <= good.size(); ++n) {
        Picture p(1, 1, kBlack);
        // Every byte of the 78 is needed, the last row's padding included.
        const bool whole = n == good.size();
        EXPECT_EQ(decodePicture(good.data(), n, p), whole) << n << " bytes";
        EXPECT_EQ(p.width(), whole ? 3 : 1) << n << " bytes";
        if (whole) {
            EXPECT_EQ(p.pixel(2, 1), kColours[5]);
        }
    }
}

TEST_F(LoaderFiles, SoundsBecomeSixteenBitStereoAt44100) {
    // 0.1 s at 22050 Hz of a constant level 72 steps above the 8-bit midpoint.
    const std::vector<uint8_t> bytes = damaged::waveFile({.data = damaged::Bytes(2205, 200)});
    write(path("beep.wav"), bytes);
    SoundData s;
    ASSERT_EQ(loadSound(path("beep.wav"), s), LoadResult::Ok);
    EXPECT_NEAR(static_cast<double>(s.frames()), 4410.0, 50.0);
    const size_t mid = s.frames() / 2 * 2;
    EXPECT_NEAR(s.samples[mid], 72 * 256, 600);
    EXPECT_EQ(s.samples[mid], s.samples[mid + 1]);  // both channels

    SoundData fromMemory;
    EXPECT_TRUE(decodeSound(bytes.data(), bytes.size(), fromMemory));
    EXPECT_EQ(fromMemory.samples, s.samples);

    write(path("noise.wav"), {'R', 'I', 'F', 'F', 1, 2, 3});
    testing::internal::CaptureStderr();
    EXPECT_EQ(loadSound(path("noise.wav"), s), LoadResult::Invalid);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("noise.wav"), std::string::npos);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
    EXPECT_NEAR(static_cast<double>(s.frames()), 4410.0, 50.0);  // left as it was
}

// Watches SDL's allocations while it lives: the largest single request, and how many are held.
class SdlAllocations {
public:
    SdlAllocations() {
        SDL_ClearError();  // SDL keeps one error buffer per thread, made on first use
        SDL_GetMemoryFunctions(&real().malloc, &real().calloc, &real().realloc, &real().free);
        largest() = 0;
        SDL_SetMemoryFunctions(countMalloc, countCalloc, countRealloc, real().free);
        held_ = SDL_GetNumAllocations();
    }
    ~SdlAllocations() {
        SDL_SetMemoryFunctions(real().malloc, real().calloc, real().realloc, real().free);
    }
    size_t largestRequest() const { return largest(); }
    int stillHeld() const { return SDL_GetNumAllocations() - held_; }

private:
    struct Functions {
        SDL_malloc_func malloc = nullptr;
        SDL_calloc_func calloc = nullptr;
        SDL_realloc_func realloc = nullptr;
        SDL_free_func free = nullptr;
    };
    static Functions& real() {
        static Functions f;
        return f;
    }
    static size_t& largest() {
        static size_t n = 0;
        return n;
    }
    static void note(size_t n) { largest() = std::max(largest(), n); }
    static void* SDLCALL countMalloc(size_t n) {
        note(n);
        return real().malloc(n);
    }
    static void* SDLCALL countCalloc(size_t k, size_t n) {
        note(k * n);
        return real().calloc(k, n);
    }
    static void* SDLCALL countRealloc(void* p, size_t n) {
        note(n);
        return real().realloc(p, n);
    }
    int held_ = 0;
};

// SDL makes its resampling filter on the first conversion between rates and keeps it.
void warmUpResampler() {
    const damaged::Bytes wav = damaged::waveFile({.rate = 48000, .data = damaged::Bytes(48, 128)});
    SoundData s;
    ASSERT_TRUE(decodeSound(wav.data(), wav.size(), s));
}

const damaged::Bytes& bytesNamed(const std::vector<damaged::Named>& list, const std::string& n) {
    const auto it = std::find_if(list.begin(), list.end(),
                                 [&n](const damaged::Named& f) { return f.name == n; });
    if (it == list.end()) throw std::runtime_error("no reproducer named " + n);
    return it->bytes;
}

size_t lineCount(const std::string& text) {
    return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST_F(LoaderFiles, DamagedSoundsAreRefusedWithOneLine) {
    struct Case {
        const char* name;
        const char* why;  // words of the one line
    };
    const Case cases[] = {
        {"rate-1-hz", "rate of 1 Hz"},
        {"rate-0-hz", "rate of 0 Hz"},
        {"rate-999-hz", "rate of 999 Hz"},
        {"rate-192001-hz", "rate of 192001 Hz"},
        {"channels-0", "0 channels"},
        {"channels-3", "3 channels"},
        {"bits-0", "0-bit samples"},
        {"bits-12", "12-bit samples"},
        {"format-9", "format 9"},
        {"data-4-gib", "\"data\" promises 4294967295 bytes, only 2 are there"},
        // 200 samples in a file of 244 bytes: 200 behind the data chunk's header.
        {"data-past-end", "\"data\" promises 1000 bytes, only 200 are there"},
        {"riff-past-end", "RIFF chunk promises 1000 bytes, only 236 are there"},
        {"no-samples", "no samples"},
        {"truncated-0", "empty"},
        {"truncated-14", "RIFF chunk promises 236 bytes, only 6 are there"},
        {"truncated-44", "RIFF chunk promises 236 bytes, only 36 are there"},
        {"truncated-54", "RIFF chunk promises 236 bytes, only 46 are there"},
        {"truncated-half", "RIFF chunk promises 236 bytes, only 114 are there"},
        {"garbage", "not a RIFF WAVE file"},
        {"resampled-to-nothing", "no sound once converted"},
        {"track-at-1-hz", "rate of 1 Hz"},
    };
    std::vector<damaged::Named> sounds = damaged::damagedSounds();
    sounds.push_back({"track-at-1-hz", damaged::trackAtOneHertz()});
    ASSERT_EQ(std::size(cases), sounds.size()) << "a reproducer without its row";
    warmUpResampler();
    for (const Case& c : cases) {
        const damaged::Bytes& bytes = bytesNamed(sounds, c.name);
        const std::string file = path(c.name) + ".wav";
        write(file, bytes);
        const std::vector<int16_t> before = {7, -7};
        SoundData s;
        s.samples = before;
        SdlAllocations sdl;
        testing::internal::CaptureStderr();
        // Loaded twice, as a track drawn again for the next match: said once.
        EXPECT_EQ(loadSound(file, s), LoadResult::Invalid) << c.name;
        EXPECT_EQ(loadSound(file, s), LoadResult::Invalid) << c.name;
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(lineCount(err), 1u) << err;
        EXPECT_EQ(err.rfind("pelea: skipping \"" + file + "\": not a valid WAVE sound (", 0), 0u)
            << err;
        EXPECT_NE(err.find(c.why), std::string::npos) << c.name << ": " << err;
        EXPECT_EQ(s.samples, before) << c.name << ": left as it was";
        EXPECT_FALSE(decodeSound(bytes.data(), bytes.size(), s)) << c.name;
        // Nothing is reserved for what the file does not hold, and nothing is kept.
        EXPECT_LE(sdl.largestRequest(), 64u * 1024) << c.name;
        EXPECT_EQ(sdl.stillHeld(), 0) << c.name;
    }
}

TEST_F(LoaderFiles, ShortSoundsLoadWithTheirLength) {
    // Each source frame at rate r lasts 44100 / r frames once converted; 8-bit 200 is 72 steps
    // above the midpoint, 72 × 256 = 18432.
    struct Case {
        const char* name;
        size_t frames;
        size_t within;
        int level;  // of the middle frame, both channels
    };
    const Case cases[] = {
        {"one-frame", 2, 0, 18432},
        {"half-a-frame-over", 2, 0, 0},  // 7 bytes of 16-bit stereo: one whole frame
        {"eleven-khz", 40, 0, 18432},
        {"trailing-bytes", 20, 0, 18432},
        {"odd-chunk", 20, 0, 18432},
        {"rate-48000", 441, 2, 18432},   // 10 ms
        {"float-stereo", 10, 0, 16384},  // 0.5 of full scale
    };
    const std::vector<damaged::Named> sounds = damaged::shortSounds();
    ASSERT_EQ(std::size(cases), sounds.size()) << "a sound without its row";
    warmUpResampler();
    for (const Case& c : cases) {
        const damaged::Bytes& bytes = bytesNamed(sounds, c.name);
        const std::string file = path(c.name) + ".wav";
        write(file, bytes);
        SoundData s;
        SdlAllocations sdl;
        testing::internal::CaptureStderr();
        ASSERT_EQ(loadSound(file, s), LoadResult::Ok) << c.name;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << c.name;
        EXPECT_NEAR(static_cast<double>(s.frames()), static_cast<double>(c.frames),
                    static_cast<double>(c.within))
            << c.name;
        EXPECT_LE(s.samples.capacity(), 2 * (c.frames + c.within)) << c.name;
        EXPECT_LE(sdl.largestRequest(), 64u * 1024) << c.name;
        EXPECT_EQ(sdl.stillHeld(), 0) << c.name;
        const size_t mid = s.frames() / 2 * 2;
        EXPECT_NEAR(s.samples[mid], c.level, 600) << c.name;
        EXPECT_EQ(s.samples[mid], s.samples[mid + 1]) << c.name;
    }
}

TEST_F(LoaderFiles, DamagedPicturesAreRefusedWithOneLine) {
    // The plain picture is 4 × 3 at 24 bits: rows of 12 bytes, 36 behind a 54-byte header.
    struct Case {
        const char* name;
        const char* why;
    };
    const Case cases[] = {
        {"truncated-0", "empty"},
        {"truncated-14", "too short"},
        {"truncated-54", "its pixels need 36 bytes, the file holds 0"},
        {"truncated-half", "header runs past the end"},
        {"garbage", "\"BM\""},
        {"garbage-after-bm", ""},
        {"width-0", "width 0"},
        {"width-negative", "width -4"},
        {"height-negative", "its pixels need 48 bytes, the file holds 36"},
        {"height-most-negative", "height -2147483648"},
        {"width-2147483647", "too large"},
        {"bits-0", "0 bits per pixel"},
        {"offset-past-end", "past the end"},
        {"rle-4000x4000-in-a-few-bytes", "cannot fill 16000000 pixels"},
    };
    const std::vector<damaged::Named> pictures = damaged::damagedPictures();
    ASSERT_EQ(std::size(cases), pictures.size()) << "a reproducer without its row";
    for (const Case& c : cases) {
        const damaged::Bytes& bytes = bytesNamed(pictures, c.name);
        const std::string file = path(c.name) + ".bmp";
        write(file, bytes);
        Picture p(2, 2, kBlack);
        SdlAllocations sdl;
        testing::internal::CaptureStderr();
        // Loaded twice, as a portrait for its plain and its mirrored item: said once.
        EXPECT_EQ(loadPicture(file, p), LoadResult::Invalid) << c.name;
        EXPECT_EQ(loadPicture(file, p), LoadResult::Invalid) << c.name;
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(lineCount(err), 1u) << err;
        EXPECT_EQ(err.rfind("pelea: skipping \"" + file + "\": not a valid BMP picture (", 0), 0u)
            << err;
        EXPECT_NE(err.find(c.why), std::string::npos) << c.name << ": " << err;
        EXPECT_EQ(p.width(), 2) << c.name << ": left as it was";
        EXPECT_FALSE(decodePicture(bytes.data(), bytes.size(), p)) << c.name;
        EXPECT_LE(sdl.largestRequest(), 64u * 1024) << c.name;
        EXPECT_EQ(sdl.stillHeld(), 0) << c.name;
    }
    // The undamaged picture they were made from loads.
    const damaged::Bytes plain = damaged::bmpFile(4, 3);
    Picture p;
    EXPECT_TRUE(decodePicture(plain.data(), plain.size(), p));
    EXPECT_EQ(p.width(), 4);
    EXPECT_EQ(p.height(), 3);
}

// A file is read once and then kept by name; a file of that name that is another (rewritten,
// or in another folder) is read again and gives its own content.
TEST_F(LoaderFiles, EachFileIsReadOnceUntilItIsAnother) {
    const std::string file = path("kept.bmp");
    fs::create_directory(path("other"));
    write(file, damaged::bmpFile(4, 3));
    write(path("other/kept.bmp"), damaged::bmpFile(5, 2));
    write(path("kept.wav"), damaged::plainSound());
    struct Case {
        const char* name;
        std::function<void()> before;
        std::string file;
        int width;
        uint64_t reads;
    };
    const Case cases[] = {
        {"first load", [] {}, file, 4, 1},
        {"again", [] {}, file, 4, 0},
        {"another folder", [] {}, path("other/kept.bmp"), 5, 1},
        {"the first again", [] {}, file, 4, 0},
        {"rewritten", [&] { write(file, damaged::bmpFile(7, 2)); }, file, 7, 1},
    };
    for (const Case& c : cases) {
        c.before();
        const uint64_t before = fileCounts().read;
        Picture p;
        ASSERT_EQ(loadPicture(c.file, p), LoadResult::Ok) << c.name;
        EXPECT_EQ(p.width(), c.width) << c.name;
        EXPECT_EQ(fileCounts().read - before, c.reads) << c.name;
    }
    // A sound loaded again into the item that holds it is the same sound, read once.
    SoundData s, copy;
    const uint64_t before = fileCounts().read;
    ASSERT_EQ(loadSound(path("kept.wav"), s), LoadResult::Ok);
    ASSERT_EQ(loadSound(path("kept.wav"), s), LoadResult::Ok);
    ASSERT_EQ(loadSound(path("kept.wav"), copy), LoadResult::Ok);
    EXPECT_EQ(fileCounts().read - before, 1u);
    EXPECT_NE(s.source, 0u);
    EXPECT_EQ(s.source, copy.source);
    EXPECT_EQ(s.samples, copy.samples);
    // Both items hold the one decoded copy, as does the kept file, and so do the pictures.
    EXPECT_EQ(std::as_const(s.samples).data(), std::as_const(copy.samples).data());
    Picture one, two;
    ASSERT_EQ(loadPicture(file, one), LoadResult::Ok);
    ASSERT_EQ(loadPicture(file, two), LoadResult::Ok);
    EXPECT_EQ(std::as_const(one).row(0), std::as_const(two).row(0));
    EXPECT_EQ(one.identity(), two.identity());
}

TEST_F(LoaderFiles, ReadErrorsNameTheSystemsReason) {
    fs::create_directory(path("folder.bmp"));
    fs::create_directory(path("folder.wav"));
    ASSERT_EQ(mkfifo(path("pipe.wav").c_str(), 0644), 0);
    write(path("locked.bmp"), handBmp24(false));
    write(path("locked.wav"), damaged::plainSound());
    for (const char* name : {"locked.bmp", "locked.wav"})
        fs::permissions(path(name), fs::perms::none);
    // Root reads a file whatever its permissions: then it loads.
    const bool readable = access(path("locked.bmp").c_str(), R_OK) == 0;
    struct Case {
        std::string file;
        LoadResult result;
        const char* why;  // the whole reason, as the system words it
    };
    const Case cases[] = {
        {path("folder.bmp"), LoadResult::Invalid, "Is a directory"},
        {path("folder.wav"), LoadResult::Invalid, "Is a directory"},
        {path("pipe.wav"), LoadResult::Invalid, "not a regular file"},  // not waited on
        {path("locked.bmp"), readable ? LoadResult::Ok : LoadResult::Invalid, "Permission denied"},
        {path("locked.wav"), readable ? LoadResult::Ok : LoadResult::Invalid, "Permission denied"},
        {path("locked.bmp") + "/inner.bmp", LoadResult::Missing, ""},  // no such file
    };
    for (const Case& c : cases) {
        const bool sound = c.file.ends_with(".wav");
        Picture p;
        SoundData s;
        testing::internal::CaptureStderr();
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(sound ? loadSound(c.file, s) : loadPicture(c.file, p), c.result) << c.file;
        }
        const std::string err = testing::internal::GetCapturedStderr();
        const std::string line = "pelea: skipping \"" + c.file + "\": " + c.why + "\n";
        EXPECT_EQ(err, c.result == LoadResult::Invalid ? line : "") << c.file;
    }
}

}  // namespace
}  // namespace media
