// Tells the player that no deal could be built: the warning box the deal generator asks for.
#include <windows.h>

#include "deal/deal_platform.h"
#include "shell/texts.h"

void ShowDealFailure(intptr_t ownerWindow) {
    // The player has only OK to press; the answer carries nothing.
    MessageBoxW(reinterpret_cast<HWND>(ownerWindow), kDealFailureText, kDealFailureCaption,
                MB_OK | MB_ICONWARNING);
}
