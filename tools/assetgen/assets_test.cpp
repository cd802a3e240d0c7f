// Checks every committed picture and sound against what the game and the screensaver expect of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <set>
#include <string>

#include "board/positions.h"
#include "tests/support/asset_reader_testing.h"

using namespace asset_reader;

namespace {

// Every picture is drawn at single size and again at twice the width and
// height, into a folder beside the first with the same file names.
constexpr int kScales[] = {1, 2};

std::string Folder(const std::string& name, int scale) { return scale == 1 ? name : name + "@2x"; }
std::string Game(int id, int scale = 1) { return "assets/" + Folder("zmr", scale) + "/" + std::to_string(id) + ".bmp"; }
std::string Saver(int id, int scale = 1) {
    return "assets/" + Folder("saver", scale) + "/" + std::to_string(id) + ".bmp";
}

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
// that the open face background does not reach. A ring counts as one piece
// with whatever it encloses, however finely it is drawn.
int CountPieces(const Dib& d, int scale) {
    const int x0 = scale, y0 = scale, x1 = 34 * scale, y1 = 48 * scale;
    std::set<std::pair<int, int>> open;
    std::vector<std::pair<int, int>> stack;
    for (int x = x0; x < x1; ++x) stack.insert(stack.end(), {{x, y0}, {x, y1 - 1}});
    for (int y = y0; y < y1; ++y) stack.insert(stack.end(), {{x0, y}, {x1 - 1, y}});
    while (!stack.empty()) {
        const auto [x, y] = stack.back();
        stack.pop_back();
        if (x < x0 || y < y0 || x >= x1 || y >= y1 || d.At(x, y) != 16 || !open.insert({x, y}).second) continue;
        stack.insert(stack.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
    }
    return CountGroups(x0, y0, x1, y1, [&open](int x, int y) { return !open.count({x, y}); });
}

bool IsFeltLike(const Colour& c) { return (c[1] > c[0] + 40 && c[1] > c[2] + 40) || c[0] + c[1] + c[2] < 60; }

}  // namespace

// Every single-size picture has its double: twice the width and height, the
// same depth and table, and halved it shows the same picture.
TEST(DoubleSize, EveryPictureIsDrawnAgainAtTwiceItsSizeWithItsTable) {
    int pictures = 0;
    for (const char* folder : {"zmr", "saver"}) {
        for (const auto& entry : std::filesystem::directory_iterator(SourcePath(std::string("assets/") + folder))) {
            if (entry.path().extension() != ".bmp") continue;
            const std::string file = "/" + entry.path().filename().string();
            const std::string oneName = "assets/" + Folder(folder, 1) + file;
            const std::string twoName = "assets/" + Folder(folder, 2) + file;
            const Dib one = ReadBmp(oneName), two = ReadBmp(twoName);
            ASSERT_TRUE(one.ok) << oneName;
            ExpectFormat(two, twoName, 2 * one.width, 2 * one.height, one.bitCount);
            if (!two.ok) continue;
            EXPECT_EQ(two.table, one.table) << twoName;
            // A pixel's colour shows in the 2 x 2 pixels it became (within the
            // smoothing of edges), so every index kept its meaning and place.
            int alike = 0;
            for (int y = 0; y < one.height; ++y) {
                for (int x = 0; x < one.width; ++x) {
                    const Colour c = one.ColourAt(x, y);
                    bool near = false;
                    for (int k = 0; k < 4; ++k) {
                        const Colour d = two.ColourAt(2 * x + k % 2, 2 * y + k / 2);
                        const int apart = std::max({std::abs(c[0] - d[0]), std::abs(c[1] - d[1]), std::abs(c[2] - d[2])});
                        near = near || apart <= 48;
                    }
                    alike += near;
                }
            }
            EXPECT_GT(alike, one.width * one.height * 8 / 10) << twoName << " does not look like " << oneName;
            ++pictures;
        }
    }
    EXPECT_EQ(pictures, 200 + 38) << "the game's 200 pictures and the screensaver's 38";
}

TEST(GameTiles, FaceFormatTableAndLookIndices) {
    const std::vector<Colour> faceTable = FaceColours();
    std::vector<double> singleShare(245);
    for (int s : kScales) {
        for (int id = 101; id <= 244; ++id) {
            const std::string name = Game(id, s);
            const Dib d = ReadBmp(name);
            ExpectFormat(d, name, 43 * s, 62 * s, 8);
            if (!d.ok) continue;
            EXPECT_EQ(d.table, faceTable) << name;
            // A look change rewrites indices 13..16 in pixel bytes 546..2683 of a
            // single-size face: the face background must lie there.
            for (size_t i = 0; s == 1 && i < d.raw.size(); ++i) {
                if (d.raw[i] == 16) {
                    EXPECT_TRUE(i >= 546 && i < 2684) << name << ": background outside at " << i;
                }
            }
            // Only the face's background inside its outline takes a look's index.
            int background = 0;
            for (int y = 0; y < 62 * s; ++y) {
                for (int x = 0; x < 43 * s; ++x) {
                    const int v = d.At(x, y);
                    if (v >= 13 && v <= 15) ADD_FAILURE() << name << ": look index " << v << " at " << x << "," << y;
                    if (v != 16) continue;
                    ++background;
                    EXPECT_TRUE(x >= s && x < 34 * s && y >= s && y < 48 * s) << name << " at " << x << "," << y;
                }
            }
            // It covers a good part of the face, and as much of the larger face as of the single-size one.
            const double share = background / (43.0 * 62 * s * s);
            EXPECT_GT(share, 33 * 47 / 4 / (43.0 * 62)) << name;
            if (s == 1) singleShare[id] = share;
            EXPECT_NEAR(share, singleShare[id], 0.05) << name;
        }
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
    for (int s : kScales) {
        for (int n = 2; n <= 9; ++n) {
            EXPECT_EQ(CountPieces(ReadBmp(Game(101 + 9 + n, s)), s), n) << "circles " << n << " at scale " << s;
            EXPECT_EQ(CountPieces(ReadBmp(Game(101 + 19 + n, s)), s), n) << "bamboos " << n << " at scale " << s;
        }
        // The white dragon is a frame (one or two rings), and the bird's tile is not empty.
        EXPECT_GE(CountPieces(ReadBmp(Game(101 + 29, s)), s), 1);
        EXPECT_LE(CountPieces(ReadBmp(Game(101 + 29, s)), s), 2);
        EXPECT_GE(CountPieces(ReadBmp(Game(101 + 20, s)), s), 1);
    }
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
    for (int s : kScales) {
        const Dib felt = ReadBmp(Game(246, s));
        ExpectFormat(felt, Game(246, s), 8 * s, 8 * s, 4);
        EXPECT_EQ(felt.table, StandardColours());
        const Dib dead = ReadBmp(Game(249, s));
        ExpectFormat(dead, Game(249, s), 32 * s, 144 * s, 4);
        EXPECT_EQ(dead.table, StandardColours());
        if (!felt.ok || !dead.ok) continue;
        // The deadlock window stands at (577, 33) on the felt: where no letter is
        // drawn, its felt continues the window's pattern without a seam.
        const int w = 32 * s, h = 144 * s, tile = 8 * s;
        int feltPixels = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const int v = dead.At(x, y);
                if (v == 15 || v == 7 || v == 8) continue;  // letters and their smoothing
                if (v == felt.At((x + 577 * s) % tile, (y + 33 * s) % tile)) ++feltPixels;
            }
        }
        EXPECT_GT(feltPixels, w * h / 2) << Game(249, s);
        // Four white characters, one in each quarter from top to bottom.
        for (int cell = 0; cell < 4; ++cell) {
            int white = 0;
            for (int y = 36 * s * cell; y < 36 * s * (cell + 1); ++y)
                for (int x = 0; x < w; ++x) white += dead.At(x, y) == 15;
            EXPECT_GT(white, 40 * s * s) << "character " << cell << " at scale " << s;
        }
    }
}

TEST(GamePictures, HistoryFieldAndSmallFacesShareOneTable) {
    const Dib first = ReadBmp(Game(277));
    ASSERT_TRUE(first.ok);
    for (int s : kScales) {
        // The larger small faces keep the single-size table, so each index means the same.
        const Dib field = ReadBmp(Game(247, s));
        ExpectFormat(field, Game(247, s), 224 * s, 390 * s, 8);
        ASSERT_TRUE(field.ok);
        std::vector<std::vector<uint8_t>> seen;
        for (int id = 277; id <= 312; ++id) {
            const Dib d = ReadBmp(Game(id, s));
            ExpectFormat(d, Game(id, s), 25 * s, 35 * s, 8);
            if (!d.ok) continue;
            EXPECT_EQ(d.table, first.table) << Game(id, s);
            // Index 33 is the field's green only in the field's own table.
            for (int y = 0; y < 35 * s; ++y)
                for (int x = 0; x < 25 * s; ++x) EXPECT_NE(d.At(x, y), 33) << Game(id, s) << " at " << x << "," << y;
            for (const auto& other : seen) EXPECT_NE(d.raw, other) << Game(id, s) << " repeats an earlier small face";
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
        EXPECT_EQ(std::count(field.raw.begin(), field.raw.end(), 33), 224 * 390 * s * s) << Game(247, s);
    }
}

TEST(GamePictures, VictoryLettersStayInsideTheOval) {
    for (int s : kScales) {
        const Dib d = ReadBmp(Game(248, s));
        const int w = 500 * s, h = 250 * s;
        ExpectFormat(d, Game(248, s), w, h, 8);
        if (!d.ok) continue;
        int blueInside = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const Colour c = d.ColourAt(x, y);
                const bool blue = c[2] > 120 && c[2] > c[0] + 60 && c[2] > c[1] + 30;
                const double dx = (x + 0.5 - w / 2.0) / (w / 2.0), dy = (y + 0.5 - h / 2.0) / (h / 2.0);
                if (!blue) continue;
                // The window is clipped to the inscribed ellipse; no letter may touch its rim.
                EXPECT_LT(dx * dx + dy * dy, 0.8) << Game(248, s) << ": blue at " << x << "," << y;
                ++blueInside;
            }
        }
        EXPECT_GT(blueInside, w * h / 8) << "the letters should fill the oval";
        // The background around the letters is light green.
        const Colour bg = d.ColourAt(40 * s, 125 * s);
        EXPECT_TRUE(bg[1] > 200 && bg[1] > bg[0] && bg[1] > bg[2]) << bg[0] << "," << bg[1] << "," << bg[2];
    }
}

TEST(GamePictures, ArrowsAndHistoryButtons) {
    const Dib preview = ReadBmp(Game(265));
    ASSERT_TRUE(preview.ok);
    for (int s : kScales) {
        const int n = 30 * s;
        const Dib up = ReadBmp(Game(258, s)), down = ReadBmp(Game(259, s));
        ExpectFormat(up, Game(258, s), n, n, 8);
        ExpectFormat(down, Game(259, s), n, n, 8);
        EXPECT_EQ(up.table, FaceColours());
        EXPECT_EQ(down.table, FaceColours());
        if (up.ok && down.ok) {
            // Each ends in a head: a point on its first (or last) drawn line that
            // widens over the next lines.
            auto widths = [n](const Dib& d) {
                std::vector<int> w;
                for (int y = 0; y < n; ++y) {
                    int count = 0;
                    for (int x = 0; x < n; ++x) count += d.At(x, y) != d.At(0, 0);
                    if (count > 0) w.push_back(count);
                }
                return w;
            };
            const std::vector<int> u = widths(up);
            std::vector<int> dn = widths(down);
            std::reverse(dn.begin(), dn.end());
            for (const std::vector<int>& w : {u, dn}) {
                ASSERT_GT(w.size(), 12u * s);
                EXPECT_LE(w.front(), 5 * s);
                EXPECT_GE(w[10 * s], 12 * s);
            }
            // Down is up turned over.
            for (int y = 0; y < n; ++y)
                for (int x = 0; x < n; ++x) EXPECT_EQ(down.At(x, y), up.At(x, n - 1 - y));
        }
        // The history buttons use the single-size preview's table at every size.
        for (int id : {315, 316}) {
            const Dib d = ReadBmp(Game(id, s));
            ExpectFormat(d, Game(id, s), n, n, 8);
            if (!d.ok) continue;
            EXPECT_EQ(d.table, preview.table) << Game(id, s);
            int black = 0;
            for (int y = 0; y < n; ++y) {
                for (int x = 0; x < n; ++x) {
                    const Colour c = d.ColourAt(x, y);
                    EXPECT_TRUE(c[0] == c[1] && c[1] == c[2]) << Game(id, s) << ": not grey at " << x << "," << y;
                    black += c[0] == 0;
                }
            }
            EXPECT_EQ(d.ColourAt(0, 0), (Colour{192, 192, 192})) << Game(id, s);
            EXPECT_GT(black, 20 * s * s) << Game(id, s);
        }
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
    }
    // The rating at every size: one yellow star per point under the board.
    for (int s : kScales) {
        for (int a = 1; a <= 4; ++a) {
            const Dib d = ReadBmp(Game(264 + a, s));
            ExpectFormat(d, Game(264 + a, s), 320 * s, 250 * s, 8);
            if (!d.ok) continue;
            const int filled = CountGroups(0, 212 * s, 320 * s, 250 * s, [&d](int x, int y) {
                const Colour c = d.ColourAt(x, y);
                return c[0] > 200 && c[1] > 170 && c[2] < 140;
            });
            EXPECT_EQ(filled, stars[a - 1]) << Game(264 + a, s);
        }
    }
}

TEST(GamePictures, LetterButtons) {
    for (int s : kScales) {
        const int w = 46 * s, h = 42 * s;
        for (int i = 0; i < 4; ++i) {
            const std::string dimName = Game(269 + i, s), brightName = Game(273 + i, s);
            const Dib dim = ReadBmp(dimName), bright = ReadBmp(brightName);
            ExpectFormat(dim, dimName, w, h, 4);
            ExpectFormat(bright, brightName, w, h, 4);
            if (!dim.ok || !bright.ok) continue;
            EXPECT_EQ(dim.table, StandardColours());
            EXPECT_EQ(bright.table, StandardColours());
            int same = 0, letter = 0;
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    const int a = dim.At(x, y), b = bright.At(x, y);
                    EXPECT_TRUE(a == 4 || a == 3) << dimName << ": dim olive on navy only";
                    EXPECT_TRUE(b == 4 || b == 11 || b == 3) << brightName << ": yellow on navy";
                    letter += a == 3;
                    same += (a == 3) == (b == 11 || b == 3);
                }
            }
            EXPECT_GT(letter, 60 * s * s) << dimName;
            EXPECT_GT(same, w * h * 95 / 100) << "letter " << i << " differs between its two pictures at scale " << s;
            if (i > 0) {
                EXPECT_NE(dim.raw, ReadBmp(Game(268 + i, s)).raw);
            }
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
    for (int s : kScales) {
        const std::vector<uint8_t> b = ReadBytes(SourcePath("assets/" + Folder("zmr", s) + "/317.ico"));
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
        EXPECT_EQ(sizes, (std::set<int>{16 * s, 32 * s}));
    }
}

TEST(SaverPictures, TilesCarryTheTransparentCornersExactly) {
    static const int top[10] = {8, 7, 6, 5, 5, 4, 3, 2, 2, 1};
    static const int bottom[13] = {1, 2, 2, 3, 4, 4, 5, 6, 6, 7, 7, 8, 9};
    std::vector<int> ids;
    for (int id = 101; id <= 136; ++id) ids.push_back(id);
    ids.push_back(245);
    for (int id : ids) {
        const Dib one = ReadBmp(Saver(id)), two = ReadBmp(Saver(id, 2));
        ExpectFormat(one, Saver(id), 43, 62, 8);
        ExpectFormat(two, Saver(id, 2), 86, 124, 8);
        if (!one.ok || !two.ok) continue;
        EXPECT_EQ(one.table, FaceColours()) << Saver(id);
        EXPECT_EQ(two.table, FaceColours()) << Saver(id, 2);
        int background = 0;
        for (int y = 0; y < 62; ++y) {
            for (int x = 0; x < 43; ++x) {
                bool corner = false;
                if (y <= 9) corner = x >= 43 - top[y];
                if (y >= 49) corner = x < bottom[y - 49];
                EXPECT_EQ(one.At(x, y) == 17, corner) << Saver(id) << " at " << x << "," << y;
                background += one.At(x, y) == 16;
                // The larger corners step by single pixels: halved, they are the single-size corners.
                int keyed = 0;
                for (int k = 0; k < 4; ++k) keyed += two.At(2 * x + k % 2, 2 * y + k / 2) == 17;
                EXPECT_EQ(keyed >= 2, corner) << Saver(id, 2) << " about " << 2 * x << "," << 2 * y;
            }
        }
        EXPECT_GT(background, 33 * 47 / 4) << Saver(id);
    }
    for (int s : kScales) {
        // Face f shows the game's design of kind f: the faces agree pixel for pixel.
        for (int kind = 0; kind < 36; ++kind) {
            const Dib saver = ReadBmp(Saver(101 + kind, s)), game = ReadBmp(Game(101 + kind, s));
            ASSERT_TRUE(saver.ok && game.ok);
            for (int y = 0; y < 49 * s; ++y)
                for (int x = 0; x < 35 * s; ++x) ASSERT_EQ(saver.At(x, y), game.At(x, y)) << Saver(101 + kind, s);
        }
        EXPECT_EQ(ReadBytes(SourcePath(Saver(135, s))), ReadBytes(SourcePath(Saver(245, s))))
            << "the maker's tile is the tile back";
    }
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
