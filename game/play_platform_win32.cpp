// The screen as the rules of play see it, for the real windows: tiles shown, hidden and drawn, sounds, the history and the sound switch.
#include <windows.h>

#include "board/tile_slots.h"
#include "play/play_windows.h"
#include "play/screen.h"
#include "shell/bitmaps.h"
#include "shell/resource.h"
#include "shell/dialogs.h"
#include "shell/settings.h"
#include "shell/sound_effects.h"
#include "shell/texts.h"

namespace {

// The sounds' names: files in sounds\ beside the game, or else names the platform looks up.
constexpr const wchar_t* kSoundNames[] = {L"check", L"cancel", L"get", L"tezumari", L"back"};

}  // namespace

void PlaySoundEffect(Sound sound, bool noStop) {
    PlayNamedSound(kSoundNames[static_cast<int>(sound)], noStop);
}

unsigned char* FacePixels(int face) {
    BitmapCopy* copy = FindBitmap(IDB_FACE_FIRST + face);
    return copy != nullptr ? copy->pixels : nullptr;
}

void DrawTile(int slot) {
    if (IsValidSlot(slot)) {
        DrawTileNow(slot);
    }
}

void HideTile(int slot) {
    ShowWindow(WindowOfSlot(slot), SW_HIDE);
}

void ShowTile(int slot) {
    HWND window = WindowOfSlot(slot);
    if (window == nullptr) {
        return;
    }
    NameTileWindow(slot);
    if (!IsWindowVisible(window)) {
        ShowWindow(window, SW_SHOWNA);
    }
    InvalidateRect(window, nullptr, TRUE);
}

void RefreshHistory(bool onlyIfVisible) {
    HWND history = playWindows.history;
    if (history != nullptr && (!onlyIfVisible || IsWindowVisible(history))) {
        SendMessageW(history, kHistoryRefreshMessage, 0, 0);
    }
}

void ShowSoundChecks(int soundOn) {
    HMENU menu = GetMenu(playWindows.main);
    CheckMenuItem(menu, IDM_SOUND_ON, MF_BYCOMMAND | (soundOn != 0 ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(menu, IDM_SOUND_OFF, MF_BYCOMMAND | (soundOn != 0 ? MF_UNCHECKED : MF_CHECKED));
}

void StoreSoundSetting(int soundOn) {
    WriteSettingInt(L"SOUND", L"sound", soundOn, kSettingsFileName);
}

void FlushTileDrawing() {
    // Under Wine what the worker drew reaches the screen when the window
    // thread next looks at its messages; an idle one is woken for it.
    PostMessageW(playWindows.main, WM_NULL, 0, 0);
}

void ReportHintDeadlock(int run) {
    PostMessageW(playWindows.main, kHintDeadlockMessage, static_cast<WPARAM>(run), 0);
}

void ShowHintDeadlockBox(HWND mainWindow) {
    MessageBoxW(mainWindow, kHintDeadlockText, kHintDeadlockCaption, MB_OK);
}

void ShowThreadFailure() {
    MessageBoxW(playWindows.main, kThreadFailureText, kThreadFailureCaption, MB_OK);
}

void ShowAnswerRefusal(bool neverPlayed) {
    MessageBoxW(playWindows.main, neverPlayed ? kAnswerNeverPlayedText : kAnswerPlayMoreText, kAnswerCaption,
                MB_OK | MB_ICONWARNING);
}

int AskAnswerStart(bool answerRunning) {
    return RunAnswerDialog(playWindows.main, answerRunning);
}
