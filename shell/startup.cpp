// The game's start-up: its window classes, the main window placed where the player left it, and the message loop.
#include "shell/startup.h"

#include "board/tile_slots.h"
#include "play/play_windows.h"
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

struct WindowClass {
    const wchar_t* name;
    WNDPROC procedure;
    bool crownIcon;
    bool handCursor;
    bool feltBackground;
    bool mainMenu;
};

// The history, victory and deadlock windows' classes join this table with
// their windows.
constexpr WindowClass kClasses[] = {
    {kMainWindowClass, MainWindowProc, true, false, true, true},
    {kTileWindowClass, TileWindowProc, false, true, false, false},
};

}  // namespace

void RegisterGameClasses(HINSTANCE instance) {
    for (const WindowClass& row : kClasses) {
        WNDCLASSEXW windowClass = {};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_HREDRAW | CS_VREDRAW;
        windowClass.lpfnWndProc = row.procedure;
        windowClass.hInstance = instance;
        if (row.crownIcon) {
            windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_CROWN));
            windowClass.hIconSm = static_cast<HICON>(
                LoadImageW(instance, MAKEINTRESOURCEW(IDI_CROWN), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                           GetSystemMetrics(SM_CYSMICON), 0));
        }
        windowClass.hCursor = row.handCursor ? LoadCursorW(instance, MAKEINTRESOURCEW(IDC_POINTING_HAND))
                                             : LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        windowClass.hbrBackground = row.feltBackground ? FeltBrush(instance) : nullptr;
        windowClass.lpszMenuName = row.mainMenu ? MAKEINTRESOURCEW(IDM_MAIN_MENU) : nullptr;
        windowClass.lpszClassName = row.name;
        // A class that cannot be registered shows up as a window that cannot be made.
        RegisterClassExW(&windowClass);
    }
}

HWND StartGameWindow(HINSTANCE instance, int showState) {
    currentArrangement = 0;
    harderDeal = 0;
    HWND window = CreateWindowExW(0, kMainWindowClass, kProductName,
                                  WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return nullptr;
    }
    PlaceMainWindow(window, GetSettingInt(L"Pos", L"X", 0, kSettingsFileName),
                    GetSettingInt(L"Pos", L"Y", 0, kSettingsFileName));
    SetClientAreaSize(window, 640, 480, true);
    ShowWindow(window, showState);
    UpdateWindow(window);
    return window;
}

int RunMessageLoop() {
    MSG message;
    BOOL result;
    while ((result = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (result == -1) {
            return 1;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
