// The rules of selecting, taking, restarting, dealing anew, the views and the sound switch, seen through the screen recorder.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "board/freedom.h"
#include "board/positions.h"
#include "board/tile_slots.h"
#include "deal/deal_generator.h"
#include "tests/support/deal_failure_recorder.h"
#include "play/game_commands.h"
#include "play/game_state.h"
#include "play/looks.h"
#include "play/play_test_board.h"
#include "play/screen_recorder.h"
#include "play/selection.h"

namespace {

constexpr int kSound = ScreenCall::Sound;

ScreenCall SoundCall(Sound sound, bool noStop) { return {ScreenCall::Sound, static_cast<int>(sound), noStop}; }

// Counts the face-area pixels of a slot's picture that carry `index`.
int PixelsOf(int slot, int index) {
    const unsigned char* pixels = FacePixels(tileSlots[slot].face);
    return static_cast<int>(std::count(pixels + kLookFirstOffset, pixels + kLookEndOffset, index));
}

constexpr int kLookArea = kLookEndOffset - kLookFirstOffset;

bool LooksAll(int slot, int look) { return PixelsOf(slot, look) == kLookArea; }

class PlayRules : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(play_test::Deal(1, 20261208));
    }

    // Free tiles on the board, in slot order.
    static std::vector<int> FreeSlots() {
        std::vector<int> free;
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (tileSlots[slot].state < 2 && IsTileFree(slot) == 1) {
                free.push_back(slot);
            }
        }
        return free;
    }

    // Two free tiles of one kind; false when the board has none.
    static bool FreePair(int& a, int& b) {
        const std::vector<int> free = FreeSlots();
        for (std::size_t i = 0; i < free.size(); ++i) {
            for (std::size_t j = i + 1; j < free.size(); ++j) {
                if (FacesMatch(tileSlots[free[i]].face, tileSlots[free[j]].face)) {
                    a = free[i];
                    b = free[j];
                    return true;
                }
            }
        }
        return false;
    }

    // A free tile that matches none of the other free tiles.
    static int LoneFreeTile() {
        const std::vector<int> free = FreeSlots();
        for (int a : free) {
            bool alone = true;
            for (int b : free) {
                alone = alone && (a == b || !FacesMatch(tileSlots[a].face, tileSlots[b].face));
            }
            if (alone) return a;
        }
        return -1;
    }

    static int BlockedSlot() {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (IsTileFree(slot) == 0) return slot;
        }
        return -1;
    }

    // Takes the answer's next pair by clicking both tiles.
    static void TakeAnswerPair(int pair) {
        std::vector<int> slots;
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (tileSlots[slot].pair == pair) slots.push_back(slot);
        }
        ASSERT_EQ(slots.size(), 2u);
        ClickTile(slots[0]);
        ClickTile(slots[1]);
        ASSERT_GE(tileSlots[slots[0]].state, 2);
    }
};

TEST_F(PlayRules, BlockedAndTakenTilesIgnoreClicksSilently) {
    const int blocked = BlockedSlot();
    ASSERT_GE(blocked, 0);
    ClickTile(blocked);
    ClickTile(-1);
    ClickTile(kSlotCount);
    EXPECT_EQ(tileSlots[blocked].state, 0);
    EXPECT_TRUE(recordedScreenCalls.empty());

    TakeAnswerPair(71);
    recordedScreenCalls.clear();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (tileSlots[slot].state == 2) ClickTile(slot);
    }
    EXPECT_TRUE(recordedScreenCalls.empty());
}

TEST_F(PlayRules, SelectingAndDeselectingChangeTheLookDrawnAtOnceWithTheirSounds) {
    const int slot = LoneFreeTile();
    ASSERT_GE(slot, 0);
    ClickTile(slot);
    EXPECT_EQ(tileSlots[slot].state, 1);
    EXPECT_TRUE(LooksAll(slot, LookSelected));
    EXPECT_EQ(recordedScreenCalls,
              (std::vector<ScreenCall>{{ScreenCall::Draw, slot, false}, SoundCall(Sound::Check, false)}));
    // Pixels outside the face area keep their index.
    const unsigned char* pixels = FacePixels(tileSlots[slot].face);
    EXPECT_EQ(pixels[kLookFirstOffset - 1], LookNormal);
    EXPECT_EQ(pixels[kLookEndOffset], LookNormal);

    recordedScreenCalls.clear();
    ClickTile(slot);
    EXPECT_EQ(tileSlots[slot].state, 0);
    EXPECT_TRUE(LooksAll(slot, LookNormal));
    EXPECT_EQ(recordedScreenCalls,
              (std::vector<ScreenCall>{SoundCall(Sound::Cancel, false), {ScreenCall::Draw, slot, false}}));

    // With the switch off (or at any value but 1) nothing is heard.
    for (int switchValue : {0, 2}) {
        gameState.soundOn = switchValue;
        recordedScreenCalls.clear();
        ClickTile(slot);
        ClickTile(slot);
        EXPECT_TRUE(RecordedCallsOf(ScreenCall::Sound).empty()) << "switch " << switchValue;
        EXPECT_EQ(RecordedCallsOf(ScreenCall::Draw).size(), 2u);
    }
}

TEST_F(PlayRules, ASelectedTileOfAnotherKindStaysAndTheMatchingOneIsTaken) {
    int a = -1, b = -1;
    ASSERT_TRUE(FreePair(a, b));
    int other = -1;
    for (int slot : FreeSlots()) {
        if (!FacesMatch(tileSlots[slot].face, tileSlots[a].face)) {
            other = slot;
            break;
        }
    }
    ASSERT_GE(other, 0);
    ClickTile(other);
    ClickTile(a);
    EXPECT_EQ(tileSlots[other].state, 1);
    EXPECT_EQ(tileSlots[a].state, 1);
    recordedScreenCalls.clear();

    ClickTile(b);
    EXPECT_EQ(tileSlots[a].state, 2);
    EXPECT_EQ(tileSlots[b].state, 2);
    EXPECT_EQ(tileSlots[other].state, 1);
    EXPECT_EQ(gameState.takeCount, 1);
    // "get" only, as a no-stop sound; both windows hidden; the history told.
    EXPECT_EQ(RecordedCallsOf(ScreenCall::Sound), (std::vector<ScreenCall>{SoundCall(Sound::Get, true)}));
    EXPECT_EQ(RecordedCallsOf(ScreenCall::Hide).size(), 2u);
    EXPECT_EQ(RecordedCallsOf(ScreenCall::Refresh), (std::vector<ScreenCall>{{ScreenCall::Refresh, 0, false}}));
    // The taken tiles look normal again, without being drawn (they are hidden).
    EXPECT_TRUE(LooksAll(a, LookNormal));
    EXPECT_TRUE(LooksAll(b, LookNormal));
    for (const ScreenCall& draw : RecordedCallsOf(ScreenCall::Draw)) {
        EXPECT_NE(draw.value, a);
    }
    EXPECT_TRUE(LooksAll(other, LookSelected));
}

TEST_F(PlayRules, TakeSearchesTheHigherSlotFirstAndAgesEarlierPairs) {
    // Two pairs selected at once (not reachable by clicks, but the search
    // order is the rule): slots 10 < 20 < 30 < 40, 10 with 40 and 20 with 30.
    for (TileSlot& slot : tileSlots) slot.state = 0;
    tileSlots[10].face = 5;
    tileSlots[40].face = 5 + 36;
    tileSlots[20].face = 7;
    tileSlots[30].face = 7 + 108;
    for (int slot : {10, 20, 30, 40}) tileSlots[slot].state = 1;
    ASSERT_EQ(TakeSelectedPair(), 1);
    EXPECT_EQ(tileSlots[20].state, 2);
    EXPECT_EQ(tileSlots[30].state, 2);
    EXPECT_EQ(tileSlots[10].state, 1);
    ASSERT_EQ(TakeSelectedPair(), 1);
    EXPECT_EQ(tileSlots[10].state, 2);
    EXPECT_EQ(tileSlots[40].state, 2);
    EXPECT_EQ(tileSlots[20].state, 3);
    EXPECT_EQ(tileSlots[30].state, 3);
    EXPECT_EQ(TakeSelectedPair(), 0);
    EXPECT_EQ(gameState.takeCount, 2);

    // Playing the whole answer ages every pair by one per later take: the
    // first pair ends at 73, both tiles of each pair share their state.
    ASSERT_EQ(BuildDeal(0, 77), 1);
    for (int pair = 71; pair >= 0; --pair) TakeAnswerPair(pair);
    for (const TileSlot& slot : tileSlots) {
        EXPECT_EQ(slot.state, 73 - (71 - slot.pair)) << "pair " << slot.pair;
    }
}

TEST_F(PlayRules, TheAnswerMovesOnWithItsPairAndEndsWithAnotherOrTheLast) {
    gameState.answerMode = 1;
    gameState.answerStep = 71;
    std::vector<int> next;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (tileSlots[slot].pair == 70) next.push_back(slot);
    }
    TakeAnswerPair(71);
    EXPECT_EQ(gameState.answerMode, 1);
    EXPECT_EQ(gameState.answerStep, 70);
    for (int slot : next) EXPECT_TRUE(LooksAll(slot, LookAnswer)) << slot;

    // Deselecting a tile of the shown pair gives it its yellow back.
    ClickTile(next[0]);
    ClickTile(next[0]);
    EXPECT_TRUE(LooksAll(next[0], LookAnswer));

    // Any other free pair ends the answer and takes the yellow off every tile.
    int a = -1, b = -1;
    bool found = false;
    const std::vector<int> free = FreeSlots();
    for (std::size_t i = 0; i < free.size() && !found; ++i) {
        for (std::size_t j = i + 1; j < free.size() && !found; ++j) {
            if (FacesMatch(tileSlots[free[i]].face, tileSlots[free[j]].face) && tileSlots[free[i]].pair != 70) {
                a = free[i], b = free[j], found = true;
            }
        }
    }
    ASSERT_TRUE(found);
    ClickTile(a);
    ClickTile(b);
    EXPECT_EQ(gameState.answerMode, 0);
    for (int slot = 0; slot < kSlotCount; ++slot) EXPECT_EQ(PixelsOf(slot, LookAnswer), 0) << slot;

    // The answer played to its end leaves answer mode after pair 0.
    ASSERT_EQ(BuildDeal(0, 4242), 1);
    gameState.answerMode = 1;
    gameState.answerStep = 71;
    for (int pair = 71; pair >= 0; --pair) TakeAnswerPair(pair);
    EXPECT_EQ(gameState.answerMode, 0);
    EXPECT_EQ(gameState.answerStep, -1);
}

TEST_F(PlayRules, RestartBringsEveryPairBackWithOneSoundAndKeepsTheCounts) {
    RestartDeal();
    EXPECT_TRUE(RecordedCallsOf(ScreenCall::Sound).empty());
    EXPECT_EQ(RecordedCallsOf(ScreenCall::Show).size(), 144u);

    for (int pair = 71; pair >= 68; --pair) TakeAnswerPair(pair);
    const int selected = LoneFreeTile();
    ASSERT_GE(selected, 0);
    ClickTile(selected);
    gameState.answerMode = 1;
    gameState.deadlockCount = 1;
    gameState.victoryPending = 0;
    recordedScreenCalls.clear();
    RestartDeal();
    EXPECT_EQ(RecordedCallsOf(ScreenCall::Sound), (std::vector<ScreenCall>{SoundCall(Sound::Back, false)}));
    for (const TileSlot& slot : tileSlots) EXPECT_EQ(slot.state, 0);
    EXPECT_TRUE(LooksAll(selected, LookNormal));
    EXPECT_EQ(RecordedCallsOf(ScreenCall::Show).size(), 144u);
    EXPECT_EQ(RecordedCallsOf(ScreenCall::Refresh), (std::vector<ScreenCall>{{ScreenCall::Refresh, 0, true}}));
    EXPECT_EQ(gameState.answerMode, 0);
    EXPECT_EQ(gameState.takeCount, 4);
    EXPECT_EQ(gameState.deadlockCount, 1);
    EXPECT_EQ(gameState.victoryPending, 0);
}

TEST_F(PlayRules, NewGameDealsAfreshOrLeavesTheTilesAloneWhenTheDealFails) {
    for (int pair = 71; pair >= 70; --pair) TakeAnswerPair(pair);
    const int selected = LoneFreeTile();
    ClickTile(selected);
    gameState.deadlockCount = 2;
    gameState.victoryPending = 0;
    gameState.answerMode = 1;
    recordedScreenCalls.clear();
    ASSERT_EQ(NewGame(0, 99), 1);
    EXPECT_EQ(gameState.takeCount, 0);
    EXPECT_EQ(gameState.deadlockCount, 0);
    EXPECT_EQ(gameState.victoryPending, 1);
    EXPECT_EQ(gameState.answerMode, 0);
    // Looks are reset without drawing; then every tile is shown in slot order.
    EXPECT_TRUE(RecordedCallsOf(ScreenCall::Draw).empty());
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_EQ(PixelsOf(slot, LookNormal), kLookArea);
        EXPECT_EQ(tileSlots[slot].state, 0);
    }
    const std::vector<ScreenCall> shown = RecordedCallsOf(ScreenCall::Show);
    ASSERT_EQ(shown.size(), 144u);
    for (int slot = 0; slot < kSlotCount; ++slot) EXPECT_EQ(shown[static_cast<std::size_t>(slot)].value, slot);
    EXPECT_EQ(recordedScreenCalls.back(), (ScreenCall{ScreenCall::Refresh, 0, true}));

    // A deal that fails: the player is told once, owned by the main window,
    // and no tile is shown or repainted.
    recordedScreenCalls.clear();
    currentArrangement = 0;
    EXPECT_EQ(NewGame(1234, 5), 0);
    EXPECT_EQ(recordedDealFailures, (std::vector<intptr_t>{1234}));
    EXPECT_TRUE(RecordedCallsOf(ScreenCall::Show).empty());
    EXPECT_TRUE(RecordedCallsOf(ScreenCall::Refresh).empty());
}

TEST_F(PlayRules, ViewsMoveOnlyOnAChangeAndANewArrangementReturnsToTheNormalView) {
    ShowNormalView();
    ShowRaisedView();
    ShowRaisedView();
    EXPECT_EQ(RecordedCallsOf(ScreenCall::Place),
              (std::vector<ScreenCall>{{ScreenCall::Place, static_cast<int>(TilePlacementKind::Raised), false}}));
    EXPECT_EQ(gameState.viewRaised, 1);

    // The same arrangement again: a new game, nothing moved, still raised.
    recordedScreenCalls.clear();
    gameState.victoryPending = 0;
    ApplyChosenArrangement(1, 0, 3);
    EXPECT_TRUE(RecordedCallsOf(ScreenCall::Place).empty());
    EXPECT_EQ(RecordedCallsOf(ScreenCall::Show).size(), 144u);
    EXPECT_EQ(gameState.viewRaised, 1);
    EXPECT_EQ(gameState.victoryPending, 1);

    // Another arrangement: new positions, the tiles moved there, a new deal,
    // then the normal view.
    recordedScreenCalls.clear();
    currentArrangement = 3;
    ApplyChosenArrangement(1, 0, 3);
    EXPECT_EQ(tileRects[143].left, 462);
    EXPECT_EQ(tileRects[143].top, 251);
    const std::vector<ScreenCall>& calls = recordedScreenCalls;
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front(), (ScreenCall{ScreenCall::Place, static_cast<int>(TilePlacementKind::Base), false}));
    EXPECT_EQ(calls.back(), (ScreenCall{ScreenCall::Place, static_cast<int>(TilePlacementKind::Normal), false}));
    EXPECT_EQ(RecordedCallsOf(ScreenCall::Show).size(), 144u);
    EXPECT_EQ(gameState.viewRaised, 0);
}

TEST_F(PlayRules, TheSoundSwitchIsShownAndStoredOnlyWhenItChanges) {
    SetSoundSwitch(1);
    EXPECT_TRUE(recordedScreenCalls.empty());
    SetSoundSwitch(0);
    EXPECT_EQ(recordedScreenCalls, (std::vector<ScreenCall>{{ScreenCall::SoundChecks, 0, false},
                                                            {ScreenCall::StoreSound, 0, false}}));
    recordedScreenCalls.clear();
    SetSoundSwitch(0);
    EXPECT_TRUE(recordedScreenCalls.empty());
    // A stored 2 counts as on for the menu but plays nothing; "ON" stores 1.
    gameState.soundOn = 2;
    SetSoundSwitch(1);
    EXPECT_EQ(RecordedCallsOf(ScreenCall::StoreSound), (std::vector<ScreenCall>{{ScreenCall::StoreSound, 1, false}}));
    EXPECT_EQ(gameState.soundOn, 1);
}

}  // namespace
