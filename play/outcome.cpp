// Where the game stands after a click: stuck with no pair left, or the board cleared.
#include "play/outcome.h"

#include "board/freedom.h"
#include "board/tile_slots.h"
#include "play/game_state.h"
#include "play/play_platform.h"

namespace {

bool AnySlotHasState(int state) {
    for (const TileSlot& slot : tileSlots) {
        if (slot.state == state) {
            return true;
        }
    }
    return false;
}

}  // namespace

int IsDeadlocked() {
    const SlotRelations* relations = RelationTableOf(currentArrangement);
    if (relations != nullptr) {
        // Two free tiles of one kind are a pair that can be taken.
        unsigned char freeOfKind[kKindCount] = {};
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (!IsTaken(slot) && IsFreeUnder(relations[slot], IsGoneInPlay)) {
                if (++freeOfKind[KindOfFace(tileSlots[slot].face)] == 2) {
                    return 0;
                }
            }
        }
    }
    return AnySlotHasState(kFirstOfAllPairsState) ? 0 : 1;
}

int IsBoardCleared() {
    if (gameState.answerMode == 1) {
        return 0;
    }
    return AnySlotHasState(kFirstOfAllPairsState) ? 1 : 0;
}

void ShowOutcomeOfClick() {
    if (IsDeadlocked() == 1) {
        gameState.deadlockCount += 1;
        ShowDeadlockPicture();
        PlayIfSoundOn(Sound::Tezumari, false);
    } else if (IsBoardCleared() == 1) {
        gameState.deadlockCount = 0;
        if (gameState.victoryPending == 1) {
            ShowVictoryPicture();
            gameState.victoryPending = 0;
        }
    }
}
