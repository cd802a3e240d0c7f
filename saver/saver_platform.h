// The platform as the screensaver's animation reaches it: every effect the animation has outside its canvas.
#pragma once

#include <cstdint>

#include "shell/monitor_layout.h"

// Two sides implement it: saver/saver_platform_win32.cpp (library
// saver_window) for the real window, and
// tests/support/saver_platform_recorder.cpp (library saver_platform_recorder)
// for host tests, logging every call in order.

enum class SaverSound { Get, Check, Cancel };

// Plays a sound by name, asynchronously and without a default sound. The
// caller has already checked the sound switch.
void PlaySaverSound(SaverSound sound);

// Transfers the part `changed` of the canvas (bottom line first, at the
// animation's look) to the window, through the palette; the rest of it is
// on the screen already.
void ShowCanvas(const uint8_t* canvas, const ScreenRect& changed);

// Starts the animation timer with this period, replacing a running one.
void StartAnimationTimer(int periodMs);
// Stops the animation timer.
void StopAnimationTimer();

// Blocks the window's thread for one second, with what was shown last on
// the screen; messages that arrive meanwhile are handled afterwards.
void PauseOneSecond();
