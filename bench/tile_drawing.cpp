// Times the game's tile drawing at display scales 1, 1.5 and 2: all 144 faces drawn (the paint of a new deal), and one tile recoloured by the rules and drawn (a click, the hint's green).
// Usage: tile_drawing [rounds]. Prints the median per round for each scale.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "board/positions.h"
#include "board/tile_slots.h"
#include "play/looks.h"
#include "play/play_platform.h"
#include "shell/bitmaps.h"
#include "shell/resource.h"

namespace {

// The drawing the bench looks at: one window standing for the board, every
// face drawn at its slot's place as the tile windows draw it.
HWND board = nullptr;
HDC boardDc = nullptr;
HPALETTE palette = nullptr;
DisplayScale scale;

// As the tile windows draw: 1:1 where the sizes agree, else the face
// averaged once, its look blended in.
std::vector<AveragedPicture> averaged(kSlotCount, AveragedPicture(LookSelected, LookNormal));

void DrawFaceAt(int slot) {
    const int id = IDB_FACE_FIRST + tileSlots[slot].face;
    const BitmapCopy* picture = FindBitmapForDpi(id, scale.dpi);
    if (picture == nullptr) return;
    const int x = scale.Scaled(tileRects[slot].left);
    const int y = scale.Scaled(tileRects[slot].top);
    const int width = scale.Scaled(kTileWidth);
    const int height = scale.Scaled(kTileHeight);
    if (width == picture->width) {
        DrawPictureInto(boardDc, palette, *picture, x, y, width, height);
    } else {
        averaged[static_cast<std::size_t>(slot)].Draw(boardDc, x, y, *picture, width, height);
    }
}

double MedianMs(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

template <typename Work>
double TimeMs(Work work) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    work();
    GdiFlush();
    QueryPerformanceCounter(&end);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

// The play seam as far as looks reach it: the real pictures, drawn at once.
unsigned char* FacePixels(int face) {
    BitmapCopy* copy = FindBitmap(IDB_FACE_FIRST + face);
    return copy != nullptr ? copy->pixels : nullptr;
}
unsigned char* LargeFacePixels(int face) {
    BitmapCopy* copy = scale.IsBase() ? nullptr : FindBitmap(IDB_FACE_FIRST + face + kLargePictureIdOffset);
    return copy != nullptr ? copy->pixels : nullptr;
}
void DrawTile(int slot) { DrawFaceAt(slot); }

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    currentArrangement = 1;
    ComputeTileRects();
    for (int slot = 0; slot < kSlotCount; ++slot) tileSlots[slot].face = slot;
    palette = CreatePaletteFromBitmap(IDB_FACE_FIRST, nullptr);
    board = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 1280, 960, nullptr, nullptr, nullptr,
                            nullptr);
    boardDc = GetDC(board);
    if (palette == nullptr || boardDc == nullptr) {
        std::printf("the faces' palette or the board window is missing\n");
        return 1;
    }
    std::printf("%-6s %24s %28s\n", "scale", "all 144 tiles drawn (ms)", "one tile recoloured (ms)");
    for (int dpi : {96, 144, 192}) {
        scale = DisplayScale{dpi};
        std::vector<double> all, one;
        for (int round = 0; round < rounds; ++round) {
            all.push_back(TimeMs([] {
                for (int slot = 0; slot < kSlotCount; ++slot) DrawFaceAt(slot);
            }));
            const int slot = round % kSlotCount;
            one.push_back(TimeMs([slot] { RecolorTile(slot, LookNormal, 0, 0, LookHint, true); }));
            RecolorTile(slot, LookHint, 0, 0, LookNormal, false);
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        }
        std::printf("%-6.2f %24.3f %28.3f\n", dpi / 96.0, MedianMs(all), MedianMs(one));
    }
    ReleaseDC(board, boardDc);
    DestroyWindow(board);
    DeleteObject(palette);
    return 0;
}
