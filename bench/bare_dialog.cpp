// The floor for the game's start-up: a hidden owner window whose creation shows the game's selection dialog, centred as the game centres it, and nothing else.
#include <windows.h>

#include "shell/resource.h"
#include "shell/window_geometry.h"

namespace {

constexpr wchar_t kOwnerClassName[] = L"Bare Dialog Owner";

INT_PTR CALLBACK BareDialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) {
        CenterWindowOnDesktop(dialog);
        return TRUE;
    }
    return FALSE;
}

// The game runs its selection dialog from its main window's creation, before
// that window shows; so does this owner, which never shows.
LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_GAME_SELECT), window, BareDialogProc, 0);
        return -1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = OwnerProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = kOwnerClassName;
    if (RegisterClassExW(&windowClass) == 0) {
        return 1;
    }
    // The game's frame; the dialog's end also ends the owner's creation.
    CreateWindowExW(0, kOwnerClassName, L"Bare Dialog", WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    return 0;
}
