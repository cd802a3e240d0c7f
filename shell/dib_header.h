// Reading the 40-byte header of a device-independent bitmap, its colour count and where its pixels lie.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

inline constexpr std::size_t kDibHeaderSize = 40;
// No picture of either program is anywhere near this; a larger side means a
// damaged header, and refusing it keeps every size computation small.
inline constexpr std::int32_t kMaxDibSide = 8192;
inline constexpr std::uint32_t kMaxDibColors = 256;

// The header fields in file order.
struct DibHeader {
    std::uint32_t headerSize = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;  // positive: rows stored bottom line first
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    std::int32_t xPixelsPerMeter = 0;
    std::int32_t yPixelsPerMeter = 0;
    std::uint32_t colorsUsed = 0;
    std::uint32_t colorsImportant = 0;
};

// Where the parts of a bitmap lie, as offsets from the start of its header.
struct DibLayout {
    DibHeader header;
    int colorCount = 0;
    std::size_t pixelOffset = 0;  // header size + 4 x colour count
    std::size_t rowBytes = 0;     // one row, padded to a multiple of 4
    std::size_t totalBytes = 0;   // header, colour table and every pixel row
};

// The colours-used field when it is non-zero, otherwise 2, 16, 256 or 0 for
// 1, 4, 8 or 24 bits per pixel. Other bit counts have no table: 0.
int DibColorCount(std::uint16_t bitCount, std::uint32_t colorsUsed);

// Bytes in one pixel row of the given width, padded to a multiple of 4.
std::size_t DibRowBytes(std::int32_t width, std::uint16_t bitCount);

// Reads the header fields (little-endian) from at least kDibHeaderSize bytes.
DibHeader ReadDibHeader(const unsigned char* data);

// The layout of the bitmap in the given bytes, or nothing when they are not
// a bitmap this program can draw: a header size other than 40, a side of 0,
// a negative side or one above kMaxDibSide, planes other than 1, a bit count
// other than 1, 4, 8 or 24, any compression, more than 256 colours used, or
// fewer bytes than the header, the colour table and the pixel rows need.
std::optional<DibLayout> ParseDib(const unsigned char* data, std::size_t size);
