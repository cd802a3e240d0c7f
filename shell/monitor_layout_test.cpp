// Placement among monitors for players' layouts: side by side, stacked, left of the primary, unequal, one removed.
#include "shell/monitor_layout.h"

#include <gtest/gtest.h>

#include <ostream>

// Points and rectangles print as their corners when a case fails.
void PrintTo(const ScreenPoint& point, std::ostream* out) { *out << point.x << "," << point.y; }
void PrintTo(const ScreenRect& rect, std::ostream* out) {
    *out << "{" << rect.left << "," << rect.top << " - " << rect.right << "," << rect.bottom << "}";
}

namespace {

// The primary monitor first, as the system lists them here.
const MonitorList kSideBySide = {{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}},
                                 {{1920, 0, 3840, 1080}, {1920, 0, 3840, 1080}}};
const MonitorList kStacked = {{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}}, {{0, -1080, 1920, 0}, {0, -1080, 1920, 0}}};
const MonitorList kLeftOfPrimary = {{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}},
                                    {{-1280, 0, 0, 1024}, {-1280, 0, 0, 984}}};
const MonitorList kUnequalHeights = {{{0, 0, 2560, 1440}, {0, 0, 2560, 1400}},
                                     {{2560, 0, 3840, 1024}, {2560, 0, 3840, 1024}}};
// The side-by-side desk after its second monitor was unplugged.
const MonitorList kSecondRemoved = {kSideBySide.front()};

// One case of a table: a layout, what is placed on it, and the answer.
template <typename Given, typename Expected>
struct LayoutRow {
    const char* layout;
    const MonitorList* monitors;
    Given given;
    Expected expected;
};

ScreenRect At(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

}  // namespace

TEST(MonitorLayout, StoredPositionIsKeptOnAnyMonitorWhoseCaptionItReaches) {
    const LayoutRow<ScreenPoint, bool> rows[] = {
        {"side by side", &kSideBySide, {2500, 300}, true}, {"side by side", &kSideBySide, {3839, 1079}, true},
        {"side by side", &kSideBySide, {3840, 300}, false}, {"stacked", &kStacked, {100, -900}, true},
        {"left", &kLeftOfPrimary, {-1000, 100}, true},     {"left", &kLeftOfPrimary, {-2000, 100}, false},
        {"left", &kLeftOfPrimary, {-1000, 1030}, false},   {"unequal", &kUnequalHeights, {2600, 900}, true},
        {"unequal", &kUnequalHeights, {2000, 1100}, true}, {"unequal", &kUnequalHeights, {2600, 1100}, false},
        {"removed", &kSecondRemoved, {2500, 300}, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.layout << " " << row.given.x << "," << row.given.y);
        EXPECT_EQ(StoredPositionUsable(*row.monitors, row.given, 640, 22), row.expected);
    }
}

TEST(MonitorLayout, WindowIsHeldByTheMonitorItOverlapsMostElseTheNearest) {
    const LayoutRow<ScreenRect, int> rows[] = {
        {"side by side", &kSideBySide, At(5000, 100, 640, 510), 1},
        {"side by side", &kSideBySide, At(1800, 100, 640, 510), 1},
        {"side by side", &kSideBySide, At(1500, 100, 640, 510), 0},
        {"stacked", &kStacked, At(100, -700, 640, 510), 1},
        {"left", &kLeftOfPrimary, At(-700, 100, 640, 510), 1},
        // Below the shorter monitor: nearer the primary's side, then nearer its own bottom.
        {"unequal", &kUnequalHeights, At(2600, 1100, 640, 510), 0},
        {"unequal", &kUnequalHeights, At(3000, 1200, 640, 510), 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.layout << " " << row.given.left << "," << row.given.top);
        EXPECT_EQ(&MonitorHolding(*row.monitors, row.given) - row.monitors->data(), row.expected);
    }
}

TEST(MonitorLayout, CentredCornerTruncatesTowardZeroFromTheAreasCorner) {
    EXPECT_EQ(CentredCorner({0, 0, 1024, 768}, 640, 480), (ScreenPoint{192, 144}));
    EXPECT_EQ(CentredCorner({0, 0, 152, 112}, 640, 480), (ScreenPoint{-244, -184}));
    EXPECT_EQ(CentredCorner({0, 0, 639, 479}, 640, 480), (ScreenPoint{0, 0}));
    EXPECT_EQ(CentredCorner({1920, 0, 3840, 1080}, 640, 510), (ScreenPoint{2560, 285}));
    EXPECT_EQ(CentredCorner({-1280, 0, 0, 1024}, 640, 480), (ScreenPoint{-960, 272}));
}

TEST(MonitorLayout, KeptInsideMovesTheWindowOnlyAsFarAsTheAreaAsks) {
    EXPECT_EQ(KeptInside({0, 0, 1024, 728}, At(750, 40, 224, 400)), At(750, 40, 224, 400));
    EXPECT_EQ(KeptInside({0, 0, 800, 560}, At(750, 300, 224, 400)), At(576, 160, 224, 400));
    EXPECT_EQ(KeptInside({-1280, 0, 0, 984}, At(-1400, 700, 224, 400)), At(-1280, 584, 224, 400));
    EXPECT_EQ(KeptInside({0, 0, 200, 300}, At(50, 50, 224, 400)), At(0, 0, 224, 400));
}

TEST(MonitorLayout, PrimaryPartOfAFullScreenClientIsInClientCoordinates) {
    const LayoutRow<ScreenRect, ScreenRect> rows[] = {
        {"side by side", &kSideBySide, {0, 0, 3840, 1080}, {0, 0, 1920, 1080}},
        {"stacked", &kStacked, {0, -1080, 1920, 1080}, {0, 1080, 1920, 2160}},
        {"left", &kLeftOfPrimary, {-1280, 0, 1920, 1080}, {1280, 0, 3200, 1080}},
        {"secondary only", &kSideBySide, At(2000, 100, 152, 112), {0, 0, 152, 112}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(PrimaryPartOfClient(*row.monitors, row.given), row.expected) << row.layout;
    }
}
