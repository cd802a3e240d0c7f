// The keyboard cursor: a stop on every free tile of the board, in reading order, moved by keys and shown once a key has moved it.
#pragma once

#include "board/tile_slots.h"

struct KeyboardCursor {
    int slot = -1;       // the stop it rests on, or -1 when the board has none
    bool shown = false;  // set by the first cursor key, cleared by a click on a tile
};
extern KeyboardCursor keyboardCursor;

// The stops, the free tiles on the board, in reading order: by their base
// positions, rows top to bottom, left to right within a row, the higher
// level first. Returns how many there are.
int CursorStops(int (&stops)[kSlotCount]);

enum class CursorMove { Here, Next, Previous, First, Last };
// Moves the cursor from stop to stop, wrapping at the ends, and shows it.
// A cursor not shown yet first appears on its stop: Next, Previous and Here
// only show it there; First and Last move it as always.
void MoveCursor(CursorMove move);

// Enter: what a left click on the cursor's tile does; nothing while the
// cursor does not show.
void ClickCursorTile();

// After every key and command: a cursor whose tile was taken or blocked goes
// on to the nearest stop after it (and goes away when there is none); one
// that stays is shown again where its tile now stands.
void KeepCursorOnAStop();

// A click on a tile hides the cursor until the next cursor key.
void HideCursorForMouse();
