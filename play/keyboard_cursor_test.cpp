// The keyboard cursor: its stops in reading order, its moves, and where it goes when the board changes.
#include <gtest/gtest.h>

#include <vector>

#include "play/game_commands.h"
#include "play/keyboard_cursor.h"
#include "play/undo.h"
#include "tests/support/play_board_testing.h"

namespace {

std::vector<int> Stops() {
    int stops[kSlotCount];
    return std::vector<int>(stops, stops + CursorStops(stops));
}

class KeyboardCursorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(play_test::Deal(1, 20261209));
        keyboardCursor = KeyboardCursor{};
    }
};

// The first stops of a full board read from the top row down, left to
// right, a higher row of an upper level before the lower row below it.
TEST_F(KeyboardCursorTest, StopsOfAFullBoardFollowReadingOrder) {
    struct Case {
        int arrangement;
        std::vector<int> firstStops;
    };
    const Case cases[] = {
        {1, {0, 11, 87, 92, 12, 19}},
        {2, {0, 12, 110, 111, 112, 113}},
        {3, {108, 112, 113, 117, 118, 119}},
        {4, {68, 72, 73, 74, 75, 77}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(play_test::Deal(c.arrangement, 7));
        const std::vector<int> stops = Stops();
        ASSERT_GE(stops.size(), c.firstStops.size());
        EXPECT_EQ(std::vector<int>(stops.begin(), stops.begin() + c.firstStops.size()), c.firstStops)
            << "arrangement " << c.arrangement;
        for (int slot : stops) EXPECT_EQ(IsTileFree(slot), 1) << slot;
    }
}

TEST_F(KeyboardCursorTest, TheFirstKeyShowsItAndTheNextOnesMoveAndWrap) {
    const std::vector<int> stops = Stops();
    MoveCursor(CursorMove::Next);
    EXPECT_TRUE(keyboardCursor.shown);
    EXPECT_EQ(keyboardCursor.slot, stops.front());
    MoveCursor(CursorMove::Previous);
    EXPECT_EQ(keyboardCursor.slot, stops.back());
    MoveCursor(CursorMove::Next);
    MoveCursor(CursorMove::Next);
    EXPECT_EQ(keyboardCursor.slot, stops[1]);
    MoveCursor(CursorMove::Last);
    EXPECT_EQ(keyboardCursor.slot, stops.back());
    MoveCursor(CursorMove::First);
    EXPECT_EQ(keyboardCursor.slot, stops.front());
    const std::vector<ScreenCall> frames = RecordedCallsOf(ScreenCall::CursorFrame);
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.back().value, stops.front());
}

TEST_F(KeyboardCursorTest, EnterClicksTheCursorTileAndATakeMovesItToTheNextStop) {
    int a = -1;
    int b = -1;
    const std::vector<int> stops = Stops();
    for (std::size_t i = 0; i < stops.size() && a < 0; ++i) {
        for (std::size_t j = i + 1; j < stops.size(); ++j) {
            if (FacesMatch(tileSlots[stops[i]].face, tileSlots[stops[j]].face)) {
                a = stops[i];
                b = stops[j];
                break;
            }
        }
    }
    ASSERT_GE(a, 0);
    gameState.soundOn = 1;
    MoveCursor(CursorMove::First);
    while (keyboardCursor.slot != a) MoveCursor(CursorMove::Next);
    ClickCursorTile();
    KeepCursorOnAStop();
    EXPECT_EQ(tileSlots[a].state, 1);
    EXPECT_EQ(keyboardCursor.slot, a);
    EXPECT_EQ(RecordedCallsOf(ScreenCall::Sound).back().value, static_cast<int>(Sound::Check));
    while (keyboardCursor.slot != b) MoveCursor(CursorMove::Next);
    ClickCursorTile();
    KeepCursorOnAStop();
    EXPECT_EQ(tileSlots[b].state, 2);
    // The nearest stop after the taken tile's place: the first one that reads after it.
    int expected = -1;
    for (int slot : Stops()) {
        const TilePosition p = tileRects[slot];
        const TilePosition q = tileRects[b];
        if (p.top > q.top || (p.top == q.top && p.left > q.left)) {
            expected = slot;
            break;
        }
    }
    EXPECT_EQ(keyboardCursor.slot, expected >= 0 ? expected : Stops().front());
    EXPECT_EQ(IsTileFree(keyboardCursor.slot), 1);
}

// Undo, restart and a new game change which tiles are free: the cursor is
// never left on a taken or blocked tile.
TEST_F(KeyboardCursorTest, BoardChangesNeverLeaveItOnATakenOrBlockedTile) {
    struct Change {
        const char* name;
        void (*run)();
    };
    const Change changes[] = {
        {"undo", [] { UndoMove(); }},
        {"restart", [] { RestartDeal(); }},
        {"new game", [] { NewGame(0, 99); }},
    };
    for (const Change& change : changes) {
        ASSERT_TRUE(play_test::Deal(1, 20261209));
        keyboardCursor = KeyboardCursor{};
        // The answer's last pair lies under others once every other pair is
        // back: take the first three answer pairs, cursor on the third one's
        // tile, which the undone pairs may cover again.
        for (int pair = 71; pair > 68; --pair) play_test::ClickPair(pair);
        MoveCursor(CursorMove::First);
        change.run();
        KeepCursorOnAStop();
        ASSERT_GE(keyboardCursor.slot, 0) << change.name;
        EXPECT_FALSE(IsTaken(keyboardCursor.slot)) << change.name;
        EXPECT_EQ(IsTileFree(keyboardCursor.slot), 1) << change.name;
    }
    // A cleared board has no stop: the frame goes.
    ASSERT_TRUE(play_test::Deal(1, 20261209));
    MoveCursor(CursorMove::First);
    for (int pair = 71; pair >= 0; --pair) play_test::ClickPair(pair);
    KeepCursorOnAStop();
    EXPECT_EQ(keyboardCursor.slot, -1);
    EXPECT_EQ(RecordedCallsOf(ScreenCall::HideCursor).size(), 1u);
}

TEST_F(KeyboardCursorTest, AMouseClickHidesItAndEnterThenDoesNothing) {
    MoveCursor(CursorMove::First);
    const int slot = keyboardCursor.slot;
    HideCursorForMouse();
    EXPECT_FALSE(keyboardCursor.shown);
    ClickCursorTile();
    EXPECT_EQ(tileSlots[slot].state, 0);
    EXPECT_EQ(RecordedCallsOf(ScreenCall::HideCursor).size(), 1u);
    // The next cursor key shows it where it was.
    MoveCursor(CursorMove::Next);
    EXPECT_EQ(keyboardCursor.slot, slot);
}

}  // namespace
