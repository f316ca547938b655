#include "media/loaders.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace media {
namespace {

namespace fs = std::filesystem;

struct LoaderFiles : ::testing::Test {
    fs::path dir;
    void SetUp() override {
        dir = fs::temp_directory_path() / ("pelea_media_" + std::to_string(getpid()));
        fs::create_directories(dir);
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
    EXPECT_EQ(loadPicture(dir.string(), p), LoadResult::Missing);  // a folder is not a file
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(p.width(), 2);
}

TEST_F(LoaderFiles, TruncatedPixelDataDoesNotReadPastTheBuffer) {
    const std::vector<uint8_t> good = handBmp24(false);
    for (size_t n = 0; n < good.size(); ++n) {
        Picture p;
        decodePicture(good.data(), n, p);  // any result, but no out-of-bounds read (sanitizers)
    }
    SUCCEED();
}

// An 8-bit mono PCM WAVE file.
std::vector<uint8_t> wav8(int rate, const std::vector<uint8_t>& samples) {
    std::vector<uint8_t> b(44);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    auto put16 = [&](size_t at, uint16_t v) {
        b[at] = static_cast<uint8_t>(v);
        b[at + 1] = static_cast<uint8_t>(v >> 8);
    };
    std::memcpy(b.data(), "RIFF", 4);
    put32(4, static_cast<uint32_t>(36 + samples.size()));
    std::memcpy(b.data() + 8, "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, 1);  // PCM
    put16(22, 1);  // mono
    put32(24, static_cast<uint32_t>(rate));
    put32(28, static_cast<uint32_t>(rate));
    put16(32, 1);
    put16(34, 8);
    std::memcpy(b.data() + 36, "data", 4);
    put32(40, static_cast<uint32_t>(samples.size()));
    b.insert(b.end(), samples.begin(), samples.end());
    return b;
}

TEST_F(LoaderFiles, SoundsBecomeSixteenBitStereoAt44100) {
    // 0.1 s at 22050 Hz of a constant level 72 steps above the 8-bit midpoint.
    const std::vector<uint8_t> bytes = wav8(22050, std::vector<uint8_t>(2205, 200));
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

}  // namespace
}  // namespace media
