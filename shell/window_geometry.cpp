// Placing windows: centring on the desktop, sizing by the client area, and the main window's stored position.
#include "shell/window_geometry.h"

namespace {

// The outer size the main window is moved to at a stored position; the
// client size is set right after, so only the corner matters in the end.
constexpr int kStoredWidth = 640;
constexpr int kStoredHeight = 510;

// True when the strip along the top of the rectangle, where the caption
// would be, touches some monitor: the player can still take hold of the
// window there. A window moved partly past an edge keeps its place.
bool CaptionOnSomeMonitor(const RECT& window) {
    RECT caption = window;
    caption.bottom = caption.top + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFIXEDFRAME);
    return MonitorFromRect(&caption, MONITOR_DEFAULTTONULL) != nullptr;
}

}  // namespace

int CenterWindowOnDesktop(HWND window) {
    RECT desktop = {};
    RECT own = {};
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(window, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    const int x = (desktop.right - width) / 2;
    const int y = (desktop.bottom - height) / 2;
    SetWindowPos(window, HWND_TOP, x, y, width, height, SWP_HIDEWINDOW);
    return 0;
}

void SetClientAreaSize(HWND window, int width, int height, bool repaint) {
    // A menu bar wraps onto more or fewer rows when the width changes, which
    // changes the frame's height: measure again after the move and make up
    // the difference. The second pass is the last one needed.
    for (int pass = 0; pass < 2; ++pass) {
        RECT outer = {};
        RECT client = {};
        GetWindowRect(window, &outer);
        GetClientRect(window, &client);
        if (pass > 0 && client.right == width && client.bottom == height) {
            return;
        }
        MoveWindow(window, outer.left, outer.top, width + (outer.right - outer.left) - client.right,
                   height + (outer.bottom - outer.top) - client.bottom, repaint ? TRUE : FALSE);
    }
}

void PlaceMainWindow(HWND window, int storedX, int storedY) {
    HDC dc = GetDC(window);
    const int screenWidth = GetDeviceCaps(dc, HORZRES);
    const int screenHeight = GetDeviceCaps(dc, VERTRES);
    ReleaseDC(window, dc);

    // 0 in either key means no position was stored.
    bool stored = storedX != 0 && storedY != 0 && storedX < screenWidth && storedY < screenHeight;
    if (stored) {
        const RECT wouldBe = {storedX, storedY, storedX + kStoredWidth, storedY + kStoredHeight};
        // A position left by a monitor that is gone (or a hand-edited file)
        // would open the window where nobody can reach it.
        stored = CaptionOnSomeMonitor(wouldBe);
    }
    if (stored) {
        MoveWindow(window, storedX, storedY, kStoredWidth, kStoredHeight, FALSE);
    } else {
        CenterWindowOnDesktop(window);
    }
}
