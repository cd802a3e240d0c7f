// The history picture's composition from the slot table, and which cell a point is in.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

#include "board/positions.h"
#include "board/tile_slots.h"
#include "deal/deal_generator.h"
#include "play/game_state.h"
#include "play/history.h"
#include "play/selection.h"
#include "tests/support/play_board_testing.h"
#include "tests/support/play_platform_recorder.h"

namespace {

// What the composition never writes: anything outside the cells' 24 x 35.
constexpr unsigned char kUntouched = 255;
constexpr unsigned char kGreen = 33;

// A pixel of small face `kind` at `row` from its top: different for every
// kind, row and column, so a face copied upside down, shifted or of the
// wrong kind shows.
unsigned char FacePixel(int kind, int row, int column) {
    return static_cast<unsigned char>((kind * 7 + row * 5 + column * 11) % 251);
}

struct Cell {
    int left, top;
};
Cell CellAt(int cell) { return {5 + 26 * (cell % 8), 40 + 36 * (cell / 8)}; }

class History : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(play_test::Deal(1, 20261208));
        DrawPictures(1);
    }

    // The field and the faces at today's size (1) or at twice it (2).
    void DrawPictures(int factor) {
        factor_ = factor;
        field_.assign(static_cast<std::size_t>(FieldWidth() * FieldHeight()), kUntouched);
        for (int kind = 0; kind < kKindCount; ++kind) {
            std::vector<unsigned char>& face = faces_[static_cast<std::size_t>(kind)];
            face.assign(static_cast<std::size_t>(FaceRowBytes() * FaceHeight()), 0);
            for (int row = 0; row < FaceHeight(); ++row) {
                for (int column = 0; column < FaceRowBytes(); ++column) {
                    // Stored bottom row first, like the pictures.
                    face[static_cast<std::size_t>((FaceHeight() - 1 - row) * FaceRowBytes() + column)] =
                        FacePixel(kind, row, column);
                }
            }
            facePointers_[static_cast<std::size_t>(kind)] = face.data();
        }
    }

    // Takes the next `count` pairs of the deal's answer, as the game does,
    // and returns the kind of each in the order taken.
    std::vector<int> TakeAnswerPairs(int count) {
        std::vector<int> kinds;
        for (int n = 0; n < count; ++n) {
            const int pair = 71 - nextAnswerPair_++;
            int kind = -1;
            for (TileSlot& slot : tileSlots) {
                if (slot.pair == pair) {
                    slot.state = 1;
                    kind = KindOfFace(slot.face);
                }
            }
            EXPECT_EQ(TakeSelectedPair(), 1) << "answer pair " << pair;
            kinds.push_back(kind);
        }
        return kinds;
    }

    void Compose() { ComposeHistory(field_.data(), facePointers_.data(), factor_); }

    int FieldWidth() const { return 224 * factor_; }
    int FieldHeight() const { return 390 * factor_; }
    int FaceHeight() const { return 35 * factor_; }
    int FaceRowBytes() const { return factor_ == 1 ? 28 : 52; }
    int CopiedWidth() const { return 24 * factor_; }

    // The field's pixel `y` rows from its top.
    unsigned char At(int x, int y) const {
        return field_[static_cast<std::size_t>((FieldHeight() - 1 - y) * FieldWidth() + x)];
    }

    // True when the cell shows the first 24 columns of the kind's face (48
    // at twice the size), top row at the top.
    bool CellShowsKind(int cell, int kind) const {
        const Cell at = CellAt(cell);
        for (int row = 0; row < FaceHeight(); ++row) {
            for (int column = 0; column < CopiedWidth(); ++column) {
                if (At(at.left * factor_ + column, at.top * factor_ + row) != FacePixel(kind, row, column)) {
                    return false;
                }
            }
        }
        return true;
    }

    bool CellIsGreen(int cell) const {
        const Cell at = CellAt(cell);
        for (int row = 0; row < FaceHeight(); ++row) {
            for (int column = 0; column < CopiedWidth(); ++column) {
                if (At(at.left * factor_ + column, at.top * factor_ + row) != kGreen) return false;
            }
        }
        return true;
    }

    // Pixels outside the 72 cells' 24 x 35 areas must keep the field's own.
    int UntouchedPixels() const {
        return static_cast<int>(std::count(field_.begin(), field_.end(), kUntouched));
    }
    int OutsideCells() const { return FieldWidth() * FieldHeight() - 72 * CopiedWidth() * FaceHeight(); }

    int factor_ = 1;
    std::vector<unsigned char> field_;
    std::array<std::vector<unsigned char>, kKindCount> faces_;
    std::array<const unsigned char*, kKindCount> facePointers_{};
    int nextAnswerPair_ = 0;
};

// At today's size and at twice it, for the double-size pictures.
TEST_F(History, EachTakenPairFillsTheCellOfItsTurnAndTheRestIsGreen) {
    const std::vector<int> kinds = TakeAnswerPairs(5);
    EXPECT_EQ(TakenPairCount(), 5);
    for (int factor : {1, 2}) {
        DrawPictures(factor);
        Compose();
        for (int cell = 0; cell < 5; ++cell) {
            EXPECT_TRUE(CellShowsKind(cell, kinds[static_cast<std::size_t>(cell)])) << "cell " << cell << " x" << factor;
        }
        for (int cell = 5; cell < kHistoryCellCount; ++cell) {
            EXPECT_TRUE(CellIsGreen(cell)) << "cell " << cell << " x" << factor;
        }
        // Neither the faces' 25th column nor the gaps and the header were written.
        EXPECT_EQ(UntouchedPixels(), OutsideCells()) << " x" << factor;
    }
}

TEST_F(History, ComposingAgainAfterPairsCameBackClearsTheirCellsAndIgnoresSelections) {
    const std::vector<int> kinds = TakeAnswerPairs(5);
    Compose();
    // The three most recent pairs come back, as three undos leave them, and
    // a tile on the board is selected: two pairs remain taken.
    for (TileSlot& slot : tileSlots) {
        if (slot.state >= 2 && slot.state <= 4) {
            slot.state = 0;
        } else if (slot.state > 4) {
            slot.state -= 3;
        }
    }
    const auto onBoard = std::find_if(std::begin(tileSlots), std::end(tileSlots),
                                      [](const TileSlot& slot) { return slot.state == 0; });
    onBoard->state = 1;
    EXPECT_EQ(TakenPairCount(), 2);
    Compose();
    EXPECT_TRUE(CellShowsKind(0, kinds[0]));
    EXPECT_TRUE(CellShowsKind(1, kinds[1]));
    for (int cell = 2; cell < kHistoryCellCount; ++cell) {
        EXPECT_TRUE(CellIsGreen(cell)) << "cell " << cell;
    }
    EXPECT_EQ(UntouchedPixels(), OutsideCells());
}

TEST_F(History, AClearedBoardFillsAllSeventyTwoCellsInTheOrderOfTaking) {
    const std::vector<int> kinds = TakeAnswerPairs(72);
    EXPECT_EQ(TakenPairCount(), 72);
    Compose();
    for (int cell = 0; cell < kHistoryCellCount; ++cell) {
        EXPECT_TRUE(CellShowsKind(cell, kinds[static_cast<std::size_t>(cell)])) << "cell " << cell;
    }
    EXPECT_EQ(UntouchedPixels(), OutsideCells());
}

TEST(HistoryRectangles, OnlyPointsStrictlyInsideACellOrTheHeaderCount) {
    struct Case {
        int x, y, expected;
    };
    const Case cases[] = {
        // Cell 0 spans (5, 40)-(30, 75): its borders belong to no cell.
        {6, 41, 0}, {29, 74, 0}, {5, 41, -1}, {30, 41, -1}, {6, 40, -1}, {6, 75, -1},
        // The next column starts at 31, the next row at 76.
        {31, 50, -1}, {32, 50, 1}, {10, 76, -1}, {10, 77, 8},
        // The last cell, row 8 column 7: (187, 328)-(212, 363).
        {188, 329, 71}, {211, 362, 71}, {212, 362, -1}, {211, 363, -1},
        // Right of the last column and below the last row.
        {215, 50, -1}, {100, 380, -1},
        // The header strip (0, 0)-(223, 39).
        {1, 1, kHistoryHeader}, {222, 38, kHistoryHeader}, {0, 10, -1}, {223, 10, -1}, {100, 0, -1},
        {100, 39, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HistoryRectangleAt(c.x, c.y), c.expected) << "(" << c.x << ", " << c.y << ")";
    }
}

}  // namespace
