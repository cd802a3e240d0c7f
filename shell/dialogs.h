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
// Dialog 255, with its buttons renamed はじめから / つづきから while an answer
// runs. Returns IDC_ANSWER_START (start from the dealt position) or IDCANCEL
// (2: leave things as they are).
int RunAnswerDialog(HWND owner, bool answerRunning);
