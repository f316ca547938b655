// The surface canvas, with the semantics of the classic Windows GDI calls the game was written
// against: FillRect with swapped edges, FrameRect that draws nothing for an inverted rectangle,
// RoundRect and Ellipse with pen outline and brush interior, TextOut and text width.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "media/color.h"
#include "media/surface.h"
#include "media/text.h"

namespace media {

enum class BrushStyle { Solid, Clear };

class Canvas {
public:
    Canvas(Surface& surface, TextRenderer& text) : surface_(surface), text_(text) {}

    // Setting the brush colour also switches a Clear brush back to Solid; setting Clear makes
    // the brush colour white.
    void setBrushColor(TColor c);
    void setBrushStyle(BrushStyle s);
    TColor brushColor() const { return brushColor_; }
    BrushStyle brushStyle() const { return brushStyle_; }

    void setPenColor(TColor c) { penColor_ = c; }
    TColor penColor() const { return penColor_; }

    void setFontName(std::string_view name) { fontName_ = name; }
    const std::string& fontName() const { return fontName_; }
    void setFontSize(int points) { fontSize_ = points; }
    int fontSize() const { return fontSize_; }
    void setFontColor(TColor c) { fontColor_ = c; }
    TColor fontColor() const { return fontColor_; }

    // Left and top edges included, right and bottom excluded; right < left (or bottom < top)
    // fills the same span with the edges swapped.
    void FillRect(const Rect& r);
    // One-pixel border inside the rectangle in the brush colour; empty or inverted draws nothing.
    void FrameRect(const Rect& r);
    // Outline in the pen colour, interior in the brush colour (unless Clear), corners rounded by
    // an ellipse of cw × ch; the rectangle is put in order first.
    void RoundRect(int x1, int y1, int x2, int y2, int cw, int ch);
    // The ellipse inscribed in the rectangle (put in order first), right and bottom excluded.
    void Ellipse(int x1, int y1, int x2, int y2);
    // Text with its top-left corner at (x, y) in the font colour; with a Solid brush the text box
    // is filled with the brush colour first.
    void TextOut(int x, int y, std::string_view text);
    int TextWidth(std::string_view text);
    // Ends a run of canvas calls; drawing is immediate here, so it only marks the boundary.
    void Release() {}

    Surface& surface() { return surface_; }
    TextRenderer& text() { return text_; }

    // A text TextOut drew, with its place and colour.
    struct DrawnText {
        int x, y;
        std::string text;
        TColor color;
    };
    // From now on every text drawn is also appended to *into (nullptr stops it): how a test sees
    // what the screen says without reading glyphs.
    void recordTexts(std::vector<DrawnText>* into) { recorded_ = into; }

private:
    Surface& surface_;
    TextRenderer& text_;
    TColor brushColor_ = kWhite;
    BrushStyle brushStyle_ = BrushStyle::Solid;
    TColor penColor_ = kBlack;
    std::string fontName_ = "Comic Sans MS";
    int fontSize_ = 8;
    TColor fontColor_ = kBlack;
    std::vector<DrawnText>* recorded_ = nullptr;
};

}  // namespace media
