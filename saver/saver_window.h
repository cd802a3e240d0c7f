// The screensaver's window: its procedure over the animation, and the game's sound switch it honours.
#pragma once

#include <windows.h>

#include <cstdint>

// The saver window of the process, once it is created.
HWND SaverWindowHandle();

// Transfers a whole 640 x 480 canvas (bottom line first) to the window's
// device context at the animation's origin, through the saver's palette.
void DrawCanvas(HDC dc, const uint8_t* canvas);

// The game's sound switch from its settings file "zmr.ini", found as the game
// finds it from the saver's own folder (beside the program, or the user's
// own where that folder takes no writes): 1 (sounds on) when the file or its key is missing or the key reads exactly
// the number 1; 0 for anything else (0, 2, letters, a number too large).
// The saver never writes the file.
int ReadSaverSoundSwitch();
