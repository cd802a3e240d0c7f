// The game's board as another process sees it: the tile windows on their slots, read off the screen.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "board/positions.h"
#include "board/tile_slots.h"
#include "tests/e2e/game_process.h"
#include "tests/support/free_tiles_testing.h"

namespace e2e {

// The board as the screen shows it: which tile window stands on which slot.
struct Board {
    DisplayScale scale;  // the run's: every place and size is the 96-DPI one scaled
    HWND main = nullptr;
    HWND windows[kSlotCount] = {};
    std::wstring names[kSlotCount];

    bool Visible(int slot) const { return IsWindowVisible(windows[slot]) != 0; }

    // The free tiles as shown: hidden tiles count as taken.
    std::vector<int> FreeSlots() const {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            tileSlots[slot].state = Visible(slot) ? 0 : 2;
        }
        return board_testing::FreeSlots();
    }

    int VisibleCount() const {
        int count = 0;
        for (HWND window : windows) {
            count += IsWindowVisible(window) != 0 ? 1 : 0;
        }
        return count;
    }
};

// Whether the tile windows' names are 36 kinds, each on four tiles; `seen`
// tells how many names there are.
bool FourOfEachKind(const Board& board, std::string* seen);

// Finds the 144 tile windows of the main window and gives each its slot by
// its position, which in the normal view is the slot's base position in
// arrangement A at the board's scale; checks that all 144 show, four of
// each of the 36 names.
void ReadBoard(HWND main, Board& board, Checks& checks);

// Whether some pixel that the screen shows as the window's own (no other
// window stands over it there) has the colour. Tile windows overlap, so a
// neighbour's colour shows inside a tile's rectangle.
bool ShowsOwnPixelOfColour(HWND window, COLORREF colour);

// A tile placement given for 96 DPI at the board's scale.
TilePlacement ScaledPlacement(const Board& board, const TilePlacement& place);

}  // namespace e2e
