// Pictures drawn at another size by averaging: each pixel of the result is the mean of the part of the picture it covers.
#include "shell/picture_resample.h"

#include <algorithm>
#include <cstddef>

namespace {

// Weights are parts of 256 along each axis, so a pixel's sum of 256 x 256
// parts fits easily in 32 bits per channel.
constexpr int kWhole = 256;

// Along one axis of `from` pixels drawn as `to`: for result pixel x its
// taps first[x] .. first[x + 1] - 1, each a source pixel and its share.
struct AxisTaps {
    std::vector<int> first;
    std::vector<int> source;
    std::vector<uint32_t> weight;
};

// A result pixel x covers the source from x * from / to to (x + 1) * from /
// to; exact in units of 1 / to of a source pixel, and the shares of each
// result pixel add up to kWhole.
AxisTaps TapsAlong(int from, int to) {
    AxisTaps taps;
    taps.first.reserve(static_cast<std::size_t>(to) + 1);
    for (int x = 0; x < to; ++x) {
        taps.first.push_back(static_cast<int>(taps.source.size()));
        const long long start = 1LL * x * from;
        const long long end = 1LL * (x + 1) * from;
        uint32_t given = 0;
        std::size_t largest = taps.weight.size();
        for (long long source = start / to; source * to < end; ++source) {
            const long long covered = std::min(end, (source + 1) * to) - std::max(start, source * to);
            const auto weight = static_cast<uint32_t>(covered * kWhole / from);
            if (largest == taps.weight.size() || weight > taps.weight[largest]) largest = taps.weight.size();
            taps.source.push_back(static_cast<int>(source));
            taps.weight.push_back(weight);
            given += weight;
        }
        // What rounding left over goes to the largest share.
        taps.weight[largest] += kWhole - given;
    }
    taps.first.push_back(static_cast<int>(taps.source.size()));
    return taps;
}

// The picture's pixels as colours, bottom row first, one word each.
std::vector<uint32_t> Decode(const IndexedPicture& picture) {
    const std::size_t rowBytes = (static_cast<std::size_t>(picture.width) * picture.bitCount + 31) / 32 * 4;
    uint32_t table[256] = {};  // an index past the picture's table is black
    for (int i = 0; i < picture.colourCount && i < 256; ++i) table[i] = picture.colours[i] & 0x00FFFFFFu;
    std::vector<uint32_t> colours(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height));
    for (int y = 0; y < picture.height; ++y) {
        const unsigned char* row = picture.rows + rowBytes * static_cast<std::size_t>(y);
        uint32_t* out = colours.data() + static_cast<std::size_t>(y) * picture.width;
        for (int x = 0; x < picture.width; ++x) {
            // 4 bits: the high half of a byte is the left pixel.
            const int index = picture.bitCount == 8 ? row[x] : x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0F;
            out[x] = table[index];
        }
    }
    return colours;
}

}  // namespace

void ResamplePicture(const IndexedPicture& picture, int width, int height, std::vector<uint32_t>& out) {
    out.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    if (picture.width <= 0 || picture.height <= 0 || width <= 0 || height <= 0) return;
    const std::vector<uint32_t> colours = Decode(picture);
    const AxisTaps across = TapsAlong(picture.width, width);
    // Rows bottom first on both sides, so row taps map bottom to bottom.
    const AxisTaps down = TapsAlong(picture.height, height);
    // Across first: every source row at the result's width, each channel in
    // parts of kWhole.
    std::vector<uint32_t> red(static_cast<std::size_t>(width) * picture.height);
    std::vector<uint32_t> green(red.size());
    std::vector<uint32_t> blue(red.size());
    for (int y = 0; y < picture.height; ++y) {
        const uint32_t* row = colours.data() + static_cast<std::size_t>(y) * picture.width;
        const std::size_t base = static_cast<std::size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            uint32_t r = 0, g = 0, b = 0;
            for (int tap = across.first[x]; tap < across.first[x + 1]; ++tap) {
                const uint32_t colour = row[across.source[tap]];
                const uint32_t weight = across.weight[tap];
                r += (colour >> 16 & 0xFF) * weight;
                g += (colour >> 8 & 0xFF) * weight;
                b += (colour & 0xFF) * weight;
            }
            red[base + x] = r;
            green[base + x] = g;
            blue[base + x] = b;
        }
    }
    // Then down, rounded to the nearest of kWhole x kWhole parts.
    constexpr uint32_t kHalf = kWhole * kWhole / 2;
    for (int y = 0; y < height; ++y) {
        uint32_t* result = out.data() + static_cast<std::size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            uint32_t r = kHalf, g = kHalf, b = kHalf;
            for (int tap = down.first[y]; tap < down.first[y + 1]; ++tap) {
                const std::size_t at = static_cast<std::size_t>(down.source[tap]) * width + x;
                const uint32_t weight = down.weight[tap];
                r += red[at] * weight;
                g += green[at] * weight;
                b += blue[at] * weight;
            }
            result[x] = (r >> 16) << 16 | (g >> 16) << 8 | (b >> 16);
        }
    }
}
