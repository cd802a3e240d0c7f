// The keyboard cursor: a stop on every free tile of the board, in reading order, moved by keys and shown once a key has moved it.
#include "play/keyboard_cursor.h"

#include <algorithm>

#include "board/freedom.h"
#include "board/positions.h"
#include "play/play_platform.h"
#include "play/selection.h"

KeyboardCursor keyboardCursor;

namespace {

// Reading order: higher on the board first, then further left. Each level
// stands higher than the one below it, so of two tiles that overlap, the
// upper one reads first.
bool ReadsBefore(int a, int b) {
    const TilePosition& pa = tileRects[a];
    const TilePosition& pb = tileRects[b];
    return pa.top != pb.top ? pa.top < pb.top : pa.left < pb.left;
}

bool IsStop(int slot) { return IsValidSlot(slot) && !IsTaken(slot) && IsTileFree(slot) == 1; }

// The first stop that reads after `slot` (which need not be a stop), wrapping.
int StopAfter(int slot, const int* stops, int count) {
    for (int i = 0; i < count; ++i) {
        if (ReadsBefore(slot, stops[i])) return stops[i];
    }
    return stops[0];
}

void RestOn(int slot) {
    keyboardCursor.slot = slot;
    if (slot < 0) {
        HideCursorFrame();
    } else {
        ShowCursorFrame(slot);
    }
}

}  // namespace

int CursorStops(int (&stops)[kSlotCount]) {
    int count = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (IsStop(slot)) stops[count++] = slot;
    }
    std::sort(stops, stops + count, ReadsBefore);
    return count;
}

void MoveCursor(CursorMove move) {
    int stops[kSlotCount];
    const int count = CursorStops(stops);
    const bool appearing = !keyboardCursor.shown;
    keyboardCursor.shown = true;
    if (count == 0) {
        RestOn(-1);
        return;
    }
    const int* here = std::find(stops, stops + count, keyboardCursor.slot);
    const bool onAStop = here != stops + count;
    int target = onAStop ? *here : (keyboardCursor.slot < 0 ? stops[0] : StopAfter(keyboardCursor.slot, stops, count));
    if (move == CursorMove::First) {
        target = stops[0];
    } else if (move == CursorMove::Last) {
        target = stops[count - 1];
    } else if (!appearing && onAStop && move != CursorMove::Here) {
        const int step = move == CursorMove::Next ? 1 : count - 1;
        target = stops[(here - stops + step) % count];
    }
    RestOn(target);
}

void ClickCursorTile() {
    if (keyboardCursor.shown && IsStop(keyboardCursor.slot)) {
        ClickTile(keyboardCursor.slot);
    }
}

void KeepCursorOnAStop() {
    if (!keyboardCursor.shown) {
        return;
    }
    if (IsStop(keyboardCursor.slot)) {
        RestOn(keyboardCursor.slot);
        return;
    }
    int stops[kSlotCount];
    const int count = CursorStops(stops);
    if (count == 0) {
        RestOn(-1);
    } else {
        RestOn(keyboardCursor.slot < 0 ? stops[0] : StopAfter(keyboardCursor.slot, stops, count));
    }
}

void HideCursorForMouse() {
    if (keyboardCursor.shown) {
        keyboardCursor.shown = false;
        HideCursorFrame();
    }
}
