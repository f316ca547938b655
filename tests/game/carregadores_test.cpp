// The loaders of the portraits on a game object: one read of a portrait's file serves both its
// plain and its mirrored item.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "media/bmp_writer.h"
#include "support/damaged_files.h"
#include "support/game_fixture.h"

namespace pelea {
namespace {

namespace fs = std::filesystem;

// A folder of its own, removed with everything in it when the test ends, failed or not.
struct FreshFolder {
    FreshFolder() {
        std::string name = (fs::path(::testing::TempDir()) / "pelea_portraits_XXXXXX").string();
        if (mkdtemp(name.data()) != nullptr) path = name;
    }
    ~FreshFolder() {
        std::error_code ec;
        if (!path.empty()) fs::remove_all(path, ec);
    }
    fs::path path;
};

// A picture whose every pixel differs from its mirror image's.
media::Picture ramp(int w, int h, int seed) {
    media::Picture p(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            p.setPixel(x, y, media::rgb(seed + 40 * x, 10 * y, 200 - seed));
    }
    return p;
}

TEST(Carregarosto, OneReadServesThePlainAndTheMirroredItem) {
    const FreshFolder folder;
    const fs::path& dir = folder.path;
    ASSERT_FALSE(dir.empty());
    const std::string good = (dir / "R01-a.bmp").string();
    const std::string bad = (dir / "R02-a.bmp").string();
    const media::Picture first = ramp(4, 3, 0);
    ASSERT_TRUE(media::writeBmp(good, first));
    const damaged::Bytes broken = damaged::truncated(damaged::bmpFile(4, 3), 45);  // cut in half
    std::ofstream(bad, std::ios::binary)
        .write(reinterpret_cast<const char*>(broken.data()),
               static_cast<std::streamsize>(broken.size()));

    testing::Game game;
    media::ImageList& list = game.form.DXImageListRetrato;
    const int at = list.Count();
    game.form.carregarosto(good, 1);
    // The file changes between the two calls: the mirrored item still shows what was read.
    ASSERT_TRUE(media::writeBmp(good, ramp(5, 2, 90)));
    game.form.carregarosto(good, 2);
    ::testing::internal::CaptureStderr();
    game.form.carregarosto(bad, 1);
    game.form.carregarosto(bad, 2);
    const std::string err = ::testing::internal::GetCapturedStderr();
    game.form.carregarosto(good, 1);  // another file in between: read afresh

    ASSERT_EQ(list.Count(), at + 5);
    const media::Picture& plain = list.Items(at).picture();
    const media::Picture& mirrored = list.Items(at + 1).picture();
    ASSERT_EQ(plain.width(), 4);
    ASSERT_EQ(mirrored.width(), 4);
    ASSERT_EQ(mirrored.height(), 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(plain.pixel(x, y), first.pixel(x, y)) << x << "," << y;
            EXPECT_EQ(mirrored.pixel(x, y), first.pixel(3 - x, y)) << x << "," << y;
        }
    }
    // The damaged portrait leaves both its items empty and is reported once.
    EXPECT_TRUE(list.Items(at + 2).empty());
    EXPECT_TRUE(list.Items(at + 3).empty());
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("R02-a.bmp"), std::string::npos) << err;
    EXPECT_EQ(list.Items(at + 4).picture().width(), 5);
}

}  // namespace
}  // namespace pelea
