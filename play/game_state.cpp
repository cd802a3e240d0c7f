// The one game state of the process.
#include "play/game_state.h"

#include "board/tile_slots.h"

GameState gameState;

void ResetGameStateForStart() {
    gameState.answerMode = 0;
    gameState.takeCount = 0;
    gameState.deadlockCount = 0;
    gameState.victoryPending = 1;
    gameState.viewRaised = 0;
}

void PlayIfSoundOn(Sound sound, bool noStop) {
    if (gameState.soundOn == 1) {
        PlaySoundEffect(sound, noStop);
    }
}

bool IsAnswerTile(int slot) { return gameState.answerMode == 1 && tileSlots[slot].pair == gameState.answerStep; }
