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

// The game's pictures other than tiles.
IndexedPicture FeltPicture();                                 // 246
IndexedPicture HistoryFieldPicture(const std::vector<Rgb>& smallTable);  // 247
IndexedPicture VictoryPicture(const Fonts& fonts);            // 248
IndexedPicture DeadlockPicture(const Fonts& fonts);           // 249
IndexedPicture ArrowPicture(bool up);                         // 258, 259
IndexedPicture PreviewPicture(int arrangement, const std::vector<IndexedPicture>& kindFaces,
                              const Fonts& fonts);  // 265..268
IndexedPicture LetterPicture(int letter, bool chosen, const Fonts& fonts);  // 269..276
std::vector<IndexedPicture> SmallFacePictures(const Fonts& fonts);  // 277..312
IndexedPicture CloseButtonPicture(const std::vector<Rgb>& table);  // 315
IndexedPicture HelpButtonPicture(const std::vector<Rgb>& table, const Fonts& fonts);  // 316
std::vector<IconImage> CrownIcon();  // 317: 32 x 32 and 16 x 16
IconImage HandCursor();              // 313
constexpr int kCursorHotX = 10;
constexpr int kCursorHotY = 0;

// The screensaver's canvas picture 247: all colour 8.
IndexedPicture SaverCanvasPicture();

// The board of an arrangement fully laid out on the felt, 640 x 480, as the
// game shows it: tile pictures at each slot's base position, later slots on top.
// `kindFaces` holds the game's face picture of each of the 36 kinds.
RgbPicture BoardPicture(int arrangement, const std::vector<IndexedPicture>& kindFaces);

// The history field's green (entry 33 of picture 247).
constexpr Rgb kFieldGreen = {0, 112, 24};
constexpr int kFieldIndex = 33;

// Every file: assets/zmr/*, assets/saver/*, assets/sounds/*, assets/contact-sheet.png and docs/board.png.
std::vector<OutputFile> GenerateAll(const Fonts& fonts);
