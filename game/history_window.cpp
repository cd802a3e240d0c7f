// The taken-tile history window: the taken pairs as small faces in the order of taking; a click on one undoes back to it.
#include "game/history_window.h"

#include "game/play_windows.h"
#include "play/game_state.h"
#include "play/history.h"
#include "play/undo.h"
#include "shell/bitmaps.h"
#include "shell/resource.h"
#include "shell/system_library.h"
#include "shell/texts.h"
#include "shell/window_geometry.h"

namespace {

constexpr int kWindowWidth = 224;
constexpr int kWindowHeight = 400;
// On a monitor narrower than this the window is centred instead of put beside the board.
constexpr int kNarrowScreen = 800;
// Beside the board: to the right when the main window is near its monitor's
// left edge, else to its left.
constexpr int kNearLeftEdge = 224;
constexpr int kRightOfBoard = 650;
constexpr int kLeftOfBoard = 234;

// The history palette, the composition surface and the two button pictures.
// The window exists once and is only hidden and shown again; the main window
// frees the palette at shut-down, the window its button pictures when it goes.
struct HistoryWindowState {
    HeldPalette palette;
    const BITMAPINFO* header = nullptr;
    unsigned char* surface = nullptr;
    HBITMAP buttonPictures[2] = {};
    // The scale of the monitor that holds the history window: the board's
    // when it is made, its own once moved to a monitor of another DPI.
    DisplayScale scale;
};
HistoryWindowState history;

struct PictureButton {
    int id;
    const wchar_t* text;
    int x;
    int bitmap;
};
constexpr PictureButton kButtons[] = {
    {IDC_HISTORY_HELP, L"？", 150, IDB_HELP_BUTTON},
    {IDC_HISTORY_CLOSE, L"×", 181, IDB_CLOSE_BUTTON},
};
constexpr int kButtonTop = 3;
constexpr int kButtonSize = 30;

// The keys that work as in the main window while the history has the focus.
constexpr WPARAM kForwardedKeys[] = {VK_BACK, VK_ESCAPE, 'P', VK_F1, VK_F2, VK_F3,
                                     VK_LEFT, VK_RIGHT, VK_TAB, VK_HOME, VK_END, VK_RETURN};

HWND MainWindowOf(HWND window) { return GetWindow(window, GW_OWNER); }

void CreateButtons(HWND window) {
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    for (const PictureButton& row : kButtons) {
        CreateWindowExW(0, L"BUTTON", row.text, WS_CHILD | WS_VISIBLE | BS_BITMAP, 0, 0, 0, 0, window,
                        reinterpret_cast<HMENU>(static_cast<intptr_t>(row.id)), instance, nullptr);
    }
}

void ReleaseButtonPictures() {
    for (HBITMAP& picture : history.buttonPictures) {
        if (picture != nullptr) {
            DeleteObject(picture);
            picture = nullptr;
        }
    }
}

// The buttons at their places, sizes and pictures for the window's scale.
void ScaleButtons(HWND window) {
    const DisplayScale& s = history.scale;
    ReleaseButtonPictures();
    int index = 0;
    for (const PictureButton& row : kButtons) {
        HWND button = GetDlgItem(window, row.id);
        SetWindowPos(button, nullptr, s.Scaled(row.x), s.Scaled(kButtonTop), s.Scaled(kButtonSize),
                     s.Scaled(kButtonSize), SWP_NOZORDER | SWP_NOACTIVATE);
        HBITMAP picture = CreatePictureForScale(row.bitmap, s);
        history.buttonPictures[index++] = picture;
        if (button != nullptr && picture != nullptr) {
            SendMessageW(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
        }
    }
}

// The field to compose into and draw from: today's at 96 DPI, the
// double-size one above (today's where the program lacks it).
struct Field {
    const BITMAPINFO* header;
    unsigned char* pixels;
    int factor;
    const BitmapCopy* copy;  // the picture as the bitmap layer holds it; null when missing
};
Field FieldForScale() {
    const BitmapCopy* large = history.scale.IsBase() ? nullptr
                                                     : FindBitmap(IDB_HISTORY_FIELD + kLargePictureIdOffset);
    if (large != nullptr && large->width == 448 && large->height == 780 && history.surface != nullptr) {
        return {large->info, large->pixels, 2, large};
    }
    return {history.header, history.surface, 1, history.surface != nullptr ? FindBitmap(IDB_HISTORY_FIELD) : nullptr};
}

void Compose(HWND window) {
    const Field field = FieldForScale();
    if (field.pixels == nullptr) {
        return;
    }
    const unsigned char* smallFaces[36] = {};
    for (int kind = 0; kind < 36; ++kind) {
        const BitmapCopy* face = FindBitmap(IDB_SMALL_FACE_FIRST + kind + (field.factor == 2 ? kLargePictureIdOffset : 0));
        // A large face of another size is left out rather than misread.
        const bool fits = face != nullptr && face->width == 25 * field.factor && face->height == 35 * field.factor;
        smallFaces[kind] = fits ? face->pixels : nullptr;
    }
    ComposeHistory(field.pixels, smallFaces, field.factor);
    InvalidateRect(window, nullptr, FALSE);
}

// Shows the cursor if something has hidden it, without raising its display
// count above where it was.
void MakeCursorShown() {
    int count = ShowCursor(TRUE);
    if (count > 0) {
        ShowCursor(FALSE);
    }
    while (count < 0) {
        count = ShowCursor(TRUE);
    }
}

// The hand over a cell that holds a pair, the arrow over an empty cell or
// the header; between the cells the cursor stays as it is.
void ShowCursorFor(HWND window, int x, int y) {
    const int rectangle = HistoryRectangleAt(history.scale.Unscaled(x), history.scale.Unscaled(y));
    if (rectangle < 0) {
        return;
    }
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    SetCursor(rectangle < TakenPairCount() ? LoadCursorW(instance, MAKEINTRESOURCEW(IDC_POINTING_HAND))
                                           : LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
    MakeCursorShown();
}

// Undoes every pair taken from the clicked one on, each through the main
// window's undo command (which also refreshes this window).
void UndoBackTo(int x, int y) {
    UndoBackToCell(HistoryRectangleAt(history.scale.Unscaled(x), history.scale.Unscaled(y)), [] { SendMessageW(playWindows.main, WM_COMMAND, IDM_UNDO, 0); });
}

void ForwardKey(HWND window, WPARAM key) {
    for (WPARAM forwarded : kForwardedKeys) {
        if (forwarded == key) {
            SendMessageW(MainWindowOf(window), WM_KEYDOWN, key, 0);
            return;
        }
    }
}

// The window is owned by the main window, so its monitor is the board's; the
// place beside the board is kept inside that monitor's work area.
// The mark of the take that lost the deal: a frame on the cell's edge, in a
// colour that no small face and not the field use.
constexpr COLORREF kLosingMarkColor = RGB(255, 0, 255);
constexpr int kLosingMarkWidth = 2;

void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const DisplayScale& s = history.scale;
    const Field field = FieldForScale();
    if (s.IsBase() || field.copy == nullptr) {
        DrawBitmapPixels(dc, history.palette.palette, field.header, field.pixels);
    } else {
        DrawPictureInto(dc, history.palette.palette, *field.copy, 0, 0, s.Scaled(224), s.Scaled(390));
    }
    if (gameState.losingCell >= 0 && gameState.losingCell < TakenPairCount()) {
        const HistoryBox cell = HistoryCellBox(gameState.losingCell);
        // The stock brush of the device context: nothing to create or free.
        SetDCBrushColor(dc, kLosingMarkColor);
        const RECT box = {s.Scaled(cell.left), s.Scaled(cell.top), s.Scaled(cell.right), s.Scaled(cell.bottom)};
        for (int inset = 0; inset < s.Scaled(kLosingMarkWidth); ++inset) {
            const RECT ring = {box.left + inset, box.top + inset, box.right - inset, box.bottom - inset};
            FrameRect(dc, &ring, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        }
    }
    EndPaint(window, &paint);
}

void PlaceBesideBoard(HWND window, HWND mainWindow) {
    const MonitorArea monitor = MonitorOfOwner(window);
    const DisplayScale& s = history.scale;
    const int width = s.Scaled(kWindowWidth);
    const int height = s.Scaled(kWindowHeight);
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    if (monitor.bounds.right - monitor.bounds.left < s.Scaled(kNarrowScreen)) {
        CenterWindowOnDesktop(window);
        return;
    }
    RECT board = {};
    GetWindowRect(mainWindow, &board);
    const int x = board.left - monitor.bounds.left <= s.Scaled(kNearLeftEdge) ? board.left + s.Scaled(kRightOfBoard)
                                                                             : board.left - s.Scaled(kLeftOfBoard);
    const ScreenRect place = KeptInside(monitor.work, {x, board.top, x + width, board.top + height});
    SetWindowPos(window, nullptr, place.left, place.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void ShowHistory(HWND mainWindow) {
    HWND window = playWindows.history;
    if (window != nullptr && IsWindowVisible(window)) {
        BringWindowToTop(window);
        return;
    }
    if (window == nullptr) {
        const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(mainWindow, GWLP_HINSTANCE));
        window = CreateWindowExW(0, kHistoryWindowClass, kHistoryTitle, WS_POPUP | WS_CAPTION, 0, 0, kWindowWidth,
                                 kWindowHeight, mainWindow, nullptr, instance, nullptr);
        if (window == nullptr) {
            return;
        }
        playWindows.history = window;
        PlaceBesideBoard(window, mainWindow);
    }
    SendMessageW(window, kHistoryRefreshMessage, 0, 0);
    ShowWindow(window, SW_SHOW);
}

void ReleaseHistoryPalette() {
    history.palette.Release();
}

LRESULT CALLBACK HistoryWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        history.palette.Build(IDB_SMALL_FACE_FIRST);
        history.scale = boardScale;
        CreateButtons(window);
        ScaleButtons(window);
        history.surface = PrepareHistoryPicture(window, history.palette.palette, &history.header,
                                                history.palette.colorCount);
        DetachInputMethod(window);
        return 0;
    case WM_DESTROY:
        ReleaseButtonPictures();
        if (playWindows.history == window) {
            playWindows.history = nullptr;
        }
        return 0;
    case WM_PAINT:
        Paint(window);
        return 0;
    case kDpiChangedMessage: {
        // Moved to a monitor of another DPI: the place the system suggests,
        // at the window's size for the new scale.
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        history.scale = ScaleForDpi(HIWORD(wParam));
        SetWindowPos(window, nullptr, suggested.left, suggested.top, history.scale.Scaled(kWindowWidth),
                     history.scale.Scaled(kWindowHeight), SWP_NOZORDER | SWP_NOACTIVATE);
        ScaleButtons(window);
        Compose(window);
        return 0;
    }
    case WM_KEYDOWN:
        ForwardKey(window, wParam);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_HISTORY_HELP) {
            MessageBoxW(window, kHistoryInfoText, kHistoryInfoCaption, MB_ICONINFORMATION | MB_OK);
        } else if (LOWORD(wParam) == IDC_HISTORY_CLOSE) {
            ShowWindow(window, SW_HIDE);
        }
        return 0;
    case WM_MOUSEMOVE:
        ShowCursorFor(window, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return 0;
    case WM_LBUTTONDOWN:
        UndoBackTo(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return 0;
    case kHistoryRefreshMessage:
        Compose(window);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
