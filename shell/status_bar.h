// The status bar (clock and help texts), the clock timer's flag, and the two view buttons with their hover help.
#pragma once

#include <windows.h>

#include "shell/display_scale.h"
#include "shell/system_library.h"

// Timer 1 of the main window drives the clock.
constexpr UINT_PTR kClockTimerId = 1;
// A view button is told to load its hand cursor.
constexpr UINT kLoadHandCursorMessage = WM_USER + 1;
// The mouse is over the upper or the lower view button (sent to the main window).
constexpr UINT kUpViewButtonHoverMessage = WM_USER + 2;
constexpr UINT kDownViewButtonHoverMessage = WM_USER + 3;

// 1 while timer 1 runs, 0 while a help text has stopped it.
extern int clockTimerOn;

// Main window creation: the flag is 1 and timer 1 runs every 1000 ms.
void StartClock(HWND mainWindow);
// A mouse move in the main window's own client area: a stopped clock starts
// again, now every 100 ms.
void ResumeClock(HWND mainWindow);
// Main window destruction: the flag is 1 and timer 1 is stopped.
void StopClock(HWND mainWindow);

// Loads and initialises the common controls and creates the bar across the
// bottom.
HWND CreateStatusBar(HWND mainWindow);
// The same with the common controls taken from `comctl32`: null, with no bar
// and every later text shown nowhere, when that library or its
// InitCommonControlsEx cannot be had.
HWND CreateStatusBarFrom(SystemLibrary& comctl32, HWND mainWindow);
// Shows `text` on the bar as its one part; visible on Windows and under Wine.
void SetStatusText(const wchar_t* text);
// Timer 1: the local date and time on the bar.
void ShowClock();
// A mouse move over the main window's menu bar or frame, at a screen point.
void ShowMenuHelp(HWND mainWindow, POINT screenPoint);
// The mouse is over the upper (true) or the lower (false) view button.
void ShowViewButtonHelp(bool upper);

// Creates the view buttons 100 (up arrow) and 101 (down arrow) with their
// hand cursor and hover help. Their procedures answer the cursor request
// with the hand and 0, and report mouse moves to the main window with
// kUpViewButtonHoverMessage / kDownViewButtonHoverMessage instead of passing
// them on; clicks still reach the button and come back as WM_COMMAND.
void CreateViewButtons(HWND mainWindow);
// Lays the bar and the buttons out for a new scale: the bar in the
// system's status font for `dpi` (the monitor's), the buttons at their
// places, sizes and pictures at the board's `scale`.
void ScaleStatusBarAndViewButtons(int dpi, DisplayScale scale);
// Main window destruction: gives both buttons the button procedure back and
// frees their pictures.
void ReleaseViewButtons();
