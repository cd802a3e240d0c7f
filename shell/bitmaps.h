// The program's bitmap resources: one writable copy of each, logical palettes from their colour tables, and painting them.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "shell/display_scale.h"

// The program's own copy of one bitmap resource: header, colour table and
// pixel rows in one block, made on first use and kept until the process
// ends. Tile looks and the history picture are drawn into these pixels, and
// every later paint of the id shows them.
struct BitmapCopy {
    BITMAPINFO* info;       // the 40-byte header, its colour table right behind it
    unsigned char* pixels;  // bottom row first, rows of rowBytes
    int colorCount;
    int width;
    int height;
    std::size_t rowBytes;
};

// The copy of bitmap `id` of the running program, the same one at every call,
// or null when the program has no such bitmap or it is not one that can be
// drawn (see ParseDib). Safe to call from any thread.
BitmapCopy* FindBitmap(int id);

// Every picture is also carried drawn at twice its size, with the same
// colour table and the same meaning of every index, as bitmap id + 1000
// (IDB_LARGE_OFFSET of each program's resource script).
constexpr int kLargePictureIdOffset = 1000;

// The copy to draw bitmap `id` from at `scale` (in DPI, 96 for the pictures'
// own size): above 96 its double-size picture, or the picture itself where
// the program lacks the large one; null when both are missing.
BitmapCopy* FindBitmapForDpi(int id, int dpi);

// Draws `picture` into width x height at (x, y) of the device context, with
// the palette selected and realised as DrawBitmapPixels does: a 1:1 copy when
// the sizes agree, else averaged to the size (as the platform's halftone
// stretch would) and copied 1:1.
void DrawPictureInto(HDC dc, HPALETTE palette, const BitmapCopy& picture, int x, int y, int width, int height);

// The picture averaged to width x height (see ResamplePicture): 32-bit
// pixels, bottom row first, for DrawColourPixels. The platform's halftone
// stretch averages alike, but under Wine it took four times as long as a
// 1:1 copy of the double-size picture.
void ResampleBitmap(const BitmapCopy& picture, int width, int height, std::vector<uint32_t>& pixels);
// An 8-bit picture averaged to a size once and drawn 1:1 from then on. Its
// pixels of the indices first..last (a tile's looks) may all change to one
// of them at any time: the average keeps their share apart, so a change of
// that colour costs a blend, not another average.
class AveragedPicture {
public:
    AveragedPicture(int firstVarying, int lastVarying) : firstVarying_(firstVarying), lastVarying_(lastVarying) {}
    void Draw(HDC dc, int x, int y, const BitmapCopy& source, int width, int height);

private:
    void Average(const BitmapCopy& source, int width, int height);
    int firstVarying_;
    int lastVarying_;
    const BitmapCopy* source_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> fixed_;     // the other indices' colours, the varying ones as black
    std::vector<uint32_t> coverage_;  // how much of each pixel the varying ones cover, as grey
    int shownIndex_ = -1;
    std::vector<uint32_t> pixels_;    // as drawn, for shownIndex_
};

// Draws width x height 32-bit pixels, bottom row first, 1:1 at (x, y);
// nothing when their count is not width x height.
void DrawColourPixels(HDC dc, int x, int y, int width, int height, const std::vector<uint32_t>& pixels);

// The paint handler of a window that shows bitmap `id` over its whole client
// area: at 96 DPI as PaintBitmapResource; above, drawn from the double-size
// picture at the client's size.
void PaintPictureResource(HWND window, HPALETTE palette, int id, int colorCount, DisplayScale scale);

// A new picture of bitmap `id` for a control (a button's, a dialog's), its
// size the picture's own scaled, drawn from the double-size picture above
// 96 DPI. The caller owns it; null when the bitmap is missing.
HBITMAP CreatePictureForScale(int id, DisplayScale scale);

// Icon `id` of the running program at side x side pixels, shared (the
// system frees it): above 32 pixels from the icon drawn at twice the size
// (id + 1000) where the program carries it.
HICON LoadIconForSize(int id, int side);

// The colour count of the bitmap: its colours-used field when non-zero, else
// 2, 16, 256 or 0 for 1, 4, 8 or 24 bits per pixel. 0 for a missing bitmap.
int GetBitmapColorCount(int id);

// A new palette with one entry per colour of the bitmap's table; the caller
// owns it. Stores the colour count in *colorCount (when given). Null, with a
// count of 0, for a missing bitmap or one without a colour table.
HPALETTE CreatePaletteFromBitmap(int id, int* colorCount);

// A palette that a kind of picture window builds from its picture's colour
// table when its first window is created, and keeps until shut-down frees it.
struct HeldPalette {
    HPALETTE palette = nullptr;
    int colorCount = 0;

    // Builds it from bitmap `id` unless it is built already.
    void Build(int id);
    // Frees it; nothing when there is none.
    void Release();
};

// Draws header and pixels at (0, 0) of the device context at the picture's
// size, with the palette selected as a foreground palette and realised.
// The palette is deselected again before returning; a null palette draws
// with the context's current one.
void DrawBitmapPixels(HDC dc, HPALETTE palette, const BITMAPINFO* info, const unsigned char* pixels);

// The paint handler of a window that shows one bitmap: begins painting, draws
// the current copy of bitmap `id` at (0, 0) and ends painting. `colorCount`
// must be the bitmap's own colour count (the one CreatePaletteFromBitmap gave
// for the window's palette); a bitmap that is missing or does not match is
// not drawn, but the paint request is still answered.
void PaintBitmapResource(HWND window, HPALETTE palette, int id, int colorCount);

// Hands out the copy of the history field (bitmap 247) for composing: selects
// and realises the palette in the window's context, stores the copy's header
// (with its colour table behind it) in *header and returns its pixels. Null,
// with a null header, when the bitmap is missing or `colorCount` is not its own.
unsigned char* PrepareHistoryPicture(HWND window, HPALETTE palette, const BITMAPINFO** header, int colorCount);

// Like PaintBitmapResource, for pixels the caller holds: begins painting,
// draws `pixels` as described by `header` (and the colour table behind it)
// at (0, 0), and ends painting. Null header or pixels draw nothing.
void PaintBitmapBits(HWND window, HPALETTE palette, const BITMAPINFO* header, const unsigned char* pixels);
