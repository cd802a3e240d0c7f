// The real main window under Wine: start-up with its dialogs answered, tiles clicked, keys and commands, the status bar and the settings written.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "board/freedom.h"
#include "board/positions.h"
#include "board/tile_slots.h"
#include "game/play_windows.h"
#include "game/startup.h"
#include "play/game_state.h"
#include "play/hint.h"
#include "play/history.h"
#include "play/looks.h"
#include "play/selection.h"
#include "shell/bitmaps.h"
#include "shell/resource.h"
#include "shell/settings.h"
#include "shell/status_bar.h"
#include "shell/texts.h"
#include "shell/window_geometry.h"
#include "tests/support/game_window_testing.h"
#include "tests/support/window_harness.h"

namespace {

std::string ReadSettingsFile() {
    std::ifstream file(GetProgramFolderPath(kSettingsFileName).c_str(), std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

using namespace game_testing;

// The real game, started by each case as it needs.
class GameWindow : public GameWindowTest {};

TEST_F(GameWindow, FirstStartAsksForShortcutsThenTheGameAndShowsTheWholeBoard) {
    Start(false);
    ASSERT_EQ(captions_.size(), 2u);
    EXPECT_EQ(captions_[0], L"設定");
    EXPECT_EQ(captions_[1], L"『Zenmora』  ゲーム選択");
    // Shown before the main window, each has a taskbar button of its own.
    EXPECT_EQ(onTaskbar_, (std::vector<bool>{true, true}));
    EXPECT_EQ(currentArrangement, 1);
    EXPECT_EQ(harness::TextOf(main_), L"Zenmora");
    wchar_t className[64] = {};
    GetClassNameW(main_, className, 64);
    EXPECT_STREQ(className, L"Parent Window");
    // The menu bar is attached during the window's creation, after the
    // dialogs: it must be there, whole, by the time the window shows, and
    // the 640 x 480 client area must leave room for it.
    HMENU menu = GetMenu(main_);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetMenuItemCount(menu), 7);
    MENUBARINFO bar = {};
    bar.cbSize = sizeof bar;
    ASSERT_NE(GetMenuBarInfo(main_, OBJID_MENU, 0, &bar), 0);
    EXPECT_GT(bar.rcBar.bottom - bar.rcBar.top, 0);
    RECT client;
    GetClientRect(main_, &client);
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 480);
    POINT clientTop = {0, 0};
    ClientToScreen(main_, &clientTop);
    // The bar lies above the client area (Wine counts its last line as the
    // client's first, so compare with its middle).
    EXPECT_GT(clientTop.y, (bar.rcBar.top + bar.rcBar.bottom) / 2);
    const LONG style = GetWindowLongW(main_, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);

    for (int slot = 0; slot < kSlotCount; ++slot) {
        HWND tile = TileWindow(slot);
        ASSERT_TRUE(IsWindowVisible(tile)) << slot;
        const RECT rect = ChildRect(tile);
        EXPECT_EQ(rect.left, tileRects[slot].left) << slot;
        EXPECT_EQ(rect.top, tileRects[slot].top) << slot;
        EXPECT_EQ(rect.right - rect.left, 43);
        EXPECT_EQ(rect.bottom - rect.top, 62);
        EXPECT_EQ(harness::TextOf(tile), kKindNames[KindOfFace(tileSlots[slot].face)]) << slot;
        // The tile's outline: its corners at the upper right and lower left are cut off.
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(GetWindowRgn(tile, region), ERROR);
        EXPECT_TRUE(PtInRegion(region, 20, 30));
        EXPECT_FALSE(PtInRegion(region, 41, 2));
        EXPECT_FALSE(PtInRegion(region, 1, 60));
        DeleteObject(region);
    }

    // Higher slots lie above lower ones: the tile windows' stacking order,
    // from the top, runs from slot 143 down to slot 0.
    std::vector<int> stacking;
    for (HWND child = GetWindow(main_, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (TileWindow(slot) == child) stacking.push_back(slot);
        }
    }
    ASSERT_EQ(stacking.size(), 144u);
    EXPECT_TRUE(std::is_sorted(stacking.rbegin(), stacking.rend()));

    // The status bar and the view buttons are there, below the tiles.
    EXPECT_NE(GetDlgItem(main_, IDC_UP_VIEW_BUTTON), nullptr);
    EXPECT_NE(GetDlgItem(main_, IDC_DOWN_VIEW_BUTTON), nullptr);
}

TEST_F(GameWindow, ClicksSelectRecolourAndTakePairs) {
    Start(true);
    int a = -1, b = -1;
    ASSERT_TRUE(FreePair(a, b));
    // A face-background pixel of tile a, where nothing else covers it.
    const BitmapCopy* face = FindBitmap(IDB_FACE_FIRST + tileSlots[a].face);
    ASSERT_NE(face, nullptr);
    int x = -1, y = -1;
    for (int offset = kLookFirstOffset; offset < kLookEndOffset && x < 0; ++offset) {
        const int px = offset % 44, py = 61 - offset / 44;
        POINT screen = {px, py};
        ClientToScreen(TileWindow(a), &screen);
        if (face->pixels[offset] == LookNormal && px < 35 && WindowFromPoint(screen) == TileWindow(a)) {
            x = px, y = py;
        }
    }
    ASSERT_GE(x, 0);
    ASSERT_FALSE(harness::IsPaletteDisplay());
    EXPECT_EQ(harness::Capture(TileWindow(a), x, y, 1, 1)[0], RGB(235, 235, 245));
    Click(a);
    EXPECT_EQ(tileSlots[a].state, 1);
    EXPECT_EQ(harness::Capture(TileWindow(a), x, y, 1, 1)[0], RGB(0, 255, 255));
    // Covered and uncovered again, it keeps its look.
    InvalidateRect(TileWindow(a), nullptr, TRUE);
    harness::PumpFor(50);
    EXPECT_EQ(harness::Capture(TileWindow(a), x, y, 1, 1)[0], RGB(0, 255, 255));

    Click(b);
    EXPECT_EQ(tileSlots[a].state, 2);
    EXPECT_EQ(tileSlots[b].state, 2);
    EXPECT_FALSE(IsWindowVisible(TileWindow(a)));
    EXPECT_FALSE(IsWindowVisible(TileWindow(b)));
    EXPECT_EQ(gameState.takeCount, 1);

    // A blocked tile ignores the click.
    int blocked = 0;
    while (IsTileFree(blocked) == 1) ++blocked;
    Click(blocked);
    EXPECT_EQ(tileSlots[blocked].state, 0);

    // Restart brings the pair back, looking normal.
    Command(IDM_RESTART);
    EXPECT_TRUE(IsWindowVisible(TileWindow(a)));
    EXPECT_EQ(tileSlots[a].state, 0);
    harness::PumpFor(50);
    EXPECT_EQ(harness::Capture(TileWindow(a), x, y, 1, 1)[0], RGB(235, 235, 245));
    EXPECT_EQ(gameState.takeCount, 1);
}

TEST_F(GameWindow, UpAndDownSwitchTheViewsAndANewArrangementReturnsToTheNormalView) {
    Start(true);
    Key(VK_UP);
    Key(VK_UP);
    EXPECT_EQ(gameState.viewRaised, 1);
    for (int slot : {0, 87, 143}) {
        const RECT rect = ChildRect(TileWindow(slot));
        const TilePlacement raised = RaisedViewPlacement(slot);
        EXPECT_EQ(rect.left, raised.left) << slot;
        EXPECT_EQ(rect.top, raised.top) << slot;
        EXPECT_EQ(rect.right - rect.left, 37);
        EXPECT_EQ(rect.bottom - rect.top, 51);
    }
    EXPECT_EQ(ChildRect(TileWindow(0)).left, 95);
    EXPECT_EQ(ChildRect(TileWindow(0)).top, 26);

    // The view buttons: the lower one returns to the normal view and gives
    // the keyboard back to the main window.
    SendMessageW(GetDlgItem(main_, IDC_DOWN_VIEW_BUTTON), BM_CLICK, 0, 0);
    harness::PumpFor(50);
    EXPECT_EQ(gameState.viewRaised, 0);
    EXPECT_EQ(GetFocus(), main_);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const RECT rect = ChildRect(TileWindow(slot));
        EXPECT_EQ(rect.left, tileRects[slot].left);
        EXPECT_EQ(rect.top, tileRects[slot].top);
        EXPECT_EQ(rect.right - rect.left, 42);
    }

    // F3 while raised, choosing C: the tiles stand at C's positions, normal view.
    Key(VK_UP);
    bool selectOnTaskbar = true;
    {
        harness::DialogAnswerer answerer(GetCurrentThreadId(), [&](HWND dialog) {
            selectOnTaskbar = (GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0;
            Press(dialog, IDC_SELECT_C);
            Press(dialog, IDOK);
        });
        Key(VK_F3);
        EXPECT_EQ(answerer.Answered(), 1);
    }
    EXPECT_FALSE(selectOnTaskbar) << "over the shown main window it stays an owned window, without a button";
    EXPECT_EQ(currentArrangement, 3);
    EXPECT_EQ(gameState.viewRaised, 0);
    const RECT top = ChildRect(TileWindow(143));
    EXPECT_EQ(top.left, 462);
    EXPECT_EQ(top.top, 251);
    EXPECT_EQ(top.right - top.left, 42);
}

// Moved to a monitor of 200% and back: the board takes the place the system
// suggests and lays itself out at each scale, and a selected tile keeps its
// look in the double-size picture it is now drawn from.
TEST_F(GameWindow, AMoveToAMonitorOfAnotherDpiLaysTheBoardOutAgain) {
    Start(true);
    int a = -1, b = -1;
    ASSERT_TRUE(FreePair(a, b));
    Click(a);
    // The cyan of tile a on screen, once the paints are through.
    const auto cyan = [&] {
        harness::PumpFor(100);
        return harness::CountOnScreen(TileWindow(a), RGB(0, 255, 255));
    };
    const int cyanAt96 = cyan();
    ASSERT_GT(cyanAt96, 0);
    const auto moveTo = [&](int dpi) {
        RECT suggested = {};
        GetWindowRect(main_, &suggested);
        OffsetRect(&suggested, 10, 10);
        SendMessageW(main_, kDpiChangedMessage, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        harness::PumpFor(50);
        RECT outer = {};
        GetWindowRect(main_, &outer);
        EXPECT_EQ(outer.left, suggested.left) << dpi;
        EXPECT_EQ(outer.top, suggested.top) << dpi;
    };
    moveTo(192);
    RECT client;
    GetClientRect(main_, &client);
    EXPECT_EQ(client.right, 1280);
    EXPECT_EQ(client.bottom, 960);
    for (int slot : {0, 87, 143}) {
        const RECT rect = ChildRect(TileWindow(slot));
        EXPECT_EQ(rect.left, 2 * tileRects[slot].left) << slot;
        EXPECT_EQ(rect.top, 2 * tileRects[slot].top) << slot;
        EXPECT_EQ(rect.right - rect.left, 84) << slot;
    }
    const RECT deadlock = ChildRect(GetDlgItem(main_, IDC_DEADLOCK_WINDOW));
    EXPECT_EQ(deadlock.left, 1154);
    EXPECT_EQ(deadlock.bottom - deadlock.top, 288);
    EXPECT_GT(cyan(), 3 * cyanAt96) << "selected, at twice the size";
    Click(a);
    EXPECT_EQ(cyan(), 0) << "deselected in the large picture too";

    moveTo(96);
    GetClientRect(main_, &client);
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 480);
    const RECT back = ChildRect(TileWindow(87));
    EXPECT_EQ(back.left, tileRects[87].left);
    EXPECT_EQ(back.right - back.left, 42);
}

// The keyboard cursor as the player meets it: the frame around the focused
// tile, the tile's name with its selection, the frame following the view,
// and a mouse click taking it away.
TEST_F(GameWindow, CursorKeysFrameAndFocusAFreeTileThatEnterSelects) {
    Start(true);
    const HWND frame = FindWindowExW(main_, nullptr, kCursorWindowClass, nullptr);
    ASSERT_NE(frame, nullptr);
    EXPECT_FALSE(IsWindowVisible(frame));
    Key(VK_RIGHT);
    Key(VK_TAB);
    const int slot = SlotOfWindow(static_cast<int>(reinterpret_cast<intptr_t>(GetFocus())));
    ASSERT_GE(slot, 0);
    EXPECT_EQ(IsTileFree(slot), 1);
    EXPECT_TRUE(IsWindowVisible(frame));
    const std::wstring name = kKindNames[KindOfFace(tileSlots[slot].face)];
    EXPECT_EQ(harness::TextOf(TileWindow(slot)), name);
    // Keys reach the main window from the focused tile too.
    SendMessageW(TileWindow(slot), WM_KEYDOWN, VK_RETURN, 0);
    harness::PumpFor(50);
    EXPECT_EQ(tileSlots[slot].state, 1);
    EXPECT_EQ(harness::TextOf(TileWindow(slot)), name + kSelectedTileSuffix);
    // The frame stands 3 pixels outside the tile, in either view, above every tile.
    for (WPARAM view : {VK_DOWN, VK_UP}) {
        Key(view);
        const RECT tile = ChildRect(TileWindow(slot));
        const RECT ring = ChildRect(frame);
        EXPECT_EQ(ring.left, tile.left - 3);
        EXPECT_EQ(ring.top, tile.top - 3);
        EXPECT_EQ(ring.right, tile.right + 3);
        EXPECT_EQ(GetWindow(frame, GW_HWNDPREV), playWindows.deadlock);
    }
    Key(VK_DOWN);
    Key(VK_LEFT);
    EXPECT_EQ(tileSlots[slot].state, 1);
    Click(slot);
    harness::PumpFor(50);
    EXPECT_EQ(tileSlots[slot].state, 0);
    EXPECT_EQ(harness::TextOf(TileWindow(slot)), name);
    EXPECT_FALSE(IsWindowVisible(frame));
}

TEST_F(GameWindow, SoundSwitchTicksItsItemAndIsStoredAtOnceAndOnExit) {
    Start(true);
    HMENU menu = GetMenu(main_);
    EXPECT_EQ(GetMenuState(menu, IDM_SOUND_ON, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(GetMenuState(menu, IDM_SOUND_OFF, MF_BYCOMMAND) & MF_CHECKED, 0u);
    Command(IDM_SOUND_OFF);
    EXPECT_EQ(GetMenuState(menu, IDM_SOUND_ON, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_EQ(GetMenuState(menu, IDM_SOUND_OFF, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(GetSettingInt(L"SOUND", L"sound", -1, kSettingsFileName), 0);

    // Esc minimises; the game goes on.
    Key(VK_ESCAPE);
    EXPECT_TRUE(IsIconic(main_));
    EXPECT_TRUE(IsWindow(main_));
    ShowWindow(main_, SW_RESTORE);
    SetWindowPos(main_, nullptr, 150, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

    // "ゲームを止める": the position and the switch are kept, and the loop is told to end.
    // Sent without pumping, so the quit message is still waiting.
    SendMessageW(main_, WM_COMMAND, IDM_QUIT, 0);
    EXPECT_FALSE(IsWindow(main_));
    MSG quit = {};
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 0u);
    EXPECT_EQ(GetSettingInt(L"Pos", L"X", 0, kSettingsFileName), 150);
    EXPECT_EQ(GetSettingInt(L"Pos", L"Y", 0, kSettingsFileName), 60);
    EXPECT_EQ(GetSettingInt(L"SOUND", L"sound", -1, kSettingsFileName), 0);
}

// Logging off closes no window: the end of the session itself keeps the
// position and the switch, once; a session end called off keeps nothing.
TEST_F(GameWindow, ASessionsEndStoresWhatClosingStores) {
    Start(true);
    Command(IDM_SOUND_OFF);
    SetWindowPos(main_, nullptr, 150, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageW(main_, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
    EXPECT_EQ(GetSettingInt(L"Pos", L"X", 0, kSettingsFileName), 0);

    EXPECT_NE(SendMessageW(main_, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), 0);
    SendMessageW(main_, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_TRUE(IsWindow(main_));
    EXPECT_EQ(GetSettingInt(L"Pos", L"X", 0, kSettingsFileName), 150);
    EXPECT_EQ(GetSettingInt(L"Pos", L"Y", 0, kSettingsFileName), 60);
    EXPECT_EQ(GetSettingInt(L"SOUND", L"sound", -1, kSettingsFileName), 0);

    // The process ends now; what its windows do meanwhile stores nothing new.
    SetWindowPos(main_, nullptr, 200, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageW(main_, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    DestroyWindow(main_);
    EXPECT_EQ(GetSettingInt(L"Pos", L"X", 0, kSettingsFileName), 150);
}

TEST_F(GameWindow, FirstStartCancelledWritesNoShortcutsAndSectionsInTheOrderFirstWritten) {
    Start(false, IDCANCEL);
    Command(IDM_SOUND_OFF);
    DestroyWindow(main_);
    const std::string text = ReadSettingsFile();
    EXPECT_EQ(text.find("[ShellLink]"), std::string::npos);
    const std::size_t sound = text.find("[SOUND]");
    const std::size_t position = text.find("[Pos]");
    ASSERT_NE(sound, std::string::npos);
    ASSERT_NE(position, std::string::npos);
    EXPECT_LT(sound, position);
}

TEST_F(GameWindow, AFailedDealIsToldAndF2DealsAgain) {
    Start(true);
    int a = -1, b = -1;
    ASSERT_TRUE(FreePair(a, b));
    Click(a);
    Click(b);
    // No arrangement in force: every attempt fails and the player is told.
    const int32_t arrangement = currentArrangement;
    currentArrangement = 0;
    std::wstring caption;
    {
        harness::DialogAnswerer answerer(GetCurrentThreadId(), [&](HWND box) {
            caption = harness::TextOf(box);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        });
        Key(VK_F2);
        EXPECT_EQ(answerer.Answered(), 1);
    }
    EXPECT_EQ(caption, L"失敗！");
    EXPECT_TRUE(IsWindow(main_));
    // The taken pair was not shown again by the failed deal.
    EXPECT_FALSE(IsWindowVisible(TileWindow(a)));

    currentArrangement = arrangement;
    Key(VK_F2);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_TRUE(IsWindowVisible(TileWindow(slot)));
        EXPECT_EQ(tileSlots[slot].state, 0);
        EXPECT_EQ(harness::TextOf(TileWindow(slot)), kKindNames[KindOfFace(tileSlots[slot].face)]);
    }
    EXPECT_TRUE(FreePair(a, b));
}

TEST_F(GameWindow, TheClockShowsOnTheStatusBarAfterItsFirstTick) {
    Start(true);
    HWND bar = FindWindowExW(main_, nullptr, STATUSCLASSNAMEW, nullptr);
    ASSERT_NE(bar, nullptr);
    std::wstring text;
    harness::PumpUntil([&] {
        // The bar is in simple mode: Wine reads its text back as part 0,
        // Windows as the simple part 255.
        for (WPARAM part : {0, 255}) {
            wchar_t buffer[256] = {};
            SendMessageW(bar, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(buffer));
            if (buffer[0] != 0) text = buffer;
        }
        return text.rfind(L"今日は", 0) == 0;
    }, 3000);
    EXPECT_EQ(text.rfind(L"今日は", 0), 0u) << "status bar text of " << text.size() << " characters";
    EXPECT_EQ(clockTimerOn, 1);
}

// Slots whose picture carries the hint's green now.
std::vector<int> GreenSlots() {
    LookLock looks(LookMutex());
    std::vector<int> green;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const BitmapCopy* face = FindBitmap(IDB_FACE_FIRST + tileSlots[slot].face);
        if (std::count(face->pixels + kLookFirstOffset, face->pixels + kLookEndOffset, LookHint) > 0) {
            green.push_back(slot);
        }
    }
    return green;
}

TEST_F(GameWindow, AHintShowsPairsInGreenAndAKeyEndsItWhileClicksGoOn) {
    Start(true);
    hintTiming = HintTiming{};
    // The right button on the board asks for the hint.
    SendMessageW(main_, WM_RBUTTONDOWN, 0, MAKELPARAM(600, 450));
    ASSERT_TRUE(harness::PumpUntil([] { return GreenSlots().size() == 2; }, 3000));
    const std::vector<int> shown = GreenSlots();
    // On the screen too, while the hint waits.
    const BitmapCopy* face = FindBitmap(IDB_FACE_FIRST + tileSlots[shown[1]].face);
    int x = -1, y = -1;
    for (int offset = kLookFirstOffset; offset < kLookEndOffset && x < 0; ++offset) {
        POINT screen = {offset % 44, 61 - offset / 44};
        ClientToScreen(TileWindow(shown[1]), &screen);
        if (face->pixels[offset] == LookHint && offset % 44 < 35 && WindowFromPoint(screen) == TileWindow(shown[1])) {
            x = offset % 44, y = 61 - offset / 44;
        }
    }
    ASSERT_GE(x, 0);
    EXPECT_EQ(harness::Capture(TileWindow(shown[1]), x, y, 1, 1)[0], RGB(0, 255, 0));
    harness::PumpFor(100);
    harness::SaveScreenshotIfAsked("hint");

    // A click during the hint selects as usual.
    int other = 0;
    while (other == shown[0] || other == shown[1] || IsTileFree(other) != 1 ||
           FacesMatch(tileSlots[other].face, tileSlots[shown[0]].face)) {
        ++other;
    }
    Click(other);
    EXPECT_EQ(tileSlots[other].state, 1);
    EXPECT_EQ(HintIsRunning(), 1);

    // Any key ends it at once: no green is left, on the pictures or the screen.
    Key(VK_SPACE);
    EXPECT_EQ(HintIsRunning(), 0);
    EXPECT_TRUE(GreenSlots().empty());
    EXPECT_EQ(harness::Capture(TileWindow(shown[1]), x, y, 1, 1)[0], RGB(235, 235, 245));
    EXPECT_EQ(tileSlots[other].state, 1);
}

// The hint's green must reach the screen while the window thread sleeps in
// its message loop with nothing else to wake it (the clock stopped).
TEST_F(GameWindow, TheHintsGreenReachesTheScreenWhileTheWindowThreadIsIdle) {
    Start(true);
    KillTimer(main_, kClockTimerId);
    hintTiming = HintTiming{};
    const DWORD windowThread = GetCurrentThreadId();
    std::atomic<bool> seen{false};
    std::thread watcher([&] {
        // What the screen itself shows: the desktop's pixels, not a window's own.
        const DWORD start = GetTickCount();
        while (!seen && GetTickCount() - start < 4000) {
            const std::vector<int> green = GreenSlots();
            for (int slot : green) {
                RECT rect;
                GetWindowRect(TileWindow(slot), &rect);
                const std::vector<COLORREF> pixels =
                    harness::Capture(GetDesktopWindow(), rect.left + 4, rect.top + 14, 26, 30);
                seen = seen || std::count(pixels.begin(), pixels.end(), RGB(0, 255, 0)) > 100;
            }
            Sleep(20);
        }
        PostThreadMessageW(windowThread, WM_APP + 99, 0, 0);
    });
    PostMessageW(main_, WM_COMMAND, IDM_HINT, 0);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0 && message.message != WM_APP + 99) {
        DispatchMessageW(&message);
    }
    watcher.join();
    EXPECT_TRUE(seen);
}

TEST_F(GameWindow, AHintWithNoPairLeftSaysSoInABoxOfTheMainWindow) {
    Start(true);
    hintTiming = {std::chrono::milliseconds(1), std::chrono::milliseconds(1)};
    // Every free tile a kind of its own: no pair to show.
    int kind = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (IsTileFree(slot) == 1) tileSlots[slot].face = kind++;
    }
    ASSERT_LT(kind, 36);
    std::wstring caption, text;
    HWND owner = nullptr;
    {
        harness::DialogAnswerer answerer(GetCurrentThreadId(), [&](HWND box) {
            caption = harness::TextOf(box);
            text = harness::TextOf(GetDlgItem(box, 0xFFFF));
            owner = GetWindow(box, GW_OWNER);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        });
        Command(IDM_HINT);
        harness::PumpUntil([&] { return answerer.Answered() == 1; }, 5000);
        EXPECT_EQ(answerer.Answered(), 1);
    }
    EXPECT_EQ(caption, L"手詰まり");
    EXPECT_EQ(text, L"手詰まりです。");
    EXPECT_EQ(owner, main_);
    hintTiming = HintTiming{};
}

TEST_F(GameWindow, AWholeGameEndsWithTheVictoryWhichAClickTakesDown) {
    Start(true);
    for (int pair = 71; pair >= 0; --pair) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (tileSlots[slot].pair == pair) Click(slot);
        }
        ASSERT_EQ(IsWindowVisible(playWindows.victory) != 0, pair == 0) << "pair " << pair;
    }
    EXPECT_FALSE(IsWindowVisible(playWindows.deadlock));
    harness::PumpFor(100);
    harness::SaveScreenshotIfAsked("victory");
    EXPECT_EQ(gameState.victoryPending, 0);
    for (int slot = 0; slot < kSlotCount; ++slot) EXPECT_FALSE(IsWindowVisible(TileWindow(slot)));
    SendMessageW(playWindows.victory, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, 125));
    EXPECT_FALSE(IsWindowVisible(playWindows.victory));

    // The answer: refused at first after a new game, then played with Space
    // to the end with no victory.
    Key(VK_F2);
    std::wstring refusal;
    {
        harness::DialogAnswerer answerer(GetCurrentThreadId(), [&](HWND box) {
            refusal = harness::TextOf(GetDlgItem(box, 0xFFFF));
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        });
        Command(IDM_ANSWER);
    }
    EXPECT_EQ(refusal, L"プレイをしてからでなければ\n答えは見られません");
    gameState.takeCount = 72;
    {
        harness::DialogAnswerer answerer(GetCurrentThreadId(), [](HWND dialog) { Press(dialog, 1001); });
        Command(IDM_ANSWER);
        EXPECT_EQ(answerer.Answered(), 1);
    }
    ASSERT_EQ(gameState.answerMode, 1);
    for (int step = 71; step >= 30; --step) Key(VK_SPACE);
    SendMessageW(main_, WM_COMMAND, IDM_HISTORY, 0);
    harness::PumpFor(100);
    harness::SaveScreenshotIfAsked("answer-and-history");
    for (int step = 29; step >= 0; --step) Key(VK_SPACE);
    EXPECT_EQ(gameState.answerMode, 0);
    EXPECT_EQ(TakenPairCount(), 72);
    EXPECT_FALSE(IsWindowVisible(playWindows.victory));
}

}  // namespace
