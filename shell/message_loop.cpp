// The message loop of the game and of the screensaver.
#include "shell/message_loop.h"

#include <windows.h>

int RunMessageLoop() {
    MSG message;
    BOOL result;
    while ((result = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        // A failed fetch would fail again at once: end rather than spin.
        if (result == -1) return 1;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
