// Text in the game's face: Comic Neue (DejaVu Sans when it is missing) at pixel height
// size·96/72. Each distinct (text, size) is rendered once into a coverage mask, kept as the
// non-empty runs of each row, and tinted when drawn, so the shadow and the colour pass share one
// render and a frame allocates nothing once its texts have been seen.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "media/color.h"
#include "media/surface.h"

namespace media {

class TextRenderer {
public:
    TextRenderer();
    ~TextRenderer();
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;

    // False when no font file could be opened (then texts draw nothing and measure 0).
    bool ready() const;
    // Path of the face in use (empty when none).
    const std::string& fontPath() const;

    // Width in pixels of the text at the size in points (0 … 255).
    int width(std::string_view text, int sizePt);
    // Height in pixels of a line at the size (the font's line height).
    int height(int sizePt);
    // Draws the glyphs with the top-left of the text box at (x, y), clipped to the surface.
    void draw(Surface& dst, int x, int y, std::string_view text, int sizePt, TColor color);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace media
