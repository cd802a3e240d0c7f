// The screensaver's host: the modes of its command line, its full-screen or preview window, the single-instance rule and the closing rules, around the program's hooks.
#pragma once

#include <windows.h>

// The hooks the saver program supplies to its host, with the signatures a
// screen-saver program has always had.
LRESULT WINAPI ScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL WINAPI ScreenSaverConfigureDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
BOOL WINAPI RegisterDialogClasses(HANDLE instance);

// The host's default handling, which ScreenSaverProc passes messages on to:
// in full screen it applies the closing rules (input, deactivation, the
// system commands, power messages and a session's end) before the
// platform's default; in a
// preview it forwards help requests to the host window.
LRESULT WINAPI DefScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The class and titles of the saver's windows; other programs find a running
// saver by them.
inline constexpr wchar_t kSaverClassName[] = L"WindowsScreenSaverClass";
inline constexpr wchar_t kFullScreenTitle[] = L"Screen Saver";
inline constexpr wchar_t kPreviewTitle[] = L"Preview";

// Runs the saver as its command line asks and returns the process's exit code.
int RunScreenSaver(HINSTANCE instance, const wchar_t* commandLine);
