// The program's bitmap resources: one writable copy of each, logical palettes from their colour tables, and painting them.
#include "shell/bitmaps.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "shell/dib_header.h"
#include "shell/picture_resample.h"
#include "shell/resource.h"

static_assert(kLargePictureIdOffset == IDB_LARGE_OFFSET);

namespace {

struct OwnedCopy {
    // Words, so the header and the pixel rows are 4-byte aligned as GDI expects.
    std::vector<std::uint32_t> block;
    BitmapCopy copy{};
};

// Copies are made by whichever thread asks first (the window thread or the
// hint worker) and live until the process ends.
std::mutex copiesMutex;
std::map<int, std::unique_ptr<OwnedCopy>> copies;

std::unique_ptr<OwnedCopy> CopyResource(int id) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2));  // RT_BITMAP
    if (found == nullptr) {
        return nullptr;
    }
    const DWORD size = SizeofResource(module, found);
    const HGLOBAL loaded = LoadResource(module, found);
    const auto* bytes = loaded != nullptr ? static_cast<const unsigned char*>(LockResource(loaded)) : nullptr;
    if (bytes == nullptr || size == 0) {
        return nullptr;
    }
    const std::optional<DibLayout> layout = ParseDib(bytes, size);
    if (!layout) {
        return nullptr;
    }
    auto owned = std::make_unique<OwnedCopy>();
    owned->block.resize((layout->totalBytes + 3) / 4);
    // Only the checked part: header, table and rows, whatever padding follows.
    auto* start = reinterpret_cast<unsigned char*>(owned->block.data());
    std::copy(bytes, bytes + layout->totalBytes, start);
    owned->copy.info = reinterpret_cast<BITMAPINFO*>(start);
    owned->copy.pixels = start + layout->pixelOffset;
    owned->copy.colorCount = layout->colorCount;
    owned->copy.width = layout->header.width;
    owned->copy.height = layout->header.height;
    owned->copy.rowBytes = layout->rowBytes;
    return owned;
}

}  // namespace

BitmapCopy* FindBitmap(int id) {
    std::lock_guard<std::mutex> lock(copiesMutex);
    auto it = copies.find(id);
    if (it == copies.end()) {
        std::unique_ptr<OwnedCopy> made = CopyResource(id);
        if (!made) {
            return nullptr;
        }
        it = copies.emplace(id, std::move(made)).first;
    }
    return &it->second->copy;
}

BitmapCopy* FindBitmapForDpi(int id, int dpi) {
    BitmapCopy* large = dpi > 96 ? FindBitmap(id + kLargePictureIdOffset) : nullptr;
    return large != nullptr ? large : FindBitmap(id);
}

int GetBitmapColorCount(int id) {
    const BitmapCopy* bitmap = FindBitmap(id);
    return bitmap != nullptr ? bitmap->colorCount : 0;
}

HPALETTE CreatePaletteFromBitmap(int id, int* colorCount) {
    const BitmapCopy* bitmap = FindBitmap(id);
    const int count = bitmap != nullptr ? bitmap->colorCount : 0;
    if (colorCount != nullptr) {
        *colorCount = count;
    }
    if (count == 0) {
        return nullptr;
    }
    // LOGPALETTE declares one entry; the description is sized for all of them
    // and freed when this returns.
    std::vector<unsigned char> description(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * (count - 1));
    auto* logical = reinterpret_cast<LOGPALETTE*>(description.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = static_cast<WORD>(count);
    const RGBQUAD* table = bitmap->info->bmiColors;
    for (int i = 0; i < count; ++i) {
        logical->palPalEntry[i].peRed = table[i].rgbRed;
        logical->palPalEntry[i].peGreen = table[i].rgbGreen;
        logical->palPalEntry[i].peBlue = table[i].rgbBlue;
        logical->palPalEntry[i].peFlags = 0;
    }
    return CreatePalette(logical);
}

void HeldPalette::Build(int id) {
    if (palette == nullptr) palette = CreatePaletteFromBitmap(id, &colorCount);
}

void HeldPalette::Release() {
    if (palette != nullptr) DeleteObject(palette);
    *this = {};
}

void DrawBitmapPixels(HDC dc, HPALETTE palette, const BITMAPINFO* info, const unsigned char* pixels) {
    if (dc == nullptr || info == nullptr || pixels == nullptr) {
        return;
    }
    HPALETTE previous = nullptr;
    if (palette != nullptr) {
        previous = SelectPalette(dc, palette, FALSE);
        // On a true-colour display there is nothing to realise; the colours
        // are used directly, so the result is not examined.
        RealizePalette(dc);
    }
    const LONG width = info->bmiHeader.biWidth;
    const LONG height = info->bmiHeader.biHeight;
    SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                      static_cast<UINT>(height), pixels, info, DIB_RGB_COLORS);
    if (previous != nullptr) {
        SelectPalette(dc, previous, FALSE);
    }
}

void ResampleBitmap(const BitmapCopy& picture, int width, int height, std::vector<uint32_t>& pixels) {
    const IndexedPicture source = {picture.pixels, picture.width, picture.height,
                                   picture.info->bmiHeader.biBitCount,
                                   reinterpret_cast<const uint32_t*>(picture.info->bmiColors), picture.colorCount};
    ResamplePicture(source, width, height, pixels);
}

void DrawColourPixels(HDC dc, int x, int y, int width, int height, const std::vector<uint32_t>& pixels) {
    if (pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) return;
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                      static_cast<UINT>(height), pixels.data(), &format, DIB_RGB_COLORS);
}

void AveragedPicture::Average(const BitmapCopy& source, int width, int height) {
    // Averaging is linear in the colours: once with the varying indices as
    // black, once with only them, as white.
    const auto* table = reinterpret_cast<const uint32_t*>(source.info->bmiColors);
    std::vector<uint32_t> others(table, table + source.colorCount);
    std::vector<uint32_t> varying(others.size(), 0);
    for (int index = firstVarying_; index <= lastVarying_ && index < source.colorCount; ++index) {
        others[static_cast<std::size_t>(index)] = 0;
        varying[static_cast<std::size_t>(index)] = 0xFFFFFF;
    }
    IndexedPicture picture = {source.pixels, source.width, source.height, source.info->bmiHeader.biBitCount,
                              others.data(), source.colorCount};
    ResamplePicture(picture, width, height, fixed_);
    picture.colours = varying.data();
    ResamplePicture(picture, width, height, coverage_);
    source_ = &source;
    width_ = width;
    height_ = height;
    shownIndex_ = -1;
}

void AveragedPicture::Draw(HDC dc, int x, int y, const BitmapCopy& source, int width, int height) {
    if (source_ != &source || width_ != width || height_ != height) Average(source, width, height);
    const unsigned char* first = std::find_if(source.pixels, source.pixels + source.rowBytes * source.height,
                                              [&](unsigned char index) {
                                                  return index >= firstVarying_ && index <= lastVarying_;
                                              });
    const int index = first != source.pixels + source.rowBytes * source.height ? *first : -1;
    if (index != shownIndex_) {
        const uint32_t colour = index >= 0 ? reinterpret_cast<const uint32_t*>(source.info->bmiColors)[index] : 0;
        pixels_.resize(fixed_.size());
        for (std::size_t i = 0; i < fixed_.size(); ++i) {
            // The covered share, 0 to 255, of the varying colour on each channel.
            const uint32_t share = coverage_[i] & 0xFF;
            uint32_t blended = 0;
            for (int shift = 0; shift <= 16; shift += 8) {
                const uint32_t part = ((colour >> shift & 0xFF) * share + 127) / 255;
                blended |= std::min<uint32_t>((fixed_[i] >> shift & 0xFF) + part, 0xFF) << shift;
            }
            pixels_[i] = blended;
        }
        shownIndex_ = index;
    }
    DrawColourPixels(dc, x, y, width, height, pixels_);
}

void DrawPictureInto(HDC dc, HPALETTE palette, const BitmapCopy& picture, int x, int y, int width, int height) {
    if (dc == nullptr) return;
    HPALETTE previous = palette != nullptr ? SelectPalette(dc, palette, FALSE) : nullptr;
    if (palette != nullptr) RealizePalette(dc);
    if (width == picture.width && height == picture.height) {
        SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                          static_cast<UINT>(height), picture.pixels, picture.info, DIB_RGB_COLORS);
    } else {
        // The window thread and the hint's worker both draw.
        thread_local std::vector<uint32_t> pixels;
        ResampleBitmap(picture, width, height, pixels);
        DrawColourPixels(dc, x, y, width, height, pixels);
    }
    if (previous != nullptr) SelectPalette(dc, previous, FALSE);
}

void PaintBitmapResource(HWND window, HPALETTE palette, int id, int colorCount) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const BitmapCopy* bitmap = FindBitmap(id);
    if (bitmap != nullptr && bitmap->colorCount == colorCount) {
        DrawBitmapPixels(dc, palette, bitmap->info, bitmap->pixels);
    }
    EndPaint(window, &paint);
}

void PaintPictureResource(HWND window, HPALETTE palette, int id, int colorCount, DisplayScale scale) {
    if (scale.IsBase()) {
        PaintBitmapResource(window, palette, id, colorCount);
        return;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const BitmapCopy* picture = FindBitmapForDpi(id, scale.dpi);
    RECT client = {};
    GetClientRect(window, &client);
    if (picture != nullptr && picture->colorCount == colorCount) {
        DrawPictureInto(dc, palette, *picture, 0, 0, client.right, client.bottom);
    }
    EndPaint(window, &paint);
}

HBITMAP CreatePictureForScale(int id, DisplayScale scale) {
    // A section keeps the picture's own colours whatever the display depth.
    if (scale.IsBase()) {
        return static_cast<HBITMAP>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    }
    const BitmapCopy* own = FindBitmap(id);
    const BitmapCopy* picture = FindBitmapForDpi(id, scale.dpi);
    if (own == nullptr || picture == nullptr) return nullptr;
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = scale.Scaled(own->width);
    format.bmiHeader.biHeight = scale.Scaled(own->height);
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP made = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = made != nullptr ? CreateCompatibleDC(nullptr) : nullptr;
    if (dc != nullptr) {
        HGDIOBJ previous = SelectObject(dc, made);
        DrawPictureInto(dc, nullptr, *picture, 0, 0, format.bmiHeader.biWidth, format.bmiHeader.biHeight);
        SelectObject(dc, previous);
        DeleteDC(dc);
    }
    return made;
}

HICON LoadIconForSize(int id, int side) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    HANDLE icon = side > 32 ? LoadImageW(instance, MAKEINTRESOURCEW(id + kLargePictureIdOffset), IMAGE_ICON, side,
                                         side, LR_SHARED)
                            : nullptr;
    if (icon == nullptr) icon = LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, side, side, LR_SHARED);
    return static_cast<HICON>(icon);
}

unsigned char* PrepareHistoryPicture(HWND window, HPALETTE palette, const BITMAPINFO** header, int colorCount) {
    BitmapCopy* field = FindBitmap(IDB_HISTORY_FIELD);
    if (field == nullptr || field->colorCount != colorCount) {
        if (header != nullptr) {
            *header = nullptr;
        }
        return nullptr;
    }
    HDC dc = GetDC(window);
    if (dc != nullptr) {
        HPALETTE previous = palette != nullptr ? SelectPalette(dc, palette, FALSE) : nullptr;
        if (palette != nullptr) {
            RealizePalette(dc);  // nothing to realise on true-colour displays
        }
        if (previous != nullptr) {
            SelectPalette(dc, previous, FALSE);
        }
        ReleaseDC(window, dc);
    }
    if (header != nullptr) {
        *header = field->info;
    }
    return field->pixels;
}

void PaintBitmapBits(HWND window, HPALETTE palette, const BITMAPINFO* header, const unsigned char* pixels) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    DrawBitmapPixels(dc, palette, header, pixels);
    EndPaint(window, &paint);
}
