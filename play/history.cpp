// The taken-tile history: the pairs taken so far, composed as small faces into the history picture, and the cell under a point.
#include "play/history.h"

#include <cstddef>
#include <cstring>

#include "board/tile_slots.h"

namespace {

// The history field: 224 x 390 pixels of one byte, bottom row first.
constexpr int kFieldWidth = 224;
constexpr int kFieldHeight = 390;

// A small face: 25 x 35 pixels, rows padded to 4 bytes, bottom row first.
// Only its first 24 columns are copied into a cell.
constexpr int kFaceWidth = 25;
constexpr int kFaceHeight = 35;
constexpr int kCopiedWidth = 24;

// The field and the faces at one size: today's, or drawn at twice it.
struct PictureSize {
    int factor;
    int FieldWidth() const { return kFieldWidth * factor; }
    int FieldHeight() const { return kFieldHeight * factor; }
    int FaceHeight() const { return kFaceHeight * factor; }
    int FaceRowBytes() const { return (kFaceWidth * factor + 3) / 4 * 4; }
    int CopiedWidth() const { return kCopiedWidth * factor; }
};

// The field's own green, written into every cell that holds no pair yet.
constexpr unsigned char kFieldGreen = 33;

// Nine rows of eight cells, 25 x 35 each, 26 and 36 pixels apart.
constexpr int kColumns = 8;
constexpr int kFirstCellLeft = 5;
constexpr int kFirstCellTop = 40;
constexpr int kCellStepX = 26;
constexpr int kCellStepY = 36;
constexpr int kCellWidth = 25;
constexpr int kCellHeight = 35;

using Box = HistoryBox;

// The header strip above the cells, the 73rd rectangle.
constexpr Box kHeaderStrip = {0, 0, 223, 39};

bool StrictlyInside(const Box& box, int x, int y) {
    return x > box.left && x < box.right && y > box.top && y < box.bottom;
}

// The first byte of the field's row that is `y` pixels from the top.
unsigned char* FieldRow(unsigned char* field, const PictureSize& size, int y) {
    return field + static_cast<std::ptrdiff_t>(size.FieldHeight() - 1 - y) * size.FieldWidth();
}

void CopyFaceToCell(unsigned char* field, const PictureSize& size, const unsigned char* face, int cell) {
    const Box box = HistoryCellBox(cell);
    for (int row = 0; row < size.FaceHeight(); ++row) {
        const unsigned char* source = face + static_cast<std::ptrdiff_t>(size.FaceHeight() - 1 - row) * size.FaceRowBytes();
        std::memcpy(FieldRow(field, size, box.top * size.factor + row) + box.left * size.factor, source,
                    static_cast<std::size_t>(size.CopiedWidth()));
    }
}

void ClearCell(unsigned char* field, const PictureSize& size, int cell) {
    const Box box = HistoryCellBox(cell);
    for (int row = 0; row < size.FaceHeight(); ++row) {
        std::memset(FieldRow(field, size, box.top * size.factor + row) + box.left * size.factor, kFieldGreen,
                    static_cast<std::size_t>(size.CopiedWidth()));
    }
}

}  // namespace

HistoryBox HistoryCellBox(int cell) {
    const int left = kFirstCellLeft + kCellStepX * (cell % kColumns);
    const int top = kFirstCellTop + kCellStepY * (cell / kColumns);
    return {left, top, left + kCellWidth, top + kCellHeight};
}

int TakenPairCount() {
    int taken = 0;
    for (const TileSlot& slot : tileSlots) {
        if (slot.state >= 2) {
            ++taken;
        }
    }
    return taken / 2;
}

void ComposeHistory(unsigned char* field, const unsigned char* const smallFaces[36], int factor) {
    const PictureSize size{factor};
    const int taken = TakenPairCount();
    // The most recent pair has state 2 and the first one taken k + 1, so the
    // first pair lands in cell 0.
    for (const TileSlot& slot : tileSlots) {
        if (slot.state < 2 || slot.state > taken + 1) {
            continue;
        }
        const unsigned char* face = smallFaces[KindOfFace(slot.face)];
        if (face != nullptr) {
            CopyFaceToCell(field, size, face, taken + 1 - slot.state);
        }
    }
    for (int cell = taken; cell < kHistoryCellCount; ++cell) {
        ClearCell(field, size, cell);
    }
}

int HistoryRectangleAt(int x, int y) {
    for (int cell = 0; cell < kHistoryCellCount; ++cell) {
        if (StrictlyInside(HistoryCellBox(cell), x, y)) {
            return cell;
        }
    }
    return StrictlyInside(kHeaderStrip, x, y) ? kHistoryHeader : -1;
}
