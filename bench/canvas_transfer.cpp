// Times the screensaver's canvas transfer: the whole 640 x 480 canvas through its palette into a full-screen window, as every tick does.
// Usage: canvas_transfer [transfers]. Prints the median and the mean per transfer.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <vector>

#include "saver/resource.h"
#include "shell/bitmaps.h"

int main(int argc, char** argv) {
    const int transfers = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;
    const BitmapCopy* canvas = FindBitmap(IDB_CANVAS);
    HPALETTE palette = CreatePaletteFromBitmap(IDB_SAVER_FACE_FIRST, nullptr);
    if (canvas == nullptr || palette == nullptr) {
        std::printf("the saver's canvas or palette is missing\n");
        return 1;
    }
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                                  nullptr, nullptr, nullptr, nullptr);
    HDC dc = GetDC(window);
    HPALETTE previous = SelectPalette(dc, palette, FALSE);
    RealizePalette(dc);

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> ms;
    for (int n = 0; n < transfers; ++n) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        SetDIBitsToDevice(dc, (width - canvas->width) / 2, (height - canvas->height) / 2, canvas->width,
                          canvas->height, 0, 0, 0, canvas->height, canvas->pixels, canvas->info, DIB_RGB_COLORS);
        GdiFlush();
        QueryPerformanceCounter(&end);
        ms.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    SelectPalette(dc, previous, FALSE);
    ReleaseDC(window, dc);
    DestroyWindow(window);
    DeleteObject(palette);

    std::vector<double> sorted = ms;
    std::sort(sorted.begin(), sorted.end());
    std::printf("canvas transfer, %d times into a %dx%d window: median %.3f ms, mean %.3f ms, slowest %.3f ms\n",
                transfers, width, height, sorted[sorted.size() / 2],
                std::accumulate(ms.begin(), ms.end(), 0.0) / ms.size(), sorted.back());
    return 0;
}
