// Every picture the game and the screensaver use, and the review images.
#pragma once

#include <string>
#include <vector>

#include "tools/assetgen/picture_files.h"
#include "tools/assetgen/tile_art.h"

// One file the generator writes, by its path below the project's root.
struct OutputFile {
    std::string path;
    std::vector<uint8_t> bytes;
};

// The game's pictures other than tiles, `scale` times their size: every
// length the single-size design sets in pixels is multiplied by it. A picture
// with a colour table of its own builds it from its drawing when `table` is
// empty; otherwise it keeps to `table`, so that a larger picture uses the
// single-size picture's table with every index meaning the same.
IndexedPicture FeltPicture(int scale = 1);                                                  // 246
IndexedPicture HistoryFieldPicture(const std::vector<Rgb>& smallTable, int scale = 1);      // 247
IndexedPicture VictoryPicture(const Fonts& fonts, int scale = 1, const std::vector<Rgb>& table = {});  // 248
IndexedPicture DeadlockPicture(const Fonts& fonts, int scale = 1);                          // 249
IndexedPicture ArrowPicture(bool up, int scale = 1);                                        // 258, 259
IndexedPicture PreviewPicture(int arrangement, const std::vector<IndexedPicture>& kindFaces, const Fonts& fonts,
                              int scale = 1, const std::vector<Rgb>& table = {});  // 265..268
IndexedPicture LetterPicture(int letter, bool chosen, const Fonts& fonts, int scale = 1);  // 269..276
std::vector<IndexedPicture> SmallFacePictures(const Fonts& fonts, int scale = 1,
                                              const std::vector<Rgb>& table = {});  // 277..312
IndexedPicture CloseButtonPicture(const std::vector<Rgb>& table, int scale = 1);                      // 315
IndexedPicture HelpButtonPicture(const std::vector<Rgb>& table, const Fonts& fonts, int scale = 1);  // 316
std::vector<IconImage> CrownIcon(int scale = 1);  // 317: 32 x 32 and 16 x 16, times the scale
IconImage HandCursor();                           // 313: fixed pixels, one size
constexpr int kCursorHotX = 10;
constexpr int kCursorHotY = 0;

// The screensaver's canvas picture 247: all colour 8.
IndexedPicture SaverCanvasPicture(int scale = 1);

// The board of an arrangement fully laid out on the felt, 640 x 480, as the
// game shows it: tile pictures at each slot's base position, later slots on top.
// `kindFaces` holds the game's face picture of each of the 36 kinds.
RgbPicture BoardPicture(int arrangement, const std::vector<IndexedPicture>& kindFaces);

// The history field's green (entry 33 of picture 247).
constexpr Rgb kFieldGreen = {0, 112, 24};
constexpr int kFieldIndex = 33;

// Every file: assets/zmr/*, assets/saver/*, their double-size pictures in
// assets/zmr@2x/* and assets/saver@2x/*, assets/sounds/*, assets/contact-sheet.png and docs/board.png.
std::vector<OutputFile> GenerateAll(const Fonts& fonts);
