// For the services' tests: a window built like the game's main window, whose procedure hands its messages to the status bar as the game does and records what arrives.
#include "tests/support/services_test_window.h"

#include <commctrl.h>

#include <string>

#include "shell/status_bar.h"

namespace services_test {

namespace {

constexpr wchar_t kClassName[] = L"Services Test Window";

HMENU BuildGameMenu() {
    HMENU bar = CreateMenu();
    HMENU game = CreatePopupMenu();
    AppendMenuW(game, MF_STRING, 40001, L"新しいゲーム F2");
    AppendMenuW(game, MF_STRING, 40002, L"ゲームを止める");
    HMENU help = CreatePopupMenu();
    AppendMenuW(help, MF_STRING, 40007, L"バージョン情報");
    AppendMenuW(help, MF_STRING, 40008, L"説明ファイルを読む F1");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(game), L"ゲーム");
    AppendMenuW(bar, MF_STRING, 40003, L"一手戻る");
    AppendMenuW(bar, MF_STRING, 40004, L"取った牌");
    AppendMenuW(bar, MF_STRING, 40005, L"ヒント");
    AppendMenuW(bar, MF_STRING, 40010, L"答え");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"ヘルプ");
    AppendMenuW(bar, MF_STRING, 40012, L"★ひと休み★");
    return bar;
}

}  // namespace

GameLikeWindow::GameLikeWindow() {
    WNDCLASSW windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, kClassName, L"Zenmora", WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, BuildGameMenu(),
                              GetModuleHandleW(nullptr), this);
}

GameLikeWindow::~GameLikeWindow() {
    if (window_ != nullptr) {
        KillTimer(window_, kClockTimerId);
        DestroyWindow(window_);
    }
    UnregisterClassW(kClassName, GetModuleHandleW(nullptr));
}

void GameLikeWindow::Show() {
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
    UpdateWindow(window_);
}

POINT GameLikeWindow::MenuItemCentre(int position) const {
    RECT item = {};
    GetMenuItemRect(window_, GetMenu(window_), position, &item);
    return POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
}

LRESULT CALLBACK GameLikeWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<GameLikeWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    switch (message) {
    case WM_TIMER:
        if (wParam == kClockTimerId) {
            self->ticks.push_back(GetTickCount());
            ShowClock();
        }
        return 0;
    case WM_MOUSEMOVE:
        ResumeClock(window);
        return 0;
    case WM_NCMOUSEMOVE:
        ShowMenuHelp(window, POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
    case kUpViewButtonHoverMessage:
    case kDownViewButtonHoverMessage:
        self->hovers.push_back(message);
        ShowViewButtonHelp(message == kUpViewButtonHoverMessage);
        return 0;
    case WM_COMMAND:
        self->commands.push_back(LOWORD(wParam));
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

std::wstring StatusText(HWND bar) {
    // The bar is in simple mode, whose one text answers to part 0.
    const int length = LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, 0, 0));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(bar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

}  // namespace services_test
