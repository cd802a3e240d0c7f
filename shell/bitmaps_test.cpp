// The bitmap layer under Wine: the game's resource script, the shared copies, palettes, and pixels painted into real windows.
#include "shell/bitmaps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <cstdint>
#include <functional>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "shell/bitmaps_test.h"
#include "shell/resource.h"
#include "tests/support/window_harness.h"

namespace {

// What the test window shows, and how often it was painted.
struct Showing {
    HPALETTE palette = nullptr;
    int id = 0;
    int colorCount = 0;
    // When set, the window paints these pixels instead of bitmap `id`.
    const BITMAPINFO* header = nullptr;
    const unsigned char* pixels = nullptr;
    DisplayScale scale;  // above 96 DPI bitmap `id` fills the window
    int paints = 0;
};

LRESULT CALLBACK ShowingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        auto* showing = reinterpret_cast<Showing*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (showing != nullptr) {
            ++showing->paints;
            if (showing->header != nullptr) {
                PaintBitmapBits(window, showing->palette, showing->header, showing->pixels);
            } else if (!showing->scale.IsBase()) {
                PaintPictureResource(window, showing->palette, showing->id, showing->colorCount, showing->scale);
            } else {
                PaintBitmapResource(window, showing->palette, showing->id, showing->colorCount);
            }
            return 0;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A colour that no picture of the game uses, for what lies outside a picture.
constexpr COLORREF kBackground = RGB(12, 34, 56);

// The picture as the resource holds it, read without the bitmap layer: the
// truth a paint is compared with.
struct RawBitmap {
    const BITMAPINFO* info = nullptr;
    const unsigned char* pixels = nullptr;
};

RawBitmap Raw(int id) {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2));
    HGLOBAL loaded = found != nullptr ? LoadResource(nullptr, found) : nullptr;
    if (loaded == nullptr) {
        return {};
    }
    const auto* bytes = static_cast<const unsigned char*>(LockResource(loaded));
    const auto* info = reinterpret_cast<const BITMAPINFO*>(bytes);
    const BITMAPINFOHEADER& h = info->bmiHeader;
    const DWORD colors = h.biClrUsed != 0 ? h.biClrUsed : (h.biBitCount <= 8 ? 1u << h.biBitCount : 0u);
    return {info, bytes + h.biSize + 4 * colors};
}

// The colours a picture shows, row by row from the top; pixels of index
// `from` show the table colour of index `to` instead.
std::vector<COLORREF> Decode(const BITMAPINFO* info, const unsigned char* pixels, int from = -1, int to = -1) {
    std::vector<COLORREF> colors;
    for (int y = 0; y < info->bmiHeader.biHeight; ++y) {
        for (int x = 0; x < info->bmiHeader.biWidth; ++x) {
            const int index = harness::DibIndexAt(info, pixels, x, y);
            colors.push_back(harness::DibTableColor(info, index == from ? to : index));
        }
    }
    return colors;
}

// How many pixels differ; every pixel when the sizes differ.
std::size_t Mismatches(const std::vector<COLORREF>& seen, const std::vector<COLORREF>& expected) {
    if (seen.size() != expected.size()) {
        return std::max(seen.size(), expected.size());
    }
    std::size_t wrong = 0;
    for (std::size_t i = 0; i < seen.size(); ++i) {
        wrong += seen[i] != expected[i];
    }
    return wrong;
}

class PaintTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Tile windows are children of the main window; so is everything here.
        parent_ = std::make_unique<harness::TestParent>(kBackground, 640, 480, ShowingWindowProc);
        ASSERT_NE(parent_->window(), nullptr);
        // Exact colours need a true-colour display: on a palette display the
        // platform maps them (see docs/platform-notes.md).
        ASSERT_FALSE(harness::IsPaletteDisplay()) << "pixel checks need a true-colour display";
    }

    void TearDown() override {
        parent_.reset();
        for (HPALETTE palette : palettes_) {
            DeleteObject(palette);
        }
    }

    HPALETTE PaletteOf(int id, int* colorCount) {
        HPALETTE palette = CreatePaletteFromBitmap(id, colorCount);
        if (palette != nullptr) {
            palettes_.push_back(palette);
        }
        return palette;
    }

    // A visible child at (x, y) that shows `showing`, painted once.
    HWND Show(Showing& showing, int x, int y, int width, int height) {
        HWND child = CreateWindowExW(0, parent_->className(), L"", WS_CHILD | WS_CLIPSIBLINGS, x, y, width, height,
                                     parent_->window(), nullptr, GetModuleHandleW(nullptr), nullptr);
        if (child == nullptr) {
            return nullptr;
        }
        SetWindowLongPtrW(child, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&showing));
        ShowWindow(child, SW_SHOWNA);
        UpdateWindow(child);
        return child;
    }

    // The pixels of a rectangle of the parent's client area, children included.
    std::vector<COLORREF> Capture(int x, int y, int width, int height) {
        return harness::Capture(parent_->window(), x, y, width, height);
    }

    static void PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) { harness::PumpUntil(done, timeoutMs); }

    std::unique_ptr<harness::TestParent> parent_;
    std::vector<HPALETTE> palettes_;
};

}  // namespace

TEST(BitmapResources, EveryPictureOfTheGameIsAtItsId) {
    struct Range {
        int first, last, width, height, bits, colors;
    };
    const Range ranges[] = {
        {IDB_FACE_FIRST, IDB_FACE_LAST, 43, 62, 8, 256},
        {IDB_FELT, IDB_FELT, 8, 8, 4, 16},
        {IDB_HISTORY_FIELD, IDB_HISTORY_FIELD, 224, 390, 8, 256},
        {IDB_VICTORY, IDB_VICTORY, 500, 250, 8, 256},
        {IDB_DEADLOCK, IDB_DEADLOCK, 32, 144, 4, 16},
        {IDB_ARROW_UP, IDB_ARROW_DOWN, 30, 30, 8, 256},
        {IDB_PREVIEW_FIRST, IDB_PREVIEW_LAST, 320, 250, 8, 256},
        {IDB_LETTER_DIM_FIRST, IDB_LETTER_BRIGHT_LAST, 46, 42, 4, 16},
        {IDB_SMALL_FACE_FIRST, IDB_SMALL_FACE_LAST, 25, 35, 8, 256},
        {IDB_CLOSE_BUTTON, IDB_HELP_BUTTON, 30, 30, 8, 256},
    };
    std::set<int> present;
    for (const Range& range : ranges) {
        for (int id = range.first; id <= range.last; ++id) {
            present.insert(id);
            const BitmapCopy* bitmap = FindBitmap(id);
            ASSERT_NE(bitmap, nullptr) << "bitmap " << id;
            EXPECT_EQ(bitmap->width, range.width) << "bitmap " << id;
            EXPECT_EQ(bitmap->height, range.height) << "bitmap " << id;
            EXPECT_EQ(bitmap->info->bmiHeader.biBitCount, range.bits) << "bitmap " << id;
            EXPECT_EQ(bitmap->colorCount, range.colors) << "bitmap " << id;
            EXPECT_EQ(GetBitmapColorCount(id), range.colors) << "bitmap " << id;
            // Its double-size picture: twice the size, the same colour table.
            const BitmapCopy* large = FindBitmap(id + kLargePictureIdOffset);
            ASSERT_NE(large, nullptr) << "double-size bitmap " << id;
            EXPECT_EQ(large->width, 2 * range.width) << "double-size bitmap " << id;
            EXPECT_EQ(large->height, 2 * range.height) << "double-size bitmap " << id;
            ASSERT_EQ(large->colorCount, range.colors) << "double-size bitmap " << id;
            EXPECT_EQ(std::memcmp(large->info->bmiColors, bitmap->info->bmiColors, 4u * range.colors), 0)
                << "double-size bitmap " << id;
        }
    }
    EXPECT_EQ(present.size(), 200u);
    // Nothing else of the game's numbers is a bitmap (313 and 317 are the
    // cursor and the icon).
    for (int id = 1; id < 1000; ++id) {
        if (present.count(id) == 0) {
            EXPECT_EQ(FindBitmap(id), nullptr) << "bitmap " << id;
            EXPECT_EQ(GetBitmapColorCount(id), 0) << "bitmap " << id;
        }
    }
}

TEST(BitmapResources, CursorAndIconAreAtTheirIds) {
    HCURSOR hand = static_cast<HCURSOR>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_POINTING_HAND), IMAGE_CURSOR, 32, 32, 0));
    ASSERT_NE(hand, nullptr);
    ICONINFO info = {};
    ASSERT_NE(GetIconInfo(hand, &info), 0);
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 10u);
    EXPECT_EQ(info.yHotspot, 0u);
    BITMAP mask = {};
    ASSERT_NE(GetObjectW(info.hbmMask, sizeof mask, &mask), 0);
    EXPECT_EQ(mask.bmWidth, 32);
    DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr) {
        DeleteObject(info.hbmColor);
    }
    DestroyCursor(hand);

    HICON crown = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_CROWN), IMAGE_ICON, 32, 32, 0));
    ASSERT_NE(crown, nullptr);
    info = {};
    ASSERT_NE(GetIconInfo(crown, &info), 0);
    EXPECT_TRUE(info.fIcon);
    BITMAP color = {};
    ASSERT_NE(info.hbmColor, nullptr);
    ASSERT_NE(GetObjectW(info.hbmColor, sizeof color, &color), 0);
    EXPECT_EQ(color.bmWidth, 32);
    EXPECT_EQ(color.bmHeight, 32);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    DestroyIcon(crown);
}

TEST(BitmapCopies, EveryLookupOfAnIdYieldsTheSameWritableMemory) {
    BitmapCopy* first = FindBitmap(IDB_FACE_FIRST + 7);
    ASSERT_NE(first, nullptr);
    const unsigned char kept = first->pixels[600];
    first->pixels[600] = static_cast<unsigned char>(kept ^ 0x5A);
    GetBitmapColorCount(IDB_FACE_FIRST + 7);
    int count = 0;
    DeleteObject(CreatePaletteFromBitmap(IDB_FACE_FIRST + 7, &count));
    BitmapCopy* again = FindBitmap(IDB_FACE_FIRST + 7);
    EXPECT_EQ(again, first);
    EXPECT_EQ(again->pixels, first->pixels);
    EXPECT_EQ(again->pixels[600], kept ^ 0x5A);
    first->pixels[600] = kept;

    // Pixels start right after the header and the colour table.
    EXPECT_EQ(first->pixels, reinterpret_cast<unsigned char*>(first->info) + 40 + 4 * 256);
    EXPECT_EQ(first->rowBytes, 44u);

    // Different ids are different copies, even of identical pictures.
    EXPECT_NE(FindBitmap(IDB_FACE_FIRST + 8)->pixels, first->pixels);
}

TEST(BitmapCopies, ThreadsAskingAtOnceShareOneCopy) {
    // The hint worker and the window thread may both ask first.
    const int id = IDB_FACE_FIRST + 100;
    std::vector<BitmapCopy*> seen(8, nullptr);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < seen.size(); ++i) {
        threads.emplace_back([&seen, i, id] { seen[i] = FindBitmap(id); });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (BitmapCopy* copy : seen) {
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(copy, FindBitmap(id));
    }
}

TEST(BitmapPalettes, HoldEveryColourOfTheBitmapsTable) {
    const int ids[] = {IDB_FACE_FIRST, IDB_SMALL_FACE_FIRST, IDB_VICTORY, IDB_DEADLOCK, IDB_TEST_FOUR_COLORS};
    const int counts[] = {256, 256, 256, 16, 4};
    for (std::size_t i = 0; i < std::size(ids); ++i) {
        int count = -1;
        HPALETTE palette = CreatePaletteFromBitmap(ids[i], &count);
        ASSERT_NE(palette, nullptr) << "bitmap " << ids[i];
        EXPECT_EQ(count, counts[i]) << "bitmap " << ids[i];
        WORD entriesInPalette = 0;
        ASSERT_NE(GetObjectW(palette, sizeof entriesInPalette, &entriesInPalette), 0);
        EXPECT_EQ(entriesInPalette, counts[i]) << "bitmap " << ids[i];
        std::vector<PALETTEENTRY> entries(static_cast<std::size_t>(counts[i]));
        ASSERT_EQ(GetPaletteEntries(palette, 0, counts[i], entries.data()), static_cast<UINT>(counts[i]));
        const BITMAPINFO* info = FindBitmap(ids[i])->info;
        for (int e = 0; e < counts[i]; ++e) {
            EXPECT_EQ(RGB(entries[e].peRed, entries[e].peGreen, entries[e].peBlue), harness::DibTableColor(info, e))
                << "bitmap " << ids[i] << " entry " << e;
            EXPECT_EQ(entries[e].peFlags, 0) << "bitmap " << ids[i] << " entry " << e;
        }
        DeleteObject(palette);
    }
    // The colour count may also be left out.
    HPALETTE palette = CreatePaletteFromBitmap(IDB_FELT, nullptr);
    EXPECT_NE(palette, nullptr);
    DeleteObject(palette);
}

TEST(BitmapRefusal, DamagedOrMissingBitmapsHaveNoCopyNoCountAndNoPalette) {
    std::vector<int> refused = {245, 9999};
    for (int id = IDB_TEST_FIRST_DAMAGED; id <= IDB_TEST_LAST_DAMAGED; ++id) {
        refused.push_back(id);
    }
    for (int id : refused) {
        // The resource itself is there for the damaged ones.
        if (id >= IDB_TEST_FIRST_DAMAGED && id <= IDB_TEST_LAST_DAMAGED) {
            EXPECT_NE(FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2)), nullptr) << id;
        }
        EXPECT_EQ(FindBitmap(id), nullptr) << "bitmap " << id;
        EXPECT_EQ(GetBitmapColorCount(id), 0) << "bitmap " << id;
        int count = -1;
        EXPECT_EQ(CreatePaletteFromBitmap(id, &count), nullptr) << "bitmap " << id;
        EXPECT_EQ(count, 0) << "bitmap " << id;
    }
}

TEST_F(PaintTest, PicturesArePaintedWholeAtTheOriginAtTheirOwnSize) {
    struct Case {
        int id;
        const char* what;
    };
    const Case cases[] = {
        {IDB_FACE_FIRST + 5, "tile face"},      {IDB_DEADLOCK, "4-bit deadlock"},
        {IDB_VICTORY, "victory"},               {IDB_SMALL_FACE_FIRST + 30, "small face"},
        {IDB_LETTER_BRIGHT_FIRST + 2, "letter"}, {IDB_TEST_FOUR_COLORS, "four colours"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Showing showing;
        showing.id = c.id;
        showing.palette = PaletteOf(c.id, &showing.colorCount);
        const BitmapCopy* bitmap = FindBitmap(c.id);
        ASSERT_NE(bitmap, nullptr);
        // The window is larger than the picture: the rest keeps its background.
        const int width = bitmap->width + 10;
        const int height = bitmap->height + 10;
        HWND window = Show(showing, 20, 30, width, height);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(showing.paints, 1);
        const RawBitmap raw = Raw(c.id);
        ASSERT_NE(raw.info, nullptr);
        EXPECT_EQ(Mismatches(Capture(20, 30, bitmap->width, bitmap->height), Decode(raw.info, raw.pixels)), 0u);
        const std::vector<COLORREF> around = Capture(20, 30, width, height);
        ASSERT_EQ(around.size(), static_cast<std::size_t>(width * height));
        int outside = 0, background = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (x >= bitmap->width || y >= bitmap->height) {
                    ++outside;
                    background += around[y * width + x] == kBackground;
                }
            }
        }
        EXPECT_EQ(background, outside);
        DestroyWindow(window);
    }
}

// Above 96 DPI a picture fills its window: the double-size picture 1:1 at
// twice the size, and a picture without one stretched from itself, never blank.
TEST_F(PaintTest, AboveNinetySixDpiThePictureComesFromItsDoubleSizeOrIsStretched) {
    Showing face;
    face.id = IDB_FACE_FIRST + 5;
    face.scale = DisplayScale{192};
    face.palette = PaletteOf(face.id, &face.colorCount);
    HWND large = Show(face, 10, 10, 86, 124);
    ASSERT_NE(large, nullptr);
    const RawBitmap raw = Raw(face.id + kLargePictureIdOffset);
    ASSERT_NE(raw.info, nullptr);
    EXPECT_EQ(Mismatches(Capture(10, 10, 86, 124), Decode(raw.info, raw.pixels)), 0u);

    Showing own;
    own.id = IDB_TEST_FOUR_COLORS;
    own.scale = DisplayScale{144};
    own.palette = PaletteOf(own.id, &own.colorCount);
    ASSERT_NE(Show(own, 200, 10, 6, 3), nullptr);
    const std::vector<COLORREF> stretched = Capture(200, 10, 6, 3);
    EXPECT_EQ(std::count(stretched.begin(), stretched.end(), kBackground), 0);
}

TEST_F(PaintTest, HandMadePictureShowsBottomRowLast) {
    Showing showing;
    showing.id = IDB_TEST_FOUR_COLORS;
    showing.palette = PaletteOf(showing.id, &showing.colorCount);
    HWND window = Show(showing, 0, 0, 4, 2);
    ASSERT_NE(window, nullptr);
    // The data holds indices 0 1 2 3 in its first (bottom) row and 3 2 1 0 above.
    const COLORREF dark = RGB(0x10, 0x20, 0x30);
    const std::vector<COLORREF> expected = {dark, RGB(0, 0, 255), RGB(0, 255, 0), RGB(255, 0, 0),
                                            RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), dark};
    EXPECT_EQ(Capture(0, 0, 4, 2), expected);
    DestroyWindow(window);
}

TEST_F(PaintTest, RecolouredFaceShowsAtEveryLaterPaintAlsoAfterBeingCovered) {
    const int id = IDB_FACE_FIRST + 40;
    BitmapCopy* face = FindBitmap(id);
    ASSERT_NE(face, nullptr);
    Showing showing;
    showing.id = id;
    showing.palette = PaletteOf(IDB_FACE_FIRST, &showing.colorCount);
    HWND tile = Show(showing, 100, 100, 43, 62);
    ASSERT_NE(tile, nullptr);
    const RawBitmap raw = Raw(id);
    ASSERT_NE(raw.info, nullptr);
    ASSERT_EQ(Mismatches(Capture(100, 100, 43, 62), Decode(raw.info, raw.pixels)), 0u);

    // The selected look: the face background (16) becomes cyan (13).
    std::vector<std::size_t> background;
    const std::size_t size = face->rowBytes * static_cast<std::size_t>(face->height);
    for (std::size_t i = 0; i < size; ++i) {
        if (face->pixels[i] == 16) {
            face->pixels[i] = 13;
            background.push_back(i);
        }
    }
    ASSERT_GT(background.size(), 500u);
    InvalidateRect(tile, nullptr, FALSE);
    UpdateWindow(tile);
    EXPECT_EQ(showing.paints, 2);
    const std::vector<COLORREF> selected = Decode(raw.info, raw.pixels, 16, 13);
    EXPECT_EQ(Mismatches(Capture(100, 100, 43, 62), selected), 0u);
    EXPECT_EQ(static_cast<std::size_t>(std::count(selected.begin(), selected.end(), RGB(0, 255, 255))),
              background.size());

    // A sibling on top covers the tile and paints over it.
    Showing coverShows;
    coverShows.id = 0;  // no such bitmap: only the background shows
    HWND cover = Show(coverShows, 90, 90, 80, 80);
    ASSERT_NE(cover, nullptr);
    SetWindowPos(cover, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RedrawWindow(cover, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const std::vector<COLORREF> covered = Capture(100, 100, 43, 62);
    ASSERT_EQ(covered, std::vector<COLORREF>(43 * 62, kBackground)) << "the cover did not cover the tile";

    // Uncovered, the tile repaints by itself, still selected.
    const int paintsBefore = showing.paints;
    DestroyWindow(cover);
    PumpUntil([&] { return showing.paints > paintsBefore; }, 5000);
    ASSERT_GT(showing.paints, paintsBefore) << "no repaint after the cover went";
    EXPECT_EQ(Mismatches(Capture(100, 100, 43, 62), selected), 0u);

    for (std::size_t i : background) {
        face->pixels[i] = 16;
    }
    DestroyWindow(tile);
}

TEST_F(PaintTest, RefusedPicturesPaintNothingYetAnswerThePaint) {
    struct Case {
        int id;
        int colorCount;
    };
    std::vector<Case> cases = {
        {245, 256},  // not a bitmap of the game
        {IDB_FACE_FIRST, 16},  // a colour count that is not the picture's own
    };
    for (int id = IDB_TEST_FIRST_DAMAGED; id <= IDB_TEST_LAST_DAMAGED; ++id) {
        cases.push_back({id, 4});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE("bitmap " + std::to_string(c.id));
        Showing showing;
        showing.id = c.id;
        showing.colorCount = c.colorCount;
        showing.palette = PaletteOf(IDB_FACE_FIRST, nullptr);
        HWND window = Show(showing, 200, 50, 60, 80);
        ASSERT_NE(window, nullptr);
        // Answered: no paint request is left over to come again.
        PumpUntil([] { return false; }, 50);
        EXPECT_EQ(showing.paints, 1);
        EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE));
        EXPECT_EQ(Capture(200, 50, 60, 80), std::vector<COLORREF>(60 * 80, kBackground));
        DestroyWindow(window);
    }
}

TEST_F(PaintTest, HistoryPictureComposedInItsPixelsIsPainted) {
    Showing showing;
    showing.palette = PaletteOf(IDB_SMALL_FACE_FIRST, &showing.colorCount);
    HWND window = Show(showing, 0, 0, 224, 390);  // shows nothing until it has the picture
    ASSERT_NE(window, nullptr);

    const BITMAPINFO* header = nullptr;
    unsigned char* pixels = PrepareHistoryPicture(window, showing.palette, &header, showing.colorCount);
    ASSERT_NE(pixels, nullptr);
    ASSERT_NE(header, nullptr);
    const BitmapCopy* field = FindBitmap(IDB_HISTORY_FIELD);
    EXPECT_EQ(header, field->info);
    EXPECT_EQ(pixels, field->pixels);
    EXPECT_EQ(header->bmiHeader.biWidth, 224);
    EXPECT_EQ(header->bmiHeader.biHeight, 390);
    // Asked again, it hands out the same memory.
    const BITMAPINFO* headerAgain = nullptr;
    EXPECT_EQ(PrepareHistoryPicture(window, showing.palette, &headerAgain, showing.colorCount), pixels);
    EXPECT_EQ(headerAgain, header);

    // Compose: a small face's first 24 columns into cell 0 at (5, 40).
    const BitmapCopy* small = FindBitmap(IDB_SMALL_FACE_FIRST + 9);
    ASSERT_NE(small, nullptr);
    std::vector<unsigned char> kept(pixels, pixels + 224 * 390);
    for (int y = 0; y < 35; ++y) {
        for (int x = 0; x < 24; ++x) {
            pixels[(389 - (40 + y)) * 224 + 5 + x] = small->pixels[(34 - y) * small->rowBytes + x];
        }
    }
    showing.header = header;
    showing.pixels = pixels;
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    const RawBitmap raw = Raw(IDB_HISTORY_FIELD);
    ASSERT_NE(raw.info, nullptr);
    std::vector<COLORREF> expected = Decode(raw.info, raw.pixels);
    for (int y = 0; y < 35; ++y) {
        for (int x = 0; x < 24; ++x) {
            expected[(40 + y) * 224 + 5 + x] = harness::DibTableColor(raw.info, harness::DibIndexAt(small->info, small->pixels, x, y));
        }
    }
    EXPECT_EQ(Mismatches(Capture(0, 0, 224, 390), expected), 0u);
    // The face really stands out from the field's green (index 33).
    int differentFromGreen = 0;
    for (int y = 0; y < 35; ++y) {
        for (int x = 0; x < 24; ++x) {
            differentFromGreen += expected[(40 + y) * 224 + 5 + x] != harness::DibTableColor(raw.info, 33);
        }
    }
    EXPECT_GT(differentFromGreen, 100);
    std::copy(kept.begin(), kept.end(), pixels);

    // A colour count other than the field's own hands out nothing.
    const BITMAPINFO* refusedHeader = header;
    EXPECT_EQ(PrepareHistoryPicture(window, showing.palette, &refusedHeader, 16), nullptr);
    EXPECT_EQ(refusedHeader, nullptr);
    DestroyWindow(window);
}
