// Taking moves back: the slots' taken ages are the move record, so undo needs no list of moves.
#include "play/undo.h"

#include "board/tile_slots.h"
#include "play/game_state.h"
#include "play/history.h"
#include "play/looks.h"
#include "play/play_platform.h"

void UndoMove() {
    if (gameState.answerMode == 1) {
        gameState.answerMode = 0;
        ResetAllLooks(true);
    }
    bool soundPlayed = false;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        TileSlot& tile = tileSlots[slot];
        if (tile.state == 1) {
            RecolorTile(slot, LookHint, LookAnswer, LookSelected, LookNormal, true);
            tile.state = 0;
        } else if (tile.state == 2) {
            tile.state = 0;
            ShowTile(slot);
            if (!soundPlayed) {
                PlayIfSoundOn(Sound::Back, true);
                soundPlayed = true;
            }
        } else if (tile.state >= 3) {
            tile.state -= 1;
        }
    }
    // The mark of the losing take goes once that take is undone.
    if (TakenPairCount() <= gameState.losingCell) gameState.losingCell = -1;
}

int UndoBackToCell(int cell, void (*undoOnce)()) {
    const int taken = TakenPairCount();
    if (cell < 0 || cell >= taken) {
        return 0;
    }
    for (int i = 0; i < taken - cell; ++i) {
        undoOnce();
    }
    return taken - cell;
}
