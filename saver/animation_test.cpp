// The screensaver's animation: canvas, drawing, cycle, scatter, build, dissolves, sounds.
#include "saver/animation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <vector>

#include "board/positions.h"
#include "shell/display_scale.h"
#include "tests/support/saver_platform_recorder.h"

namespace {

// Draws whatever a function of the draw's number (from 0) says.
class FunctionSource final : public DrawSource {
public:
    explicit FunctionSource(std::function<int(long)> draw) : draw_(std::move(draw)) {}
    int Draw() override { return draw_(count_++); }
    long count() const { return count_; }
    void Restart() { count_ = 0; }

private:
    std::function<int(long)> draw_;
    long count_ = 0;
};

// The first value is the start's draw; the rest repeat for as long as the test draws.
FunctionSource ListSource(std::vector<int> values) {
    return FunctionSource([values](long k) {
        if (k == 0 || values.size() == 1) return values[0];
        return values[1 + static_cast<size_t>(k - 1) % (values.size() - 1)];
    });
}

constexpr int kSoundGet = static_cast<int>(SaverSound::Get);
constexpr int kSoundCheck = static_cast<int>(SaverSound::Check);
constexpr int kSoundCancel = static_cast<int>(SaverSound::Cancel);
constexpr uint8_t kTopLeftMark = 40;
constexpr uint8_t kBottomLeftMark = 41;

// Picture p is plain colour 20 + p, with its top-left and bottom-left pixels marked.
struct SyntheticPictures {
    std::vector<std::vector<uint8_t>> blocks;
    TilePictures pointers{};
    SyntheticPictures() {
        for (int p = 0; p <= kBackPicture; ++p) {
            std::vector<uint8_t> block(kPictureBytes, static_cast<uint8_t>(20 + p));
            block[(kPictureHeight - 1) * kPictureStride] = kTopLeftMark;
            block[0] = kBottomLeftMark;
            blocks.push_back(std::move(block));
        }
        for (int p = 0; p <= kBackPicture; ++p) pointers[p] = blocks[p].data();
    }
};

// Pixel (column, line) of a picture, line counted from the top.
uint8_t& PicturePixel(std::vector<uint8_t>& block, int column, int line) {
    return block[(kPictureHeight - 1 - line) * kPictureStride + column];
}

int CountNot(const std::vector<uint8_t>& canvas, uint8_t colour) {
    int count = 0;
    for (uint8_t pixel : canvas) count += pixel != colour;
    return count;
}

class AnimationTest : public ::testing::Test {
protected:
    void SetUp() override {
        recordedSaverCalls.clear();
        recordedShownParts.clear();
    }

    // A started animation on a canvas of `colour`, drawing from `source`.
    void Start(DrawSource& source, uint8_t colour = kMatColour, int32_t soundOn = 1) {
        const std::vector<uint8_t> pixels(kCanvasPixels, colour);
        StartAnimation(animation, source, pixels, pictures.pointers, ScreenRect{0, 0, 640, 480}, soundOn);
        recordedSaverCalls.clear();
        recordedShownParts.clear();
    }

    SyntheticPictures pictures;
    SaverAnimation animation;
};

TEST(CanvasGeometry, StorageIsBottomLineFirst) {
    EXPECT_EQ(CanvasIndex(0, 479), 0);
    EXPECT_EQ(CanvasIndex(639, 479), 639);
    EXPECT_EQ(CanvasIndex(0, 0), 479 * 640);
    EXPECT_EQ(CanvasIndex(5, 478), 645);
}

TEST_F(AnimationTest, StartTakesTheCanvasPixelsAndDrawsAnArrangement) {
    auto source = ListSource({4 * 100 + 3});
    std::vector<uint8_t> pixels(kCanvasPixels, kMatColour);
    pixels[CanvasIndex(7, 9)] = 2;
    // The primary monitor's part of a window that also spans a monitor to its left.
    StartAnimation(animation, source, pixels, pictures.pointers, ScreenRect{1280, 0, 3200, 1080}, 1);
    EXPECT_EQ(animation.canvas, pixels);
    EXPECT_EQ(animation.arrangement, 3);
    EXPECT_EQ(animation.step, 0);
    EXPECT_EQ(animation.slot, 0);
    EXPECT_EQ(animation.logoToggle, 1);
    EXPECT_EQ(animation.origin.x, 1280 + 640);
    EXPECT_EQ(animation.origin.y, 300);
    EXPECT_EQ(source.count(), 1);
    EXPECT_TRUE(recordedSaverCalls.empty());
}

TEST(TileDrawing, SkipsTransparentWritesFaceWhiteAsZeroCopiesTheRest) {
    std::vector<uint8_t> canvas(kCanvasPixels, 3);
    std::vector<uint8_t> picture(kPictureBytes, 9);
    PicturePixel(picture, 0, 0) = kPictureTransparent;
    PicturePixel(picture, 1, 0) = kPictureFaceWhite;
    PicturePixel(picture, 42, 61) = 12;
    PicturePixel(picture, 43, 61) = kPictureTransparent + 1;  // the padding byte of a line: never drawn
    DrawTilePicture(canvas.data(), picture.data(), 200, 100);
    EXPECT_EQ(canvas[CanvasIndex(200, 100)], 3);
    EXPECT_EQ(canvas[CanvasIndex(201, 100)], kFaceWhite);
    EXPECT_EQ(canvas[CanvasIndex(202, 100)], 9);
    EXPECT_EQ(canvas[CanvasIndex(242, 161)], 12);
    EXPECT_EQ(canvas[CanvasIndex(243, 161)], 3);
    EXPECT_EQ(CountNot(canvas, 3), kPictureWidth * kPictureHeight - 1);
}

TEST(TileDrawing, IsCutAtEveryCanvasEdge) {
    const std::vector<uint8_t> picture(kPictureBytes, 9);
    struct Case { int left, top, visible; };
    const Case cases[] = {
        {-40, 100, 3 * 62}, {637, 100, 3 * 62}, {100, -60, 43 * 2}, {100, 478, 43 * 2},
        {-42, -61, 1}, {639, 479, 1}, {-43, 0, 0}, {640, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "left " << c.left << " top " << c.top);
        // A canvas-sized guard band on either side shows a write off the
        // canvas even without the address sanitizer.
        std::vector<uint8_t> guarded(3 * kCanvasPixels, 3);
        DrawTilePicture(guarded.data() + kCanvasPixels, picture.data(), c.left, c.top);
        EXPECT_EQ(CountNot(guarded, 3), c.visible);
        EXPECT_EQ(std::count(guarded.begin() + kCanvasPixels, guarded.begin() + 2 * kCanvasPixels, 9), c.visible);
    }
}

// The slot positions against the figures the arrangements are known by.
TEST(SlotPositions, FirstAndLastSlotOfEachArrangement) {
    struct Row { int first[2], last[2]; };
    const Row rows[kSaverArrangementCount] = {
        {{90, 15}, {262, 148}}, {{90, 55}, {402, 129}}, {{90, 90}, {462, 251}}, {{64, 15}, {372, 189}},
    };
    for (int a = 0; a < kSaverArrangementCount; ++a) {
        SCOPED_TRACE(a);
        const auto& positions = SaverSlotPositions(a);
        EXPECT_EQ(positions[0].left, rows[a].first[0]);
        EXPECT_EQ(positions[0].top, rows[a].first[1]);
        EXPECT_EQ(positions[143].left, rows[a].last[0]);
        EXPECT_EQ(positions[143].top, rows[a].last[1]);
    }
}

TEST(SlotPositions, GameRowsWithDRaisedFivePixelsAndEveryPictureInsideTheCanvas) {
    for (int a = 0; a < kSaverArrangementCount; ++a) {
        SCOPED_TRACE(a);
        const int raise = a == 3 ? 5 : 0;
        std::set<int> seen;
        for (const PositionRow& row : PositionRows(a + 1)) {
            for (int slot = row.first; slot <= row.last; ++slot) {
                seen.insert(slot);
                const SlotPosition at = SaverSlotPositions(a)[slot];
                EXPECT_EQ(at.left, row.firstLeft + 36 * (slot - row.first)) << slot;
                EXPECT_EQ(at.top, row.top - raise) << slot;
                EXPECT_GE(at.left, 0);
                EXPECT_LE(at.left + kPictureWidth, kCanvasWidth);
                EXPECT_GE(at.top + kSlotPictureDrop, 0);
                EXPECT_LE(at.top + kSlotPictureDrop + kPictureHeight, kCanvasHeight);
            }
        }
        EXPECT_EQ(seen.size(), 144u);
    }
}

TEST_F(AnimationTest, ScatterPutsTheFaceBottomLeftAtXAndLineR) {
    auto source = ListSource({0, 36 * 5 + 3, 100, 200});
    Start(source);
    animation.step = 5;
    TickAnimation(animation);
    EXPECT_EQ(animation.step, 6);
    const uint8_t face = 20 + 3;
    EXPECT_EQ(animation.canvas[CanvasIndex(100, 279)], kBottomLeftMark);
    EXPECT_EQ(animation.canvas[CanvasIndex(100, 279 - 61)], kTopLeftMark);
    EXPECT_EQ(animation.canvas[CanvasIndex(142, 279)], face);
    EXPECT_EQ(animation.canvas[CanvasIndex(143, 279)], kMatColour);
    EXPECT_EQ(animation.canvas[CanvasIndex(100, 280)], kMatColour);
    EXPECT_EQ(animation.canvas[CanvasIndex(100, 279 - 62)], kMatColour);
    EXPECT_EQ(CountNot(animation.canvas, kMatColour), kPictureWidth * kPictureHeight);
    EXPECT_EQ(recordedSaverCalls, (std::vector<SaverCall>{{SaverCall::Show, 0}}));
    // Only the tile's part is shown anew.
    EXPECT_EQ(recordedShownParts, (std::vector<ScreenRect>{{100, 218, 143, 280}}));
}

TEST_F(AnimationTest, ScatterNearTheTopRightCornerKeepsTenLinesAndTenColumns) {
    auto source = ListSource({0, 7, 630, 470});
    Start(source);
    animation.step = 50;
    TickAnimation(animation);
    EXPECT_EQ(animation.canvas[CanvasIndex(630, 9)], kBottomLeftMark);
    EXPECT_EQ(CountNot(animation.canvas, kMatColour), 100);
    EXPECT_EQ(recordedShownParts, (std::vector<ScreenRect>{{630, 0, 640, 10}}));
    for (int y = 0; y < 10; ++y) {
        for (int x = 630; x < 640; ++x) EXPECT_NE(animation.canvas[CanvasIndex(x, y)], kMatColour) << x << "," << y;
    }
}

TEST_F(AnimationTest, FirstScatterTickPlaysGetAndClearsTheMat) {
    for (int first : {1, 247}) {
        SCOPED_TRACE(first);
        auto source = ListSource({0, 1, 300, 300});
        Start(source, 3);
        animation.step = first;
        TickAnimation(animation);
        EXPECT_EQ(CountNot(animation.canvas, kMatColour), kPictureWidth * kPictureHeight);
        EXPECT_EQ(recordedSaverCalls, (std::vector<SaverCall>{{SaverCall::Sound, kSoundGet}, {SaverCall::Show, 0}}));
        EXPECT_EQ(recordedShownParts, std::vector<ScreenRect>{kWholeCanvas});
    }
}

TEST_F(AnimationTest, LaterScatterTickKeepsWhatIsOnTheMat) {
    auto source = ListSource({0, 1, 300, 300});
    Start(source, 3);
    animation.step = 2;
    TickAnimation(animation);
    EXPECT_EQ(CountNot(animation.canvas, 3), kPictureWidth * kPictureHeight);
}

TEST_F(AnimationTest, LogoTilesAlternateCheckAndCancel) {
    auto source = ListSource({0, kLogoFace, 10, 10});
    Start(source);
    animation.step = 10;
    for (int i = 0; i < 3; ++i) TickAnimation(animation);
    EXPECT_EQ(RecordedSaverCallsOf(SaverCall::Sound),
              (std::vector<SaverCall>{{SaverCall::Sound, kSoundCheck},
                                      {SaverCall::Sound, kSoundCancel},
                                      {SaverCall::Sound, kSoundCheck}}));
    EXPECT_EQ(animation.logoToggle, 0);
}

TEST_F(AnimationTest, LogoToggleAdvancesWithSoundOff) {
    auto source = ListSource({0, kLogoFace, 10, 10});
    Start(source, kMatColour, 0);
    animation.step = 1;
    TickAnimation(animation);
    EXPECT_TRUE(RecordedSaverCallsOf(SaverCall::Sound).empty());
    EXPECT_EQ(animation.logoToggle, 0);
    animation.soundOn = 1;
    TickAnimation(animation);
    EXPECT_EQ(RecordedSaverCallsOf(SaverCall::Sound), (std::vector<SaverCall>{{SaverCall::Sound, kSoundCancel}}));
}

TEST_F(AnimationTest, OtherFacesPlayNothing) {
    auto source = ListSource({0, 33, 10, 10, 35, 10, 10});
    Start(source);
    animation.step = 10;
    TickAnimation(animation);
    TickAnimation(animation);
    EXPECT_TRUE(RecordedSaverCallsOf(SaverCall::Sound).empty());
    EXPECT_EQ(animation.logoToggle, 1);
}

TEST_F(AnimationTest, BuildPutsEachSlotAtLeftAndTopPlus18InEveryArrangement) {
    for (int a = 0; a < kSaverArrangementCount; ++a) {
        for (int slot = 0; slot < kSaverSlotCount; ++slot) {
            SCOPED_TRACE(::testing::Message() << "arrangement " << a << " slot " << slot);
            for (int first : {102, 348}) {
                const int face = (slot * 7 + a) % kFaceCount;
                auto source = ListSource({0, face});
                Start(source, 3);
                animation.arrangement = a;
                // Slot 0 as if on a later pass, so the first tick's clearing stays out.
                animation.step = first + slot + (slot == 0 ? 1 : 0);
                animation.slot = slot;
                TickAnimation(animation);
                const SlotPosition at = SaverSlotPositions(a)[slot];
                const uint8_t body = static_cast<uint8_t>(20 + (first == 102 ? face : kBackPicture));
                EXPECT_EQ(animation.canvas[CanvasIndex(at.left, at.top + 18)], kTopLeftMark);
                EXPECT_EQ(animation.canvas[CanvasIndex(at.left + 1, at.top + 18)], body);
                EXPECT_EQ(animation.canvas[CanvasIndex(at.left, at.top + 17)], 3);
                EXPECT_EQ(animation.canvas[CanvasIndex(at.left + 42, at.top + 79)], body);
                EXPECT_EQ(CountNot(animation.canvas, 3), kPictureWidth * kPictureHeight);
                const ScreenRect tile = {at.left, at.top + 18, at.left + 43, at.top + 80};
                EXPECT_EQ(recordedShownParts, std::vector<ScreenRect>{tile});
                EXPECT_EQ(animation.slot, (slot + 1) % 144);
                if (HasFailure()) return;
            }
        }
    }
}

TEST_F(AnimationTest, FirstBuildTickPlaysGetAndClears) {
    for (int first : {102, 348}) {
        SCOPED_TRACE(first);
        auto source = ListSource({0, 5});
        Start(source, 3);
        animation.step = first;
        TickAnimation(animation);
        EXPECT_EQ(CountNot(animation.canvas, kMatColour), kPictureWidth * kPictureHeight);
        EXPECT_EQ(recordedSaverCalls, (std::vector<SaverCall>{{SaverCall::Sound, kSoundGet}, {SaverCall::Show, 0}}));
        EXPECT_EQ(animation.step, first + 1);
        EXPECT_EQ(animation.slot, 1);
    }
}

TEST_F(AnimationTest, PauseStopsTheTimerWaitsAndStartsTheNextPhase) {
    struct Case { int pause, period; };
    for (const Case c : {Case{0, 200}, Case{101, 100}, Case{246, 200}, Case{347, 100}, Case{492, 80}}) {
        SCOPED_TRACE(c.pause);
        auto source = ListSource({0, 4 * 9 + 1, 4 * 9 + 2});
        Start(source);
        animation.step = c.pause;
        animation.slot = 143;
        AdvanceAnimation(animation);
        EXPECT_EQ(animation.step, c.pause + 1);
        EXPECT_EQ(animation.slot, 0);
        EXPECT_EQ(animation.arrangement, 1);
        EXPECT_EQ(animation.effect, c.pause == 492 ? 2 : 0);
        EXPECT_EQ(recordedSaverCalls, (std::vector<SaverCall>{{SaverCall::StopTimer, 0},
                                                              {SaverCall::Pause, 0},
                                                              {SaverCall::StartTimer, c.period}}));
    }
}

TEST_F(AnimationTest, AdvanceInsideABuildRearmsBySlot) {
    struct Case { int slot, period; };
    for (const Case c : {Case{87, 150}, Case{100, 150}, Case{122, 150}, Case{123, 200}, Case{138, 200},
                         Case{139, 250}, Case{142, 250}, Case{143, 300}}) {
        SCOPED_TRACE(c.slot);
        auto source = ListSource({0});
        Start(source);
        animation.step = 102 + c.slot;
        animation.slot = c.slot;
        AdvanceAnimation(animation);
        EXPECT_EQ(recordedSaverCalls,
                  (std::vector<SaverCall>{{SaverCall::StopTimer, 0}, {SaverCall::StartTimer, c.period}}));
        EXPECT_EQ(animation.step, 102 + c.slot);
    }
}

TEST_F(AnimationTest, AdvanceOutsidePausesAndUpperSlotsChangesNothing) {
    // Paints during a scatter, early in a build, and during a dissolve.
    struct Case { int step, slot; };
    for (const Case c : {Case{50, 0}, Case{102 + 86, 86}, Case{300, 0}, Case{348, 0}, Case{500, 0}}) {
        SCOPED_TRACE(c.step);
        auto source = ListSource({0});
        Start(source);
        animation.step = c.step;
        animation.slot = c.slot;
        AdvanceAnimation(animation);
        EXPECT_TRUE(recordedSaverCalls.empty());
        EXPECT_EQ(animation.step, c.step);
        EXPECT_EQ(source.count(), 1);  // only the start's draw
    }
}

TEST_F(AnimationTest, TicksDuringPausesDoNothing) {
    for (int step : {0, 101, 246, 347, 492, 564}) {
        SCOPED_TRACE(step);
        auto source = ListSource({0, 1, 2, 3});
        Start(source, 3);
        animation.step = step;
        TickAnimation(animation);
        EXPECT_EQ(animation.step, step);
        EXPECT_TRUE(recordedSaverCalls.empty());
        EXPECT_EQ(CountNot(animation.canvas, 3), 0);
    }
}

// The timer period the cycle should run at for the tick entered at `step`, drawing `slot`.
int ExpectedPeriod(int step, int slot) {
    if ((step >= 1 && step <= 100) || (step >= 247 && step <= 346)) return 200;
    if (step >= 493 && step <= 563) return 80;
    if (slot <= 86) return 100;
    if (slot <= 122) return 150;
    if (slot <= 138) return 200;
    if (slot <= 142) return 250;
    return 300;
}

TEST_F(AnimationTest, OneCycleRunsEveryPhaseAtItsPeriods) {
    for (uint32_t seed : {1u, 77u, 1234567u}) {
        SCOPED_TRACE(::testing::Message() << "seed " << seed);
        RandomSequence random(seed);
        Start(random);
        AdvanceAnimation(animation);  // the first paint
        int period = -1;
        std::vector<int> entrySteps;
        std::vector<int> pausedAfter;
        long durationMs = 0;
        bool wrongPeriod = false;
        for (int tick = 0; tick < 559; ++tick) {
            for (const SaverCall& call : recordedSaverCalls) {
                if (call.kind == SaverCall::StartTimer) period = call.value;
                if (call.kind == SaverCall::StopTimer) period = -1;
            }
            recordedSaverCalls.clear();
            const int step = animation.step;
            const int slot = animation.slot;
            entrySteps.push_back(step);
            wrongPeriod |= period != ExpectedPeriod(step, slot);
            EXPECT_EQ(period, ExpectedPeriod(step, slot)) << "step " << step << " slot " << slot;
            durationMs += period;
            TickAnimation(animation);
            if (!RecordedSaverCallsOf(SaverCall::Pause).empty()) {
                pausedAfter.push_back(step);
                durationMs += 1000;
            }
            if (wrongPeriod) break;
        }
        std::vector<int> expectedSteps;
        for (int s = 1; s <= 563; ++s) {
            if (s != 101 && s != 246 && s != 347 && s != 492) expectedSteps.push_back(s);
        }
        EXPECT_EQ(entrySteps, expectedSteps);
        // The last dissolve tick starts the next cycle with its pause.
        EXPECT_EQ(pausedAfter, (std::vector<int>{100, 245, 346, 491, 563}));
        EXPECT_EQ(animation.step, 1);
        // About 88 seconds a cycle, with its five pauses.
        EXPECT_NEAR(durationMs, 88000, 500);
    }
}

TEST_F(AnimationTest, SweepClimbsSevenStorageLinesPerTick) {
    for (int t : {494, 495, 530, 561, 562, 563}) {
        SCOPED_TRACE(t);
        auto source = ListSource({0});
        Start(source, 3);
        animation.effect = 3;
        animation.step = t - 1;
        const long before = source.count();
        TickAnimation(animation);
        EXPECT_EQ(animation.step, t);
        EXPECT_EQ(source.count(), before);
        const int first = 7 * (t - 493);
        for (int line = 0; line < kCanvasHeight; ++line) {
            const bool swept = line >= first && line <= first + 6;
            const uint8_t expected = swept ? kMatColour : 3;
            const auto begin = animation.canvas.begin() + line * kCanvasWidth;
            EXPECT_EQ(std::count(begin, begin + kCanvasWidth, expected), kCanvasWidth) << "line " << line;
        }
        EXPECT_EQ(recordedSaverCalls, (std::vector<SaverCall>{{SaverCall::Show, 0}}));
        EXPECT_EQ(recordedShownParts, std::vector<ScreenRect>{kWholeCanvas});
    }
}

// The speckle stages by kind: the modulus m of every stage in force at t.
std::vector<int> SpeckleModuli(int kind, int t) {
    struct Stage { int first, last, m[3]; };
    const Stage stages[] = {
        {494, 512, {15, 20, 100}}, {513, 532, {10, 15, 50}}, {533, 553, {5, 12, 30}}, {553, 563, {2, 10, 10}},
    };
    std::vector<int> moduli;
    for (const Stage& stage : stages) {
        if (t >= stage.first && t <= stage.last) moduli.push_back(stage.m[kind]);
    }
    return moduli;
}

TEST_F(AnimationTest, SpeckleStagesDrawOncePerPixelAndStampWhereDrawAndIndexAgree) {
    const uint8_t colours[3] = {kMatColour, kBlackColour, kRedColour};
    for (int kind = 0; kind < 3; ++kind) {
        for (int t : {494, 512, 513, 532, 533, 552, 553, 554, 563}) {
            SCOPED_TRACE(::testing::Message() << "kind " << kind << " t " << t);
            auto source = ListSource({0, 1});  // every draw is 1: stamps where i mod m is 1
            Start(source, 3);
            animation.effect = kind;
            animation.step = t - 1;
            const long before = source.count();
            TickAnimation(animation);
            const std::vector<int> moduli = SpeckleModuli(kind, t);
            EXPECT_EQ(source.count() - before, static_cast<long>(kCanvasPixels) * static_cast<long>(moduli.size()));
            // On the bottom line only stamps of that line show: at x, and for
            // the square and the dot also at x + 1.
            for (int x = 0; x < kCanvasWidth; ++x) {
                bool stamped = false;
                for (int m : moduli) stamped |= x % m == 1 || (kind > 0 && x % m == 2);
                EXPECT_EQ(animation.canvas[x], stamped ? colours[kind] : 3) << "x " << x;
                if (HasFailure()) return;
            }
        }
    }
}

struct PatternPixel { int dx, dy; };

// The speckle kinds' patterns and colours, by kind.
const std::vector<PatternPixel> kSpecklePatterns[3] = {
    {{0, 0}},
    {{0, 0}, {1, 0}, {0, -1}, {1, -1}},
    {{0, 0}, {1, 0}, {0, -1}, {1, -1}, {0, -2}, {1, -2}, {0, -3}, {1, -3}, {-1, -1}, {2, -1}, {-1, -2}, {2, -2}},
};
const uint8_t kSpeckleColours[3] = {kMatColour, kBlackColour, kRedColour};

TEST_F(AnimationTest, SpecklePatternsAreCutAtTheCanvasEdges) {
    const PatternPixel places[] = {{100, 200}, {0, 2}, {639, 1}, {5, 0}, {639, 479}, {0, 479}, {638, 3}};
    for (int kind = 0; kind < 3; ++kind) {
        for (const PatternPixel at : places) {
            SCOPED_TRACE(::testing::Message() << "kind " << kind << " at " << at.dx << "," << at.dy);
            const int target = CanvasIndex(at.dx, at.dy);
            // Agrees with the index at the target pixel only.
            FunctionSource source([target](long k) { return k == target ? static_cast<int>(k) : static_cast<int>(k) + 1; });
            Start(source, 3);
            animation.effect = kind;
            animation.step = 493;
            source.Restart();
            TickAnimation(animation);
            std::vector<uint8_t> expected(kCanvasPixels, 3);
            for (const PatternPixel p : kSpecklePatterns[kind]) {
                const int x = at.dx + p.dx;
                const int y = at.dy + p.dy;
                if (x >= 0 && x < kCanvasWidth && y >= 0 && y < kCanvasHeight) expected[CanvasIndex(x, y)] = kSpeckleColours[kind];
            }
            EXPECT_EQ(CountNot(animation.canvas, 3), CountNot(expected, 3));
            EXPECT_TRUE(animation.canvas == expected);
        }
    }
}

// The speckle tick pixel by pixel: stage by stage, one draw per storage index
// in order, the pattern stamped where draw and index agree mod m, cut at the edges.
long PlainSpeckle(std::vector<uint8_t>& canvas, RandomSequence& random, int kind, int t) {
    long draws = 0;
    for (int m : SpeckleModuli(kind, t)) {
        for (int i = 0; i < kCanvasPixels; ++i) {
            ++draws;
            if (random.Draw() % m != i % m) continue;
            for (const PatternPixel p : kSpecklePatterns[kind]) {
                const int x = i % kCanvasWidth + p.dx;
                const int y = kCanvasHeight - 1 - i / kCanvasWidth + p.dy;
                if (x >= 0 && x < kCanvasWidth && y >= 0 && y < kCanvasHeight) canvas[CanvasIndex(x, y)] = kSpeckleColours[kind];
            }
        }
    }
    return draws;
}

// Real draws stamp every edge and corner; t = 553 runs two stages in order.
TEST_F(AnimationTest, SpeckleTicksMatchThePixelByPixelDissolve) {
    for (uint32_t seed : {1u, 20240601u, 0xdeadbeefu}) {
        for (int kind = 0; kind < 3; ++kind) {
            for (int t : {494, 513, 533, 553, 563}) {
                SCOPED_TRACE(::testing::Message() << "seed " << seed << " kind " << kind << " t " << t);
                RandomSequence random(seed);
                FunctionSource source([&random](long) { return random.Draw(); });
                Start(source, 3);
                animation.effect = kind;
                animation.step = t - 1;
                const long before = source.count();
                TickAnimation(animation);
                RandomSequence plain(seed);
                plain.Draw();  // the start's arrangement
                std::vector<uint8_t> expected(kCanvasPixels, 3);
                const long plainDraws = PlainSpeckle(expected, plain, kind, t);
                EXPECT_EQ(source.count() - before, plainDraws);
                const auto differ = std::mismatch(expected.begin(), expected.end(), animation.canvas.begin());
                ASSERT_TRUE(differ.first == expected.end()) << "first difference at index " << differ.first - expected.begin();
            }
        }
    }
}

TEST_F(AnimationTest, LastDissolveTickClearsAndStartsTheNextCycle) {
    for (int kind = 0; kind < 4; ++kind) {
        SCOPED_TRACE(kind);
        auto source = ListSource({0, 2});
        Start(source, 3);
        animation.effect = kind;
        animation.step = 563;
        const long before = source.count();
        TickAnimation(animation);
        EXPECT_EQ(CountNot(animation.canvas, kMatColour), 0);
        EXPECT_EQ(animation.step, 1);
        EXPECT_EQ(animation.arrangement, 2);
        EXPECT_EQ(source.count() - before, 1);  // no speckle stage at 564, only the pause's arrangement
        EXPECT_EQ(recordedSaverCalls, (std::vector<SaverCall>{{SaverCall::Show, 0},
                                                              {SaverCall::StopTimer, 0},
                                                              {SaverCall::Pause, 0},
                                                              {SaverCall::StartTimer, 200}}));
    }
}

// Run under the address sanitizer, this shows that no drawing of a whole
// cycle leaves the canvas: scattered tiles land everywhere, every dissolve
// kind stamps at every edge.
TEST_F(AnimationTest, WholeCyclesStayOnTheCanvas) {
    RandomSequence pictureBytes(99);
    for (auto& block : pictures.blocks) {
        for (auto& pixel : block) pixel = static_cast<uint8_t>(pictureBytes.Draw() % 20);
    }
    std::set<int> effects;
    for (uint32_t seed = 1; seed <= 12 && effects.size() < 4; ++seed) {
        SCOPED_TRACE(::testing::Message() << "seed " << seed);
        RandomSequence random(seed * 2654435761u);
        Start(random);
        AdvanceAnimation(animation);
        int ticks = 0;
        do {
            if (animation.step == 493) effects.insert(animation.effect);
            TickAnimation(animation);
            ++ticks;
        } while (animation.step != 1 && ticks < 600);
        EXPECT_EQ(ticks, 559);
        EXPECT_EQ(animation.canvas.size(), static_cast<size_t>(kCanvasPixels));
        EXPECT_EQ(CountNot(animation.canvas, kMatColour), 0);
        EXPECT_EQ(RecordedSaverCallsOf(SaverCall::Show).size(), 559u);
    }
    EXPECT_EQ(effects.size(), 4u);
}

// Pixel-doubles a canvas or picture of lines of `stride` bytes: each pixel a 2 x 2 block, in lines of
// `doubledStride` bytes.
std::vector<uint8_t> Doubled(const std::vector<uint8_t>& pixels, int width, int height, int stride, int doubledStride) {
    std::vector<uint8_t> doubled(static_cast<size_t>(doubledStride) * height * 2, 0);
    for (int line = 0; line < 2 * height; ++line) {
        for (int x = 0; x < 2 * width; ++x) {
            doubled[static_cast<size_t>(line) * doubledStride + x] =
                pixels[static_cast<size_t>(line / 2) * stride + x / 2];
        }
    }
    return doubled;
}

std::vector<uint8_t> DoubledCanvas(const std::vector<uint8_t>& canvas) {
    return Doubled(canvas, kCanvasWidth, kCanvasHeight, kCanvasWidth, 2 * kCanvasWidth);
}

// Whether `large` is `small` pixel-doubled, line by line; quicker than building the doubled canvas.
bool IsDoubled(const std::vector<uint8_t>& large, const std::vector<uint8_t>& small) {
    if (large.size() != 4 * small.size()) return false;
    std::vector<uint8_t> line(2 * kCanvasWidth);
    for (int y = 0; y < kCanvasHeight; ++y) {
        const uint8_t* source = small.data() + y * kCanvasWidth;
        for (int x = 0; x < kCanvasWidth; ++x) line[2 * x] = line[2 * x + 1] = source[x];
        for (int half = 0; half < 2; ++half) {
            if (!std::equal(line.begin(), line.end(), large.begin() + (2 * y + half) * 2 * kCanvasWidth)) return false;
        }
    }
    return true;
}

}  // namespace

TEST(CanvasLook, FollowsThePrimaryDpiFitsTheScreenAndFallsBackToTheSmallPictures) {
    struct Case {
        int dpi;
        ScreenRect area;
        bool preview, large;
        CanvasLook look;
    };
    const ScreenRect wide = {0, 0, 3840, 2160};
    const Case cases[] = {
        {96, wide, false, true, {1, 640, 480}},
        {120, wide, false, true, {2, 800, 600}},
        {144, wide, false, true, {2, 960, 720}},
        {192, wide, false, true, {2, 1280, 960}},
        {480, {0, 0, 3200, 2400}, false, true, {2, 3200, 2400}},
        // Lowered until it fits, never below 100%.
        {192, {0, 0, 1024, 768}, false, true, {2, 1020, 765}},
        {192, {100, 0, 1379, 959}, false, true, {2, 1273, 955}},  // a pixel short: 191 DPI
        {144, {0, 0, 640, 480}, false, true, {1, 640, 480}},
        {144, {0, 0, 600, 400}, false, true, {1, 640, 480}},
        // A DPI outside 96..480 is 96.
        {0, wide, false, true, {1, 640, 480}},
        {95, wide, false, true, {1, 640, 480}},
        {481, wide, false, true, {1, 640, 480}},
        // A double-size picture missing: today's pictures, stretched.
        {192, wide, false, false, {1, 1280, 960}},
        // A preview is never fitted.
        {192, {0, 0, 304, 224}, true, true, {2, 1280, 960}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "dpi " << c.dpi << " area " << c.area.right - c.area.left << "x"
                                          << c.area.bottom - c.area.top << (c.preview ? " preview" : ""));
        EXPECT_EQ(CanvasLookFor(c.dpi, c.area, c.preview, c.large), c.look);
    }
}

// A part goes 1:1 at 100% and 200% and widens to whole steps of a stretch:
// two 96-DPI pixels make three at 150%, 32 make 51 at 153 DPI.
TEST(CanvasLook, PartsWidenToWholeStepsOfTheStretch) {
    struct Case {
        CanvasLook look;
        CanvasOrigin origin;
        CanvasRect changed;
        PartTransfer expected;
    };
    const CanvasRect tile = {101, 51, 144, 113};
    const Case cases[] = {
        {{1, 640, 480}, {192, 144}, tile, {tile, {293, 195, 336, 257}}},
        {{2, 1280, 960}, {60, 20}, tile, {{202, 102, 288, 226}, {262, 122, 348, 246}}},
        {{1, 1280, 960}, {0, 0}, tile, {tile, {202, 102, 288, 226}}},
        {{2, 960, 720}, {32, 24}, tile, {{200, 100, 288, 228}, {182, 99, 248, 195}}},
        {{2, 960, 720}, {32, 24}, kWholeCanvas, {{0, 0, 1280, 960}, {32, 24, 992, 744}}},
        {{2, 1020, 765}, {2, 1}, tile, {{192, 64, 320, 256}, {155, 52, 257, 205}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "shown " << c.look.shownWidth << "x" << c.look.shownHeight);
        const PartTransfer part = TransferOfPart(c.look, c.origin, c.changed);
        EXPECT_EQ(part.source, c.expected.source);
        EXPECT_EQ(part.target, c.expected.target);
    }
}

// The Control Panel's preview grows with the display scale: it shows the
// canvas's middle 152 x 112 at every scale, as at 100%.
TEST_F(AnimationTest, PreviewsShowTheSameMiddleOfTheCanvasAtEveryScale) {
    for (int dpi : {96, 120, 144, 168, 192, 288}) {
        SCOPED_TRACE(dpi);
        const DisplayScale scale{dpi};
        const ScreenRect preview = {0, 0, scale.Scaled(152), scale.Scaled(112)};
        const CanvasLook look = CanvasLookFor(dpi, preview, true, true);
        auto source = ListSource({0});
        StartAnimation(animation, source, {}, pictures.pointers, preview, 1, look);
        // The canvas's 96-DPI pixel at the preview's top-left corner.
        EXPECT_NEAR(-animation.origin.x * 96.0 / dpi, 244, 1);
        EXPECT_NEAR(-animation.origin.y * 96.0 / dpi, 184, 1);
    }
}

// With double-size pictures that are the small ones pixel-doubled, every tick
// of whole cycles on the large canvas shows the small canvas's picture
// doubled: every place, scatter, build, sweep and speckle scales by exactly
// two, and the draws, sounds, timers and pauses are the same.
TEST_F(AnimationTest, LargeCanvasRunsTheSameCyclesDoubled) {
    RandomSequence pictureBytes(7);
    for (auto& block : pictures.blocks) {
        for (auto& pixel : block) pixel = static_cast<uint8_t>(pictureBytes.Draw() % 20);
    }
    const CanvasLook large = {kLargeCanvasScale, 1280, 960};
    std::vector<std::vector<uint8_t>> largeBlocks;
    TilePictures largePointers{};
    for (const auto& block : pictures.blocks) {
        largeBlocks.push_back(Doubled(block, kPictureWidth, kPictureHeight, kPictureStride, large.pictureStride()));
    }
    for (int p = 0; p <= kBackPicture; ++p) largePointers[p] = largeBlocks[p].data();
    std::vector<uint8_t> start(kCanvasPixels);
    for (int i = 0; i < kCanvasPixels; ++i) start[i] = static_cast<uint8_t>(i % 251);
    // One cycle for each dissolve kind.
    for (uint32_t seed = 1; seed <= 4; ++seed) {
        SCOPED_TRACE(::testing::Message() << "seed " << seed);
        RandomSequence smallRandom(seed * 2654435761u);
        RandomSequence largeRandom(seed * 2654435761u);
        SaverAnimation largeAnimation;
        StartAnimation(animation, smallRandom, start, pictures.pointers, ScreenRect{0, 0, 640, 480}, 1);
        StartAnimation(largeAnimation, largeRandom, DoubledCanvas(start), largePointers, ScreenRect{0, 0, 1280, 960}, 1,
                       large);
        ASSERT_EQ(largeAnimation.canvas, DoubledCanvas(animation.canvas));
        recordedSaverCalls.clear();
        AdvanceAnimation(animation);
        std::vector<SaverCall> smallCalls = recordedSaverCalls;
        recordedSaverCalls.clear();
        AdvanceAnimation(largeAnimation);
        EXPECT_EQ(recordedSaverCalls, smallCalls);
        for (int tick = 0; tick < 559; ++tick) {
            if (animation.step == 493) animation.effect = largeAnimation.effect = static_cast<int>(seed % 4);
            const int step = animation.step;
            recordedSaverCalls.clear();
            TickAnimation(animation);
            smallCalls = recordedSaverCalls;
            recordedSaverCalls.clear();
            TickAnimation(largeAnimation);
            ASSERT_EQ(recordedSaverCalls, smallCalls) << "step " << step;
            ASSERT_TRUE(IsDoubled(largeAnimation.canvas, animation.canvas)) << "step " << step << " effect "
                                                                             << animation.effect;
        }
        EXPECT_EQ(animation.step, 1);
    }
}
