// The game's modal dialogs: game selection, About, the first-run shortcut dialog and the answer.
#pragma once

#include <windows.h>

// Dialog 260: sets currentArrangement as letters are pressed and harderDeal
// on 決定, its only way out. Returns 1.
int RunGameSelectDialog(HWND owner);
// Dialog 253. Returns 1.
int RunAboutDialog(HWND owner);
// Dialog 318: on OK makes the ticked shortcuts and saves the choices. Returns 1.
int RunFirstRunDialog(HWND owner);
// A dialog shown while its owner is still hidden (the start-up dialogs come
// before the main window shows) gets a taskbar button with the game's icon:
// otherwise a covered dialog, or one refused the foreground, leaves the
// player nothing to see or click. Call it before the dialog shows.
void ShowOnTaskbarWhileOwnerHidden(HWND dialog);
// Gives the dialog's crown, where its icon control has grown past 32 pixels
// with the display scale, a picture drawn for its size.
void ShowCrispIcons(HWND dialog);

// Dialog 255, with its buttons renamed はじめから / つづきから while an answer
// runs. Returns IDC_ANSWER_START (start from the dealt position) or IDCANCEL
// (2: leave things as they are).
int RunAnswerDialog(HWND owner, bool answerRunning);
