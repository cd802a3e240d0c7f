// Colour tables of the pictures and the mapping of drawn colours onto them.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/assetgen/raster.h"

// The faces' table: the tile looks rewrite indices 13 to 16 in a face, so
// entries 0 to 16 are fixed; the rest stay black.
namespace face {
constexpr int kWhite = 0;  // the face's white inside a design: keeps its colour in every look
constexpr int kGrey = 1;
constexpr int kSilver = 2;
constexpr int kGold = 3;
constexpr int kOlive = 4;
constexpr int kBlack = 5;
constexpr int kRed = 6;
constexpr int kBrightWhite = 7;
constexpr int kMat = 8;  // dark green
constexpr int kNavy = 9;
constexpr int kLightGrey = 10;
constexpr int kMagenta = 11;
constexpr int kTeal = 12;
constexpr int kSelected = 13;
constexpr int kHint = 14;
constexpr int kAnswer = 15;
constexpr int kBackground = 16;  // the face background: the only index a look changes
constexpr int kTransparent = 17; // the screensaver's key colour; black like 17..255
}  // namespace face

std::vector<Rgb> FaceTable();
// The platform's standard 16 colours, in the order the 4-bit pictures use.
std::vector<Rgb> StandardTable();

namespace std16 {
constexpr int kBlack = 0, kDarkRed = 1, kDarkGreen = 2, kOlive = 3, kNavy = 4, kPurple = 5,
              kTeal = 6, kSilver = 7, kGrey = 8, kRed = 9, kGreen = 10, kYellow = 11,
              kBlue = 12, kMagenta = 13, kCyan = 14, kWhite = 15;
}

// Distance between two colours, weighted towards green the way the eye is.
int ColourDistance(Rgb a, Rgb b);

// The index among `candidates` nearest to `c`.
int Nearest(const std::vector<Rgb>& table, const std::vector<int>& candidates, Rgb c);

// Up to `count` colours that represent `pixels` well (median cut), after the
// colours in `fixed`, which come first and unchanged. Deterministic.
std::vector<Rgb> BuildTable(const std::vector<Rgb>& pixels, const std::vector<Rgb>& fixed, int count);

// Every pixel of a canvas mapped to its nearest entry among `candidates`.
std::vector<uint8_t> MapCanvas(const Canvas& canvas, const std::vector<Rgb>& table,
                               const std::vector<int>& candidates);

// All pixels of a canvas, row by row.
std::vector<Rgb> CanvasPixels(const Canvas& canvas);
