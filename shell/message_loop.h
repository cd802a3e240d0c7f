// The message loop of the game and of the screensaver.
#pragma once

// Dispatches the thread's messages until the quit message and returns its
// exit code; 1 when fetching a message fails.
int RunMessageLoop();
