// The screensaver's command line: which mode it asks for, with which window handle, and the exit codes that follow from it alone.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

enum class SaverMode {
    None,            // an unknown mode letter: nothing runs
    Configure,       // no argument, or 'c'
    FullScreen,      // 's'
    Preview,         // 'p' or 'l'
    ChangePassword,  // 'a'
};

struct SaverCommandLine {
    SaverMode mode = SaverMode::Configure;
    // The window handle the line names; 0 when it names none.
    std::uint64_t handle = 0;
    // True when a handle number stands where the mode reads one (after the
    // blanks that follow 'p', 'l' or 'a'; right after "c:"), has at least
    // one digit and fits in 64 bits. "/p 0" has a handle, and it is 0.
    bool hasHandle = false;
    // True for 'c': its dialog has an owner (the handle's window, else the
    // foreground window). A line with no argument asks for a dialog without one.
    bool wantsOwner = false;
};

// Reads a whole command line as the process receives it, the program's own
// path first. Blanks are spaces and tabs. The line ends at its end or at its
// first NUL, as a C string does. Mode letters fold case in ASCII only; digits
// are ASCII only.
//
// A handle number is read up to the first non-digit. One that does not fit
// in 64 bits is rejected, never wrapped or saturated: handle 0, hasHandle
// false, so a preview fails and a configure owner falls back to the
// foreground window. The Win32 side must likewise treat a value that does not
// fit in a window handle (above UINTPTR_MAX in a 32-bit build) as naming no
// window rather than truncate it.
//
// 'a' skips blanks before its handle as 'p' and 'l' do, so the usual
// "/a 1234" names window 1234.
SaverCommandLine ParseSaverCommandLine(std::string_view line);
SaverCommandLine ParseSaverCommandLine(std::wstring_view line);

// Whether a number names an existing window: the Win32 side answers with
// IsWindow, tests with a stand-in.
using WindowExists = std::function<bool(std::uint64_t handle)>;

// The exit code when the program ends without running a saver window, or
// nothing when it must create the window and run its message loop (whose
// quit code, 0, is then the exit code):
// - None: -1.
// - Configure: -1, the result of the dialog request, which always fails for
//   want of a dialog template; the Win32 side still makes the request.
// - ChangePassword: 0 on the Windows 95 family, after the Win32 side has
//   asked the platform to change the password; -1 elsewhere.
// - Preview: -1 when the handle is 0 or windowExists says it names no window.
// - FullScreen: nothing (a second start's hand-over to the running saver also
//   ends with 0, but that is found only by looking for its window).
std::optional<int> ExitCodeWithoutSaverWindow(const SaverCommandLine& commandLine, bool windows95Family,
                                              const WindowExists& windowExists);
