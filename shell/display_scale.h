// The display scale: a monitor's DPI over 96, and every place drawn for 96 DPI scaled by one rule.
#pragma once

// The DPI every size of the game's pictures and windows was drawn for.
constexpr int kBaseDpi = 96;
// The DPIs the game follows; a system that reports another is taken at 96.
constexpr int kHighestDpi = 480;

struct DisplayScale {
    int dpi = kBaseDpi;

    // A number of pixels at 96 DPI, a place or a size, scaled and rounded to
    // the nearest pixel, halves up: the one rule for every window, tile and
    // picture of the game. Places and sizes scale alike, so every tile has
    // the same size, and neighbours 36 or 50 pixels apart at 96 DPI (a
    // multiple of 4) overlap alike at every scale in quarter steps.
    constexpr int Scaled(int pixels) const {
        const long long twice = 2LL * pixels * dpi + kBaseDpi;
        const long long step = 2LL * kBaseDpi;
        return static_cast<int>(twice >= 0 ? twice / step : -((-twice + step - 1) / step));
    }
    // The 96-DPI pixel that a pixel at this scale lies in (for the mouse).
    constexpr int Unscaled(int pixel) const {
        const long long scaled = 1LL * pixel * kBaseDpi;
        return static_cast<int>(scaled >= 0 ? scaled / dpi : -((-scaled + dpi - 1) / dpi));
    }
    constexpr bool IsBase() const { return dpi == kBaseDpi; }
    bool operator==(const DisplayScale&) const = default;
};

// The scale for a DPI the system reports; anything outside 96..480 (an old
// system's failure, a broken driver) is 96.
DisplayScale ScaleForDpi(int dpi);

// The largest scale, not above `scale`, at which a window whose client area
// is width x height at 96 DPI, with `frameWidth` x `frameHeight` more for its
// frame, menu bar and status bar (drawn at the monitor's DPI, whatever the
// board's), fits into a work area of areaWidth x areaHeight; never below 96.
DisplayScale FittingScale(DisplayScale scale, int width, int height, int frameWidth, int frameHeight, int areaWidth,
                          int areaHeight);
