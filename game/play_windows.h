// The game's play windows: their procedures, the tile windows' creation and placing, and the handles the main window holds.
#pragma once

#include <windows.h>

#include "board/positions.h"
#include "shell/display_scale.h"

inline constexpr wchar_t kMainWindowClass[] = L"Parent Window";
inline constexpr wchar_t kTileWindowClass[] = L"Pai Window";
inline constexpr wchar_t kCursorWindowClass[] = L"Waku Window";

// The handles of the play windows, held for the life of the main window.
struct PlayWindows {
    HWND main = nullptr;
    HWND history = nullptr;   // the taken-tile history, once it exists
    HWND victory = nullptr;   // the victory picture
    HWND deadlock = nullptr;  // the deadlock picture
};
extern PlayWindows playWindows;

// The scale every play window is drawn at: the DPI of the monitor that holds
// the main window, lowered where the board would not fit its work area.
extern DisplayScale boardScale;

// A place and size given for 96 DPI, at the board's scale.
inline TilePlacement ScaledPlacement(const TilePlacement& place) {
    return {boardScale.Scaled(place.left), boardScale.Scaled(place.top), boardScale.Scaled(place.width),
            boardScale.Scaled(place.height)};
}

// Sent to the history window: compose the taken pairs again.
constexpr UINT kHistoryRefreshMessage = WM_USER + 1;

// Posted by the hint's report that no pair is left, with the hint run.
constexpr UINT kHintDeadlockMessage = WM_APP + 1;
// Tells the player that the hint found no pair.
void ShowHintDeadlockBox(HWND mainWindow);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK TileWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK CursorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The keyboard cursor's frame, hidden until the first cursor key; made after
// the pictures and before the tiles, so it lies between them.
void CreateCursorWindow(HWND mainWindow);
// The frame goes with the main window.
void ForgetCursorWindow();
// Shows the frame around the slot's tile window where it stands now; a slot
// it was not on before also gets the keyboard focus.
void FrameTileWindow(int slot);
void HideCursorWindow();

// Posted to a tile window whose look was drawn: its name follows the
// selection once the change that drew it is over.
constexpr UINT kTileRenameMessage = WM_APP + 2;

// Creates the 144 tile windows, slot 143 first so that higher slots lie on
// top, each with the tile outline; shown and named when `show` is set.
// Does nothing when they exist already.
void CreateTileWindows(HWND mainWindow, bool show);

// The tile window of a slot, or null for a slot out of range.
HWND WindowOfSlot(int slot);

// Names a tile window after its tile, and after its selection, for screen
// readers (told when the name changes); nothing is drawn.
void NameTileWindow(int slot);

// Draws a slot's current face picture into its window now.
void DrawTileNow(int slot);
// The double-size picture of a face, in the look its own picture shows, or
// null when the program lacks it.
unsigned char* LargeFaceInLook(int face);
// Gives every tile window the tile's outline at the board's scale.
void ShapeTileWindows();

// Frees the tiles' shared palette (at shut-down).
void ReleaseTilePalette();
