// The base-position tables of the four arrangements and the view placements.
#include "board/positions.h"

#include "board/arrangement_rows.h"

TilePosition tileRects[kSlotCount];

namespace {

// The raised view takes most of each level's step back.
constexpr int kRaisedStepRight = 5;
constexpr int kRaisedStepDown = 11;
constexpr int kNormalWidth = 42;
constexpr int kNormalHeight = 62;
constexpr int kRaisedWidth = 37;
constexpr int kRaisedHeight = 51;

}  // namespace

std::span<const PositionRow> PositionRows(int arrangement) {
    if (!IsValidArrangement(arrangement)) return {};
    return kArrangementRows[arrangement - 1];
}

void ComputeTileRects() {
    if (!IsValidArrangement(currentArrangement)) currentArrangement = 1;
    for (const PositionRow& row : PositionRows(currentArrangement)) {
        for (int slot = row.first; slot <= row.last; ++slot) {
            tileRects[slot] = BasePositionInRow(row, slot);
        }
    }
}

TilePlacement NormalViewPlacement(int slot) {
    if (!IsValidSlot(slot)) return {0, 0, kNormalWidth, kNormalHeight};
    return {tileRects[slot].left, tileRects[slot].top, kNormalWidth, kNormalHeight};
}

TilePlacement RaisedViewPlacement(int slot) {
    if (!IsValidSlot(slot)) return {0, 0, kRaisedWidth, kRaisedHeight};
    const int steps = LevelOfSlot(currentArrangement, slot) + 1;
    return {tileRects[slot].left + kRaisedStepRight * steps,
            tileRects[slot].top + kRaisedStepDown * steps, kRaisedWidth, kRaisedHeight};
}
