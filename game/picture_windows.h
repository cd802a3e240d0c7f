// The victory and deadlock pictures: two child windows of the main window, each showing one picture until it is clicked.
#pragma once

#include <windows.h>

inline constexpr wchar_t kVictoryWindowClass[] = L"Omigoto Window";
inline constexpr wchar_t kDeadlockWindowClass[] = L"Tezumari Window";

LRESULT CALLBACK VictoryWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK DeadlockWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Create the picture windows, hidden, unless they exist already; created
// before the tile windows, they lie above every tile.
void CreateVictoryWindow(HWND mainWindow);
void CreateDeadlockWindow(HWND mainWindow);

// Puts both at their places and sizes at the board's scale.
void PlacePictureWindows();

// Frees the two pictures' palettes (at shut-down).
void ReleasePicturePalettes();
