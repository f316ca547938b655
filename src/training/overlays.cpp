#include "training/overlays.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace training {

namespace {

using pelea::TForm1;

constexpr media::TColor kWhite = media::kWhite;
constexpr media::TColor kStatusColour = media::rgb(255, 220, 120);
constexpr media::TColor kKeyColour = media::rgb(255, 214, 48);
constexpr media::TColor kHelpBand = media::rgb(16, 16, 24);
constexpr int kCentre = 200;

// The input columns: rows from under the combo counter ("Mangazos", 145 and 12 points high)
// down to the frame meter, so that no message of the game is covered. Fighter 1's column reads
// frames, arrows, buttons from the left edge; fighter 2's mirrors it at the right.
constexpr int kRowsTop = 164;
constexpr int kRowHeight = 9;
constexpr int kRowsShown = (kMeterTop - 1 - kRowsTop) / kRowHeight;
constexpr int kArrowStep = 11;  // the 12-pixel arrows overlap by their blank margin
constexpr int kArrowsWidth = 2 * kArrowStep + 2;
constexpr int kInputTextSize = 7;
constexpr int kCountWidth = 18;  // room for "999"
constexpr int kMargin = 2;

// The status line between the round lamps, above the messages. The frame data's three lines
// sit just above the frame meter, under the round's and the combo's texts, between the input
// columns.
constexpr int kStatusY = 70;
constexpr int kFrameDataLine = 10;
constexpr int kFrameDataY = kMeterTop - 1 - 3 * kFrameDataLine;
constexpr int kLineTextSize = 8;
constexpr int kFrameDataTextSize = 7;

// The key help: each key in yellow before what it does, above what the bottom display and the
// bottom line show (a full meter's "JUESU!" from 262, the stock counts, the meters, the level,
// credits and version), which it leaves to be read.
constexpr int kHelpTop = 251;
constexpr int kHelpBottom = 259;
constexpr int kHelpTextSize = 6;
constexpr int kHelpKeyGap = 2, kHelpPairGap = 4;
constexpr int kLeftArrow = 3;  // the icon that stands for the backspace key
constexpr int kArrowWidth = 12;
struct HelpPair {
    const char* key;  // nullptr: the backspace arrow
    const char* does;
};
constexpr HelpPair kHelp[] = {
    {"F3", "MUÑECO"}, {"F4", "CAJAS"}, {"F5", "TECLAS"},  {"F6", "DATOS"},  {"F7", "PAUSA"},
    {"F8", "PASO"},   {"F9", "GRABA"}, {"F10", "REPITE"}, {"F11", "PODER"}, {nullptr, "ATRÁS"},
};

constexpr int kSelectLineY = 48;

// A box relative to an anchor on the screen; an area never set (all zero) draws nothing.
void box(TForm1& form, int ox, int oy, const pelea::Area& a, media::TColor colour) {
    if (a.x1 == a.x2 || a.y1 == a.y2) return;
    form.retangulo(ox + a.x1, oy + a.y1, ox + a.x2, oy + a.y2, colour);
}

int textWidth(TForm1& form, std::string_view text, int size) {
    form.Canvas.setFontName("Comic Sans MS");
    form.Canvas.setFontSize(size);
    return form.Canvas.TextWidth(text);
}

void arrows(TForm1& form, int x, int y, uint32_t states) {
    const Arrows a = arrowsFor(states);
    for (int i = 0; i < a.count; ++i) {
        if (!form.DXImageListIcone.has(a.icons[i])) continue;
        form.DXImageListIcone.Items(a.icons[i])
            .Draw(form.DXDraw1.Surface, x + i * kArrowStep, y, 0);
    }
}

void leftRow(TForm1& form, int y, const HeldInput& in) {
    form.texto(kMargin + kCountWidth, y, std::to_string(in.frames), 'e', kInputTextSize, kWhite);
    const int ax = kMargin + kCountWidth + kMargin;
    arrows(form, ax, y, in.states);
    form.texto(ax + kArrowsWidth, y, buttonNames(in.states), '-', kInputTextSize, kWhite);
}

void rightRow(TForm1& form, int y, const HeldInput& in) {
    const int right = media::Surface::kWidth - kMargin;
    form.texto(right, y, std::to_string(in.frames), 'e', kInputTextSize, kWhite);
    const int ax = right - kCountWidth - kArrowsWidth;
    arrows(form, ax, y, in.states);
    form.texto(ax - kMargin, y, buttonNames(in.states), 'e', kInputTextSize, kWhite);
}

std::string signedFrames(const Advantage& a) {
    if (!a.known) return "--";
    return (a.frames > 0 ? "+" : "") + std::to_string(a.frames);
}

std::string oneDecimal(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", v);
    return text;
}

}  // namespace

void drawAreas(TForm1& form) {
    const pelea::MatchState& m = form.g.m;
    for (int n = 1; n <= 2; ++n) {
        const pelea::Lutador& l = form.L(n);
        const int ox = l.x - m.telaX, oy = l.y - l.altura - m.telaY;
        box(form, ox, oy, l.areaContato, kContactColour);
        if (l.ataque == 1) box(form, ox, oy, l.areaAtaque, kAttackColour);
    }
    for (int i = 1; i <= pelea::kEffectSlots; ++i) {
        const pelea::Efeito& e = form.g.efeitos[static_cast<size_t>(i)];
        if (e.tipo != 0) box(form, e.x - m.telaX, e.y - m.telaY, e.areaContato, kEffectColour);
    }
}

void drawInputs(TForm1& form, const std::array<InputHistory, 2>& inputs) {
    for (int i = 0; i < std::min(inputs[0].count(), kRowsShown); ++i)
        leftRow(form, kRowsTop + i * kRowHeight, inputs[0].at(i));
    for (int i = 0; i < std::min(inputs[1].count(), kRowsShown); ++i)
        rightRow(form, kRowsTop + i * kRowHeight, inputs[1].at(i));
}

void drawFrameData(TForm1& form, const MoveData& move) {
    const std::string lines[] = {
        "ARRANQUE " + std::to_string(move.startup) + "  ACTIVO " + std::to_string(move.active) +
            "  RECUPERA " + std::to_string(move.recovery) + "  TOTAL " +
            std::to_string(move.total()),
        "VENTAJA  GOLPE " + signedFrames(move.onHit) + "  BLOQUEO " + signedFrames(move.onBlock),
        "DAÑO " + oneDecimal(move.damage) + "  COMBO " + std::to_string(move.combo),
    };
    for (int i = 0; i < 3; ++i) {
        form.texto(kCentre, kFrameDataY + i * kFrameDataLine, lines[i], 'c', kFrameDataTextSize,
                   kWhite);
    }
}

void drawFrameMeter(TForm1& form, const FrameMeter& meter) {
    const int left = (media::Surface::kWidth - FrameMeter::kCells * kMeterCell) / 2;
    form.barra(0, kMeterTop - 1, media::Surface::kWidth, kMeterTop + 2 * kMeterRow, kHelpBand);
    for (int n = 1; n <= 2; ++n) {
        const int y = kMeterTop + (n - 1) * kMeterRow;
        for (int i = 0; i < meter.count(); ++i) {
            media::TColor colour = kFreeColour;
            switch (meter.at(n, i)) {
                case Cell::Startup:
                    colour = kStartupColour;
                    break;
                case Cell::Active:
                    colour = kActiveColour;
                    break;
                case Cell::Recovery:
                    colour = kRecoveryColour;
                    break;
                case Cell::Stun:
                    colour = kStunColour;
                    break;
                case Cell::Free:
                case Cell::Empty:
                    break;
            }
            const int x = left + i * kMeterCell;
            form.barra(x, y, x + kMeterCell - 1, y + kMeterRow - 1, colour);
        }
    }
}

void drawStatus(TForm1& form, std::string_view status) {
    form.texto(kCentre, kStatusY, status, 'c', kLineTextSize, kStatusColour);
}

void drawKeyHelp(TForm1& form) {
    form.barra(0, kHelpTop, media::Surface::kWidth, kHelpBottom, kHelpBand);
    auto keyWidth = [&form](const HelpPair& p) {
        return p.key == nullptr ? kArrowWidth : textWidth(form, p.key, kHelpTextSize);
    };
    int width = -kHelpPairGap;
    for (const HelpPair& p : kHelp)
        width += kHelpPairGap + keyWidth(p) + kHelpKeyGap + textWidth(form, p.does, kHelpTextSize);
    int x = kCentre - width / 2;
    for (const HelpPair& p : kHelp) {
        if (p.key != nullptr) {
            form.texto(x, kHelpTop, p.key, '-', kHelpTextSize, kKeyColour);
        } else if (form.DXImageListIcone.has(kLeftArrow)) {
            form.DXImageListIcone.Items(kLeftArrow).Draw(form.DXDraw1.Surface, x, kHelpTop - 1, 0);
        }
        x += keyWidth(p) + kHelpKeyGap;
        form.texto(x, kHelpTop, p.does, '-', kHelpTextSize, kWhite);
        x += textWidth(form, p.does, kHelpTextSize) + kHelpPairGap;
    }
}

void drawSelectLine(TForm1& form, bool armed) {
    const std::string line = std::string("F2 ENTRENAMIENTO: ") + (armed ? "SI" : "NO");
    form.texto(kCentre, kSelectLineY, line, 'c', kLineTextSize, armed ? kStatusColour : kWhite);
}

}  // namespace training
