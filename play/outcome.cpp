// Where the game stands after a click: stuck with no pair left, or the board cleared.
#include "play/outcome.h"

#include <vector>

#include "board/freedom.h"
#include "board/tile_slots.h"
#include "play/game_state.h"
#include "play/history.h"
#include "play/play_platform.h"
#include "play/solver/solver.h"

namespace {

// Work allowed to each solve at a deadlock: about 50 ms here, and a handful
// of solves find the losing take.
constexpr long kDeadlockSolveBudget = 50 * kSolverStepsPerMillisecond;

bool AnySlotHasState(int state) {
    for (const TileSlot& slot : tileSlots) {
        if (slot.state == state) {
            return true;
        }
    }
    return false;
}

}  // namespace

int FindLosingCell() {
    const int taken = TakenPairCount();
    Position dealt = EmptyPosition();
    // The line of play is the taken pairs in the history's order: cell 0,
    // the first pair taken, has the highest state.
    std::vector<TakenPair> line(static_cast<std::size_t>(taken), TakenPair{kNoTile, kNoTile});
    for (int slot = 0; slot < kSlotCount; ++slot) {
        dealt.faces[slot] = static_cast<int16_t>(tileSlots[slot].face);
        const int cell = taken + 1 - tileSlots[slot].state;
        if (IsTaken(slot) && cell >= 0 && cell < taken) {
            TakenPair& take = line[static_cast<std::size_t>(cell)];
            (take.first == kNoTile ? take.first : take.second) = static_cast<int16_t>(slot);
        }
    }
    const LosingTake losing = FirstLosingTake(currentArrangement, dealt, line, kDeadlockSolveBudget, AnswerOfSlotTable());
    return losing.decided && losing.take >= 0 ? losing.take : -1;
}

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

void ShowOutcomeOfClick(bool tookPair) {
    if (IsDeadlocked() == 1) {
        gameState.deadlockCount += 1;
        // Only a take changes the line of play: a click that merely selects
        // at a deadlock keeps the losing take already found, and the window
        // thread does not solve again under the look lock.
        if (tookPair) gameState.losingCell = FindLosingCell();
        ShowDeadlockPicture(gameState.losingCell >= 0 ? TakenPairCount() - gameState.losingCell : 0);
        RefreshHistory(true);
        PlayIfSoundOn(Sound::Tezumari, false);
    } else if (IsBoardCleared() == 1) {
        gameState.deadlockCount = 0;
        if (gameState.victoryPending == 1) {
            ShowVictoryPicture();
            gameState.victoryPending = 0;
        }
    }
}
