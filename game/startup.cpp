// The game's start-up: its window classes, the main window placed where the player left it, and the message loop.
#include "game/startup.h"

#include "board/tile_slots.h"
#include "game/history_window.h"
#include "game/picture_windows.h"
#include "game/play_windows.h"
#include "shell/bitmaps.h"
#include "shell/resource.h"
#include "shell/settings.h"
#include "shell/texts.h"
#include "shell/window_geometry.h"

namespace {

// The felt behind the board and the victory picture: a pattern brush of the
// 8 x 8 felt picture, one per class, kept until the process ends.
HBRUSH FeltBrush(HINSTANCE instance) {
    HBITMAP felt = static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(IDB_FELT), IMAGE_BITMAP, 0, 0, 0));
    return felt != nullptr ? CreatePatternBrush(felt) : nullptr;
}

enum class ClassCursor { Arrow, Hand, None };
// Hollow is the null stock brush: erasing paints nothing, so the board shows
// through until the picture is drawn.
enum class ClassBackground { None, Felt, Hollow };

struct WindowClass {
    const wchar_t* name;
    WNDPROC procedure;
    bool crownIcon;
    ClassCursor cursor;
    ClassBackground background;
};

constexpr WindowClass kClasses[] = {
    // The main window's menu is not the class's: its creation attaches it
    // once the selection dialog has been answered (SetUp in game/main_window.cpp).
    {kMainWindowClass, MainWindowProc, true, ClassCursor::Arrow, ClassBackground::Felt},
    {kHistoryWindowClass, HistoryWindowProc, false, ClassCursor::None, ClassBackground::None},
    {kVictoryWindowClass, VictoryWindowProc, false, ClassCursor::Hand, ClassBackground::Felt},
    {kDeadlockWindowClass, DeadlockWindowProc, false, ClassCursor::Hand, ClassBackground::Hollow},
    {kTileWindowClass, TileWindowProc, false, ClassCursor::Hand, ClassBackground::None},
    {kCursorWindowClass, CursorWindowProc, false, ClassCursor::Hand, ClassBackground::None},
};

HCURSOR ClassCursorOf(HINSTANCE instance, ClassCursor cursor) {
    switch (cursor) {
    case ClassCursor::Arrow:
        return LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    case ClassCursor::Hand:
        return LoadCursorW(instance, MAKEINTRESOURCEW(IDC_POINTING_HAND));
    case ClassCursor::None:
        break;
    }
    return nullptr;
}

HBRUSH ClassBackgroundOf(HINSTANCE instance, ClassBackground background) {
    switch (background) {
    case ClassBackground::Felt:
        return FeltBrush(instance);
    case ClassBackground::Hollow:
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    case ClassBackground::None:
        break;
    }
    return nullptr;
}

}  // namespace

void RegisterGameClasses(HINSTANCE instance) {
    for (const WindowClass& row : kClasses) {
        WNDCLASSEXW windowClass = {};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_HREDRAW | CS_VREDRAW;
        windowClass.lpfnWndProc = row.procedure;
        windowClass.hInstance = instance;
        if (row.crownIcon) {
            windowClass.hIcon = LoadIconForSize(IDI_CROWN, GetSystemMetrics(SM_CXICON));
            windowClass.hIconSm = LoadIconForSize(IDI_CROWN, GetSystemMetrics(SM_CXSMICON));
        }
        windowClass.hCursor = ClassCursorOf(instance, row.cursor);
        windowClass.hbrBackground = ClassBackgroundOf(instance, row.background);
        windowClass.lpszClassName = row.name;
        // A class that cannot be registered shows up as a window that cannot be made.
        RegisterClassExW(&windowClass);
    }
}

HWND StartGameWindow(HINSTANCE instance, int showState) {
    currentArrangement = 0;
    harderDeal = 0;
    const int storedX = GetSettingInt(L"Pos", L"X", 0, kSettingsFileName);
    const int storedY = GetSettingInt(L"Pos", L"Y", 0, kSettingsFileName);
    // Made where it was left, so the start-up dialogs, shown during its
    // creation, centre on the monitor the game comes back on; placed for good
    // once they are over.
    const bool stored = storedX != 0 && storedY != 0;
    HWND window = CreateWindowExW(0, kMainWindowClass, kProductName,
                                  WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                  stored ? storedX : CW_USEDEFAULT, stored ? storedY : CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return nullptr;
    }
    PlaceMainWindow(window, storedX, storedY);
    SetClientAreaSize(window, boardScale.Scaled(kMainClientWidth), boardScale.Scaled(kMainClientHeight), true);
    ShowWindow(window, showState);
    UpdateWindow(window);
    return window;
}


