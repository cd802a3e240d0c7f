// Test helper: reads the committed picture files back, independently of the writer.
#pragma once

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/dib_pixels_testing.h"

namespace asset_reader {

inline std::string SourcePath(const std::string& relative) { return std::string(ZMR_SOURCE_DIR) + "/" + relative; }

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

inline uint32_t U16(const std::vector<uint8_t>& b, size_t at) { return b[at] | (b[at + 1] << 8); }
inline uint32_t U32(const std::vector<uint8_t>& b, size_t at) { return U16(b, at) | (U16(b, at + 2) << 16); }
inline int32_t I32(const std::vector<uint8_t>& b, size_t at) { return static_cast<int32_t>(U32(b, at)); }

using Colour = std::array<int, 3>;  // red, green, blue

// A DIB as the game reads it: info header, colour table, raw pixel rows.
struct Dib {
    bool ok = false;
    uint32_t headerSize = 0;
    int width = 0;
    int height = 0;  // positive: bottom-up rows
    int planes = 0;
    int bitCount = 0;
    uint32_t compression = 0;
    uint32_t colorsUsed = 0;
    std::vector<Colour> table;
    std::vector<uint8_t> raw;  // the pixel array, bottom row first, rows padded to 4 bytes

    int Stride() const { return ((width * bitCount + 31) / 32) * 4; }
    // The index at (x, y), y counted from the top.
    int At(int x, int y) const { return DibIndexAt(raw.data(), width, height, bitCount, x, y); }
    Colour ColourAt(int x, int y) const { return table[At(x, y)]; }
};

// Parses a DIB starting at `at` (the info header); `rows` overrides the
// number of pixel rows (an icon's header counts its mask too).
inline Dib ParseDib(const std::vector<uint8_t>& b, size_t at, int rows = -1) {
    Dib d;
    if (b.size() < at + 40) return d;
    d.headerSize = U32(b, at);
    d.width = I32(b, at + 4);
    d.height = rows > 0 ? rows : I32(b, at + 8);
    d.planes = static_cast<int>(U16(b, at + 12));
    d.bitCount = static_cast<int>(U16(b, at + 14));
    d.compression = U32(b, at + 16);
    d.colorsUsed = U32(b, at + 32);
    const uint32_t count = d.colorsUsed != 0 ? d.colorsUsed : (d.bitCount <= 8 ? 1u << d.bitCount : 0u);
    size_t p = at + d.headerSize;
    if (b.size() < p + 4 * count) return d;
    for (uint32_t i = 0; i < count; ++i, p += 4) d.table.push_back({b[p + 2], b[p + 1], b[p]});
    const size_t bytes = static_cast<size_t>(d.Stride()) * d.height;
    if (d.height <= 0 || b.size() < p + bytes) return d;
    d.raw.assign(b.begin() + static_cast<long>(p), b.begin() + static_cast<long>(p + bytes));
    d.ok = true;
    return d;
}

// A .bmp file: the 14-byte file header must point at the pixels.
inline Dib ReadBmp(const std::string& relative) {
    const std::vector<uint8_t> b = ReadBytes(SourcePath(relative));
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M' || U32(b, 2) != b.size()) return {};
    Dib d = ParseDib(b, 14);
    if (d.ok && U32(b, 10) != 14 + d.headerSize + 4 * d.table.size()) d.ok = false;
    return d;
}

inline std::vector<Colour> StandardColours() {
    return {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
            {0, 128, 128},   {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0},
            {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
}

inline std::vector<Colour> FaceColours() {
    std::vector<Colour> t = {{235, 235, 245}, {128, 128, 128}, {192, 192, 192}, {170, 150, 0}, {128, 128, 0},
                             {0, 0, 0},       {255, 0, 0},     {255, 255, 255}, {0, 90, 0},    {0, 0, 128},
                             {205, 205, 205}, {255, 0, 255},   {0, 128, 128},   {0, 255, 255}, {0, 255, 0},
                             {255, 255, 0},   {235, 235, 245}};
    t.resize(256, Colour{0, 0, 0});
    return t;
}

}  // namespace asset_reader
