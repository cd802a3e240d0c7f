// Drawing surfaces of the picture generator: coverage masks, shapes and a colour canvas.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

// How much of each pixel a shape covers, 0..1; pixels outside read as 0.
struct Mask {
    int width = 0;
    int height = 0;
    std::vector<float> a;

    Mask() = default;
    Mask(int w, int h) : width(w), height(h), a(static_cast<size_t>(w) * h, 0.0f) {}
    float At(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return 0.0f;
        return a[static_cast<size_t>(y) * width + x];
    }
    float& Ref(int x, int y) { return a[static_cast<size_t>(y) * width + x]; }
};

// A region of the plane, in pixel units: pixel (x, y) spans [x, x + 1) x [y, y + 1).
// It carries a box that holds all of it, so that sampling can skip the rest.
struct Shape {
    std::function<bool(double x, double y)> inside;
    double x0 = -1e9, y0 = -1e9, x1 = 1e9, y1 = 1e9;
    bool operator()(double x, double y) const { return inside(x, y); }
};

// Coverage of a shape, sampled 8 x 8 times per pixel (deterministic, no randomness).
Mask Rasterise(int width, int height, const Shape& shape);

Shape Disc(double cx, double cy, double r);
Shape Ellipse(double cx, double cy, double rx, double ry, double angle = 0.0);
Shape Box(double x0, double y0, double x1, double y1);
Shape RoundBox(double x0, double y0, double x1, double y1, double radius);
// A closed polygon, filled by the even-odd rule.
Shape Polygon(std::vector<std::pair<double, double>> points);
// A stroke of the given half width from one point to another, with round ends.
Shape Segment(double x0, double y0, double x1, double y1, double halfWidth);
// An annulus sector between radii r0 and r1 and angles a0..a1 (radians, y down).
Shape ArcBand(double cx, double cy, double r0, double r1, double a0, double a1);
// A star with the given number of points, the first pointing straight up.
Shape Star(double cx, double cy, double outer, double inner, int points);
Shape Union(Shape a, Shape b);
Shape Minus(Shape a, Shape b);
Shape Intersect(Shape a, Shape b);
// The shape turned by `angle` radians about (cx, cy).
Shape Rotate(Shape s, double cx, double cy, double angle);
// The shape enlarged `factor` times about the origin: a design in single-size
// pixels, drawn for a larger picture.
Shape Scaled(Shape s, double factor);

Mask MaxMask(const Mask& a, const Mask& b);
// The mask moved by whole pixels; what moves out is lost.
Mask Shifted(const Mask& m, int dx, int dy);
// Grey dilation by a disc of the given radius: used for outlines and shadows.
Mask Dilated(const Mask& m, double radius);
// The pixels that one mask covers and the other does not.
Mask Without(const Mask& m, const Mask& cut);

// A colour picture being drawn. Besides the colour it remembers, per pixel,
// how much ink has been laid (0 where nothing was painted) and which tagged
// colours took part, so that quantising can keep to those colours.
class Canvas {
public:
    Canvas(int width, int height, Rgb background);
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Lays `colour` over the picture through the mask, placed with its
    // top-left at (ox, oy). A tag below 32 marks the pixels it touches.
    void Paint(const Mask& mask, Rgb colour, int tag = -1, int ox = 0, int oy = 0, float alpha = 1.0f);
    // Like Paint, with a colour that depends on the canvas pixel.
    void PaintShaded(const Mask& mask, const std::function<Rgb(int x, int y)>& colour, int ox = 0, int oy = 0);
    void Set(int x, int y, Rgb colour);

    Rgb At(int x, int y) const;
    float Ink(int x, int y) const { return ink_[Index(x, y)]; }
    uint32_t Tags(int x, int y) const { return tags_[Index(x, y)]; }
    // Coverage of a tag's strongest paint at the pixel.
    float TagCoverage(int x, int y, int tag) const;

private:
    size_t Index(int x, int y) const { return static_cast<size_t>(y) * width_ + x; }
    int width_;
    int height_;
    std::vector<float> r_, g_, b_;
    std::vector<float> ink_;
    std::vector<uint32_t> tags_;
    std::vector<std::vector<float>> tagCoverage_;
};
