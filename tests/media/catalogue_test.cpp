#include "media/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "media/catalogue_sound.h"
#include "media/loaders.h"
#include "media/paint.h"

namespace media {
namespace {

struct NoAudio : AudioOut {
    int upload(const SoundData&) override { return 0; }
    void play(int, bool) override {}
    void stop(int) override {}
    void reset() override {}
};

// One built catalogue: the four lists as the game holds them.
struct Catalogue {
    NoAudio out;
    DXSound sound{out};
    ImageList efectos, icone;
    WaveList snd{"Snd", sound}, vitoria{"Vitoria", sound};
    Catalogue() { criarCatalogo(efectos, icone, snd, vitoria); }
};

Catalogue& built() {
    static auto* c = new Catalogue();
    return *c;
}

enum class List { Efectos, Icone };

const ImageItem& item(List l, int i) {
    return (l == List::Efectos ? built().efectos : built().icone).Items(i);
}

TEST(CatalogueItems, ListsHoldEveryItem) {
    Catalogue& c = built();
    EXPECT_EQ(c.efectos.Count(), 80);
    EXPECT_EQ(c.icone.Count(), 8);
    ASSERT_EQ(c.snd.Count(), 57);
    ASSERT_EQ(c.vitoria.Count(), 12);
    for (int i = 0; i < 57; ++i)
        EXPECT_FALSE(c.snd.Items(i).data.empty()) << "Snd " << i;
    for (int i = 0; i < 12; ++i)
        EXPECT_FALSE(c.vitoria.Items(i).data.empty()) << "Vitoria " << i;
}

TEST(CatalogueItems, EachPictureHasItsSizeAndKey) {
    constexpr TColor kTileKey = rgb(9, 10, 99);
    struct Case {
        List list;
        int index, w, h;
        bool transparent;
        TColor key;
    };
    const Case cases[] = {
        {List::Efectos, 0, 70, 14, true, kWhite},    {List::Efectos, 1, 68, 72, true, kWhite},
        {List::Efectos, 3, 68, 72, true, kWhite},    {List::Efectos, 4, 18, 17, true, kWhite},
        {List::Efectos, 8, 18, 17, true, kWhite},    {List::Efectos, 9, 76, 134, true, kWhite},
        {List::Efectos, 10, 26, 20, true, kWhite},   {List::Efectos, 11, 26, 20, true, kWhite},
        {List::Efectos, 12, 0, 0, true, kWhite},     {List::Efectos, 13, 25, 19, true, kWhite},
        {List::Efectos, 14, 25, 19, true, kWhite},   {List::Efectos, 15, 77, 57, true, kWhite},
        {List::Efectos, 18, 77, 57, true, kWhite},   {List::Efectos, 19, 117, 49, true, kWhite},
        {List::Efectos, 20, 117, 174, true, kWhite}, {List::Efectos, 21, 117, 240, true, kWhite},
        {List::Efectos, 22, 52, 45, true, kWhite},   {List::Efectos, 25, 52, 45, true, kWhite},
        {List::Efectos, 26, 40, 57, true, kWhite},   {List::Efectos, 32, 40, 57, true, kWhite},
        {List::Efectos, 33, 34, 29, true, kWhite},   {List::Efectos, 37, 41, 33, true, kWhite},
        {List::Efectos, 38, 64, 64, true, kWhite},   {List::Efectos, 41, 64, 64, true, kWhite},
        {List::Efectos, 42, 60, 33, true, kWhite},   {List::Efectos, 45, 60, 33, true, kWhite},
        {List::Efectos, 46, 39, 39, true, kWhite},   {List::Efectos, 48, 39, 39, true, kWhite},
        {List::Efectos, 49, 65, 65, true, kWhite},   {List::Efectos, 52, 65, 65, true, kWhite},
        {List::Efectos, 53, 48, 36, true, kWhite},   {List::Efectos, 58, 48, 36, true, kWhite},
        {List::Efectos, 59, 75, 79, true, kWhite},   {List::Efectos, 61, 75, 79, true, kWhite},
        {List::Efectos, 62, 69, 24, true, kWhite},   {List::Efectos, 65, 69, 24, true, kWhite},
        {List::Efectos, 66, 48, 49, true, kWhite},   {List::Efectos, 69, 48, 49, true, kWhite},
        {List::Efectos, 70, 20, 15, true, kWhite},   {List::Efectos, 71, 20, 15, true, kWhite},
        {List::Efectos, 72, 17, 46, true, kWhite},   {List::Efectos, 73, 33, 13, true, kWhite},
        {List::Efectos, 74, 74, 12, true, kWhite},   {List::Efectos, 75, 21, 13, true, kWhite},
        {List::Efectos, 76, 105, 142, true, kWhite}, {List::Efectos, 79, 105, 162, true, kWhite},
        {List::Icone, 0, 12, 12, true, kWhite},      {List::Icone, 1, 12, 12, true, kWhite},
        {List::Icone, 2, 12, 12, true, kWhite},      {List::Icone, 3, 12, 12, true, kWhite},
        {List::Icone, 4, 12, 12, true, kWhite},      {List::Icone, 5, 12, 12, true, kWhite},
        {List::Icone, 6, 144, 98, true, kWhite},     {List::Icone, 7, 100, 100, false, kTileKey},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << (c.list == List::Efectos ? "Efectos " : "Icone ") << c.index);
        const ImageItem& it = item(c.list, c.index);
        EXPECT_EQ(it.Width(), c.w);
        EXPECT_EQ(it.Height(), c.h);
        EXPECT_EQ(it.Transparent, c.transparent);
        EXPECT_EQ(it.TransparentColor, c.key);
        EXPECT_EQ(it.empty(), c.w == 0);  // restored, so it draws
    }
}

TEST(CatalogueItems, RangedSizesGrowWithinTheirRange) {
    struct Case {
        int first, last, minW, minH, maxW, maxH;
    };
    const Case cases[] = {{33, 37, 34, 29, 41, 33}, {76, 79, 105, 142, 105, 162}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first);
        for (int i = c.first; i <= c.last; ++i) {
            const ImageItem& it = item(List::Efectos, i);
            EXPECT_GE(it.Width(), c.minW);
            EXPECT_LE(it.Width(), c.maxW);
            EXPECT_GE(it.Height(), c.minH);
            EXPECT_LE(it.Height(), c.maxH);
            if (i > c.first) {
                EXPECT_GE(it.Height(), item(List::Efectos, i - 1).Height());
            }
        }
    }
}

// Opaque pixels of a keyed item, and whether its outer border is all key colour.
struct Coverage {
    int opaque = 0, total = 0;
    bool borderClear = true;
};

Coverage coverageOf(const ImageItem& it) {
    Coverage c;
    const Picture& p = it.picture();
    for (int y = 0; y < p.height(); ++y) {
        for (int x = 0; x < p.width(); ++x) {
            const bool drawn = p.pixel(x, y) != kWhite;
            ++c.total;
            c.opaque += drawn ? 1 : 0;
            const bool border = x == 0 || y == 0 || x == p.width() - 1 || y == p.height() - 1;
            if (border && drawn) c.borderClear = false;
        }
    }
    return c;
}

TEST(CatalogueItems, KeyedFiguresStandOnTheKeyColour) {
    struct Case {
        List list;
        int first, last;
    };
    const Case cases[] = {{List::Efectos, 0, 11}, {List::Efectos, 13, 79}, {List::Icone, 0, 6}};
    for (const Case& c : cases) {
        for (int i = c.first; i <= c.last; ++i) {
            SCOPED_TRACE(testing::Message()
                         << (c.list == List::Efectos ? "Efectos " : "Icone ") << i);
            const Coverage cov = coverageOf(item(c.list, i));
            EXPECT_TRUE(cov.borderClear) << "the figure touches the picture's edge";
            // Enough figure to read, and enough key around it to be a figure at all.
            EXPECT_GT(cov.opaque * 50, cov.total);
            EXPECT_LT(cov.opaque, cov.total);
            EXPECT_TRUE(item(c.list, i).opaqueAt(0, 0) == false);
        }
    }
}

TEST(CatalogueItems, FlyingObjectHangsItsBasketOverItsShadow) {
    // The game lays the shadow over rows 125 … 134 and columns 10 … 59 of the picture: the
    // basket's solid bottom must be the lowest thing drawn, in there, and narrower than the
    // envelope above it.
    const ImageItem& it = item(List::Efectos, 9);
    int lowest = -1, bottomLeft = 76, bottomRight = -1, widest = 0;
    for (int y = 0; y < 134; ++y) {
        int left = 76, right = -1;
        for (int x = 0; x < 76; ++x) {
            if (!it.opaqueAt(x, y)) continue;
            left = std::min(left, x);
            right = std::max(right, x);
        }
        if (right < 0) continue;
        lowest = y, bottomLeft = left, bottomRight = right;
        widest = std::max(widest, right - left + 1);
    }
    EXPECT_GE(lowest, 125);
    EXPECT_GE(bottomLeft, 10);
    EXPECT_LE(bottomRight, 59);
    EXPECT_GT(widest, 2 * (bottomRight - bottomLeft + 1));
    for (int x = 30; x < 46; ++x)
        EXPECT_TRUE(it.opaqueAt(x, lowest - 1)) << "a gap in the basket's bottom at " << x;
}

TEST(CatalogueItems, PauseTileIsOpaqueAndMeetsItsNeighbours) {
    const Picture& p = item(List::Icone, 7).picture();
    int keyed = 0;
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(p.pixel(0, i), p.pixel(99, i)) << "row " << i;
        EXPECT_EQ(p.pixel(i, 0), p.pixel(i, 99)) << "column " << i;
        for (int j = 0; j < 100; ++j)
            keyed += item(List::Icone, 7).opaqueAt(i, j) ? 0 : 1;
    }
    EXPECT_EQ(keyed, 0);
    // A pattern, not a flat fill: the centre is lit, the edge is deep blue.
    EXPECT_NE(p.pixel(50, 50), p.pixel(0, 0));
    EXPECT_GT(blue(p.pixel(0, 0)), red(p.pixel(0, 0)));
}

TEST(CatalogueItems, LeftFacingPicturesMirrorTheRightFacingOnes) {
    struct Case {
        int left, right;
    };
    const Case cases[] = {{14, 13}, {17, 15}, {18, 16}, {24, 22}, {25, 23}, {40, 38},
                          {41, 39}, {44, 42}, {45, 43}, {51, 49}, {52, 50}, {56, 53},
                          {57, 54}, {64, 62}, {65, 63}, {68, 66}, {69, 67}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.left);
        const Picture& l = item(List::Efectos, c.left).picture();
        const Picture& r = item(List::Efectos, c.right).picture();
        ASSERT_EQ(l.width(), r.width());
        ASSERT_EQ(l.height(), r.height());
        int differing = 0;
        for (int y = 0; y < l.height(); ++y) {
            for (int x = 0; x < l.width(); ++x)
                differing += l.pixel(x, y) != r.pixel(l.width() - 1 - x, y) ? 1 : 0;
        }
        EXPECT_EQ(differing, 0);
    }
}

// Two pictures that are not the same frame drawn twice.
int differingPixels(const Picture& a, const Picture& b) {
    if (a.width() != b.width() || a.height() != b.height()) return a.width() * a.height() + 1;
    int n = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
    }
    return n;
}

TEST(CatalogueItems, AnimationFramesMove) {
    struct Case {
        const char* role;
        int first, last;
    };
    const Case cases[] = {{"hit flash", 1, 3}, {"puff", 4, 8},       {"projectile 1", 15, 16},
                          {"column", 19, 21},  {"orb", 22, 23},      {"blood", 26, 32},
                          {"fire", 33, 37},    {"fireball", 38, 39}, {"shard", 42, 43},
                          {"spark", 46, 48},   {"thunder", 49, 50},  {"flames", 53, 54},
                          {"aura", 59, 61},    {"low", 62, 63},      {"diving", 66, 67},
                          {"bat", 70, 71},     {"whirlwind", 76, 79}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.role);
        for (int i = c.first; i < c.last; ++i) {
            EXPECT_GT(differingPixels(item(List::Efectos, i).picture(),
                                      item(List::Efectos, i + 1).picture()),
                      10)
                << "frames " << i << " and " << i + 1;
        }
    }
}

TEST(CatalogueItems, ShadowIsADarkSolidEllipse) {
    const Picture& p = item(List::Efectos, 0).picture();
    // Drawn blended at a low weight, it must be dark and have no holes across its middle row.
    for (int x = 4; x < 66; ++x) {
        const TColor c = p.pixel(x, 7);
        EXPECT_NE(c, kWhite) << x;
        EXPECT_LT(red(c) + green(c) + blue(c), 120) << x;
    }
    EXPECT_EQ(p.pixel(2, 1), kWhite);  // the corners are outside the ellipse
}

TEST(CatalogueItems, ArrowIconsPointTheirWay) {
    struct Case {
        int index, dx, dy;
    };
    // 0 up, 1 down, 2 right, 3 left, 4 down-back, 5 down-forward.
    const Case cases[] = {{0, 0, -1}, {1, 0, 1}, {2, 1, 0}, {3, -1, 0}, {4, -1, 1}, {5, 1, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        const ImageItem& it = item(List::Icone, c.index);
        int ahead = 0, behind = 0;
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 12; ++x) {
                if (!it.opaqueAt(x, y)) continue;
                const int along = (2 * x - 11) * c.dx + (2 * y - 11) * c.dy;
                ahead += along > 0 ? 1 : 0;
                behind += along < 0 ? 1 : 0;
            }
        }
        // The head is wider than the shaft, so the pointing half holds more of the arrow.
        EXPECT_GT(ahead, behind);
    }
}

// ---- sounds ---------------------------------------------------------------------------------

uint32_t le(const std::vector<uint8_t>& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | b[at + static_cast<size_t>(i)];
    return v;
}

bool tagAt(const std::vector<uint8_t>& b, size_t at, const char* t) {
    for (size_t i = 0; i < 4; ++i) {
        if (b[at + i] != static_cast<uint8_t>(t[i])) return false;
    }
    return true;
}

constexpr size_t kHeader = 44;

TEST(CatalogueSounds, EachIsAn8BitMonoWaveThatLoads) {
    struct Case {
        BuiltinSounds list;
        int count;
        double maxSeconds;
    };
    const Case cases[] = {{BuiltinSounds::Snd, 57, 0.65}, {BuiltinSounds::Vitoria, 12, 1.05}};
    for (const Case& c : cases) {
        for (int i = 0; i < c.count; ++i) {
            SCOPED_TRACE(testing::Message()
                         << (c.list == BuiltinSounds::Snd ? "Snd " : "Vit ") << i);
            const std::vector<uint8_t> w = builtinSoundWav(c.list, i);
            ASSERT_GT(w.size(), kHeader);
            EXPECT_TRUE(tagAt(w, 0, "RIFF") && tagAt(w, 8, "WAVE") && tagAt(w, 12, "fmt "));
            EXPECT_EQ(le(w, 4, 4), w.size() - 8);
            EXPECT_EQ(le(w, 20, 2), 1u);      // PCM
            EXPECT_EQ(le(w, 22, 2), 1u);      // mono
            EXPECT_EQ(le(w, 24, 4), 22050u);  // rate
            EXPECT_EQ(le(w, 28, 4), 22050u);  // bytes per second
            EXPECT_EQ(le(w, 34, 2), 8u);      // bits
            EXPECT_TRUE(tagAt(w, 36, "data"));
            const size_t samples = le(w, 40, 4);
            EXPECT_EQ(samples, w.size() - kHeader);
            EXPECT_GE(samples, 22050u / 20);
            EXPECT_LE(samples, static_cast<size_t>(22050 * c.maxSeconds));
            SoundData d;
            EXPECT_TRUE(decodeSound(w.data(), w.size(), d));
            EXPECT_FALSE(d.empty());
        }
    }
    EXPECT_TRUE(builtinSoundWav(BuiltinSounds::Snd, 57).empty());
    EXPECT_TRUE(builtinSoundWav(BuiltinSounds::Vitoria, -1).empty());
}

TEST(CatalogueSounds, StartAndEndQuietlyAndNeverClip) {
    struct Case {
        BuiltinSounds list;
        int count;
    };
    const Case cases[] = {{BuiltinSounds::Snd, 57}, {BuiltinSounds::Vitoria, 12}};
    for (const Case& c : cases) {
        for (int i = 0; i < c.count; ++i) {
            SCOPED_TRACE(testing::Message()
                         << (c.list == BuiltinSounds::Snd ? "Snd " : "Vit ") << i);
            const std::vector<uint8_t> w = builtinSoundWav(c.list, i);
            EXPECT_LE(std::abs(w[kHeader] - 128), 2);
            EXPECT_LE(std::abs(w.back() - 128), 2);
            int peak = 0;
            for (size_t k = kHeader; k < w.size(); ++k)
                peak = std::max(peak, std::abs(w[k] - 128));
            EXPECT_GE(peak, 100);  // normalised: every sound is about as loud
            EXPECT_LT(peak, 127);  // and never hits the rails
        }
    }
}

TEST(CatalogueSounds, VoicesDifferPerCharacter) {
    // The victory voices, and the shouts that share a syllable, differ between characters.
    struct Case {
        BuiltinSounds list;
        int a, b;
    };
    const Case cases[] = {{BuiltinSounds::Vitoria, 0, 1},  {BuiltinSounds::Vitoria, 2, 9},
                          {BuiltinSounds::Vitoria, 7, 11}, {BuiltinSounds::Snd, 16, 20},
                          {BuiltinSounds::Snd, 20, 36},    {BuiltinSounds::Snd, 14, 53}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " vs " << c.b);
        EXPECT_NE(builtinSoundWav(c.list, c.a), builtinSoundWav(c.list, c.b));
    }
}

TEST(Catalogue, BuildsTheSameBytesEveryTime) {
    Catalogue again;
    Catalogue& first = built();
    for (int i = 0; i < 80; ++i)
        EXPECT_EQ(
            differingPixels(first.efectos.Items(i).picture(), again.efectos.Items(i).picture()), 0)
            << "Efectos " << i;
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(differingPixels(first.icone.Items(i).picture(), again.icone.Items(i).picture()),
                  0)
            << "Icone " << i;
    for (int i = 0; i < 57; ++i)
        EXPECT_EQ(first.snd.Items(i).data.samples, again.snd.Items(i).data.samples) << "Snd " << i;
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(first.vitoria.Items(i).data.samples, again.vitoria.Items(i).data.samples)
            << "Vitoria " << i;
    }
}

// ---- the painter ---------------------------------------------------------------------------

TEST(Painter, ShapesCoverTheirPixelsAndNoOthers) {
    struct Case {
        const char* shape;
        int x, y;
        bool filled;
    };
    Picture p(20, 20);
    Painter paint(p);
    paint.ellipse(5.0f, 5.0f, 4.0f, 3.0f, rgb(200, 0, 0));          // x 1 … 8, y 2 … 7
    paint.polygon({{10, 10}, {19, 10}, {10, 19}}, rgb(0, 200, 0));  // lower-left half of a box
    paint.line(1, 15, 7, 15, 2.0f, rgb(0, 0, 200));                 // rows 14 and 15
    const Case cases[] = {
        {"ellipse centre", 5, 5, true},
        {"ellipse left end", 1, 5, true},
        {"ellipse right end", 8, 5, true},
        {"ellipse past its end", 9, 5, false},
        {"ellipse corner", 1, 2, false},
        {"ellipse top", 5, 2, true},
        {"triangle corner", 10, 10, true},
        {"triangle hypotenuse inside", 13, 14, true},
        {"triangle outside", 16, 16, false},
        {"line", 4, 14, true},
        {"line", 4, 15, true},
        {"past the line", 4, 16, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(p.pixel(c.x, c.y) != kWhite, c.filled) << c.shape << " at " << c.x << "," << c.y;
}

TEST(Painter, NeverLaysDownTheKeyAndOutlinesOnlyTheEdge) {
    Picture p(9, 9);
    Painter paint(p);
    paint.rect(2, 2, 7, 7, kWhite);  // white paint becomes near-white, so it stays visible
    EXPECT_EQ(p.pixel(4, 4), kNearWhite);
    paint.rect(2, 2, 7, 7, rgb(200, 100, 50));
    paint.outlineWith(rgb(10, 10, 10));
    struct Case {
        int x, y;
        TColor c;
    };
    const Case cases[] = {{2, 2, rgb(10, 10, 10)},   {6, 4, rgb(10, 10, 10)},
                          {4, 6, rgb(10, 10, 10)},   {3, 3, rgb(200, 100, 50)},
                          {5, 5, rgb(200, 100, 50)}, {1, 4, kWhite}};
    for (const Case& c : cases)
        EXPECT_EQ(p.pixel(c.x, c.y), c.c) << c.x << "," << c.y;
    const Picture m = mirrored(p);
    EXPECT_EQ(m.pixel(8 - 2, 3), p.pixel(2, 3));
    EXPECT_EQ(m.pixel(8 - 3, 3), p.pixel(3, 3));
}

}  // namespace
}  // namespace media
