// The screensaver's platform for the real window: sounds, the canvas shown, the animation timer and the pause.
#include <windows.h>

#include "saver/animation.h"
#include "saver/saver_platform.h"
#include "saver/saver_window.h"
#include "shell/sound_effects.h"

namespace {

constexpr const wchar_t* kSoundNames[] = {L"get", L"check", L"cancel"};  // by SaverSound

}  // namespace

void PlaySaverSound(SaverSound sound) { PlayNamedSound(kSoundNames[static_cast<int>(sound)], false); }

void ShowCanvas(const uint8_t* canvas, const ScreenRect& changed) {
    HWND window = SaverWindowHandle();
    HDC dc = GetDC(window);
    DrawCanvas(dc, canvas, changed);
    ReleaseDC(window, dc);
}

void StartAnimationTimer(int periodMs) {
    SetTimer(SaverWindowHandle(), kAnimationTimerId, static_cast<UINT>(periodMs), nullptr);
}

void StopAnimationTimer() { KillTimer(SaverWindowHandle(), kAnimationTimerId); }

// A pause leaves the last picture on screen. Under Wine what a tick drew
// reaches the screen only when the thread next waits for messages, and a
// plain Sleep showed every pause the picture one tick old; a message wait
// that wakes for no message lets it be shown first, and input that arrives
// meanwhile stays queued until the pause is over. Nothing can end the wait
// early, so its result is always the timeout and is not looked at.
void PauseOneSecond() { MsgWaitForMultipleObjects(0, nullptr, FALSE, 1000, 0); }
