// Where windows go among several monitors: plain arithmetic over the monitors' rectangles, tested on the host.
#pragma once

#include <vector>

// A rectangle in screen coordinates; right and bottom lie just outside it.
struct ScreenRect {
    int left;
    int top;
    int right;
    int bottom;
    bool operator==(const ScreenRect&) const = default;
};

struct ScreenPoint {
    int x;
    int y;
    bool operator==(const ScreenPoint&) const = default;
};

// One monitor: its whole rectangle and its work area (less the taskbar).
struct MonitorArea {
    ScreenRect bounds;
    ScreenRect work;
};

// The monitors of the system, never empty, the primary monitor first.
using MonitorList = std::vector<MonitorArea>;

// The top-left corner that centres a width x height rectangle in `area`.
// Signed division truncates toward zero, so a rectangle one pixel larger
// than the area still starts at its edge.
ScreenPoint CentredCorner(const ScreenRect& area, int width, int height);

// The monitor that holds a window: the one it overlaps most, else the one
// nearest to it; the earlier monitor on a tie.
const MonitorArea& MonitorHolding(const MonitorList& monitors, const ScreenRect& window);

// True when the main window may open at a stored top-left corner: a
// position is stored (0 in either coordinate means none) and the strip
// along the top of a window that wide, captionHeight high, touches some
// monitor, so the player can take hold of it there. A window hanging partly
// past an edge keeps its place; one left on a monitor that is gone does not.
bool StoredPositionUsable(const MonitorList& monitors, ScreenPoint stored, int width, int captionHeight);

// The window moved, at its size, just far enough to lie inside `area`; where
// it is larger than the area its left or top edge stays on the area's.
ScreenRect KeptInside(const ScreenRect& area, const ScreenRect& window);

// The part of a full-screen window's client area (given in screen
// coordinates) that the primary monitor shows, in client coordinates; the
// whole client area when the primary monitor shows none of it.
ScreenRect PrimaryPartOfClient(const MonitorList& monitors, const ScreenRect& clientOnScreen);
