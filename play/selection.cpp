// Selecting, deselecting and taking tiles: what a left click on a tile does.
#include "play/selection.h"

#include "board/freedom.h"
#include "board/tile_slots.h"
#include "play/game_state.h"
#include "play/looks.h"

namespace {

// The look a deselected tile returns to: the answer's yellow if it belongs
// to the pair the answer shows next, else normal.
int RestingLook(int slot) {
    return gameState.answerMode == 1 && tileSlots[slot].pair == gameState.answerStep ? LookAnswer : LookNormal;
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

void PlayIfSoundOn(Sound sound, bool noStop) {
    if (gameState.soundOn == 1) {
        PlaySoundEffect(sound, noStop);
    }
}

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

int TakeSelectedPair() {
    int first = -1;
    int second = -1;
    for (int i = 0; i < kSlotCount && first < 0; ++i) {
        if (tileSlots[i].state != 1) {
            continue;
        }
        for (int j = 0; j < i; ++j) {
            if (tileSlots[j].state == 1 && FacesMatch(tileSlots[i].face, tileSlots[j].face)) {
                first = i;
                second = j;
                break;
            }
        }
    }
    if (first < 0) {
        return 0;
    }
    HideTile(first);
    HideTile(second);
    gameState.takeCount += 1;
    // A running hint is stopped here, before any state changes, once hints exist.
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
    if (!IsValidSlot(slot) || IsTileFree(slot) != 1) {
        return;
    }
    TileSlot& tile = tileSlots[slot];
    if (tile.state == 0) {
        RecolorTile(slot, LookNormal, LookHint, LookAnswer, LookSelected, true);
        tile.state = 1;
        if (TakeSelectedPair() == 0) {
            PlayIfSoundOn(Sound::Check, false);
        }
        // The deadlock and cleared tests follow every selecting click here,
        // with the deadlock and victory pictures.
    } else if (tile.state == 1) {
        PlayIfSoundOn(Sound::Cancel, false);
        RecolorTile(slot, LookSelected, 0, 0, RestingLook(slot), true);
        tile.state = 0;
    }
}
