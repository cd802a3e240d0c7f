// Starts the game from the folder unpacked from the release zip, as a player would after unpacking it, and closes it.
// Usage: release_start <path of the unpacked zmr.exe>. Exit code 0 when every check held.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "shell/resource.h"
#include "tests/e2e/game_process.h"
#include "tests/support/window_harness.h"

using namespace e2e;

namespace {

constexpr DWORD kTimeoutMs = 8000;

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void Run(const std::wstring& program, Checks& checks) {
    const std::wstring settings = program.substr(0, program.find_last_of(L'\\')) + L"\\zmr.ini";
    checks.Require(!Exists(settings), "no zmr.ini beside the unpacked game");
    GameProcess game(program);

    HWND firstRun = WaitForDialog(game, nullptr, kTimeoutMs);
    checks.Require(harness::TextOf(firstRun) == L"設定", "the first start shows the first-run dialog",
                   "caption \"" + Narrow(harness::TextOf(firstRun)) + "\"");
    SendWithin(GetDlgItem(firstRun, IDCANCEL), BM_CLICK, 0, 0);

    HWND select = WaitForDialog(game, firstRun, kTimeoutMs);
    checks.Require(GetDlgItem(select, IDC_SELECT_A) != nullptr, "then the game selection dialog");
    ChooseArrangementA(game, select, kTimeoutMs);
    HWND main = WaitForMainWindow(game, kTimeoutMs);
    checks.Expect(harness::TextOf(main) == L"Zenmora", "the main window is shown", Narrow(harness::TextOf(main)));

    checks.Require(PostMessageW(main, WM_CLOSE, 0, 0) != 0, "close request posted");
    DWORD exitCode = 0;
    checks.Require(game.WaitForExit(kTimeoutMs, &exitCode), "the game ends after WM_CLOSE");
    checks.Expect(exitCode == 0, "exit code 0", std::to_string(exitCode));
    checks.Expect(Exists(settings), "zmr.ini written beside the unpacked game");
}

}  // namespace

int main() {
    const std::vector<std::wstring> paths = PathArguments(1, 1);
    if (paths.empty()) {
        std::fprintf(stderr, "usage: release_start <unpacked zmr.exe>\n");
        return 2;
    }
    return RunChecks([&](Checks& checks) { Run(paths[0], checks); });
}
