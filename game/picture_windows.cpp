// The victory and deadlock pictures: an oval over the board and a narrow strip beside it, hidden again by a click.
#include "game/picture_windows.h"

#include "game/play_windows.h"
#include "shell/bitmaps.h"
#include "shell/resource.h"
#include "shell/texts.h"

namespace {

struct PictureWindow {
    const wchar_t* className;
    const wchar_t* name;  // for screen readers
    int bitmap;
    int id;
    RECT place;  // in the main window's client area
    bool oval;   // shaped as the ellipse inscribed in its rectangle
    HWND PlayWindows::*handle;
};

enum PictureIndex { kVictory, kDeadlock, kPictureCount };

constexpr PictureWindow kPictures[kPictureCount] = {
    {kVictoryWindowClass, kVictoryPictureName, IDB_VICTORY, IDC_VICTORY_WINDOW, {70, 110, 570, 360}, true, &PlayWindows::victory},
    {kDeadlockWindowClass, kDeadlockPictureName, IDB_DEADLOCK, IDC_DEADLOCK_WINDOW, {577, 33, 609, 177}, false, &PlayWindows::deadlock},
};

// Each picture's palette, from its own colour table.
HeldPalette picturePalettes[kPictureCount];

// Where a picture stands at the board's scale, in the main window's client area.
TilePlacement ScaledPlace(const PictureWindow& picture) {
    const RECT& place = picture.place;
    return ScaledPlacement({place.left, place.top, place.right - place.left, place.bottom - place.top});
}

// Puts the window at its scaled place, the oval one shaped as its ellipse.
void PlacePicture(const PictureWindow& picture, HWND window) {
    const TilePlacement where = ScaledPlace(picture);
    SetWindowPos(window, nullptr, where.left, where.top, where.width, where.height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (!picture.oval) return;
    HRGN region = CreateEllipticRgn(0, 0, where.width, where.height);
    // On success the window owns the region; on failure it stays rectangular.
    if (region != nullptr && SetWindowRgn(window, region, TRUE) == 0) {
        DeleteObject(region);
    }
}

void CreatePictureWindow(PictureIndex index, HWND mainWindow) {
    const PictureWindow& picture = kPictures[index];
    if (playWindows.*picture.handle != nullptr) {
        return;
    }
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(mainWindow, GWLP_HINSTANCE));
    HWND window = CreateWindowExW(0, picture.className, picture.name, WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                                  mainWindow, reinterpret_cast<HMENU>(static_cast<intptr_t>(picture.id)), instance,
                                  nullptr);
    playWindows.*picture.handle = window;
    if (window != nullptr) PlacePicture(picture, window);
}

LRESULT PictureWindowProc(PictureIndex index, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    HeldPalette& own = picturePalettes[index];
    switch (message) {
    case WM_CREATE:
        own.Build(kPictures[index].bitmap);
        return 0;
    case WM_PAINT:
        PaintPictureResource(window, own.palette, kPictures[index].bitmap, own.colorCount, boardScale);
        return 0;
    case WM_LBUTTONDOWN:
        ShowWindow(window, SW_HIDE);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK VictoryWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return PictureWindowProc(kVictory, window, message, wParam, lParam);
}

LRESULT CALLBACK DeadlockWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return PictureWindowProc(kDeadlock, window, message, wParam, lParam);
}

void CreateVictoryWindow(HWND mainWindow) { CreatePictureWindow(kVictory, mainWindow); }
void CreateDeadlockWindow(HWND mainWindow) { CreatePictureWindow(kDeadlock, mainWindow); }

void PlacePictureWindows() {
    for (const PictureWindow& picture : kPictures) {
        if (HWND window = playWindows.*picture.handle) PlacePicture(picture, window);
    }
}

void ReleasePicturePalettes() {
    for (HeldPalette& own : picturePalettes) own.Release();
}
