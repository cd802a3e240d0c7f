// The rows of the four arrangements: where each run of side-by-side slots stands. The base positions and the neighbour relations are both read from them.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "board/tile_slots.h"

// One row of an arrangement: a run of slots of one level, side by side from
// left to right, sharing one top, with lefts 36 pixels apart.
struct PositionRow {
    int16_t first;
    int16_t last;
    int16_t top;
    int16_t firstLeft;
    int16_t lastLeft;
};

namespace arrangement_rows {

inline constexpr PositionRow kRowsA[] = {
    {0, 11, 15, 90, 486},    {12, 19, 65, 162, 414},  {20, 29, 115, 126, 450},
    {30, 30, 190, 54, 54},   {31, 42, 165, 90, 486},  {43, 54, 215, 90, 486},
    {55, 56, 190, 522, 558}, {57, 66, 265, 126, 450}, {67, 74, 315, 162, 414},
    {75, 86, 365, 90, 486},
    {87, 92, 52, 191, 371},    {93, 98, 102, 191, 371},   {99, 104, 152, 191, 371},
    {105, 110, 202, 191, 371}, {111, 116, 252, 191, 371}, {117, 122, 302, 191, 371},
    {123, 126, 89, 220, 328},  {127, 130, 139, 220, 328}, {131, 134, 189, 220, 328},
    {135, 138, 239, 220, 328},
    {139, 140, 126, 249, 285}, {141, 142, 176, 249, 285},
    {143, 143, 148, 262, 262},
};

inline constexpr PositionRow kRowsB[] = {
    {0, 12, 55, 90, 522},     {13, 16, 105, 126, 234},  {17, 20, 105, 378, 486},
    {21, 21, 180, 54, 54},    {22, 34, 155, 90, 522},   {35, 47, 205, 90, 522},
    {48, 48, 180, 558, 558},  {49, 52, 255, 126, 234},  {53, 56, 255, 378, 486},
    {57, 69, 305, 90, 522},
    {70, 73, 92, 118, 226},   {74, 77, 92, 370, 478},   {78, 83, 142, 82, 262},
    {84, 89, 192, 82, 262},   {90, 95, 142, 334, 514},  {96, 101, 192, 334, 514},
    {102, 105, 242, 118, 226}, {106, 109, 242, 370, 478},
    {110, 111, 79, 147, 183},  {112, 113, 79, 399, 435},  {114, 117, 129, 111, 219},
    {118, 121, 129, 363, 471}, {122, 125, 179, 111, 219}, {126, 129, 179, 363, 471},
    {130, 131, 229, 147, 183}, {132, 133, 229, 399, 435},
    {134, 135, 116, 140, 176}, {136, 137, 116, 392, 428},
    {138, 139, 166, 140, 176}, {140, 141, 166, 392, 428},
    {142, 142, 129, 150, 150}, {143, 143, 129, 402, 402},
};

// Arrangement C: four equal frames; each level repeats the one below it
// 36 slots later, 8 pixels further left and 13 pixels higher.
inline constexpr PositionRow kFrameC[] = {
    {0, 4, 90, 90, 234},     {5, 9, 90, 342, 486},    {10, 11, 140, 126, 162},
    {12, 13, 140, 270, 306}, {14, 15, 140, 414, 450}, {16, 17, 190, 126, 162},
    {18, 19, 190, 414, 450}, {20, 21, 240, 126, 162}, {22, 23, 240, 270, 306},
    {24, 25, 240, 414, 450}, {26, 30, 290, 90, 234},  {31, 35, 290, 342, 486},
};
inline constexpr int kFrameLevels = 4;
inline constexpr int kFrameSlots = 36;
inline constexpr int kFrameShiftLeft = 8;
inline constexpr int kFrameShiftUp = 13;

inline constexpr auto kRowsC = [] {
    constexpr int perLevel = sizeof(kFrameC) / sizeof(kFrameC[0]);
    std::array<PositionRow, perLevel * kFrameLevels> rows{};
    for (int level = 0; level < kFrameLevels; ++level) {
        for (int i = 0; i < perLevel; ++i) {
            const PositionRow& base = kFrameC[i];
            const int slotShift = kFrameSlots * level;
            const int leftShift = kFrameShiftLeft * level;
            rows[level * perLevel + i] = {
                static_cast<int16_t>(base.first + slotShift),
                static_cast<int16_t>(base.last + slotShift),
                static_cast<int16_t>(base.top - kFrameShiftUp * level),
                static_cast<int16_t>(base.firstLeft - leftShift),
                static_cast<int16_t>(base.lastLeft - leftShift)};
        }
    }
    return rows;
}();

inline constexpr PositionRow kRowsD[] = {
    {0, 4, 20, 64, 208},      {5, 6, 20, 280, 316},     {7, 9, 20, 388, 460},
    {10, 10, 70, 208, 208},   {11, 11, 70, 280, 280},   {12, 12, 70, 388, 388},
    {13, 17, 120, 136, 280},  {18, 20, 120, 352, 424},  {21, 31, 170, 100, 460},
    {32, 42, 220, 100, 460},  {43, 44, 195, 496, 532},  {45, 45, 170, 568, 568},
    {46, 46, 220, 568, 568},  {47, 51, 270, 136, 280},  {52, 54, 270, 352, 424},
    {55, 55, 320, 208, 208},  {56, 56, 320, 280, 280},  {57, 57, 320, 388, 388},
    {58, 62, 370, 64, 208},   {63, 64, 370, 280, 316},  {65, 67, 370, 388, 460},
    {68, 72, 7, 56, 200},     {73, 74, 7, 272, 308},    {75, 77, 7, 380, 452},
    {78, 78, 57, 200, 200},   {79, 79, 57, 272, 272},   {80, 80, 57, 380, 380},
    {81, 85, 107, 128, 272},  {86, 88, 107, 344, 416},  {89, 98, 157, 92, 416},
    {99, 108, 207, 92, 416},  {109, 113, 257, 128, 272}, {114, 116, 257, 344, 416},
    {117, 117, 307, 200, 200}, {118, 118, 307, 272, 272}, {119, 119, 307, 380, 380},
    {120, 124, 357, 56, 200}, {125, 126, 357, 272, 308}, {127, 129, 357, 380, 452},
    {130, 134, 144, 120, 264}, {135, 136, 144, 336, 372},
    {137, 141, 194, 120, 264}, {142, 143, 194, 336, 372},
};

}  // namespace arrangement_rows

inline constexpr std::span<const PositionRow> kArrangementRows[kArrangementCount] = {
    arrangement_rows::kRowsA, arrangement_rows::kRowsB, arrangement_rows::kRowsC, arrangement_rows::kRowsD};
