// Shared by the Windows tests of the game's windows: the real game started as the entry starts it, its start-up dialogs answered, and ways to play it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/freedom.h"
#include "board/tile_slots.h"
#include "game/startup.h"
#include "shell/resource.h"
#include "shell/settings.h"
#include "tests/support/free_tiles_testing.h"
#include "tests/support/window_harness.h"

namespace game_testing {

using board_testing::FreePair;
using harness::ChildRect;
using harness::ClassOf;

inline HWND TileWindow(int slot) { return reinterpret_cast<HWND>(static_cast<intptr_t>(tileSlots[slot].window)); }

// Whether a dialog has a taskbar button of its own (WS_EX_APPWINDOW) and the
// game's icon, big and small.
inline bool OnTaskbarWithIcon(HWND dialog) {
    return (GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0 &&
           SendMessageW(dialog, WM_GETICON, ICON_BIG, 0) != 0 && SendMessageW(dialog, WM_GETICON, ICON_SMALL, 0) != 0;
}

// Presses a dialog's button as a click would: the dialog gets the command.
inline void Press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

class GameWindowTest : public ::testing::Test {
protected:
    // Starts the game with its start-up dialogs answered: the first-run
    // dialog (when there is no settings file) by `firstRunButton`, the game
    // selection by arrangement `letter` (0 = A) and 決定. With a settings
    // file, it holds the sound switch `sound`.
    void Start(bool withSettingsFile, int firstRunButton = IDCANCEL, int letter = 0, int sound = 1) {
        DeleteFileW(GetProgramFolderPath(kSettingsFileName).c_str());
        if (withSettingsFile) {
            WriteSettingInt(L"SOUND", L"sound", sound, kSettingsFileName);
        }
        RegisterGameClasses(GetModuleHandleW(nullptr));
        const int dialogs = withSettingsFile ? 1 : 2;
        harness::DialogAnswerer answerer(GetCurrentThreadId(), [&](HWND dialog) {
            captions_.push_back(harness::TextOf(dialog));
            onTaskbar_.push_back(OnTaskbarWithIcon(dialog));
            if (GetDlgItem(dialog, IDC_SELECT_A) != nullptr) {
                Press(dialog, IDC_SELECT_A + letter);
                Press(dialog, IDOK);
            } else {
                Press(dialog, firstRunButton);
            }
        }, dialogs);
        main_ = StartGameWindow(GetModuleHandleW(nullptr), SW_SHOWNORMAL);
        ASSERT_NE(main_, nullptr);
        ASSERT_EQ(answerer.Answered(), dialogs);
        harness::PumpFor(100);
    }

    void TearDown() override {
        if (main_ != nullptr && IsWindow(main_)) {
            DestroyWindow(main_);
        }
        MSG quit;
        while (PeekMessageW(&quit, nullptr, 0, 0, PM_REMOVE)) {
        }
        DeleteFileW(GetProgramFolderPath(kSettingsFileName).c_str());
    }

    void Key(WPARAM key) {
        SendMessageW(main_, WM_KEYDOWN, key, 0);
        harness::PumpFor(30);
    }
    void Command(int id) {
        SendMessageW(main_, WM_COMMAND, id, 0);
        harness::PumpFor(30);
    }

    // Clicks the tile window of a slot as the mouse would.
    static void Click(int slot) {
        SendMessageW(TileWindow(slot), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 30));
        SendMessageW(TileWindow(slot), WM_LBUTTONUP, 0, MAKELPARAM(20, 30));
    }

    // Takes `count` free pairs by clicking their tiles; the kinds in the order taken.
    std::vector<int> TakePairs(int count) {
        std::vector<int> kinds;
        for (int n = 0; n < count; ++n) {
            int a = -1, b = -1;
            if (!FreePair(a, b)) {
                ADD_FAILURE() << "no free pair after " << n;
                break;
            }
            Click(a);
            Click(b);
            EXPECT_EQ(tileSlots[a].state, 2);
            kinds.push_back(KindOfFace(tileSlots[a].face));
        }
        harness::PumpFor(50);
        return kinds;
    }

    HWND main_ = nullptr;
    std::vector<std::wstring> captions_;
    std::vector<bool> onTaskbar_;  // of each start-up dialog
};

}  // namespace game_testing
