// The hint worker: its order of pairs, its looks in and out of answer mode, its end, and stopping it from any state while tiles are clicked.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <random>
#include <thread>

#include "play/game_commands.h"
#include "play/hint.h"
#include "play/outcome.h"
#include "tests/support/free_tiles_testing.h"
#include "tests/support/play_board_testing.h"

namespace {

using namespace play_test;
using board_testing::FreeSlots;
using namespace std::chrono_literals;

bool WaitForHintToEnd() {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (HintIsRunning() == 1 && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(1ms);
    return HintIsRunning() == 0;
}

// The pairs the worker showed, in order: its draws in the green look come
// two by two.
std::vector<std::pair<int, int>> ShownPairs() {
    std::vector<std::pair<int, int>> pairs;
    std::vector<int> green;
    for (const ScreenCall& draw : RecordedCallsOf(ScreenCall::Draw)) {
        if (draw.flag) green.push_back(draw.value);
    }
    for (std::size_t k = 0; k + 1 < green.size(); k += 2) pairs.emplace_back(green[k], green[k + 1]);
    return pairs;
}

// Gives the free tiles kinds of their own but for the first `sharing`,
// which share one kind.
void MakeOneKindShared(int sharing) {
    const std::vector<int> free = FreeSlots();
    ASSERT_LT(free.size(), 36u);
    for (std::size_t n = 0; n < free.size(); ++n) tileSlots[free[n]].face = static_cast<int>(n);
    for (int n = 1; n < sharing; ++n) tileSlots[free[static_cast<std::size_t>(n)]].face = 36 * n;
}

class Hint : public ::testing::Test {
protected:
    void SetUp() override {
        hintTiming = {2ms, 1ms};
        ASSERT_TRUE(Deal(1, 2024));
    }
    void TearDown() override {
        StopHint();
        hintTiming = HintTiming{};
    }
};

TEST_F(Hint, ShowsEveryFreePairOnceByTheHigherSlotThenTheLower) {
    for (int sharing : {3, 4}) {
        ASSERT_TRUE(Deal(1, 2024));
        MakeOneKindShared(sharing);
        const std::vector<int> free = FreeSlots();
        StartHint();
        ASSERT_TRUE(WaitForHintToEnd());
        const std::vector<std::pair<int, int>> shown = ShownPairs();
        // Three tiles of a kind make three pairs, four make six.
        ASSERT_EQ(shown.size(), sharing == 3 ? 3u : 6u);
        std::vector<std::pair<int, int>> expected;
        for (int i = 1; i < kSlotCount; ++i) {
            for (int j = 0; j < i; ++j) {
                bool iShares = false, jShares = false;
                for (int n = 0; n < sharing; ++n) {
                    iShares = iShares || free[static_cast<std::size_t>(n)] == i;
                    jShares = jShares || free[static_cast<std::size_t>(n)] == j;
                }
                if (iShares && jShares) expected.emplace_back(i, j);
            }
        }
        EXPECT_EQ(shown, expected);
        for (int slot = 0; slot < kSlotCount; ++slot) EXPECT_EQ(LookPixels(slot, LookHint), 0) << slot;
        EXPECT_TRUE(RecordedCallsOf(ScreenCall::HintDeadlock).empty());
    }
}

// Boards reduced to a few pairs, every other tile taken and free: only the
// pairs on the board are shown, higher slot first, never a taken tile of
// their kind; slots 1 and 0 make the first pair there is.
TEST_F(Hint, OnAReducedBoardShowsThePairsLeftAndNoTakenTile) {
    struct Row {
        std::vector<int> slots;
        std::vector<std::pair<int, int>> shown;
    };
    const Row rows[] = {
        {{0, 1}, {{1, 0}}},
        {{143, 0}, {{143, 0}}},
        {{70, 143, 0, 10}, {{10, 0}, {143, 70}}},
    };
    for (const Row& row : rows) {
        ASSERT_TRUE(Deal(1, 2024));
        LeaveOnlyPairs(row.slots);
        for (int slot : row.slots) ASSERT_EQ(IsTileFree(slot), 1) << slot;
        StartHint();
        ASSERT_TRUE(WaitForHintToEnd());
        EXPECT_EQ(ShownPairs(), row.shown) << "board of " << row.slots.size() << " tiles from slot " << row.slots[0];
    }
}

// A tile clicked while the hint runs, on a board of two pairs: {0, 1}, shown
// first, and {70, 143}. Tile 70 is clicked while the first or the second pair
// is green. The answer's pair turns green in its turn like any other, and
// afterwards is yellow and unselected; another pair's tile stays selected.
TEST_F(Hint, ATileClickedWhileTheHintRunsEndsSelectedOrBackInTheAnswersYellow) {
    hintTiming = {200ms, 1ms};
    struct Row {
        bool answerPair;
        std::size_t clickWhileShowing;
        int state;
        Look look;
    };
    const Row rows[] = {
        {false, 0, 1, LookSelected},
        {false, 1, 1, LookSelected},
        {true, 0, 0, LookAnswer},
        {true, 1, 0, LookAnswer},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "answer " << row.answerPair << ", click during pair " << row.clickWhileShowing);
        ASSERT_TRUE(Deal(1, 2024));
        LeaveOnlyPairs({0, 1, 70, 143});
        if (row.answerPair) {
            gameState.answerMode = 1;
            gameState.answerStep = 7;
            for (int slot : {70, 143}) {
                tileSlots[slot].pair = 7;
                RecolorTile(slot, LookNormal, 0, 0, LookAnswer, false);
            }
        }
        StartHint();
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        while (ShownPairs().size() <= row.clickWhileShowing && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(1ms);
        }
        ClickTile(70);
        ASSERT_TRUE(WaitForHintToEnd());
        EXPECT_EQ(ShownPairs(), (std::vector<std::pair<int, int>>{{1, 0}, {143, 70}}));
        EXPECT_EQ(tileSlots[70].state, row.state);
        EXPECT_EQ(LookPixels(70, row.look), kLookEndOffset - kLookFirstOffset);
        EXPECT_EQ(LookPixels(143, row.answerPair ? LookAnswer : LookNormal), kLookEndOffset - kLookFirstOffset);
        for (int slot : {0, 1}) EXPECT_EQ(LookPixels(slot, LookNormal), kLookEndOffset - kLookFirstOffset) << slot;
    }
}

TEST_F(Hint, StartsWithNothingSelectedAndGivesTheAnswerPairItsYellowBack) {
    gameState.answerMode = 1;
    gameState.answerStep = 71;
    const std::vector<int> answer = SlotsOfPair(71);
    for (int slot : answer) RecolorTile(slot, LookNormal, 0, 0, LookAnswer, false);
    ClickTile(answer[0]);
    const int other = FreeSlots().back() == answer[1] ? FreeSlots().front() : FreeSlots().back();
    ClickTile(other);
    ASSERT_EQ(tileSlots[other].state, 1);
    StartHint();
    {
        // The selections are dropped before the worker starts: the answer
        // tile goes back to yellow, the other to normal.
        LookLock looks(LookMutex());
        EXPECT_EQ(tileSlots[answer[0]].state, 0);
        EXPECT_EQ(tileSlots[other].state, 0);
    }
    ASSERT_TRUE(WaitForHintToEnd());
    EXPECT_GE(ShownPairs().size(), 1u);
    for (int slot : answer) EXPECT_EQ(LookPixels(slot, LookAnswer), kLookEndOffset - kLookFirstOffset) << slot;
    EXPECT_EQ(LookPixels(other, LookNormal), kLookEndOffset - kLookFirstOffset);
}

TEST_F(Hint, StopEndsItAtOnceDuringItsWaitAndTurnsTheGreenTilesBack) {
    hintTiming = {10s, 10s};
    StartHint();
    // Wait until the first pair is green.
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (ShownPairs().empty() && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(1ms);
    ASSERT_EQ(ShownPairs().size(), 1u);
    const std::pair<int, int> green = ShownPairs()[0];
    const int run = CurrentHintRun();
    const std::size_t callsBefore = recordedScreenCalls.size();
    const auto before = std::chrono::steady_clock::now();
    EXPECT_EQ(StopHint(), 1);
    EXPECT_LT(std::chrono::steady_clock::now() - before, 2s);
    EXPECT_EQ(HintIsRunning(), 0);
    // A report of the stopped run is told apart from the next run's.
    EXPECT_NE(CurrentHintRun(), run);
    for (int slot = 0; slot < kSlotCount; ++slot) EXPECT_EQ(LookPixels(slot, LookHint), 0) << slot;
    // The green pair is drawn in its own look at once.
    const std::vector<ScreenCall> afterStop(recordedScreenCalls.begin() + static_cast<std::ptrdiff_t>(callsBefore),
                                            recordedScreenCalls.end());
    for (int slot : {green.first, green.second}) {
        EXPECT_NE(std::find(afterStop.begin(), afterStop.end(), ScreenCall{ScreenCall::Draw, slot, false}),
                  afterStop.end()) << slot;
    }
    const std::size_t calls = RecordedCallsOf(ScreenCall::Draw).size();
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(RecordedCallsOf(ScreenCall::Draw).size(), calls);
    EXPECT_EQ(StopHint(), 0);
}

TEST_F(Hint, SaysDeadlockOnlyWhenNoPairIsLeftAndNothingOnAClearedBoard) {
    // Every free tile a kind of its own: nothing to show, and the report
    // names the run it belongs to.
    MakeOneKindShared(1);
    StartHint();
    ASSERT_TRUE(WaitForHintToEnd());
    EXPECT_TRUE(ShownPairs().empty());
    EXPECT_EQ(RecordedCallsOf(ScreenCall::HintDeadlock),
              (std::vector<ScreenCall>{{ScreenCall::HintDeadlock, CurrentHintRun(), false}}));

    ASSERT_TRUE(Deal(2, 99));
    for (int pair = 71; pair >= 0; --pair) ClickPair(pair);
    ClearRecordedScreen();
    StartHint();
    ASSERT_TRUE(WaitForHintToEnd());
    EXPECT_TRUE(RecordedCallsOf(ScreenCall::HintDeadlock).empty());
    EXPECT_TRUE(ShownPairs().empty());
}

// Every key and command first stops the hint and takes the pictures down.
TEST_F(Hint, TheCommandPrologueStopsTheHintAndHidesThePictures) {
    hintTiming = {10s, 10s};
    StartHint();
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (ShownPairs().empty() && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(1ms);
    RunCommandPrologue();
    EXPECT_EQ(HintIsRunning(), 0);
    for (int slot = 0; slot < kSlotCount; ++slot) EXPECT_EQ(LookPixels(slot, LookHint), 0) << slot;
    EXPECT_EQ(RecordedCallsOf(ScreenCall::HidePictures).size(), 1u);
}

// Starts and stops hints thousands of times on one thread while another
// selects, deselects and takes tiles: run it under the thread sanitizer.
TEST_F(Hint, StartsAndStopsWhileAnotherThreadClicksLeaveNoGreenAndNoHalfTakenPair) {
    hintTiming = {0ms, 0ms};
    const unsigned seed = static_cast<unsigned>(std::random_device{}());
    std::printf("hint stress seed %u\n", seed);
    std::atomic<bool> done{false};
    std::thread clicker([&] {
        std::mt19937 random(seed);
        while (!done) {
            ClickTile(static_cast<int>(random() % kSlotCount));
        }
    });
    std::mt19937 random(seed + 1);
    for (int round = 0; round < 2000; ++round) {
        StartHint();
        if (random() % 4 == 0) std::this_thread::sleep_for(std::chrono::microseconds(random() % 200));
        StopHint();
    }
    done = true;
    clicker.join();
    for (int slot = 0; slot < kSlotCount; ++slot) EXPECT_EQ(LookPixels(slot, LookHint), 0) << "seed " << seed;
    // Both tiles of every taken pair share their age; ages run 2, 3, ...
    std::vector<int> perState(80, 0);
    for (const TileSlot& slot : tileSlots) ++perState[static_cast<std::size_t>(slot.state)];
    const int taken = TakenPairs();
    for (int state = 2; state < 2 + taken; ++state) EXPECT_EQ(perState[static_cast<std::size_t>(state)], 2) << "seed " << seed;
}

}  // namespace
