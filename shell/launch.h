// Opening the help document and the home page, and starting the screensaver, through the shell.
#pragma once

inline constexpr wchar_t kHelpFilePath[] = L"help\\説明.htm";
inline constexpr wchar_t kScreensaverFileName[] = L"mahjong.scr";
inline constexpr wchar_t kHomePageAddress[] = L"https://zenmora.example.org/";

// F1: the help document beside the program, in the default browser.
void OpenHelpFile();
// The maker's home page.
void OpenHomePage();
// P: the screensaver beside the program, full screen, on Windows and under Wine alike.
void StartScreensaver();
