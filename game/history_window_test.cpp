// The history window, the victory and deadlock pictures and the answer dialog, in the real game under Wine.
#include <windows.h>
#include <imm.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "board/freedom.h"
#include "board/tile_slots.h"
#include "game/history_window.h"
#include "game/picture_windows.h"
#include "game/play_windows.h"
#include "game/startup.h"
#include "play/game_state.h"
#include "play/history.h"
#include "play/outcome.h"
#include "play/play_platform.h"
#include "shell/bitmaps.h"
#include "shell/dialogs.h"
#include "shell/resource.h"
#include "shell/settings.h"
#include "shell/texts.h"
#include "tests/support/game_window_testing.h"
#include "tests/support/window_harness.h"

namespace {

// The colour a picture's pixel (x, y from its top left) shows through the
// colour table of `table` (4 or 8 bits per pixel).
COLORREF ColourOf(const BitmapCopy& picture, int x, int y, const BitmapCopy& table) {
    return harness::DibTableColor(table.info, harness::DibIndexAt(picture.info, picture.pixels, x, y));
}

// The main window's procedure, wrapped to count the undo commands it gets;
// what undo itself does is the main window's own business.
WNDPROC gameProcedure = nullptr;
int undoCommands = 0;
LRESULT CALLBACK CountingGameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDM_UNDO) {
        ++undoCommands;
    }
    return CallWindowProcW(gameProcedure, window, message, wParam, lParam);
}

using namespace game_testing;

// The real game, arrangement A chosen, sound off.
class PlayWindowsInGame : public GameWindowTest {
protected:
    void SetUp() override {
        Start(true, IDCANCEL, 0, 0);
        ASSERT_FALSE(harness::IsPaletteDisplay());
        ASSERT_GE(GetSystemMetrics(SM_CXSCREEN), 800);
    }

    HWND OpenHistory() {
        ShowHistory(main_);
        harness::PumpFor(50);
        return playWindows.history;
    }

    // Mismatching pixels between cell `cell` on the screen and the small face
    // of `kind` (its first 24 columns), or the field's green for kind -1.
    static int CellMismatches(HWND history, int cell, int kind) {
        const int left = 5 + 26 * (cell % 8);
        const int top = 40 + 36 * (cell / 8);
        const std::vector<COLORREF> shown = harness::Capture(history, left, top, 24, 35);
        const BitmapCopy* field = FindBitmap(IDB_HISTORY_FIELD);
        const BitmapCopy* face = kind >= 0 ? FindBitmap(IDB_SMALL_FACE_FIRST + kind) : nullptr;
        const RGBQUAD green = field->info->bmiColors[33];
        int mismatches = 0;
        for (int y = 0; y < 35; ++y) {
            for (int x = 0; x < 24; ++x) {
                const COLORREF expected = face != nullptr ? ColourOf(*face, x, y, *field)
                                                          : RGB(green.rgbRed, green.rgbGreen, green.rgbBlue);
                mismatches += shown[static_cast<std::size_t>(y * 24 + x)] != expected;
            }
        }
        return mismatches;
    }

    void Subclass() {
        undoCommands = 0;
        gameProcedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(main_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingGameProc)));
    }
};

// A point inside a cell, away from its borders.
LPARAM InsideCell(int cell) { return MAKELPARAM(5 + 26 * (cell % 8) + 12, 40 + 36 * (cell / 8) + 17); }

TEST_F(PlayWindowsInGame, HistoryOpensBesideTheBoardAndShowsTheTakenPairsInOrder) {
    const std::vector<int> kinds = TakePairs(3);
    SetWindowPos(main_, nullptr, 300, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    HWND history = OpenHistory();
    ASSERT_NE(history, nullptr);
    EXPECT_TRUE(IsWindowVisible(history));
    EXPECT_EQ(ClassOf(history), L"Rireki Window");
    EXPECT_EQ(harness::TextOf(history), L"履歴の表示");
    EXPECT_EQ(GetWindow(history, GW_OWNER), main_);
    const LONG style = GetWindowLongW(history, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_FALSE(style & WS_SYSMENU);
    RECT rect;
    GetWindowRect(history, &rect);
    // The main window's left edge is beyond 224: the history stands to its left.
    EXPECT_EQ(rect.left, 300 - 234);
    EXPECT_EQ(rect.top, 50);
    EXPECT_EQ(rect.right - rect.left, 224);
    EXPECT_EQ(rect.bottom - rect.top, 400);

    for (int id : {IDC_HISTORY_HELP, IDC_HISTORY_CLOSE}) {
        HWND button = GetDlgItem(history, id);
        ASSERT_NE(button, nullptr) << id;
        const RECT place = ChildRect(button);
        EXPECT_EQ(place.left, id == IDC_HISTORY_HELP ? 150 : 181);
        EXPECT_EQ(place.top, 3);
        EXPECT_EQ(place.right - place.left, 30);
        EXPECT_TRUE(GetWindowLongW(button, GWL_STYLE) & BS_BITMAP);
        EXPECT_NE(SendMessageW(button, BM_GETIMAGE, IMAGE_BITMAP, 0), 0) << id;
    }

    for (int cell = 0; cell < 3; ++cell) {
        EXPECT_EQ(CellMismatches(history, cell, kinds[static_cast<std::size_t>(cell)]), 0) << "cell " << cell;
    }
    EXPECT_EQ(CellMismatches(history, 3, -1), 0);
    EXPECT_EQ(CellMismatches(history, 71, -1), 0);

    // A take while it is shown appears at once in the next cell.
    const std::vector<int> fourth = TakePairs(1);
    EXPECT_EQ(CellMismatches(history, 3, fourth[0]), 0);

    // Made again with the main window near the screen's left edge: to its right.
    DestroyWindow(history);
    EXPECT_EQ(playWindows.history, nullptr);
    SetWindowPos(main_, nullptr, 100, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    history = OpenHistory();
    ASSERT_NE(history, nullptr);
    GetWindowRect(history, &rect);
    EXPECT_EQ(rect.left, 100 + 650);
    EXPECT_EQ(rect.top, 40);
    EXPECT_EQ(rect.right - rect.left, 224);

    // With the board low on the screen the history, as tall as 400, rises
    // to stay inside the work area rather than hang past its bottom.
    DestroyWindow(history);
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(main_, nullptr, 300, work.bottom - 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    history = OpenHistory();
    ASSERT_NE(history, nullptr);
    GetWindowRect(history, &rect);
    EXPECT_EQ(rect.left, 300 - 234);
    EXPECT_EQ(rect.bottom, work.bottom);
}

TEST_F(PlayWindowsInGame, HistoryClicksAndKeysReachTheMainWindow) {
    TakePairs(5);
    HWND history = OpenHistory();
    ASSERT_NE(history, nullptr);
    Subclass();
    struct Click {
        LPARAM point;
        int undos;
        int pairsLeft;
    };
    const Click clicks[] = {
        {InsideCell(4), 1, 4},            // the most recent pair
        {InsideCell(1), 3, 1},            // back to the second pair
        {InsideCell(1), 0, 1},            // now an empty cell
        {MAKELPARAM(100, 20), 0, 1},      // the header strip
        {MAKELPARAM(30, 50), 0, 1},       // the border between cells 0 and 1
        {InsideCell(0), 1, 0},            // everything
    };
    for (const Click& click : clicks) {
        undoCommands = 0;
        SendMessageW(history, WM_LBUTTONDOWN, MK_LBUTTON, click.point);
        EXPECT_EQ(undoCommands, click.undos) << LOWORD(click.point) << ", " << HIWORD(click.point);
        EXPECT_EQ(TakenPairCount(), click.pairsLeft) << LOWORD(click.point) << ", " << HIWORD(click.point);
    }
    // Every tile is back on the board, its window shown.
    for (const TileSlot& slot : tileSlots) {
        EXPECT_EQ(slot.state, 0);
        EXPECT_TRUE(IsWindowVisible(reinterpret_cast<HWND>(static_cast<intptr_t>(slot.window))));
    }
    TakePairs(5);

    // The hand over a taken pair, the arrow over an empty cell and the
    // header, and nothing changed between the cells.
    const HCURSOR hand = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_POINTING_HAND));
    const HCURSOR arrow = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    const HCURSOR cross = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_CROSS));
    SendMessageW(history, WM_MOUSEMOVE, 0, InsideCell(4));
    EXPECT_EQ(GetCursor(), hand);
    SendMessageW(history, WM_MOUSEMOVE, 0, InsideCell(5));
    EXPECT_EQ(GetCursor(), arrow);
    SetCursor(cross);
    SendMessageW(history, WM_MOUSEMOVE, 0, MAKELPARAM(30, 50));
    EXPECT_EQ(GetCursor(), cross);
    SendMessageW(history, WM_MOUSEMOVE, 0, MAKELPARAM(100, 20));
    EXPECT_EQ(GetCursor(), arrow);

    // BackSpace goes through the main window's key table to its undo; Up is
    // not forwarded, so the view stays; Esc minimises the game.
    undoCommands = 0;
    SendMessageW(history, WM_KEYDOWN, VK_BACK, 0);
    EXPECT_EQ(undoCommands, 1);
    SendMessageW(history, WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(gameState.viewRaised, 0);
    SendMessageW(history, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(IsIconic(main_));
    ShowWindow(main_, SW_RESTORE);
    SetWindowLongPtrW(main_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gameProcedure));
}

// The game takes no text: with an input method on, keys must reach the board,
// the tiles and the history as themselves, so none of them has an input context.
TEST_F(PlayWindowsInGame, NoWindowOfTheGameHasAnInputContext) {
    HWND history = OpenHistory();
    ASSERT_NE(history, nullptr);
    std::vector<HWND> windows = {main_, history};
    for (HWND parent : {main_, history}) {
        for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
            windows.push_back(child);
        }
    }
    EXPECT_GT(windows.size(), 144u);
    for (HWND window : windows) {
        HIMC context = ImmGetContext(window);
        EXPECT_EQ(context, nullptr) << harness::Narrow(ClassOf(window));
        if (context != nullptr) ImmReleaseContext(window, context);
    }
}

// While a modal dialog of the game is up, the history takes no input either:
// a real click on a filled cell, with the About box up, undoes nothing.
TEST_F(PlayWindowsInGame, AModalDialogStopsTheHistoryToo) {
    TakePairs(3);
    HWND history = OpenHistory();
    ASSERT_NE(history, nullptr);
    POINT cell = {LOWORD(InsideCell(0)), HIWORD(InsideCell(0))};
    ClientToScreen(history, &cell);
    bool cellUncovered = false;
    {
        harness::DialogAnswerer answerer(GetCurrentThreadId(), [&](HWND dialog) {
            RECT about = {};
            GetWindowRect(dialog, &about);
            cellUncovered = PtInRect(&about, cell) == 0;
            // Under Wine a click straight after a move still lands where the
            // cursor was; the modal loop on the test's thread meets the
            // click during the second wait.
            harness::MoveMouseTo(cell);
            Sleep(200);
            harness::ClickLeft();
            Sleep(300);
            Press(dialog, IDOK);
        });
        RunAboutDialog(main_);
    }
    harness::PumpFor(100);
    EXPECT_TRUE(cellUncovered) << "the About box stood over the cell";
    EXPECT_EQ(TakenPairCount(), 3);
    EXPECT_TRUE(IsWindowEnabled(history)) << "enabled again with the main window";
}

// At a deadlock the history frames the cell of the take that lost the deal,
// in a colour of its own, and the deadlock picture's name says how many
// takes back the deal can still be cleared.
TEST_F(PlayWindowsInGame, ADeadlockFramesTheLosingTakeAndNamesTheTakesBack) {
    constexpr COLORREF kMark = RGB(255, 0, 255);
    HWND history = OpenHistory();
    ASSERT_NE(history, nullptr);
    // The first free pair each time, deal after deal, until one deadlocks.
    for (int game = 0; IsDeadlocked() != 1; ++game) {
        ASSERT_LT(game, 20) << "no deal ran into a deadlock";
        EXPECT_EQ(harness::CountOnScreen(history, kMark), 0) << "no mark before a deadlock";
        if (game > 0) Command(IDM_NEW_GAME);
        for (int a = 0, b = 0; FreePair(a, b);) {
            Click(a);
            Click(b);
        }
    }
    harness::PumpFor(100);
    const int cell = gameState.losingCell;
    ASSERT_GE(cell, 0);
    const std::wstring back = std::to_wstring(TakenPairCount() - cell);
    EXPECT_EQ(harness::TextOf(playWindows.deadlock), L"手詰まり。" + back + L" 手戻すと、まだ解けます");
    const HistoryBox box = HistoryCellBox(cell);
    int inCell = 0;
    for (COLORREF pixel : harness::Capture(history, box.left, box.top, box.right - box.left, box.bottom - box.top)) {
        inCell += pixel == kMark ? 1 : 0;
    }
    EXPECT_GT(inCell, 2 * (box.right - box.left + box.bottom - box.top));
    EXPECT_EQ(harness::CountOnScreen(history, kMark), inCell) << "the mark frames cell " << cell << " alone";
    harness::SaveScreenshotIfAsked("history-losing-take");
}

TEST_F(PlayWindowsInGame, HistoryButtonsExplainAndHideAndShowingAgainRecomposes) {
    const std::vector<int> kinds = TakePairs(2);
    HWND history = OpenHistory();
    ASSERT_NE(history, nullptr);
    std::wstring caption, text;
    {
        harness::DialogAnswerer answerer(GetCurrentThreadId(), [&](HWND box) {
            caption = harness::TextOf(box);
            text = harness::TextOf(GetDlgItem(box, 0xFFFF));
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        });
        SendMessageW(GetDlgItem(history, IDC_HISTORY_HELP), BM_CLICK, 0, 0);
        EXPECT_EQ(answerer.Answered(), 1);
    }
    EXPECT_EQ(caption, L"information");
    EXPECT_EQ(text, kHistoryInfoText);

    SendMessageW(GetDlgItem(history, IDC_HISTORY_CLOSE), BM_CLICK, 0, 0);
    harness::PumpFor(30);
    EXPECT_FALSE(IsWindowVisible(history));
    EXPECT_TRUE(IsWindow(history));
    // A restart refreshes only a shown history; showing it catches up.
    SendMessageW(main_, WM_COMMAND, IDM_RESTART, 0);
    EXPECT_EQ(TakenPairCount(), 0);
    EXPECT_EQ(OpenHistory(), history);
    EXPECT_TRUE(IsWindowVisible(history));
    EXPECT_EQ(CellMismatches(history, 0, -1), 0);
    EXPECT_EQ(CellMismatches(history, 1, -1), 0);
    EXPECT_NE(CellMismatches(history, 0, kinds[0]), 0);
}

TEST_F(PlayWindowsInGame, VictoryAndDeadlockPicturesStandHiddenUntilShownAndGoOnAClick) {
    CreateVictoryWindow(main_);
    CreateDeadlockWindow(main_);
    HWND victory = playWindows.victory;
    HWND deadlock = playWindows.deadlock;
    ASSERT_NE(victory, nullptr);
    ASSERT_NE(deadlock, nullptr);
    // A second call makes no second window.
    CreateVictoryWindow(main_);
    EXPECT_EQ(playWindows.victory, victory);

    struct Expected {
        HWND window;
        const wchar_t* className;
        int id, left, top, width, height, bitmap;
    };
    const Expected pictures[] = {
        {victory, L"Omigoto Window", 124, 70, 110, 500, 250, IDB_VICTORY},
        {deadlock, L"Tezumari Window", 125, 577, 33, 32, 144, IDB_DEADLOCK},
    };
    for (const Expected& picture : pictures) {
        EXPECT_EQ(ClassOf(picture.window), picture.className);
        EXPECT_EQ(GetParent(picture.window), main_);
        EXPECT_EQ(GetDlgCtrlID(picture.window), picture.id);
        EXPECT_EQ(GetWindowLongW(picture.window, GWL_STYLE) & (WS_CHILD | WS_CLIPSIBLINGS),
                  WS_CHILD | WS_CLIPSIBLINGS);
        EXPECT_FALSE(IsWindowVisible(picture.window));
        const RECT rect = ChildRect(picture.window);
        EXPECT_EQ(rect.left, picture.left);
        EXPECT_EQ(rect.top, picture.top);
        EXPECT_EQ(rect.right - rect.left, picture.width);
        EXPECT_EQ(rect.bottom - rect.top, picture.height);
    }

    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(victory, region), ERROR);
    EXPECT_TRUE(PtInRegion(region, 250, 125));
    EXPECT_TRUE(PtInRegion(region, 3, 125));
    EXPECT_FALSE(PtInRegion(region, 10, 10));
    EXPECT_FALSE(PtInRegion(region, 490, 240));
    EXPECT_EQ(GetWindowRgn(deadlock, region), ERROR);
    DeleteObject(region);

    // Start-up makes them before the tiles, which puts them above every tile.
    for (HWND window : {victory, deadlock}) {
        for (HWND above = GetWindow(window, GW_HWNDPREV); above != nullptr; above = GetWindow(above, GW_HWNDPREV)) {
            wchar_t className[32] = {};
            GetClassNameW(above, className, 32);
            EXPECT_STRNE(className, L"Pai Window");
        }
    }
    ShowVictoryPicture();
    ShowDeadlockPicture(0);
    harness::PumpFor(50);
    EXPECT_TRUE(IsWindowVisible(victory));
    EXPECT_TRUE(IsWindowVisible(deadlock));
    for (const Expected& picture : pictures) {
        const BitmapCopy* bitmap = FindBitmap(picture.bitmap);
        ASSERT_NE(bitmap, nullptr);
        const int x = picture.width / 2, y = picture.height / 2;
        EXPECT_EQ(harness::Capture(picture.window, x, y, 1, 1)[0], ColourOf(*bitmap, x, y, *bitmap))
            << picture.bitmap;
    }

    SendMessageW(victory, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, 125));
    EXPECT_FALSE(IsWindowVisible(victory));
    EXPECT_TRUE(IsWindowVisible(deadlock));
    HidePictures();
    EXPECT_FALSE(IsWindowVisible(deadlock));
    ShowDeadlockPicture(0);
    SendMessageW(deadlock, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_FALSE(IsWindowVisible(deadlock));
}

TEST(AnswerDialog, OffersStartOrCancelAndWhileRunningStartAgainOrGoOn) {
    struct Case {
        bool running;
        const wchar_t* start;
        const wchar_t* other;
        int press;  // 0: Esc
        int result;
    };
    const Case cases[] = {
        {false, L"スタート", L"ｷｬﾝｾﾙ", IDC_ANSWER_START, IDC_ANSWER_START},
        {false, L"スタート", L"ｷｬﾝｾﾙ", IDCANCEL, IDCANCEL},
        {true, L"はじめから", L"つづきから", IDC_ANSWER_START, IDC_ANSWER_START},
        {true, L"はじめから", L"つづきから", 0, IDCANCEL},
    };
    for (const Case& c : cases) {
        std::wstring caption, start, other, note;
        LONG style = 0;
        RECT rect = {};
        int result = 0;
        {
            harness::DialogAnswerer answerer(GetCurrentThreadId(), [&](HWND dialog) {
                caption = harness::TextOf(dialog);
                start = harness::TextOf(GetDlgItem(dialog, IDC_ANSWER_START));
                other = harness::TextOf(GetDlgItem(dialog, IDCANCEL));
                note = harness::TextOf(FindWindowExW(dialog, nullptr, L"Static", nullptr));
                style = GetWindowLongW(dialog, GWL_STYLE);
                GetWindowRect(dialog, &rect);
                if (c.press == 0) {
                    PostMessageW(GetDlgItem(dialog, IDC_ANSWER_START), WM_KEYDOWN, VK_ESCAPE, 0);
                } else {
                    Press(dialog, c.press);
                }
            });
            result = RunAnswerDialog(nullptr, c.running);
            EXPECT_EQ(answerer.Answered(), 1);
        }
        EXPECT_EQ(result, c.result) << c.running << " " << c.press;
        EXPECT_EQ(caption, L"答え表示");
        EXPECT_EQ(start, c.start);
        EXPECT_EQ(other, c.other);
        EXPECT_EQ(note, L"マウスだけでなく、スペースキーを押しても牌を取っていくことができます。");
        EXPECT_FALSE(style & WS_SYSMENU);
        // Centred on the screen.
        EXPECT_LE(std::abs((rect.left + rect.right) - GetSystemMetrics(SM_CXSCREEN)), 1);
        EXPECT_LE(std::abs((rect.top + rect.bottom) - GetSystemMetrics(SM_CYSCREEN)), 1);
    }
}

}  // namespace
