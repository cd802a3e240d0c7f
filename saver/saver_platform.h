// The seam between the screensaver's animation and its window: every effect the animation has outside its canvas.
#pragma once

#include <cstdint>

// The saver window implements these for the real window; host tests link a
// recorder that logs every call in order.

enum class SaverSound { Get, Check, Cancel };

// Plays a sound by name, asynchronously and without a default sound. The
// caller has already checked the sound switch.
void PlaySaverSound(SaverSound sound);

// Transfers the whole 640 x 480 canvas (bottom line first) to the window at
// the origin, through the palette.
void ShowCanvas(const uint8_t* canvas);

// Starts the animation timer with this period, replacing a running one.
void StartAnimationTimer(int periodMs);
// Stops the animation timer.
void StopAnimationTimer();

// Blocks the window's thread for one second, with what was shown last on
// the screen; messages that arrive meanwhile are handled afterwards.
void PauseOneSecond();
