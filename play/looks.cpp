// Tile looks: the face background of a tile's picture recoloured to normal, selected, hint or answer.
#include "play/looks.h"

#include "board/tile_slots.h"
#include "play/play_platform.h"

std::recursive_mutex& LookMutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

namespace {

void Recolor(unsigned char* pixels, int first, int end, unsigned char a, unsigned char b, unsigned char c,
             unsigned char to) {
    if (pixels == nullptr) return;
    // Written without branches, so the compiler runs it over many pixels at once.
    for (int offset = first; offset < end; ++offset) {
        const unsigned char index = pixels[offset];
        pixels[offset] = (index == a) | (index == b) | (index == c) ? to : index;
    }
}

}  // namespace

void RecolorTile(int slot, int source1, int source2, int source3, int target, bool draw) {
    if (!IsValidSlot(slot)) {
        return;
    }
    LookLock lock(LookMutex());
    const unsigned char a = static_cast<unsigned char>(source1);
    const unsigned char b = static_cast<unsigned char>(source2 != 0 ? source2 : source1);
    const unsigned char c = static_cast<unsigned char>(source3 != 0 ? source3 : source1);
    const unsigned char to = static_cast<unsigned char>(target);
    const int face = tileSlots[slot].face;
    Recolor(FacePixels(face), kLookFirstOffset, kLookEndOffset, a, b, c, to);
    Recolor(LargeFacePixels(face), kLargeLookFirstOffset, kLargeLookEndOffset, a, b, c, to);
    if (draw) {
        DrawTile(slot);
    }
}

void ResetAllLooks(bool draw) {
    LookLock lock(LookMutex());
    for (int slot = 0; slot < kSlotCount; ++slot) {
        RecolorTile(slot, LookHint, LookSelected, LookAnswer, LookNormal, draw);
    }
}
