// Measures of the generated fighters, printed for whoever writes the animation tables: how each
// figure sits in its frame, where its body is and where its reaching fist or foot ends.
#include <algorithm>
#include <cmath>
#include <vector>

#include "animation/anchors.h"
#include "animation/personagens.h"
#include "animation/sheets.h"
#include "assetgen/assetgen.h"
#include "assetgen/characters.h"
#include "assetgen/fighters.h"
#include "assetgen/poses.h"
#include "fighter/acao_especiais.h"
#include "game/tform1.h"
#include "platform/headless/headless_platform.h"

namespace assetgen {
namespace {

constexpr float kBodyColumn = 0.3f;  // a body column holds this share of the fullest column's ink

struct Measure {
    int inkL, inkT, inkR, inkB;      // all ink
    int bodyL, bodyT, bodyR, bodyB;  // the columns that hold the body
};

Measure measure(const media::Picture& sheet, int slot, int k) {
    const int left = pelea::sheets::frameLeft(slot, k), w = pelea::sheets::frameWidth(slot, k);
    const int h = pelea::sheets::sheet(slot).h;
    std::vector<int> column(static_cast<size_t>(w), 0);
    Measure m{w, h, 0, 0, w, h, 0, 0};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (sheet.pixel(left + x, y) == media::kWhite) continue;
            ++column[static_cast<size_t>(x)];
            m.inkL = std::min(m.inkL, x);
            m.inkR = std::max(m.inkR, x + 1);
            m.inkT = std::min(m.inkT, y);
            m.inkB = std::max(m.inkB, y + 1);
        }
    }
    const int fullest = *std::max_element(column.begin(), column.end());
    for (int x = 0; x < w; ++x) {
        if (column[static_cast<size_t>(x)] < kBodyColumn * fullest) continue;
        m.bodyL = std::min(m.bodyL, x);
        m.bodyR = std::max(m.bodyR, x + 1);
        for (int y = 0; y < h; ++y) {
            if (sheet.pixel(left + x, y) == media::kWhite) continue;
            m.bodyT = std::min(m.bodyT, y);
            m.bodyB = std::max(m.bodyB, y + 1);
        }
    }
    return m;
}

// The ink of frame k inside a box (x from the anchor, y from the top): its tight extent, and
// whether there is any.
bool inkWithin(const media::Picture& sheet, int slot, int k, Box& b) {
    const int left = pelea::sheets::frameLeft(slot, k), w = pelea::sheets::frameWidth(slot, k);
    const int a = pelea::anchors::meio(slot, k), h = pelea::sheets::sheet(slot).h;
    Box ink{1e9f, 1e9f, -1e9f, -1e9f};
    for (int y = std::max(0, static_cast<int>(b.top)); y < std::min(h, static_cast<int>(b.bottom));
         ++y) {
        for (int x = std::max(0, a + static_cast<int>(b.left));
             x < std::min(w, a + static_cast<int>(b.right)); ++x) {
            if (sheet.pixel(left + x, y) == media::kWhite) continue;
            const float fx = static_cast<float>(x - a), fy = static_cast<float>(y);
            ink = {std::min(ink.left, fx), std::min(ink.top, fy), std::max(ink.right, fx + 1),
                   std::max(ink.bottom, fy + 1)};
        }
    }
    if (ink.right < ink.left) return false;
    b = ink;
    return true;
}

// Where frame k can be hit, from the anchor and the frame's top: across its trunk and head,
// down to its feet, tightened to the ink inside, and reaching back to the anchor where the
// figure stands over it.
Box trunkOf(const media::Picture& sheet, int slot, int k) {
    const FramePlacement at = placementOf(slot, k);
    const Box b = bodyBox(characterOf(slot), framePose(slot, k), at.stretch);
    const int a = pelea::anchors::meio(slot, k);
    const auto x = [&](float v) {
        return std::round(at.pelvis.x + v * at.sx) - static_cast<float>(a);
    };
    const auto y = [&](float v) { return std::round(at.pelvis.y + v * at.sy); };
    Box box{x(b.left), y(b.top), x(b.right), y(b.bottom) + 12};  // the feet below the ankles
    inkWithin(sheet, slot, k, box);
    Box anchor{-1, box.top, std::min(box.left, 1.0f), box.bottom};
    if (box.left > 0 && inkWithin(sheet, slot, k, anchor)) box.left = anchor.left;
    return box;
}

}  // namespace

int frameAt(int slot, int pos, int ciclo, int t) {
    platform::HeadlessPlatform plat;
    pelea::StartOptions o;
    o.seeded = true;
    o.seed = 1;
    pelea::TForm1 game(plat, o);
    pelea::Lutador& l = game.L(1);
    l.personagem = static_cast<uint8_t>(slot);
    l.x = 200;
    l.y = 300;
    l.lado = 1;
    game.L(2).x = 600;
    game.L(2).y = 300;
    l.pos = static_cast<uint8_t>(pos);
    l.t = static_cast<uint8_t>(t);
    l.desenho = 0;
    for (const pelea::especial::Linha& r : pelea::especial::tabela(slot)) {
        if (r.pos == pos && r.super) l.desenho = r.quadro;  // the super's frame comes with it
    }
    for (int c = 0; c <= ciclo; ++c) {
        l.pos = static_cast<uint8_t>(pos);
        l.ciclo = static_cast<uint8_t>(c);
        game.definedesenho(1);
    }
    return l.desenho == 0 ? 1 : l.desenho;
}

void printAreas(std::FILE* out, int slot) {
    const media::Picture sheet = renderSheet(slot);
    const pelea::animacao::Tabelas t = pelea::animacao::tabelas(slot);
    std::fprintf(out, "// contact rows of slot %d (frame, x1, y1, x2, y2)\n", slot);
    for (const auto& r : t.contato) {
        const Box b = trunkOf(sheet, slot, r.frame);
        std::fprintf(out, "    {%d, %.0f, %.0f, %.0f, %.0f},\n", r.frame, b.left, b.top, b.right,
                     b.bottom);
    }
    std::fprintf(out, "// attack rows of slot %d\n", slot);
    for (const auto& r : t.ataque) {
        const int k = frameAt(slot, r.state, r.ciclo, r.tOnly != 0 ? r.tOnly : 1);
        const int a = pelea::anchors::meio(slot, k);
        const Measure m = measure(sheet, slot, k);
        const Pose pose = framePose(slot, k);
        // A body blow strikes with the front of the body and a little beyond it: the pushing
        // rule keeps two bodies 5 pixels apart.
        int x1 = m.bodyR - a - 24, y1 = m.bodyT, x2 = m.bodyR - a + 14, y2 = m.bodyB;
        if (pose.reach != Reach::None) {
            const FramePlacement at = placementOf(slot, k);
            const Vec tip = reachTip(characterOf(slot), pose, at.stretch);
            const int tx = static_cast<int>(std::lround(at.pelvis.x + at.sx * tip.x)) - a;
            const int ty = static_cast<int>(std::lround(at.pelvis.y + at.sy * tip.y));
            // Like the first character's blows, an area runs along the reaching limb from well
            // behind its fist or foot to a little past it.
            x1 = tx - 45;
            y1 = ty - 14;
            x2 = tx + 12;
            y2 = ty + 14;
        }
        std::fprintf(out, "    {%d, %d, %d, %d, %d, %d, %d, %d, %d, %d, %d},  // frame %d\n",
                     r.state, r.ciclo, r.tOnly, x1, y1, x2, y2, r.live, r.klass, r.damage,
                     r.blockDamage, k);
    }
}

void printMeasures(std::FILE* out) {
    std::fprintf(out,
                 "# slot frame width anchor squeeze spill | ink x1 y1 x2 y2 | body x1 y1 x2 y2 | "
                 "tip x y (x from the anchor, y from the top)\n");
    for (int slot = 1; slot <= pelea::sheets::kSlots; ++slot) {
        const media::Picture sheet = renderSheet(slot);
        for (int k = 1; k <= pelea::sheets::sheet(slot).n; ++k) {
            const int a = pelea::anchors::meio(slot, k);
            const Measure m = measure(sheet, slot, k);
            const FramePlacement at = placementOf(slot, k);
            const Pose pose = framePose(slot, k);
            std::fprintf(out, "%2d %2d %3d %3d %.2f %.2f %4d | %4d %4d %4d %4d | %4d %4d %4d %4d",
                         slot, k, pelea::sheets::frameWidth(slot, k), a, at.sx, at.sy,
                         spillOf(slot, k), m.inkL - a, m.inkT, m.inkR - a, m.inkB, m.bodyL - a,
                         m.bodyT, m.bodyR - a, m.bodyB);
            if (pose.reach != Reach::None) {
                const Vec tip = reachTip(characterOf(slot), pose, at.stretch);
                std::fprintf(out, " | %4.0f %4.0f", at.pelvis.x + at.sx * tip.x - a,
                             at.pelvis.y + at.sy * tip.y);
            }
            std::fprintf(out, "\n");
        }
    }
}

}  // namespace assetgen
