// Portraits: a head-and-shoulders bust of each character, facing right, on the white key.
#include <cmath>

#include "animation/sheets.h"
#include "assetgen/assetgen.h"
#include "assetgen/characters.h"
#include "assetgen/fighters.h"
#include "assetgen/files.h"
#include "media/bmp_writer.h"

namespace assetgen {
namespace {

constexpr float kHeadShare = 0.23f;  // head radius as a share of the portrait's width
constexpr float kHeadX = 0.47f, kHeadY = 0.4f;

Pose bustPose() {
    Pose p;
    p.head = -4;
    p.armF = {12, 20};
    p.armB = {-8, -2};
    return p;
}

}  // namespace

media::Picture renderPortrait(int slot, bool large) {
    const int w = large ? kLargePortraitW : kSmallPortraitW;
    const int h = large ? kLargePortraitH : kSmallPortraitH;
    media::Picture pic(w, h, media::kWhite);
    Character c = characterOf(slot);
    const Build& b = c.build;
    c.build.height = kHeadShare * w / b.headR;
    const float headAbovePelvis = (b.torso + b.neck + b.headR) * c.build.height;
    Raster r(pic, {0, 0, w, h}, {std::round(kHeadX * w), std::round(kHeadY * h + headAbovePelvis)});
    r.draw(figureShapes(c, bustPose()));
    return pic;
}

bool writePortraits(const std::string& dir) {
    for (int slot = 1; slot <= pelea::sheets::kSlots; ++slot) {
        const std::string base = inDir(dir, "R" + twoDigits(slot));
        if (!media::writeBmp(base + "-a.bmp", renderPortrait(slot, false))) return false;
        if (!media::writeBmp(base + "-b.bmp", renderPortrait(slot, true))) return false;
    }
    return true;
}

}  // namespace assetgen
