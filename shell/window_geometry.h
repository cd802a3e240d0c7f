// Placing windows: centring on the desktop, sizing by the client area, and the main window's stored position.
#pragma once

#include <windows.h>

// The main window's client area: the board, the status bar and the view buttons.
constexpr int kMainClientWidth = 640;
constexpr int kMainClientHeight = 480;

// Centres the window on the desktop at its current size, puts it on top of
// the z-order and leaves it hidden (every caller shows it afterwards).
// Returns 0.
int CenterWindowOnDesktop(HWND window);

// Resizes the window so that its client area is width x height, keeping its
// top-left corner where it is; exact also when the new width makes the menu
// bar take more or fewer rows.
void SetClientAreaSize(HWND window, int width, int height, bool repaint);

// Puts the main window where the player left it: at the stored (x, y) with
// the outer size 640 x 510 when a position is stored (neither is 0) and it
// lies on the screen; centred otherwise. A position from which no part of
// the window's caption would be on any monitor (say X = -5000) is treated
// like one beyond the screen, so the window never opens out of reach. The
// caller sets the client size afterwards (SetClientAreaSize), which keeps
// the corner chosen here.
void PlaceMainWindow(HWND window, int storedX, int storedY);
