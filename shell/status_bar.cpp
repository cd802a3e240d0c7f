// The status bar (clock and help texts), the clock timer's flag, and the two view buttons with their hover help.
#include "shell/status_bar.h"

#include <commctrl.h>

#include <initializer_list>

#include "shell/bitmaps.h"
#include "shell/clock_text.h"
#include "shell/resource.h"
#include "shell/texts.h"
#include "shell/window_geometry.h"

int clockTimerOn = 0;

namespace {

constexpr UINT kClockPeriodAtStart = 1000;
// Once a help text has paused the clock it comes back faster, so the help
// text gives way to the time soon after the mouse leaves.
constexpr UINT kClockPeriodAfterHelp = 100;

constexpr int kViewButtonX = 10;
constexpr int kUpViewButtonY = 360;
constexpr int kDownViewButtonY = 395;
constexpr int kViewButtonSize = 34;

// The help text of each menu-bar position; null where the position has none
// (the two drop-down menus), which lets the clock run again.
constexpr const wchar_t* kMenuHelpTexts[] = {
    nullptr, kUndoHelpText, kHistoryHelpText, kHintHelpText, kAnswerHelpText, nullptr, kScreensaverHelpText,
};
constexpr int kMenuHelpCount = static_cast<int>(sizeof(kMenuHelpTexts) / sizeof(kMenuHelpTexts[0]));

struct ViewButton {
    HWND window = nullptr;
    int y = 0;          // at 96 DPI
    int pictureId = 0;
    HBITMAP picture = nullptr;
    HCURSOR handCursor = nullptr;
    UINT hoverMessage = 0;
};

struct StatusBarState {
    HWND bar = nullptr;
    HWND mainWindow = nullptr;
    // The platform's button procedure, taken from the up button before it
    // was replaced; both buttons hand it what they do not handle.
    WNDPROC buttonProcedure = nullptr;
    ViewButton up;
    ViewButton down;
    // The bar's own font, and the one made for a monitor whose DPI is not
    // the system's (the bar knows only the system's).
    HFONT ownFont = nullptr;
    HFONT fontForDpi = nullptr;
};

StatusBarState state;

void PauseClock(HWND mainWindow) {
    if (clockTimerOn == 1) {
        clockTimerOn = 0;
        KillTimer(mainWindow, kClockTimerId);
    }
}

void ShowHelp(HWND mainWindow, const wchar_t* text) {
    PauseClock(mainWindow);
    SetStatusText(text);
}

LRESULT ViewButtonMessage(ViewButton& button, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETCURSOR:
        // Answered here, so the button's class arrow never replaces the hand.
        SetCursor(button.handCursor);
        return 0;
    case WM_MOUSEMOVE:
        SendMessageW(GetParent(window), button.hoverMessage, 0, 0);
        return 0;
    case kLoadHandCursorMessage:
        button.handCursor = LoadCursorW(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE)),
                                        MAKEINTRESOURCEW(IDC_POINTING_HAND));
        return 0;
    default:
        return CallWindowProcW(state.buttonProcedure, window, message, wParam, lParam);
    }
}

LRESULT CALLBACK UpViewButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ViewButtonMessage(state.up, window, message, wParam, lParam);
}

LRESULT CALLBACK DownViewButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ViewButtonMessage(state.down, window, message, wParam, lParam);
}

void CreateViewButton(ViewButton& button, HWND mainWindow, int y, int id, int pictureId, UINT hoverMessage) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(mainWindow, GWLP_HINSTANCE));
    // A section keeps the picture's own colours whatever the display depth.
    button.picture = static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(pictureId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    button.hoverMessage = hoverMessage;
    button.y = y;
    button.pictureId = pictureId;
    button.window = CreateWindowExW(0, L"BUTTON", nullptr, WS_CHILD | WS_VISIBLE | BS_BITMAP, kViewButtonX, y,
                                    kViewButtonSize, kViewButtonSize, mainWindow,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageW(button.window, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(button.picture));
}

}  // namespace

void StartClock(HWND mainWindow) {
    clockTimerOn = 1;
    SetTimer(mainWindow, kClockTimerId, kClockPeriodAtStart, nullptr);
}

void ResumeClock(HWND mainWindow) {
    if (clockTimerOn == 0) {
        clockTimerOn = 1;
        SetTimer(mainWindow, kClockTimerId, kClockPeriodAfterHelp, nullptr);
    }
}

void StopClock(HWND mainWindow) {
    clockTimerOn = 1;
    KillTimer(mainWindow, kClockTimerId);
}

HWND CreateStatusBarFrom(SystemLibrary& comctl32, HWND mainWindow) {
    state.mainWindow = mainWindow;
    state.bar = nullptr;
    // The bar's class comes with the common controls; without them the game
    // runs with no bar, and the texts meant for it go nowhere.
    auto* initialise = FindSystemFunction<decltype(InitCommonControlsEx)>(comctl32, "InitCommonControlsEx");
    if (initialise == nullptr) {
        return nullptr;
    }
    // Its result is not examined: a bar that cannot be made shows as a null
    // window, the same as a missing library.
    INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    initialise(&controls);
    state.bar = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | CCS_BOTTOM, 0, 0, 0, 0,
                                mainWindow, nullptr,
                                reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(mainWindow, GWLP_HINSTANCE)), nullptr);
    // The bar shows one text and is never divided. Windows takes a text for
    // part 255 as making the bar simple; Wine shows that text only while the
    // bar is in simple mode, so it is put there once, here, for both.
    SendMessageW(state.bar, SB_SIMPLE, TRUE, 0);
    return state.bar;
}

HWND CreateStatusBar(HWND mainWindow) { return CreateStatusBarFrom(Comctl32Library(), mainWindow); }

void SetStatusText(const wchar_t* text) {
    if (state.bar == nullptr) {
        return;
    }
    SendMessageW(state.bar, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(text));
}

void ShowClock() {
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    const std::wstring text = FormatClockText(now.wMonth, now.wDay, now.wDayOfWeek, now.wHour, now.wMinute, now.wSecond);
    SetStatusText(text.c_str());
}

void ShowMenuHelp(HWND mainWindow, POINT screenPoint) {
    const int position = MenuItemFromPoint(mainWindow, GetMenu(mainWindow), screenPoint);
    const wchar_t* text = position >= 0 && position < kMenuHelpCount ? kMenuHelpTexts[position] : nullptr;
    if (text != nullptr) {
        ShowHelp(mainWindow, text);
    } else {
        ResumeClock(mainWindow);
    }
}

void ShowViewButtonHelp(bool upper) {
    ShowHelp(state.mainWindow, upper ? kUpViewButtonHelpText : kDownViewButtonHelpText);
}

void CreateViewButtons(HWND mainWindow) {
    state.mainWindow = mainWindow;
    CreateViewButton(state.up, mainWindow, kUpViewButtonY, IDC_UP_VIEW_BUTTON, IDB_ARROW_UP,
                     kUpViewButtonHoverMessage);
    CreateViewButton(state.down, mainWindow, kDownViewButtonY, IDC_DOWN_VIEW_BUTTON, IDB_ARROW_DOWN,
                     kDownViewButtonHoverMessage);

    state.buttonProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(state.up.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(UpViewButtonProc)));
    SendMessageW(state.up.window, kLoadHandCursorMessage, 0, 0);
    SetWindowLongPtrW(state.down.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DownViewButtonProc));
    SendMessageW(state.down.window, kLoadHandCursorMessage, 0, 0);
}

namespace {

// The status font of the system for `dpi`; null where the system cannot
// say (before Windows 10 1607).
HFONT StatusFontForDpi(int dpi) {
    using ForDpi = BOOL WINAPI(UINT, UINT, void*, UINT, UINT);
    static auto* const parametersForDpi = reinterpret_cast<ForDpi*>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SystemParametersInfoForDpi")));
    // The structure as Vista and later fill it, with its last field.
    struct {
        NONCLIENTMETRICSW metrics;
        int paddedBorderWidth;
    } metrics = {};
    metrics.metrics.cbSize = sizeof metrics;
    if (parametersForDpi == nullptr ||
        parametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi)) == 0) {
        return nullptr;
    }
    return CreateFontIndirectW(&metrics.metrics.lfStatusFont);
}

void ScaleStatusBarFont(int dpi) {
    if (state.bar == nullptr) return;
    if (state.ownFont == nullptr) state.ownFont = reinterpret_cast<HFONT>(SendMessageW(state.bar, WM_GETFONT, 0, 0));
    HFONT made = dpi != SystemDpi() ? StatusFontForDpi(dpi) : nullptr;
    SendMessageW(state.bar, WM_SETFONT, reinterpret_cast<WPARAM>(made != nullptr ? made : state.ownFont), TRUE);
    if (state.fontForDpi != nullptr) DeleteObject(state.fontForDpi);
    state.fontForDpi = made;
    // The bar sets its own height and place from its font when told of a size.
    SendMessageW(state.bar, WM_SIZE, 0, 0);
}

}  // namespace

void ScaleStatusBarAndViewButtons(int dpi, DisplayScale scale) {
    ScaleStatusBarFont(dpi);
    for (ViewButton* button : {&state.up, &state.down}) {
        if (button->window == nullptr) continue;
        SetWindowPos(button->window, nullptr, scale.Scaled(kViewButtonX), scale.Scaled(button->y),
                     scale.Scaled(kViewButtonSize), scale.Scaled(kViewButtonSize), SWP_NOZORDER | SWP_NOACTIVATE);
        HBITMAP picture = CreatePictureForScale(button->pictureId, scale);
        if (picture == nullptr) continue;
        SendMessageW(button->window, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
        if (button->picture != nullptr) DeleteObject(button->picture);
        button->picture = picture;
    }
}

void ReleaseViewButtons() {
    for (ViewButton* button : {&state.up, &state.down}) {
        if (button->window != nullptr && IsWindow(button->window)) {
            SetWindowLongPtrW(button->window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(state.buttonProcedure));
            SendMessageW(button->window, BM_SETIMAGE, IMAGE_BITMAP, 0);
        }
        if (button->picture != nullptr) {
            DeleteObject(button->picture);
        }
        *button = ViewButton();
    }
    state.buttonProcedure = nullptr;
    if (state.fontForDpi != nullptr) DeleteObject(state.fontForDpi);
    state.fontForDpi = nullptr;
    state.ownFont = nullptr;
}
