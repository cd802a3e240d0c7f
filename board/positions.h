// Where each slot of each arrangement stands: the base-position tables and the two views.
#pragma once

#include <cstdint>
#include <span>

#include "board/arrangement_rows.h"
#include "board/tile_slots.h"

constexpr int kTileStep = 36;      // left step between neighbours in a row
constexpr int kTileWidth = 43;     // a tile window and tile picture when created
constexpr int kTileHeight = 62;

// The rows of an arrangement (1..4) in slot order; empty for any other number.
std::span<const PositionRow> PositionRows(int arrangement);

struct TilePosition {
    int32_t left;
    int32_t top;
};

// Where a slot of a row stands: the row's first left and one tile step for
// every slot before it in the row, at the row's top.
constexpr TilePosition BasePositionInRow(const PositionRow& row, int slot) {
    return {row.firstLeft + kTileStep * (slot - row.first), row.top};
}

// The base position of every slot for the arrangement in force.
extern TilePosition tileRects[kSlotCount];

// Fills tileRects for currentArrangement; an arrangement outside 1..4 becomes 1 first.
void ComputeTileRects();

struct TilePlacement {
    int left;
    int top;
    int width;
    int height;
};

// Where the normal view puts a slot's tile window: its base position, 42 x 62.
TilePlacement NormalViewPlacement(int slot);
// Where the raised view puts it: 5 x (level + 1) right and 11 x (level + 1) down, 37 x 51.
TilePlacement RaisedViewPlacement(int slot);
