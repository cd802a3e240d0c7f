// The game's start-up: its window classes, the main window placed where the player left it, and the message loop.
#pragma once

#include <windows.h>

// Registers the game's window classes, in order.
void RegisterGameClasses(HINSTANCE instance);

// Creates the main window (its creation sets the whole game up, dialogs
// included), puts it at its stored place with a 640 x 480 client area and
// shows it. Null when the window could not be made.
HWND StartGameWindow(HINSTANCE instance, int showState);

