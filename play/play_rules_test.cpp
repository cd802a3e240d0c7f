// The rules of selecting, taking, restarting, dealing anew, the views and the sound switch, seen through the screen recorder.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "board/freedom.h"
#include "board/positions.h"
#include "board/tile_slots.h"
#include "deal/deal_generator.h"
#include "play/answer.h"
#include "play/game_commands.h"
#include "play/game_state.h"
#include "play/looks.h"
#include "play/selection.h"
#include "tests/support/deal_platform_recorder.h"
#include "tests/support/free_tiles_testing.h"
#include "tests/support/play_board_testing.h"
#include "tests/support/play_platform_recorder.h"

namespace {

using board_testing::FreePair;
using board_testing::FreeSlots;

constexpr int kSound = ScreenCall::Sound;

ScreenCall SoundCall(Sound sound, bool noStop) { return {ScreenCall::Sound, static_cast<int>(sound), noStop}; }

constexpr int kLookArea = kLookEndOffset - kLookFirstOffset;

bool LooksAll(int slot, int look) { return play_test::LookPixels(slot, look) == kLookArea; }

class PlayRules : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(play_test::Deal(1, 20261208));
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
    EXPECT_TRUE(LooksAll(next[0], LookSelected));
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
    for (int slot = 0; slot < kSlotCount; ++slot) EXPECT_EQ(play_test::LookPixels(slot, LookAnswer), 0) << slot;

    // The answer played to its end leaves answer mode after pair 0.
    ASSERT_EQ(BuildDeal(0, 4242), 1);
    gameState.answerMode = 1;
    gameState.answerStep = 71;
    for (int pair = 71; pair >= 0; --pair) TakeAnswerPair(pair);
    EXPECT_EQ(gameState.answerMode, 0);
    EXPECT_EQ(gameState.answerStep, -1);
}

// A take in answer mode: both tiles of the yellow pair move the answer on and
// the next pair is drawn in yellow at once; a pair with one of its tiles, or
// none, ends the answer and takes every yellow away.
TEST_F(PlayRules, OnlyBothTilesOfTheYellowPairMoveTheAnswerOn) {
    enum Partner { OtherAnswerTile, SameKindElsewhere, NoAnswerTile };
    for (const Partner partner : {OtherAnswerTile, SameKindElsewhere, NoAnswerTile}) {
        ASSERT_TRUE(play_test::Deal(1, 20261208));
        StartAnswer();
        const std::vector<int> answer = play_test::SlotsOfPair(71);
        std::vector<int> others;
        for (int slot : FreeSlots()) {
            if (tileSlots[slot].pair != 71) others.push_back(slot);
        }
        ASSERT_GE(others.size(), 2u);
        int first = answer[0];
        int second = answer[1];
        if (partner == SameKindElsewhere) {
            // A face of the yellow pair's kind that neither of its tiles has.
            second = others[0];
            int face = tileSlots[answer[0]].face;
            do face = (face + kKindCount) % kSlotCount;
            while (face == tileSlots[answer[1]].face);
            play_test::SetFace(second, face);
        } else if (partner == NoAnswerTile) {
            first = others[0];
            second = others[1];
            play_test::SetFace(second, (tileSlots[first].face + kKindCount) % kSlotCount);
        }
        ASSERT_TRUE(FacesMatch(tileSlots[first].face, tileSlots[second].face));
        recordedScreenCalls.clear();
        ClickTile(first);
        ClickTile(second);
        ASSERT_GE(tileSlots[second].state, 2) << "partner " << partner;
        const std::vector<ScreenCall> draws = RecordedCallsOf(ScreenCall::Draw);
        const auto drawn = [&draws](int slot) {
            return std::count(draws.begin(), draws.end(), ScreenCall{ScreenCall::Draw, slot, false}) > 0;
        };
        if (partner == OtherAnswerTile) {
            EXPECT_EQ(gameState.answerMode, 1);
            EXPECT_EQ(gameState.answerStep, 70);
            for (int slot : play_test::SlotsOfPair(70)) {
                EXPECT_TRUE(LooksAll(slot, LookAnswer)) << slot;
                EXPECT_TRUE(drawn(slot)) << slot;
            }
        } else {
            EXPECT_EQ(gameState.answerMode, 0) << "partner " << partner;
            for (int slot = 0; slot < kSlotCount; ++slot) EXPECT_EQ(play_test::LookPixels(slot, LookAnswer), 0) << slot;
            // The answer tile left on the board lost its yellow on the screen too.
            for (int slot : answer) {
                if (tileSlots[slot].state < 2) {
                    EXPECT_TRUE(drawn(slot)) << slot;
                }
            }
        }
    }
}

// "はじめから" sounds "back" once when a pair comes back, never for a tile
// that was only selected.
TEST_F(PlayRules, RestartSoundsBackOnlyWhenAPairComesBack) {
    struct Row {
        int taken;
        bool selected;
        bool back;
    };
    for (const Row row : {Row{0, true, false}, Row{1, false, true}, Row{1, true, true}}) {
        ASSERT_TRUE(play_test::Deal(1, 20261208));
        for (int pair = 71; pair > 71 - row.taken; --pair) TakeAnswerPair(pair);
        if (row.selected) ClickTile(LoneFreeTile());
        recordedScreenCalls.clear();
        RestartDeal();
        EXPECT_EQ(RecordedCallsOf(ScreenCall::Sound),
                  row.back ? std::vector<ScreenCall>{SoundCall(Sound::Back, false)} : std::vector<ScreenCall>{})
            << row.taken << " taken, selected " << row.selected;
    }
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
        EXPECT_EQ(play_test::LookPixels(slot, LookNormal), kLookArea);
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

// Recolouring turns exactly the pixels of its source indices (a 0 source
// stands for the first) into the target, inside the face area only; the
// picture carries every index from 0 to 19, so a wrong source shows.
TEST_F(PlayRules, RecolouringChangesOnlyTheSourceIndices) {
    struct Row {
        int source1, source2, source3, target;
        std::vector<int> changed;
    };
    const Row rows[] = {
        {LookNormal, LookHint, LookAnswer, LookSelected, {LookNormal, LookHint, LookAnswer}},
        {LookSelected, 0, 0, LookNormal, {LookSelected}},
        {LookHint, LookSelected, 0, LookAnswer, {LookHint, LookSelected}},
        {LookAnswer, 0, LookNormal, LookHint, {LookAnswer, LookNormal}},
        {LookHint, LookAnswer, LookSelected, LookNormal, {LookHint, LookAnswer, LookSelected}},
    };
    constexpr int kPictureBytes = 44 * 62;
    unsigned char* pixels = FacePixels(tileSlots[0].face);
    const auto paint = [pixels] {
        for (int offset = 0; offset < kPictureBytes; ++offset) pixels[offset] = static_cast<unsigned char>(offset % 20);
    };
    const auto wrongPixels = [pixels](const std::vector<int>& changed, int target) {
        int wrong = 0;
        for (int offset = 0; offset < kPictureBytes; ++offset) {
            const int before = offset % 20;
            const bool inside = offset >= kLookFirstOffset && offset < kLookEndOffset;
            const bool turns = inside && std::find(changed.begin(), changed.end(), before) != changed.end();
            wrong += pixels[offset] != (turns ? target : before);
        }
        return wrong;
    };
    for (const Row& row : rows) {
        paint();
        RecolorTile(0, row.source1, row.source2, row.source3, row.target, false);
        EXPECT_EQ(wrongPixels(row.changed, row.target), 0)
            << row.source1 << ' ' << row.source2 << ' ' << row.source3 << " to " << row.target;
    }
    // Resetting every look leaves the other indices alone too.
    paint();
    ResetAllLooks(false);
    EXPECT_EQ(wrongPixels({LookHint, LookSelected, LookAnswer}, LookNormal), 0);
    EXPECT_TRUE(recordedScreenCalls.empty());
}

// A fresh start's counters and flags, whatever the last game left.
TEST_F(PlayRules, AFreshStartClearsTheCountersAndFlags) {
    gameState = GameState{.answerMode = 1, .takeCount = 30, .deadlockCount = 2, .victoryPending = 0, .viewRaised = 1};
    ResetGameStateForStart();
    EXPECT_EQ(gameState.answerMode, 0);
    EXPECT_EQ(gameState.takeCount, 0);
    EXPECT_EQ(gameState.deadlockCount, 0);
    EXPECT_EQ(gameState.victoryPending, 1);
    EXPECT_EQ(gameState.viewRaised, 0);
}

// A window names the first slot that holds it; 0 names none, even where a
// slot has no window yet.
TEST_F(PlayRules, SlotOfWindowFindsTheSlotHoldingTheWindow) {
    for (int slot = 0; slot < kSlotCount; ++slot) tileSlots[slot].window = 5000 + 4 * slot;
    tileSlots[7].window = 0;
    tileSlots[90].window = tileSlots[20].window;
    struct Row {
        int window, slot;
    };
    for (const Row row : {Row{5000, 0}, Row{5000 + 4 * 143, 143}, Row{5000 + 4 * 20, 20}, Row{5001, -1},
                          Row{4996, -1}, Row{0, -1}, Row{-1, -1}}) {
        EXPECT_EQ(SlotOfWindow(row.window), row.slot) << "window " << row.window;
    }
    for (TileSlot& slot : tileSlots) slot.window = 0;
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
