// Draws every picture once and lays them out as files, with the contact sheet; adds the sounds.
#include <algorithm>
#include <string>

#include "board/tile_slots.h"
#include "tools/assetgen/palette.h"
#include "tools/assetgen/pictures.h"
#include "tools/assetgen/sounds.h"

namespace {

struct SheetItem {
    std::string label;
    RgbPicture image;
};

RgbPicture ToRgb(const IndexedPicture& p) {
    RgbPicture out{p.width, p.height, std::vector<Rgb>(p.pixels.size())};
    for (size_t i = 0; i < p.pixels.size(); ++i) out.pixels[i] = p.table[p.pixels[i]];
    return out;
}

// Icons and cursors over a checkerboard, so their transparent pixels show.
RgbPicture ToRgb(const IconImage& image) {
    RgbPicture out = ToRgb(image.picture);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            if (!image.transparent[static_cast<size_t>(y) * out.width + x]) continue;
            out.Set(x, y, ((x / 4 + y / 4) % 2) ? Rgb{200, 200, 200} : Rgb{240, 240, 240});
        }
    }
    return out;
}

void DrawText(RgbPicture& sheet, const Font& font, const std::string& text, int x, int baseline, Rgb colour) {
    int pen = x;
    for (char32_t ch : Utf8ToCodePoints(text)) {
        const Glyph g = font.Render(ch, 13, 13, 0.0);
        for (int gy = 0; gy < g.mask.height; ++gy) {
            for (int gx = 0; gx < g.mask.width; ++gx) {
                const float a = g.mask.At(gx, gy);
                const int px = pen + g.left + gx, py = baseline - g.top + gy;
                if (a <= 0.0f || px < 0 || py < 0 || px >= sheet.width || py >= sheet.height) continue;
                const Rgb under = sheet.At(px, py);
                auto m = [a](int u, int v) { return static_cast<uint8_t>(u + (v - u) * a + 0.5f); };
                sheet.Set(px, py, {m(under.r, colour.r), m(under.g, colour.g), m(under.b, colour.b)});
            }
        }
        pen += g.advance;
    }
}

// Every picture at 1:1 and then at 4:1, each under its label, in rows.
RgbPicture ContactSheet(const std::vector<SheetItem>& items, const Font& font) {
    constexpr int margin = 16, gap = 12, labelHeight = 18, sheetWidth = 2600 + 2 * margin;
    const Rgb background = {96, 96, 108};
    struct Placed {
        const SheetItem* item;
        int scale, x, y;
    };
    std::vector<Placed> placed;
    std::vector<std::pair<std::string, int>> headings;
    int y = margin;
    for (int scale : {1, 4}) {
        headings.emplace_back(scale == 1 ? "1:1" : "4:1", y + 16);
        y += 28;
        int x = margin, rowHeight = 0;
        for (const SheetItem& item : items) {
            const int w = std::max(item.image.width * scale, 70), h = item.image.height * scale + labelHeight;
            if (x + w > sheetWidth - margin && x > margin) {
                x = margin;
                y += rowHeight + gap;
                rowHeight = 0;
            }
            placed.push_back({&item, scale, x, y});
            x += w + gap;
            rowHeight = std::max(rowHeight, h);
        }
        y += rowHeight + 2 * gap;
    }
    RgbPicture sheet{sheetWidth, y + margin, std::vector<Rgb>(static_cast<size_t>(sheetWidth) * (y + margin), background)};
    for (const auto& [text, baseline] : headings) DrawText(sheet, font, text, margin, baseline, {255, 255, 160});
    for (const Placed& p : placed) {
        DrawText(sheet, font, p.item->label, p.x, p.y + 13, {255, 255, 255});
        const RgbPicture& img = p.item->image;
        for (int iy = 0; iy < img.height * p.scale; ++iy) {
            for (int ix = 0; ix < img.width * p.scale; ++ix) {
                sheet.Set(p.x + ix, p.y + labelHeight + iy, img.At(ix / p.scale, iy / p.scale));
            }
        }
    }
    return sheet;
}

}  // namespace

std::vector<OutputFile> GenerateAll(const Fonts& fonts) {
    std::vector<OutputFile> files;
    std::vector<SheetItem> sheet;
    auto bmp = [&](const std::string& folder, int id, const IndexedPicture& p) {
        files.push_back({"assets/" + folder + "/" + std::to_string(id) + ".bmp", EncodeBmp(p)});
        sheet.push_back({folder + "/" + std::to_string(id), ToRgb(p)});
    };

    std::vector<IndexedPicture> gameFaces, saverFaces;
    for (int kind = 0; kind < kKindCount; ++kind) {
        const Canvas design = FaceDesign(kind, fonts);
        gameFaces.push_back(FacePicture(design, TileUse::Game));
        saverFaces.push_back(FacePicture(design, TileUse::Saver));
    }

    // The game's pictures, by resource id.
    for (int face = 0; face < kSlotCount; ++face) bmp("zmr", 101 + face, gameFaces[KindOfFace(face)]);
    const std::vector<IndexedPicture> small = SmallFacePictures(fonts);
    const IndexedPicture preview1 = PreviewPicture(1, gameFaces, fonts);
    bmp("zmr", 246, FeltPicture());
    bmp("zmr", 247, HistoryFieldPicture(small.front().table));
    bmp("zmr", 248, VictoryPicture(fonts));
    bmp("zmr", 249, DeadlockPicture(fonts));
    bmp("zmr", 258, ArrowPicture(true));
    bmp("zmr", 259, ArrowPicture(false));
    bmp("zmr", 265, preview1);
    for (int arrangement = 2; arrangement <= 4; ++arrangement) {
        bmp("zmr", 264 + arrangement, PreviewPicture(arrangement, gameFaces, fonts));
    }
    for (int letter = 0; letter < 4; ++letter) bmp("zmr", 269 + letter, LetterPicture(letter, false, fonts));
    for (int letter = 0; letter < 4; ++letter) bmp("zmr", 273 + letter, LetterPicture(letter, true, fonts));
    for (int kind = 0; kind < kKindCount; ++kind) bmp("zmr", 277 + kind, small[kind]);
    bmp("zmr", 315, CloseButtonPicture(preview1.table));
    bmp("zmr", 316, HelpButtonPicture(preview1.table, fonts));

    const IconImage cursor = HandCursor();
    files.push_back({"assets/zmr/313.cur", EncodeCursor(cursor, kCursorHotX, kCursorHotY)});
    sheet.push_back({"zmr/313.cur", ToRgb(cursor)});
    const std::vector<IconImage> icon = CrownIcon();
    files.push_back({"assets/zmr/317.ico", EncodeIcon(icon)});
    for (const IconImage& image : icon) {
        sheet.push_back({"zmr/317.ico " + std::to_string(image.picture.width), ToRgb(image)});
    }

    // The screensaver's pictures: its tiles carry the transparent corners.
    for (int kind = 0; kind < kKindCount; ++kind) bmp("saver", 101 + kind, saverFaces[kind]);
    bmp("saver", 245, saverFaces[34]);
    bmp("saver", 247, SaverCanvasPicture());

    for (const SoundDesign& sound : SoundDesigns()) {
        files.push_back({"assets/sounds/" + sound.name + ".wav", EncodeWav(Synthesise(sound), kSoundRate)});
    }

    files.push_back({"assets/contact-sheet.png", EncodePng(ContactSheet(sheet, fonts.gothic))});
    files.push_back({"docs/board.png", EncodePng(BoardPicture(1, gameFaces))});
    return files;
}
