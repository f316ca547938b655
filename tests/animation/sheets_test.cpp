#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "media/bmp_writer.h"
#include "support/game_fixture.h"

namespace pelea {
namespace {

using testing::Game;
namespace fs = std::filesystem;

// Every column of these sheets has its own colour, so a cut frame tells which columns it holds.
TColor columnColour(int x) {
    return media::rgb(x & 255, x >> 8, 90);
}

struct SheetFolder {
    fs::path dir;
    SheetFolder() {
        dir = fs::temp_directory_path() / ("pelea_sheets_" + std::to_string(getpid()));
        fs::create_directories(dir);
    }
    ~SheetFolder() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    // A strip `width` wide and `height` high, every column in its own colour.
    std::string write(const std::string& name, int width, int height) const {
        media::Picture p(width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                p.setPixel(x, y, columnColour(x));
        }
        return writePicture(name, p);
    }
    std::string writePicture(const std::string& name, const media::Picture& p) const {
        const std::string path = (dir / name).string();
        media::writeBmp(path, p);
        return path;
    }
};

// Wide and high enough for any slot's strip.
constexpr int kStripWidth = 4400;
constexpr int kStripHeight = 200;

TEST(SheetSlicing, FillsTheFighterHalfOfBothListsAndSetsAltura) {
    struct Case {
        int slot, fighter, first, last, altura, height, firstWidth, lastWidth;
    };
    const Case cases[] = {
        {3, 2, 51, 97, 147, 145, 50, 82},   // 47 frames, two rows taller than the frames
        {11, 1, 1, 42, 155, 155, 49, 99},   // the shortest sheet
        {2, 2, 51, 95, 162, 160, 58, 103},  // altura 2 more than H
        {6, 1, 1, 44, 190, 190, 76, 116},
    };
    SheetFolder folder;
    const std::string path = folder.write("strip.bmp", kStripWidth, kStripHeight);
    for (const Case& c : cases) {
        Game game;
        game.L(c.fighter).personagem = static_cast<uint8_t>(c.slot);
        game.form.carregar(path, c.slot, c.fighter);
        EXPECT_EQ(game.L(c.fighter).altura, c.altura) << "slot " << c.slot;
        EXPECT_EQ(game.L(3 - c.fighter).altura, 0) << "slot " << c.slot;
        for (media::ImageList* list :
             {&game.form.DXImageListLutador, &game.form.DXImageListLutadorInvert}) {
            EXPECT_TRUE(list->Items(c.first - 1).empty()) << "slot " << c.slot;
            EXPECT_TRUE(list->Items(c.last + 1).empty()) << "slot " << c.slot;
            for (int i = c.first; i <= c.last; ++i) {
                const media::ImageItem& item = list->Items(i);
                ASSERT_FALSE(item.empty()) << "slot " << c.slot << " item " << i;
                EXPECT_EQ(item.Height(), c.height) << "slot " << c.slot << " item " << i;
                EXPECT_EQ(item.Name, "Lutador");
                EXPECT_TRUE(item.Transparent);
                EXPECT_EQ(item.TransparentColor, media::kWhite);
            }
            EXPECT_EQ(list->Items(c.first).Width(), c.firstWidth) << "slot " << c.slot;
            EXPECT_EQ(list->Items(c.last).Width(), c.lastWidth) << "slot " << c.slot;
        }
    }
}

TEST(SheetSlicing, EachFrameHoldsItsColumnsPlainAndMirrored) {
    // left(k) and width(k) worked out from the widths, 2 empty columns between frames and 3 after
    // slot 6's frame 24 and slot 12's frame 6.
    struct Case {
        int slot, frame, left, width;
    };
    const Case cases[] = {
        {1, 1, 0, 65},     {1, 2, 67, 64},     {1, 3, 133, 64},   {1, 45, 3929, 85},
        {6, 24, 2242, 93}, {6, 25, 2338, 146}, {6, 26, 2486, 85}, {6, 44, 4234, 116},
        {12, 6, 383, 49},  {12, 7, 435, 75},   {12, 8, 512, 66},  {12, 44, 4030, 114},
        {3, 47, 3414, 82}, {11, 42, 3252, 99},
    };
    SheetFolder folder;
    const std::string path = folder.write("strip.bmp", kStripWidth, kStripHeight);
    for (const Case& c : cases) {
        // Both fighters with the same slot: each gets its own copy in its own half.
        Game game;
        for (int fighter = 1; fighter <= 2; ++fighter) {
            game.L(fighter).personagem = static_cast<uint8_t>(c.slot);
            game.form.carregar(path, c.slot, fighter);
        }
        for (int fighter = 1; fighter <= 2; ++fighter) {
            const int item = (fighter == 2 ? 50 : 0) + c.frame;
            const media::Picture& plain = game.form.DXImageListLutador.Items(item).picture();
            const media::Picture& mirrored =
                game.form.DXImageListLutadorInvert.Items(item).picture();
            const std::string where =
                "slot " + std::to_string(c.slot) + " frame " + std::to_string(c.frame);
            ASSERT_EQ(plain.width(), c.width) << where;
            ASSERT_EQ(mirrored.width(), plain.width()) << where;
            ASSERT_EQ(mirrored.height(), plain.height()) << where;
            const int right = c.left + c.width - 1;
            EXPECT_EQ(plain.pixel(0, 0), columnColour(c.left)) << where;
            EXPECT_EQ(plain.pixel(c.width - 1, 0), columnColour(right)) << where;
            EXPECT_EQ(mirrored.pixel(0, 0), columnColour(right)) << where;
            EXPECT_EQ(mirrored.pixel(c.width - 1, 0), columnColour(c.left)) << where;
            EXPECT_EQ(mirrored.pixel(1, plain.height() - 1), columnColour(right - 1)) << where;
        }
    }
}

TEST(SheetSlicing, UnreadableSheetChangesNothingAndRestartsTheTimer) {
    struct Case {
        const char* what;
        bool exists;
    };
    const Case cases[] = {{"missing", false}, {"not a picture", true}};
    SheetFolder folder;
    const std::string good = folder.write("C01.bmp", kStripWidth, kStripHeight);
    const std::string bad = (folder.dir / "C07.bmp").string();
    for (const Case& c : cases) {
        if (c.exists) std::ofstream(bad) << "not a bitmap";
        Game game;
        game.form.carregar(good, 1, 1);
        game.L(1).personagem = 7;
        game.form.DXTimer1.Enabled = false;
        game.form.carregar(bad, 7, 1);
        EXPECT_TRUE(game.form.DXTimer1.Enabled) << c.what;
        EXPECT_EQ(game.L(1).altura, 160) << c.what;
        // Slot 1's frames stay: item 1 is 65 wide, item 46 (slot 7 has 46 frames) stays empty.
        EXPECT_EQ(game.form.DXImageListLutador.Items(1).Width(), 65) << c.what;
        EXPECT_EQ(game.form.DXImageListLutadorInvert.Items(1).Width(), 65) << c.what;
        EXPECT_TRUE(game.form.DXImageListLutador.Items(46).empty()) << c.what;
    }
}

TEST(SheetSlicing, OnlyPureWhiteIsTransparent) {
    struct Case {
        TColor colour;
        bool drawn;
    };
    const Case cases[] = {
        {media::rgb(255, 255, 255), false}, {media::rgb(254, 255, 255), true},
        {media::rgb(255, 254, 255), true},  {media::rgb(255, 255, 254), true},
        {media::rgb(0, 0, 0), true},
    };
    SheetFolder folder;
    for (const Case& c : cases) {
        // Slot 1's frame 1 (65 × 160) painted in one colour, with one pixel of the case's colour.
        media::Picture sheet(4014, 160, media::rgb(10, 20, 30));
        sheet.setPixel(5, 7, c.colour);
        const std::string path = folder.writePicture("C01.bmp", sheet);
        Game game;
        game.form.carregar(path, 1, 2);
        EXPECT_EQ(game.form.DXImageListLutador.Items(51).opaqueAt(5, 7), c.drawn);
        EXPECT_TRUE(game.form.DXImageListLutador.Items(51).opaqueAt(6, 7));
        EXPECT_EQ(game.form.DXImageListLutadorInvert.Items(51).opaqueAt(64 - 5, 7), c.drawn);
        EXPECT_TRUE(game.form.DXImageListLutadorInvert.Items(51).opaqueAt(64 - 6, 7));
    }
}

}  // namespace
}  // namespace pelea
