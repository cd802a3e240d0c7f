// The keyboard cursor's frame: a ring around the tile under the cursor, above every tile and below the victory and deadlock pictures.
#include <windows.h>

#include "game/play_windows.h"
#include "shell/resource.h"

namespace {

// Magenta: none of the tiles' four looks, the felt or the faces' ink uses it.
constexpr COLORREF kFrameColor = RGB(255, 0, 255);
constexpr int kFrameWidth = 3;  // at 96 DPI

int FrameWidth() { return boardScale.Scaled(kFrameWidth); }

HWND frameWindow = nullptr;
int focusedSlot = -1;  // the slot last given the keyboard focus, while the frame shows

// Where the tile's window stands now, in the main window's client area.
RECT TileRect(HWND tile) {
    RECT rect = {};
    GetWindowRect(tile, &rect);
    MapWindowPoints(nullptr, GetParent(tile), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The tile's outline as its window shows it: the tile shape, cut to the
// window's size in the view in force, at (x, y).
HRGN TileShape(int width, int height, int x, int y) {
    const DisplayScale& s = boardScale;
    const POINT outline[] = {{x, y},
                             {x + s.Scaled(35), y},
                             {x + s.Scaled(42), y + s.Scaled(13)},
                             {x + s.Scaled(42), y + s.Scaled(62)},
                             {x + s.Scaled(8), y + s.Scaled(62)},
                             {x, y + s.Scaled(49)}};
    HRGN shape = CreatePolygonRgn(outline, 6, ALTERNATE);
    HRGN window = CreateRectRgn(x, y, x + width, y + height);
    CombineRgn(shape, shape, window, RGN_AND);
    DeleteObject(window);
    return shape;
}

// The ring: the tile's shape moved by the frame's width every way, less the shape itself.
HRGN FrameRegion(int width, int height) {
    HRGN ring = CreateRectRgn(0, 0, 0, 0);
    const int frame = FrameWidth();
    for (int dx = 0; dx <= 2 * frame; dx += frame) {
        for (int dy = 0; dy <= 2 * frame; dy += frame) {
            HRGN moved = TileShape(width, height, dx, dy);
            CombineRgn(ring, ring, moved, RGN_OR);
            DeleteObject(moved);
        }
    }
    HRGN inner = TileShape(width, height, frame, frame);
    CombineRgn(ring, ring, inner, RGN_DIFF);
    DeleteObject(inner);
    return ring;
}

}  // namespace

void CreateCursorWindow(HWND mainWindow) {
    if (frameWindow != nullptr) {
        return;
    }
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(mainWindow, GWLP_HINSTANCE));
    frameWindow = CreateWindowExW(0, kCursorWindowClass, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, mainWindow,
                                  reinterpret_cast<HMENU>(static_cast<intptr_t>(IDC_CURSOR_WINDOW)), instance,
                                  nullptr);
}

void ForgetCursorWindow() {
    frameWindow = nullptr;
    focusedSlot = -1;
}

void FrameTileWindow(int slot) {
    HWND tile = WindowOfSlot(slot);
    if (frameWindow == nullptr || tile == nullptr) {
        return;
    }
    const RECT where = TileRect(tile);
    const int tileWidth = where.right - where.left;
    const int tileHeight = where.bottom - where.top;
    const int frame = FrameWidth();
    SetWindowPos(frameWindow, nullptr, where.left - frame, where.top - frame, tileWidth + 2 * frame,
                 tileHeight + 2 * frame, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    HRGN ring = FrameRegion(tileWidth, tileHeight);
    // On success the window owns the region.
    if (SetWindowRgn(frameWindow, ring, TRUE) == 0) {
        DeleteObject(ring);
    }
    if (focusedSlot != slot) {
        focusedSlot = slot;
        SetFocus(tile);
    }
}

void HideCursorWindow() {
    focusedSlot = -1;
    if (frameWindow != nullptr) {
        ShowWindow(frameWindow, SW_HIDE);
    }
}

LRESULT CALLBACK CursorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCHITTEST:
        // Clicks on the ring go to the tiles beneath it.
        return HTTRANSPARENT;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        // The stock brush of the device context: nothing to create or free.
        SetDCBrushColor(dc, kFrameColor);
        FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        EndPaint(window, &paint);
        return 0;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
