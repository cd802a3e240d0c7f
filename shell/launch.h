// Opening the help document and the home page, and starting the screensaver, through the shell.
#pragma once

#include "shell/system_library.h"

inline constexpr wchar_t kHelpFilePath[] = L"help\\説明.htm";
inline constexpr wchar_t kScreensaverFileName[] = L"mahjong.scr";
inline constexpr wchar_t kHomePageAddress[] = L"https://zenmora.example.org/";

// F1: the help document beside the program, in the default browser.
void OpenHelpFile();
// The maker's home page.
void OpenHomePage();
// P: the screensaver beside the program, full screen, on Windows and under Wine alike.
void StartScreensaver();

// The same three with the shell's function taken from `shell32` (the shell
// library is loaded at the first of them): false, with nothing opened or
// started, when that library or its ShellExecuteW cannot be had.
bool OpenHelpFileFrom(SystemLibrary& shell32);
bool OpenHomePageFrom(SystemLibrary& shell32);
bool StartScreensaverFrom(SystemLibrary& shell32);
