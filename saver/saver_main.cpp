// The screensaver program's entry: the host runs it as its command line asks.
#include <windows.h>

#include "saver/saver_host.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return RunScreenSaver(instance, GetCommandLineW());
}
