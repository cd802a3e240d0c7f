// Undo, the deadlock and victory tests after a click, and the answer: the rules through the screen recorder.
#include <gtest/gtest.h>

#include <algorithm>

#include "play/answer.h"
#include "play/game_commands.h"
#include "play/outcome.h"
#include "play/solver/solver.h"
#include "play/undo.h"
#include "tests/support/free_tiles_testing.h"
#include "tests/support/play_board_testing.h"

namespace {

using namespace play_test;

ScreenCall Back(bool noStop) { return {ScreenCall::Sound, static_cast<int>(Sound::Back), noStop}; }

class PlayFlow : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Deal(1, 31337)); }
};

int undoCalls = 0;
void CountedUndo() {
    ++undoCalls;
    UndoMove();
}

TEST_F(PlayFlow, UndoBringsBackTheLatestPairOrOnlyDropsSelections) {
    // Nothing taken, one tile selected: it is deselected, silently.
    const int first = SlotsOfPair(71)[0];
    ClickTile(first);
    ClearRecordedScreen();
    UndoMove();
    EXPECT_EQ(tileSlots[first].state, 0);
    EXPECT_EQ(LookPixels(first, LookSelected), 0);
    EXPECT_TRUE(RecordedCallsOf(ScreenCall::Sound).empty());
    EXPECT_EQ(RecordedCallsOf(ScreenCall::Draw), (std::vector<ScreenCall>{{ScreenCall::Draw, first, false}}));

    for (int pair = 71; pair >= 67; --pair) ClickPair(pair);
    ClickTile(SlotsOfPair(66)[0]);
    ClearRecordedScreen();
    UndoMove();
    EXPECT_EQ(TakenPairs(), 4);
    for (int slot : SlotsOfPair(67)) EXPECT_EQ(tileSlots[slot].state, 0);
    for (int slot : SlotsOfPair(71)) EXPECT_EQ(tileSlots[slot].state, 5);
    EXPECT_EQ(tileSlots[SlotsOfPair(66)[0]].state, 0);
    // One "back", as a no-stop sound, however many tiles come back.
    EXPECT_EQ(RecordedCallsOf(ScreenCall::Sound), (std::vector<ScreenCall>{Back(true)}));
    EXPECT_EQ(RecordedCallsOf(ScreenCall::Show).size(), 2u);
    EXPECT_EQ(gameState.takeCount, 5);

    // Back to cell 1 of 4 taken: three undos leave the first pair taken.
    undoCalls = 0;
    EXPECT_EQ(UndoBackToCell(1, CountedUndo), 3);
    EXPECT_EQ(undoCalls, 3);
    EXPECT_EQ(TakenPairs(), 1);
    for (int slot : SlotsOfPair(71)) EXPECT_EQ(tileSlots[slot].state, 2);
    // An empty cell, and a cell out of range, do nothing.
    EXPECT_EQ(UndoBackToCell(1, CountedUndo), 0);
    EXPECT_EQ(UndoBackToCell(-1, CountedUndo), 0);
    EXPECT_EQ(undoCalls, 3);
}

// Back to a history cell: its pair and every later one come back, one undo
// each, so cell 0 brings back every pair; a cell past the last does nothing.
TEST_F(PlayFlow, UndoBackToCellUndoesFromThatCellOn) {
    struct Row {
        int taken, cell, undos;
    };
    for (const Row row : {Row{4, 0, 4}, Row{4, 3, 1}, Row{4, 4, 0}, Row{4, -1, 0}, Row{1, 0, 1}, Row{0, 0, 0},
                          Row{72, 0, 72}, Row{72, 71, 1}}) {
        ASSERT_TRUE(Deal(1, 31337));
        for (int pair = 71; pair > 71 - row.taken; --pair) ClickPair(pair);
        undoCalls = 0;
        EXPECT_EQ(UndoBackToCell(row.cell, CountedUndo), row.undos) << row.taken << " taken, cell " << row.cell;
        EXPECT_EQ(undoCalls, row.undos);
        EXPECT_EQ(TakenPairs(), row.taken - row.undos);
    }
}

// Clearing the board by clicks sets the deadlock count back to 0, and shows
// the victory unless the answer was started since the deal.
TEST_F(PlayFlow, ClearingByClicksEndsTheDeadlockCountAndAfterTheAnswerShowsNoVictory) {
    struct Row {
        int deadlocks;
        bool answer;
        std::size_t victories;
    };
    for (const Row row : {Row{0, false, 1}, Row{3, false, 1}, Row{1, true, 0}}) {
        ASSERT_TRUE(Deal(1, 31337));
        gameState.deadlockCount = row.deadlocks;
        if (row.answer) StartAnswer();
        for (int pair = 71; pair >= 0; --pair) ClickPair(pair);
        ASSERT_EQ(TakenPairs(), 72);
        EXPECT_EQ(gameState.deadlockCount, 0) << row.deadlocks << " deadlocks, answer " << row.answer;
        EXPECT_EQ(RecordedCallsOf(ScreenCall::VictoryPicture).size(), row.victories) << "answer " << row.answer;
    }
}

// With 71 pairs taken the last pair is a deadlock only when one tile lies on
// the other; with all 72 taken the board is cleared, not stuck.
TEST_F(PlayFlow, TheLastPairIsADeadlockOnlyWhenStacked) {
    struct Row {
        std::vector<int> left;
        int deadlocked;
    };
    for (const Row& row : {Row{{142, 143}, 1}, Row{{0, 1}, 0}, Row{{}, 0}}) {
        ASSERT_TRUE(Deal(1, 31337));
        LeaveOnlyPairs(row.left);
        ASSERT_EQ(TakenPairs(), 72 - static_cast<int>(row.left.size()) / 2);
        if (!row.left.empty()) {
            ASSERT_EQ(IsTileFree(row.left[0]), 1 - row.deadlocked);
        }
        EXPECT_EQ(IsDeadlocked(), row.deadlocked) << row.left.size() << " tiles left";
    }
}

TEST_F(PlayFlow, ClearingShowsTheVictoryOncePerDealAndUndoDoesNotBringItBack) {
    for (int pair = 71; pair >= 0; --pair) ClickPair(pair);
    EXPECT_EQ(IsBoardCleared(), 1);
    EXPECT_EQ(IsDeadlocked(), 0);
    EXPECT_EQ(RecordedCallsOf(ScreenCall::VictoryPicture).size(), 1u);
    EXPECT_TRUE(RecordedCallsOf(ScreenCall::DeadlockPicture).empty());
    EXPECT_EQ(gameState.victoryPending, 0);

    UndoMove();
    EXPECT_EQ(TakenPairs(), 71);
    ClickPair(0);
    EXPECT_EQ(RecordedCallsOf(ScreenCall::VictoryPicture).size(), 1u);
    RestartDeal();
    for (int pair = 71; pair >= 0; --pair) ClickPair(pair);
    EXPECT_EQ(RecordedCallsOf(ScreenCall::VictoryPicture).size(), 1u);
    EXPECT_EQ(gameState.takeCount, 72 + 1 + 72);
}

TEST_F(PlayFlow, DeadlockIsToldAfterTheClickThatLeavesNoPairButNotWhileASelectedTileCanPair) {
    // Take pairs off the answer's order until a click leaves no free pair:
    // a seeded search over greedy plays (first free pair in slot order).
    bool found = false;
    for (unsigned seed = 1; seed < 400 && !found; ++seed) {
        ASSERT_TRUE(Deal(1 + seed % 4, seed));
        while (IsDeadlocked() == 0 && IsBoardCleared() == 0) {
            int a = -1, b = -1;
            for (int i = 0; i < kSlotCount && a < 0; ++i) {
                for (int j = i + 1; j < kSlotCount; ++j) {
                    if (tileSlots[i].state < 2 && tileSlots[j].state < 2 && IsTileFree(i) && IsTileFree(j) &&
                        FacesMatch(tileSlots[i].face, tileSlots[j].face)) {
                        a = i, b = j;
                        break;
                    }
                }
            }
            ASSERT_GE(a, 0);
            ClickTile(a);
            // Between the two clicks of a last pair the selected tile can still pair: no deadlock yet.
            EXPECT_TRUE(RecordedCallsOf(ScreenCall::DeadlockPicture).empty());
            ClickTile(b);
        }
        found = IsDeadlocked() == 1;
    }
    ASSERT_TRUE(found) << "no greedy play ran into deadlock";
    EXPECT_EQ(RecordedCallsOf(ScreenCall::DeadlockPicture).size(), 1u);
    EXPECT_EQ(gameState.deadlockCount, 1);
    const std::vector<ScreenCall> sounds = RecordedCallsOf(ScreenCall::Sound);
    ASSERT_FALSE(sounds.empty());
    EXPECT_EQ(sounds.back(), (ScreenCall{ScreenCall::Sound, static_cast<int>(Sound::Tezumari), false}));
}

TEST_F(PlayFlow, TheAnswerIsRefusedUntil72TakesOrTwoDeadlocks) {
    OfferAnswer();
    EXPECT_EQ(RecordedCallsOf(ScreenCall::AnswerRefusal), (std::vector<ScreenCall>{{ScreenCall::AnswerRefusal, 0, true}}));
    ClickPair(71);
    UndoMove();
    ClearRecordedScreen();
    OfferAnswer();
    EXPECT_EQ(RecordedCallsOf(ScreenCall::AnswerRefusal), (std::vector<ScreenCall>{{ScreenCall::AnswerRefusal, 0, false}}));

    // 72 takes spread over undos and restarts open it, the 71st does not.
    for (int round = 0; round < 70; ++round) {
        ClickPair(71);
        round % 2 == 0 ? UndoMove() : RestartDeal();
    }
    ASSERT_EQ(gameState.takeCount, 71);
    ClearRecordedScreen();
    OfferAnswer();
    EXPECT_EQ(RecordedCallsOf(ScreenCall::AnswerRefusal).size(), 1u);
    ClickPair(71);
    recordedAnswerChoice = 2;
    OfferAnswer();
    EXPECT_EQ(RecordedCallsOf(ScreenCall::AnswerAsked), (std::vector<ScreenCall>{{ScreenCall::AnswerAsked, 0, false}}));
    EXPECT_EQ(gameState.answerMode, 0);

    // So do two deadlocks, but not one.
    gameState.takeCount = 0;
    gameState.deadlockCount = 1;
    ClearRecordedScreen();
    OfferAnswer();
    EXPECT_EQ(RecordedCallsOf(ScreenCall::AnswerRefusal).size(), 1u);
    gameState.deadlockCount = 2;
    recordedAnswerChoice = 1001;
    OfferAnswer();
    EXPECT_EQ(RecordedCallsOf(ScreenCall::AnswerAsked).size(), 1u);
    EXPECT_EQ(gameState.answerMode, 1);
}

TEST_F(PlayFlow, SpacePlaysTheWholeAnswerWithoutAVictoryAndAnotherPairEndsIt) {
    ClickPair(71);
    ClickPair(70);
    gameState.takeCount = 72;
    gameState.victoryPending = 1;
    recordedAnswerChoice = 1001;
    ClearRecordedScreen();
    OfferAnswer();
    ASSERT_EQ(gameState.answerMode, 1);
    EXPECT_EQ(TakenPairs(), 0);
    for (int slot : SlotsOfPair(71)) EXPECT_GT(LookPixels(slot, LookAnswer), 0);
    // The history is composed again; the yellow pair is drawn last.
    EXPECT_EQ(RecordedCallsOf(ScreenCall::Refresh), (std::vector<ScreenCall>{{ScreenCall::Refresh, 0, false}}));
    ASSERT_GE(recordedScreenCalls.size(), 2u);
    for (std::size_t n = 1; n <= 2; ++n) {
        const ScreenCall& draw = recordedScreenCalls[recordedScreenCalls.size() - n];
        EXPECT_EQ(draw.kind, ScreenCall::Draw);
        EXPECT_EQ(tileSlots[draw.value].pair, 71);
    }
    // "答え" again while it runs: つづきから leaves everything as it is.
    recordedAnswerChoice = 2;
    OfferAnswer();
    EXPECT_EQ(RecordedCallsOf(ScreenCall::AnswerAsked).back(), (ScreenCall{ScreenCall::AnswerAsked, 0, true}));
    EXPECT_EQ(gameState.answerStep, 71);

    for (int step = 71; step >= 0; --step) {
        ASSERT_EQ(gameState.answerStep, step);
        TakeAnswerPair();
        for (int slot : SlotsOfPair(step)) {
            ASSERT_EQ(tileSlots[slot].state, 2) << "pair " << step;
            // Taken in yellow, it comes back (undo, restart) looking normal.
            ASSERT_EQ(LookPixels(slot, LookAnswer), 0) << "pair " << step;
        }
    }
    EXPECT_EQ(gameState.answerMode, 0);
    EXPECT_EQ(TakenPairs(), 72);
    EXPECT_TRUE(RecordedCallsOf(ScreenCall::VictoryPicture).empty());
    TakeAnswerPair();  // outside answer mode: nothing
    EXPECT_EQ(TakenPairs(), 72);

    // Undo in answer mode ends it and takes the yellow away.
    recordedAnswerChoice = 1001;
    OfferAnswer();
    TakeAnswerPair();
    ForgetRecordedCalls();
    UndoMove();
    EXPECT_EQ(gameState.answerMode, 0);
    for (int slot = 0; slot < kSlotCount; ++slot) EXPECT_EQ(LookPixels(slot, LookAnswer), 0);
    // The tiles that lost their yellow are drawn at once.
    const std::vector<ScreenCall> draws = RecordedCallsOf(ScreenCall::Draw);
    for (int slot : SlotsOfPair(70)) {
        EXPECT_NE(std::find(draws.begin(), draws.end(), ScreenCall{ScreenCall::Draw, slot, false}), draws.end()) << slot;
    }
}

// At a deadlock the take that lost the deal is marked: just before it the deal
// can still be cleared, after it not; the picture's name counts the takes
// back to it, and the mark stays while that take stands.
TEST_F(PlayFlow, ADeadlockMarksTheTakeThatLostTheDealUntilItIsUndone) {
    unsigned seed = 1;
    // The first free pair each time, deal after deal, until one deadlocks.
    for (;; ++seed) {
        ASSERT_LT(seed, 50u) << "no deal ran into a deadlock";
        ASSERT_TRUE(Deal(1, seed));
        for (int a = 0, b = 0; board_testing::FreePair(a, b);) {
            ClickTile(a);
            ClickTile(b);
        }
        if (IsDeadlocked() == 1) break;
    }
    const int cell = gameState.losingCell;
    ASSERT_GE(cell, 0) << "seed " << seed;
    const std::vector<ScreenCall> pictures = RecordedCallsOf(ScreenCall::DeadlockPicture);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].value, TakenPairs() - cell);
    // A click that only selects shows the deadlock again with the same count.
    ClickTile(board_testing::FreeSlots().front());
    const std::vector<ScreenCall> again = RecordedCallsOf(ScreenCall::DeadlockPicture);
    ASSERT_EQ(again.size(), 2u);
    EXPECT_EQ(again[1].value, pictures[0].value);
    constexpr long kBudget = 5000 * kSolverStepsPerMillisecond;
    while (TakenPairs() > cell + 1) UndoMove();
    EXPECT_EQ(gameState.losingCell, cell) << "seed " << seed;
    EXPECT_EQ(Solve(1, PositionOfSlotTable(), kBudget).outcome, SolveOutcome::NotClearable) << "seed " << seed;
    UndoMove();
    EXPECT_EQ(gameState.losingCell, -1);
    EXPECT_EQ(Solve(1, PositionOfSlotTable(), kBudget).outcome, SolveOutcome::Cleared) << "seed " << seed;
}

}  // namespace
