// The platform of play for the real windows: tiles shown, hidden, drawn and placed, the cursor frame, the pictures, sounds, the history, the sound switch and the message boxes.
#include <windows.h>

#include <string>

#include "board/positions.h"
#include "board/tile_slots.h"
#include "game/play_windows.h"
#include "play/play_platform.h"
#include "shell/bitmaps.h"
#include "shell/dialogs.h"
#include "shell/resource.h"
#include "shell/settings.h"
#include "shell/sound_effects.h"
#include "shell/texts.h"

namespace {

// The sounds' names: files in sounds\ beside the game, or else names the platform looks up.
constexpr const wchar_t* kSoundNames[] = {L"check", L"cancel", L"get", L"tezumari", L"back"};

// Shows a picture over the board. Screen readers say an alert's name; the
// platform may not tell of a shown child by itself.
void ShowAlertPicture(HWND window) {
    if (window != nullptr) {
        ShowWindow(window, SW_SHOW);
        NotifyWinEvent(EVENT_OBJECT_SHOW, window, OBJID_WINDOW, CHILDID_SELF);
        NotifyWinEvent(EVENT_SYSTEM_ALERT, window, OBJID_CLIENT, CHILDID_SELF);
    }
}

}  // namespace

void PlaySoundEffect(Sound sound, bool noStop) {
    PlayNamedSound(kSoundNames[static_cast<int>(sound)], noStop);
}

unsigned char* FacePixels(int face) {
    BitmapCopy* copy = FindBitmap(IDB_FACE_FIRST + face);
    return copy != nullptr ? copy->pixels : nullptr;
}

unsigned char* LargeFacePixels(int face) { return boardScale.IsBase() ? nullptr : LargeFaceInLook(face); }

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

void ShowCursorFrame(int slot) { FrameTileWindow(slot); }
void HideCursorFrame() { HideCursorWindow(); }

void PlaceTiles(TilePlacementKind placement) {
    HDWP batch = BeginDeferWindowPos(kSlotCount);
    for (int slot = 0; slot < kSlotCount && batch != nullptr; ++slot) {
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
        if (placement == TilePlacementKind::Base) flags |= SWP_NOSIZE;
        const TilePlacement where = ScaledPlacement(placement == TilePlacementKind::Raised ? RaisedViewPlacement(slot)
                                                                                          : NormalViewPlacement(slot));
        batch = DeferWindowPos(batch, WindowOfSlot(slot), nullptr, where.left, where.top, where.width, where.height,
                               flags);
    }
    // A failed batch has already been given up by the platform.
    if (batch != nullptr) {
        EndDeferWindowPos(batch);
    }
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

void ShowDeadlockPicture(int takesBack) {
    // The name a screen reader says with the alert: how far back to go.
    std::wstring name = kDeadlockPictureName;
    if (takesBack > 0) {
        name += L"。" + std::to_wstring(takesBack) + kDeadlockTakesBackText;
    }
    SetWindowTextW(playWindows.deadlock, name.c_str());
    ShowAlertPicture(playWindows.deadlock);
}
void ShowVictoryPicture() { ShowAlertPicture(playWindows.victory); }

void HidePictures() {
    for (HWND window : {playWindows.victory, playWindows.deadlock}) {
        if (window != nullptr && IsWindowVisible(window)) {
            ShowWindow(window, SW_HIDE);
        }
    }
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
