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

static_assert(IDB_LARGE_OFFSET == kLargePictureIdOffset, "the resource script's large ids are the pictures' own");

namespace {

// The one saver window of the process and what it owns.
struct SaverWindow {
    HWND window = nullptr;
    HeldPalette palette;                       // built from the first face's colours
    const BitmapCopy* canvasPicture = nullptr;  // its header and colours describe the canvas, at its scale
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

// The bitmap id of the pictures at a canvas scale: the double-size ones are
// carried beside the others.
int IdAtScale(int id, int scale) { return scale == 1 ? id : id + kLargePictureIdOffset; }

const BitmapCopy* CanvasPicture(int scale) {
    const CanvasLook look{scale};
    return PictureOfSize(IdAtScale(IDB_CANVAS, scale), look.width(), look.height(),
                         static_cast<std::size_t>(look.width()));
}

// The tile pictures at a canvas scale: faces 0..35, then the back.
bool FindTilePictures(TilePictures& pictures, int scale) {
    const CanvasLook look{scale};
    for (int face = 0; face <= kFaceCount; ++face) {
        const int id = face < kFaceCount ? IDB_SAVER_FACE_FIRST + face : IDB_TILE_BACK;
        const BitmapCopy* picture = PictureOfSize(IdAtScale(id, scale), look.pictureWidth(), look.pictureHeight(),
                                                  static_cast<std::size_t>(look.pictureStride()));
        if (picture == nullptr) return false;
        pictures[face] = picture->pixels;
    }
    return true;
}

// Whether every double-size picture is there and sound. One missing or
// damaged leaves the whole canvas at its own size, stretched, so no tile
// ever looks different from the others or shows blank.
bool LargePicturesFound() {
    TilePictures unused{};
    return CanvasPicture(kLargeCanvasScale) != nullptr && FindTilePictures(unused, kLargeCanvasScale);
}

bool IsPreview(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0; }

// Where the picture stands centred, in client coordinates: a full-screen
// window spans every monitor, and the picture belongs in the middle of the
// primary one rather than across a bezel; a preview centres it in its own
// small window.
ScreenRect PictureArea(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    if (IsPreview(window)) {
        return {0, 0, client.right, client.bottom};
    }
    POINT corner = {0, 0};
    ClientToScreen(window, &corner);
    return PrimaryPartOfClient(DisplayMonitors(),
                               {corner.x, corner.y, corner.x + client.right, corner.y + client.bottom});
}

// Transfers a part of the canvas to where it is shown, through the palette,
// with the canvas picture's own colour table: a 1:1 copy at 100% and 200%,
// the halftone stretch otherwise. Source rows count from the bottom, as the
// canvas is stored.
void TransferCanvas(HDC dc, const uint8_t* canvas, const CanvasRect& changed) {
    const CanvasLook& look = saver.animation.look;
    const PartTransfer part = TransferOfPart(look, saver.animation.origin, changed);
    const int sourceWidth = part.source.right - part.source.left;
    const int sourceHeight = part.source.bottom - part.source.top;
    const int sourceBottom = look.height() - part.source.bottom;
    const BITMAPINFO* info = saver.canvasPicture->info;
    HPALETTE previous = saver.palette.palette != nullptr ? SelectPalette(dc, saver.palette.palette, FALSE) : nullptr;
    RealizePalette(dc);  // nothing to realise on true-colour displays
    if (look.shownWidth == look.width() && look.shownHeight == look.height()) {
        SetDIBitsToDevice(dc, part.target.left, part.target.top, static_cast<DWORD>(sourceWidth),
                          static_cast<DWORD>(sourceHeight), part.source.left, sourceBottom, 0,
                          static_cast<UINT>(look.height()), canvas, info, DIB_RGB_COLORS);
    } else {
        // The brush origin must be set after the mode is chosen.
        const int previousMode = SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchDIBits(dc, part.target.left, part.target.top, part.target.right - part.target.left,
                      part.target.bottom - part.target.top, part.source.left, sourceBottom, sourceWidth, sourceHeight,
                      canvas, info, DIB_RGB_COLORS, SRCCOPY);
        SetStretchBltMode(dc, previousMode);
    }
    if (previous != nullptr) SelectPalette(dc, previous, FALSE);
}

void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    TransferCanvas(dc, saver.animation.canvas.data(), kWholeCanvas);
    EndPaint(window, &paint);
    // The first paint starts the cycle; a later one re-arms a build's timer.
    SendMessageW(window, kAdvanceMessage, 0, 0);
}

void TearDown() {
    KillTimer(saver.window, kAnimationTimerId);
    saver.palette.Release();
}

// Set-up at creation, at the primary monitor's DPI as the system reports it.
bool SetUp(HWND window) { return SetUpSaverWindow(window, SystemDpi(), PictureArea(window), IsPreview(window)); }

}  // namespace

bool SetUpSaverWindow(HWND window, int dpi, const ScreenRect& pictureArea, bool preview) {
    // The double-size pictures are looked at only where they would be drawn.
    CanvasLook look = CanvasLookFor(dpi, pictureArea, preview, true);
    if (look.scale != 1 && !LargePicturesFound()) look = CanvasLookFor(dpi, pictureArea, preview, false);
    TilePictures pictures{};
    saver.canvasPicture = CanvasPicture(look.scale);
    if (saver.canvasPicture == nullptr || !FindTilePictures(pictures, look.scale)) return false;
    saver.window = window;
    saver.random.Seed(static_cast<uint32_t>(std::time(nullptr)));
    saver.palette.Build(IDB_SAVER_FACE_FIRST);
    const std::span<const uint8_t> canvasPixels(saver.canvasPicture->pixels, static_cast<std::size_t>(look.pixels()));
    StartAnimation(saver.animation, saver.random, canvasPixels, pictures, pictureArea, ReadSaverSoundSwitch(), look);
    return true;
}

SaverAnimation& SaverWindowAnimation() { return saver.animation; }

int ReadSaverSoundSwitch() {
    const std::optional<std::wstring> text = GetSettingText(L"SOUND", L"sound", kSettingsFileName);
    int value = 0;
    return !text || (ParseSettingInt(*text, value) && value == 1) ? 1 : 0;
}

HWND SaverWindowHandle() { return saver.window; }

void DrawCanvas(HDC dc, const uint8_t* canvas, const CanvasRect& changed) { TransferCanvas(dc, canvas, changed); }

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
