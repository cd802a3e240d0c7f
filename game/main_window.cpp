// The main window: sets the game up when created, dispatches every key and command, and stores the settings when it goes.
#include <windows.h>

#include <cstddef>
#include <ctime>

#include "board/positions.h"
#include "board/tile_slots.h"
#include "deal/deal_generator.h"
#include "game/history_window.h"
#include "game/picture_windows.h"
#include "game/play_windows.h"
#include "play/answer.h"
#include "play/game_commands.h"
#include "play/game_state.h"
#include "play/hint.h"
#include "play/keyboard_cursor.h"
#include "play/play_platform.h"
#include "play/undo.h"
#include "shell/dialogs.h"
#include "shell/launch.h"
#include "shell/resource.h"
#include "shell/settings.h"
#include "shell/status_bar.h"
#include "shell/system_library.h"
#include "shell/window_geometry.h"

PlayWindows playWindows;
DisplayScale boardScale;

namespace {

// Set once the position and the sound switch are stored: a session's end
// stores them without closing, and the process may be ended before or after
// the window goes.
bool settingsStored = false;

intptr_t Owner(HWND window) { return reinterpret_cast<intptr_t>(window); }

// Deals are seeded from the clock in whole seconds.
uint32_t ClockSeed() { return static_cast<uint32_t>(std::time(nullptr)); }

void SendCommand(HWND window, int command) { SendMessageW(window, WM_COMMAND, command, 0); }

void RaiseView(HWND window) {
    SetFocus(window);
    ShowRaisedView();
}

void LowerView(HWND window) {
    SetFocus(window);
    ShowNormalView();
}

void SelectGame(HWND window) {
    const int32_t previous = currentArrangement;
    gameState.answerMode = 0;
    RunGameSelectDialog(window);
    ApplyChosenArrangement(previous, Owner(window), ClockSeed());
}

// Commands: menu items, the view buttons, and the keys that send them.
struct Command {
    int id;
    void (*run)(HWND window);
};
constexpr Command kCommands[] = {
    {IDC_UP_VIEW_BUTTON, RaiseView},
    {IDC_DOWN_VIEW_BUTTON, LowerView},
    {IDM_NEW_GAME, [](HWND w) { NewGame(Owner(w), ClockSeed()); }},
    {IDM_QUIT, [](HWND w) { DestroyWindow(w); }},
    {IDM_UNDO, [](HWND) {
         UndoMove();
         RefreshHistory(false);
     }},
    {IDM_HISTORY, ShowHistory},
    {IDM_HINT, [](HWND) { StartHint(); }},
    {IDM_ANSWER, [](HWND) { OfferAnswer(); }},
    {IDM_ABOUT, [](HWND w) { RunAboutDialog(w); }},
    {IDM_HELP_FILE, [](HWND) { OpenHelpFile(); }},
    {IDM_HOME_PAGE, [](HWND) { OpenHomePage(); }},
    {IDM_SCREENSAVER, [](HWND) { StartScreensaver(); }},
    {IDM_GAME_SELECT, SelectGame},
    {IDM_RESTART, [](HWND) { RestartDeal(); }},
    {IDM_SOUND_ON, [](HWND) { SetSoundSwitch(1); }},
    {IDM_SOUND_OFF, [](HWND) { SetSoundSwitch(0); }},
};

struct Key {
    WPARAM virtualKey;
    void (*run)(HWND window);
};
constexpr Key kKeys[] = {
    {VK_BACK, [](HWND w) { SendCommand(w, IDM_UNDO); }},
    {VK_ESCAPE, [](HWND w) { ShowWindow(w, SW_MINIMIZE); }},
    {VK_SPACE, [](HWND) { TakeAnswerPair(); }},
    {VK_UP, RaiseView},
    {VK_DOWN, LowerView},
    {'P', [](HWND w) { SendCommand(w, IDM_SCREENSAVER); }},
    {VK_F1, [](HWND w) { SendCommand(w, IDM_HELP_FILE); }},
    {VK_F2, [](HWND w) { SendCommand(w, IDM_NEW_GAME); }},
    {VK_F3, [](HWND w) { SendCommand(w, IDM_GAME_SELECT); }},
    // The keyboard cursor over the free tiles.
    {VK_RIGHT, [](HWND) { MoveCursor(CursorMove::Next); }},
    {VK_LEFT, [](HWND) { MoveCursor(CursorMove::Previous); }},
    {VK_TAB, [](HWND) { MoveCursor(GetKeyState(VK_SHIFT) < 0 ? CursorMove::Previous : CursorMove::Next); }},
    {VK_HOME, [](HWND) { MoveCursor(CursorMove::First); }},
    {VK_END, [](HWND) { MoveCursor(CursorMove::Last); }},
    {VK_RETURN, [](HWND) { ClickCursorTile(); }},
};

// Every command and every key first stops a hint and hides the pictures,
// then runs its row of the table, if it has one; a keyboard cursor whose
// tile it took or covered moves on.
template <typename Row, std::size_t N, typename Id>
void RunRow(const Row (&table)[N], Id Row::*idField, Id id, HWND window) {
    RunCommandPrologue();
    for (const Row& row : table) {
        if (row.*idField == id) {
            row.run(window);
            break;
        }
    }
    KeepCursorOnAStop();
}

void RunCommand(HWND window, int id) { RunRow(kCommands, &Command::id, id, window); }

void RunKey(HWND window, WPARAM virtualKey) { RunRow(kKeys, &Key::virtualKey, virtualKey, window); }

void ReadShortcutChoicesOrAsk(HWND window) {
    if (SettingsFileExists(kSettingsFileName) == 1) {
        LoadShortcutChoices(kSettingsFileName);
    } else {
        shortcutChoices = ShortcutChoices{};
        RunFirstRunDialog(window);
    }
}

// The menu bar is attached here, after the dialogs, rather than by the
// window class: measuring a menu bar of Japanese items at the window's
// creation makes Wine look for fonts with their glyphs, about 20 ms that
// would hold up the selection dialog. The window stays hidden until its
// creation is over, so the player sees the same either way.
void AttachMainMenu(HWND window) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    HMENU menu = LoadMenuW(instance, MAKEINTRESOURCEW(IDM_MAIN_MENU));
    // A menu that cannot be loaded or attached leaves the window without
    // one, as a missing class menu would; it goes with the window otherwise.
    if (menu != nullptr && SetMenu(window, menu) == 0) {
        DestroyMenu(menu);
    }
}

void SetBoardClientSize(HWND window) {
    SetClientAreaSize(window, boardScale.Scaled(kMainClientWidth), boardScale.Scaled(kMainClientHeight), true);
}

void SetUp(HWND window) {
    playWindows.main = window;
    settingsStored = false;
    ResetGameStateForStart();
    ReadShortcutChoicesOrAsk(window);
    gameState.soundOn = GetSettingInt(L"SOUND", L"sound", 1, kSettingsFileName);
    if (currentArrangement == 0) {
        RunGameSelectDialog(window);
    }
    AttachMainMenu(window);
    RECT place = {};
    GetWindowRect(window, &place);
    boardScale = ScaleFittingWorkArea(window, place, DpiOfWindow(window), kMainClientWidth, kMainClientHeight);
    ShowSoundChecks(gameState.soundOn);
    StartClock(window);
    ComputeTileRects();
    // Made before the tiles, so they lie above every tile.
    CreateVictoryWindow(window);
    CreateDeadlockWindow(window);
    CreateCursorWindow(window);
    const bool dealt = BuildDeal(Owner(window), ClockSeed()) == 1;
    CreateTileWindows(window, dealt);
    SetBoardClientSize(window);
    CreateStatusBar(window);
    CreateViewButtons(window);
    ScaleStatusBarAndViewButtons(DpiOfWindow(window), boardScale);
    DetachInputMethod(window);
}

// Moved to a monitor of another DPI: the window takes the place the system
// suggests, and every play window is laid out again at the new scale.
void ChangeScale(HWND window, int dpi, const RECT& suggested) {
    RunCommandPrologue();
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    boardScale = ScaleFittingWorkArea(window, suggested, dpi, kMainClientWidth, kMainClientHeight);
    SetBoardClientSize(window);
    PlaceTiles(gameState.viewRaised == 1 ? TilePlacementKind::Raised : TilePlacementKind::Normal);
    ShapeTileWindows();
    PlacePictureWindows();
    ScaleStatusBarAndViewButtons(dpi, boardScale);
    KeepCursorOnAStop();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// The restored rectangle's corner in screen coordinates, also while minimised.
POINT RestoredOrigin(HWND window) {
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    POINT origin = {placement.rcNormalPosition.left, placement.rcNormalPosition.top};
    // The restored rectangle is in work-area coordinates; they differ from
    // the screen's when a task bar stands at the top or the left.
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor) != 0) {
        origin.x += monitor.rcWork.left - monitor.rcMonitor.left;
        origin.y += monitor.rcWork.top - monitor.rcMonitor.top;
    }
    return origin;
}

void StoreSettings(HWND window) {
    if (settingsStored) return;
    settingsStored = true;
    const POINT origin = RestoredOrigin(window);
    WriteSettingInt(L"Pos", L"X", origin.x, kSettingsFileName);
    WriteSettingInt(L"Pos", L"Y", origin.y, kSettingsFileName);
    WriteSettingInt(L"SOUND", L"sound", gameState.soundOn, kSettingsFileName);
}

void ShutDown(HWND window) {
    // The worker draws with the palette and windows freed below.
    StopHint();
    StoreSettings(window);
    ReleaseTilePalette();
    ReleasePicturePalettes();
    ReleaseHistoryPalette();
    StopClock(window);
    ReleaseViewButtons();
    playWindows = PlayWindows{};
    ForgetCursorWindow();
    keyboardCursor = KeyboardCursor{};
    // The tile windows go with the main window.
    for (TileSlot& slot : tileSlots) {
        slot.window = 0;
    }
    PostQuitMessage(0);
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        SetUp(window);
        return 0;
    case WM_DESTROY:
        ShutDown(window);
        return 0;
    case WM_ENABLE:
        // A modal dialog or message box of the game disables the main window
        // while it is up; the history window, which undoes and forwards keys,
        // goes with it, so nothing is played under the dialog.
        if (playWindows.history != nullptr) EnableWindow(playWindows.history, static_cast<BOOL>(wParam));
        return 0;
    case kDpiChangedMessage:
        ChangeScale(window, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_ENDSESSION:
        // Logging off or shutting down ends the process without closing the
        // window: keep what closing keeps.
        if (wParam != FALSE) StoreSettings(window);
        return 0;
    case WM_NCMOUSEMOVE:
        ShowMenuHelp(window, POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        break;
    case WM_MOUSEMOVE:
        ResumeClock(window);
        return 0;
    case WM_TIMER:
        if (wParam == kClockTimerId) {
            ShowClock();
        }
        return 0;
    case WM_RBUTTONDOWN:
        SendCommand(window, IDM_HINT);
        return 0;
    case WM_KEYDOWN:
        RunKey(window, wParam);
        return 0;
    case WM_COMMAND:
        RunCommand(window, LOWORD(wParam));
        return 0;
    case kUpViewButtonHoverMessage:
        ShowViewButtonHelp(true);
        return 0;
    case kDownViewButtonHoverMessage:
        ShowViewButtonHelp(false);
        return 0;
    case kHintDeadlockMessage:
        // Only for the hint still in force: a key or command since has ended it.
        if (static_cast<int>(wParam) == CurrentHintRun()) {
            ShowHintDeadlockBox(window);
        }
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
