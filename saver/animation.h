// The screensaver's animation: the canvas, the cycle of scatter, build and dissolve phases, and tile drawing.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "deal/random_sequence.h"
#include "shell/monitor_layout.h"

constexpr int kCanvasWidth = 640;
constexpr int kCanvasHeight = 480;
constexpr int kCanvasPixels = kCanvasWidth * kCanvasHeight;

// Palette indices the animation writes.
constexpr uint8_t kMatColour = 8;
constexpr uint8_t kBlackColour = 5;
constexpr uint8_t kRedColour = 6;
constexpr uint8_t kFaceWhite = 0;
// In a tile picture: the face white, written to the canvas as kFaceWhite,
// and the transparent key, never written.
constexpr uint8_t kPictureFaceWhite = 16;
constexpr uint8_t kPictureTransparent = 17;

// Tile pictures: 43 x 62 8-bit pixels, bottom line first, lines of 44 bytes.
constexpr int kPictureWidth = 43;
constexpr int kPictureHeight = 62;
constexpr int kPictureStride = 44;
constexpr int kPictureBytes = kPictureStride * kPictureHeight;

// Pictures 0..35 are the faces (bitmaps 101..136), picture 36 the tile back (bitmap 245).
constexpr int kFaceCount = 36;
constexpr int kBackPicture = 36;
constexpr int kLogoFace = 34;
using TilePictures = std::array<const uint8_t*, kFaceCount + 1>;

constexpr int kSaverSlotCount = 144;
constexpr int kSaverArrangementCount = 4;
// Where a picture put at a slot has its top-left pixel, below the slot's top.
constexpr int kSlotPictureDrop = 18;

// The window's timer and its advance message (WM_USER + 1).
constexpr int kAnimationTimerId = 32767;
constexpr unsigned kAdvanceMessage = 0x0400 + 1;

// Storage index of canvas pixel (x, y), y counted from the top: lines are stored bottom first.
constexpr int CanvasIndex(int x, int y) { return (kCanvasHeight - 1 - y) * kCanvasWidth + x; }

// Above 100% the canvas is drawn at twice its size from the double-size
// pictures, every place doubled, and shown stretched to the display's scale
// (1:1 at 200%). The cycle, its random draws and its timing stay the same.
constexpr int kLargeCanvasScale = 2;

// How the canvas is drawn and shown.
struct CanvasLook {
    int scale = 1;                    // canvas pixels per 96-DPI pixel: 1 or kLargeCanvasScale
    int shownWidth = kCanvasWidth;    // its size in the window
    int shownHeight = kCanvasHeight;

    constexpr int width() const { return kCanvasWidth * scale; }
    constexpr int height() const { return kCanvasHeight * scale; }
    constexpr int pixels() const { return width() * height(); }
    constexpr int pictureWidth() const { return kPictureWidth * scale; }
    constexpr int pictureHeight() const { return kPictureHeight * scale; }
    constexpr int pictureStride() const { return (pictureWidth() + 3) & ~3; }
    bool operator==(const CanvasLook&) const = default;
};

// The look at `dpi` (the primary monitor's): shown at 640 x 480 scaled by the
// display scale, which a full-screen saver lowers until the canvas fits
// `pictureArea` (never below 100%); a preview keeps it, so a larger preview
// at a larger scale shows the same middle part of the canvas. Drawn at twice
// the size above 100% when `largePicturesFound`, else from the pictures at
// their own size, stretched.
CanvasLook CanvasLookFor(int dpi, const ScreenRect& pictureArea, bool preview, bool largePicturesFound);

// Where the canvas's top-left corner goes in the client area: centred in the
// picture's area at the size it is shown; negative in a window smaller than that.
using CanvasOrigin = ScreenPoint;

// A part of the canvas in 96-DPI pixels, y counted from the top.
using CanvasRect = ScreenRect;
constexpr CanvasRect kWholeCanvas = {0, 0, kCanvasWidth, kCanvasHeight};

// How a changed part of the canvas reaches the window: the part widened to
// whole steps of the stretch, so that its edges fall on whole pixels of the
// window as well and it shows there what a transfer of the whole canvas
// shows (a quarter of the stretch's work for a tile at 150%).
struct PartTransfer {
    ScreenRect source;  // canvas pixels at the look's scale, y counted from the top
    ScreenRect target;  // client coordinates
};
PartTransfer TransferOfPart(const CanvasLook& look, CanvasOrigin origin, const CanvasRect& changed);

struct SlotPosition {
    int left;
    int top;
};
// The saver's slot positions of arrangement 0..3 (A..D): the game's base
// positions, with D 5 pixels higher.
const std::array<SlotPosition, kSaverSlotCount>& SaverSlotPositions(int arrangement);

// Draws a tile picture with its top-left pixel on canvas pixel (left, top),
// both counted in 96-DPI pixels: transparent pixels are skipped, face white
// becomes kFaceWhite, and what falls outside the canvas is cut off. At scale
// 2 the canvas and the picture are double-size (stride 88).
void DrawTilePicture(uint8_t* canvas, const uint8_t* picture, int left, int top, int scale = 1);

struct SaverAnimation {
    int32_t step = 0;        // position in the cycle, 0..564
    int32_t slot = 0;        // next slot of a build phase
    int arrangement = 0;     // 0..3 for A..D
    int effect = 0;          // dissolve kind 0..3
    int32_t soundOn = 0;     // sounds play only when 1
    int32_t logoToggle = 1;  // 1: the next logo tile plays "check", 0: "cancel"
    CanvasOrigin origin{0, 0};
    CanvasLook look;
    std::vector<uint8_t> canvas;  // look.width() x look.height(), bottom line first
    TilePictures pictures{};
    DrawSource* random = nullptr;
};

// Set-up at window creation: the canvas from the canvas bitmap's pixels, the
// origin centred in pictureArea (client coordinates), the sound switch, and a
// first arrangement drawn from `random`, which must outlive the animation.
// The canvas bitmap and the pictures are of the look's scale.
void StartAnimation(SaverAnimation& animation, DrawSource& random, std::span<const uint8_t> canvasPixels,
                    const TilePictures& pictures, const ScreenRect& pictureArea, int32_t soundOn,
                    const CanvasLook& look = {});

// The advance message: at a pause, waits a second and starts the next phase's
// timer; in a build phase, sets the timer for the next slot. The window sends
// it after each paint; the animation's own ticks send it by calling this.
void AdvanceAnimation(SaverAnimation& animation);

// One timer tick of the phase `step` is in.
void TickAnimation(SaverAnimation& animation);
