// The screensaver's window: its procedure over the animation, and the game's sound switch it honours.
#pragma once

#include <windows.h>

#include <cstdint>

#include "saver/animation.h"

// The saver window of the process, once it is created.
HWND SaverWindowHandle();

// Sets up the saver window and its animation for a display of `dpi` (out of
// range is 96), the canvas centred in `pictureArea` (client coordinates);
// its creation calls it with the primary monitor's DPI. False when the
// program's pictures are damaged.
bool SetUpSaverWindow(HWND window, int dpi, const ScreenRect& pictureArea, bool preview);

// The animation of the saver window.
SaverAnimation& SaverWindowAnimation();

// Transfers the part `changed` of the canvas (bottom line first) to the
// window's device context where the animation shows it, through the saver's
// palette.
void DrawCanvas(HDC dc, const uint8_t* canvas, const CanvasRect& changed = kWholeCanvas);

// The game's sound switch from its settings file "zmr.ini", found as the game
// finds it from the saver's own folder (beside the program, or the user's
// own where that folder takes no writes): 1 (sounds on) when the file or its key is missing or the key reads exactly
// the number 1; 0 for anything else (0, 2, letters, a number too large).
// The saver never writes the file.
int ReadSaverSoundSwitch();
