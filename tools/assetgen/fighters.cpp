#include "assetgen/fighters.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "animation/anchors.h"
#include "animation/sheets.h"
#include "assetgen/assetgen.h"
#include "assetgen/characters.h"
#include "assetgen/files.h"
#include "assetgen/poses.h"
#include "media/bmp_writer.h"

namespace assetgen {
namespace {

constexpr float kMinStretch = 0.7f, kMaxStretch = 1.35f;
constexpr float kMaxLean = 0.1f;    // how far (in heights) a reaching body may lean past its anchor
constexpr int kReachMargin = 1;     // columns left free beyond the reaching fist or toe
constexpr float kMaxNudge = 0.12f;  // how far (in heights) a figure may slide to fit its frame
constexpr int kFitTries = 6;        // squeezes tried before the figure is known to fit
constexpr float kMinSqueeze = 0.7f;  // narrower than this, a figure slides instead

struct Ink {
    int left, top, right, bottom;  // columns and rows holding ink, right and bottom exclusive
    int outside;                   // inked pixels outside the frame
};

// How much the reaching limb must stretch for its tip to meet the frame's edge at column edgeX
// (relative to the pelvis).
float stretchFor(const Character& c, const Pose& p, float edgeX) {
    if (p.reach == Reach::None) return 1.0f;
    const float root = reachTip(c, p, 0.0f).x, tip = reachTip(c, p, 1.0f).x;
    if (tip - root < 4.0f) return 1.0f;
    return std::clamp((edgeX - root) / (tip - root), kMinStretch, kMaxStretch);
}

struct Frame {
    int slot, k, w, h, anchor;
};

Frame frameOf(int slot, int k) {
    return {slot, k, pelea::sheets::frameWidth(slot, k), pelea::sheets::sheet(slot).h,
            pelea::anchors::meio(slot, k)};
}

// Draws the shapes of a placement on a clean scratch picture just big enough for them, and
// reports where the ink lies relative to the frame.
Ink inkOf(const Frame& f, const std::vector<Shape>& shapes, const FramePlacement& at) {
    Box b{1e9f, 1e9f, -1e9f, -1e9f};
    for (const Shape& s : shapes) {
        if (s.hidden) continue;
        const Box o = paintBoundsOf(s);
        b = {std::min(b.left, o.left), std::min(b.top, o.top), std::max(b.right, o.right),
             std::max(b.bottom, o.bottom)};
    }
    // The figure's pixel span in frame coordinates, with a margin for rounding and the rim.
    const int x0 = static_cast<int>(std::floor(at.pelvis.x + b.left * at.sx)) - 3;
    const int y0 = static_cast<int>(std::floor(at.pelvis.y + b.top * at.sy)) - 3;
    const int x1 = static_cast<int>(std::ceil(at.pelvis.x + b.right * at.sx)) + 3;
    const int y1 = static_cast<int>(std::ceil(at.pelvis.y + b.bottom * at.sy)) + 3;
    media::Picture scratch(std::max(1, x1 - x0), std::max(1, y1 - y0), media::kWhite);
    Raster r(scratch, {0, 0, scratch.width(), scratch.height()},
             {at.pelvis.x - static_cast<float>(x0), at.pelvis.y - static_cast<float>(y0)}, at.sx,
             at.sy);
    r.draw(shapes);
    Ink ink{1 << 20, 1 << 20, -(1 << 20), -(1 << 20), 0};
    for (int y = 0; y < scratch.height(); ++y) {
        for (int x = 0; x < scratch.width(); ++x) {
            if (scratch.pixel(x, y) == media::kWhite) continue;
            const int fx = x + x0, fy = y + y0;
            ink = {std::min(ink.left, fx), std::min(ink.top, fy), std::max(ink.right, fx + 1),
                   std::max(ink.bottom, fy + 1), ink.outside};
            if (fx < 0 || fx >= f.w || fy < 0 || fy >= f.h) ++ink.outside;
        }
    }
    return ink;
}

// Whether any ink lies outside the frame, from the ink's extent alone (1 when it does).
int outsideOf(const Frame& f, const Ink& ink) {
    return ink.left < 0 || ink.top < 0 || ink.right > f.w || ink.bottom > f.h ? 1 : 0;
}

// The pose as its role asks: the pelvis near the anchor, a reaching limb stretched to the
// frame's far edge, the feet on the bottom row unless the pose is lifted.
FramePlacement natural(const Frame& f, const Character& c, const Pose& pose) {
    const float height = c.build.height;
    float pelvisX = f.anchor + pose.dx * height;
    const float edge = static_cast<float>(f.w - kReachMargin);
    if (pose.reach != Reach::None) {  // lean into a long reach before stretching the limb
        const float short_ = edge - pelvisX - reachTip(c, pose, kMaxStretch).x;
        pelvisX += std::clamp(short_, 0.0f, kMaxLean * height);
    }
    return {{pelvisX, 0.0f}, 1.0f, 1.0f, stretchFor(c, pose, edge - pelvisX)};
}

// Moves and squeezes a placement so that its ink lands inside the frame: first a small slide,
// then a squeeze across about the anchor column (a body turned a little away); where that would
// squeeze too hard (an anchor close to the frame's edge) the figure slides as far as it must and
// is squeezed only by what its width exceeds the frame's. A figure taller than the frame is
// squeezed down about its bottom row.
FramePlacement fitted(const Frame& f, FramePlacement at, const Ink& ink, float nudge) {
    float left = static_cast<float>(ink.left), right = static_cast<float>(ink.right);
    const float w = static_cast<float>(f.w);
    float slide = 0;
    if (left < 0 && right <= w) slide = std::min({nudge, -left, w - right});
    if (right > w && left >= 0) slide = -std::min({nudge, right - w, left});
    at.pelvis.x += slide;
    left += slide;
    right += slide;
    const float a = static_cast<float>(f.anchor);
    float s = 1.0f;
    if (left < 0) s = std::min(s, a / std::max(1.0f, a - left));
    if (right > w) s = std::min(s, (w - a) / std::max(1.0f, right - a));
    if (s >= kMinSqueeze) {
        at.pelvis.x = a + (at.pelvis.x - a) * s;
        at.sx *= s;
    } else {
        s = std::min(1.0f, w / (right - left));
        const float pelvis = (at.pelvis.x - left) * s;  // from the ink's left edge
        // Squeezed to the frame's width the ink fills it, give or take a rounding: never less
        // than no room at all.
        const float spare = std::max(0.0f, w - (right - left) * s);
        at.pelvis.x = std::clamp(a - pelvis, 0.0f, spare) + pelvis;
        at.sx *= s;
    }
    if (ink.top < 0) {
        const float bottom = static_cast<float>(ink.bottom);
        const float t = bottom / (bottom - static_cast<float>(ink.top));
        at.pelvis.y = bottom + (at.pelvis.y - bottom) * t;
        at.sy *= t;
    }
    return at;
}

struct Plan {
    std::vector<Shape> shapes;
    FramePlacement at;
    Ink ink;
};

float toward(float from, float to, float t) {
    return from + (to - from) * t;
}
Limb toward(Limb from, Limb to, float t) {
    return {toward(from.upper, to.upper, t), toward(from.lower, to.lower, t)};
}

// The guard's tucked limbs, the targets a pose is drawn towards when its frame is narrow.
constexpr Limb kTuckedArm{25, 160}, kTuckedLeg{6, 2}, kCurledLeg{95, -20};

// Limbs a narrow frame may tuck: an arm that is not raised above the shoulder, a leg that
// stands (a kneeling or kicking leg keeps its shape, and with it the figure's height).
bool tuckableArm(Limb a) {
    return a.upper < 120 && a.upper > -120;
}
bool standingLeg(Limb l) {
    return std::abs(l.upper) <= 45 && std::abs(l.lower) <= 45;
}

// A pose made narrower: `back` (0…1) brings a backward lean upright and the limbs behind the
// body in, `front` does the same for the limbs in front; the reaching limb keeps its reach. A
// turned or lying body curls instead.
Pose compacted(Pose p, float back, float front) {
    const bool armF =
        p.reach != Reach::FrontArm && p.reach != Reach::BothArms && tuckableArm(p.armF);
    const bool armB =
        p.reach != Reach::BackArm && p.reach != Reach::BothArms && tuckableArm(p.armB);
    if (p.rot != 0) {
        const float t = std::max(back, front);
        if (armF) p.armF = toward(p.armF, kTuckedArm, t);
        if (armB) p.armB = toward(p.armB, kTuckedArm, t);
        if (p.reach != Reach::FrontLeg) p.legF = toward(p.legF, kCurledLeg, t);
        if (p.reach != Reach::BackLeg) p.legB = toward(p.legB, kCurledLeg, t);
        return p;
    }
    if (p.lean < 0) p.lean = toward(p.lean, 0.0f, back);
    if (p.lean > 0 && p.reach == Reach::None) p.lean = toward(p.lean, 0.0f, front);
    p.head = toward(p.head, 0.0f, std::max(back, front) * 0.5f);
    if (armB) p.armB = toward(p.armB, kTuckedArm, back);
    if (p.reach != Reach::BackLeg && standingLeg(p.legB)) {
        p.legB = toward(p.legB, Limb{-kTuckedLeg.upper, -kTuckedLeg.lower}, back);
        p.footB = toward(p.footB, 90.0f, back);
    }
    if (armF) p.armF = toward(p.armF, kTuckedArm, front);
    if (p.reach != Reach::FrontLeg && standingLeg(p.legF))
        p.legF = toward(p.legF, kTuckedLeg, front);
    return p;
}

// A pose's figure placed by its role, with its feet on the bottom row (or lifted), measured.
Plan placed(const Frame& f, const Character& c, const Pose& pose) {
    FramePlacement at = natural(f, c, pose);
    std::vector<Shape> shapes = figureShapes(c, pose, at.stretch);
    Ink ink = inkOf(f, shapes, at);
    // A whole-pixel drop moves the ink by exactly as many rows.
    const int drop = static_cast<int>(std::lround(f.h - pose.lift * c.build.height)) - ink.bottom;
    at.pelvis.y += static_cast<float>(drop);
    ink.top += drop;
    ink.bottom += drop;
    ink.outside = outsideOf(f, ink);
    return {std::move(shapes), at, ink};
}

constexpr float kSteps[] = {0.25f, 0.5f, 0.75f, 1.0f};

Plan computePlan(int slot, int k) {
    const Frame f = frameOf(slot, k);
    const Character& c = characterOf(slot);
    const Pose pose = framePose(slot, k);
    const int nudge = static_cast<int>(kMaxNudge * c.build.height);
    // Tuck in the side that spills past what a small slide mends, then the other side, then
    // the first again while the figure is wider than its frame.
    float back = 0, front = 0;
    Plan p = placed(f, c, pose);
    const auto tighten = [&](float& side, auto needs) {
        for (float t : kSteps) {
            if (!needs(p.ink)) return;
            if (t <= side) continue;
            side = t;
            p = placed(f, c, compacted(pose, back, front));
        }
    };
    const auto wide = [&f](const Ink& i) { return i.right - i.left > f.w; };
    tighten(back, [&](const Ink& i) { return i.left < -nudge; });
    tighten(front, [&](const Ink& i) { return i.right > f.w + nudge || wide(i); });
    tighten(back, [&](const Ink& i) { return i.left < -nudge || wide(i); });
    // What is still out is slid, then squeezed, in.
    for (int i = 0; i < kFitTries && p.ink.outside > 0; ++i) {
        p.at = fitted(f, p.at, p.ink, i == 0 ? static_cast<float>(nudge) : 0.0f);
        if (i > 0) p.at.sx *= 0.99f;  // rounding left a pixel out: a hair narrower
        p.ink = inkOf(f, p.shapes, p.at);
    }
    return p;
}

// Every frame is planned once per run: the sheets, the previews and the measures share it.
const Plan& planOf(int slot, int k) {
    static std::map<std::pair<int, int>, Plan> plans;
    auto it = plans.find({slot, k});
    if (it == plans.end()) it = plans.emplace(std::pair{slot, k}, computePlan(slot, k)).first;
    return it->second;
}

void drawFrame(media::Picture& sheet, int slot, int k) {
    const Plan& p = planOf(slot, k);
    const int left = pelea::sheets::frameLeft(slot, k);
    const Frame f = frameOf(slot, k);
    Raster r(sheet, {left, 0, left + f.w, f.h}, {left + p.at.pelvis.x, p.at.pelvis.y}, p.at.sx,
             p.at.sy);
    r.draw(p.shapes);
}

}  // namespace

FramePlacement placementOf(int slot, int k) {
    return planOf(slot, k).at;
}

int spillOf(int slot, int k) {
    const Plan& p = planOf(slot, k);
    return inkOf(frameOf(slot, k), p.shapes, p.at).outside;
}

media::Picture renderSheet(int slot) {
    const pelea::sheets::SheetRow& row = pelea::sheets::sheet(slot);
    media::Picture sheet(pelea::sheets::sheetWidth(slot), row.h, media::kWhite);
    for (int k = 1; k <= row.n; ++k)
        drawFrame(sheet, slot, k);
    return sheet;
}

bool writeFighters(const std::string& dir) {
    for (int slot = 1; slot <= pelea::sheets::kSlots; ++slot) {
        const std::string name = "C" + twoDigits(slot) + ".bmp";
        if (!media::writeBmp(inDir(dir, name), renderSheet(slot))) return false;
    }
    return true;
}

}  // namespace assetgen
