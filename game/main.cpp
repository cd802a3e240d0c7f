// The game's entry: start the game window and run until it quits. The command line is not read.
#include <windows.h>

#include "game/startup.h"
#include "shell/message_loop.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showState) {
    RegisterGameClasses(instance);
    // Without a main window no quit message would ever come.
    if (StartGameWindow(instance, showState) == nullptr) {
        return 1;
    }
    return RunMessageLoop();
}
