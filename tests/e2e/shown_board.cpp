// The game's board as another process sees it: the tile windows on their slots, read off the screen.
#include "tests/e2e/shown_board.h"

#include <map>

#include "board/freedom.h"
#include "board/positions.h"
#include "tests/support/window_harness.h"

namespace e2e {

bool FourOfEachKind(const Board& board, std::string* seen) {
    std::map<std::wstring, int> names;
    for (HWND window : board.windows) {
        names[harness::TextOf(window)] += 1;
    }
    bool fourEach = names.size() == kKindCount;
    for (const auto& [name, count] : names) {
        fourEach = fourEach && !name.empty() && count == 4;
    }
    *seen = Num(static_cast<long long>(names.size())) + " names";
    return fourEach;
}

void ReadBoard(HWND main, Board& board, Checks& checks) {
    board.main = main;
    const std::vector<HWND> tiles = ChildWindows(main, L"Pai Window");
    checks.Require(tiles.size() == kSlotCount, "144 tile windows", Num(static_cast<long long>(tiles.size())));
    currentArrangement = 1;
    ComputeTileRects();
    int placed = 0;
    int wrongSize = 0;
    RECT firstWrong = {};
    const DisplayScale& scale = board.scale;
    for (HWND tile : tiles) {
        const RECT rect = harness::ChildRect(tile);
        if (rect.right - rect.left != scale.Scaled(kTileWidth) || rect.bottom - rect.top != scale.Scaled(kTileHeight)) {
            if (wrongSize++ == 0) {
                firstWrong = rect;
            }
        }
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (scale.Scaled(tileRects[slot].left) == rect.left && scale.Scaled(tileRects[slot].top) == rect.top &&
                board.windows[slot] == nullptr) {
                board.windows[slot] = tile;
                board.names[slot] = harness::TextOf(tile);
                ++placed;
                break;
            }
        }
    }
    checks.Expect(wrongSize == 0, "every tile window is 43 x 62 at first, scaled",
                  wrongSize == 0 ? "" : Num(wrongSize) + " differ, e.g. " + RectText(firstWrong));
    checks.Require(placed == kSlotCount, "every tile window stands on a slot of arrangement A",
                   Num(placed) + " of 144");
    checks.Expect(board.VisibleCount() == kSlotCount, "all 144 tiles shown", Num(board.VisibleCount()));
    std::string seen;
    const bool fourEach = FourOfEachKind(board, &seen);
    checks.Expect(fourEach, "36 tile names, each on 4 tiles", seen + ", e.g. \"" + Narrow(board.names[0]) + "\"");
}

bool ShowsOwnPixelOfColour(HWND window, COLORREF colour) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const std::vector<COLORREF> pixels = harness::Capture(nullptr, rect.left, rect.top, width, rect.bottom - rect.top);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const POINT where = {rect.left + static_cast<LONG>(i % width), rect.top + static_cast<LONG>(i / width)};
        if (pixels[i] == colour && WindowFromPoint(where) == window) return true;
    }
    return false;
}

TilePlacement ScaledPlacement(const Board& board, const TilePlacement& place) {
    const DisplayScale& s = board.scale;
    return {s.Scaled(place.left), s.Scaled(place.top), s.Scaled(place.width), s.Scaled(place.height)};
}

}  // namespace e2e
