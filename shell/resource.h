// Resource ids of the game program, shared by its resource script and its code.
#pragma once

// Pictures. Face f (0 to 143) is IDB_FACE_FIRST + f.
#define IDB_FACE_FIRST 101
#define IDB_FACE_LAST 244
#define IDB_FELT 246
#define IDB_HISTORY_FIELD 247
#define IDB_VICTORY 248
#define IDB_DEADLOCK 249
#define IDB_ARROW_UP 258
#define IDB_ARROW_DOWN 259
// Previews of arrangements A to D.
#define IDB_PREVIEW_FIRST 265
#define IDB_PREVIEW_LAST 268
// Arrangement letters A to D, not chosen and chosen.
#define IDB_LETTER_DIM_FIRST 269
#define IDB_LETTER_DIM_LAST 272
#define IDB_LETTER_BRIGHT_FIRST 273
#define IDB_LETTER_BRIGHT_LAST 276
// Small faces of the history window: kind k is IDB_SMALL_FACE_FIRST + k.
#define IDB_SMALL_FACE_FIRST 277
#define IDB_SMALL_FACE_LAST 312
#define IDB_CLOSE_BUTTON 315
#define IDB_HELP_BUTTON 316

// The same picture drawn at twice its size: its id plus this.
#define IDB_LARGE_OFFSET 1000

// Cursor and icon.
#define IDC_POINTING_HAND 313
#define IDI_CROWN 317

// The main window's menu bar and its commands.
#define IDM_MAIN_MENU 250
#define IDM_NEW_GAME 40001
#define IDM_QUIT 40002
#define IDM_UNDO 40003
#define IDM_HISTORY 40004
#define IDM_HINT 40005
#define IDM_ABOUT 40007
#define IDM_HELP_FILE 40008
#define IDM_ANSWER 40010
#define IDM_HOME_PAGE 40011
#define IDM_SCREENSAVER 40012
#define IDM_GAME_SELECT 40013
#define IDM_RESTART 40014
#define IDM_SOUND_ON 40015
#define IDM_SOUND_OFF 40016

// Child windows of the main window.
#define IDC_UP_VIEW_BUTTON 100
#define IDC_DOWN_VIEW_BUTTON 101
#define IDC_TILE_WINDOW 123
#define IDC_VICTORY_WINDOW 124
#define IDC_DEADLOCK_WINDOW 125
#define IDC_CURSOR_WINDOW 126

// Buttons of the history window.
#define IDC_HISTORY_HELP 102
#define IDC_HISTORY_CLOSE 103

// Controls that the code never addresses.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// About dialog.
#define IDD_ABOUT 253
// Answer dialog.
#define IDD_ANSWER 255
#define IDC_ANSWER_START 1001
// Game selection dialog and its controls.
#define IDD_GAME_SELECT 260
#define IDC_SELECT_PREVIEW 1008
#define IDC_SELECT_A 1004
#define IDC_SELECT_B 1005
#define IDC_SELECT_C 1006
#define IDC_SELECT_D 1007
#define IDC_SELECT_HARDER 1014
// First-run dialog and its check boxes.
#define IDD_FIRST_RUN 318
#define IDC_SHORTCUT_DESKTOP 1055
#define IDC_SHORTCUT_START_MENU 1056
#define IDC_SHORTCUT_STARTUP 1057
