// For the services' tests: a window built like the game's main window, whose procedure hands its messages to the status bar as the game does and records what arrives.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace services_test {

// Caption, system menu and minimise box, the seven items of the game's menu
// bar (two of them drop-down menus), created hidden at the platform's
// default position and size.
class GameLikeWindow {
public:
    GameLikeWindow();
    ~GameLikeWindow();
    GameLikeWindow(const GameLikeWindow&) = delete;
    GameLikeWindow& operator=(const GameLikeWindow&) = delete;

    HWND window() const { return window_; }
    HMENU menu() const { return GetMenu(window_); }
    // Shows the window and lets it paint.
    void Show();
    // The screen point at the centre of a menu-bar item.
    POINT MenuItemCentre(int position) const;

    // What reached the window: clock ticks (their times), view-button
    // hovers and commands, in order.
    std::vector<DWORD> ticks;
    std::vector<UINT> hovers;
    std::vector<WORD> commands;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;
};

// The bar's single text, as the control reports it.
std::wstring StatusText(HWND bar);

}  // namespace services_test
