// The About dialog, the first-run dialog that offers shortcuts to the game, and the answer dialog.
#include <windows.h>
#include <shlobj.h>

#include <utility>

#include "shell/bitmaps.h"
#include "shell/dialogs.h"
#include "shell/resource.h"
#include "shell/settings.h"
#include "shell/shell_links.h"
#include "shell/texts.h"
#include "shell/window_geometry.h"

namespace {

// One row per box of the first-run dialog, in the order the shortcuts are made.
struct ShortcutChoice {
    int box;
    int folderId;
    int ShortcutChoices::*flag;
};

constexpr ShortcutChoice kShortcutTable[] = {
    {IDC_SHORTCUT_STARTUP, CSIDL_STARTUP, &ShortcutChoices::startup},
    {IDC_SHORTCUT_DESKTOP, CSIDL_DESKTOP, &ShortcutChoices::desktop},
    {IDC_SHORTCUT_START_MENU, CSIDL_PROGRAMS, &ShortcutChoices::startMenu},
};

}  // namespace

namespace {

// An icon control of the dialog gets the crown at `side` pixels.
BOOL CALLBACK GiveCrownOfSide(HWND child, LPARAM side) {
    if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        HICON icon = LoadIconForSize(IDI_CROWN, static_cast<int>(side));
        SendMessageW(child, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    }
    return TRUE;
}

}  // namespace

void ShowCrispIcons(HWND dialog) {
    // The template's icon control shows the crown at 32 pixels, stretched
    // by the system as the dialog grows; give it one drawn for the scale,
    // which it takes on as its size.
    const int side = ScaleForDpi(DpiOfWindow(dialog)).Scaled(32);
    if (side > 32) EnumChildWindows(dialog, GiveCrownOfSide, side);
}

void ShowOnTaskbarWhileOwnerHidden(HWND dialog) {
    if (IsWindowVisible(GetWindow(dialog, GW_OWNER))) return;
    SetWindowLongPtrW(dialog, GWL_EXSTYLE, GetWindowLongPtrW(dialog, GWL_EXSTYLE) | WS_EX_APPWINDOW);
    // Shared icons: the system frees them with the program.
    for (const auto& [which, size] : {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
        HICON icon = LoadIconForSize(IDI_CROWN, GetSystemMetrics(size));
        SendMessageW(dialog, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    }
}

namespace {

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        ShowCrispIcons(dialog);
        CenterWindowOnDesktop(dialog);
        return TRUE;
    case WM_COMMAND:
        // Only OK closes it; Esc arrives as IDCANCEL and is left alone.
        if (LOWORD(wParam) == IDOK) {
            EndDialog(dialog, 1);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

void MakeTickedShortcuts(HWND dialog) {
    HWND owner = GetWindow(dialog, GW_OWNER);
    for (const ShortcutChoice& choice : kShortcutTable) {
        if (IsDlgButtonChecked(dialog, choice.box) == BST_CHECKED) {
            shortcutChoices.*choice.flag = 1;
            // A shortcut that cannot be made is not reported; the choice
            // is still recorded.
            CreateProgramShortcut(owner, kProductName, choice.folderId);
        } else {
            shortcutChoices.*choice.flag = 0;
        }
    }
    SaveShortcutChoices(kSettingsFileName);
}

INT_PTR CALLBACK FirstRunDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        ShowOnTaskbarWhileOwnerHidden(dialog);
        CenterWindowOnDesktop(dialog);
        for (const ShortcutChoice& choice : kShortcutTable) {
            CheckDlgButton(dialog, choice.box, shortcutChoices.*choice.flag == 1 ? BST_CHECKED : BST_UNCHECKED);
        }
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            MakeTickedShortcuts(dialog);
            EndDialog(dialog, 1);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 1);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

// lParam of the dialog's creation: 1 while an answer is already running.
INT_PTR CALLBACK AnswerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        CenterWindowOnDesktop(dialog);
        if (lParam == 1) {
            SetDlgItemTextW(dialog, IDC_ANSWER_START, kAnswerAgainText);
            SetDlgItemTextW(dialog, IDCANCEL, kAnswerGoOnText);
        }
        return TRUE;
    case WM_COMMAND:
        // Esc arrives as IDCANCEL, like the second button.
        if (LOWORD(wParam) == IDC_ANSWER_START || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

int RunAnswerDialog(HWND owner, bool answerRunning) {
    return static_cast<int>(DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ANSWER), owner,
                                            AnswerDialogProc, answerRunning ? 1 : 0));
}

int RunAboutDialog(HWND owner) {
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT), owner, AboutDialogProc, 0);
    return 1;
}

int RunFirstRunDialog(HWND owner) {
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_FIRST_RUN), owner, FirstRunDialogProc, 0);
    return 1;
}
