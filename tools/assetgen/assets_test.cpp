// Checks every committed picture and sound against what the game and the screensaver expect of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

#include "board/positions.h"
#include "tests/support/asset_reader_testing.h"

using namespace asset_reader;

namespace {

std::string Game(int id) { return "assets/zmr/" + std::to_string(id) + ".bmp"; }
std::string Saver(int id) { return "assets/saver/" + std::to_string(id) + ".bmp"; }

void ExpectFormat(const Dib& d, const std::string& name, int width, int height, int bits) {
    ASSERT_TRUE(d.ok) << name << " is missing or malformed";
    EXPECT_EQ(d.headerSize, 40u) << name;
    EXPECT_EQ(d.width, width) << name;
    EXPECT_EQ(d.height, height) << name << " (positive: rows bottom-up)";
    EXPECT_EQ(d.planes, 1) << name;
    EXPECT_EQ(d.bitCount, bits) << name;
    EXPECT_EQ(d.compression, 0u) << name;
}

// 8-connected groups of the pixels at which `pick(x, y)` holds, within the
// rectangle from (x0, y0) up to but not including (x1, y1).
template <typename Pick>
int CountGroups(int x0, int y0, int x1, int y1, Pick pick) {
    std::set<std::pair<int, int>> seen;
    int groups = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            if (!pick(x, y) || seen.count({x, y})) continue;
            ++groups;
            std::vector<std::pair<int, int>> stack = {{x, y}};
            seen.insert({x, y});
            while (!stack.empty()) {
                const auto [cx, cy] = stack.back();
                stack.pop_back();
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = cx + dx, ny = cy + dy;
                        if (nx < x0 || nx >= x1 || ny < y0 || ny >= y1) continue;
                        if (!pick(nx, ny) || seen.count({nx, ny})) continue;
                        seen.insert({nx, ny});
                        stack.emplace_back(nx, ny);
                    }
                }
            }
        }
    }
    return groups;
}

// Pieces of a picture's design: groups of pixels inside the face's interior
// whose index is not the face background.
int CountPieces(const Dib& d) {
    return CountGroups(1, 1, 34, 48, [&d](int x, int y) { return d.At(x, y) != 16; });
}

bool IsFeltLike(const Colour& c) { return (c[1] > c[0] + 40 && c[1] > c[2] + 40) || c[0] + c[1] + c[2] < 60; }

}  // namespace

TEST(GameTiles, FaceFormatTableAndLookIndices) {
    const std::vector<Colour> faceTable = FaceColours();
    for (int id = 101; id <= 244; ++id) {
        const Dib d = ReadBmp(Game(id));
        ExpectFormat(d, Game(id), 43, 62, 8);
        if (!d.ok) continue;
        EXPECT_EQ(d.table, faceTable) << Game(id);
        // A look change rewrites indices 13..16 in pixel bytes 546..2683: the
        // face background must lie there, and nothing else there may use them.
        int background = 0;
        for (size_t i = 0; i < d.raw.size(); ++i) {
            const int v = d.raw[i];
            const bool inRange = i >= 546 && i < 2684;
            if (v == 16) {
                ++background;
                EXPECT_TRUE(inRange) << Game(id) << ": background outside the recoloured bytes at " << i;
            }
            if (inRange && v >= 13 && v <= 15) ADD_FAILURE() << Game(id) << ": look index " << v << " at " << i;
        }
        // The background is the face's, and it covers a good part of it.
        for (int y = 0; y < 62; ++y) {
            for (int x = 0; x < 43; ++x) {
                if (d.At(x, y) == 16) {
                    EXPECT_TRUE(x >= 1 && x <= 33 && y >= 1 && y <= 47) << Game(id) << " at " << x << "," << y;
                }
            }
        }
        EXPECT_GT(background, 33 * 47 / 4) << Game(id);
    }
}

TEST(GameTiles, FourIdenticalCopiesOfThirtySixDifferentDesigns) {
    std::vector<std::vector<uint8_t>> designs;
    for (int kind = 0; kind < 36; ++kind) {
        const Dib first = ReadBmp(Game(101 + kind));
        ASSERT_TRUE(first.ok) << Game(101 + kind);
        for (int copy = 1; copy < 4; ++copy) {
            const Dib other = ReadBmp(Game(101 + kind + 36 * copy));
            ASSERT_TRUE(other.ok);
            EXPECT_EQ(other.raw, first.raw) << Game(101 + kind + 36 * copy) << " differs from " << Game(101 + kind);
        }
        for (size_t k = 0; k < designs.size(); ++k) {
            EXPECT_NE(first.raw, designs[k]) << "kinds " << k << " and " << kind << " look the same";
        }
        designs.push_back(first.raw);
    }
}

TEST(GameTiles, CirclesAndBamboosShowTheirCount) {
    for (int n = 2; n <= 9; ++n) {
        EXPECT_EQ(CountPieces(ReadBmp(Game(101 + 9 + n))), n) << "circles " << n;
        EXPECT_EQ(CountPieces(ReadBmp(Game(101 + 19 + n))), n) << "bamboos " << n;
    }
    // The white dragon is a frame (one or two rings), and the bird's tile is not empty.
    EXPECT_GE(CountPieces(ReadBmp(Game(101 + 29))), 1);
    EXPECT_LE(CountPieces(ReadBmp(Game(101 + 29))), 2);
    EXPECT_GE(CountPieces(ReadBmp(Game(101 + 20))), 1);
}

TEST(GameTiles, TileShapeShowsItsSideWithinTheWindowRegion) {
    const Dib d = ReadBmp(Game(101));
    ASSERT_TRUE(d.ok);
    // The side bands inside the tile window's outline are drawn, never background.
    for (int y = 14; y < 62; ++y) EXPECT_NE(d.At(40, y), 16);
    for (int x = 9; x < 43; ++x) EXPECT_NE(d.At(x, 58), 16);
    // The face is framed: its edge differs from the background inside it.
    EXPECT_NE(d.At(0, 20), d.At(5, 20));
    EXPECT_NE(d.At(34, 20), d.At(30, 20));
}

TEST(GamePictures, FeltAndDeadlockPictureMatchTheWindowsFelt) {
    const Dib felt = ReadBmp(Game(246));
    ExpectFormat(felt, Game(246), 8, 8, 4);
    EXPECT_EQ(felt.table, StandardColours());
    const Dib dead = ReadBmp(Game(249));
    ExpectFormat(dead, Game(249), 32, 144, 4);
    EXPECT_EQ(dead.table, StandardColours());
    if (!felt.ok || !dead.ok) return;
    // The deadlock window stands at (577, 33) on the felt: where no letter is
    // drawn, its felt continues the window's pattern without a seam.
    int feltPixels = 0;
    for (int y = 0; y < 144; ++y) {
        for (int x = 0; x < 32; ++x) {
            const int v = dead.At(x, y);
            if (v == 15 || v == 7 || v == 8) continue;  // letters and their smoothing
            if (v == felt.At((x + 577) % 8, (y + 33) % 8)) ++feltPixels;
        }
    }
    EXPECT_GT(feltPixels, 32 * 144 / 2);
    // Four white characters, one in each quarter from top to bottom.
    for (int cell = 0; cell < 4; ++cell) {
        int white = 0;
        for (int y = 36 * cell; y < 36 * cell + 36; ++y)
            for (int x = 0; x < 32; ++x) white += dead.At(x, y) == 15;
        EXPECT_GT(white, 40) << "character " << cell;
    }
}

TEST(GamePictures, HistoryFieldAndSmallFacesShareOneTable) {
    const Dib field = ReadBmp(Game(247));
    ExpectFormat(field, Game(247), 224, 390, 8);
    const Dib first = ReadBmp(Game(277));
    ASSERT_TRUE(first.ok && field.ok);
    std::vector<std::vector<uint8_t>> seen;
    for (int id = 277; id <= 312; ++id) {
        const Dib d = ReadBmp(Game(id));
        ExpectFormat(d, Game(id), 25, 35, 8);
        if (!d.ok) continue;
        EXPECT_EQ(d.table, first.table) << Game(id);
        // Index 33 is the field's green only in the field's own table.
        for (int y = 0; y < 35; ++y)
            for (int x = 0; x < 25; ++x) EXPECT_NE(d.At(x, y), 33) << Game(id) << " at " << x << "," << y;
        for (const auto& other : seen) EXPECT_NE(d.raw, other) << Game(id) << " repeats an earlier small face";
        seen.push_back(d.raw);
    }
    ASSERT_EQ(field.table.size(), first.table.size());
    for (size_t i = 0; i < field.table.size(); ++i) {
        if (i != 33) {
            EXPECT_EQ(field.table[i], first.table[i]) << "entry " << i;
        }
    }
    const Colour green = field.table[33];
    EXPECT_NE(green, first.table[33]);
    EXPECT_TRUE(green[1] > green[0] + 50 && green[1] > green[2] + 50) << "entry 33 is not green";
    for (int y = 0; y < 390; ++y)
        for (int x = 0; x < 224; ++x) ASSERT_EQ(field.At(x, y), 33) << x << "," << y;
}

TEST(GamePictures, VictoryLettersStayInsideTheOval) {
    const Dib d = ReadBmp(Game(248));
    ExpectFormat(d, Game(248), 500, 250, 8);
    if (!d.ok) return;
    int blueInside = 0;
    for (int y = 0; y < 250; ++y) {
        for (int x = 0; x < 500; ++x) {
            const Colour c = d.ColourAt(x, y);
            const bool blue = c[2] > 120 && c[2] > c[0] + 60 && c[2] > c[1] + 30;
            const double dx = (x + 0.5 - 250) / 250, dy = (y + 0.5 - 125) / 125;
            if (!blue) continue;
            // The window is clipped to the inscribed ellipse; no letter may touch its rim.
            EXPECT_LT(dx * dx + dy * dy, 0.8) << "blue at " << x << "," << y;
            ++blueInside;
        }
    }
    EXPECT_GT(blueInside, 500 * 250 / 8) << "the letters should fill the oval";
    // The background around the letters is light green.
    const Colour bg = d.ColourAt(40, 125);
    EXPECT_TRUE(bg[1] > 200 && bg[1] > bg[0] && bg[1] > bg[2]) << bg[0] << "," << bg[1] << "," << bg[2];
}

TEST(GamePictures, ArrowsAndHistoryButtons) {
    const Dib up = ReadBmp(Game(258)), down = ReadBmp(Game(259));
    ExpectFormat(up, Game(258), 30, 30, 8);
    ExpectFormat(down, Game(259), 30, 30, 8);
    EXPECT_EQ(up.table, FaceColours());
    EXPECT_EQ(down.table, FaceColours());
    if (up.ok && down.ok) {
        // Each ends in a head: a point on its first (or last) drawn line that
        // widens over the next lines.
        auto widths = [](const Dib& d) {
            std::vector<int> w;
            for (int y = 0; y < 30; ++y) {
                int n = 0;
                for (int x = 0; x < 30; ++x) n += d.At(x, y) != d.At(0, 0);
                if (n > 0) w.push_back(n);
            }
            return w;
        };
        const std::vector<int> u = widths(up);
        std::vector<int> dn = widths(down);
        std::reverse(dn.begin(), dn.end());
        for (const std::vector<int>& w : {u, dn}) {
            ASSERT_GT(w.size(), 12u);
            EXPECT_LE(w.front(), 5);
            EXPECT_GE(w[10], 12);
        }
        // Down is up turned over.
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 30; ++x) EXPECT_EQ(down.At(x, y), up.At(x, 29 - y));
    }
    const Dib preview = ReadBmp(Game(265));
    ASSERT_TRUE(preview.ok);
    for (int id : {315, 316}) {
        const Dib d = ReadBmp(Game(id));
        ExpectFormat(d, Game(id), 30, 30, 8);
        if (!d.ok) continue;
        EXPECT_EQ(d.table, preview.table) << Game(id);
        int black = 0;
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 30; ++x) {
                const Colour c = d.ColourAt(x, y);
                EXPECT_TRUE(c[0] == c[1] && c[1] == c[2]) << Game(id) << ": not grey at " << x << "," << y;
                black += c[0] == 0;
            }
        }
        EXPECT_EQ(d.ColourAt(0, 0), (Colour{192, 192, 192})) << Game(id);
        EXPECT_GT(black, 20) << Game(id);
    }
}

TEST(GamePictures, PreviewsShowEachArrangementsShapeAndStars) {
    const int stars[4] = {3, 4, 2, 2};
    // Each arrangement's footprint at half size, from the position tables.
    std::vector<std::vector<bool>> footprints;
    for (int a = 1; a <= 4; ++a) {
        std::vector<bool> f(320 * 240, false);
        for (const PositionRow& row : PositionRows(a)) {
            for (int slot = row.first; slot <= row.last; ++slot) {
                const int left = BasePositionInRow(row, slot).left;
                for (int y = 0; y < 62; ++y)
                    for (int x = 0; x < 42; ++x) f[((row.top + y) / 2) * 320 + (left + x) / 2] = true;
            }
        }
        footprints.push_back(f);
    }
    for (int a = 1; a <= 4; ++a) {
        const Dib d = ReadBmp(Game(264 + a));
        ExpectFormat(d, Game(264 + a), 320, 250, 8);
        if (!d.ok) continue;
        // Tile pixels of the preview, above the caption.
        std::vector<bool> tiles(320 * 240, false);
        for (int y = 0; y < 212; ++y)
            for (int x = 0; x < 320; ++x) tiles[y * 320 + x] = !IsFeltLike(d.ColourAt(x, y));
        // Align each footprint's box with the tiles' box and compare the shapes.
        auto box = [](const std::vector<bool>& m) {
            int x0 = 320, y0 = 240;
            for (int i = 0; i < 320 * 240; ++i)
                if (m[i]) x0 = std::min(x0, i % 320), y0 = std::min(y0, i / 320);
            return std::pair{x0, y0};
        };
        const auto [tx, ty] = box(tiles);
        double best = 0, own = 0;
        for (int b = 1; b <= 4; ++b) {
            const auto [fx, fy] = box(footprints[b - 1]);
            double bestShift = 0;
            for (int sy = -2; sy <= 2; ++sy) {
                for (int sx = -2; sx <= 2; ++sx) {
                    int both = 0, either = 0;
                    for (int y = 0; y < 240; ++y) {
                        for (int x = 0; x < 320; ++x) {
                            const int px = x - tx + fx + sx, py = y - ty + fy + sy;
                            const bool f = px >= 0 && py >= 0 && px < 320 && py < 240 && footprints[b - 1][py * 320 + px];
                            both += f && tiles[y * 320 + x];
                            either += f || tiles[y * 320 + x];
                        }
                    }
                    bestShift = std::max(bestShift, either ? double(both) / either : 0.0);
                }
            }
            if (b == a) own = bestShift; else best = std::max(best, bestShift);
        }
        EXPECT_GT(own, 0.85) << Game(264 + a) << " does not show arrangement " << a;
        EXPECT_GT(own, best + 0.05) << Game(264 + a) << " looks like another arrangement";
        // The rating: one yellow star per point under the board.
        const int filled = CountGroups(0, 212, 320, 250, [&d](int x, int y) {
            const Colour c = d.ColourAt(x, y);
            return c[0] > 200 && c[1] > 170 && c[2] < 140;
        });
        EXPECT_EQ(filled, stars[a - 1]) << Game(264 + a);
    }
}

TEST(GamePictures, LetterButtons) {
    for (int i = 0; i < 4; ++i) {
        const Dib dim = ReadBmp(Game(269 + i)), bright = ReadBmp(Game(273 + i));
        ExpectFormat(dim, Game(269 + i), 46, 42, 4);
        ExpectFormat(bright, Game(273 + i), 46, 42, 4);
        if (!dim.ok || !bright.ok) continue;
        EXPECT_EQ(dim.table, StandardColours());
        EXPECT_EQ(bright.table, StandardColours());
        int same = 0, letter = 0;
        for (int y = 0; y < 42; ++y) {
            for (int x = 0; x < 46; ++x) {
                const int a = dim.At(x, y), b = bright.At(x, y);
                EXPECT_TRUE(a == 4 || a == 3) << Game(269 + i) << ": dim olive on navy only";
                EXPECT_TRUE(b == 4 || b == 11 || b == 3) << Game(273 + i) << ": yellow on navy";
                letter += a == 3;
                same += (a == 3) == (b == 11 || b == 3);
            }
        }
        EXPECT_GT(letter, 60) << Game(269 + i);
        EXPECT_GT(same, 46 * 42 * 95 / 100) << "letter " << i << " differs between its two pictures";
        if (i > 0) {
            EXPECT_NE(dim.raw, ReadBmp(Game(268 + i)).raw);
        }
    }
}

TEST(GameIconAndCursor, CursorIsAHandWithItsHotSpotAtTheFingertip) {
    const std::vector<uint8_t> b = ReadBytes(SourcePath("assets/zmr/313.cur"));
    ASSERT_GE(b.size(), 22u + 40u);
    EXPECT_EQ(U16(b, 0), 0u);
    EXPECT_EQ(U16(b, 2), 2u) << "not a cursor file";
    ASSERT_EQ(U16(b, 4), 1u);
    EXPECT_EQ(b[6], 32);
    EXPECT_EQ(b[7], 32);
    EXPECT_EQ(U16(b, 10), 10u) << "hot spot x";
    EXPECT_EQ(U16(b, 12), 0u) << "hot spot y";
    const uint32_t bytes = U32(b, 14), offset = U32(b, 18);
    EXPECT_EQ(offset + bytes, b.size());
    const Dib image = ParseDib(b, offset, 32);
    ASSERT_TRUE(image.ok);
    EXPECT_EQ(I32(b, offset + 8), 64) << "an icon image's height counts its mask";
    EXPECT_EQ(image.bitCount, 4);
    EXPECT_EQ(image.table.size(), 16u);
    // The AND mask follows the colour rows; bit 0 means the cursor's pixel shows.
    const size_t mask = offset + 40 + 64 + 16 * 32;
    auto opaque = [&](int x, int y) { return !(b[mask + (31 - y) * 4 + x / 8] & (0x80 >> (x % 8))); };
    EXPECT_TRUE(opaque(10, 0)) << "the fingertip is the hot spot";
    // Nothing else on the top line: the hot spot is the topmost point of the hand.
    for (int x = 0; x < 32; ++x) {
        if (x < 9 || x > 11) {
            EXPECT_FALSE(opaque(x, 0)) << x;
        }
    }
    int shown = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) shown += opaque(x, y);
    EXPECT_GT(shown, 150);
    EXPECT_LT(shown, 600);
}

TEST(GameIconAndCursor, IconHoldsALargeAndASmallImage) {
    const std::vector<uint8_t> b = ReadBytes(SourcePath("assets/zmr/317.ico"));
    ASSERT_GE(b.size(), 6u + 32u);
    EXPECT_EQ(U16(b, 2), 1u) << "not an icon file";
    ASSERT_EQ(U16(b, 4), 2u);
    std::set<int> sizes;
    for (int i = 0; i < 2; ++i) {
        const size_t e = 6 + 16 * i;
        const int size = b[e];
        sizes.insert(size);
        EXPECT_EQ(b[e + 1], size);
        EXPECT_EQ(b[e + 2], 16) << "16 colours";
        const uint32_t bytes = U32(b, e + 8), offset = U32(b, e + 12);
        ASSERT_LE(offset + bytes, b.size());
        const Dib image = ParseDib(b, offset, size);
        ASSERT_TRUE(image.ok);
        EXPECT_EQ(image.width, size);
        EXPECT_EQ(image.bitCount, 4);
        EXPECT_EQ(image.table, StandardColours());
        const int maskStride = ((size + 31) / 32) * 4;
        EXPECT_EQ(bytes, 40u + 64u + static_cast<uint32_t>(image.Stride() * size + maskStride * size));
        // Both images carry a picture with a transparent surround.
        const size_t mask = offset + 40 + 64 + image.Stride() * size;
        int shown = 0;
        std::set<int> colours;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const bool clear = b[mask + (size - 1 - y) * maskStride + x / 8] & (0x80 >> (x % 8));
                if (!clear) {
                    ++shown;
                    colours.insert(image.At(x, y));
                }
            }
        }
        EXPECT_GT(shown, size * size / 4) << size;
        EXPECT_LT(shown, size * size) << size;
        EXPECT_GE(colours.size(), 3u) << size;
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32}));
}

TEST(SaverPictures, TilesCarryTheTransparentCornersExactly) {
    static const int top[10] = {8, 7, 6, 5, 5, 4, 3, 2, 2, 1};
    static const int bottom[13] = {1, 2, 2, 3, 4, 4, 5, 6, 6, 7, 7, 8, 9};
    std::vector<int> ids;
    for (int id = 101; id <= 136; ++id) ids.push_back(id);
    ids.push_back(245);
    for (int id : ids) {
        const Dib d = ReadBmp(Saver(id));
        ExpectFormat(d, Saver(id), 43, 62, 8);
        if (!d.ok) continue;
        EXPECT_EQ(d.table, FaceColours()) << Saver(id);
        int background = 0;
        for (int y = 0; y < 62; ++y) {
            for (int x = 0; x < 43; ++x) {
                bool corner = false;
                if (y <= 9) corner = x >= 43 - top[y];
                if (y >= 49) corner = x < bottom[y - 49];
                EXPECT_EQ(d.At(x, y) == 17, corner) << Saver(id) << " at " << x << "," << y;
                background += d.At(x, y) == 16;
            }
        }
        EXPECT_GT(background, 33 * 47 / 4) << Saver(id);
    }
    // Face f shows the game's design of kind f: the faces agree pixel for pixel.
    for (int kind = 0; kind < 36; ++kind) {
        const Dib saver = ReadBmp(Saver(101 + kind)), game = ReadBmp(Game(101 + kind));
        ASSERT_TRUE(saver.ok && game.ok);
        for (int y = 0; y <= 48; ++y)
            for (int x = 0; x <= 34; ++x) ASSERT_EQ(saver.At(x, y), game.At(x, y)) << "kind " << kind;
    }
    EXPECT_EQ(ReadBytes(SourcePath(Saver(135))), ReadBytes(SourcePath(Saver(245))))
        << "the maker's tile is the tile back";
}

TEST(SaverPictures, CanvasIsAllMatGreen) {
    const Dib d = ReadBmp(Saver(247));
    ExpectFormat(d, Saver(247), 640, 480, 8);
    const Dib face = ReadBmp(Saver(101));
    ASSERT_TRUE(d.ok && face.ok);
    ASSERT_EQ(d.table.size(), 256u);
    for (size_t i = 0; i < 256; ++i) {
        const Colour expected = i == 16 ? Colour{0, 0, 0} : face.table[i];
        EXPECT_EQ(d.table[i], expected) << "entry " << i;
    }
    EXPECT_EQ(std::count(d.raw.begin(), d.raw.end(), 8), 640 * 480);
}

namespace {

// A WAV file read chunk by chunk, as a player reads it.
struct Wav {
    std::string fault;  // empty when the file is well formed
    uint32_t format = 0, channels = 0, rate = 0, byteRate = 0, blockAlign = 0, bits = 0;
    std::vector<int> samples;
};

Wav ReadWav(const std::string& relative) {
    const std::vector<uint8_t> b = ReadBytes(SourcePath(relative));
    Wav w;
    if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
        std::string(b.begin() + 8, b.begin() + 12) != "WAVE") {
        w.fault = "no RIFF/WAVE header";
        return w;
    }
    if (U32(b, 4) != b.size() - 8) {
        w.fault = "RIFF size " + std::to_string(U32(b, 4)) + " for a file of " + std::to_string(b.size());
        return w;
    }
    bool haveFormat = false, haveData = false;
    for (size_t at = 12; at + 8 <= b.size();) {
        const std::string tag(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at + 4));
        const uint32_t size = U32(b, at + 4);
        if (at + 8 + size > b.size()) {
            w.fault = "chunk " + tag + " runs past the end";
            return w;
        }
        if (tag == "fmt ") {
            if (size != 16) w.fault = "fmt chunk of " + std::to_string(size) + " bytes";
            w.format = U16(b, at + 8);
            w.channels = U16(b, at + 10);
            w.rate = U32(b, at + 12);
            w.byteRate = U32(b, at + 16);
            w.blockAlign = U16(b, at + 20);
            w.bits = U16(b, at + 22);
            haveFormat = true;
        } else if (tag == "data" && haveFormat && w.bits == 16) {
            for (size_t i = 0; i + 1 < size; i += 2) w.samples.push_back(static_cast<int16_t>(U16(b, at + 8 + i)));
            haveData = true;
        }
        at += 8 + size + (size & 1);
    }
    if (!haveFormat || !haveData) w.fault = "no fmt chunk, or no 16-bit data after it";
    return w;
}

struct SoundLimits {
    const char* name;
    int shortestMs, longestMs;
};

// Each sound's length, as the game's moments call for: a click is over
// before the next click, a deadlock phrase is allowed to linger.
constexpr SoundLimits kSoundLimits[] = {
    {"check", 60, 90}, {"cancel", 60, 100}, {"get", 200, 300}, {"tezumari", 500, 700}, {"back", 150, 250}};

std::string SoundFile(const char* name) { return std::string("assets/sounds/") + name + ".wav"; }

// Zero crossings per second over samples [from, to): a rough pitch.
double CrossingRate(const std::vector<int>& s, size_t from, size_t to, uint32_t rate) {
    int crossings = 0;
    for (size_t i = from + 1; i < to; ++i) crossings += (s[i - 1] < 0) != (s[i] < 0);
    return crossings * static_cast<double>(rate) / static_cast<double>(to - from);
}

}  // namespace

TEST(Sounds, EachIsAShortMonoPcmFileThatFadesInAndOut) {
    for (const SoundLimits& limits : kSoundLimits) {
        const std::string path = SoundFile(limits.name);
        const Wav w = ReadWav(path);
        ASSERT_EQ(w.fault, "") << path;
        EXPECT_EQ(w.format, 1u) << path << ": PCM";
        EXPECT_EQ(w.channels, 1u) << path;
        EXPECT_EQ(w.rate, 22050u) << path;
        EXPECT_EQ(w.bits, 16u) << path;
        EXPECT_EQ(w.blockAlign, w.channels * w.bits / 8) << path;
        EXPECT_EQ(w.byteRate, w.rate * w.blockAlign) << path;

        const auto& s = w.samples;
        const size_t ms = w.rate / 1000;
        EXPECT_GE(s.size(), limits.shortestMs * ms) << path;
        EXPECT_LE(s.size(), limits.longestMs * ms) << path;
        ASSERT_GT(s.size(), 2 * ms) << path;

        int peak = 0;
        double energy = 0.0;
        for (int v : s) {
            peak = std::max(peak, std::abs(v));
            energy += static_cast<double>(v) * v;
        }
        const double rms = std::sqrt(energy / static_cast<double>(s.size()));
        EXPECT_GT(rms, 0.03 * 32768) << path << ": too quiet to hear over a game";
        EXPECT_LT(peak, 0.9 * 32768) << path << ": no headroom, it would clip";

        // Silence at both ends, reached by a fade rather than a step.
        EXPECT_LE(std::abs(s.front()), 0.01 * 32768) << path;
        EXPECT_LE(std::abs(s.back()), 0.01 * 32768) << path;
        int headPeak = 0, tailPeak = 0;
        for (size_t i = 0; i < ms; ++i) {
            headPeak = std::max(headPeak, std::abs(s[i]));
            tailPeak = std::max(tailPeak, std::abs(s[s.size() - 1 - i]));
        }
        EXPECT_LT(headPeak, peak / 2) << path << ": starts with a click";
        EXPECT_LT(tailPeak, peak / 2) << path << ": ends with a click";
    }
}

TEST(Sounds, PitchesTellTheMomentsApart) {
    auto rate = [](const char* name) {
        const Wav w = ReadWav(SoundFile(name));
        return w.samples.size() > 1 ? CrossingRate(w.samples, 0, w.samples.size(), w.rate) : 0.0;
    };
    EXPECT_GT(rate("check"), rate("cancel")) << "selecting sounds brighter than letting go";
    EXPECT_LT(rate("tezumari"), rate("cancel")) << "the deadlock phrase is the lowest";
    const Wav back = ReadWav(SoundFile("back"));
    ASSERT_GT(back.samples.size(), 100u);
    const size_t half = back.samples.size() / 2;
    EXPECT_GT(CrossingRate(back.samples, half, back.samples.size(), back.rate),
              CrossingRate(back.samples, 0, half, back.rate))
        << "bringing pairs back rises";
}
