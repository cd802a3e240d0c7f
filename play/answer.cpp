// The deal's answer played back pair by pair, once the player has played enough.
#include "play/answer.h"

#include "board/tile_slots.h"
#include "play/game_state.h"
#include "play/looks.h"
#include "play/play_platform.h"
#include "play/selection.h"

namespace {

constexpr int kAnswerStartChoice = 1001;
constexpr int kFirstAnswerPair = kPairCount - 1;

bool AnswerAvailable() { return gameState.takeCount > 71 || gameState.deadlockCount > 1; }

}  // namespace

void OfferAnswer() {
    if (!AnswerAvailable()) {
        ShowAnswerRefusal(gameState.takeCount == 0 && gameState.deadlockCount == 0);
        return;
    }
    if (AskAnswerStart(gameState.answerMode == 1) == kAnswerStartChoice) {
        StartAnswer();
    }
}

void StartAnswer() {
    // Clearing the board by the answer never shows the victory.
    gameState.victoryPending = 0;
    gameState.losingCell = -1;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        ShowTile(slot);
        tileSlots[slot].state = 0;
    }
    ResetAllLooks(true);
    RefreshHistory(false);
    gameState.answerMode = 1;
    gameState.answerStep = kFirstAnswerPair;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (tileSlots[slot].pair == kFirstAnswerPair) {
            RecolorTile(slot, LookNormal, LookSelected, LookHint, LookAnswer, true);
        }
    }
}

void TakeAnswerPair() {
    if (gameState.answerMode != 1) {
        return;
    }
    {
        LookLock looks(LookMutex());
        for (TileSlot& slot : tileSlots) {
            if (slot.pair == gameState.answerStep) {
                slot.state = 1;
            }
        }
    }
    TakeSelectedPair();
}
