// Placing windows: centring on the player's monitor, sizing by the client area, and the main window's stored position.
#include "shell/window_geometry.h"

namespace {

// The outer size the main window is moved to at a stored position; the
// client size is set right after, so only the corner matters in the end.
constexpr int kStoredWidth = 640;
constexpr int kStoredHeight = 510;

ScreenRect FromRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info) != 0) {
        MonitorList& monitors = *reinterpret_cast<MonitorList*>(list);
        const MonitorArea area = {FromRect(info.rcMonitor), FromRect(info.rcWork)};
        const bool primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
        monitors.insert(primary ? monitors.begin() : monitors.end(), area);
    }
    return TRUE;
}

}  // namespace

MonitorList DisplayMonitors() {
    MonitorList monitors;
    // A failed listing leaves the list empty, which the fallback below fills.
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    if (monitors.empty()) {
        RECT desktop = {};
        GetWindowRect(GetDesktopWindow(), &desktop);
        monitors.push_back({FromRect(desktop), FromRect(desktop)});
    }
    return monitors;
}

MonitorArea MonitorOfOwner(HWND window) {
    const MonitorList monitors = DisplayMonitors();
    HWND owner = GetWindow(window, GW_OWNER);
    // A minimised window's rectangle lies far off every monitor, and says
    // nothing of where the player looks.
    if (owner == nullptr || IsIconic(owner)) {
        return monitors.front();
    }
    RECT ownerRect = {};
    GetWindowRect(owner, &ownerRect);
    return MonitorHolding(monitors, FromRect(ownerRect));
}

int CenterWindowOnDesktop(HWND window) {
    RECT own = {};
    GetWindowRect(window, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    const ScreenPoint corner = CentredCorner(MonitorOfOwner(window).bounds, width, height);
    SetWindowPos(window, HWND_TOP, corner.x, corner.y, width, height, SWP_HIDEWINDOW);
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
    const int captionHeight = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFIXEDFRAME);
    if (StoredPositionUsable(DisplayMonitors(), {storedX, storedY}, kStoredWidth, captionHeight)) {
        MoveWindow(window, storedX, storedY, kStoredWidth, kStoredHeight, FALSE);
    } else {
        CenterWindowOnDesktop(window);
    }
}

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kBaseDpi;
}

int DpiOfWindow(HWND window) {
    // Looked up, as older systems do not have it; user32 is loaded already.
    using GetDpiForWindowFunction = UINT WINAPI(HWND);
    static auto* const dpiForWindow = reinterpret_cast<GetDpiForWindowFunction*>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    const UINT dpi = dpiForWindow != nullptr && window != nullptr ? dpiForWindow(window) : 0;
    return dpi != 0 ? static_cast<int>(dpi) : SystemDpi();
}

DisplayScale ScaleFittingWorkArea(HWND window, const RECT& place, int dpi, int width, int height) {
    RECT outer = {};
    RECT client = {};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    const int frameWidth = (outer.right - outer.left) - client.right;
    const int frameHeight = (outer.bottom - outer.top) - client.bottom;
    const ScreenRect work = MonitorHolding(DisplayMonitors(), FromRect(place)).work;
    return FittingScale(ScaleForDpi(dpi), width, height, frameWidth, frameHeight, work.right - work.left,
                        work.bottom - work.top);
}
