// The saver's window under Wine: its sound switch, read from "zmr.ini" beside the program, on only for a missing file or key or exactly 1; its canvas on screen at display scales.
#include "saver/saver_window.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "saver/resource.h"
#include "shell/bitmaps.h"
#include "shell/settings.h"
#include "tests/support/window_harness.h"

namespace {

// Writes (or, for nothing, removes) the settings file beside the test
// program, which stands where the saver's own would.
void PutSettingsFile(const std::optional<std::string>& bytes) {
    const std::wstring path = GetProgramFolderPath(kSettingsFileName);
    DeleteFileW(path.c_str());
    if (bytes) {
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, bytes->data(), static_cast<DWORD>(bytes->size()), &written, nullptr);
        CloseHandle(file);
    }
    // The profile functions may cache the file; make them forget it.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());
}

struct SwitchCase {
    std::optional<std::string> file;
    int expected;
};

const SwitchCase kCases[] = {
    {std::nullopt, 1},
    {"[Pos]\r\nX=10\r\n", 1},                       // no section "SOUND"
    {"[SOUND]\r\nvolume=0\r\n", 1},                 // no key "sound"
    {"[SOUND]\r\nsound=1\r\n", 1},
    {"[sound]\r\nSOUND= 1 \r\n", 1},                // names fold case; blanks around the number
    {"[SOUND]\r\nsound=0\r\n", 0},
    {"[SOUND]\r\nsound=2\r\n", 0},
    {"[SOUND]\r\nsound=-1\r\n", 0},
    {"[SOUND]\r\nsound=on\r\n", 0},
    {"[SOUND]\r\nsound=\r\n", 0},
    {"[SOUND]\r\nsound=1abc\r\n", 0},
    {"[SOUND]\r\nsound=4294967297\r\n", 0},         // 2^32 + 1 must not wrap onto 1
    {"[SOUND]\r\nsound=1" + std::string(200, ' ') + "x\r\n", 0},  // not cut off into a 1
};

}  // namespace

TEST(SaverSoundSwitch, OnOnlyWhenMissingOrExactlyOne) {
    for (const SwitchCase& c : kCases) {
        PutSettingsFile(c.file);
        EXPECT_EQ(ReadSaverSoundSwitch(), c.expected) << (c.file ? *c.file : std::string("no file"));
    }
    PutSettingsFile(std::nullopt);
}

namespace {

// How many pixels of the width x height block at (left, top) of the screen
// differ from `picture` blown up (or not) to that size, the picture's colour
// table read as the canvas does: transparent pixels are left out, face white
// stands for index 0.
int TileMismatches(const BitmapCopy& picture, int left, int top, int width, int height) {
    const std::vector<COLORREF> shown = harness::Capture(nullptr, left, top, width, height);
    const RGBQUAD* table = picture.info->bmiColors;
    int mismatches = 0;
    for (int line = 0; line < height; ++line) {
        const int pictureLine = line * picture.height / height;
        const unsigned char* row = picture.pixels + (picture.height - 1 - pictureLine) * picture.rowBytes;
        for (int column = 0; column < width; ++column) {
            const unsigned char index = row[column * picture.width / width];
            if (index == kPictureTransparent) continue;
            const RGBQUAD colour = table[index == kPictureFaceWhite ? kFaceWhite : index];
            mismatches += shown[line * width + column] != RGB(colour.rgbRed, colour.rgbGreen, colour.rgbBlue);
        }
    }
    return mismatches;
}

void DrawWholeCanvas(HWND window) {
    HDC dc = GetDC(window);
    DrawCanvas(dc, SaverWindowAnimation().canvas.data());
    ReleaseDC(window, dc);
}

// Sets the saver up in a black window over the whole screen at `dpi`, with
// the canvas centred in `area`, shows the canvas as the first paint does and
// draws a tile back at slot 143 of arrangement A as a build does; answers
// where the slot's picture starts at the canvas's scale.
POINT DrawTopBack(HWND window, int dpi, const ScreenRect& area) {
    if (!SetUpSaverWindow(window, dpi, area, false)) return {-1, -1};
    DrawWholeCanvas(window);
    SaverAnimation& animation = SaverWindowAnimation();
    animation.soundOn = 0;
    animation.arrangement = 0;
    animation.step = 349;  // in the build with backs, past its clearing tick
    animation.slot = kSaverSlotCount - 1;
    TickAnimation(animation);
    harness::PumpFor(200);  // under Wine the drawing reaches the screen as the thread waits
    const SlotPosition slot = SaverSlotPositions(0)[kSaverSlotCount - 1];
    const int scale = animation.look.scale;
    return {animation.origin.x + scale * slot.left, animation.origin.y + scale * (slot.top + kSlotPictureDrop)};
}

}  // namespace

// At 200% the tiles are the double-size pictures copied 1:1 onto a canvas of
// 1280 x 960 centred in the picture's area, not today's pictures doubled.
TEST(SaverCanvas, At192DpiTheTilesAreTheDoubleSizePictures) {
    harness::TestParent screen(RGB(0, 0, 0), GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    const POINT at = DrawTopBack(screen.window(), 192, {0, 0, 1400, 1000});
    const CanvasLook& look = SaverWindowAnimation().look;
    EXPECT_EQ(look, (CanvasLook{2, 1280, 960}));
    EXPECT_EQ(SaverWindowAnimation().origin, (CanvasOrigin{60, 20}));
    const BitmapCopy* large = FindBitmap(IDB_TILE_BACK + kLargePictureIdOffset);
    const BitmapCopy* small = FindBitmap(IDB_TILE_BACK);
    ASSERT_TRUE(large != nullptr && small != nullptr);
    EXPECT_EQ(TileMismatches(*large, at.x, at.y, 86, 124), 0);
    EXPECT_GT(TileMismatches(*small, at.x, at.y, 86, 124), 100);
}

// At 100%, and at a DPI no display has, the saver stays as it always was.
TEST(SaverCanvas, At96DpiAndOutOfRangeTheTilesAreTodaysPictures) {
    harness::TestParent screen(RGB(0, 0, 0), GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    const BitmapCopy* small = FindBitmap(IDB_TILE_BACK);
    ASSERT_NE(small, nullptr);
    for (int dpi : {96, 1000}) {
        SCOPED_TRACE(dpi);
        const POINT at = DrawTopBack(screen.window(), dpi, {0, 0, 1024, 768});
        EXPECT_EQ(SaverWindowAnimation().look, CanvasLook{});
        EXPECT_EQ(SaverWindowAnimation().origin, (CanvasOrigin{192, 144}));
        EXPECT_EQ(TileMismatches(*small, at.x, at.y, 43, 62), 0);
    }
}

// At 150% a tick stretches only the part it changed, and the screen shows
// there what a stretch of the whole canvas shows; Wine's halftone rounds a
// channel one step apart here and there, by where the stretch starts.
TEST(SaverCanvas, At144DpiATicksPartShowsWhatTheWholeStretchShows) {
    harness::TestParent screen(RGB(0, 0, 0), GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    DrawTopBack(screen.window(), 144, {0, 0, 1024, 768});
    const SaverAnimation& animation = SaverWindowAnimation();
    EXPECT_EQ(animation.look, (CanvasLook{2, 960, 720}));
    EXPECT_EQ(animation.origin, (CanvasOrigin{32, 24}));
    // The tile's place at 150%, with a margin of mat around it.
    const SlotPosition slot = SaverSlotPositions(0)[kSaverSlotCount - 1];
    const int left = 32 + slot.left * 3 / 2 - 4;
    const int top = 24 + (slot.top + kSlotPictureDrop) * 3 / 2 - 4;
    const std::vector<COLORREF> afterTick = harness::Capture(nullptr, left, top, 72, 101);
    DrawWholeCanvas(screen.window());
    harness::PumpFor(200);
    const std::vector<COLORREF> afterWhole = harness::Capture(nullptr, left, top, 72, 101);
    const auto apart = [](COLORREF a, COLORREF b) {
        return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                         std::abs(GetBValue(a) - GetBValue(b))});
    };
    int differing = 0;
    for (size_t i = 0; i < afterTick.size(); ++i) differing += apart(afterTick[i], afterWhole[i]) > 1;
    EXPECT_EQ(differing, 0);
    // The back is there: the tile's grey outline, which the mat never has.
    EXPECT_GT(std::count(afterTick.begin(), afterTick.end(), RGB(128, 128, 128)), 50);
}
