// The game commands that change the board: new game, restart, change of arrangement, the views and the sound switch.
#pragma once

#include <cstdint>

// What every key and command does first: a running hint stops, and the
// victory and deadlock pictures go.
void RunCommandPrologue();

// New game: looks reset, counters cleared, a new deal from `seed` (the clock
// in whole seconds) shown tile by tile. 1 when dealt; 0 when the deal failed,
// in which case the deal generator has told the player (with a box owned by
// `ownerWindow`) and the tiles are left as they were.
int NewGame(intptr_t ownerWindow, uint32_t seed);

// "はじめから": every taken pair comes back and the deal starts over; the
// counts that decide whether the answer may be seen are kept.
void RestartDeal();

// After the game selection dialog has ended: a new game on the arrangement
// chosen, with the tiles moved to it and the normal view when it changed.
void ApplyChosenArrangement(int32_t previousArrangement, intptr_t ownerWindow, uint32_t seed);

// Up and Down: the raised or the normal view, each only if not already in force.
void ShowRaisedView();
void ShowNormalView();

// "ON" (1) and "OFF" (0): a change is shown and stored at once; choosing the
// value in force does nothing.
void SetSoundSwitch(int32_t soundOn);
