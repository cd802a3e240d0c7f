// The screensaver's animation: the canvas, the cycle of scatter, build and dissolve phases, and tile drawing.
#include "saver/animation.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "board/positions.h"
#include "saver/saver_platform.h"
#include "shell/display_scale.h"

namespace {

// The pauses of the cycle, and what the step after each one starts.
struct PauseRow {
    int32_t step;
    int periodMs;          // timer period of the phase that follows
    bool drawsEffect;      // the dissolve that follows picks its kind
};
constexpr PauseRow kPauses[] = {
    {0, 200, false}, {101, 100, false}, {246, 200, false}, {347, 100, false}, {492, 80, true},
};

// In a build phase the timer slows down for the upper levels, by slot number
// whatever the arrangement.
struct SlotPeriodRow {
    int32_t firstSlot;
    int32_t lastSlot;
    int periodMs;
};
constexpr SlotPeriodRow kSlotPeriods[] = {
    {87, 122, 150}, {123, 138, 200}, {139, 142, 250}, {143, 143, 300},
};

enum class PhaseKind { Scatter, BuildFaces, BuildBacks, Dissolve };
struct PhaseRow {
    int32_t first;  // step on entry to the phase's first tick
    int32_t last;   // step on entry to its last tick
    PhaseKind kind;
};
constexpr PhaseRow kPhases[] = {
    {1, 100, PhaseKind::Scatter},     {102, 245, PhaseKind::BuildFaces}, {247, 346, PhaseKind::Scatter},
    {348, 491, PhaseKind::BuildBacks}, {493, 563, PhaseKind::Dissolve},
};
constexpr int32_t kLastDissolveStep = 564;

// The speckle dissolves: in each stage a pixel is stamped when a fresh draw
// modulo m equals its index modulo m. Stages 3 and 4 share step 553.
struct SpeckleStage {
    int32_t firstT;
    int32_t lastT;
    int m[3];  // by kind 0, 1, 2
};
constexpr SpeckleStage kSpeckleStages[] = {
    {494, 512, {15, 20, 100}},
    {513, 532, {10, 15, 50}},
    {533, 553, {5, 12, 30}},
    {553, 563, {2, 10, 10}},
};

struct Offset {
    int dx;
    int dy;  // negative is up
};
struct SpecklePattern {
    uint8_t colour;
    std::span<const Offset> pixels;
};
constexpr Offset kDotPixels[] = {{0, 0}};
constexpr Offset kSquarePixels[] = {{0, 0}, {1, 0}, {0, -1}, {1, -1}};
// A 4 x 4 square without its corners, hanging from (x, y) and (x + 1, y).
constexpr Offset kRoundDotPixels[] = {
    {0, 0},  {1, 0},  {0, -1}, {1, -1}, {0, -2}, {1, -2},
    {0, -3}, {1, -3}, {-1, -1}, {2, -1}, {-1, -2}, {2, -2},
};
constexpr SpecklePattern kSpecklePatterns[] = {
    {kMatColour, kDotPixels},
    {kBlackColour, kSquarePixels},
    {kRedColour, kRoundDotPixels},
};
constexpr int kSweepKind = 3;
constexpr int kDissolveKindCount = 4;
constexpr int kSweepLines = 7;
constexpr int32_t kSweepBase = 493;

constexpr int kArrangementDRaise = 5;

int Random(SaverAnimation& animation, int n) { return animation.random->Draw() % n; }

void Play(const SaverAnimation& animation, SaverSound sound) {
    if (animation.soundOn == 1) PlaySaverSound(sound);
}

void ClearCanvas(SaverAnimation& animation) { std::fill(animation.canvas.begin(), animation.canvas.end(), kMatColour); }

// The part a tile picture put at (left, top) covers.
CanvasRect TileRect(int left, int top) {
    return {std::max(left, 0), std::max(top, 0), std::min(left + kPictureWidth, kCanvasWidth),
            std::min(top + kPictureHeight, kCanvasHeight)};
}

// The edges of parts that a stretch from `from` pixels to `to` maps onto
// whole pixels: multiples of this.
int StretchStep(int from, int to) { return from / std::gcd(from, to); }

void ScatterTick(SaverAnimation& animation, const PhaseRow& phase) {
    ++animation.step;
    const int face = Random(animation, kFaceCount);
    if (face == kLogoFace) {
        Play(animation, animation.logoToggle == 1 ? SaverSound::Check : SaverSound::Cancel);
        animation.logoToggle = animation.logoToggle == 1 ? 0 : 1;
    }
    const int x = Random(animation, kCanvasWidth);
    const int r = Random(animation, kCanvasHeight);
    const bool cleared = animation.step == phase.first + 1;
    if (cleared) ClearCanvas(animation);
    // r counts storage lines: the picture's bottom line lands on line r.
    const int top = kCanvasHeight - 1 - r - (kPictureHeight - 1);
    DrawTilePicture(animation.canvas.data(), animation.pictures[face], x, top, animation.look.scale);
    ShowCanvas(animation.canvas.data(), cleared ? kWholeCanvas : TileRect(x, top));
    if (animation.step == phase.last + 1) AdvanceAnimation(animation);
}

void BuildTick(SaverAnimation& animation, const PhaseRow& phase) {
    ++animation.step;
    const int picture = phase.kind == PhaseKind::BuildFaces ? Random(animation, kFaceCount) : kBackPicture;
    const bool cleared = animation.step == phase.first + 1;
    if (cleared) ClearCanvas(animation);
    const SlotPosition at = SaverSlotPositions(animation.arrangement)[animation.slot];
    const int top = at.top + kSlotPictureDrop;
    DrawTilePicture(animation.canvas.data(), animation.pictures[picture], at.left, top, animation.look.scale);
    ShowCanvas(animation.canvas.data(), cleared ? kWholeCanvas : TileRect(at.left, top));
    animation.slot = (animation.slot + 1) % kSaverSlotCount;
    AdvanceAnimation(animation);
}

void Sweep(SaverAnimation& animation, int32_t t) {
    const int scale = animation.look.scale;
    const int firstLine = kSweepLines * (t - kSweepBase);
    const int endLine = std::min(firstLine + kSweepLines, kCanvasHeight);
    if (endLine <= firstLine) return;
    const int width = animation.look.width();
    std::fill(animation.canvas.begin() + firstLine * scale * width, animation.canvas.begin() + endLine * scale * width,
              kMatColour);
}

// Colours the Scale x Scale block of 96-DPI pixel x on storage line `line`.
template <int Scale>
void StampBlock(uint8_t* canvas, int line, int x, uint8_t colour) {
    constexpr int kWidth = kCanvasWidth * Scale;
    for (int row = 0; row < Scale; ++row) {
        uint8_t* const at = canvas + (line * Scale + row) * kWidth + x * Scale;
        for (int column = 0; column < Scale; ++column) at[column] = colour;
    }
}

// Stamps a pattern anchored at (x, y), leaving out what falls off the canvas.
template <int Scale>
void StampClipped(uint8_t* canvas, const SpecklePattern& pattern, int x, int y) {
    for (const Offset& offset : pattern.pixels) {
        const int px = x + offset.dx;
        const int py = y + offset.dy;
        if (px < 0 || px >= kCanvasWidth || py < 0 || py >= kCanvasHeight) continue;
        StampBlock<Scale>(canvas, kCanvasHeight - 1 - py, px, pattern.colour);
    }
}

// How far a pattern reaches from its anchor: anchors at least that far inside
// every edge stamp the whole pattern.
struct PatternReach {
    int left, right, up, down;
};
constexpr PatternReach ReachOf(std::span<const Offset> pixels) {
    PatternReach reach{0, 0, 0, 0};
    for (const Offset& offset : pixels) {
        reach.left = std::max(reach.left, -offset.dx);
        reach.right = std::max(reach.right, offset.dx);
        reach.up = std::max(reach.up, -offset.dy);
        reach.down = std::max(reach.down, offset.dy);
    }
    return reach;
}

// One stage's pass for one kind. The modulus and the pattern are constants
// here, so the pixel test is a multiply and a whole stamp is a few stores.
// Draws come a storage line at a time, in the order of the pixels they decide,
// one for each 96-DPI pixel whatever the canvas's scale.
template <int Scale, size_t Stage, size_t Kind>
void SpecklePass(uint8_t* canvas, DrawSource& random) {
    constexpr unsigned m = kSpeckleStages[Stage].m[Kind];
    constexpr SpecklePattern pattern = kSpecklePatterns[Kind];
    constexpr PatternReach reach = ReachOf(pattern.pixels);
    // A draw d (never negative) and index i agree mod m exactly when m divides
    // d - i; adding this multiple of m, above every index, keeps that positive.
    constexpr unsigned kAboveEveryIndex = m * ((kCanvasPixels + m - 1) / m);
    int draws[kCanvasWidth];
    int hits[kCanvasWidth];
    for (int line = 0; line < kCanvasHeight; ++line) {
        random.DrawMany(draws);
        const unsigned lineBias = kAboveEveryIndex - static_cast<unsigned>(line * kCanvasWidth);
        int hitCount = 0;
        for (int x = 0; x < kCanvasWidth; ++x) {
            hits[hitCount] = x;
            hitCount += (static_cast<unsigned>(draws[x]) + lineBias - static_cast<unsigned>(x)) % m == 0;
        }
        const int y = kCanvasHeight - 1 - line;
        const bool lineInside = y >= reach.up && y < kCanvasHeight - reach.down;
        for (int h = 0; h < hitCount; ++h) {
            const int x = hits[h];
            if (lineInside && x >= reach.left && x < kCanvasWidth - reach.right) {
                for (const Offset& offset : pattern.pixels) {
                    StampBlock<Scale>(canvas, line - offset.dy, x + offset.dx, pattern.colour);
                }
            } else {
                StampClipped<Scale>(canvas, pattern, x, y);
            }
        }
    }
}

// Every kind below the sweep is a speckle kind, with a pass for each stage.
static_assert(std::size(kSpecklePatterns) == kSweepKind);
using SpecklePassFunction = void (*)(uint8_t* canvas, DrawSource& random);
template <int Scale, size_t Stage, size_t... Kinds>
constexpr std::array<SpecklePassFunction, sizeof...(Kinds)> StagePasses(std::index_sequence<Kinds...>) {
    return {&SpecklePass<Scale, Stage, Kinds>...};
}
template <int Scale, size_t... Stages>
constexpr auto MakeSpecklePasses(std::index_sequence<Stages...>) {
    return std::array{StagePasses<Scale, Stages>(std::make_index_sequence<std::size(kSpecklePatterns)>())...};
}
template <int Scale>
constexpr auto SpecklePassesAt() {
    return MakeSpecklePasses<Scale>(std::make_index_sequence<std::size(kSpeckleStages)>());
}
// By canvas scale less one, stage, then kind.
constexpr std::array kSpecklePasses = {SpecklePassesAt<1>(), SpecklePassesAt<kLargeCanvasScale>()};

void Speckle(SaverAnimation& animation, int32_t t) {
    const auto& passes = kSpecklePasses[animation.look.scale - 1];
    for (size_t stage = 0; stage < std::size(kSpeckleStages); ++stage) {
        if (t < kSpeckleStages[stage].firstT || t > kSpeckleStages[stage].lastT) continue;
        passes[stage][animation.effect](animation.canvas.data(), *animation.random);
    }
}

void DissolveTick(SaverAnimation& animation) {
    const int32_t t = ++animation.step;
    if (animation.effect == kSweepKind) {
        Sweep(animation, t);
    } else {
        Speckle(animation, t);
    }
    if (t == kLastDissolveStep) ClearCanvas(animation);
    ShowCanvas(animation.canvas.data(), kWholeCanvas);
    if (t == kLastDissolveStep) {
        animation.step = 0;
        AdvanceAnimation(animation);
    }
}

std::array<std::array<SlotPosition, kSaverSlotCount>, kSaverArrangementCount> BuildSlotPositions() {
    std::array<std::array<SlotPosition, kSaverSlotCount>, kSaverArrangementCount> positions{};
    for (int arrangement = 0; arrangement < kSaverArrangementCount; ++arrangement) {
        const int raise = arrangement == kSaverArrangementCount - 1 ? kArrangementDRaise : 0;
        for (const PositionRow& row : PositionRows(arrangement + 1)) {
            for (int slot = row.first; slot <= row.last; ++slot) {
                const TilePosition base = BasePositionInRow(row, slot);
                positions[arrangement][slot] = {base.left, base.top - raise};
            }
        }
    }
    return positions;
}

}  // namespace

const std::array<SlotPosition, kSaverSlotCount>& SaverSlotPositions(int arrangement) {
    static const auto positions = BuildSlotPositions();
    return positions[arrangement];
}

CanvasLook CanvasLookFor(int dpi, const ScreenRect& pictureArea, bool preview, bool largePicturesFound) {
    DisplayScale scale = ScaleForDpi(dpi);
    if (!preview) {
        scale = FittingScale(scale, kCanvasWidth, kCanvasHeight, 0, 0, pictureArea.right - pictureArea.left,
                             pictureArea.bottom - pictureArea.top);
    }
    const bool large = !scale.IsBase() && largePicturesFound;
    return {large ? kLargeCanvasScale : 1, scale.Scaled(kCanvasWidth), scale.Scaled(kCanvasHeight)};
}

PartTransfer TransferOfPart(const CanvasLook& look, CanvasOrigin origin, const CanvasRect& changed) {
    const int stepX = StretchStep(kCanvasWidth, look.shownWidth);
    const int stepY = StretchStep(kCanvasHeight, look.shownHeight);
    const CanvasRect part = {changed.left / stepX * stepX, changed.top / stepY * stepY,
                             (changed.right + stepX - 1) / stepX * stepX, (changed.bottom + stepY - 1) / stepY * stepY};
    const auto shownX = [&](int x) { return origin.x + x * look.shownWidth / kCanvasWidth; };
    const auto shownY = [&](int y) { return origin.y + y * look.shownHeight / kCanvasHeight; };
    return {{part.left * look.scale, part.top * look.scale, part.right * look.scale, part.bottom * look.scale},
            {shownX(part.left), shownY(part.top), shownX(part.right), shownY(part.bottom)}};
}

void DrawTilePicture(uint8_t* canvas, const uint8_t* picture, int left, int top, int scale) {
    const CanvasLook look{scale};
    const int width = look.width();
    const int height = look.height();
    const int pictureHeight = look.pictureHeight();
    for (int line = 0; line < pictureHeight; ++line) {
        const int y = top * scale + line;
        if (y < 0 || y >= height) continue;
        const uint8_t* source = picture + (pictureHeight - 1 - line) * look.pictureStride();
        uint8_t* target = canvas + (height - 1 - y) * width;
        for (int column = 0; column < look.pictureWidth(); ++column) {
            const int x = left * scale + column;
            if (x < 0 || x >= width) continue;
            const uint8_t pixel = source[column];
            if (pixel == kPictureTransparent) continue;
            target[x] = pixel == kPictureFaceWhite ? kFaceWhite : pixel;
        }
    }
}

void StartAnimation(SaverAnimation& animation, DrawSource& random, std::span<const uint8_t> canvasPixels,
                    const TilePictures& pictures, const ScreenRect& pictureArea, int32_t soundOn,
                    const CanvasLook& look) {
    animation = SaverAnimation{};
    animation.random = &random;
    animation.look = look;
    animation.origin = CentredCorner(pictureArea, look.shownWidth, look.shownHeight);
    animation.soundOn = soundOn;
    animation.pictures = pictures;
    animation.canvas.assign(static_cast<std::size_t>(look.pixels()), kMatColour);
    std::copy_n(canvasPixels.begin(), std::min<std::size_t>(canvasPixels.size(), animation.canvas.size()),
                animation.canvas.begin());
    animation.arrangement = Random(animation, kSaverArrangementCount);
}

void AdvanceAnimation(SaverAnimation& animation) {
    for (const PauseRow& pause : kPauses) {
        if (animation.step != pause.step) continue;
        animation.arrangement = Random(animation, kSaverArrangementCount);
        StopAnimationTimer();
        PauseOneSecond();
        ++animation.step;
        animation.slot = 0;
        if (pause.drawsEffect) animation.effect = Random(animation, kDissolveKindCount);
        StartAnimationTimer(pause.periodMs);
        break;
    }
    for (const SlotPeriodRow& row : kSlotPeriods) {
        if (animation.slot < row.firstSlot || animation.slot > row.lastSlot) continue;
        StopAnimationTimer();
        StartAnimationTimer(row.periodMs);
    }
}

void TickAnimation(SaverAnimation& animation) {
    const int32_t s = animation.step;
    for (const PhaseRow& phase : kPhases) {
        if (s < phase.first || s > phase.last) continue;
        if (s == phase.first && phase.kind != PhaseKind::Dissolve) Play(animation, SaverSound::Get);
        switch (phase.kind) {
        case PhaseKind::Scatter: ScatterTick(animation, phase); break;
        case PhaseKind::BuildFaces:
        case PhaseKind::BuildBacks: BuildTick(animation, phase); break;
        case PhaseKind::Dissolve: DissolveTick(animation); break;
        }
        return;
    }
}
