// Tile bodies and the 36 tile designs, drawn from shapes and font glyphs.
#include "tools/assetgen/tile_art.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "tools/assetgen/palette.h"

namespace {

using namespace face;

constexpr double kPi = std::numbers::pi;

Rgb FaceColour(int index) { return FaceTable()[index]; }

void Ink(Canvas& c, const Shape& s, int index) {
    c.Paint(Rasterise(c.Width(), c.Height(), s), FaceColour(index), index);
}

// Places a glyph with the centre of its ink at (cx, cy), on whole pixels.
void InkGlyph(Canvas& c, const Glyph& g, double cx, double cy, int index) {
    const int ox = static_cast<int>(std::floor(cx - g.mask.width / 2.0 + 0.5));
    const int oy = static_cast<int>(std::floor(cy - g.mask.height / 2.0 + 0.5));
    c.Paint(g.mask, FaceColour(index), index, ox, oy);
}

// Strokes of the tile characters are thickened in proportion to their size,
// so that thin horizontal strokes of the brush face still read at 1:1.
double Bold(double size) { return std::max(0.35, size * 0.045); }

struct Place {
    double u;
    double v;
    int colour;
};

// ---- Circles ----

// `unit` is the frame's scale: pins that are large enough at single size show a white centre at every scale.
void Pin(Canvas& c, double cx, double cy, double r, int colour, double unit) {
    Ink(c, Minus(Disc(cx, cy, r), Disc(cx, cy, r * 0.64)), colour);
    Ink(c, Disc(cx, cy, r * 0.42), colour);
    if (r >= 4.0 * unit) Ink(c, Disc(cx, cy, r * 0.16), kWhite);
}

// The one of circles: a large ornamented disc.
void BigPin(Canvas& c, double cx, double cy, double r) {
    Ink(c, Minus(Disc(cx, cy, r), Disc(cx, cy, r * 0.86)), kMat);
    for (int i = 0; i < 12; ++i) {
        const double a = i * kPi / 6;
        Ink(c, Disc(cx + std::cos(a) * r * 0.70, cy + std::sin(a) * r * 0.70, r * 0.11), kNavy);
    }
    Ink(c, Minus(Disc(cx, cy, r * 0.52), Disc(cx, cy, r * 0.40)), kRed);
    Ink(c, Disc(cx, cy, r * 0.28), kRed);
    Ink(c, Disc(cx, cy, r * 0.12), kWhite);
}

double Snap(double v) { return std::floor(v) + 0.5; }

void Circles(Canvas& c, int count, const Frame& f) {
    auto X = [&](double u) { return Snap(f.x + u * f.w); };
    auto Y = [&](double v) { return Snap(f.y + v * f.h); };
    if (count == 1) {
        BigPin(c, f.x + f.w / 2, f.y + f.h / 2, f.w * 0.49);
        return;
    }
    struct Layout {
        double r;
        std::vector<Place> places;
    };
    const double a = 0.27, b = 0.73;
    static const Layout layouts[10] = {
        {},
        {},
        {0.26, {{0.5, 0.26, kMat}, {0.5, 0.74, kNavy}}},
        {0.19, {{0.19, 0.17, kNavy}, {0.5, 0.5, kRed}, {0.81, 0.83, kMat}}},
        {0.21, {{a, 0.26, kNavy}, {b, 0.26, kMat}, {a, 0.74, kMat}, {b, 0.74, kNavy}}},
        {0.195,
         {{0.2, 0.18, kNavy}, {0.8, 0.18, kMat}, {0.5, 0.5, kRed}, {0.2, 0.82, kMat}, {0.8, 0.82, kNavy}}},
        {0.195,
         {{a, 0.17, kMat}, {b, 0.17, kMat}, {a, 0.5, kRed}, {b, 0.5, kRed}, {a, 0.83, kRed}, {b, 0.83, kRed}}},
        {0.15,
         {{0.18, 0.09, kMat}, {0.5, 0.2, kMat}, {0.82, 0.31, kMat}, {a, 0.605, kRed}, {b, 0.605, kRed},
          {a, 0.875, kRed}, {b, 0.875, kRed}}},
        {0.15,
         {{a, 0.11, kNavy}, {b, 0.11, kNavy}, {a, 0.37, kNavy}, {b, 0.37, kNavy}, {a, 0.63, kNavy},
          {b, 0.63, kNavy}, {a, 0.89, kNavy}, {b, 0.89, kNavy}}},
        {0.145,
         {{1 / 6.0, 0.17, kNavy}, {0.5, 0.17, kNavy}, {5 / 6.0, 0.17, kNavy}, {1 / 6.0, 0.5, kRed},
          {0.5, 0.5, kRed}, {5 / 6.0, 0.5, kRed}, {1 / 6.0, 0.83, kMat}, {0.5, 0.83, kMat},
          {5 / 6.0, 0.83, kMat}}},
    };
    const Layout& layout = layouts[count];
    for (const Place& p : layout.places) Pin(c, X(p.u), Y(p.v), layout.r * f.w, p.colour, f.scale);
}

// ---- Bamboos ----

// One bamboo stick centred on (cx, cy), turned by `angle`: a stem with a
// knot at each end and one in the middle, and a light line down its middle.
// `unit` is the frame's scale, for the lengths the design sets in pixels.
void Stick(Canvas& c, double cx, double cy, double length, double width, double angle, int colour, double unit) {
    const double h = length / 2, w = width / 2;
    const double stem = w * 0.72;
    const double knot = std::max(unit, length * 0.09);
    Shape body = RoundBox(cx - stem, cy - h, cx + stem, cy + h, stem * 0.8);
    body = Union(body, RoundBox(cx - w, cy - h, cx + w, cy - h + knot, knot * 0.45));
    body = Union(body, RoundBox(cx - w, cy + h - knot, cx + w, cy + h, knot * 0.45));
    body = Union(body, RoundBox(cx - w, cy - knot / 2, cx + w, cy + knot / 2, knot * 0.45));
    Ink(c, Rotate(body, cx, cy, angle), colour);
    // Slanted sticks go without the light line, which would only break up into grey steps.
    if (width >= 4.0 * unit && angle == 0.0) {
        const double line = std::max(0.5 * unit, width * 0.1);
        Shape light = Union(Box(cx - line, cy - h + knot + unit, cx + line, cy - knot / 2 - unit),
                            Box(cx - line, cy + knot / 2 + unit, cx + line, cy + h - knot - unit));
        Ink(c, Rotate(light, cx, cy, angle), kWhite);
    }
}

void Bamboos(Canvas& c, int count, const Frame& f) {
    auto X = [&](double u) { return Snap(f.x + u * f.w); };
    auto Y = [&](double v) { return f.y + v * f.h; };
    struct Layout {
        double length;  // fraction of the frame's height
        double width;   // fraction of the frame's width
        std::vector<Place> places;
    };
    const double a = 0.25, b = 0.75, t3 = 1 / 6.0, m3 = 0.5, r3 = 5 / 6.0;
    static const Layout layouts[10] = {
        {},
        {},
        {0.44, 0.2, {{0.5, 0.25, kMat}, {0.5, 0.75, kNavy}}},
        {0.44, 0.2, {{0.5, 0.25, kNavy}, {a, 0.75, kMat}, {b, 0.75, kMat}}},
        {0.44, 0.2, {{a, 0.25, kNavy}, {b, 0.25, kMat}, {a, 0.75, kMat}, {b, 0.75, kNavy}}},
        {0.44, 0.19,
         {{0.17, 0.25, kMat}, {0.83, 0.25, kNavy}, {0.5, 0.5, kRed}, {0.17, 0.75, kNavy}, {0.83, 0.75, kMat}}},
        {0.44, 0.19,
         {{t3, 0.25, kMat}, {m3, 0.25, kMat}, {r3, 0.25, kMat}, {t3, 0.75, kNavy}, {m3, 0.75, kNavy},
          {r3, 0.75, kNavy}}},
        {0.27, 0.19,
         {{m3, 0.165, kRed}, {t3, 0.5, kMat}, {m3, 0.5, kNavy}, {r3, 0.5, kMat}, {t3, 0.835, kMat},
          {m3, 0.835, kNavy}, {r3, 0.835, kMat}}},
        {},  // eight: drawn below, with slanted sticks
        {0.27, 0.19,
         {{t3, 0.165, kMat}, {m3, 0.165, kRed}, {r3, 0.165, kMat}, {t3, 0.5, kMat}, {m3, 0.5, kRed},
          {r3, 0.5, kMat}, {t3, 0.835, kMat}, {m3, 0.835, kRed}, {r3, 0.835, kMat}}},
    };
    if (count == 8) {
        // Two rows of four: upright sticks outside, a V above and an inverted V below.
        const double len = 0.42 * f.h, wid = 0.145 * f.w;
        const double tilt = 0.15;
        Stick(c, X(0.1), Y(0.25), len, wid, 0, kMat, f.scale);
        Stick(c, X(0.9), Y(0.25), len, wid, 0, kMat, f.scale);
        Stick(c, X(0.36), Y(0.25), len, wid, tilt, kNavy, f.scale);
        Stick(c, X(0.64), Y(0.25), len, wid, -tilt, kNavy, f.scale);
        Stick(c, X(0.1), Y(0.75), len, wid, 0, kMat, f.scale);
        Stick(c, X(0.9), Y(0.75), len, wid, 0, kMat, f.scale);
        Stick(c, X(0.36), Y(0.75), len, wid, -tilt, kNavy, f.scale);
        Stick(c, X(0.64), Y(0.75), len, wid, tilt, kNavy, f.scale);
        return;
    }
    const Layout& layout = layouts[count];
    for (const Place& p : layout.places) {
        Stick(c, X(p.u), Y(p.v), layout.length * f.h, layout.width * f.w, 0, p.colour, f.scale);
    }
}

// The one of bamboos: a bird on a bamboo stalk, facing left.
void Bird(Canvas& c, const Frame& f) {
    auto X = [&](double u) { return f.x + u * f.w; };
    auto Y = [&](double v) { return f.y + v * f.h; };
    const double s = f.w;  // unit of length
    // Tail: three long feathers fanning down to the right.
    const double tx = X(0.62), ty = Y(0.56);
    const double angles[3] = {0.55, 0.95, 1.35};
    const int tailColours[3] = {kNavy, kMat, kTeal};
    for (int i = 0; i < 3; ++i) {
        const double a = angles[i];
        const double ex = tx + std::cos(a) * s * 0.42, ey = ty + std::sin(a) * s * 0.42;
        Ink(c, Ellipse((tx + ex) / 2, (ty + ey) / 2, s * 0.25, s * 0.075, a), tailColours[i]);
        Ink(c, Disc(ex, ey, s * 0.06), kRed);
    }
    // Legs on the stalk.
    Ink(c, Segment(X(0.45), Y(0.62), X(0.40), Y(0.80), s * 0.035), kGold);
    Ink(c, Segment(X(0.55), Y(0.62), X(0.56), Y(0.80), s * 0.035), kGold);
    Ink(c, RoundBox(X(0.1), Y(0.79), X(0.86), Y(0.84), s * 0.02), kMat);
    Ink(c, Box(X(0.3), Y(0.78), X(0.33), Y(0.85)), kMat);
    Ink(c, Box(X(0.66), Y(0.78), X(0.69), Y(0.85)), kMat);
    // Body, breast and wing.
    Ink(c, Ellipse(X(0.48), Y(0.50), s * 0.27, s * 0.19, -0.35), kMat);
    Ink(c, Ellipse(X(0.40), Y(0.52), s * 0.15, s * 0.13, -0.2), kRed);
    Ink(c, Ellipse(X(0.56), Y(0.46), s * 0.20, s * 0.10, -0.55), kNavy);
    Ink(c, Segment(X(0.46), Y(0.50), X(0.68), Y(0.40), s * 0.025), kWhite);
    // Head with crest, eye and beak.
    Ink(c, Polygon({{X(0.30), Y(0.18)}, {X(0.38), Y(0.08)}, {X(0.36), Y(0.20)}}), kRed);
    Ink(c, Disc(X(0.30), Y(0.28), s * 0.13), kMat);
    Ink(c, Polygon({{X(0.19), Y(0.25)}, {X(0.04), Y(0.31)}, {X(0.19), Y(0.32)}}), kGold);
    Ink(c, Disc(X(0.27), Y(0.26), s * 0.055), kWhite);
    Ink(c, Disc(X(0.265), Y(0.26), s * 0.03), kBlack);
}

// ---- Characters and letters ----

void CharacterTile(Canvas& c, int number, const Frame& f, const Fonts& fonts) {
    static const char32_t numerals[9] = {U'一', U'二', U'三', U'四', U'五', U'六', U'七', U'八', U'九'};
    // On the small faces the numeral is what tells the tiles apart, so it gets more room.
    const bool small = f.h < 35 * f.scale;
    const double topH = f.h * (small ? 0.46 : 0.40);
    const double bottomH = f.h - topH;
    const int numeralSize = fonts.mincho.FitSize(U'四', static_cast<int>(f.w * (small ? 0.95 : 0.85)),
                                                  static_cast<int>(topH), Bold(topH) * 1.5);
    const Glyph n =
        fonts.mincho.Render(numerals[number - 1], numeralSize, numeralSize, Bold(numeralSize) * 1.5);
    InkGlyph(c, n, f.x + f.w / 2, f.y + topH / 2, kBlack);
    const Glyph man = fonts.mincho.Fit(U'萬', static_cast<int>(f.w), static_cast<int>(bottomH - f.scale),
                                       Bold(bottomH));
    InkGlyph(c, man, f.x + f.w / 2, f.y + f.h - bottomH / 2, kRed);
}

void BigGlyph(Canvas& c, char32_t ch, int colour, const Frame& f, const Fonts& fonts) {
    const Glyph g = fonts.mincho.Fit(ch, static_cast<int>(f.w), static_cast<int>(f.h * 0.8), Bold(f.h * 0.6), 1.15);
    InkGlyph(c, g, f.x + f.w / 2, f.y + f.h / 2, colour);
}

void WhiteDragon(Canvas& c, const Frame& f) {
    const double t = std::max(f.scale, std::round(f.w * 0.07));
    const double x0 = std::round(f.x + f.w * 0.08), x1 = std::round(f.x + f.w * 0.92);
    const double y0 = std::round(f.y + f.h * 0.1), y1 = std::round(f.y + f.h * 0.9);
    Ink(c, Minus(Box(x0, y0, x1, y1), Box(x0 + t, y0 + t, x1 - t, y1 - t)), kNavy);
    if (f.w > 24 * f.scale) {
        const double g = t + 2 * f.scale, line = f.scale;
        const double i0 = g + line;
        Ink(c, Minus(Box(x0 + g, y0 + g, x1 - g, y1 - g), Box(x0 + i0, y0 + i0, x1 - i0, y1 - i0)), kNavy);
    }
}

// The maker's tile, which is also the screensaver's tile back: its name in
// three lines of two letters, NO RI VA, inside a red frame.
void MakerTile(Canvas& c, const Frame& f, const Fonts& fonts) {
    const char32_t letters[6] = {U'N', U'O', U'R', U'I', U'V', U'A'};
    const double t = std::max(f.scale, std::round(f.w * 0.045));
    const double x0 = std::round(f.x), x1 = std::round(f.x + f.w);
    const double y0 = std::round(f.y), y1 = std::round(f.y + f.h);
    Ink(c, Minus(Box(x0, y0, x1, y1), Box(x0 + t, y0 + t, x1 - t, y1 - t)), kRed);
    const double inW = f.w - 4 * t, inH = f.h - 4 * t;
    const double bold = f.w * 0.035;
    int size = 400;
    for (char32_t ch : letters) {
        size = std::min(size, fonts.gothic.FitSize(ch, static_cast<int>(inW / 2.1), static_cast<int>(inH / 3.25),
                                                   bold, 1.2));
    }
    for (int i = 0; i < 6; ++i) {
        const Glyph g = fonts.gothic.Render(letters[i], size, static_cast<int>(std::lround(size * 1.2)), bold);
        const double cx = f.x + f.w / 2 + (i % 2 == 0 ? -1 : 1) * inW / 4.2;
        const double cy = f.y + f.h / 2 + (i / 2 - 1) * inH / 3.1;
        InkGlyph(c, g, cx, cy, kNavy);
    }
}

void FlowerTile(Canvas& c, const Frame& f, const Fonts& fonts) {
    const char32_t seasons[4] = {U'春', U'夏', U'秋', U'冬'};
    const int colours[4] = {kRed, kMat, kNavy, kBlack};
    const double cw = f.w / 2, ch = f.h / 2;
    // These characters are dense at this size: the even strokes of the gothic
    // face keep them open, where the brush face's thin strokes would fade to grey.
    const double bold = 0.3 * f.scale;
    int size = 400;
    for (char32_t s : seasons) {
        size = std::min(size, fonts.gothic.FitSize(s, static_cast<int>(cw), static_cast<int>(ch * 0.85), bold, 1.2));
    }
    for (int i = 0; i < 4; ++i) {
        const Glyph g = fonts.gothic.Render(seasons[i], size, static_cast<int>(std::lround(size * 1.2)), bold);
        InkGlyph(c, g, f.x + cw * (i % 2 + 0.5), f.y + ch * (i / 2 + 0.5), colours[i]);
    }
}

// ---- Tile body ----

// The colour of a pixel of the tile's thickness. The side is the face's
// edge pushed back by (8, 13): an ivory layer under the face, then the
// golden back; the right side lies in shadow. The pixel's centre is taken
// in single-size units, so a larger picture shades its side alike.
int SideColour(int x, int y, int scale) {
    const double u = (x + 0.5) / scale, v = (y + 0.5) / scale;
    const double faceEnd = kFaceRight + 1, faceFoot = kFaceBottom + 1;
    bool right = false;
    double depth;
    if (u > faceEnd) {
        depth = (u - faceEnd) / 8.0;
        right = (v - 13.0 * depth) <= faceFoot;
    }
    if (!right) depth = (v - faceFoot) / 13.0;
    depth = std::clamp(depth, 0.0, 1.0);
    if (depth < 0.45) return right ? kSilver : kLightGrey;
    return right ? kOlive : kGold;
}

// Whether one of the `reach` pixels to the right or below (and with
// `backwards` to the left or above) lies outside the shape: the tile's edge.
template <typename In>
bool NearOutside(const In& in, int x, int y, int reach, bool backwards) {
    for (int k = 1; k <= reach; ++k) {
        if (!in(x + k, y) || !in(x, y + k)) return true;
        if (backwards && (!in(x - k, y) || !in(x, y - k))) return true;
    }
    return false;
}

// The face index of a design pixel inside the face's outline.
uint8_t DesignIndex(const Canvas& design, int x, int y, const std::vector<Rgb>& table) {
    if (design.Ink(x, y) < 0.18f) return kBackground;
    std::vector<int> candidates = {kWhite, kGrey, kSilver, kLightGrey};
    for (int t = 0; t <= kTeal; ++t) {
        if (design.Tags(x, y) & (1u << t)) candidates.push_back(t);
    }
    const int v = Nearest(table, candidates, design.At(x, y));
    // Pale fringes of the design belong to the background, so they take the
    // look's colour; only white the design asks for stays.
    return static_cast<uint8_t>(v == kWhite && design.TagCoverage(x, y, kWhite) < 0.5f ? kBackground : v);
}

}  // namespace

bool InTileRegion(int x, int y, int scale) {
    static const Shape region = Polygon({{0, 0}, {35, 0}, {42, 13}, {42, 62}, {8, 62}, {0, 49}});
    return region((x + 0.5) / scale, (y + 0.5) / scale);
}

bool InSaverCorner(int x, int y, int scale) {
    // Widths of the corners on single-size rows 0..9 (at the right) and 49..61 (at the left).
    static const int top[10] = {8, 7, 6, 5, 5, 4, 3, 2, 2, 1};
    static const int bottom[13] = {1, 2, 2, 3, 4, 4, 5, 6, 6, 7, 7, 8, 9};
    // A row of a larger picture sums the widths of the rows that blend into
    // it, so the slant steps by single pixels.
    int topWidth = 0, bottomWidth = 0;
    for (int k = 0; k < scale; ++k) {
        const int row = std::max(0, y - k) / scale;
        if (row <= 9) topWidth += top[row];
        if (row >= 49 && row <= 61) bottomWidth += bottom[row - 49];
    }
    return x >= kTilePictureWidth * scale - topWidth || x < bottomWidth;
}

void DrawDesign(Canvas& c, int kind, const Frame& f, const Fonts& fonts) {
    static const char32_t winds[4] = {U'東', U'南', U'西', U'北'};
    if (kind <= 8) {
        CharacterTile(c, kind + 1, f, fonts);
    } else if (kind == 9) {
        BigGlyph(c, U'發', kMat, f, fonts);
    } else if (kind <= 18) {
        Circles(c, kind - 9, f);
    } else if (kind == 19) {
        BigGlyph(c, U'中', kRed, f, fonts);
    } else if (kind == 20) {
        Bird(c, f);
    } else if (kind <= 28) {
        Bamboos(c, kind - 19, f);
    } else if (kind == 29) {
        WhiteDragon(c, f);
    } else if (kind <= 33) {
        BigGlyph(c, winds[kind - 30], kBlack, f, fonts);
    } else if (kind == 34) {
        MakerTile(c, f, fonts);
    } else {
        FlowerTile(c, f, fonts);
    }
}

Canvas FaceDesign(int kind, const Fonts& fonts, int scale) {
    Canvas design(kTilePictureWidth * scale, kTilePictureHeight * scale, FaceTable()[kBackground]);
    DrawDesign(design, kind, Frame{2.0 * scale, 2.0 * scale, 31.0 * scale, 45.0 * scale, double(scale)}, fonts);
    return design;
}

IndexedPicture FacePicture(const Canvas& design, TileUse use) {
    // The design's canvas is a whole number of tile pictures wide; lines one
    // pixel wide at single size are that number of pixels wide.
    const int s = design.Width() / kTilePictureWidth;
    const int width = kTilePictureWidth * s, height = kTilePictureHeight * s;
    const int faceRight = (kFaceRight + 1) * s - 1, faceBottom = (kFaceBottom + 1) * s - 1;
    const std::vector<Rgb> table = FaceTable();
    IndexedPicture p = MakePicture(width, height, 8, table, kBackground);

    auto inShape = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= width || y >= height) return false;
        return use == TileUse::Saver ? !InSaverCorner(x, y, s) : InTileRegion(x, y, s);
    };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t v;
            const bool onFace = x <= faceRight && y <= faceBottom;
            if (!inShape(x, y) && !(onFace && use == TileUse::Game)) {
                // Outside the tile: the screensaver's key colour, or for the game
                // (whose region clips it anyway) the dark green of the mat.
                v = use == TileUse::Saver ? kTransparent : kMat;
            } else if (onFace) {
                const bool outline = x < s || y < s || x > faceRight - s || y > faceBottom - s;
                v = outline ? kGrey : DesignIndex(design, x, y, table);
            } else {
                v = static_cast<uint8_t>(NearOutside(inShape, x, y, s, true) ? kGrey : SideColour(x, y, s));
            }
            p.Ref(x, y) = v;
        }
    }
    return p;
}

Canvas SmallFaceCanvas(int kind, const Fonts& fonts, Rgb field, int scale) {
    const std::vector<Rgb> table = FaceTable();
    const int s = scale;
    Canvas c(kSmallWidth * s, kSmallHeight * s, field);
    // Face 22 x 32, side 2 wide on the right and 3 high below, corners cut (in single-size pixels).
    const int faceRight = 22 * s - 1, faceBottom = 32 * s - 1, lastColumn = 24 * s - 1;
    auto inTile = [&](int x, int y) {
        if (x < 0 || y < 0 || x > lastColumn || y >= kSmallHeight * s) return false;
        if (x > faceRight && y < x - faceRight) return false;
        if (y > faceBottom && x < y - faceBottom) return false;
        return true;
    };
    for (int y = 0; y < kSmallHeight * s; ++y) {
        for (int x = 0; x <= lastColumn; ++x) {
            if (!inTile(x, y)) continue;
            Rgb colour;
            if (x <= faceRight && y <= faceBottom) {
                const bool outline = x < s || y < s || x > faceRight - s || y > faceBottom - s;
                colour = outline ? table[kGrey] : table[kBackground];
            } else {
                const bool edge = NearOutside(inTile, x, y, s, false);
                const bool right = x > faceRight && y - (x - faceRight) <= faceBottom;
                const bool ivory = right ? x <= faceRight + s : y <= faceBottom + s;
                colour = edge ? table[kGrey]
                              : table[ivory ? (right ? kSilver : kLightGrey) : (right ? kOlive : kGold)];
            }
            c.Set(x, y, colour);
        }
    }
    DrawDesign(c, kind, Frame{1.5 * s, 1.5 * s, 19.0 * s, 29.0 * s, double(s)}, fonts);
    return c;
}
