// The platform as the deal generator reaches it: the one thing it asks, telling the player that no deal could be built.
#pragma once

#include <cstdint>

// Two sides implement it: shell/deal_platform_win32.cpp (library
// deal_platform_win32) for the real windows, and
// tests/support/deal_platform_recorder.cpp (library deal_platform_recorder)
// for host tests.

// Shows the deal-failure message box, owned by the given window (a window
// handle carried through intptr_t).
void ShowDealFailure(intptr_t ownerWindow);
