// The file formats the generator writes: DIB bitmaps, icons, cursors and PNG.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/assetgen/raster.h"

// Little-endian fields of the Windows file formats (BMP, ICO, CUR, WAV).
inline void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// A palette picture: one index per pixel, rows top to bottom.
struct IndexedPicture {
    int width = 0;
    int height = 0;
    int bitCount = 8;  // 4 or 8
    std::vector<Rgb> table;
    std::vector<uint8_t> pixels;

    uint8_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    uint8_t& Ref(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
};

IndexedPicture MakePicture(int width, int height, int bitCount, std::vector<Rgb> table, uint8_t fill);

// A .bmp file: 14-byte file header, 40-byte info header with the colours-used
// field set to the table's size, the table, then rows bottom-up, padded to 4 bytes.
std::vector<uint8_t> EncodeBmp(const IndexedPicture& picture);

// One image of an icon or cursor; `transparent` marks the pixels the
// AND mask lets the screen show through.
struct IconImage {
    IndexedPicture picture;  // 4 bits, standard table
    std::vector<bool> transparent;
};

std::vector<uint8_t> EncodeIcon(const std::vector<IconImage>& images);
std::vector<uint8_t> EncodeCursor(const IconImage& image, int hotX, int hotY);

// A 24-bit RGB picture for review images.
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;
    Rgb At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    void Set(int x, int y, Rgb c) {
        if (x >= 0 && y >= 0 && x < width && y < height) pixels[static_cast<size_t>(y) * width + x] = c;
    }
};

std::vector<uint8_t> EncodePng(const RgbPicture& picture);

// Writes bytes to a file, creating its folders; throws on failure.
void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
