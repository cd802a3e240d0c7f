// Shared by the dialog tests: an owner window of the test's own, the game's choices reset, and pressing a dialog's controls.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "board/tile_slots.h"
#include "tests/support/window_harness.h"

namespace dialog_testing {

// Presses a control the way a click does; a disabled one ignores it.
inline void Press(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(owner_.window(), nullptr);
        currentArrangement = 0;
        harderDeal = 0;
    }
    HWND owner() const { return owner_.window(); }

private:
    harness::TestParent owner_{RGB(0, 64, 0)};
};

}  // namespace dialog_testing
