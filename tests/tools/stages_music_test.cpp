#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "assetgen/assetgen.h"
#include "assetgen/music.h"
#include "assetgen/music_synth.h"
#include "assetgen/stage_paint.h"
#include "assetgen/stages.h"
#include "media/loaders.h"

namespace assetgen {
namespace {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary directory, removed at the end of the test.
struct TempDir {
    fs::path path;
    explicit TempDir(const std::string& tag) {
        path =
            fs::temp_directory_path() / ("pelea_stages_" + tag + "_" + std::to_string(::getpid()));
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    std::string file(const std::string& name) const { return (path / name).string(); }
};

std::vector<char> bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string stageName(int k) {
    return "Cenario-0" + std::to_string(k) + ".bmp";
}
std::string trackName(int k) {
    return "Musica-0" + std::to_string(k) + ".wav";
}

double luminance(media::TColor c) {
    return 0.299 * media::red(c) + 0.587 * media::green(c) + 0.114 * media::blue(c);
}

struct Mean {
    double r = 0, g = 0, b = 0;
};

Mean meanColour(const media::Picture& p, int y0, int y1) {
    Mean m;
    const double n = static_cast<double>(p.width()) * (y1 - y0);
    for (int y = y0; y < y1; ++y) {
        for (int x = 0; x < p.width(); ++x) {
            m.r += media::red(p.pixel(x, y)) / n;
            m.g += media::green(p.pixel(x, y)) / n;
            m.b += media::blue(p.pixel(x, y)) / n;
        }
    }
    return m;
}

double distance(const Mean& a, const Mean& b) {
    return std::fabs(a.r - b.r) + std::fabs(a.g - b.g) + std::fabs(a.b - b.b);
}

// ---------------------------------------------------------------------------------------------

TEST(StageFiles, EveryStageIsAFullViewPictureTheGameLoads) {
    TempDir dir("load");
    ASSERT_TRUE(writeStages(dir.path.string()));
    for (int k = 1; k <= 8; ++k) {
        SCOPED_TRACE(stageName(k));
        media::Picture loaded;
        ASSERT_EQ(media::loadPicture(dir.file(stageName(k)), loaded), media::LoadResult::Ok);
        // The camera shows 400×300 at offsets up to (200, 20).
        EXPECT_EQ(loaded.width(), 600);
        EXPECT_EQ(loaded.height(), 320);
        const media::Picture drawn = renderStage(k);
        ASSERT_EQ(drawn.width(), 600);
        for (const auto& [x, y] : {std::pair{0, 0}, {599, 0}, {300, 160}, {0, 319}, {599, 319}}) {
            EXPECT_EQ(loaded.pixel(x, y), drawn.pixel(x, y)) << x << "," << y;
        }
    }
    EXPECT_FALSE(fs::exists(dir.path / "Cenario-09.bmp"));
}

TEST(StageFiles, OnlyStagesOneToEightExist) {
    for (int k : {0, -1, 9, 100})
        EXPECT_TRUE(renderStage(k).empty()) << k;
}

TEST(StageLooks, EveryPairOfStagesDiffersInSkyAndFloor) {
    std::vector<Mean> sky, floor;
    for (int k = 1; k <= 8; ++k) {
        const media::Picture p = renderStage(k);
        sky.push_back(meanColour(p, 0, 150));
        floor.push_back(meanColour(p, 240, 300));
    }
    for (int a = 0; a < 8; ++a) {
        for (int b = a + 1; b < 8; ++b) {
            // Summed over the three channels: two look-alike stages would stay within ~10.
            EXPECT_GT(distance(sky[a], sky[b]) + distance(floor[a], floor[b]), 40.0)
                << "stages " << a + 1 << " and " << b + 1;
        }
    }
}

TEST(StageLooks, TheFloorEndsInAVisibleEdgeOnTheFeetRow) {
    for (int k = 1; k <= 8; ++k) {
        const media::Picture p = renderStage(k);
        // The lip on row 300 stands out from the front face a few rows below it.
        const Mean lip = meanColour(p, 300, 302), face = meanColour(p, 306, 320);
        EXPECT_GT(distance(lip, face), 30.0) << "stage " << k;
        // The front face is darker than the floor the fighters stand on.
        const Mean floor = meanColour(p, 290, 300);
        EXPECT_LT(face.r + face.g + face.b, floor.r + floor.g + floor.b) << "stage " << k;
    }
}

TEST(StageLooks, StageTwoLeavesTheTableSpotClear) {
    const media::Picture p = renderStage(2);
    struct Case {
        const char* what;
        int x0, y0, x1, y1;
        double maxDeviation;
    };
    const Case cases[] = {
        {"whole table", kTableX, kTableY, kTableX + kTableWidth, kTableY + kTableHeight, 30.0},
        {"wall behind", kTableX, kTableY, kTableX + kTableWidth, kTableY + 25, 12.0},
        {"floor under", kTableX, kTableY + 60, kTableX + kTableWidth, kTableY + 93, 25.0},
    };
    for (const Case& c : cases) {
        double sum = 0, sq = 0, n = 0;
        for (int y = c.y0; y < c.y1; ++y) {
            for (int x = c.x0; x < c.x1; ++x) {
                EXPECT_NE(p.pixel(x, y), media::kWhite) << x << "," << y;
                const double l = luminance(p.pixel(x, y));
                sum += l, sq += l * l, n += 1;
            }
        }
        const double mean = sum / n;
        EXPECT_LT(std::sqrt(sq / n - mean * mean), c.maxDeviation) << c.what;
    }
}

// ---------------------------------------------------------------------------------------------

TEST(SynthNotes, NamesGiveMidiNumbers) {
    struct Case {
        const char* name;
        int midi;
    };
    const Case cases[] = {{"A4", 69}, {"C4", 60},  {"C#5", 73}, {"Bb3", 58},
                          {"B3", 59}, {"E2", 40},  {"C0", 12},  {"H2", -1},
                          {"A", -1},  {"A10", -1}, {"a4", -1},  {"C##4", -1}};
    for (const Case& c : cases)
        EXPECT_EQ(synth::noteNumber(c.name), c.midi) << c.name;
    EXPECT_NEAR(synth::frequency(69), 440.0, 1e-9);
    EXPECT_NEAR(synth::frequency(57), 220.0, 1e-9);
}

TEST(SynthLoop, ATailPastTheEndSoundsAtTheStart) {
    constexpr int kStep = 100;  // one bar of 1600 samples
    struct Case {
        int step, length;
        bool heardAtStart;
    };
    // A note held into the next bar is heard in the first samples; one that ends in time is not.
    const Case cases[] = {{15, 4, true}, {8, 16, true}, {12, 3, false}, {4, 4, false}};
    const synth::Voice v{synth::Wave::Sine, 0.001, 0.1, 1.0, 0.002, 0.5, 8000};
    for (const Case& c : cases) {
        synth::Loop loop(kMusicRate, kStep, 1, 1);
        loop.note(loop.at(0, c.step), v, 69, c.length);
        const std::vector<int16_t> out = loop.finish(kMusicPeak, 0.1, 0.0);
        ASSERT_EQ(out.size(), 1600u);
        int early = 0;
        for (int i = 0; i < 60; ++i)
            early = std::max(early, std::abs(int{out[i]}));
        EXPECT_EQ(early > kMusicPeak / 2, c.heardAtStart) << "note at step " << c.step;
    }
}

struct TrackStats {
    std::vector<int16_t> s;
    int peak = 0;
    std::vector<int> steps;  // |s[i+1] − s[i]|, sorted
};

TrackStats statsOf(int k) {
    TrackStats t;
    t.s = renderTrack(k);
    for (size_t i = 0; i < t.s.size(); ++i) {
        t.peak = std::max(t.peak, std::abs(int{t.s[i]}));
        if (i) t.steps.push_back(std::abs(t.s[i] - t.s[i - 1]));
    }
    std::sort(t.steps.begin(), t.steps.end());
    return t;
}

TEST(MusicFiles, EveryTrackLoadsAndLastsHalfAMinuteToAMinute) {
    TempDir dir("music");
    ASSERT_TRUE(writeMusic(dir.path.string()));
    for (int k = 1; k <= 3; ++k) {
        SCOPED_TRACE(trackName(k));
        media::SoundData sound;
        ASSERT_EQ(media::loadSound(dir.file(trackName(k)), sound), media::LoadResult::Ok);
        const double seconds = static_cast<double>(sound.frames()) / media::SoundData::kRate;
        EXPECT_GE(seconds, 30.0);
        EXPECT_LE(seconds, 60.0);
        EXPECT_NEAR(seconds, renderTrack(k).size() / 22050.0, 0.01);
    }
    EXPECT_TRUE(renderTrack(0).empty());
    EXPECT_TRUE(renderTrack(4).empty());
}

TEST(MusicLevels, PeaksNearMinusThreeDecibelsAndNeverClips) {
    for (int k = 1; k <= 3; ++k) {
        const TrackStats t = statsOf(k);
        // −3 dBFS of 32767 is 23197; a little either side is fine, the rails never.
        const double db = 20.0 * std::log10(t.peak / 32767.0);
        EXPECT_NEAR(db, -3.0, 0.5) << "track " << k;
        EXPECT_LT(t.peak, 32767) << "track " << k;
    }
}

TEST(MusicLevels, NoSecondOfTheLoopIsSilent) {
    for (int k = 1; k <= 3; ++k) {
        const std::vector<int16_t> s = renderTrack(k);
        double quietest = 1e9;
        for (size_t start = 0; start + 22050 <= s.size(); start += 22050) {
            double sq = 0;
            for (size_t i = start; i < start + 22050; ++i)
                sq += static_cast<double>(s[i]) * s[i];
            quietest = std::min(quietest, std::sqrt(sq / 22050));
        }
        // −36 dBFS: a second with only a fading tail in it would fall far below.
        EXPECT_GT(quietest, 32767 * 0.0158) << "track " << k;
    }
}

TEST(MusicLoop, TheJumpFromLastToFirstSampleIsAnOrdinaryStep) {
    for (int k = 1; k <= 3; ++k) {
        const TrackStats t = statsOf(k);
        const int jump = std::abs(t.s.back() - t.s.front());
        const int p99 = t.steps[t.steps.size() * 99 / 100];
        EXPECT_LE(jump, p99) << "track " << k;
        // And the slope carries on: the step into the end matches the step out of the start.
        const int before = t.s[t.s.size() - 1] - t.s[t.s.size() - 2];
        const int across = t.s.front() - t.s.back();
        EXPECT_LE(std::abs(across - before), p99) << "track " << k;
    }
}

TEST(MusicLooks, TheThreeTracksAreDifferentPieces) {
    std::vector<std::vector<int16_t>> tracks;
    for (int k = 1; k <= 3; ++k)
        tracks.push_back(renderTrack(k));
    constexpr size_t kWindow = 22050 * 10;
    for (int a = 0; a < 3; ++a) {
        for (int b = a + 1; b < 3; ++b) {
            double ab = 0, aa = 0, bb = 0;
            for (size_t i = 0; i < kWindow; ++i) {
                const double x = tracks[a][i], y = tracks[b][i];
                ab += x * y, aa += x * x, bb += y * y;
            }
            EXPECT_LT(std::fabs(ab / std::sqrt(aa * bb)), 0.3) << a + 1 << " vs " << b + 1;
            EXPECT_NE(tracks[a].size(), tracks[b].size());
        }
    }
}

TEST(Writers, TwoRunsWriteTheSameBytes) {
    TempDir first("first"), second("second");
    ASSERT_TRUE(writeStages(first.path.string()) && writeMusic(first.path.string()));
    ASSERT_TRUE(writeStages(second.path.string()) && writeMusic(second.path.string()));
    std::vector<std::string> names;
    for (int k = 1; k <= 8; ++k)
        names.push_back(stageName(k));
    for (int k = 1; k <= 3; ++k)
        names.push_back(trackName(k));
    for (const std::string& n : names) {
        const auto a = bytesOf(first.file(n)), b = bytesOf(second.file(n));
        EXPECT_FALSE(a.empty()) << n;
        EXPECT_TRUE(a == b) << n;
    }
}

TEST(Writers, AFolderThatCannotBeWrittenFails) {
    const std::string missing = "/nonexistent-pelea-folder/inner";
    testing::internal::CaptureStderr();
    EXPECT_FALSE(writeStages(missing));
    EXPECT_FALSE(writeMusic(missing));
    EXPECT_FALSE(testing::internal::GetCapturedStderr().empty());
}

// ---------------------------------------------------------------------------------------------

TEST(PaintShapes, CoverageFollowsTheGeometry) {
    paint::Shape s(40, 40);
    s.rect(10, 10, 20, 15);
    s.ellipse(30, 30, 5, 3);
    s.poly({{0, 30}, {8, 30}, {0, 38}});
    struct Case {
        int x, y;
        bool covered;
    };
    const Case cases[] = {
        {10, 10, true}, {19, 14, true}, {20, 10, false}, {10, 15, false}, {9, 12, false},
        {30, 30, true}, {34, 30, true}, {36, 30, false}, {30, 33, false}, {30, 28, true},
        {1, 31, true},  {6, 31, true},  {7, 37, false},  {0, 29, false},  {-1, 30, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(s.has(c.x, c.y), c.covered) << c.x << "," << c.y;
    s.clear();
    for (const Case& c : cases)
        EXPECT_FALSE(s.has(c.x, c.y)) << c.x << "," << c.y;
}

TEST(PaintShapes, PaintingFillsInsideAndRimsOutside) {
    media::Picture pic(20, 20, media::rgb(0, 0, 255));
    paint::Painter p(pic);
    paint::Shape s(20, 20);
    s.rect(5, 5, 15, 15);
    p.paint(s, paint::Style{paint::Rgb{200, 100, 50}, 0.75, 0.25});
    struct Case {
        int x, y;
        const char* what;
    };
    const Case inside[] = {{10, 10, "centre"}, {5, 10, "left edge"}, {14, 14, "corner"}};
    for (const Case& c : inside) {
        // Fill, highlight and shadow are all shades of the same orange.
        EXPECT_GT(media::red(pic.pixel(c.x, c.y)), media::blue(pic.pixel(c.x, c.y))) << c.what;
    }
    EXPECT_EQ(pic.pixel(10, 10), media::rgb(200, 100, 50));
    const Case rim[] = {{4, 10, "left"}, {15, 10, "right"}, {10, 4, "top"}, {10, 15, "bottom"}};
    for (const Case& c : rim) {
        const media::TColor e = pic.pixel(c.x, c.y);
        EXPECT_LT(media::red(e) + media::green(e) + media::blue(e), 150) << c.what;
    }
    EXPECT_EQ(pic.pixel(4, 4), media::rgb(0, 0, 255));  // the diagonal corner stays untouched
    EXPECT_EQ(pic.pixel(0, 0), media::rgb(0, 0, 255));
}

TEST(PaintColours, NothingPaintsTheKeyWhite) {
    const paint::Rgb cases[] = {{255, 255, 255}, {300, 300, 300}, {255, 255, 256}};
    for (const paint::Rgb& c : cases)
        EXPECT_NE(paint::toColor(c), media::kWhite) << c.r;
    EXPECT_NE(paint::toColor(paint::lighten({255, 255, 255}, 1.0)), media::kWhite);
    EXPECT_EQ(paint::toColor({-5, 128, 400}), media::rgb(0, 128, 255));
    EXPECT_EQ(paint::toColor({254, 255, 255}), media::rgb(254, 255, 255));
}

TEST(PaintFloor, DepthIsOneOnTheFrontLineAndGrowsTowardsTheHorizon) {
    media::Picture pic(100, 100);
    paint::Painter p(pic);
    std::vector<double> depth(100, 0.0), across(100, 0.0);
    p.floor(60, 100, 50.0, 40.0, [&](double u, double v, int x, int y) {
        depth[static_cast<size_t>(y)] = v;
        if (y == 99) across[static_cast<size_t>(x)] = u;
        return paint::Rgb{};
    });
    // Row 99 is half a pixel above the front line: 50 / 49.5.
    EXPECT_NEAR(depth[99], 50.0 / 49.5, 1e-9);
    EXPECT_NEAR(depth[60], 50.0 / 10.5, 1e-9);
    for (int y = 61; y < 100; ++y)
        EXPECT_LT(depth[y], depth[y - 1]) << y;
    EXPECT_NEAR(across[40], 0.5 * 50.0 / 49.5, 1e-9);  // the vanishing column
    EXPECT_LT(across[10], 0.0);
    EXPECT_EQ(depth[59], 0.0);  // rows above the floor are not touched
}

TEST(SynthLoop, ALineHoldsOnDashesAndRestsOnDots) {
    constexpr int kStep = 400;
    const synth::Voice v{synth::Wave::Sine, 0.001, 0.1, 1.0, 0.002, 0.5, 8000};
    synth::Loop loop(kMusicRate, kStep, 1, 1);
    loop.line(0, v, "A4 - . . C5 . E5 -", 2);
    const std::vector<int16_t> out = loop.finish(kMusicPeak, 0.1, 0.0);
    auto loudest = [&](int step0, int step1) {
        int m = 0;
        for (int i = step0 * kStep + 60; i < step1 * kStep - 60; ++i) {
            m = std::max(m, std::abs(int{out[static_cast<size_t>(i)]}));
        }
        return m;
    };
    struct Case {
        int from, to;  // steps
        bool sounding;
    };
    const Case cases[] = {
        {0, 4, true}, {4, 8, false}, {8, 10, true}, {10, 12, false}, {12, 16, true}};
    for (const Case& c : cases) {
        EXPECT_EQ(loudest(c.from, c.to) > kMusicPeak / 3, c.sounding) << c.from << "-" << c.to;
    }
}

}  // namespace
}  // namespace assetgen
