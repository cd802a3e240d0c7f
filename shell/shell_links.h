// Shortcuts to the running program, made through the shell's link object.
#pragma once

#include <windows.h>

// Creates (or replaces) the shortcut `baseName`.lnk in the special folder
// `folderId` (CSIDL_DESKTOP, CSIDL_PROGRAMS, CSIDL_STARTUP), pointing at the
// running program. 1 on success, 0 on failure. Wide throughout, so a program
// path outside the ANSI code page still makes a working shortcut.
int CreateProgramShortcut(HWND owner, const wchar_t* baseName, int folderId);
