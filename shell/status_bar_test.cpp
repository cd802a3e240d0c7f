// The status bar under Wine: texts shown and read back, menu help by bar position, the clock's pause and faster restart, and the view buttons' hover, cursor and clicks.
#include "shell/status_bar.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "shell/resource.h"
#include "tests/support/services_test_window.h"
#include "shell/texts.h"
#include "shell/window_geometry.h"
#include "tests/support/window_harness.h"

namespace {

using services_test::GameLikeWindow;
using services_test::StatusText;

constexpr DWORD kDeadline = 5000;

// The game's main window as its creation leaves it: 640 x 480 of client
// area, shown, with the bar along the bottom.
struct Game {
    Game() {
        SetClientAreaSize(main.window(), 640, 480, false);
        bar = CreateStatusBar(main.window());
        main.Show();
        harness::PumpFor(100);
    }
    ~Game() { StopClock(main.window()); }

    GameLikeWindow main;
    HWND bar = nullptr;
};

bool IsClockText(const std::wstring& text) {
    return text.rfind(L"今日は ", 0) == 0 && text.size() > 20 && text.substr(text.size() - 2) == L" 秒";
}

// How many pixels of the bar's inside differ from its most common colour:
// an empty bar has next to none, a line of text hundreds.
int InkInBar(HWND bar) {
    RECT rect = {};
    GetClientRect(bar, &rect);
    const int width = rect.right - 30;  // leave out the size grip
    const int height = rect.bottom - 4;
    const std::vector<COLORREF> pixels = harness::Capture(bar, 2, 2, width, height);
    std::vector<COLORREF> sorted = pixels;
    std::sort(sorted.begin(), sorted.end());
    COLORREF common = 0;
    std::size_t best = 0;
    for (std::size_t i = 0; i < sorted.size();) {
        std::size_t j = i;
        while (j < sorted.size() && sorted[j] == sorted[i]) {
            ++j;
        }
        if (j - i > best) {
            best = j - i;
            common = sorted[i];
        }
        i = j;
    }
    return static_cast<int>(std::count_if(pixels.begin(), pixels.end(), [&](COLORREF c) { return c != common; }));
}

}  // namespace

TEST(StatusBar, LiesAlongTheBottomAndShowsEachTextItIsGiven) {
    Game game;
    ASSERT_NE(game.bar, nullptr);
    RECT client = {};
    RECT bar = {};
    GetClientRect(game.main.window(), &client);
    GetWindowRect(game.bar, &bar);
    MapWindowPoints(nullptr, game.main.window(), reinterpret_cast<POINT*>(&bar), 2);
    EXPECT_EQ(bar.left, 0);
    EXPECT_EQ(bar.right, client.right);
    EXPECT_EQ(bar.bottom, client.bottom);

    // Empty until the first tick.
    EXPECT_EQ(StatusText(game.bar), L"");
    const int emptyInk = InkInBar(game.bar);

    for (const wchar_t* text : {kUndoHelpText, kHintHelpText, kUpViewButtonHelpText}) {
        SetStatusText(text);
        EXPECT_EQ(StatusText(game.bar), text);
    }
    ShowClock();
    EXPECT_TRUE(IsClockText(StatusText(game.bar))) << StatusText(game.bar).size();
    UpdateWindow(game.bar);
    harness::PumpFor(50);
    // The text is drawn, not only stored.
    EXPECT_GT(InkInBar(game.bar), emptyInk + 100);
}

TEST(StatusBar, MenuHelpFollowsTheBarPosition) {
    Game game;
    StartClock(game.main.window());
    ASSERT_EQ(clockTimerOn, 1);

    const wchar_t* expected[7] = {nullptr,         kUndoHelpText, kHistoryHelpText,    kHintHelpText,
                                  kAnswerHelpText, nullptr,       kScreensaverHelpText};
    for (int position = 0; position < 7; ++position) {
        SCOPED_TRACE(position);
        SetStatusText(L"before");
        const bool wasOn = clockTimerOn == 1;
        ShowMenuHelp(game.main.window(), game.main.MenuItemCentre(position));
        if (expected[position] != nullptr) {
            EXPECT_EQ(StatusText(game.bar), expected[position]);
            EXPECT_EQ(clockTimerOn, 0);
        } else {
            // The drop-down menus have no help: the text stays, the clock runs.
            EXPECT_EQ(StatusText(game.bar), L"before");
            EXPECT_EQ(clockTimerOn, 1) << "clock was " << (wasOn ? "on" : "off");
        }
    }

    // Over the caption, above the menu bar: no item, so the clock restarts.
    ShowMenuHelp(game.main.window(), game.main.MenuItemCentre(3));
    ASSERT_EQ(clockTimerOn, 0);
    RECT frame = {};
    GetWindowRect(game.main.window(), &frame);
    const POINT caption = {(frame.left + frame.right) / 2, game.main.MenuItemCentre(3).y - GetSystemMetrics(SM_CYMENU)};
    ShowMenuHelp(game.main.window(), caption);
    EXPECT_EQ(clockTimerOn, 1);
    EXPECT_EQ(StatusText(game.bar), kHintHelpText);
}

TEST(StatusBar, ClockStopsForHelpAndComesBackTenTimesASecond) {
    Game game;
    StartClock(game.main.window());
    auto& ticks = game.main.ticks;

    // Start-up: a tick a second.
    ASSERT_TRUE(harness::PumpUntil([&] { return ticks.size() >= 2; }, kDeadline));
    EXPECT_GE(ticks[1] - ticks[0], 900u);
    EXPECT_TRUE(IsClockText(StatusText(game.bar)));
    // A client-area move while the clock runs changes nothing.
    ResumeClock(game.main.window());
    const std::size_t seen = ticks.size();
    ASSERT_TRUE(harness::PumpUntil([&] { return ticks.size() >= seen + 2; }, kDeadline));
    EXPECT_GE(ticks[seen + 1] - ticks[seen], 900u);

    // Help over "ヒント": the clock stops and the text stays.
    ShowMenuHelp(game.main.window(), game.main.MenuItemCentre(3));
    EXPECT_EQ(clockTimerOn, 0);
    const std::size_t stopped = ticks.size();
    harness::PumpFor(1500);
    EXPECT_EQ(ticks.size(), stopped);
    EXPECT_EQ(StatusText(game.bar), kHintHelpText);

    // On to "ヘルプ": the hint text waits for the next tick, 100 ms later.
    ShowMenuHelp(game.main.window(), game.main.MenuItemCentre(5));
    EXPECT_EQ(clockTimerOn, 1);
    EXPECT_EQ(StatusText(game.bar), kHintHelpText);
    const DWORD resumed = GetTickCount();
    ASSERT_TRUE(harness::PumpUntil([&] { return ticks.size() > stopped; }, kDeadline));
    EXPECT_LT(ticks[stopped] - resumed, 400u);
    EXPECT_TRUE(IsClockText(StatusText(game.bar)));

    // And ten times a second from then on, through later pauses too.
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        const std::size_t from = ticks.size();
        const DWORD start = GetTickCount();
        harness::PumpFor(1000);
        const std::size_t count = ticks.size() - from;
        EXPECT_GE(count, 6u) << "in " << GetTickCount() - start << " ms";
        EXPECT_LE(count, 12u) << "in " << GetTickCount() - start << " ms";
        ShowViewButtonHelp(true);
        EXPECT_EQ(clockTimerOn, 0);
        EXPECT_EQ(StatusText(game.bar), kUpViewButtonHelpText);
        ResumeClock(game.main.window());
    }

    StopClock(game.main.window());
    const std::size_t ended = ticks.size();
    harness::PumpFor(400);
    EXPECT_EQ(ticks.size(), ended);
    EXPECT_EQ(clockTimerOn, 1);
}

TEST(StatusBar, RealMouseOverTheMenuBarAndBackToThePlayArea) {
    Game game;
    StartClock(game.main.window());
    harness::MoveMouseTo(game.main.MenuItemCentre(2));
    ASSERT_TRUE(harness::PumpUntil([&] { return StatusText(game.bar) == kHistoryHelpText; }, kDeadline))
        << "text " << StatusText(game.bar).size() << " long";
    EXPECT_EQ(clockTimerOn, 0);

    POINT play = {320, 200};
    ClientToScreen(game.main.window(), &play);
    harness::MoveMouseTo(play);
    ASSERT_TRUE(harness::PumpUntil([&] { return IsClockText(StatusText(game.bar)); }, kDeadline));
    EXPECT_EQ(clockTimerOn, 1);
}

TEST(ViewButtons, SitAtTheLeftWithTheirArrowPictures) {
    Game game;
    CreateViewButtons(game.main.window());
    const struct {
        int id;
        int y;
    } buttons[] = {{IDC_UP_VIEW_BUTTON, 360}, {IDC_DOWN_VIEW_BUTTON, 395}};
    HBITMAP pictures[2] = {};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(buttons[i].id);
        HWND button = GetDlgItem(game.main.window(), buttons[i].id);
        ASSERT_NE(button, nullptr);
        RECT rect = {};
        GetWindowRect(button, &rect);
        MapWindowPoints(nullptr, game.main.window(), reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, 10);
        EXPECT_EQ(rect.top, buttons[i].y);
        EXPECT_EQ(rect.right - rect.left, 34);
        EXPECT_EQ(rect.bottom - rect.top, 34);
        EXPECT_TRUE(GetWindowLongPtrW(button, GWL_STYLE) & BS_BITMAP);
        pictures[i] = reinterpret_cast<HBITMAP>(SendMessageW(button, BM_GETIMAGE, IMAGE_BITMAP, 0));
        BITMAP info = {};
        ASSERT_NE(GetObjectW(pictures[i], sizeof(info), &info), 0);
        EXPECT_GT(info.bmWidth, 0);
    }
    EXPECT_NE(pictures[0], pictures[1]);

    // Released: the pictures are gone and the buttons are plain buttons again.
    ReleaseViewButtons();
    EXPECT_EQ(GetObjectType(pictures[0]), 0u);
    EXPECT_EQ(GetObjectType(pictures[1]), 0u);
    HWND up = GetDlgItem(game.main.window(), IDC_UP_VIEW_BUTTON);
    SendMessageW(up, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(game.main.hovers.empty());
}

TEST(ViewButtons, HoverShowsHelpWithTheHandAndClicksStillCommand) {
    Game game;
    StartClock(game.main.window());
    CreateViewButtons(game.main.window());
    const HCURSOR hand = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_POINTING_HAND));
    ASSERT_NE(hand, nullptr);

    const struct {
        int id;
        UINT hover;
        const wchar_t* text;
    } buttons[] = {{IDC_UP_VIEW_BUTTON, kUpViewButtonHoverMessage, kUpViewButtonHelpText},
                   {IDC_DOWN_VIEW_BUTTON, kDownViewButtonHoverMessage, kDownViewButtonHelpText}};
    for (const auto& expected : buttons) {
        SCOPED_TRACE(expected.id);
        HWND button = GetDlgItem(game.main.window(), expected.id);
        RECT rect = {};
        GetWindowRect(button, &rect);
        game.main.hovers.clear();
        game.main.commands.clear();

        harness::MoveMouseTo(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
        ASSERT_TRUE(harness::PumpUntil([&] { return !game.main.hovers.empty(); }, kDeadline));
        EXPECT_EQ(game.main.hovers.front(), expected.hover);
        EXPECT_EQ(StatusText(game.bar), expected.text);
        EXPECT_EQ(clockTimerOn, 0);
        EXPECT_EQ(GetCursor(), hand);

        harness::ClickLeft();
        ASSERT_TRUE(harness::PumpUntil([&] { return !game.main.commands.empty(); }, kDeadline));
        EXPECT_EQ(game.main.commands.front(), expected.id);

        // Back to the play area: the clock returns.
        POINT play = {320, 100};
        ClientToScreen(game.main.window(), &play);
        harness::MoveMouseTo(play);
        ASSERT_TRUE(harness::PumpUntil([&] { return clockTimerOn == 1; }, kDeadline));
        EXPECT_NE(GetCursor(), hand);
    }
    ReleaseViewButtons();
}
