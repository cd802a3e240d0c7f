// Selecting, deselecting and taking tiles: what a left click on a tile does.
#include "play/selection.h"

#include "board/freedom.h"
#include "board/tile_slots.h"
#include "play/game_state.h"
#include "play/hint.h"
#include "play/looks.h"
#include "play/outcome.h"

namespace {

// The look a deselected tile returns to: the answer's yellow if it belongs
// to the pair the answer shows next, else normal.
int RestingLook(int slot) {
    return IsAnswerTile(slot) ? LookAnswer : LookNormal;
}

void MarkAnswerPair(int step) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (tileSlots[slot].pair == step) {
            RecolorTile(slot, LookNormal, 0, 0, LookAnswer, true);
        }
    }
}

// After a take: a pair other than the one the answer showed ends the answer;
// the right pair moves it on to the next, until the last one ends it.
void AdvanceAnswer(int first, int second) {
    if (gameState.answerMode != 1) {
        return;
    }
    if (tileSlots[first].pair != gameState.answerStep || tileSlots[second].pair != gameState.answerStep) {
        gameState.answerMode = 0;
        for (int slot = 0; slot < kSlotCount; ++slot) {
            RecolorTile(slot, LookAnswer, 0, 0, LookNormal, true);
        }
        return;
    }
    gameState.answerStep -= 1;
    if (gameState.answerStep < 0) {
        gameState.answerMode = 0;
        return;
    }
    MarkAnswerPair(gameState.answerStep);
}

}  // namespace

int SlotOfWindow(int window) {
    if (window == 0) {
        return -1;
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (tileSlots[slot].window == window) {
            return slot;
        }
    }
    return -1;
}

namespace {

// The first two selected tiles of one kind, searching i = 0..143 and, for
// each i, j = 0..i-1.
bool FindSelectedPair(int& first, int& second) {
    for (int i = 0; i < kSlotCount; ++i) {
        if (tileSlots[i].state != 1) {
            continue;
        }
        for (int j = 0; j < i; ++j) {
            if (tileSlots[j].state == 1 && FacesMatch(tileSlots[i].face, tileSlots[j].face)) {
                first = i;
                second = j;
                return true;
            }
        }
    }
    return false;
}

}  // namespace

int TakeSelectedPair() {
    int first = -1;
    int second = -1;
    {
        LookLock looks(LookMutex());
        if (!FindSelectedPair(first, second)) {
            return 0;
        }
    }
    // No hint may run while a pair is taken. Stopping it first (before the
    // windows are hidden) changes nothing the player can tell; a running
    // hint may have just given an answer tile its yellow back, so look again.
    std::unique_lock<std::mutex> control = LockHintControl();
    StopHintHolding(control);
    if (!FindSelectedPair(first, second)) {
        return 0;
    }
    HideTile(first);
    HideTile(second);
    gameState.takeCount += 1;
    PlayIfSoundOn(Sound::Get, true);
    for (TileSlot& slot : tileSlots) {
        if (slot.state >= 2) {
            slot.state += 1;
        }
    }
    tileSlots[first].state = 2;
    tileSlots[second].state = 2;
    RefreshHistory(false);
    // They come back (undo, restart, new game) looking normal.
    RecolorTile(first, LookSelected, LookAnswer, LookHint, LookNormal, false);
    RecolorTile(second, LookSelected, LookAnswer, LookHint, LookNormal, false);
    AdvanceAnswer(first, second);
    return 1;
}

void ClickTile(int slot) {
    // The hint worker may change looks and answer tiles meanwhile: a click
    // reads and writes them one at a time with it.
    LookLock looks(LookMutex());
    if (!IsValidSlot(slot) || IsTileFree(slot) != 1) {
        return;
    }
    TileSlot& tile = tileSlots[slot];
    if (tile.state == 0) {
        RecolorTile(slot, LookNormal, LookHint, LookAnswer, LookSelected, true);
        tile.state = 1;
        // A take waits for the worker to end, which needs this lock.
        looks.unlock();
        const bool tookPair = TakeSelectedPair() == 1;
        if (!tookPair) {
            PlayIfSoundOn(Sound::Check, false);
        }
        looks.lock();
        ShowOutcomeOfClick(tookPair);
    } else if (tile.state == 1) {
        PlayIfSoundOn(Sound::Cancel, false);
        RecolorTile(slot, LookSelected, 0, 0, RestingLook(slot), true);
        tile.state = 0;
    }
}
