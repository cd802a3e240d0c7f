// The display scale: a monitor's DPI over 96, and every place drawn for 96 DPI scaled by one rule.
#include "shell/display_scale.h"

DisplayScale ScaleForDpi(int dpi) {
    return DisplayScale{dpi >= kBaseDpi && dpi <= kHighestDpi ? dpi : kBaseDpi};
}

DisplayScale FittingScale(DisplayScale scale, int width, int height, int frameWidth, int frameHeight, int areaWidth,
                          int areaHeight) {
    // The frame, menu bar and status bar keep the monitor's DPI whatever the
    // board's; trying each DPI down from the monitor's follows the rounding.
    for (int dpi = scale.dpi; dpi > kBaseDpi; --dpi) {
        const DisplayScale tried{dpi};
        if (tried.Scaled(width) + frameWidth <= areaWidth && tried.Scaled(height) + frameHeight <= areaHeight) {
            return tried;
        }
    }
    return DisplayScale{};
}
