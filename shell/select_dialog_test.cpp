// The game selection dialog as the program carries it, driven from a second thread: its frame, its letters and preview, and what 決定 keeps.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/tile_slots.h"
#include "shell/dialogs.h"
#include "shell/resource.h"
#include "tests/support/dialog_testing.h"
#include "tests/support/window_harness.h"

namespace {

using namespace dialog_testing;


constexpr COLORREF kBrightYellow = RGB(255, 255, 0);

std::vector<COLORREF> PixelsOfResource(int id) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    std::vector<COLORREF> pixels = harness::PixelsOfBitmap(bitmap);
    DeleteObject(bitmap);
    return pixels;
}

HBITMAP ButtonPicture(HWND dialog, int arrangement) {
    return reinterpret_cast<HBITMAP>(
        SendDlgItemMessageW(dialog, IDC_SELECT_A + arrangement - 1, BM_GETIMAGE, IMAGE_BITMAP, 0));
}

HBITMAP PreviewPicture(HWND dialog) {
    return reinterpret_cast<HBITMAP>(SendDlgItemMessageW(dialog, IDC_SELECT_PREVIEW, STM_GETIMAGE, IMAGE_BITMAP, 0));
}

// What a dialog shows at one moment, read on the answering thread and
// checked on the test's own.
struct SelectLook {
    bool okEnabled = false;
    bool harderTicked = false;
    int arrangement = -1;
    int harder = -1;
    // For A to D: 1 chosen picture, 0 not-chosen picture, -1 neither.
    int letters[kArrangementCount] = {-1, -1, -1, -1};
    // 0 for an empty preview, 1 to 4 for the preview of A to D, -1 for anything else.
    int preview = -1;
    HBITMAP handles[kArrangementCount + 1] = {};
};

SelectLook LookAt(HWND dialog) {
    SelectLook look;
    look.okEnabled = IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE;
    look.harderTicked = IsDlgButtonChecked(dialog, IDC_SELECT_HARDER) == BST_CHECKED;
    look.arrangement = currentArrangement;
    look.harder = harderDeal;
    for (int k = 1; k <= kArrangementCount; ++k) {
        HBITMAP shown = ButtonPicture(dialog, k);
        look.handles[k - 1] = shown;
        const std::vector<COLORREF> pixels = harness::PixelsOfBitmap(shown);
        if (!pixels.empty() && pixels == PixelsOfResource(IDB_LETTER_BRIGHT_FIRST + k - 1)) {
            look.letters[k - 1] = 1;
        } else if (!pixels.empty() && pixels == PixelsOfResource(IDB_LETTER_DIM_FIRST + k - 1)) {
            look.letters[k - 1] = 0;
        }
    }
    HBITMAP preview = PreviewPicture(dialog);
    look.handles[kArrangementCount] = preview;
    if (preview == nullptr) {
        look.preview = 0;
    } else {
        const std::vector<COLORREF> pixels = harness::PixelsOfBitmap(preview);
        for (int k = 1; k <= kArrangementCount; ++k) {
            if (pixels == PixelsOfResource(IDB_PREVIEW_FIRST + k - 1)) {
                look.preview = k;
            }
        }
    }
    return look;
}

void ExpectLetters(const SelectLook& look, int chosen, const char* when) {
    for (int k = 1; k <= kArrangementCount; ++k) {
        EXPECT_EQ(look.letters[k - 1], k == chosen ? 1 : 0) << when << ": letter " << k;
    }
}


// Sends a key through the dialog's own message loop, as typed on the focused control.
void Type(HWND dialog, UINT key) {
    HWND focus = GetDlgItem(dialog, IDC_SELECT_A);
    PostMessageW(focus, WM_KEYDOWN, key, 0);
    PostMessageW(focus, WM_KEYUP, key, 0xC0000000);
}

// Cancel in each of its forms: the command, a close request and the Esc
// key; and a stray 決定 command while the button is disabled. Reports
// whether the dialog was still there afterwards.
bool SurvivesCancel(HWND dialog) {
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    SendMessageW(dialog, WM_CLOSE, 0, 0);
    Type(dialog, VK_ESCAPE);
    Sleep(300);
    return IsWindow(dialog) && IsWindowVisible(dialog);
}

// ---------------------------------------------------------------------------
// Game selection

using GameSelectDialog = DialogTest;

TEST_F(GameSelectDialog, AtStartNothingIsChosenAndOnlyDecideLeavesIt) {
    SelectLook atStart, afterCancel, afterA;
    harness::FrameLook frame;
    bool survived = false;
    int yellowOnA = -1;
    int result = 0;
    {
        harness::DialogAnswerer answerer(GetCurrentThreadId(), [&](HWND dialog) {
            frame = harness::FrameOf(dialog);
            atStart = LookAt(dialog);
            survived = SurvivesCancel(dialog);
            afterCancel = LookAt(dialog);
            Press(dialog, IDC_SELECT_A);
            afterA = LookAt(dialog);
            harness::WaitWithoutPumping([&] { return harness::CountOnScreen(GetDlgItem(dialog, IDC_SELECT_A), kBrightYellow) > 0; });
            yellowOnA = harness::CountOnScreen(GetDlgItem(dialog, IDC_SELECT_A), kBrightYellow);
            Press(dialog, IDOK);
        });
        result = RunGameSelectDialog(owner());
        EXPECT_EQ(answerer.Answered(), 1);
    }
    EXPECT_EQ(result, 1);

    EXPECT_EQ(frame.caption, L"『Zenmora』  ゲーム選択");
    EXPECT_TRUE(frame.captionBar);
    EXPECT_FALSE(frame.systemMenu) << "no system menu, so no close box";
    EXPECT_EQ(frame.fontFace, L"ＭＳ Ｐゴシック");
    EXPECT_EQ(frame.fontHeight, harness::PointsToHeight(10));
    const std::vector<std::wstring> texts = {L"", L"どれで遊びますか？", L"Ａ", L"Ｂ", L"Ｃ", L"<icon>",
                                             L"決定", L"プレビュー", L"Ｄ", L"むずかしくする"};
    EXPECT_EQ(frame.texts, texts);

    EXPECT_FALSE(atStart.okEnabled);
    ExpectLetters(atStart, 0, "at start");
    EXPECT_EQ(atStart.preview, 0) << "the preview stays empty until a letter is pressed";
    EXPECT_FALSE(atStart.harderTicked);

    EXPECT_TRUE(survived) << "Esc, cancel, close and a disabled 決定 leave the dialog open";
    EXPECT_EQ(afterCancel.arrangement, 0);
    EXPECT_FALSE(afterCancel.okEnabled);
    ExpectLetters(afterCancel, 0, "after cancel");

    EXPECT_TRUE(afterA.okEnabled);
    EXPECT_EQ(afterA.arrangement, 1);
    ExpectLetters(afterA, 1, "after A");
    EXPECT_EQ(afterA.preview, 1);
    EXPECT_GT(yellowOnA, 0) << "the chosen letter is bright on screen";

    EXPECT_EQ(currentArrangement, 1);
    EXPECT_EQ(harderDeal, 0);
}

TEST_F(GameSelectDialog, LettersSwapPicturesAndTheBoxCountsOnlyOnDecide) {
    SelectLook afterB, afterA, afterAAgain, afterTick;
    int result = 0;
    {
        harness::DialogAnswerer answerer(GetCurrentThreadId(), [&](HWND dialog) {
            Press(dialog, IDC_SELECT_B);
            afterB = LookAt(dialog);
            Press(dialog, IDC_SELECT_A);
            afterA = LookAt(dialog);
            Press(dialog, IDC_SELECT_A);
            afterAAgain = LookAt(dialog);
            Press(dialog, IDC_SELECT_HARDER);
            afterTick = LookAt(dialog);
            Press(dialog, IDOK);
        });
        result = RunGameSelectDialog(owner());
        EXPECT_EQ(answerer.Answered(), 1);
    }
    EXPECT_EQ(result, 1);

    EXPECT_EQ(afterB.arrangement, 2) << "the choice takes effect while the dialog is open";
    ExpectLetters(afterB, 2, "after B");
    EXPECT_EQ(afterB.preview, 2);

    EXPECT_EQ(afterA.arrangement, 1);
    ExpectLetters(afterA, 1, "after B then A");
    EXPECT_EQ(afterA.preview, 1);

    // Pressing the chosen letter again changes nothing, not even a handle.
    EXPECT_EQ(afterAAgain.arrangement, 1);
    for (int i = 0; i <= kArrangementCount; ++i) {
        EXPECT_EQ(afterAAgain.handles[i], afterA.handles[i]) << "picture " << i;
    }

    EXPECT_TRUE(afterTick.harderTicked);
    EXPECT_EQ(afterTick.harder, 0) << "the box counts only when 決定 is pressed";
    EXPECT_EQ(currentArrangement, 1);
    EXPECT_EQ(harderDeal, 1);

    // The dialog freed every picture it loaded.
    for (HBITMAP shown : afterTick.handles) {
        EXPECT_EQ(GetObjectType(shown), 0u) << "a picture outlived its dialog";
    }
}

TEST_F(GameSelectDialog, OpenedAgainShowsTheArrangementInForceAtOnce) {
    currentArrangement = 3;
    harderDeal = 1;
    SelectLook atStart;
    int yellow[kArrangementCount] = {};
    {
        harness::DialogAnswerer answerer(GetCurrentThreadId(), [&](HWND dialog) {
            atStart = LookAt(dialog);
            harness::WaitWithoutPumping([&] { return harness::CountOnScreen(GetDlgItem(dialog, IDC_SELECT_C), kBrightYellow) > 0; });
            for (int k = 1; k <= kArrangementCount; ++k) {
                yellow[k - 1] = harness::CountOnScreen(GetDlgItem(dialog, IDC_SELECT_A + k - 1), kBrightYellow);
            }
            Press(dialog, IDC_SELECT_HARDER);
            Press(dialog, IDOK);
        });
        RunGameSelectDialog(owner());
        EXPECT_EQ(answerer.Answered(), 1);
    }
    EXPECT_TRUE(atStart.okEnabled);
    ExpectLetters(atStart, 3, "opened with C");
    EXPECT_EQ(atStart.preview, 3);
    EXPECT_TRUE(atStart.harderTicked);
    EXPECT_GT(yellow[2], 0);
    EXPECT_EQ(yellow[0] + yellow[1] + yellow[3], 0) << "only C is bright on screen";
    EXPECT_EQ(currentArrangement, 3);
    EXPECT_EQ(harderDeal, 0) << "unticked before 決定";
}

}  // namespace
