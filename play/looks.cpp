// Tile looks: the face background of a tile's picture recoloured to normal, selected, hint or answer.
#include "play/looks.h"

#include "board/tile_slots.h"
#include "play/play_platform.h"

std::recursive_mutex& LookMutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

void RecolorTile(int slot, int source1, int source2, int source3, int target, bool draw) {
    if (!IsValidSlot(slot)) {
        return;
    }
    LookLock lock(LookMutex());
    unsigned char* pixels = FacePixels(tileSlots[slot].face);
    if (pixels != nullptr) {
        const unsigned char a = static_cast<unsigned char>(source1);
        const unsigned char b = static_cast<unsigned char>(source2 != 0 ? source2 : source1);
        const unsigned char c = static_cast<unsigned char>(source3 != 0 ? source3 : source1);
        const unsigned char to = static_cast<unsigned char>(target);
        // Written without branches, so the compiler runs it over many pixels at once.
        for (int offset = kLookFirstOffset; offset < kLookEndOffset; ++offset) {
            const unsigned char index = pixels[offset];
            pixels[offset] = (index == a) | (index == b) | (index == c) ? to : index;
        }
    }
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
