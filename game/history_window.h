// The taken-tile history window: its class, its procedure, and showing it beside the board.
#pragma once

#include <windows.h>

inline constexpr wchar_t kHistoryWindowClass[] = L"Rireki Window";

LRESULT CALLBACK HistoryWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// "取った牌": brings the history window to the top when it is on the screen;
// otherwise creates it on first use (placed beside the main window), has it
// compose the taken pairs and shows it.
void ShowHistory(HWND mainWindow);

// Frees the history palette (at shut-down).
void ReleaseHistoryPalette();
