#include "assetgen/fighters.h"

#include <algorithm>
#include <cmath>

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

Box unionOf(const std::vector<Shape>& shapes) {
    Box b{1e9f, 1e9f, -1e9f, -1e9f};
    for (const Shape& s : shapes) {
        const Box o = boundsOf(s);
        b = {std::min(b.left, o.left), std::min(b.top, o.top), std::max(b.right, o.right),
             std::max(b.bottom, o.bottom)};
    }
    return b;
}

// How much the reaching limb must stretch for its tip to meet the frame's edge at column edgeX
// (relative to the pelvis).
float stretchFor(const Character& c, const Pose& p, float edgeX) {
    if (p.reach == Reach::None) return 1.0f;
    const float root = reachTip(c, p, 0.0f).x, tip = reachTip(c, p, 1.0f).x;
    if (tip - root < 4.0f) return 1.0f;
    return std::clamp((edgeX - root) / (tip - root), kMinStretch, kMaxStretch);
}

void drawFrame(media::Picture& sheet, int slot, int k) {
    const Character& c = characterOf(slot);
    const Pose pose = framePose(slot, k);
    const int left = pelea::sheets::frameLeft(slot, k), w = pelea::sheets::frameWidth(slot, k);
    const int h = pelea::sheets::sheet(slot).h, anchor = pelea::anchors::meio(slot, k);
    const float height = c.build.height;
    float pelvisX = anchor + pose.dx * height;
    const float edge = static_cast<float>(w - kReachMargin);
    if (pose.reach != Reach::None) {  // lean into a long reach before stretching the limb
        const float short_ = edge - pelvisX - reachTip(c, pose, kMaxStretch).x;
        pelvisX += std::clamp(short_, 0.0f, kMaxLean * height);
    }
    const float s = stretchFor(c, pose, edge - pelvisX);
    const std::vector<Shape> shapes = figureShapes(c, pose, s);
    const Box b = unionOf(shapes);
    // Slide a figure that spills out of its frame back in, a little.
    const float nudge = kMaxNudge * height;
    if (pelvisX + b.left < 0) pelvisX += std::min(nudge, -(pelvisX + b.left));
    if (pose.reach == Reach::None && pelvisX + b.right > w) {
        pelvisX -= std::min(nudge, pelvisX + b.right - w);
    }
    const float pelvisY = h - pose.lift * height - b.bottom;
    Raster r(sheet, {left, 0, left + w, h}, {left + std::round(pelvisX), std::round(pelvisY)});
    r.draw(shapes);
}

}  // namespace

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
