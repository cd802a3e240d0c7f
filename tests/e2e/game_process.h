// Driving a game process from outside: starting it, finding its windows, sending to them with deadlines, and ending it.
#pragma once

#include <windows.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "shell/display_scale.h"
#include "tests/support/window_harness.h"

namespace e2e {

// A check that cannot go on; the driver reports it and ends the game.
struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

using harness::Narrow;
using harness::ReadWholeFile;
std::string Num(long long value);
// "(left,top) widthxheight".
std::string RectText(const RECT& rect);

// Windows takes "Z:\a\b"; CTest hands over Unix paths, which Wine reads on
// the current drive, so make them whole Windows paths first.
std::wstring FullPath(std::wstring path);

// The driver's own arguments after its name and the first `skip` of them,
// each made a whole Windows path; nothing when their count is not from
// `least` to `most`.
std::vector<std::wstring> PathArguments(int least, int most, int skip = 0);

// The display scale a driver's run plays at: ZMR_DPI (96 when unset). While
// it lives, every program started gets that DPI, as Wine's LogPixels in the
// prefix; the value before is put back when it goes. The drivers run one at
// a time, so no other test sees it. The driver itself becomes aware of the
// DPI, so it sees screen pixels.
class RunDpi {
public:
    RunDpi();
    ~RunDpi();
    RunDpi(const RunDpi&) = delete;
    RunDpi& operator=(const RunDpi&) = delete;
    DisplayScale scale() const { return scale_; }

private:
    DisplayScale scale_;
    DWORD previous_ = 0;
    bool hadPrevious_ = false;
};

class Checks;
// Runs a driver's checks: a Failure that stops `drive` is reported as a failed
// check, the tally is printed, and the exit code is 0 when every check held.
int RunChecks(const std::function<void(Checks&)>& drive);

// Counts and prints the driver's checks: "ok" or "FAIL" with what was seen.
class Checks {
public:
    // Records one check; returns `passed`.
    bool Expect(bool passed, const std::string& what, const std::string& seen = {});
    // Records one check and throws Failure when it does not hold.
    void Require(bool passed, const std::string& what, const std::string& seen = {});
    int failed() const { return failed_; }
    int passed() const { return passed_; }

private:
    int failed_ = 0;
    int passed_ = 0;
};

// A folder of the run's own holding a fresh copy of `program` under its own
// name, with a settings file "zmr.ini" of the text `settings` beside it, or
// with none when null; the copy's path.
std::wstring PrepareFolder(const std::wstring& program, const std::wstring& folder, const char* settings,
                           Checks& checks);

// A started program. The destructor terminates it if it still runs, so a
// failed run leaves nothing behind.
class GameProcess {
public:
    // Starts `program` with `arguments` after its quoted path and its own
    // folder as the working folder. Throws Failure when it cannot be started.
    explicit GameProcess(const std::wstring& program, const std::wstring& arguments = {});
    ~GameProcess();
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    DWORD threadId() const { return info_.dwThreadId; }
    bool Running() const;
    // Waits up to `timeoutMs` for the process to end; true when it did, and
    // then `exitCode` holds its exit code.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode);
    void Terminate();

    // Polls `found` every 20 ms until it answers true; throws Failure naming
    // `what` when `timeoutMs` pass first or the process ends meanwhile.
    void WaitUntil(const std::function<bool()>& found, DWORD timeoutMs, const std::string& what) const;

private:
    PROCESS_INFORMATION info_ = {};
};

// The top-level windows of a thread with the given class name (any when
// null), visible ones only when asked.
std::vector<HWND> TopLevelWindows(DWORD threadId, const wchar_t* className, bool visibleOnly);

// The direct children of `parent` of the given class, in z-order.
std::vector<HWND> ChildWindows(HWND parent, const wchar_t* className);

// Sends a message to a window of the game and waits at most `timeoutMs` for
// it to be handled; throws Failure when it is not.
LRESULT SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs = 5000);

// The game's start-up dialogs and main window, as every driver meets them.
// Each wait throws Failure after `timeoutMs`.

// The game's next dialog: a visible one other than `previous` (the dialog
// just answered may still be on its way out).
HWND WaitForDialog(const GameProcess& game, HWND previous, DWORD timeoutMs = 8000);

// Answers the game selection dialog as a player does: A, then 決定 once it
// is enabled.
void ChooseArrangementA(const GameProcess& game, HWND selectDialog, DWORD timeoutMs = 8000);

// The game's visible main window.
HWND WaitForMainWindow(const GameProcess& game, DWORD timeoutMs = 8000);

}  // namespace e2e
