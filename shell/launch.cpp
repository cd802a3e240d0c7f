// Opening the help document and the home page, and starting the screensaver, through the shell.
#include "shell/launch.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "shell/settings.h"

// The shell's results are not examined: a missing document or screensaver
// is simply not shown, and the game goes on.

void OpenHelpFile() {
    const std::wstring folder = GetProgramFolderPath();
    ShellExecuteW(nullptr, nullptr, kHelpFilePath, nullptr, folder.c_str(), SW_SHOWNORMAL);
}

void OpenHomePage() {
    ShellExecuteW(nullptr, L"open", kHomePageAddress, nullptr, nullptr, SW_SHOWNORMAL);
}

void StartScreensaver() {
    const std::wstring path = GetProgramFolderPath(kScreensaverFileName);
    // "/s" asks for the full-screen saver. On Windows the open command of a
    // screen-saver file already adds /S and drops any other parameters, so
    // this changes nothing there; Wine's shell runs the file directly with
    // only the parameters given here, and without them the saver would
    // start in configuration mode and show nothing. The shell starts the
    // saver and returns at once: the game keeps running underneath.
    ShellExecuteW(nullptr, L"open", path.c_str(), L"/s", nullptr, SW_SHOWNORMAL);
}
