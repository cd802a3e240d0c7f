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

// Cursor and icon.
#define IDC_POINTING_HAND 313
#define IDI_CROWN 317
