// The one game state of the process: the play flags and counters beside the slot table.
#pragma once

#include <cstdint>

#include "play/play_platform.h"

// Held by the main window, read and written on the window thread. The play
// state of each tile is the `state` of its slot (board/tile_slots.h): 0 on the
// board, 1 selected, 2 the most recently taken pair, and one more for every
// pair taken before it. There is no separate move list.
struct GameState {
    int32_t answerMode = 0;      // 1 while the answer is being shown step by step
    int32_t answerStep = 0;      // the answer pair to be taken next (71 down to 0)
    int32_t takeCount = 0;       // pairs taken since the last new game
    int32_t deadlockCount = 0;   // deadlocks since the last new game or clearing
    int32_t victoryPending = 1;  // 1 if clearing the board is to show the victory
    int32_t viewRaised = 0;      // 1 in the raised view
    int32_t soundOn = 1;         // 1 plays sound effects ("ON"); the menu ticks "ON" for any non-zero value
    int32_t losingCell = -1;     // the history cell of the take that lost the deal, found at a deadlock; -1 for none
};

extern GameState gameState;

// Start-up step 1: the counters and flags of a fresh start (the sound switch
// is read from the settings file afterwards).
void ResetGameStateForStart();

// Plays the sound if the sound switch is exactly 1.
void PlayIfSoundOn(Sound sound, bool noStop);

// True while the answer is shown and the slot's tile is of the pair it
// shows next.
bool IsAnswerTile(int slot);
