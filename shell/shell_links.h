// Shortcuts to the running program, made through the shell's link object.
#pragma once

#include <windows.h>

#include "shell/system_library.h"

// Creates (or replaces) the shortcut `baseName`.lnk in the special folder
// `folderId` (CSIDL_DESKTOP, CSIDL_PROGRAMS, CSIDL_STARTUP), pointing at the
// running program. 1 on success, 0 on failure. Wide throughout, so a program
// path outside the ANSI code page still makes a working shortcut. The
// component and shell libraries are loaded at the first shortcut.
int CreateProgramShortcut(HWND owner, const wchar_t* baseName, int folderId);
// The same with the functions taken from `ole32` and `shell32`: 0, with no
// shortcut made, when either library or one of its functions cannot be had.
int CreateProgramShortcutFrom(SystemLibrary& ole32, SystemLibrary& shell32, HWND owner, const wchar_t* baseName,
                              int folderId);
