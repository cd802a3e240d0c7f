// Driving a game process from outside: starting it, finding its windows, sending to them with deadlines, and ending it.
#include "tests/e2e/game_process.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "shell/resource.h"
#include "tests/support/environment_testing.h"
#include "tests/support/window_harness.h"

namespace e2e {

std::string Num(long long value) { return std::to_string(value); }

std::string RectText(const RECT& r) {
    return "(" + Num(r.left) + "," + Num(r.top) + ") " + Num(r.right - r.left) + "x" + Num(r.bottom - r.top);
}

std::wstring FullPath(std::wstring path) {
    std::replace(path.begin(), path.end(), L'/', L'\\');
    wchar_t full[MAX_PATH * 4] = {};
    const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH * 4, full, nullptr);
    return length > 0 && length < MAX_PATH * 4 ? std::wstring(full) : path;
}

std::vector<std::wstring> PathArguments(int least, int most, int skip) {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> paths;
    const int first = 1 + skip;
    if (arguments != nullptr && count - first >= least && count - first <= most) {
        for (int i = first; i < count; ++i) paths.push_back(FullPath(arguments[i]));
    }
    LocalFree(arguments);
    return paths;
}

std::wstring PrepareFolder(const std::wstring& program, const std::wstring& folder, const char* settings,
                           Checks& checks) {
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring copy = folder + L"\\" + program.substr(program.find_last_of(L"\\/") + 1);
    const std::wstring settingsPath = folder + L"\\zmr.ini";
    DeleteFileW(settingsPath.c_str());
    RemoveDirectoryW(settingsPath.c_str());  // left by an earlier run in a folder that takes no settings file
    checks.Require(GetFileAttributesW(settingsPath.c_str()) == INVALID_FILE_ATTRIBUTES, "no zmr.ini in the fresh folder");
    if (settings != nullptr) {
        HANDLE file = CreateFileW(settingsPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, settings, static_cast<DWORD>(std::strlen(settings)), &written, nullptr);
        CloseHandle(file);
    }
    const bool copied = CopyFileW(program.c_str(), copy.c_str(), FALSE) != 0;
    checks.Require(copied, "copy " + Narrow(program) + " into " + Narrow(folder),
                   copied ? "" : "error " + Num(GetLastError()));
    return copy;
}

namespace {
constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
}  // namespace

RunDpi::RunDpi() : scale_(ScaleForDpi(static_cast<int>(EnvironmentNumber("ZMR_DPI", kBaseDpi)))) {
    // A driver unaware of the DPI would see every other program's windows,
    // places and pixels scaled back to 96 DPI, as the system virtualises
    // them for it; it measures what the player sees instead.
    using SetAwareFunction = BOOL WINAPI();
    if (auto* setAware = reinterpret_cast<SetAwareFunction*>(reinterpret_cast<void (*)()>(
            GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDPIAware")))) {
        setAware();
    }
    HKEY desktop = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr,
                        &desktop, nullptr) != ERROR_SUCCESS) {
        throw Failure("the prefix's desktop settings cannot be opened");
    }
    DWORD type = 0;
    DWORD size = sizeof previous_;
    hadPrevious_ = RegQueryValueExW(desktop, L"LogPixels", nullptr, &type, reinterpret_cast<BYTE*>(&previous_),
                                    &size) == ERROR_SUCCESS &&
                   type == REG_DWORD;
    const DWORD dpi = static_cast<DWORD>(scale_.dpi);
    RegSetValueExW(desktop, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    RegCloseKey(desktop);
    std::printf("# at %d DPI\n", scale_.dpi);
}

RunDpi::~RunDpi() {
    HKEY desktop = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_SET_VALUE, &desktop) != ERROR_SUCCESS) return;
    if (hadPrevious_) {
        RegSetValueExW(desktop, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&previous_),
                       sizeof previous_);
    } else {
        RegDeleteValueW(desktop, L"LogPixels");
    }
    RegCloseKey(desktop);
}

int RunChecks(const std::function<void(Checks&)>& drive) {
    Checks checks;
    try {
        drive(checks);
    } catch (const Failure& failure) {
        checks.Expect(false, std::string("stopped: ") + failure.what());
    }
    std::printf("# %d checks passed, %d failed\n", checks.passed(), checks.failed());
    return checks.failed() == 0 ? 0 : 1;
}

bool Checks::Expect(bool passed, const std::string& what, const std::string& seen) {
    std::printf("%s - %s%s%s\n", passed ? "ok  " : "FAIL", what.c_str(), seen.empty() ? "" : ": ", seen.c_str());
    std::fflush(stdout);
    (passed ? passed_ : failed_) += 1;
    return passed;
}

void Checks::Require(bool passed, const std::string& what, const std::string& seen) {
    if (!Expect(passed, what, seen)) {
        throw Failure(what);
    }
}

GameProcess::GameProcess(const std::wstring& program, const std::wstring& arguments) {
    const std::wstring folder = program.substr(0, program.find_last_of(L'\\'));
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                       &startup, &info_) == 0) {
        info_ = {};
        throw Failure("cannot start " + Narrow(program) + " (error " + std::to_string(GetLastError()) + ")");
    }
}

GameProcess::~GameProcess() {
    Terminate();
    if (info_.hThread != nullptr) {
        CloseHandle(info_.hThread);
    }
    if (info_.hProcess != nullptr) {
        CloseHandle(info_.hProcess);
    }
}

bool GameProcess::Running() const {
    return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool GameProcess::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
    if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        return false;
    }
    return GetExitCodeProcess(info_.hProcess, exitCode) != 0;
}

void GameProcess::Terminate() {
    if (Running()) {
        std::printf("# ending the game with TerminateProcess\n");
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
}

void GameProcess::WaitUntil(const std::function<bool()>& found, DWORD timeoutMs, const std::string& what) const {
    const DWORD start = GetTickCount();
    for (;;) {
        if (found()) {
            return;
        }
        if (!Running()) {
            throw Failure("the game ended while waiting for " + what);
        }
        if (GetTickCount() - start >= timeoutMs) {
            throw Failure("no " + what + " within " + std::to_string(timeoutMs) + " ms");
        }
        Sleep(20);
    }
}

namespace {

struct WindowFilter {
    const wchar_t* className;
    bool visibleOnly;
    HWND parent;
    std::vector<HWND> found;
};

bool Matches(const WindowFilter& filter, HWND window) {
    if (filter.visibleOnly && !IsWindowVisible(window)) {
        return false;
    }
    return filter.className == nullptr || harness::ClassOf(window) == filter.className;
}

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM data) {
    auto& filter = *reinterpret_cast<WindowFilter*>(data);
    if (Matches(filter, window)) {
        filter.found.push_back(window);
    }
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM data) {
    auto& filter = *reinterpret_cast<WindowFilter*>(data);
    // EnumChildWindows walks grandchildren too; only direct children count.
    if (GetParent(window) == filter.parent && Matches(filter, window)) {
        filter.found.push_back(window);
    }
    return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD threadId, const wchar_t* className, bool visibleOnly) {
    WindowFilter filter{className, visibleOnly, nullptr, {}};
    EnumThreadWindows(threadId, CollectTopLevel, reinterpret_cast<LPARAM>(&filter));
    return filter.found;
}

std::vector<HWND> ChildWindows(HWND parent, const wchar_t* className) {
    WindowFilter filter{className, false, parent, {}};
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&filter));
    return filter.found;
}

LRESULT SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, timeoutMs, &result) == 0) {
        throw Failure("message " + std::to_string(message) + " was not handled within " +
                      std::to_string(timeoutMs) + " ms (error " + std::to_string(GetLastError()) + ")");
    }
    return static_cast<LRESULT>(result);
}

HWND WaitForDialog(const GameProcess& game, HWND previous, DWORD timeoutMs) {
    HWND dialog = nullptr;
    game.WaitUntil(
        [&] {
            dialog = harness::FindDialogOfThread(game.threadId());
            return dialog != nullptr && dialog != previous;
        },
        timeoutMs, "dialog");
    return dialog;
}

void ChooseArrangementA(const GameProcess& game, HWND selectDialog, DWORD timeoutMs) {
    HWND decide = GetDlgItem(selectDialog, IDOK);
    HWND letterA = GetDlgItem(selectDialog, IDC_SELECT_A);
    if (decide == nullptr || letterA == nullptr) throw Failure("the game selection dialog has no A or 決定");
    SendWithin(letterA, BM_CLICK, 0, 0);
    game.WaitUntil([&] { return IsWindowEnabled(decide) != 0; }, timeoutMs, "決定 enabled after A");
    SendWithin(decide, BM_CLICK, 0, 0);
}

HWND WaitForMainWindow(const GameProcess& game, DWORD timeoutMs) {
    HWND window = nullptr;
    game.WaitUntil(
        [&] {
            const auto shown = TopLevelWindows(game.threadId(), L"Parent Window", true);
            window = shown.empty() ? nullptr : shown.front();
            return window != nullptr;
        },
        timeoutMs, "main window");
    return window;
}

}  // namespace e2e
