// Ids of the hand-made bitmaps that the bitmap tests add to the game's resources.
#pragma once

// A valid 4 x 2, 8-bit picture whose colours-used field (4) overrides its
// bit count (256).
#define IDB_TEST_FOUR_COLORS 9100

// Damaged variants of it, each refused by the bitmap layer.
#define IDB_TEST_CORE_HEADER 9001
#define IDB_TEST_LARGE_HEADER 9002
#define IDB_TEST_ZERO_WIDTH 9003
#define IDB_TEST_ZERO_HEIGHT 9004
#define IDB_TEST_ABSURD_WIDTH 9005
#define IDB_TEST_TOP_DOWN 9006
#define IDB_TEST_TOO_MANY_COLORS 9007
#define IDB_TEST_SIXTEEN_BITS 9008
#define IDB_TEST_RUN_LENGTH 9009
#define IDB_TEST_MISSING_ROW 9010
#define IDB_TEST_HALF_HEADER 9011
#define IDB_TEST_SHORT_TABLE 9012
#define IDB_TEST_FIRST_DAMAGED 9001
#define IDB_TEST_LAST_DAMAGED 9012
