// Window placement under Wine: centring maths, exact client size with a menu bar, and where the main window opens for each stored position.
#include "shell/window_geometry.h"

#include <gtest/gtest.h>

#include "tests/support/services_test_window.h"

namespace {

RECT WindowRect(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

RECT Desktop() {
    return WindowRect(GetDesktopWindow());
}

int ScreenWidth() {
    HDC dc = GetDC(nullptr);
    const int width = GetDeviceCaps(dc, HORZRES);
    ReleaseDC(nullptr, dc);
    return width;
}

int ScreenHeight() {
    HDC dc = GetDC(nullptr);
    const int height = GetDeviceCaps(dc, VERTRES);
    ReleaseDC(nullptr, dc);
    return height;
}

// Hidden unless asked: under Wine without a window manager every hiding of
// a shown top-level window waits about two seconds for the X server.
HWND Popup(int width, int height, bool visible = false) {
    return CreateWindowExW(0, L"STATIC", L"", WS_POPUP | (visible ? WS_VISIBLE : 0), 3, 4, width, height, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

// The corner CenterWindowOnDesktop must choose for a window of this size.
POINT CentredCorner(int width, int height) {
    const RECT desktop = Desktop();
    return POINT{(desktop.right - width) / 2, (desktop.bottom - height) / 2};
}

void ExpectCentredAt(HWND window, int width, int height) {
    const RECT rect = WindowRect(window);
    const POINT corner = CentredCorner(width, height);
    EXPECT_EQ(rect.left, corner.x);
    EXPECT_EQ(rect.top, corner.y);
    EXPECT_EQ(rect.right - rect.left, width);
    EXPECT_EQ(rect.bottom - rect.top, height);
}

}  // namespace

TEST(CenterWindowOnDesktop, CentresAtTheCurrentSizeAndHidesTheWindow) {
    // Odd sizes check the rounding; a window wider than the desktop checks
    // that the division truncates toward zero ((-3) / 2 is -1, not -2).
    const RECT desktop = Desktop();
    const SIZE sizes[] = {{300, 200}, {301, 201}, {1, 1}, {desktop.right + 3, 100}};
    for (const SIZE size : sizes) {
        SCOPED_TRACE(testing::Message() << size.cx << "x" << size.cy);
        HWND window = Popup(size.cx, size.cy);
        ASSERT_NE(window, nullptr);
        ASSERT_EQ(WindowRect(window).right - WindowRect(window).left, size.cx) << "the platform resized the window";
        EXPECT_EQ(CenterWindowOnDesktop(window), 0);
        ExpectCentredAt(window, size.cx, size.cy);
        DestroyWindow(window);
    }
    const HWND wide = Popup(desktop.right + 3, 10);
    CenterWindowOnDesktop(wide);
    EXPECT_EQ(WindowRect(wide).left, -1);
    DestroyWindow(wide);

    const HWND shown = Popup(200, 100, true);
    ASSERT_TRUE(IsWindowVisible(shown));
    CenterWindowOnDesktop(shown);
    EXPECT_FALSE(IsWindowVisible(shown));
    ExpectCentredAt(shown, 200, 100);
    DestroyWindow(shown);
}

TEST(CenterWindowOnDesktop, PutsTheWindowOnTopOfTheOthers) {
    HWND lower = Popup(100, 100);
    HWND upper = Popup(100, 100);
    ASSERT_EQ(GetWindow(upper, GW_HWNDNEXT), lower) << "a new window should start above the older one";
    CenterWindowOnDesktop(lower);
    EXPECT_EQ(GetWindow(lower, GW_HWNDNEXT), upper);
    DestroyWindow(upper);
    DestroyWindow(lower);
}

TEST(SetClientAreaSize, GivesExactlyTheClientSizeAndKeepsTheCorner) {
    services_test::GameLikeWindow main;
    ASSERT_NE(main.window(), nullptr);
    // Starting narrow enough for the menu bar to take two rows, which it
    // gives up at 640: the frame's height changes with the width.
    MoveWindow(main.window(), 37, 41, 300, 300, FALSE);
    for (const SIZE size : {SIZE{640, 480}, SIZE{200, 150}, SIZE{640, 480}, SIZE{640, 480}}) {
        SetClientAreaSize(main.window(), size.cx, size.cy, true);
        RECT client = {};
        GetClientRect(main.window(), &client);
        EXPECT_EQ(client.right, size.cx);
        EXPECT_EQ(client.bottom, size.cy);
        EXPECT_EQ(WindowRect(main.window()).left, 37);
        EXPECT_EQ(WindowRect(main.window()).top, 41);
    }
}

TEST(PlaceMainWindow, OpensWhereItWasLeftWhenThatIsOnTheScreen) {
    const int width = ScreenWidth();
    const int height = ScreenHeight();
    // (x, y) stored; kept in place even when part of the window hangs past
    // the left, right or bottom edge, as long as its caption is on screen.
    const POINT kept[] = {{100, 50}, {1, 1}, {-200, 100}, {width - 50, 100}, {100, height - 20}, {width - 1, height - 1}};
    for (const POINT stored : kept) {
        SCOPED_TRACE(testing::Message() << "stored " << stored.x << "," << stored.y);
        services_test::GameLikeWindow main;
        PlaceMainWindow(main.window(), stored.x, stored.y);
        const RECT rect = WindowRect(main.window());
        EXPECT_EQ(rect.left, stored.x);
        EXPECT_EQ(rect.top, stored.y);
        EXPECT_EQ(rect.right - rect.left, 640);
        EXPECT_EQ(rect.bottom - rect.top, 510);

        // The start-up sizing that follows keeps the corner.
        SetClientAreaSize(main.window(), 640, 480, true);
        RECT client = {};
        GetClientRect(main.window(), &client);
        EXPECT_EQ(client.right, 640);
        EXPECT_EQ(client.bottom, 480);
        EXPECT_EQ(WindowRect(main.window()).left, stored.x);
        EXPECT_EQ(WindowRect(main.window()).top, stored.y);
    }
}

TEST(PlaceMainWindow, CentresAtTheDefaultSizeWhenNoUsablePositionIsStored) {
    const int width = ScreenWidth();
    const int height = ScreenHeight();
    // Nothing stored (either is 0), beyond the screen, or somewhere no
    // monitor shows the caption (far left, far up).
    const POINT centred[] = {{0, 0},        {0, 100},      {100, 0},       {width, 100}, {100, height},
                             {width + 500, 1}, {-5000, 100}, {100, -5000}, {-5000, -5000}, {100, -100}};
    for (const POINT stored : centred) {
        SCOPED_TRACE(testing::Message() << "stored " << stored.x << "," << stored.y);
        services_test::GameLikeWindow main;
        const RECT before = WindowRect(main.window());
        PlaceMainWindow(main.window(), stored.x, stored.y);
        ExpectCentredAt(main.window(), before.right - before.left, before.bottom - before.top);
        EXPECT_FALSE(IsWindowVisible(main.window()));
    }
}
