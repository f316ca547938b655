// Shaded, outlined shapes for the generated art: capsules, ellipses and convex polygons filled
// with two or three cel tones (light from the upper left) inside a dark outline.
#pragma once

#include <array>
#include <vector>

#include "media/picture.h"

namespace assetgen {

struct Vec {
    float x = 0, y = 0;
};
inline Vec operator+(Vec a, Vec b) {
    return {a.x + b.x, a.y + b.y};
}
inline Vec operator-(Vec a, Vec b) {
    return {a.x - b.x, a.y - b.y};
}
inline Vec operator*(Vec a, float k) {
    return {a.x * k, a.y * k};
}
// The unit direction of an angle in degrees: 0 points down, 90 forward (right), 180 up.
Vec dirOf(float degrees);
// Rotates v on screen (y down) by degrees clockwise.
Vec rotated(Vec v, float degrees);

// The tones of one surface.
struct Material {
    media::TColor light, base, shade, outline;
};
// A material from a base colour; dim < 1 darkens everything (limbs behind the body).
Material materialOf(media::TColor base, float dim = 1.0f);
media::TColor mix(media::TColor a, media::TColor b, float t);
media::TColor scaled(media::TColor c, float k);

// Limb: two tapered segments p[0]→p[1]→p[2] drawn as one contour (radii r0, r1, r2), so the
// joint between them shows no seam; p[2]'s segment lies in front where the two overlap.
enum class ShapeKind { Capsule, Ellipse, Polygon, Limb };

struct Shape {
    ShapeKind kind = ShapeKind::Capsule;
    std::array<Vec, 8> p{};  // capsule: p[0], p[1]; ellipse: centre p[0]; polygon: p[0..count)
    int count = 0;
    float r0 = 0, r1 = 0;  // capsule radii at p[0] and p[1]; ellipse radii; polygon rounding
    float angle = 0;       // ellipse rotation in degrees
    Material mat{};
    float outline = 1.3f;  // outline width in pixels, 0 for none
    bool flat = false;     // one tone, no shading (eyes, small marks)
    bool clipped = false;  // keep only the side of the line through clipAt facing away from clipN
    Vec clipAt{}, clipN{};
    float r2 = 0;                  // limb: radius at p[2]
    float bulgeA = 0, bulgeB = 0;  // limb: extra radius swelling the middle of each segment
    float sideA = 0,
          sideB = 0;      // limb: the side that swells (+1 left of the bone, -1 right, 0 both)
    bool fold = false;    // limb: the front segment keeps its edge where it crosses the other
    float softR = 0;      // no outline within softR of p[0] over paint already there (joints blend)
    bool hidden = false;  // counts for the figure's extent but is not drawn
    bool decor = false;   // drawn but left out of the figure's extent
};

Shape capsule(Vec a, Vec b, float ra, float rb, const Material& m);
Shape ellipse(Vec c, float rx, float ry, float angle, const Material& m);
Shape polygon(std::initializer_list<Vec> pts, float round, const Material& m);
Shape clippedBy(Shape s, Vec at, Vec outward);
Shape limb(Vec a, Vec b, Vec c, std::array<float, 3> radii, const Material& m);
// A detail that is drawn but never moves the figure: flat, no outline, left out of its extent.
Shape mark(Shape s);

struct Box {
    float left, top, right, bottom;
};
// The extent a shape claims when a figure is placed in its frame (empty for decor).
Box boundsOf(const Shape& s);
// Every pixel the shape may paint.
Box paintBoundsOf(const Shape& s);
void moveShape(Shape& s, Vec d);

// Draws shapes into a picture, offset by origin, never outside the clip rectangle.
class Raster {
public:
    Raster(media::Picture& pic, media::Rect clip, Vec origin)
        : pic_(pic), clip_(clip), o_(origin) {}
    // Shapes squeezed by sx across and sy down about the origin (a body turned a little away
    // takes less width); 1 draws them as they are.
    Raster(media::Picture& pic, media::Rect clip, Vec origin, float sx, float sy)
        : pic_(pic), clip_(clip), o_(origin), sx_(sx), sy_(sy) {}
    void draw(const Shape& s);
    // A whole figure: its shapes in order, then a bold dark rim round its silhouette.
    void draw(const std::vector<Shape>& shapes);
    // A single pixel in picture coordinates relative to origin, clipped.
    void dot(int x, int y, media::TColor c);

private:
    static bool blends(const Shape& s, Vec q, media::TColor under);
    void rim(const Box& b);
    // The pixel span a box in shape space covers, cut to the clip, one pixel of margin round it.
    media::Rect spanOf(const Box& b) const;

    media::Picture& pic_;
    media::Rect clip_;
    Vec o_;
    float sx_ = 1.0f, sy_ = 1.0f;
};

}  // namespace assetgen
