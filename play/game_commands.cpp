// The game commands that change the board: new game, restart, change of arrangement, the views and the sound switch.
#include "play/game_commands.h"

#include "board/positions.h"
#include "board/tile_slots.h"
#include "deal/deal_generator.h"
#include "play/game_state.h"
#include "play/hint.h"
#include "play/looks.h"
#include "play/play_platform.h"

void RunCommandPrologue() {
    StopHint();
    HidePictures();
}

int NewGame(intptr_t ownerWindow, uint32_t seed) {
    // Every face occurs once per deal, so each picture must look normal
    // before the next deal hands it to another slot.
    ResetAllLooks(false);
    gameState.takeCount = 0;
    gameState.deadlockCount = 0;
    gameState.victoryPending = 1;
    gameState.answerMode = 0;
    gameState.losingCell = -1;
    if (BuildDeal(ownerWindow, seed) != 1) {
        return 0;
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
        ShowTile(slot);
    }
    RefreshHistory(true);
    return 1;
}

void RestartDeal() {
    ResetAllLooks(true);
    gameState.answerMode = 0;
    gameState.losingCell = -1;
    bool anyTaken = false;
    for (const TileSlot& slot : tileSlots) {
        anyTaken = anyTaken || slot.state >= 2;
    }
    if (anyTaken) {
        // Once, however many pairs come back.
        PlayIfSoundOn(Sound::Back, false);
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
        tileSlots[slot].state = 0;
        ShowTile(slot);
    }
    RefreshHistory(true);
}

void ApplyChosenArrangement(int32_t previousArrangement, intptr_t ownerWindow, uint32_t seed) {
    if (currentArrangement == previousArrangement) {
        NewGame(ownerWindow, seed);
    } else {
        ComputeTileRects();
        PlaceTiles(TilePlacementKind::Base);
        NewGame(ownerWindow, seed);
        ShowNormalView();
    }
    gameState.victoryPending = 1;
}

void ShowRaisedView() {
    if (gameState.viewRaised != 1) {
        PlaceTiles(TilePlacementKind::Raised);
        gameState.viewRaised = 1;
    }
}

void ShowNormalView() {
    if (gameState.viewRaised != 0) {
        PlaceTiles(TilePlacementKind::Normal);
        gameState.viewRaised = 0;
    }
}

void SetSoundSwitch(int32_t soundOn) {
    if (gameState.soundOn == soundOn) {
        return;
    }
    gameState.soundOn = soundOn;
    ShowSoundChecks(soundOn);
    StoreSoundSetting(soundOn);
}
