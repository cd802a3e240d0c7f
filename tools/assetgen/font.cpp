// FreeType rendering of single glyphs into coverage masks.
#include "tools/assetgen/font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <stdexcept>

struct Font::Impl {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

Font::Font(const std::string& path) : impl_(std::make_unique<Impl>()) {
    if (FT_Init_FreeType(&impl_->library) != 0) throw std::runtime_error("FreeType did not start");
    if (FT_New_Face(impl_->library, path.c_str(), 0, &impl_->face) != 0) {
        FT_Done_FreeType(impl_->library);
        throw std::runtime_error("cannot open font " + path);
    }
}

Font::~Font() {
    FT_Done_Face(impl_->face);
    FT_Done_FreeType(impl_->library);
}

Glyph Font::Render(char32_t ch, int sizeX, int sizeY, double bold, bool hinted) const {
    FT_Face face = impl_->face;
    Glyph g;
    if (FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(sizeX), static_cast<FT_UInt>(sizeY)) != 0) return g;
    FT_Int32 flags = FT_LOAD_NO_BITMAP | (hinted ? FT_LOAD_TARGET_LIGHT : FT_LOAD_NO_HINTING);
    if (FT_Load_Char(face, ch, flags) != 0) return g;
    if (bold > 0.0 && face->glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
        FT_Outline_Embolden(&face->glyph->outline, static_cast<FT_Pos>(std::lround(bold * 64)));
    }
    if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) return g;
    const FT_Bitmap& bm = face->glyph->bitmap;
    g.advance = static_cast<int>((face->glyph->advance.x + 32) >> 6);
    // Crop to the ink so that fitting and centring see only what shows.
    int x0 = static_cast<int>(bm.width), y0 = static_cast<int>(bm.rows), x1 = -1, y1 = -1;
    for (int y = 0; y < static_cast<int>(bm.rows); ++y) {
        for (int x = 0; x < static_cast<int>(bm.width); ++x) {
            if (bm.buffer[y * bm.pitch + x] > 8) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
        }
    }
    if (x1 < 0) return g;
    g.mask = Mask(x1 - x0 + 1, y1 - y0 + 1);
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            g.mask.Ref(x - x0, y - y0) = bm.buffer[y * bm.pitch + x] / 255.0f;
        }
    }
    g.left = face->glyph->bitmap_left + x0;
    g.top = face->glyph->bitmap_top - y0;
    return g;
}

int Font::FitSize(char32_t ch, int maxWidth, int maxHeight, double bold, double stretchY, bool hinted) const {
    int best = 4;
    for (int size = 4; size <= 400; ++size) {
        const Glyph g = Render(ch, size, static_cast<int>(std::lround(size * stretchY)), bold, hinted);
        if (g.mask.width > maxWidth || g.mask.height > maxHeight) break;
        best = size;
    }
    return best;
}

Glyph Font::Fit(char32_t ch, int maxWidth, int maxHeight, double bold, double stretchY, bool hinted) const {
    const int size = FitSize(ch, maxWidth, maxHeight, bold, stretchY, hinted);
    return Render(ch, size, static_cast<int>(std::lround(size * stretchY)), bold, hinted);
}

std::u32string Utf8ToCodePoints(const std::string& text) {
    std::u32string out;
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
        char32_t cp = extra == 0 ? c : extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
        for (int k = 1; k <= extra && i + k < text.size(); ++k) {
            cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        out.push_back(cp);
        i += extra + 1;
    }
    return out;
}
