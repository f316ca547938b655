#include "assetgen/fighters.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "animation/anchors.h"
#include "animation/areas_c01.h"
#include "animation/sheets.h"
#include "assetgen/assetgen.h"
#include "assetgen/raster.h"
#include "game/move_list.h"
#include "media/loaders.h"

namespace {

namespace fs = std::filesystem;
using pelea::anchors::meio;
using pelea::sheets::frameLeft;
using pelea::sheets::frameRight;
using pelea::sheets::sheet;

// Sheets are slow to draw in a debug build: each is drawn once for the whole suite.
const media::Picture& sheetOf(int slot) {
    static std::map<int, media::Picture> cache;
    auto it = cache.find(slot);
    if (it == cache.end()) it = cache.emplace(slot, assetgen::renderSheet(slot)).first;
    return it->second;
}

bool inked(const media::Picture& p, int x, int y) {
    return p.pixel(x, y) != media::kWhite;
}

int inkIn(const media::Picture& p, int x1, int y1, int x2, int y2) {
    int n = 0;
    for (int y = std::max(0, y1); y < std::min(p.height(), y2); ++y) {
        for (int x = std::max(0, x1); x < std::min(p.width(), x2); ++x)
            n += inked(p, x, y);
    }
    return n;
}

// A shape fills its inside, rings it with a dark outline, leaves the rest white and never paints
// outside the clip rectangle, even when it reaches past it.
TEST(Raster, ShapesFillOutlineAndClip) {
    using assetgen::Vec;
    const assetgen::Material red = assetgen::materialOf(media::rgb(200, 40, 40));
    struct Case {
        assetgen::Shape shape;
        int insideX, insideY, outsideX, outsideY;
    };
    const Case cases[] = {
        {assetgen::capsule(Vec{10, 20}, Vec{40, 20}, 5, 5, red), 25, 20, 25, 28},
        {assetgen::ellipse(Vec{25, 20}, 12, 6, 0, red), 25, 20, 25, 28},
        {assetgen::polygon({Vec{12, 12}, Vec{38, 12}, Vec{38, 28}, Vec{12, 28}}, 0, red), 25, 20,
         25, 31},
    };
    for (const Case& c : cases) {
        media::Picture p(50, 40);
        assetgen::Raster r(p, {0, 0, 30, 40}, Vec{0, 0});  // columns 30.. are off limits
        r.draw(c.shape);
        EXPECT_NE(p.pixel(c.insideX, c.insideY), media::kWhite);
        EXPECT_EQ(p.pixel(c.outsideX, c.outsideY), media::kWhite);
        EXPECT_EQ(inkIn(p, 30, 0, 50, 40), 0) << "painted past the clip";
        int dark = 0;  // the outline sits between the fill and the white
        for (int y = c.insideY; y < 40 && p.pixel(c.insideX, y) != media::kWhite; ++y) {
            dark = media::red(p.pixel(c.insideX, y)) < 80;
        }
        EXPECT_TRUE(dark);
    }
    // Even the highlight of a white costume stays off the transparent key.
    EXPECT_NE(assetgen::materialOf(media::kWhite).light, media::kWhite);
    EXPECT_NE(assetgen::materialOf(media::kWhite).base, media::kWhite);
}

TEST(FrameTable, FramesFollowEachOtherWithTheirGaps) {
    struct Case {
        int slot, k, left, right;
    };
    const Case cases[] = {
        {1, 1, 0, 65},       {1, 2, 67, 131},     {1, 3, 133, 197},
        {1, 45, 3929, 4014}, {6, 24, 2242, 2335}, {6, 25, 2338, 2484},  // three empty columns
        {12, 6, 383, 432},   {12, 7, 435, 510},                         // three empty columns
    };
    for (const Case& c : cases) {
        EXPECT_EQ(frameLeft(c.slot, c.k), c.left) << "slot " << c.slot << " frame " << c.k;
        EXPECT_EQ(frameRight(c.slot, c.k), c.right) << "slot " << c.slot << " frame " << c.k;
    }
    EXPECT_EQ(pelea::sheets::sheetWidth(1), 4014);
}

TEST(FrameTable, AnchorsOfListedFramesOnly) {
    struct Case {
        int slot, k, anchor;
    };
    const Case cases[] = {
        {1, 1, 27},   {1, 29, 55}, {8, 27, 25}, {8, 28, 50}, {8, 43, 72}, {10, 11, 0},
        {11, 42, 70}, {1, 0, 0},   {1, 46, 0},  {11, 43, 0}, {3, 47, 23}, {0, 1, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(meio(c.slot, c.k), c.anchor) << "slot " << c.slot << " frame " << c.k;
    }
}

TEST(MoveList, FiveCommandsPerCharacterTheLastASuper) {
    struct Case {
        int character;
        const char* first;
        const char* super;
    };
    const Case cases[] = {{1, "BDP", "BEBDP"}, {4, "BEP", "BEBDK"}, {5, "BDP", "BDBDK"},
                          {7, "PR", "BDBEP"},  {10, "PR", "EDEDP"}, {12, "BDP", "BDBDK"}};
    for (const Case& c : cases) {
        const auto& row = pelea::move_list::kMoves[static_cast<size_t>(c.character - 1)];
        EXPECT_STREQ(row[0].code, c.first) << "character " << c.character;
        EXPECT_STREQ(row[4].code, c.super) << "character " << c.character;
    }
    for (const auto& row : pelea::move_list::kMoves) {
        for (size_t i = 0; i < row.size(); ++i) {
            const std::string label = row[i].label;
            EXPECT_FALSE(label.empty());
            EXPECT_LE(label.size(), 22u) << label;  // bytes: a few accents take two
            EXPECT_EQ(label[0] == '*', i == 4) << label;
        }
    }
}

// Every slot: the strip is right(N) × H, each frame has ink inside its own box, every gap column
// is white from top to bottom, and the anchor column crosses the body in the standing, walking,
// crouching and airborne frames.
TEST(FighterSheets, FramesStayInsideTheirBoxes) {
    for (int slot = 1; slot <= pelea::sheets::kSlots; ++slot) {
        SCOPED_TRACE("slot " + std::to_string(slot));
        const media::Picture& p = sheetOf(slot);
        const int n = sheet(slot).n, h = sheet(slot).h;
        ASSERT_EQ(p.width(), frameRight(slot, n));
        ASSERT_EQ(p.height(), h);
        for (int k = 1; k <= n; ++k) {
            EXPECT_GT(inkIn(p, frameLeft(slot, k), 0, frameRight(slot, k), h), 200)
                << "frame " << k;
            const int gapEnd = k < n ? frameLeft(slot, k + 1) : frameRight(slot, k);
            EXPECT_EQ(inkIn(p, frameRight(slot, k), 0, gapEnd, h), 0) << "gap after " << k;
        }
        for (int k : {1, 2, 3, 12, 21}) {
            const int x = frameLeft(slot, k) + meio(slot, k);
            EXPECT_GT(inkIn(p, x, 0, x + 1, h), 20) << "anchor of frame " << k;
        }
    }
}

// Grounded frames stand on the bottom row; airborne ones float.
TEST(FighterSheets, FeetOnTheFloorUnlessAirborne) {
    struct Case {
        int k;
        bool onFloor;
    };
    const Case cases[] = {{1, true}, {5, true}, {12, true}, {29, true}, {21, false}, {25, false}};
    for (int slot : {1, 6, 9}) {
        const media::Picture& p = sheetOf(slot);
        const int bottom = sheet(slot).h - 1;
        for (const Case& c : cases) {
            const int ink =
                inkIn(p, frameLeft(slot, c.k), bottom, frameRight(slot, c.k), bottom + 1);
            EXPECT_EQ(ink > 0, c.onFloor) << "slot " << slot << " frame " << c.k;
        }
    }
}

const pelea::areas_c01::AttackRow& attackRow(int state, int ciclo, int t) {
    for (const auto& row : pelea::areas_c01::kAttack) {
        if (row.state == state && row.ciclo == ciclo && (row.tOnly == 0 || row.tOnly == t)) {
            return row;
        }
    }
    ADD_FAILURE() << "no attack row for state " << state << " ciclo " << ciclo;
    return pelea::areas_c01::kAttack[0];
}

// The frame on show at the moment each blow strikes, from the drawing rules (a light punch
// strikes at ciclo 2, when frame 5 has just replaced frame 4; a jumping light punch strikes at
// ciclo 2, still on frame 22, which gives way to 23 only at ciclo 3).
TEST(CharacterOne, BlowsReachTheirAttackAreas) {
    struct Case {
        int state, ciclo, t, frame;
    };
    const Case cases[] = {
        {3, 2, 1, 5},   {4, 2, 1, 7},   {5, 5, 2, 9},    {6, 5, 2, 11},   {8, 2, 1, 14},
        {9, 2, 1, 16},  {10, 5, 2, 18}, {11, 5, 2, 20},  {13, 2, 1, 22},  {14, 2, 1, 24},
        {15, 5, 2, 23}, {16, 5, 2, 25}, {26, 6, 1, 39},  {26, 10, 2, 39}, {27, 0, 1, 41},
        {27, 4, 1, 42}, {28, 6, 1, 44}, {28, 12, 1, 45},
    };
    const media::Picture& p = sheetOf(1);
    for (const Case& c : cases) {
        const auto& a = attackRow(c.state, c.ciclo, c.t);
        const int left = frameLeft(1, c.frame), ax = left + meio(1, c.frame);
        const int x1 = std::max(left, ax + a.x1), x2 = std::min(frameRight(1, c.frame), ax + a.x2);
        EXPECT_GE(inkIn(p, x1, a.y1, x2, a.y2), 12)
            << "state " << c.state << " ciclo " << c.ciclo << " frame " << c.frame;
    }
}

// Within 6 pixels of every side of each contact area (cut to the frame) there is body.
TEST(CharacterOne, BodyCoversItsContactAreas) {
    constexpr int kSlack = 6;
    const media::Picture& p = sheetOf(1);
    const int h = sheet(1).h;
    for (const auto& c : pelea::areas_c01::kContact) {
        SCOPED_TRACE("frame " + std::to_string(c.frame));
        const int left = frameLeft(1, c.frame), ax = left + meio(1, c.frame);
        const int x1 = std::max(left, ax + c.x1), x2 = std::min(frameRight(1, c.frame), ax + c.x2);
        const int y1 = c.y1, y2 = std::min(h, c.y2);
        EXPECT_GT(inkIn(p, x1, y1, x2, y2), (x2 - x1) * (y2 - y1) / 4);
        EXPECT_GT(inkIn(p, x1, y1, x1 + kSlack, y2), 0) << "left side";
        EXPECT_GT(inkIn(p, x2 - kSlack, y1, x2, y2), 0) << "right side";
        EXPECT_GT(inkIn(p, x1, y1, x2, y1 + kSlack), 0) << "top";
        EXPECT_GT(inkIn(p, x1, y2 - kSlack, x2, y2), 0) << "bottom";
    }
}

TEST(Portraits, BustsSitOnTheKeyColour) {
    struct Case {
        bool large;
        int w, h;
    };
    const Case cases[] = {{false, 50, 60}, {true, 96, 104}};
    for (int slot = 1; slot <= pelea::sheets::kSlots; ++slot) {
        for (const Case& c : cases) {
            const media::Picture p = assetgen::renderPortrait(slot, c.large);
            ASSERT_EQ(p.width(), c.w);
            ASSERT_EQ(p.height(), c.h);
            EXPECT_FALSE(inked(p, 0, 0)) << "slot " << slot;  // the key shows round the bust
            EXPECT_TRUE(inked(p, c.w / 2, c.h / 2)) << "slot " << slot;
            EXPECT_GT(inkIn(p, 0, c.h - 1, c.w, c.h), c.w / 3) << "shoulders reach the bottom";
        }
    }
}

std::vector<char> bytesOf(const fs::path& f) {
    std::ifstream in(f, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct GeneratedFiles : ::testing::Test {
    fs::path a, b;
    void SetUp() override {
        const std::string id = std::to_string(getpid());
        a = fs::temp_directory_path() / ("pelea_fighters_a_" + id);
        b = fs::temp_directory_path() / ("pelea_fighters_b_" + id);
        fs::create_directories(a);
        fs::create_directories(b);
    }
    void TearDown() override {
        fs::remove_all(a);
        fs::remove_all(b);
    }
};

TEST_F(GeneratedFiles, SameBytesEveryRunAndLoadableByTheGame) {
    for (const fs::path& d : {a, b}) {
        ASSERT_TRUE(assetgen::writeFighters(d.string()));
        ASSERT_TRUE(assetgen::writePortraits(d.string()));
    }
    struct Case {
        std::string name;
        int w, h;
    };
    std::vector<Case> cases = {{"C01.bmp", 4014, 160},
                               {"C06.bmp", 4350, 190},
                               {"C12.bmp", 4144, 165},
                               {"R01-a.bmp", 50, 60},
                               {"R12-b.bmp", 96, 104}};
    for (int slot = 1; slot <= 12; ++slot) {
        const std::string two = (slot < 10 ? "0" : "") + std::to_string(slot);
        for (const std::string& name :
             {"C" + two + ".bmp", "R" + two + "-a.bmp", "R" + two + "-b.bmp"}) {
            EXPECT_EQ(bytesOf(a / name), bytesOf(b / name)) << name;
        }
    }
    for (const Case& c : cases) {
        media::Picture p;
        ASSERT_EQ(media::loadPicture((a / c.name).string(), p), media::LoadResult::Ok) << c.name;
        EXPECT_EQ(p.width(), c.w) << c.name;
        EXPECT_EQ(p.height(), c.h) << c.name;
    }
}

TEST_F(GeneratedFiles, PreviewIsOnePngPerCharacter) {
    ASSERT_TRUE(assetgen::writePreview(a.string()));
    for (int slot = 1; slot <= 12; ++slot) {
        const std::string two = (slot < 10 ? "0" : "") + std::to_string(slot);
        const std::vector<char> png = bytesOf(a / ("preview-C" + two + ".png"));
        ASSERT_GT(png.size(), 8u) << slot;
        EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG") << slot;
    }
}

}  // namespace
