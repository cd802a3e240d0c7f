// The screensaver's window procedure: it sets up the animation, shows its canvas and drives it by the timer and the advance message.
#include "saver/saver_window.h"

#include <windows.h>

#include <ctime>

#include "saver/animation.h"
#include "saver/resource.h"
#include "saver/saver_host.h"
#include "shell/bitmaps.h"
#include "shell/settings.h"
#include "shell/window_geometry.h"

namespace {

// The one saver window of the process and what it owns.
struct SaverWindow {
    HWND window = nullptr;
    HeldPalette palette;                       // built from the first face's colours
    const BitmapCopy* canvasPicture = nullptr;  // its header and colours describe the canvas
    RandomSequence random;
    SaverAnimation animation;
};
SaverWindow saver;

// A picture the animation can draw from: 8-bit, of the expected size, with
// lines of the expected length.
const BitmapCopy* PictureOfSize(int id, int width, int height, std::size_t rowBytes) {
    const BitmapCopy* picture = FindBitmap(id);
    const bool fits = picture != nullptr && picture->width == width && picture->height == height &&
                      picture->rowBytes == rowBytes && picture->info->bmiHeader.biBitCount == 8;
    return fits ? picture : nullptr;
}

// The tile pictures: faces 0..35, then the back.
bool FindTilePictures(TilePictures& pictures) {
    for (int face = 0; face <= kFaceCount; ++face) {
        const int id = face < kFaceCount ? IDB_SAVER_FACE_FIRST + face : IDB_TILE_BACK;
        const BitmapCopy* picture = PictureOfSize(id, kPictureWidth, kPictureHeight, kPictureStride);
        if (picture == nullptr) return false;
        pictures[face] = picture->pixels;
    }
    return true;
}

// Where the picture stands centred, in client coordinates: a full-screen
// window spans every monitor, and the picture belongs in the middle of the
// primary one rather than across a bezel; a preview centres it in its own
// small window.
ScreenRect PictureArea(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    if ((GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0) {
        return {0, 0, client.right, client.bottom};
    }
    POINT corner = {0, 0};
    ClientToScreen(window, &corner);
    return PrimaryPartOfClient(DisplayMonitors(),
                               {corner.x, corner.y, corner.x + client.right, corner.y + client.bottom});
}

// Set-up at creation. A program whose pictures are damaged makes no window
// rather than draw from missing pixels.
bool SetUp(HWND window) {
    TilePictures pictures{};
    saver.canvasPicture = PictureOfSize(IDB_CANVAS, kCanvasWidth, kCanvasHeight, kCanvasWidth);
    if (saver.canvasPicture == nullptr || !FindTilePictures(pictures)) return false;
    saver.window = window;
    saver.random.Seed(static_cast<uint32_t>(std::time(nullptr)));
    saver.palette.Build(IDB_SAVER_FACE_FIRST);
    const std::span<const uint8_t> canvasPixels(saver.canvasPicture->pixels, kCanvasPixels);
    StartAnimation(saver.animation, saver.random, canvasPixels, pictures, PictureArea(window), ReadSaverSoundSwitch());
    return true;
}

// Transfers the whole canvas at the origin, through the palette, with the
// canvas picture's own colour table.
void TransferCanvas(HDC dc, const uint8_t* canvas) {
    HPALETTE previous = saver.palette.palette != nullptr ? SelectPalette(dc, saver.palette.palette, FALSE) : nullptr;
    RealizePalette(dc);
    SetDIBitsToDevice(dc, saver.animation.origin.x, saver.animation.origin.y, kCanvasWidth, kCanvasHeight, 0, 0, 0,
                      kCanvasHeight, canvas, saver.canvasPicture->info, DIB_RGB_COLORS);
    if (previous != nullptr) SelectPalette(dc, previous, FALSE);
}

void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    TransferCanvas(dc, saver.animation.canvas.data());
    EndPaint(window, &paint);
    // The first paint starts the cycle; a later one re-arms a build's timer.
    SendMessageW(window, kAdvanceMessage, 0, 0);
}

void TearDown() {
    KillTimer(saver.window, kAnimationTimerId);
    saver.palette.Release();
}

}  // namespace

int ReadSaverSoundSwitch() {
    const std::optional<std::wstring> text = GetSettingText(L"SOUND", L"sound", kSettingsFileName);
    int value = 0;
    return !text || (ParseSettingInt(*text, value) && value == 1) ? 1 : 0;
}

HWND SaverWindowHandle() { return saver.window; }

void DrawCanvas(HDC dc, const uint8_t* canvas) { TransferCanvas(dc, canvas); }

LRESULT WINAPI ScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        if (!SetUp(window)) return -1;
        break;
    case WM_PAINT:
        Paint(window);
        break;
    case WM_TIMER:
        TickAnimation(saver.animation);
        break;
    case kAdvanceMessage:
        AdvanceAnimation(saver.animation);
        break;
    case WM_DESTROY:
        TearDown();
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefScreenSaverProc(window, message, wParam, lParam);
}

// The saver has no settings of its own: its dialog takes everything.
BOOL WINAPI ScreenSaverConfigureDialog(HWND, UINT, WPARAM, LPARAM) { return TRUE; }

BOOL WINAPI RegisterDialogClasses(HANDLE) { return TRUE; }
