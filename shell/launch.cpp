// Opening the help document and the home page, and starting the screensaver, through the shell.
#include "shell/launch.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "shell/com_apartment.h"
#include "shell/settings.h"

// The shell's results are not examined: a missing document or screensaver
// is simply not shown, and the game goes on.

namespace {

// Hands the request to the shell's ShellExecuteW, with COM up on the thread
// as the function asks (the component library is loaded at the first);
// false when the shell library or that function cannot be had.
bool Execute(SystemLibrary& shell32, const wchar_t* verb, const wchar_t* file, const wchar_t* parameters,
             const wchar_t* folder) {
    auto* execute = FindSystemFunction<decltype(ShellExecuteW)>(shell32, "ShellExecuteW");
    if (execute == nullptr) {
        return false;
    }
    const ComApartment apartment(Ole32Library());
    execute(nullptr, verb, file, parameters, folder, SW_SHOWNORMAL);
    return true;
}

}  // namespace

bool OpenHelpFileFrom(SystemLibrary& shell32) {
    const std::wstring folder = GetProgramFolderPath();
    return Execute(shell32, nullptr, kHelpFilePath, nullptr, folder.c_str());
}

bool OpenHomePageFrom(SystemLibrary& shell32) { return Execute(shell32, L"open", kHomePageAddress, nullptr, nullptr); }

bool StartScreensaverFrom(SystemLibrary& shell32) {
    const std::wstring path = GetProgramFolderPath(kScreensaverFileName);
    // "/s" asks for the full-screen saver. On Windows the open command of a
    // screen-saver file already adds /S and drops any other parameters, so
    // this changes nothing there; Wine's shell runs the file directly with
    // only the parameters given here, and without them the saver would
    // start in configuration mode and show nothing. The shell starts the
    // saver and returns at once: the game keeps running underneath.
    return Execute(shell32, L"open", path.c_str(), L"/s", nullptr);
}

void OpenHelpFile() { OpenHelpFileFrom(Shell32Library()); }

void OpenHomePage() { OpenHomePageFrom(Shell32Library()); }

void StartScreensaver() { StartScreensaverFrom(Shell32Library()); }
