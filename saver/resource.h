// Resource ids of the screensaver program, shared by its resource script and its code.
#pragma once

// Tile pictures: face index f (0 to 35) is IDB_SAVER_FACE_FIRST + f.
#define IDB_SAVER_FACE_FIRST 101
#define IDB_SAVER_FACE_LAST 136
#define IDB_TILE_BACK 245
// The 640 x 480 canvas: its pixels are the starting content, its table the palette.
#define IDB_CANVAS 247
// Every picture again at twice its size, at its id plus this (the pictures'
// kLargePictureIdOffset, which the saver's window checks against it).
#define IDB_LARGE_OFFSET 1000
