// Times the screensaver's whole canvas transfer, as a paint and every dissolve tick do it, through its palette into a full-screen window at 100%, 150% and 200%.
// Usage: canvas_transfer [transfers]. Prints the median and the mean per transfer at each scale.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <vector>

#include "saver/resource.h"
#include "shell/bitmaps.h"

namespace {

// The canvas the saver draws at each scale and the size it shows it at.
struct TransferRow {
    const char* scale;
    int canvasId;
    int shownWidth;
    int shownHeight;
};
constexpr TransferRow kTransfers[] = {
    {"100%", IDB_CANVAS, 640, 480},
    {"150%", IDB_CANVAS + kLargePictureIdOffset, 960, 720},  // the halftone stretch
    {"200%", IDB_CANVAS + kLargePictureIdOffset, 1280, 960},
};

// Milliseconds of each of `transfers` transfers of `canvas`, centred in the window.
std::vector<double> TimeTransfers(HWND window, HPALETTE palette, const BitmapCopy& canvas, const TransferRow& row,
                                  int transfers) {
    RECT client = {};
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> ms;
    for (int n = 0; n < transfers; ++n) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        DrawPictureInto(dc, palette, canvas, (client.right - row.shownWidth) / 2, (client.bottom - row.shownHeight) / 2,
                        row.shownWidth, row.shownHeight);
        GdiFlush();
        QueryPerformanceCounter(&end);
        ms.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    ReleaseDC(window, dc);
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    const int transfers = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;
    HPALETTE palette = CreatePaletteFromBitmap(IDB_SAVER_FACE_FIRST, nullptr);
    if (palette == nullptr) {
        std::printf("the saver's palette is missing\n");
        return 1;
    }
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                                  nullptr, nullptr, nullptr, nullptr);
    int status = 0;
    for (const TransferRow& row : kTransfers) {
        const BitmapCopy* canvas = FindBitmap(row.canvasId);
        if (canvas == nullptr) {
            std::printf("the saver's canvas for %s is missing\n", row.scale);
            status = 1;
            continue;
        }
        std::vector<double> ms = TimeTransfers(window, palette, *canvas, row, transfers);
        const double mean = std::accumulate(ms.begin(), ms.end(), 0.0) / static_cast<double>(ms.size());
        std::sort(ms.begin(), ms.end());
        std::printf("canvas transfer at %s, %dx%d shown as %dx%d, %d times into a %dx%d window: "
                    "median %.3f ms, mean %.3f ms, slowest %.3f ms\n",
                    row.scale, canvas->width, canvas->height, row.shownWidth, row.shownHeight, transfers, width,
                    height, ms[ms.size() / 2], mean, ms.back());
    }
    DestroyWindow(window);
    DeleteObject(palette);
    return status;
}
