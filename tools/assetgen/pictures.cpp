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

// The felt is fixed data, not a drawing: a larger picture shows the same
// threads, each `scale` pixels wide, so it looks alike on a larger screen.
uint8_t FeltIndex(int x, int y, int scale = 1) {
    x /= scale;
    y /= scale;
    return kFeltBlackColumn[((y % 8) + 8) % 8] == ((x % 8) + 8) % 8 ? std16::kBlack : std16::kDarkGreen;
}

Rgb FeltColour(int x, int y, int scale = 1) { return StandardTable()[FeltIndex(x, y, scale)]; }

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
// the fixed ones; or, when `given` is not empty, that table.
IndexedPicture QuantiseOwn(const Canvas& c, const std::vector<Rgb>& fixed, const std::vector<Rgb>& given) {
    const std::vector<Rgb> table = given.empty() ? BuildTable(CanvasPixels(c), fixed, 256) : given;
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

// The 640 x 480 board, `scale` times the size, laid with face pictures of that size.
BoardLayer LayTiles(int arrangement, const std::vector<IndexedPicture>& kindFaces, int scale = 1) {
    const int w = 640 * scale, h = 480 * scale;
    BoardLayer layer;
    layer.colour = {w, h, std::vector<Rgb>(static_cast<size_t>(w) * h)};
    layer.covered.assign(static_cast<size_t>(w) * h, false);
    currentArrangement = arrangement;
    ComputeTileRects();
    const std::array<int, kSlotCount> deal = SampleDeal();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const IndexedPicture& face = kindFaces[KindOfFace(deal[slot])];
        for (int y = 0; y < face.height; ++y) {
            for (int x = 0; x < face.width; ++x) {
                if (!InTileRegion(x, y, scale)) continue;
                const int bx = tileRects[slot].left * scale + x, by = tileRects[slot].top * scale + y;
                if (bx < 0 || by < 0 || bx >= w || by >= h) continue;
                layer.colour.Set(bx, by, face.table[face.At(x, y)]);
                layer.covered[static_cast<size_t>(by) * w + bx] = true;
            }
        }
    }
    return layer;
}

}  // namespace

IndexedPicture FeltPicture(int scale) {
    const int n = 8 * scale;
    IndexedPicture p = MakePicture(n, n, 4, StandardTable(), 0);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) p.Ref(x, y) = FeltIndex(x, y, scale);
    }
    return p;
}

IndexedPicture HistoryFieldPicture(const std::vector<Rgb>& smallTable, int scale) {
    std::vector<Rgb> table = smallTable;
    table[kFieldIndex] = kFieldGreen;
    return MakePicture(224 * scale, 390 * scale, 8, table, kFieldIndex);
}

namespace {

// Letters placed on a picture, with the lines their ink box spans.
struct PlacedLetters {
    Mask mask;
    int top = 0;
    int bottom = 0;
};

// The largest letters of おみごと whose ink and depth stay well inside the
// oval of a w x h picture, placed in it; `s` is the picture's scale.
PlacedLetters VictoryLetters(const Fonts& fonts, int w, int h, int depth, int s) {
    const double cx = w / 2.0, cy = h / 2.0;
    const std::u32string text = U"おみごと";
    Mask letters;
    int ox = 0, oy = 0;
    for (int size = 60 * s; size <= 260 * s; size += 2) {
        const Line line = LayOut(fonts.gothic, text, size, size * 0.05, -size / 14);
        Mask m = LineMask(line);
        const int tx = static_cast<int>(std::lround(cx - (m.width + depth) / 2.0));
        const int ty = static_cast<int>(std::lround(cy - (m.height + depth) / 2.0));
        bool fits = true;
        for (int y = 0; y < m.height && fits; ++y) {
            for (int x = 0; x < m.width && fits; ++x) {
                if (m.At(x, y) < 0.05f) continue;
                for (int d : {0, depth}) {
                    const double dx = (tx + x + d + 0.5 - cx) / (cx - 30 * s);
                    const double dy = (ty + y + d + 0.5 - cy) / (cy - 22 * s);
                    if (dx * dx + dy * dy > 1.0) fits = false;
                }
            }
        }
        if (!fits) break;
        letters = std::move(m);
        ox = tx;
        oy = ty;
    }
    return {PlaceMask(letters, w, h, ox, oy), oy, oy + letters.height};
}

}  // namespace

IndexedPicture VictoryPicture(const Fonts& fonts, int scale, const std::vector<Rgb>& table) {
    const int s = scale, w = 500 * s, h = 250 * s;
    const double cx = w / 2.0, cy = h / 2.0;
    const Rgb light = {214, 246, 200}, pale = {240, 255, 232};
    Canvas c(w, h, light);
    // A soft glow in the middle, and a rim so the oval window's edge looks finished.
    c.PaintShaded(Rasterise(w, h, Ellipse(cx, cy, cx, cy)), [&](int x, int y) {
        const double dx = (x + 0.5 - cx) / cx, dy = (y + 0.5 - cy) / cy;
        return Mix(pale, light, std::clamp(std::sqrt(dx * dx + dy * dy), 0.0, 1.0));
    });
    c.Paint(Rasterise(w, h, Minus(Ellipse(cx, cy, cx + s, cy + s), Ellipse(cx, cy, cx - 7 * s, cy - 7 * s))),
            Rgb{0, 110, 40});
    c.Paint(Rasterise(w, h, Minus(Ellipse(cx, cy, cx - 9 * s, cy - 9 * s), Ellipse(cx, cy, cx - 11 * s, cy - 11 * s))),
            Rgb{220, 180, 40});

    const int depth = 9 * s;
    const PlacedLetters letters = VictoryLetters(fonts, w, h, depth, s);
    const Mask& face = letters.mask;
    // Shadow on the green, then the letters' depth, outline and lit face.
    c.Paint(Shifted(Dilated(face, 2.0 * s), depth + 3 * s, depth + 4 * s), Rgb{90, 150, 90}, -1, 0, 0, 0.55f);
    const Mask rim = Dilated(face, 1.5 * s);
    for (int d = depth; d >= 1; --d) {
        c.Paint(Shifted(rim, d, d), Mix(Rgb{0, 0, 70}, Rgb{10, 30, 140}, 1.0 - d / double(depth)));
    }
    c.Paint(Without(rim, face), Rgb{0, 0, 90});
    const double top = letters.top, bottom = letters.bottom;
    c.PaintShaded(face, [&](int, int y) {
        const double t = std::clamp((y - top) / (bottom - top), 0.0, 1.0);
        return t < 0.5 ? Mix(Rgb{90, 160, 255}, Rgb{30, 90, 235}, t * 2) : Mix(Rgb{30, 90, 235}, Rgb{0, 40, 180}, (t - 0.5) * 2);
    });
    c.Paint(Without(face, Shifted(face, 2 * s, 2 * s)), Rgb{200, 230, 255}, -1, 0, 0, 0.8f);
    return QuantiseOwn(c, {{0, 0, 0}, {255, 255, 255}, light, pale}, table);
}

IndexedPicture DeadlockPicture(const Fonts& fonts, int scale) {
    const int s = scale, w = 32 * s, h = 144 * s, cell = 36 * s;
    // The picture stands at (577, 33) on the felt, so its felt is in step with the window's.
    const int feltX = 577 * s, feltY = 33 * s;
    const char32_t text[4] = {U'手', U'詰', U'ま', U'り'};
    Mask letters(w, h);
    for (int i = 0; i < 4; ++i) {
        const Glyph g = fonts.mincho.Fit(text[i], 28 * s, 32 * s, 1.2 * s);
        const int gx = (w - g.mask.width) / 2, gy = cell * i + (cell - g.mask.height) / 2;
        letters = MaxMask(letters, PlaceMask(g.mask, w, h, gx, gy));
    }
    const Mask shadow = Shifted(Dilated(letters, 1.0 * s), s, s);
    const std::vector<Rgb> table = StandardTable();
    IndexedPicture p = MakePicture(w, h, 4, table, 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const float a = letters.At(x, y), dark = shadow.At(x, y);
            uint8_t v = FeltIndex(x + feltX, y + feltY, s);
            if (a >= 0.72f) {
                v = std16::kWhite;
            } else if (a >= 0.4f) {
                v = std16::kSilver;
            } else if (a >= 0.15f) {
                v = std16::kGrey;
            } else if (dark >= 0.35f) {
                v = std16::kBlack;
            }
            p.Ref(x, y) = v;
        }
    }
    return p;
}

IndexedPicture ArrowPicture(bool up, int scale) {
    const int n = 30 * scale;
    const std::vector<Rgb> table = FaceTable();
    Canvas c(n, n, table[face::kSilver]);
    // A tail at the lower left that runs to the right and sweeps up into a
    // head pointing straight up; the down arrow is its mirror image.
    const Shape shaft = Union(ArcBand(8.0, 13.0, 9.0, 13.5, 0.0, kPi / 2),
                              Union(Box(4.0, 22.0, 8.5, 26.5), Disc(4.0, 24.25, 2.25)));
    const Shape head = Polygon({{11.0, 13.5}, {27.5, 13.5}, {19.25, 2.0}});
    const Shape arrow = Union(shaft, head);
    Mask m = Rasterise(n, n, Scaled(arrow, scale));
    if (!up) {
        Mask flipped(n, n);
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) flipped.Ref(x, y) = m.At(x, n - 1 - y);
        m = flipped;
    }
    c.Paint(Without(Dilated(m, 1.0 * scale), m), table[face::kBlack], face::kBlack);
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

namespace {

// The board of an arrangement at half size on the felt, centred above the
// caption line of a w x h preview; `s` is the picture's scale.
Canvas PreviewBoard(int arrangement, const std::vector<IndexedPicture>& kindFaces, int w, int h, int captionTop,
                    int s) {
    const BoardLayer layer = LayTiles(arrangement, kindFaces, s);
    const int bw = layer.colour.width, bh = layer.colour.height;
    int x0 = bw, y0 = bh, x1 = 0, y1 = 0;
    for (int y = 0; y < bh; ++y) {
        for (int x = 0; x < bw; ++x) {
            if (!layer.covered[static_cast<size_t>(y) * bw + x]) continue;
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
        for (int x = 0; x < w; ++x) c.Set(x, y, FeltColour(x, y, s));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            // Board pixel pairs that land on preview pixel (x, y).
            const int bx = 2 * x - shiftX, by = 2 * y - shiftY;
            int n = 0;
            double r = 0, g = 0, b = 0;
            for (int k = 0; k < 4; ++k) {
                const int sx = bx + k % 2, sy = by + k / 2;
                if (sx < 0 || sy < 0 || sx >= bw || sy >= bh) continue;
                if (!layer.covered[static_cast<size_t>(sy) * bw + sx]) continue;
                const Rgb t = layer.colour.At(sx, sy);
                r += t.r;
                g += t.g;
                b += t.b;
                ++n;
            }
            if (n == 0) continue;
            const Rgb felt = FeltColour(x, y, s);
            r += felt.r * (4 - n);
            g += felt.g * (4 - n);
            b += felt.b * (4 - n);
            c.Set(x, y, {static_cast<uint8_t>(std::lround(r / 4)), static_cast<uint8_t>(std::lround(g / 4)),
                         static_cast<uint8_t>(std::lround(b / 4))});
        }
    }
    return c;
}

// The caption below the board: 難易度 and a five-star rating with `filled` stars.
void PreviewCaption(Canvas& c, int filled, int captionTop, const Fonts& fonts, int s) {
    const int w = c.Width(), h = c.Height();
    const Line caption = LayOut(fonts.gothic, U"難易度", 17 * s, 0.6 * s);
    const Mask captionMask = LineMask(caption);
    const int starSize = 18 * s, gap = 3 * s;
    const int total = captionMask.width + 12 * s + 5 * starSize + 4 * gap;
    const int left = (w - total) / 2;
    const int baseY = captionTop + (h - captionTop - captionMask.height) / 2;
    const Mask text = PlaceMask(captionMask, w, h, left, baseY);
    c.Paint(Shifted(text, s, s), Rgb{0, 0, 0}, -1, 0, 0, 0.8f);
    c.Paint(text, Rgb{255, 255, 255});
    const double starY = baseY + captionMask.height / 2.0, half = 0.5 * s;
    for (int i = 0; i < 5; ++i) {
        const double sx = left + captionMask.width + 12 * s + i * (starSize + gap) + starSize / 2.0;
        const Shape star = Star(sx, starY + half, starSize / 2.0, starSize / 4.4, 5);
        const Mask m = Rasterise(w, h, star);
        c.Paint(Shifted(m, s, s), Rgb{0, 0, 0}, -1, 0, 0, 0.7f);
        if (i < filled) {
            c.Paint(m, Rgb{255, 220, 0});
            c.Paint(Rasterise(w, h, Star(sx - half, starY, starSize / 4.0, starSize / 9.0, 5)), Rgb{255, 250, 190},
                    -1, 0, 0, 0.8f);
        } else {
            c.Paint(m, Rgb{150, 175, 150});
            c.Paint(Rasterise(w, h, Star(sx, starY + half, starSize / 2.0 - 1.5 * s, starSize / 4.4 - 1.0 * s, 5)),
                    Rgb{25, 75, 25});
        }
    }
}

}  // namespace

IndexedPicture PreviewPicture(int arrangement, const std::vector<IndexedPicture>& kindFaces, const Fonts& fonts,
                              int scale, const std::vector<Rgb>& table) {
    static const int stars[5] = {0, 3, 4, 2, 2};
    const int w = 320 * scale, h = 250 * scale, captionTop = 214 * scale;
    Canvas c = PreviewBoard(arrangement, kindFaces, w, h, captionTop, scale);
    PreviewCaption(c, stars[arrangement], captionTop, fonts, scale);
    // Black and the greys come first so that the history buttons can use this table.
    return QuantiseOwn(c,
                       {{0, 0, 0}, {192, 192, 192}, {128, 128, 128}, {64, 64, 64}, {96, 96, 96}, {160, 160, 160},
                        {224, 224, 224}, {255, 255, 255}, FeltColour(0, 0), FeltColour(6, 0)},
                       table);
}

IndexedPicture LetterPicture(int letter, bool chosen, const Fonts& fonts, int scale) {
    const int w = 46 * scale, h = 42 * scale;
    const char32_t ch = static_cast<char32_t>(U'A' + letter);
    const Glyph g = fonts.gothic.Fit(ch, 32 * scale, 30 * scale, 1.8 * scale);
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

namespace {

// The small faces' table, built from all their colours. Entry 33 is the
// history field's own: no small face may use it, so it is held by a
// placeholder while the table is built.
std::vector<Rgb> SmallFaceTable(const std::vector<Canvas>& canvases) {
    std::vector<Rgb> all;
    for (const Canvas& c : canvases) {
        const std::vector<Rgb> px = CanvasPixels(c);
        all.insert(all.end(), px.begin(), px.end());
    }
    const std::vector<Rgb> faceTable = FaceTable();
    std::vector<Rgb> fixed(faceTable.begin(), faceTable.begin() + 13);
    fixed.push_back(kFieldGreen);
    std::vector<Rgb> table = BuildTable(all, fixed, 255);
    if (table.size() < kFieldIndex) table.resize(kFieldIndex, Rgb{0, 0, 0});
    table.insert(table.begin() + kFieldIndex, Rgb{0, 0, 0});
    return PadTo256(table);
}

}  // namespace

std::vector<IndexedPicture> SmallFacePictures(const Fonts& fonts, int scale, const std::vector<Rgb>& given) {
    std::vector<Canvas> canvases;
    for (int kind = 0; kind < kKindCount; ++kind) canvases.push_back(SmallFaceCanvas(kind, fonts, kFieldGreen, scale));
    const std::vector<Rgb> table = given.empty() ? SmallFaceTable(canvases) : given;
    std::vector<int> candidates;
    for (int i = 0; i < 256; ++i) {
        if (i != kFieldIndex && i < static_cast<int>(table.size())) candidates.push_back(i);
    }
    std::vector<IndexedPicture> pictures;
    for (const Canvas& c : canvases) {
        IndexedPicture p = MakePicture(c.Width(), c.Height(), 8, table, 0);
        p.pixels = MapCanvas(c, table, candidates);
        pictures.push_back(std::move(p));
    }
    return pictures;
}

namespace {

IndexedPicture GreyButton(const Mask& mark, const std::vector<Rgb>& table) {
    const int n = mark.width;
    std::vector<int> greys;
    for (int i = 0; i < static_cast<int>(table.size()); ++i) {
        const Rgb& c = table[i];
        if (c.r == c.g && c.g == c.b && c.r <= 192) greys.push_back(i);
    }
    Canvas c(n, n, Rgb{192, 192, 192});
    c.Paint(mark, Rgb{0, 0, 0});
    IndexedPicture p = MakePicture(n, n, 8, table, 0);
    p.pixels = MapCanvas(c, table, greys);
    return p;
}

}  // namespace

IndexedPicture CloseButtonPicture(const std::vector<Rgb>& table, int scale) {
    const Shape cross = Union(Segment(8, 8, 22, 22, 2.1), Segment(22, 8, 8, 22, 2.1));
    return GreyButton(Rasterise(30 * scale, 30 * scale, Scaled(cross, scale)), table);
}

IndexedPicture HelpButtonPicture(const std::vector<Rgb>& table, const Fonts& fonts, int scale) {
    const int n = 30 * scale;
    const Glyph g = fonts.gothic.Fit(U'?', 18 * scale, 21 * scale, 1.0 * scale);
    return GreyButton(PlaceMask(g.mask, n, n, (n - g.mask.width) / 2, (n - g.mask.height) / 2), table);
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
    // pixel beside it (diagonals too from 32 pixels up) is its black outline,
    // as wide as a pixel of the 32-pixel image.
    const int reach = std::max(1, size / 32);
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
            for (int dy = -reach; dy <= reach; ++dy) {
                for (int dx = -reach; dx <= reach; ++dx) {
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

std::vector<IconImage> CrownIcon(int scale) { return {Crown(32 * scale), Crown(16 * scale)}; }

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

IndexedPicture SaverCanvasPicture(int scale) {
    std::vector<Rgb> table = FaceTable();
    table[face::kBackground] = Rgb{0, 0, 0};
    return MakePicture(640 * scale, 480 * scale, 8, table, face::kMat);
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
