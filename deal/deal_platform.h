// The one thing the deal generator asks of the screen: telling the player that no deal could be built.
#pragma once

#include <cstdint>

// Shows the deal-failure message box, owned by the given window (a window
// handle carried through intptr_t). The game's Win32 layer implements it;
// host tests link a recorder instead.
void ShowDealFailure(intptr_t ownerWindow);
