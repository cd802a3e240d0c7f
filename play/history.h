// The taken-tile history: how many pairs are taken, the picture of them in the order of taking, and which cell a point is in.
#pragma once

constexpr int kHistoryCellCount = 72;
// HistoryRectangleAt's answer for the header strip above the cells.
constexpr int kHistoryHeader = 72;

// The number of pairs taken now: slots with state 2 or more, halved.
int TakenPairCount();

// Composes the history picture: the small face of every taken pair in its
// cell (cell 0 the first pair taken), and the background green in every cell
// after the last. `field` is the 224 x 390 picture's pixels (bottom row
// first, rows of 224 bytes); `smallFaces[kind]` the 25 x 35 small face of
// each kind (bottom row first, rows of 28 bytes). With `factor` 2 the field
// and the faces are the pictures drawn at twice the size (448 x 780; 50 x 70
// in rows of 52 bytes), and every place doubles.
void ComposeHistory(unsigned char* field, const unsigned char* const smallFaces[36], int factor = 1);

// A cell's rectangle in the history window's client area: left and top
// inside it, right and bottom just outside.
struct HistoryBox {
    int left, top, right, bottom;
};
HistoryBox HistoryCellBox(int cell);

// The cell (0..71) or the header strip (kHistoryHeader) whose inside holds
// the client point (x, y); -1 for a point on a border or between cells.
int HistoryRectangleAt(int x, int y);
