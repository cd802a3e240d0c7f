// The tiles: their body and outline, and the designs of the 36 kinds at both sizes.
#pragma once

#include "tools/assetgen/font.h"
#include "tools/assetgen/picture_files.h"
#include "tools/assetgen/raster.h"

struct Fonts {
    const Font& mincho;  // brush-like characters of the tile designs
    const Font& gothic;  // letters and captions
};

// The rectangle a design may use, in pixels, and how many pixels of this
// picture stand for one pixel of the single-size design (2 for the pictures
// of high display scales): strokes and gaps that the design sets in pixels grow with it.
struct Frame {
    double x;
    double y;
    double w;
    double h;
    double scale = 1.0;
};

// A tile picture is 43 x 62: the face (35 x 49) in the upper left and the
// tile's thickness showing as bands 8 pixels wide on the right and 13 high below.
constexpr int kTilePictureWidth = 43;
constexpr int kTilePictureHeight = 62;
constexpr int kFaceRight = 34;   // last column of the face
constexpr int kFaceBottom = 48;  // last line of the face

// Whether a pixel shows through the tile window's polygon region
// (0,0) (35,0) (42,13) (42,62) (8,62) (0,49), or that polygon with its points
// multiplied by `scale` for a picture `scale` times the size.
bool InTileRegion(int x, int y, int scale = 1);
// Whether a pixel lies in one of the two slanted corners that the
// screensaver's pictures leave transparent; at a larger scale the corners'
// steps are finer, not larger.
bool InSaverCorner(int x, int y, int scale = 1);

// Which pictures the tile is for: the game clips its tile windows to the
// polygon region; the screensaver stamps its pictures and skips colour 17.
enum class TileUse { Game, Saver };

// The design of tile kind 0..35 on a whole tile picture's canvas, `scale`
// times the tile picture's size.
Canvas FaceDesign(int kind, const Fonts& fonts, int scale = 1);
// A face picture, with the faces' colour table, showing a design; it has
// the design's size.
IndexedPicture FacePicture(const Canvas& design, TileUse use);

// Draws the design of a kind into the canvas within the frame, painting
// face-table colours tagged with their indices.
void DrawDesign(Canvas& canvas, int kind, const Frame& frame, const Fonts& fonts);

// The small faces of the history window are 25 x 35; only the first 24
// columns show, so the tile and its side fit within them.
constexpr int kSmallWidth = 25;
constexpr int kSmallHeight = 35;
// A small face drawn in full colour, on the history field's green, `scale` times the size.
Canvas SmallFaceCanvas(int kind, const Fonts& fonts, Rgb field, int scale = 1);
