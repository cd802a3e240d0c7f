// The deal-failure box as the player sees it: its caption, text, icon and OK button, answered from outside.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "board/tile_slots.h"
#include "deal/deal_generator.h"
#include "shell/texts.h"
#include "tests/support/window_harness.h"

namespace {

struct SeenBox {
    std::wstring caption;
    std::wstring text;
    bool hasOk = false;
    bool hasCancel = false;
    HWND owner = nullptr;
};

}  // namespace

TEST(DealFailureBox, ShowsTheWarningOwnedByTheMainWindow) {
    HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(owner, nullptr);
    SeenBox seen;
    {
        // Reads the box and presses OK; a box it cannot find within ten
        // seconds ends the modal loop, so the test fails, not hangs.
        harness::DialogAnswerer answerer(GetCurrentThreadId(), [&](HWND box) {
            seen.caption = harness::TextOf(box);
            seen.text = harness::TextOf(GetDlgItem(box, 0xFFFF));
            seen.hasOk = GetDlgItem(box, IDOK) != nullptr;
            seen.hasCancel = GetDlgItem(box, IDCANCEL) != nullptr && IsWindowVisible(GetDlgItem(box, IDCANCEL));
            seen.owner = GetWindow(box, GW_OWNER);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        });

        // No arrangement is in force, so every attempt fails and the player is told.
        currentArrangement = 0;
        EXPECT_EQ(BuildDeal(static_cast<intptr_t>(reinterpret_cast<uintptr_t>(owner)), 12345), 0);
        EXPECT_EQ(answerer.Answered(), 1);
    }

    EXPECT_EQ(seen.caption, kDealFailureCaption);
    EXPECT_EQ(seen.caption, L"失敗！");
    EXPECT_EQ(seen.text, L"残念ながら牌の作成に失敗しました。\n\nＦ２キーを押してください。");
    EXPECT_TRUE(seen.hasOk);
    EXPECT_FALSE(seen.hasCancel);
    EXPECT_EQ(seen.owner, owner);
    DestroyWindow(owner);
}
