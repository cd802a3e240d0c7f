// Tile looks: the face background of a tile's picture recoloured to normal, selected, hint or answer.
#pragma once

#include <mutex>

// Colour-table indices of the face background in each look.
enum Look : unsigned char {
    LookSelected = 13,  // cyan
    LookHint = 14,      // green
    LookAnswer = 15,    // yellow
    LookNormal = 16,    // light grey-white
};

// The face background lies between these pixel offsets of a face picture;
// nothing outside them is ever recoloured.
constexpr int kLookFirstOffset = 546;
constexpr int kLookEndOffset = 2684;
// The same in the face picture drawn at twice the size.
constexpr int kLargeLookFirstOffset = 2466;
constexpr int kLargeLookEndOffset = 10716;

// In the slot's face picture, and in its double-size picture while the board
// is drawn from it, every pixel of the face area whose index is one
// of the sources becomes `target`; a second or third source of 0 stands for
// the first. With `draw` the tile is then drawn at once.
void RecolorTile(int slot, int source1, int source2, int source3, int target, bool draw);

// Every tile from hint, selected and answer to normal.
void ResetAllLooks(bool draw);

// Look changes (recolouring and drawing) and state writes of the window
// thread and the hint worker happen one at a time, under this lock. It may
// be taken again by its holder; it is never held while waiting for the
// worker to end.
std::recursive_mutex& LookMutex();
using LookLock = std::unique_lock<std::recursive_mutex>;
