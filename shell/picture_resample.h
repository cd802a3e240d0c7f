// Pictures drawn at another size by averaging: each pixel of the result is the mean of the part of the picture it covers.
#pragma once

#include <cstdint>
#include <vector>

// A 4-bit or 8-bit picture as a bitmap holds it: rows bottom first, each
// padded to 4 bytes, and its colour table (blue, green, red, unused).
struct IndexedPicture {
    const unsigned char* rows;
    int width;
    int height;
    int bitCount;
    const uint32_t* colours;
    int colourCount;
};

// The picture at width x height as 32-bit pixels (0x00RRGGBB), bottom row
// first like its own rows, into `out`. Every pixel of the result takes the
// colours of the source area under it in proportion to how much of it each
// source pixel covers: what a high-quality stretch does, the same in every
// run, so strokes stay smooth at scales between the picture's sizes. An
// index past the colour table counts as black.
void ResamplePicture(const IndexedPicture& picture, int width, int height, std::vector<uint32_t>& out);
