// Placing windows: centring on the player's monitor, sizing by the client area, and the main window's stored position.
#pragma once

#include <windows.h>

#include "shell/display_scale.h"
#include "shell/monitor_layout.h"

// The main window's client area: the board, the status bar and the view buttons.
constexpr int kMainClientWidth = 640;
constexpr int kMainClientHeight = 480;

// The system's monitors, the primary first; the desktop window's rectangle
// stands for the one monitor where the system lists none.
MonitorList DisplayMonitors();

// The monitor the player looks at for this window: the one that holds its
// owner (the game's main window, for the game's dialogs and history window);
// the primary monitor for a window without an owner, or whose owner is
// minimised.
MonitorArea MonitorOfOwner(HWND window);

// Centres the window at its current size on MonitorOfOwner, puts it on top
// of the z-order and leaves it hidden (every caller shows it afterwards).
// Returns 0.
int CenterWindowOnDesktop(HWND window);

// Resizes the window so that its client area is width x height, keeping its
// top-left corner where it is; exact also when the new width makes the menu
// bar take more or fewer rows.
void SetClientAreaSize(HWND window, int width, int height, bool repaint);

// Puts the main window where the player left it: at the stored (x, y) with
// the outer size 640 x 510 when a position is stored (neither is 0) and some
// part of the window's caption would be on a monitor, whichever monitor that
// is; centred on the primary monitor otherwise (say X = -5000, or a place on
// a monitor since removed), so the window never opens out of reach. The
// caller sets the client size afterwards (SetClientAreaSize), which keeps
// the corner chosen here.
void PlaceMainWindow(HWND window, int storedX, int storedY);

// Sent to a top-level window moved to a monitor of another DPI (Windows 8.1
// and later; the headers name it only for newer targets than ours).
constexpr UINT kDpiChangedMessage = 0x02E0;

// The screen's DPI for the whole system: the primary monitor's when the
// player signed in. 96 where it cannot be read.
int SystemDpi();

// The DPI of the monitor that holds the window, as the system tells a
// program aware of each monitor's scale (Windows 10 1607 and later); the
// system's DPI on older systems.
int DpiOfWindow(HWND window);

// The scale to draw a window whose client area is width x height at 96 DPI:
// `dpi` (as the system reports it), lowered where the client area at that
// scale with the window's present frame, menu bar and the like would not
// fit the work area of the monitor that holds `place` (the window's
// rectangle, or the one the system suggests for it).
DisplayScale ScaleFittingWorkArea(HWND window, const RECT& place, int dpi, int width, int height);
