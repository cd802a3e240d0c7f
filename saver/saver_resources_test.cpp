// The screensaver's resource script under Wine: its tile pictures and canvas at their ids, at twice their size 1000 ids on, nothing else, and its manifest.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "saver/resource.h"
#include "shell/dib_header.h"
#include "tests/support/manifest_testing.h"

namespace {

struct Resource {
    const unsigned char* bytes = nullptr;
    std::size_t size = 0;
};

std::optional<Resource> FindBitmapResource(int id) {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2));  // RT_BITMAP
    if (found == nullptr) {
        return std::nullopt;
    }
    HGLOBAL loaded = LoadResource(nullptr, found);
    if (loaded == nullptr) {
        return std::nullopt;
    }
    return Resource{static_cast<const unsigned char*>(LockResource(loaded)), SizeofResource(nullptr, found)};
}

}  // namespace

TEST(SaverResources, TilePicturesAndCanvasAreAtTheirIds) {
    struct Expect {
        int first, last, width, height;
    };
    const Expect expected[] = {
        {IDB_SAVER_FACE_FIRST, IDB_SAVER_FACE_LAST, 43, 62},
        {IDB_TILE_BACK, IDB_TILE_BACK, 43, 62},
        {IDB_CANVAS, IDB_CANVAS, 640, 480},
    };
    int found = 0;
    for (const Expect& e : expected) {
        for (int id = e.first; id <= e.last; ++id) {
            const std::optional<Resource> resource = FindBitmapResource(id);
            ASSERT_TRUE(resource.has_value()) << "bitmap " << id;
            const std::optional<DibLayout> layout = ParseDib(resource->bytes, resource->size);
            ASSERT_TRUE(layout.has_value()) << "bitmap " << id;
            EXPECT_EQ(layout->header.width, e.width) << "bitmap " << id;
            EXPECT_EQ(layout->header.height, e.height) << "bitmap " << id;
            EXPECT_EQ(layout->header.bitCount, 8) << "bitmap " << id;
            EXPECT_EQ(layout->colorCount, 256) << "bitmap " << id;
            ++found;
        }
    }
    EXPECT_EQ(found, 38);
    // The game's other pictures are not the saver's.
    for (int id : {100, 137, 244, 246, 248, 258, 277, 313, 317}) {
        EXPECT_FALSE(FindBitmapResource(id).has_value()) << "bitmap " << id;
    }
}

// Each picture again at twice its size, 1000 ids on, with the very colour
// table of its small one: the animation draws palette indices of both alike.
TEST(SaverResources, DoubleSizePicturesHaveTheSmallOnesTables) {
    std::vector<int> ids = {IDB_TILE_BACK, IDB_CANVAS};
    for (int id = IDB_SAVER_FACE_FIRST; id <= IDB_SAVER_FACE_LAST; ++id) ids.push_back(id);
    for (int id : ids) {
        const std::optional<Resource> small = FindBitmapResource(id);
        const std::optional<Resource> large = FindBitmapResource(id + IDB_LARGE_OFFSET);
        ASSERT_TRUE(small.has_value() && large.has_value()) << "bitmap " << id;
        const std::optional<DibLayout> smallLayout = ParseDib(small->bytes, small->size);
        const std::optional<DibLayout> largeLayout = ParseDib(large->bytes, large->size);
        ASSERT_TRUE(smallLayout.has_value() && largeLayout.has_value()) << "bitmap " << id;
        EXPECT_EQ(largeLayout->header.width, 2 * smallLayout->header.width) << "bitmap " << id;
        EXPECT_EQ(largeLayout->header.height, 2 * smallLayout->header.height) << "bitmap " << id;
        EXPECT_EQ(largeLayout->header.bitCount, 8) << "bitmap " << id;
        ASSERT_EQ(largeLayout->colorCount, smallLayout->colorCount) << "bitmap " << id;
        const std::size_t tableBytes = static_cast<std::size_t>(largeLayout->colorCount) * 4;
        EXPECT_EQ(std::memcmp(large->bytes + largeLayout->pixelOffset - tableBytes,
                              small->bytes + smallLayout->pixelOffset - tableBytes, tableBytes),
                  0)
            << "bitmap " << id;
    }
}

TEST(SaverResources, FaceThirtyFourIsTheTileBack) {
    // Face 34 is the same picture as the back: a swapped id would show here.
    const std::optional<Resource> face = FindBitmapResource(IDB_SAVER_FACE_FIRST + 34);
    const std::optional<Resource> back = FindBitmapResource(IDB_TILE_BACK);
    ASSERT_TRUE(face.has_value());
    ASSERT_TRUE(back.has_value());
    ASSERT_EQ(face->size, back->size);
    EXPECT_EQ(std::memcmp(face->bytes, back->bytes, face->size), 0);
    const std::optional<Resource> other = FindBitmapResource(IDB_SAVER_FACE_FIRST + 35);
    ASSERT_TRUE(other.has_value());
    EXPECT_NE(std::memcmp(other->bytes, back->bytes, back->size), 0);
}

// Without a manifest Windows redirects the saver's writes beside it, and it
// reads another settings file than the game writes.
TEST(SaverResources, ManifestRunsAsInvokerOnEverySystem) {
    EXPECT_EQ(manifest_testing::Problems(), std::vector<std::string>{});
}
