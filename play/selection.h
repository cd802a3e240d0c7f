// Selecting, deselecting and taking tiles: what a left click on a tile does.
#pragma once

// A left click on the tile of a slot: a free tile on the board is selected
// (and a pair taken if one is now selected), a selected one deselected;
// blocked and taken tiles do nothing.
void ClickTile(int slot);

// Takes the first selected pair of one kind, searching i = 0..143 and, for
// each i, j = 0..i-1. 1 when a pair was taken, 0 when none is selected.
int TakeSelectedPair();

// The slot whose tile window is `window` (a handle carried through intptr_t), or -1.
int SlotOfWindow(int window);
