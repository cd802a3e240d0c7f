// The deal-failure box as the player sees it: its caption, text, icon and OK button, answered from outside.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "deal/deal_generator.h"
#include "board/tile_slots.h"
#include "shell/texts.h"

namespace {

struct SeenBox {
    std::wstring caption;
    std::wstring text;
    bool hasOk = false;
    bool hasCancel = false;
    HWND owner = nullptr;
};

BOOL CALLBACK FindDialogOfThread(HWND window, LPARAM found) {
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (std::wstring(className) == L"#32770" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

std::wstring TextOf(HWND window) {
    wchar_t buffer[512] = {};
    GetWindowTextW(window, buffer, 512);
    return buffer;
}

// Waits up to ten seconds for a message box on the given thread, reads it
// and presses OK. A box it cannot find is ended with a quit message to the
// thread, which closes any modal loop there, so the test fails, not hangs.
void AnswerBox(DWORD threadId, SeenBox& seen, std::atomic<bool>& answered) {
    for (int tries = 0; tries < 200 && !answered; ++tries) {
        HWND box = nullptr;
        EnumThreadWindows(threadId, FindDialogOfThread, reinterpret_cast<LPARAM>(&box));
        if (box != nullptr) {
            seen.caption = TextOf(box);
            seen.text = TextOf(GetDlgItem(box, 0xFFFF));
            seen.hasOk = GetDlgItem(box, IDOK) != nullptr;
            seen.hasCancel = GetDlgItem(box, IDCANCEL) != nullptr && IsWindowVisible(GetDlgItem(box, IDCANCEL));
            seen.owner = GetWindow(box, GW_OWNER);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            answered = true;
            return;
        }
        Sleep(50);
    }
    if (!answered) PostThreadMessageW(threadId, WM_QUIT, 0, 0);
}

HWND CreateOwner() {
    return CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

TEST(DealFailureBox, ShowsTheWarningOwnedByTheMainWindow) {
    HWND owner = CreateOwner();
    ASSERT_NE(owner, nullptr);
    SeenBox seen;
    std::atomic<bool> answered{false};
    std::thread answerer(AnswerBox, GetCurrentThreadId(), std::ref(seen), std::ref(answered));

    // No arrangement is in force, so every attempt fails and the player is told.
    currentArrangement = 0;
    EXPECT_EQ(BuildDeal(static_cast<intptr_t>(reinterpret_cast<uintptr_t>(owner)), 12345), 0);
    answered = true;
    answerer.join();

    EXPECT_EQ(seen.caption, kDealFailureCaption);
    EXPECT_EQ(seen.caption, L"失敗！");
    EXPECT_EQ(seen.text, L"残念ながら牌の作成に失敗しました。\n\nＦ２キーを押してください。");
    EXPECT_TRUE(seen.hasOk);
    EXPECT_FALSE(seen.hasCancel);
    EXPECT_EQ(seen.owner, owner);
    DestroyWindow(owner);
}
