// The game selection dialog: four arrangement letters, the preview of the chosen one, and the harder-deal box.
#include <windows.h>

#include "board/tile_slots.h"
#include "shell/bitmaps.h"
#include "shell/dialogs.h"
#include "shell/resource.h"
#include "shell/window_geometry.h"

namespace {

// Everything the dialog owns. It lives on the stack of RunGameSelectDialog
// and is reached through DWLP_USER; its pictures go with it, once the
// dialog and the buttons that show them are gone.
struct SelectDialogState {
    SelectDialogState() = default;
    SelectDialogState(const SelectDialogState&) = delete;
    SelectDialogState& operator=(const SelectDialogState&) = delete;
    ~SelectDialogState();

    // Letters A to D not chosen (0 to 3), then the same letters chosen (4 to 7).
    HBITMAP letters[2 * kArrangementCount] = {};
    HBITMAP previews[kArrangementCount] = {};
    // The arrangement whose letter shows the chosen picture; 0 for none.
    int previousArrangement = 0;
};

// The dialog grows with the system font for the monitor's DPI, and its
// pictures with it, so they fill their buttons and frame as at 96 DPI.
void LoadPictures(HWND dialog, SelectDialogState& state) {
    const DisplayScale scale = ScaleForDpi(DpiOfWindow(dialog));
    for (int k = 0; k < kArrangementCount; ++k) {
        state.letters[k] = CreatePictureForScale(IDB_LETTER_DIM_FIRST + k, scale);
        state.letters[kArrangementCount + k] = CreatePictureForScale(IDB_LETTER_BRIGHT_FIRST + k, scale);
        state.previews[k] = CreatePictureForScale(IDB_PREVIEW_FIRST + k, scale);
    }
}

SelectDialogState::~SelectDialogState() {
    for (HBITMAP picture : letters) {
        if (picture != nullptr) DeleteObject(picture);
    }
    for (HBITMAP picture : previews) {
        if (picture != nullptr) DeleteObject(picture);
    }
}

int LetterButton(int arrangement) { return IDC_SELECT_A + arrangement - 1; }

void ShowLetter(HWND dialog, const SelectDialogState& state, int arrangement, bool chosen) {
    HBITMAP picture = state.letters[(chosen ? kArrangementCount : 0) + arrangement - 1];
    SendDlgItemMessageW(dialog, LetterButton(arrangement), BM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(picture));
}

void ShowPreview(HWND dialog, const SelectDialogState& state, int arrangement) {
    SendDlgItemMessageW(dialog, IDC_SELECT_PREVIEW, STM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(state.previews[arrangement - 1]));
}

void Initialise(HWND dialog, SelectDialogState& state) {
    LoadPictures(dialog, state);
    ShowCrispIcons(dialog);
    ShowOnTaskbarWhileOwnerHidden(dialog);
    CenterWindowOnDesktop(dialog);
    if (currentArrangement == 0) {
        EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
    }
    for (int k = 1; k <= kArrangementCount; ++k) {
        const bool chosen = currentArrangement == k;
        if (chosen) {
            ShowPreview(dialog, state, k);
        }
        ShowLetter(dialog, state, k, chosen);
    }
    CheckDlgButton(dialog, IDC_SELECT_HARDER, harderDeal == 1 ? BST_CHECKED : BST_UNCHECKED);
    state.previousArrangement = currentArrangement;
}

void ChooseArrangement(HWND dialog, SelectDialogState& state, int arrangement) {
    if (currentArrangement == arrangement) {
        return;
    }
    currentArrangement = arrangement;
    ShowPreview(dialog, state, arrangement);
    for (int j = 1; j <= kArrangementCount; ++j) {
        if (j == state.previousArrangement) {
            ShowLetter(dialog, state, j, false);
        } else if (j == arrangement) {
            ShowLetter(dialog, state, j, true);
        }
    }
    EnableWindow(GetDlgItem(dialog, IDOK), TRUE);
    state.previousArrangement = arrangement;
}

INT_PTR CALLBACK SelectDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<SelectDialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        state = reinterpret_cast<SelectDialogState*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
        Initialise(dialog, *state);
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id >= IDC_SELECT_A && id <= IDC_SELECT_D) {
            ChooseArrangement(dialog, *state, id - IDC_SELECT_A + 1);
            return TRUE;
        }
        // Enter reaches the dialog as id 1 even while 決定 is disabled; no
        // arrangement is chosen then, so the dialog must stay.
        if (id == IDOK && IsWindowEnabled(GetDlgItem(dialog, IDOK))) {
            harderDeal = IsDlgButtonChecked(dialog, IDC_SELECT_HARDER) == BST_CHECKED ? 1 : 0;
            EndDialog(dialog, 1);
            return TRUE;
        }
        // Cancel (Esc, a close request) and everything else: the dialog stays.
        return FALSE;
    }
    default:
        return FALSE;
    }
}

}  // namespace

int RunGameSelectDialog(HWND owner) {
    SelectDialogState state;
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_GAME_SELECT), owner, SelectDialogProc,
                    reinterpret_cast<LPARAM>(&state));
    return 1;
}
