// Where windows go among several monitors: plain arithmetic over the monitors' rectangles, tested on the host.
#include "shell/monitor_layout.h"

#include <algorithm>
#include <cstdint>

namespace {

// The rectangle both share; empty (right <= left or bottom <= top) when they do not meet.
ScreenRect Overlap(const ScreenRect& a, const ScreenRect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

bool IsEmpty(const ScreenRect& rect) { return rect.right <= rect.left || rect.bottom <= rect.top; }

int64_t Area(const ScreenRect& rect) {
    return IsEmpty(rect) ? 0 : int64_t{rect.right - rect.left} * (rect.bottom - rect.top);
}

// The gap between [aStart, aEnd) and [bStart, bEnd) on one axis; 0 where they meet.
int64_t Gap(int aStart, int aEnd, int bStart, int bEnd) {
    return std::max<int64_t>({0, int64_t{bStart} - aEnd, int64_t{aStart} - bEnd});
}

int64_t SquaredDistance(const ScreenRect& a, const ScreenRect& b) {
    const int64_t dx = Gap(a.left, a.right, b.left, b.right);
    const int64_t dy = Gap(a.top, a.bottom, b.top, b.bottom);
    return dx * dx + dy * dy;
}

// Shifts [start, end) by the least amount that puts it inside [low, high);
// when it is longer than that, its start goes to low.
int ShiftInto(int start, int end, int low, int high) {
    const int shift = std::min(0, high - end);
    return std::max(low, start + shift) - start;
}

}  // namespace

ScreenPoint CentredCorner(const ScreenRect& area, int width, int height) {
    return {area.left + (area.right - area.left - width) / 2, area.top + (area.bottom - area.top - height) / 2};
}

const MonitorArea& MonitorHolding(const MonitorList& monitors, const ScreenRect& window) {
    const MonitorArea* holder = &monitors.front();
    int64_t mostShared = 0;
    for (const MonitorArea& monitor : monitors) {
        const int64_t shared = Area(Overlap(monitor.bounds, window));
        if (shared > mostShared) {
            mostShared = shared;
            holder = &monitor;
        }
    }
    if (mostShared > 0) return *holder;
    for (const MonitorArea& monitor : monitors) {
        if (SquaredDistance(monitor.bounds, window) < SquaredDistance(holder->bounds, window)) holder = &monitor;
    }
    return *holder;
}

bool StoredPositionUsable(const MonitorList& monitors, ScreenPoint stored, int width, int captionHeight) {
    if (stored.x == 0 || stored.y == 0) return false;
    const ScreenRect caption = {stored.x, stored.y, stored.x + width, stored.y + captionHeight};
    return std::any_of(monitors.begin(), monitors.end(),
                       [&](const MonitorArea& monitor) { return !IsEmpty(Overlap(monitor.bounds, caption)); });
}

ScreenRect KeptInside(const ScreenRect& area, const ScreenRect& window) {
    const int dx = ShiftInto(window.left, window.right, area.left, area.right);
    const int dy = ShiftInto(window.top, window.bottom, area.top, area.bottom);
    return {window.left + dx, window.top + dy, window.right + dx, window.bottom + dy};
}

ScreenRect PrimaryPartOfClient(const MonitorList& monitors, const ScreenRect& clientOnScreen) {
    const ScreenRect shown = Overlap(monitors.front().bounds, clientOnScreen);
    const ScreenRect part = IsEmpty(shown) ? clientOnScreen : shown;
    return {part.left - clientOnScreen.left, part.top - clientOnScreen.top, part.right - clientOnScreen.left,
            part.bottom - clientOnScreen.top};
}
