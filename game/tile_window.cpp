// The tile windows: one small window per slot, shaped like a tile, showing the slot's face picture in its current look.
#include <windows.h>

#include <string>
#include <vector>

#include "board/positions.h"
#include "board/tile_slots.h"
#include "game/play_windows.h"
#include "play/keyboard_cursor.h"
#include "play/looks.h"
#include "play/selection.h"
#include "shell/bitmaps.h"
#include "shell/resource.h"
#include "shell/texts.h"

namespace {

// One palette for all 144 tiles, built from the first face's colour table
// (every face shares it); freed by the main window at shut-down.
HeldPalette tilePalette;

int FaceBitmapOf(int slot) { return IDB_FACE_FIRST + tileSlots[slot].face; }

// The face at the upper left, the tile's side showing to the right and below.
void ShapeAsTile(HWND window) {
    const DisplayScale& s = boardScale;
    const POINT outline[] = {{0, 0},
                             {s.Scaled(35), 0},
                             {s.Scaled(42), s.Scaled(13)},
                             {s.Scaled(42), s.Scaled(62)},
                             {s.Scaled(8), s.Scaled(62)},
                             {0, s.Scaled(49)}};
    HRGN region = CreatePolygonRgn(outline, 6, ALTERNATE);
    // On success the window owns the region; on failure it stays rectangular.
    if (region != nullptr && SetWindowRgn(window, region, TRUE) == 0) {
        DeleteObject(region);
    }
}

// Each face averaged to the tile's size at a scale between the pictures'
// sizes; a look changes only the background, which it blends anew.
std::vector<AveragedPicture> averagedFaces(kSlotCount, AveragedPicture(LookSelected, LookNormal));

// Draws the slot's face: today's picture 1:1 at 96 DPI, else the double-size
// one in the same look at the tile's scaled size (today's where the program
// lacks it).
void DrawFace(HDC dc, int slot) {
    const BitmapCopy* face = FindBitmap(FaceBitmapOf(slot));
    if (face == nullptr) return;
    if (boardScale.IsBase()) {
        DrawBitmapPixels(dc, tilePalette.palette, face->info, face->pixels);
        return;
    }
    const int number = tileSlots[slot].face;
    const BitmapCopy* source =
        LargeFaceInLook(number) != nullptr ? FindBitmap(FaceBitmapOf(slot) + kLargePictureIdOffset) : face;
    const int width = boardScale.Scaled(kTileWidth);
    const int height = boardScale.Scaled(kTileHeight);
    if (width == source->width && height == source->height) {
        DrawPictureInto(dc, tilePalette.palette, *source, 0, 0, width, height);
    } else {
        // The hint's worker draws too; the looks change under this lock.
        LookLock lock(LookMutex());
        averagedFaces[number].Draw(dc, 0, 0, *source, width, height);
    }
}

// One paint repaints every tile in slot order, which answers the pending
// paint requests of all of them at once.
void PaintAllTiles() {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        HWND window = WindowOfSlot(slot);
        if (window == nullptr) continue;
        if (boardScale.IsBase()) {
            PaintBitmapResource(window, tilePalette.palette, FaceBitmapOf(slot), tilePalette.colorCount);
            continue;
        }
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        DrawFace(dc, slot);
        EndPaint(window, &paint);
    }
}

// The large faces handed out to the looks so far: each took on its face's
// look then, and every look since was drawn into both pictures.
bool largeFaceInLook[kSlotCount] = {};

// The look a face picture shows: the first look index in its face area.
unsigned char LookOf(const unsigned char* pixels) {
    for (int offset = kLookFirstOffset; offset < kLookEndOffset; ++offset) {
        const unsigned char index = pixels[offset];
        if (index >= LookSelected && index <= LookNormal) return index;
    }
    return LookNormal;
}

}  // namespace

unsigned char* LargeFaceInLook(int face) {
    if (face < 0 || face >= kSlotCount) return nullptr;
    BitmapCopy* large = FindBitmap(IDB_FACE_FIRST + face + kLargePictureIdOffset);
    const BitmapCopy* own = FindBitmap(IDB_FACE_FIRST + face);
    // Looks are drawn into fixed byte ranges: only pictures of the drawn size take them.
    if (large == nullptr || own == nullptr || large->width != 2 * kTileWidth || large->height != 2 * kTileHeight ||
        own->width != kTileWidth || own->height != kTileHeight) {
        return nullptr;
    }
    LookLock lock(LookMutex());
    if (!largeFaceInLook[face]) {
        largeFaceInLook[face] = true;
        const unsigned char look = LookOf(own->pixels);
        for (int offset = kLargeLookFirstOffset; offset < kLargeLookEndOffset; ++offset) {
            unsigned char& index = large->pixels[offset];
            if (index >= LookSelected && index <= LookNormal) index = look;
        }
    }
    return large->pixels;
}

HWND WindowOfSlot(int slot) {
    return IsValidSlot(slot) ? reinterpret_cast<HWND>(static_cast<intptr_t>(tileSlots[slot].window)) : nullptr;
}

void CreateTileWindows(HWND mainWindow, bool show) {
    if (tileSlots[0].window != 0) {
        return;
    }
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(mainWindow, GWLP_HINSTANCE));
    // A new child goes below its siblings, so creating from the top slot down
    // leaves every higher slot above the lower ones it overlaps.
    for (int slot = kSlotCount - 1; slot >= 0; --slot) {
        const TilePlacement where = ScaledPlacement(
            TilePlacement{tileRects[slot].left, tileRects[slot].top, kTileWidth, kTileHeight});
        HWND window = CreateWindowExW(0, kTileWindowClass, L"", WS_CHILD | WS_CLIPSIBLINGS, where.left, where.top,
                                      where.width, where.height, mainWindow,
                                      reinterpret_cast<HMENU>(static_cast<intptr_t>(IDC_TILE_WINDOW)), instance,
                                      nullptr);
        // Window handles fit in 32 bits on 64-bit Windows too.
        tileSlots[slot].window = static_cast<int32_t>(reinterpret_cast<intptr_t>(window));
        if (window == nullptr) {
            continue;
        }
        ShapeAsTile(window);
        if (show) {
            NameTileWindow(slot);
            ShowWindow(window, SW_SHOWNA);
        }
    }
}

void NameTileWindow(int slot) {
    HWND window = WindowOfSlot(slot);
    if (window == nullptr) {
        return;
    }
    std::wstring name = kKindNames[KindOfFace(tileSlots[slot].face)];
    if (tileSlots[slot].state == 1) {
        name += kSelectedTileSuffix;
    }
    wchar_t current[32] = {};
    GetWindowTextW(window, current, 32);
    if (name != current) {
        SetWindowTextW(window, name.c_str());
        // The platform does not tell of a changed window text by itself.
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
    }
}

void DrawTileNow(int slot) {
    HWND window = WindowOfSlot(slot);
    if (window == nullptr) return;
    HDC dc = GetDC(window);
    DrawFace(dc, slot);
    ReleaseDC(window, dc);
    // A drawn look may come with a change of selection, which the rules make
    // after drawing; posted, the name follows once it is made. The hint's
    // worker draws too, and must not wait for the window thread.
    PostMessageW(window, kTileRenameMessage, 0, 0);
}

void ShapeTileWindows() {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (HWND window = WindowOfSlot(slot)) ShapeAsTile(window);
    }
}

void ReleaseTilePalette() {
    tilePalette.Release();
}

LRESULT CALLBACK TileWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        tilePalette.Build(IDB_FACE_FIRST);
        return 0;
    case WM_PAINT:
        PaintAllTiles();
        // A window that holds no slot (yet) must still answer its paint.
        ValidateRect(window, nullptr);
        return 0;
    case WM_LBUTTONDOWN:
        HideCursorForMouse();
        ClickTile(SlotOfWindow(static_cast<int>(reinterpret_cast<intptr_t>(window))));
        return 0;
    case WM_RBUTTONDOWN:
        SendMessageW(GetParent(window), WM_COMMAND, IDM_HINT, 0);
        return 0;
    case WM_KEYDOWN:
        // The tile under the keyboard cursor has the focus; the main window
        // handles every key.
        SendMessageW(GetParent(window), WM_KEYDOWN, wParam, lParam);
        return 0;
    case kTileRenameMessage:
        NameTileWindow(SlotOfWindow(static_cast<int>(reinterpret_cast<intptr_t>(window))));
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
