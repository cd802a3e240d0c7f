// Reading the 40-byte header of a device-independent bitmap, its colour count and where its pixels lie.
#include "shell/dib_header.h"

namespace {

std::uint16_t ReadU16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t ReadU32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::int32_t ReadI32(const unsigned char* p) {
    return static_cast<std::int32_t>(ReadU32(p));
}

bool IsDrawableBitCount(std::uint16_t bitCount) {
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24;
}

}  // namespace

int DibColorCount(std::uint16_t bitCount, std::uint32_t colorsUsed) {
    if (colorsUsed != 0) {
        return static_cast<int>(colorsUsed);
    }
    switch (bitCount) {
        case 1: return 2;
        case 4: return 16;
        case 8: return 256;
        default: return 0;
    }
}

std::size_t DibRowBytes(std::int32_t width, std::uint16_t bitCount) {
    const std::uint64_t bits = static_cast<std::uint64_t>(width) * bitCount;
    return static_cast<std::size_t>((bits + 31) / 32 * 4);
}

DibHeader ReadDibHeader(const unsigned char* data) {
    DibHeader header;
    header.headerSize = ReadU32(data + 0);
    header.width = ReadI32(data + 4);
    header.height = ReadI32(data + 8);
    header.planes = ReadU16(data + 12);
    header.bitCount = ReadU16(data + 14);
    header.compression = ReadU32(data + 16);
    header.imageSize = ReadU32(data + 20);
    header.xPixelsPerMeter = ReadI32(data + 24);
    header.yPixelsPerMeter = ReadI32(data + 28);
    header.colorsUsed = ReadU32(data + 32);
    header.colorsImportant = ReadU32(data + 36);
    return header;
}

std::optional<DibLayout> ParseDib(const unsigned char* data, std::size_t size) {
    if (data == nullptr || size < kDibHeaderSize) {
        return std::nullopt;
    }
    const DibHeader header = ReadDibHeader(data);
    if (header.headerSize != kDibHeaderSize || header.planes != 1 ||
        !IsDrawableBitCount(header.bitCount) || header.compression != 0 ||
        header.colorsUsed > kMaxDibColors) {
        return std::nullopt;
    }
    if (header.width <= 0 || header.width > kMaxDibSide || header.height <= 0 ||
        header.height > kMaxDibSide) {
        return std::nullopt;
    }
    DibLayout layout;
    layout.header = header;
    layout.colorCount = DibColorCount(header.bitCount, header.colorsUsed);
    layout.pixelOffset = kDibHeaderSize + 4 * static_cast<std::size_t>(layout.colorCount);
    layout.rowBytes = DibRowBytes(header.width, header.bitCount);
    // Both sides are capped, so this stays far below 2^32 even on 32-bit builds.
    layout.totalBytes = layout.pixelOffset + layout.rowBytes * static_cast<std::size_t>(header.height);
    if (size < layout.totalBytes) {
        return std::nullopt;
    }
    return layout;
}
