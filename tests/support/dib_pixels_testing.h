// Shared by the picture tests, on the host and under Wine: one pixel's colour index in a bitmap's rows.
#pragma once

#include <cstddef>

// The colour index at (x, y), counted from the top left, of a bottom-up
// 4-bit or 8-bit picture whose rows, each padded to 4 bytes, start at `rows`.
inline int DibIndexAt(const unsigned char* rows, int width, int height, int bitCount, int x, int y) {
    const std::size_t rowBytes = ((static_cast<std::size_t>(width) * bitCount + 31) / 32) * 4;
    const unsigned char* row = rows + rowBytes * static_cast<std::size_t>(height - 1 - y);
    // 4 bits: the high half of a byte is the left pixel.
    return bitCount == 8 ? row[x] : x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0F;
}
