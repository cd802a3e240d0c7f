// Glyphs of an installed font rendered to coverage masks with FreeType.
#pragma once

#include <memory>
#include <string>

#include "tools/assetgen/raster.h"

// A glyph's ink, cropped to the pixels it touches, and where it stands
// relative to the pen: (left, top) is the offset of the mask's top-left
// corner from the pen position on the baseline (top grows upwards).
struct Glyph {
    Mask mask;
    int left = 0;
    int top = 0;
    int advance = 0;
};

class Font {
public:
    // Throws std::runtime_error when the file cannot be opened as a font.
    explicit Font(const std::string& path);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // The glyph at `sizeX` x `sizeY` pixels per em, its strokes thickened
    // by `bold` pixels; hinted outlines give crisper small characters.
    Glyph Render(char32_t ch, int sizeX, int sizeY, double bold = 0.0, bool hinted = true) const;

    // The largest rendering of `ch` (same size both ways, stretched by
    // `stretchY` vertically) whose ink fits within maxWidth x maxHeight.
    Glyph Fit(char32_t ch, int maxWidth, int maxHeight, double bold = 0.0, double stretchY = 1.0,
              bool hinted = true) const;
    // The em size that Fit would choose.
    int FitSize(char32_t ch, int maxWidth, int maxHeight, double bold = 0.0, double stretchY = 1.0,
                bool hinted = true) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The code points of a UTF-8 string.
std::u32string Utf8ToCodePoints(const std::string& text);
