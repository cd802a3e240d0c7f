// The game's and the screensaver's pictures other than the tile faces.
#include "tools/assetgen/pictures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "board/positions.h"
#include "tools/assetgen/palette.h"

namespace {

constexpr double kPi = std::numbers::pi;

// The felt: dark green with one black thread per row and column, placed so
// that no line or diagonal shows when the 8 x 8 tile repeats.
constexpr int kFeltBlackColumn[8] = {6, 1, 4, 7, 2, 5, 0, 3};

uint8_t FeltIndex(int x, int y) {
    return kFeltBlackColumn[((y % 8) + 8) % 8] == ((x % 8) + 8) % 8 ? std16::kBlack : std16::kDarkGreen;
}

Rgb FeltColour(int x, int y) { return StandardTable()[FeltIndex(x, y)]; }

std::vector<Rgb> PadTo256(std::vector<Rgb> table) {
    table.resize(256, Rgb{0, 0, 0});
    return table;
}

std::vector<int> AllIndices(size_t n) {
    std::vector<int> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = static_cast<int>(i);
    return v;
}

// A picture with its own table: the colours that represent it best, after
// the fixed ones.
IndexedPicture QuantiseOwn(const Canvas& c, const std::vector<Rgb>& fixed) {
    const std::vector<Rgb> table = BuildTable(CanvasPixels(c), fixed, 256);
    IndexedPicture p = MakePicture(c.Width(), c.Height(), 8, PadTo256(table), 0);
    p.pixels = MapCanvas(c, table, AllIndices(table.size()));
    return p;
}

Rgb Mix(Rgb a, Rgb b, double t) {
    auto m = [t](int x, int y) { return static_cast<uint8_t>(std::lround(x + (y - x) * t)); };
    return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

// Glyphs of a line of text laid out on one baseline.
struct Line {
    std::vector<Glyph> glyphs;
    std::vector<int> pens;
    int width = 0;
    int ascent = 0;   // ink above the baseline
    int descent = 0;  // ink below it
};

Line LayOut(const Font& font, const std::u32string& text, int size, double bold, int tracking = 0) {
    Line line;
    int pen = 0;
    int inkLeft = 1 << 20, inkRight = -(1 << 20);
    for (char32_t ch : text) {
        Glyph g = font.Render(ch, size, size, bold);
        inkLeft = std::min(inkLeft, pen + g.left);
        inkRight = std::max(inkRight, pen + g.left + g.mask.width);
        line.ascent = std::max(line.ascent, g.top);
        line.descent = std::max(line.descent, g.mask.height - g.top);
        line.pens.push_back(pen);
        pen += g.advance + tracking;
        line.glyphs.push_back(std::move(g));
    }
    for (int& p : line.pens) p -= inkLeft;
    line.width = inkRight - inkLeft;
    return line;
}

// The line as one mask whose top-left is the ink's top-left.
Mask LineMask(const Line& line, int padding = 0) {
    Mask m(line.width + 2 * padding, line.ascent + line.descent + 2 * padding);
    for (size_t i = 0; i < line.glyphs.size(); ++i) {
        const Glyph& g = line.glyphs[i];
        const int ox = padding + line.pens[i] + g.left;
        const int oy = padding + line.ascent - g.top;
        for (int y = 0; y < g.mask.height; ++y) {
            for (int x = 0; x < g.mask.width; ++x) {
                float& v = m.Ref(ox + x, oy + y);
                v = std::max(v, g.mask.At(x, y));
            }
        }
    }
    return m;
}

Mask PlaceMask(const Mask& m, int width, int height, int ox, int oy) {
    Mask out(width, height);
    for (int y = 0; y < m.height; ++y) {
        for (int x = 0; x < m.width; ++x) {
            const int tx = x + ox, ty = y + oy;
            if (tx >= 0 && ty >= 0 && tx < width && ty < height) out.Ref(tx, ty) = m.At(x, y);
        }
    }
    return out;
}

// A fixed-seed shuffle of the 144 faces, so the board pictures look dealt.
std::array<int, kSlotCount> SampleDeal() {
    std::array<int, kSlotCount> faces{};
    for (int i = 0; i < kSlotCount; ++i) faces[i] = i;
    uint32_t state = 20240607u;
    for (int i = kSlotCount - 1; i > 0; --i) {
        state = state * 214013u + 2531011u;
        const int j = static_cast<int>((state >> 16) & 0x7FFF) % (i + 1);
        std::swap(faces[i], faces[j]);
    }
    return faces;
}

struct BoardLayer {
    RgbPicture colour;
    std::vector<bool> covered;
};

BoardLayer LayTiles(int arrangement, const std::vector<IndexedPicture>& kindFaces) {
    BoardLayer layer;
    layer.colour = {640, 480, std::vector<Rgb>(640 * 480)};
    layer.covered.assign(640 * 480, false);
    currentArrangement = arrangement;
    ComputeTileRects();
    const std::array<int, kSlotCount> deal = SampleDeal();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const IndexedPicture& face = kindFaces[KindOfFace(deal[slot])];
        for (int y = 0; y < kTilePictureHeight; ++y) {
            for (int x = 0; x < kTilePictureWidth; ++x) {
                if (!InTileRegion(x, y)) continue;
                const int bx = tileRects[slot].left + x, by = tileRects[slot].top + y;
                if (bx < 0 || by < 0 || bx >= 640 || by >= 480) continue;
                layer.colour.Set(bx, by, face.table[face.At(x, y)]);
                layer.covered[static_cast<size_t>(by) * 640 + bx] = true;
            }
        }
    }
    return layer;
}

}  // namespace

IndexedPicture FeltPicture() {
    IndexedPicture p = MakePicture(8, 8, 4, StandardTable(), 0);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) p.Ref(x, y) = FeltIndex(x, y);
    }
    return p;
}

IndexedPicture HistoryFieldPicture(const std::vector<Rgb>& smallTable) {
    std::vector<Rgb> table = smallTable;
    table[kFieldIndex] = kFieldGreen;
    return MakePicture(224, 390, 8, table, kFieldIndex);
}

IndexedPicture VictoryPicture(const Fonts& fonts) {
    constexpr int w = 500, h = 250;
    const double cx = w / 2.0, cy = h / 2.0;
    const Rgb light = {214, 246, 200}, pale = {240, 255, 232};
    Canvas c(w, h, light);
    // A soft glow in the middle, and a rim so the oval window's edge looks finished.
    c.PaintShaded(Rasterise(w, h, Ellipse(cx, cy, cx, cy)), [&](int x, int y) {
        const double dx = (x + 0.5 - cx) / cx, dy = (y + 0.5 - cy) / cy;
        return Mix(pale, light, std::clamp(std::sqrt(dx * dx + dy * dy), 0.0, 1.0));
    });
    c.Paint(Rasterise(w, h, Minus(Ellipse(cx, cy, cx + 1, cy + 1), Ellipse(cx, cy, cx - 7, cy - 7))),
            Rgb{0, 110, 40});
    c.Paint(Rasterise(w, h, Minus(Ellipse(cx, cy, cx - 9, cy - 9), Ellipse(cx, cy, cx - 11, cy - 11))),
            Rgb{220, 180, 40});

    // The largest letters whose ink and depth stay well inside the oval.
    const std::u32string text = U"おみごと";
    const int depth = 9;
    Mask letters;
    int ox = 0, oy = 0;
    for (int size = 60; size <= 260; size += 2) {
        const Line line = LayOut(fonts.gothic, text, size, size * 0.05, -size / 14);
        Mask m = LineMask(line);
        const int tx = static_cast<int>(std::lround(cx - (m.width + depth) / 2.0));
        const int ty = static_cast<int>(std::lround(cy - (m.height + depth) / 2.0));
        bool fits = true;
        for (int y = 0; y < m.height && fits; ++y) {
            for (int x = 0; x < m.width && fits; ++x) {
                if (m.At(x, y) < 0.05f) continue;
                for (int d : {0, depth}) {
                    const double dx = (tx + x + d + 0.5 - cx) / (cx - 30), dy = (ty + y + d + 0.5 - cy) / (cy - 22);
                    if (dx * dx + dy * dy > 1.0) fits = false;
                }
            }
        }
        if (!fits) break;
        letters = std::move(m);
        ox = tx;
        oy = ty;
    }
    const Mask face = PlaceMask(letters, w, h, ox, oy);
    // Shadow on the green, then the letters' depth, outline and lit face.
    c.Paint(Shifted(Dilated(face, 2.0), depth + 3, depth + 4), Rgb{90, 150, 90}, -1, 0, 0, 0.55f);
    for (int d = depth; d >= 1; --d) {
        c.Paint(Shifted(Dilated(face, 1.5), d, d), Mix(Rgb{0, 0, 70}, Rgb{10, 30, 140}, 1.0 - d / double(depth)));
    }
    c.Paint(Without(Dilated(face, 1.5), face), Rgb{0, 0, 90});
    const double top = oy, bottom = oy + letters.height;
    c.PaintShaded(face, [&](int, int y) {
        const double t = std::clamp((y - top) / (bottom - top), 0.0, 1.0);
        return t < 0.5 ? Mix(Rgb{90, 160, 255}, Rgb{30, 90, 235}, t * 2) : Mix(Rgb{30, 90, 235}, Rgb{0, 40, 180}, (t - 0.5) * 2);
    });
    c.Paint(Without(face, Shifted(face, 2, 2)), Rgb{200, 230, 255}, -1, 0, 0, 0.8f);
    return QuantiseOwn(c, {{0, 0, 0}, {255, 255, 255}, light, pale});
}

IndexedPicture DeadlockPicture(const Fonts& fonts) {
    constexpr int w = 32, h = 144;
    // The picture stands at (577, 33) on the felt, so its felt is in step with the window's.
    constexpr int feltX = 577, feltY = 33;
    Canvas c(w, h, Rgb{0, 0, 0});
    const char32_t text[4] = {U'手', U'詰', U'ま', U'り'};
    Mask letters(w, h);
    for (int i = 0; i < 4; ++i) {
        const Glyph g = fonts.mincho.Fit(text[i], 28, 32, 1.2);
        const int gx = (w - g.mask.width) / 2, gy = 36 * i + (36 - g.mask.height) / 2;
        letters = MaxMask(letters, PlaceMask(g.mask, w, h, gx, gy));
    }
    const Mask shadow = Shifted(Dilated(letters, 1.0), 1, 1);
    const std::vector<Rgb> table = StandardTable();
    IndexedPicture p = MakePicture(w, h, 4, table, 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const float a = letters.At(x, y), s = shadow.At(x, y);
            uint8_t v = FeltIndex(x + feltX, y + feltY);
            if (a >= 0.72f) {
                v = std16::kWhite;
            } else if (a >= 0.4f) {
                v = std16::kSilver;
            } else if (a >= 0.15f) {
                v = std16::kGrey;
            } else if (s >= 0.35f) {
                v = std16::kBlack;
            }
            p.Ref(x, y) = v;
        }
    }
    return p;
}

IndexedPicture ArrowPicture(bool up) {
    constexpr int n = 30;
    const std::vector<Rgb> table = FaceTable();
    Canvas c(n, n, table[face::kSilver]);
    // A tail at the lower left that runs to the right and sweeps up into a
    // head pointing straight up; the down arrow is its mirror image.
    const Shape shaft = Union(ArcBand(8.0, 13.0, 9.0, 13.5, 0.0, kPi / 2),
                              Union(Box(4.0, 22.0, 8.5, 26.5), Disc(4.0, 24.25, 2.25)));
    const Shape head = Polygon({{11.0, 13.5}, {27.5, 13.5}, {19.25, 2.0}});
    const Shape arrow = Union(shaft, head);
    Mask m = Rasterise(n, n, arrow);
    if (!up) {
        Mask flipped(n, n);
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) flipped.Ref(x, y) = m.At(x, n - 1 - y);
        m = flipped;
    }
    c.Paint(Without(Dilated(m, 1.0), m), table[face::kBlack], face::kBlack);
    c.Paint(m, table[face::kNavy], face::kNavy);
    IndexedPicture p = MakePicture(n, n, 8, table, face::kSilver);
    const std::vector<int> candidates = {face::kSilver, face::kGrey, face::kBlack, face::kNavy, face::kTeal,
                                         face::kLightGrey};
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            if (c.Ink(x, y) < 0.05f) continue;
            p.Ref(x, y) = static_cast<uint8_t>(Nearest(table, candidates, c.At(x, y)));
        }
    }
    return p;
}

IndexedPicture PreviewPicture(int arrangement, const std::vector<IndexedPicture>& kindFaces, const Fonts& fonts) {
    constexpr int w = 320, h = 250, captionTop = 214;
    const BoardLayer layer = LayTiles(arrangement, kindFaces);
    int x0 = 640, y0 = 480, x1 = 0, y1 = 0;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            if (!layer.covered[static_cast<size_t>(y) * 640 + x]) continue;
            x0 = std::min(x0, x);
            y0 = std::min(y0, y);
            x1 = std::max(x1, x);
            y1 = std::max(y1, y);
        }
    }
    // Half size, centred above the caption; shifts are even so pixels pair up.
    const int shiftX = ((w - (x1 - x0 + 1) / 2) / 2) * 2 - x0 / 2 * 2;
    const int shiftY = ((captionTop - (y1 - y0 + 1) / 2) / 2) * 2 - y0 / 2 * 2;
    Canvas c(w, h, Rgb{0, 0, 0});
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) c.Set(x, y, FeltColour(x, y));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            // Board pixel pairs that land on preview pixel (x, y).
            const int bx = 2 * x - shiftX, by = 2 * y - shiftY;
            int n = 0;
            double r = 0, g = 0, b = 0;
            for (int k = 0; k < 4; ++k) {
                const int sx = bx + k % 2, sy = by + k / 2;
                if (sx < 0 || sy < 0 || sx >= 640 || sy >= 480) continue;
                if (!layer.covered[static_cast<size_t>(sy) * 640 + sx]) continue;
                const Rgb t = layer.colour.At(sx, sy);
                r += t.r;
                g += t.g;
                b += t.b;
                ++n;
            }
            if (n == 0) continue;
            const Rgb felt = FeltColour(x, y);
            r += felt.r * (4 - n);
            g += felt.g * (4 - n);
            b += felt.b * (4 - n);
            c.Set(x, y, {static_cast<uint8_t>(std::lround(r / 4)), static_cast<uint8_t>(std::lround(g / 4)),
                         static_cast<uint8_t>(std::lround(b / 4))});
        }
    }
    // The caption: 難易度 and a five-star rating.
    static const int stars[5] = {0, 3, 4, 2, 2};
    const Line caption = LayOut(fonts.gothic, U"難易度", 17, 0.6);
    const Mask captionMask = LineMask(caption);
    const int starSize = 18, gap = 3;
    const int total = captionMask.width + 12 + 5 * starSize + 4 * gap;
    const int left = (w - total) / 2;
    const int baseY = captionTop + (h - captionTop - captionMask.height) / 2;
    const Mask text = PlaceMask(captionMask, w, h, left, baseY);
    c.Paint(Shifted(text, 1, 1), Rgb{0, 0, 0}, -1, 0, 0, 0.8f);
    c.Paint(text, Rgb{255, 255, 255});
    const double starY = baseY + captionMask.height / 2.0;
    for (int i = 0; i < 5; ++i) {
        const double sx = left + captionMask.width + 12 + i * (starSize + gap) + starSize / 2.0;
        const Shape star = Star(sx, starY + 0.5, starSize / 2.0, starSize / 4.4, 5);
        const Mask m = Rasterise(w, h, star);
        c.Paint(Shifted(m, 1, 1), Rgb{0, 0, 0}, -1, 0, 0, 0.7f);
        if (i < stars[arrangement]) {
            c.Paint(m, Rgb{255, 220, 0});
            c.Paint(Rasterise(w, h, Star(sx - 0.5, starY, starSize / 4.0, starSize / 9.0, 5)), Rgb{255, 250, 190},
                    -1, 0, 0, 0.8f);
        } else {
            c.Paint(m, Rgb{150, 175, 150});
            c.Paint(Rasterise(w, h, Star(sx, starY + 0.5, starSize / 2.0 - 1.5, starSize / 4.4 - 1.0, 5)),
                    Rgb{25, 75, 25});
        }
    }
    // Black and the greys come first so that the history buttons can use this table.
    return QuantiseOwn(c, {{0, 0, 0}, {192, 192, 192}, {128, 128, 128}, {64, 64, 64}, {96, 96, 96},
                           {160, 160, 160}, {224, 224, 224}, {255, 255, 255}, FeltColour(0, 0), FeltColour(6, 0)});
}

IndexedPicture LetterPicture(int letter, bool chosen, const Fonts& fonts) {
    constexpr int w = 46, h = 42;
    const char32_t ch = static_cast<char32_t>(U'A' + letter);
    const Glyph g = fonts.gothic.Fit(ch, 32, 30, 1.8);
    const int ox = (w - g.mask.width) / 2, oy = (h - g.mask.height) / 2;
    IndexedPicture p = MakePicture(w, h, 4, StandardTable(), std16::kNavy);
    for (int y = 0; y < g.mask.height; ++y) {
        for (int x = 0; x < g.mask.width; ++x) {
            const float a = g.mask.At(x, y);
            uint8_t v = std16::kNavy;
            if (chosen) {
                // Olive lies halfway between yellow and navy: it smooths the edges.
                if (a >= 0.62f) v = std16::kYellow;
                else if (a >= 0.25f) v = std16::kOlive;
            } else if (a >= 0.5f) {
                v = std16::kOlive;
            }
            p.Ref(ox + x, oy + y) = v;
        }
    }
    return p;
}

std::vector<IndexedPicture> SmallFacePictures(const Fonts& fonts) {
    std::vector<Canvas> canvases;
    std::vector<Rgb> all;
    for (int kind = 0; kind < kKindCount; ++kind) {
        canvases.push_back(SmallFaceCanvas(kind, fonts, kFieldGreen));
        const std::vector<Rgb> px = CanvasPixels(canvases.back());
        all.insert(all.end(), px.begin(), px.end());
    }
    // Entry 33 is the history field's own: no small face may use it, so it is
    // held by a placeholder while the table is built.
    const std::vector<Rgb> faceTable = FaceTable();
    std::vector<Rgb> fixed(faceTable.begin(), faceTable.begin() + 13);
    fixed.push_back(kFieldGreen);
    std::vector<Rgb> table = BuildTable(all, fixed, 255);
    if (table.size() < kFieldIndex) table.resize(kFieldIndex, Rgb{0, 0, 0});
    table.insert(table.begin() + kFieldIndex, Rgb{0, 0, 0});
    table = PadTo256(table);
    std::vector<int> candidates;
    for (int i = 0; i < 256; ++i) {
        if (i != kFieldIndex && i < static_cast<int>(table.size())) candidates.push_back(i);
    }
    std::vector<IndexedPicture> pictures;
    for (const Canvas& c : canvases) {
        IndexedPicture p = MakePicture(kSmallWidth, kSmallHeight, 8, table, 0);
        p.pixels = MapCanvas(c, table, candidates);
        pictures.push_back(std::move(p));
    }
    return pictures;
}

namespace {

IndexedPicture GreyButton(const Mask& mark, const std::vector<Rgb>& table) {
    std::vector<int> greys;
    for (int i = 0; i < static_cast<int>(table.size()); ++i) {
        const Rgb& c = table[i];
        if (c.r == c.g && c.g == c.b && c.r <= 192) greys.push_back(i);
    }
    Canvas c(30, 30, Rgb{192, 192, 192});
    c.Paint(mark, Rgb{0, 0, 0});
    IndexedPicture p = MakePicture(30, 30, 8, table, 0);
    p.pixels = MapCanvas(c, table, greys);
    return p;
}

}  // namespace

IndexedPicture CloseButtonPicture(const std::vector<Rgb>& table) {
    const Shape cross = Union(Segment(8, 8, 22, 22, 2.1), Segment(22, 8, 8, 22, 2.1));
    return GreyButton(Rasterise(30, 30, cross), table);
}

IndexedPicture HelpButtonPicture(const std::vector<Rgb>& table, const Fonts& fonts) {
    const Glyph g = fonts.gothic.Fit(U'?', 18, 21, 1.0);
    return GreyButton(PlaceMask(g.mask, 30, 30, (30 - g.mask.width) / 2, (30 - g.mask.height) / 2), table);
}

namespace {

// A crown drawn at `size` pixels square: a golden band with jewels, points
// topped with pearls, a black outline; whatever lies outside is transparent.
IconImage Crown(int size) {
    const double s = size / 32.0;
    auto P = [s](double v) { return v * s; };
    Shape points = Polygon({{P(3), P(26)}, {P(2.5), P(11)}, {P(9.5), P(18)}, {P(16), P(6)},
                            {P(22.5), P(18)}, {P(29.5), P(11)}, {P(29), P(26)}});
    Shape band = RoundBox(P(3), P(22), P(29), P(29), P(1.5));
    Shape pearls = Union(Union(Disc(P(2.8), P(9.5), P(2.3)), Disc(P(16), P(4.3), P(2.5))),
                         Disc(P(29.2), P(9.5), P(2.3)));
    Shape crown = Union(Union(points, band), pearls);
    const int n = size;
    const Mask body = Rasterise(n, n, crown);
    Canvas c(n, n, Rgb{0, 0, 0});
    c.PaintShaded(body, [&](int, int y) { return y < n * 0.45 ? Rgb{255, 255, 0} : Rgb{230, 200, 0}; });
    c.Paint(Rasterise(n, n, Box(P(3), P(25.5), P(29), P(29))), Rgb{128, 128, 0}, -1, 0, 0, 0.9f);
    c.Paint(Rasterise(n, n, pearls), Rgb{255, 255, 255});
    c.Paint(Rasterise(n, n, Disc(P(16), P(22.5), P(2.6))), Rgb{255, 0, 0});
    c.Paint(Rasterise(n, n, Disc(P(8.5), P(23), P(1.9))), Rgb{0, 0, 255});
    c.Paint(Rasterise(n, n, Disc(P(23.5), P(23), P(1.9))), Rgb{0, 0, 255});
    const std::vector<Rgb> table = StandardTable();
    IconImage image{MakePicture(n, n, 4, table, 0), std::vector<bool>(static_cast<size_t>(n) * n, true)};
    const std::vector<int> candidates = {std16::kOlive, std16::kYellow, std16::kWhite, std16::kRed,
                                         std16::kBlue,  std16::kSilver, std16::kGrey};
    // Crisp edges: a pixel is the crown's when mostly covered, and every
    // pixel beside it (diagonals too on the large icon) is its black outline.
    auto inside = [&](int x, int y) { return x >= 0 && y >= 0 && x < n && y < n && body.At(x, y) >= 0.5f; };
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const size_t i = static_cast<size_t>(y) * n + x;
            if (inside(x, y)) {
                image.transparent[i] = false;
                // Dark shading near the edge would read as a thick outline: take the colour from the inside.
                Rgb colour = c.At(x, y);
                if (colour.r + colour.g + colour.b < 200) colour = Rgb{230, 200, 0};
                image.picture.Ref(x, y) = static_cast<uint8_t>(Nearest(table, candidates, colour));
                continue;
            }
            bool edge = false;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    if ((dx != 0 && dy != 0) && size < 32) continue;
                    edge = edge || inside(x + dx, y + dy);
                }
            }
            if (edge) {
                image.transparent[i] = false;
                image.picture.Ref(x, y) = std16::kBlack;
            }
        }
    }
    return image;
}

}  // namespace

std::vector<IconImage> CrownIcon() { return {Crown(32), Crown(16)}; }

IconImage HandCursor() {
    // '#' outline, '.' white, ' ' transparent; the fingertip is at (10, 0).
    static const char* const rows[] = {
        "          ##",
        "         #..#",
        "         #..#",
        "         #..#",
        "         #..#",
        "         #..###",
        "         #..#..###",
        "         #..#..#..##",
        "         #..#..#..#.#",
        "     ##  #..#..#..#..#",
        "    #..# #...........#",
        "    #...##...........#",
        "     #...............#",
        "      #..............#",
        "      #..............#",
        "       #.............#",
        "       #............#",
        "        #...........#",
        "        #..........#",
        "         #.........#",
        "         #.........#",
        "         ###########",
    };
    IconImage image{MakePicture(32, 32, 4, StandardTable(), 0), std::vector<bool>(32 * 32, true)};
    for (int y = 0; y < static_cast<int>(std::size(rows)); ++y) {
        for (int x = 0; rows[y][x] != '\0'; ++x) {
            const char ch = rows[y][x];
            if (ch == ' ') continue;
            image.transparent[static_cast<size_t>(y) * 32 + x] = false;
            image.picture.Ref(x, y) = ch == '#' ? std16::kBlack : std16::kWhite;
        }
    }
    return image;
}

IndexedPicture SaverCanvasPicture() {
    std::vector<Rgb> table = FaceTable();
    table[face::kBackground] = Rgb{0, 0, 0};
    return MakePicture(640, 480, 8, table, face::kMat);
}

RgbPicture BoardPicture(int arrangement, const std::vector<IndexedPicture>& kindFaces) {
    const BoardLayer layer = LayTiles(arrangement, kindFaces);
    RgbPicture board{640, 480, std::vector<Rgb>(640 * 480)};
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            const size_t i = static_cast<size_t>(y) * 640 + x;
            board.pixels[i] = layer.covered[i] ? layer.colour.pixels[i] : FeltColour(x, y);
        }
    }
    return board;
}
