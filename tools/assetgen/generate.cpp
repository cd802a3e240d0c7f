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

// One block of the contact sheet: its pictures at one enlargement, each cut
// to at most `limit` x `limit` pixels about its centre.
struct SheetSection {
    std::string heading;
    const std::vector<SheetItem>* items;
    int scale;
    int limit;
};

// The part of a picture that its section shows.
struct SheetCut {
    int x, y, w, h;
};

SheetCut CutOf(const RgbPicture& image, int limit) {
    const int w = std::min(image.width, limit), h = std::min(image.height, limit);
    return {(image.width - w) / 2, (image.height - h) / 2, w, h};
}

// Every section's pictures, each under its label, in rows.
RgbPicture ContactSheet(const std::vector<SheetSection>& sections, const Font& font) {
    constexpr int margin = 16, gap = 12, labelHeight = 18, sheetWidth = 2600 + 2 * margin;
    const Rgb background = {96, 96, 108};
    struct Placed {
        const SheetItem* item;
        const SheetSection* section;
        int x, y;
    };
    std::vector<Placed> placed;
    std::vector<std::pair<std::string, int>> headings;
    int y = margin;
    for (const SheetSection& section : sections) {
        headings.emplace_back(section.heading, y + 16);
        y += 28;
        int x = margin, rowHeight = 0;
        for (const SheetItem& item : *section.items) {
            const SheetCut cut = CutOf(item.image, section.limit);
            const int w = std::max(cut.w * section.scale, 70), h = cut.h * section.scale + labelHeight;
            if (x + w > sheetWidth - margin && x > margin) {
                x = margin;
                y += rowHeight + gap;
                rowHeight = 0;
            }
            placed.push_back({&item, &section, x, y});
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
        const SheetCut cut = CutOf(img, p.section->limit);
        const int k = p.section->scale;
        for (int iy = 0; iy < cut.h * k; ++iy) {
            for (int ix = 0; ix < cut.w * k; ++ix) {
                sheet.Set(p.x + ix, p.y + labelHeight + iy, img.At(cut.x + ix / k, cut.y + iy / k));
            }
        }
    }
    return sheet;
}

// Tables of the pictures that build their own: the single-size set fills
// them, and the double-size set keeps to them.
struct OwnTables {
    std::vector<Rgb> small;
    std::vector<Rgb> victory;
    std::vector<Rgb> preview[5];  // by arrangement 1..4
};

// Every picture of the game and the screensaver drawn `scale` times their
// size, into assets/zmr and assets/saver (with @2x and so on for a larger
// scale), and onto the contact sheet; returns the game's face of each kind.
std::vector<IndexedPicture> AddPictureSet(int scale, const Fonts& fonts, OwnTables& tables,
                                          std::vector<OutputFile>& files, std::vector<SheetItem>& sheet) {
    const std::string suffix = scale == 1 ? "" : "@" + std::to_string(scale) + "x";
    const std::string game = "zmr" + suffix, saver = "saver" + suffix;
    auto bmp = [&](const std::string& folder, int id, const IndexedPicture& p, bool onSheet = true) {
        files.push_back({"assets/" + folder + "/" + std::to_string(id) + ".bmp", EncodeBmp(p)});
        if (onSheet) sheet.push_back({folder + "/" + std::to_string(id), ToRgb(p)});
    };

    std::vector<IndexedPicture> gameFaces, saverFaces;
    for (int kind = 0; kind < kKindCount; ++kind) {
        const Canvas design = FaceDesign(kind, fonts, scale);
        gameFaces.push_back(FacePicture(design, TileUse::Game));
        saverFaces.push_back(FacePicture(design, TileUse::Saver));
    }

    // The game's pictures, by resource id; the sheet shows each face once, not its copies.
    for (int face = 0; face < kSlotCount; ++face) bmp(game, 101 + face, gameFaces[KindOfFace(face)], face < kKindCount);
    const std::vector<IndexedPicture> small = SmallFacePictures(fonts, scale, tables.small);
    tables.small = small.front().table;
    const IndexedPicture victory = VictoryPicture(fonts, scale, tables.victory);
    tables.victory = victory.table;
    std::vector<IndexedPicture> previews;
    for (int arrangement = 1; arrangement <= 4; ++arrangement) {
        previews.push_back(PreviewPicture(arrangement, gameFaces, fonts, scale, tables.preview[arrangement]));
        tables.preview[arrangement] = previews.back().table;
    }
    bmp(game, 246, FeltPicture(scale));
    bmp(game, 247, HistoryFieldPicture(tables.small, scale));
    bmp(game, 248, victory);
    bmp(game, 249, DeadlockPicture(fonts, scale));
    bmp(game, 258, ArrowPicture(true, scale));
    bmp(game, 259, ArrowPicture(false, scale));
    for (int arrangement = 1; arrangement <= 4; ++arrangement) bmp(game, 264 + arrangement, previews[arrangement - 1]);
    for (int letter = 0; letter < 4; ++letter) bmp(game, 269 + letter, LetterPicture(letter, false, fonts, scale));
    for (int letter = 0; letter < 4; ++letter) bmp(game, 273 + letter, LetterPicture(letter, true, fonts, scale));
    for (int kind = 0; kind < kKindCount; ++kind) bmp(game, 277 + kind, small[kind]);
    bmp(game, 315, CloseButtonPicture(tables.preview[1], scale));
    bmp(game, 316, HelpButtonPicture(tables.preview[1], fonts, scale));

    // The hand cursor is fixed pixels: one size serves every scale.
    if (scale == 1) {
        const IconImage cursor = HandCursor();
        files.push_back({"assets/zmr/313.cur", EncodeCursor(cursor, kCursorHotX, kCursorHotY)});
        sheet.push_back({"zmr/313.cur", ToRgb(cursor)});
    }
    const std::vector<IconImage> icon = CrownIcon(scale);
    files.push_back({"assets/" + game + "/317.ico", EncodeIcon(icon)});
    for (const IconImage& image : icon) {
        sheet.push_back({game + "/317.ico " + std::to_string(image.picture.width), ToRgb(image)});
    }

    // The screensaver's pictures: its tiles carry the transparent corners.
    for (int kind = 0; kind < kKindCount; ++kind) bmp(saver, 101 + kind, saverFaces[kind]);
    bmp(saver, 245, saverFaces[34]);
    bmp(saver, 247, SaverCanvasPicture(scale));
    return gameFaces;
}

}  // namespace

std::vector<OutputFile> GenerateAll(const Fonts& fonts) {
    std::vector<OutputFile> files;
    std::vector<SheetItem> single, twice;
    OwnTables tables;
    const std::vector<IndexedPicture> gameFaces = AddPictureSet(1, fonts, tables, files, single);
    AddPictureSet(2, fonts, tables, files, twice);

    for (const SoundDesign& sound : SoundDesigns()) {
        files.push_back({"assets/sounds/" + sound.name + ".wav", EncodeWav(Synthesise(sound), kSoundRate)});
    }

    // At 4:1 the double-size set shows the middle of its large pictures, which
    // is enough to judge their strokes and keeps the sheet a sensible size.
    constexpr int whole = 1 << 20;
    const std::vector<SheetSection> sections = {{"1:1", &single, 1, whole},
                                                {"4:1", &single, 4, whole},
                                                {"@2x 1:1", &twice, 1, whole},
                                                {"@2x 4:1 (large pictures: their middle 320 x 320)", &twice, 4, 320}};
    files.push_back({"assets/contact-sheet.png", EncodePng(ContactSheet(sections, fonts.gothic))});
    files.push_back({"docs/board.png", EncodePng(BoardPicture(1, gameFaces))});
    return files;
}
