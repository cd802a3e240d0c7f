// The screensaver's host: it reads the mode, keeps one full-screen saver at a time, creates the saver's window and closes it on the player's return.
#include "saver/saver_host.h"

#include <imm.h>
#include <windowsx.h>

#include <cstdint>
#include <cstdlib>

#include "saver/command_line.h"
#include "shell/message_loop.h"

namespace {

// The configuration dialog's template. The program carries none, so the
// request fails and configuration ends at once, as it always has.
constexpr int kConfigureDialogTemplate = 2003;

// A move of the mouse further than this from where it was when the saver
// started (across plus down) ends the saver; smaller jitter does not.
constexpr int kMouseSlack = 4;

// PBT_POWERSETTINGCHANGE, which the headers name only for newer systems than
// the program targets.
constexpr WPARAM kPowerSettingChange = 0x8013;

// The host's view of its one window.
struct HostState {
    bool preview = false;
    HWND parent = nullptr;                // a preview's host window
    POINT reference = {};                 // the cursor when the window was made
    HIMC inputContext = nullptr;          // restored when the window goes
};
HostState host;

bool IsWindows95Family() { return (GetVersion() & 0x80000000u) != 0; }

// The window a command-line number names, or null: numbers too large for a
// handle of this build name no window rather than wrap onto one.
HWND WindowNamedBy(std::uint64_t handle) {
    if (handle == 0 || handle > UINTPTR_MAX) return nullptr;
    HWND window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(handle));
    return IsWindow(window) ? window : nullptr;
}

HWND OwnerFor(const SaverCommandLine& line) {
    if (!line.wantsOwner) return nullptr;
    HWND named = line.hasHandle ? WindowNamedBy(line.handle) : nullptr;
    return named != nullptr ? named : GetForegroundWindow();
}

void RequestConfigureDialog(HINSTANCE instance, const SaverCommandLine& line) {
    // The result is the failure the exit code already reports.
    DialogBoxParamW(instance, MAKEINTRESOURCEW(kConfigureDialogTemplate), OwnerFor(line),
                    reinterpret_cast<DLGPROC>(reinterpret_cast<void*>(ScreenSaverConfigureDialog)), 0);
}

// The Windows 95 family keeps the saver's password itself; elsewhere there
// is nothing to change.
void RequestPasswordChange(const SaverCommandLine& line) {
    using PasswordChange = DWORD(WINAPI*)(LPCSTR provider, HWND owner, DWORD reserved1, LPVOID reserved2);
    HMODULE library = LoadLibraryW(L"mpr.dll");
    if (library == nullptr) return;
    auto change = reinterpret_cast<PasswordChange>(
        reinterpret_cast<void*>(GetProcAddress(library, "PwdChangePasswordA")));
    if (change != nullptr) {
        HWND owner = line.hasHandle ? WindowNamedBy(line.handle) : nullptr;
        change("SCRSAVE", owner != nullptr ? owner : GetForegroundWindow(), 0, nullptr);
    }
    FreeLibrary(library);
}

// The library's part of every message before the saver's own procedure sees it.
LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        // Keys go to the saver, not to an input method's composition.
        host.inputContext = ImmAssociateContext(window, nullptr);
        GetCursorPos(&host.reference);
        if (!host.preview) ShowCursor(FALSE);
        break;
    case WM_DESTROY:
        ImmAssociateContext(window, host.inputContext);
        PostQuitMessage(0);
        break;
    case WM_SETTEXT:
        return FALSE;  // the saver's title never changes
    case WM_TIMER:
        Sleep(0);  // give the rest of the time slice away before each tick
        break;
    default:
        break;
    }
    return ScreenSaverProc(window, message, wParam, lParam);
}

bool RegisterSaverClass(HINSTANCE instance) {
    WNDCLASSW saverClass = {};
    saverClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC;
    saverClass.lpfnWndProc = HostWindowProc;
    saverClass.hInstance = instance;
    saverClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    saverClass.lpszClassName = kSaverClassName;
    return RegisterClassW(&saverClass) != 0;
}

// The whole virtual screen (every monitor); where the system reports no size,
// the clip box of the desktop's drawing surface.
RECT VirtualScreen() {
    RECT screen = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (width > 0 && height > 0) {
        screen.right = screen.left + width;
        screen.bottom = screen.top + height;
        return screen;
    }
    HDC desktop = GetDC(nullptr);
    GetClipBox(desktop, &screen);
    ReleaseDC(nullptr, desktop);
    return screen;
}

HWND CreateFullScreenWindow(HINSTANCE instance) {
    const RECT screen = VirtualScreen();
    HWND window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kSaverClassName, kFullScreenTitle,
                                  WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, screen.left, screen.top,
                                  screen.right - screen.left, screen.bottom - screen.top, nullptr, nullptr, instance,
                                  nullptr);
    if (window != nullptr) SetForegroundWindow(window);
    return window;
}

HWND CreatePreviewWindow(HINSTANCE instance, HWND parent) {
    RECT client = {};
    GetClientRect(parent, &client);
    return CreateWindowExW(0, kSaverClassName, kPreviewTitle, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                           client.right, client.bottom, parent, nullptr, instance, nullptr);
}


// What the full-screen saver does with a message, before the platform's default.
enum class Response {
    PassOn,             // only the platform's default
    Close,              // ask to close, then the default
    CloseIfMovedFar,    // a mouse move past the slack closes
    CloseUnlessFailed,  // a resume closes, unless it resumes from a failure
    AnswerZero,         // swallowed
    AnswerTrue,         // granted, not passed on
    EndNow,             // the window goes before the answer, which is 0
};

struct CloseRule {
    UINT message;
    bool anyWParam;
    WPARAM wParam;  // for WM_SYSCOMMAND, the command without its low four bits
    Response response;
};

// The first row that matches a message decides; messages with no row pass on.
constexpr CloseRule kCloseRules[] = {
    {WM_KEYDOWN, true, 0, Response::Close},
    {WM_SYSKEYDOWN, true, 0, Response::Close},
    {WM_LBUTTONDOWN, true, 0, Response::Close},
    {WM_MBUTTONDOWN, true, 0, Response::Close},
    {WM_RBUTTONDOWN, true, 0, Response::Close},
    {WM_MOUSEMOVE, true, 0, Response::CloseIfMovedFar},
    {WM_ACTIVATEAPP, false, FALSE, Response::Close},
    {WM_SYSCOMMAND, false, SC_MONITORPOWER, Response::Close},
    {WM_SYSCOMMAND, false, SC_NEXTWINDOW, Response::AnswerZero},
    {WM_SYSCOMMAND, false, SC_PREVWINDOW, Response::AnswerZero},
    {WM_SYSCOMMAND, false, SC_SCREENSAVE, Response::AnswerZero},
    {WM_POWER, false, PWR_CRITICALRESUME, Response::Close},
    {WM_POWERBROADCAST, false, PBT_APMQUERYSUSPEND, Response::AnswerTrue},
    {WM_POWERBROADCAST, false, PBT_APMPOWERSTATUSCHANGE, Response::PassOn},
    {WM_POWERBROADCAST, false, kPowerSettingChange, Response::PassOn},
    {WM_POWERBROADCAST, false, PBT_APMRESUMECRITICAL, Response::CloseUnlessFailed},
    {WM_POWERBROADCAST, false, PBT_APMRESUMESUSPEND, Response::CloseUnlessFailed},
    {WM_POWERBROADCAST, false, PBT_APMRESUMESTANDBY, Response::CloseUnlessFailed},
    {WM_POWERBROADCAST, false, PBT_APMRESUMEAUTOMATIC, Response::CloseUnlessFailed},
    {WM_POWERBROADCAST, true, 0, Response::Close},
    // The session ends: the system may end the process as soon as this is
    // answered, so the saver closes now rather than ask to be closed.
    {WM_ENDSESSION, false, TRUE, Response::EndNow},
};

Response ResponseTo(UINT message, WPARAM wParam) {
    const WPARAM key = message == WM_SYSCOMMAND ? (wParam & 0xFFF0) : wParam;
    for (const CloseRule& rule : kCloseRules) {
        if (rule.message == message && (rule.anyWParam || rule.wParam == key)) return rule.response;
    }
    return Response::PassOn;
}

bool MovedPastSlack(HWND window, LPARAM lParam) {
    POINT cursor = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(window, &cursor);
    return std::abs(cursor.x - host.reference.x) + std::abs(cursor.y - host.reference.y) > kMouseSlack;
}

bool ShouldClose(Response response, HWND window, LPARAM lParam) {
    switch (response) {
    case Response::Close: return true;
    case Response::CloseIfMovedFar: return MovedPastSlack(window, lParam);
    case Response::CloseUnlessFailed: return (lParam & 1) == 0;
    default: return false;
    }
}

}  // namespace

LRESULT WINAPI DefScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (host.preview) {
        // A preview never closes itself: the settings window that hosts it
        // destroys it. Its context menu belongs to the host; so does help,
        // which the platform's default hands from a child to its parent.
        if (message == WM_CONTEXTMENU) return SendMessageW(host.parent, message, wParam, lParam);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    const Response response = ResponseTo(message, wParam);
    if (response == Response::AnswerZero) return 0;
    if (response == Response::AnswerTrue) return TRUE;
    if (response == Response::EndNow) {
        DestroyWindow(window);
        return 0;
    }
    if (ShouldClose(response, window, lParam)) PostMessageW(window, WM_CLOSE, 0, 0);
    return DefWindowProcW(window, message, wParam, lParam);
}

int RunScreenSaver(HINSTANCE instance, const wchar_t* commandLine) {
    const SaverCommandLine line = ParseSaverCommandLine(std::wstring_view(commandLine));
    const bool windows95Family = IsWindows95Family();
    if (line.mode == SaverMode::Configure) RequestConfigureDialog(instance, line);
    if (line.mode == SaverMode::ChangePassword && windows95Family) RequestPasswordChange(line);
    const auto exitCode = ExitCodeWithoutSaverWindow(
        line, windows95Family, [](std::uint64_t handle) { return WindowNamedBy(handle) != nullptr; });
    if (exitCode) return *exitCode;

    host.preview = line.mode == SaverMode::Preview;
    if (!host.preview) {
        // One full-screen saver at a time: a second start hands over to the first.
        if (HWND running = FindWindowW(kSaverClassName, kFullScreenTitle)) {
            SetForegroundWindow(running);
            return 0;
        }
    }
    host.parent = host.preview ? WindowNamedBy(line.handle) : nullptr;
    if (!RegisterDialogClasses(instance) || !RegisterSaverClass(instance)) return 0;
    HWND window = host.preview ? CreatePreviewWindow(instance, host.parent) : CreateFullScreenWindow(instance);
    if (window == nullptr) return 0;
    return RunMessageLoop();
}
