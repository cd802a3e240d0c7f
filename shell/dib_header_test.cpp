// Bitmap header parsing: the colour-count rule, row padding, where the pixels lie, and refusal of damaged or short data.
#include "shell/dib_header.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

void PutU16(std::vector<unsigned char>& bytes, std::size_t at, std::uint32_t value) {
    bytes[at] = static_cast<unsigned char>(value);
    bytes[at + 1] = static_cast<unsigned char>(value >> 8);
}

void PutU32(std::vector<unsigned char>& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
    }
}

// A complete bitmap with the given header fields, its colour table and its
// pixel rows, sized by the rule the parser must apply (computed here by hand
// from the format, not by the parser).
std::vector<unsigned char> MakeDib(std::int32_t width, std::int32_t height, std::uint16_t bits,
                                   std::uint32_t colorsUsed = 0) {
    std::size_t tableEntries = colorsUsed != 0 ? colorsUsed : (bits <= 8 ? (1u << bits) : 0u);
    std::size_t row = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    std::vector<unsigned char> bytes(40 + 4 * tableEntries + row * static_cast<std::size_t>(height));
    PutU32(bytes, 0, 40);
    PutU32(bytes, 4, static_cast<std::uint32_t>(width));
    PutU32(bytes, 8, static_cast<std::uint32_t>(height));
    PutU16(bytes, 12, 1);
    PutU16(bytes, 14, bits);
    PutU32(bytes, 32, colorsUsed);
    return bytes;
}

// Parses a copy held in exactly `size` bytes, so the sanitizers see any read
// past the end.
std::optional<DibLayout> ParseExactly(const std::vector<unsigned char>& bytes, std::size_t size) {
    std::vector<unsigned char> exact(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
    exact.shrink_to_fit();
    return ParseDib(exact.data(), exact.size());
}

}  // namespace

TEST(DibColorCount, FollowsTheBitCountUnlessColorsUsedIsSet) {
    struct Case {
        std::uint16_t bits;
        std::uint32_t used;
        int expected;
    };
    const Case cases[] = {
        {1, 0, 2}, {4, 0, 16}, {8, 0, 256}, {24, 0, 0},
        // A non-zero colours-used field wins, even against the bit count.
        {4, 256, 256}, {8, 16, 16}, {1, 7, 7}, {24, 12, 12},
        // No table is defined for other depths.
        {16, 0, 0}, {32, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DibColorCount(c.bits, c.used), c.expected) << c.bits << " bits, " << c.used << " used";
    }
}

TEST(DibRowBytes, PadsEveryRowToFourBytes) {
    EXPECT_EQ(DibRowBytes(43, 8), 44u);   // tile faces
    EXPECT_EQ(DibRowBytes(25, 8), 28u);   // small faces
    EXPECT_EQ(DibRowBytes(224, 8), 224u); // history field
    EXPECT_EQ(DibRowBytes(8, 4), 4u);     // felt
    EXPECT_EQ(DibRowBytes(46, 4), 24u);   // letter buttons
    EXPECT_EQ(DibRowBytes(1, 1), 4u);
    EXPECT_EQ(DibRowBytes(33, 1), 8u);
    EXPECT_EQ(DibRowBytes(3, 24), 12u);
    EXPECT_EQ(DibRowBytes(kMaxDibSide, 24), 24576u);
}

TEST(ParseDib, LaysOutThePicturesOfTheGame) {
    struct Case {
        const char* name;
        std::int32_t width, height;
        std::uint16_t bits;
        int colors;
        std::size_t pixelOffset, rowBytes, totalBytes;
    };
    // Sizes as the resources hold them: a tile face is 40 + 1024 + 62 x 44 bytes.
    const Case cases[] = {
        {"tile face", 43, 62, 8, 256, 1064, 44, 3792},
        {"felt", 8, 8, 4, 16, 104, 4, 136},
        {"history field", 224, 390, 8, 256, 1064, 224, 88424},
        {"deadlock", 32, 144, 4, 16, 104, 16, 2408},
        {"small face", 25, 35, 8, 256, 1064, 28, 2044},
        {"letter button", 46, 42, 4, 16, 104, 24, 1112},
    };
    for (const Case& c : cases) {
        std::vector<unsigned char> bytes = MakeDib(c.width, c.height, c.bits);
        const std::optional<DibLayout> layout = ParseDib(bytes.data(), bytes.size());
        ASSERT_TRUE(layout.has_value()) << c.name;
        EXPECT_EQ(layout->colorCount, c.colors) << c.name;
        EXPECT_EQ(layout->pixelOffset, c.pixelOffset) << c.name;
        EXPECT_EQ(layout->rowBytes, c.rowBytes) << c.name;
        EXPECT_EQ(layout->totalBytes, c.totalBytes) << c.name;
    }
}

TEST(ParseDib, PixelsFollowATableOfColorsUsedEntries) {
    // An 8-bit picture with a 16-entry table: the pixels start after 16 entries,
    // and 1024 bytes of table would not fit in its bytes.
    std::vector<unsigned char> bytes = MakeDib(4, 2, 8, 16);
    ASSERT_EQ(bytes.size(), 40u + 64u + 8u);
    std::optional<DibLayout> layout = ParseDib(bytes.data(), bytes.size());
    ASSERT_TRUE(layout.has_value());
    EXPECT_EQ(layout->colorCount, 16);
    EXPECT_EQ(layout->pixelOffset, 104u);

    // A 4-bit picture may carry a full 256-entry table.
    bytes = MakeDib(8, 8, 4, 256);
    layout = ParseDib(bytes.data(), bytes.size());
    ASSERT_TRUE(layout.has_value());
    EXPECT_EQ(layout->colorCount, 256);
    EXPECT_EQ(layout->pixelOffset, 1064u);

    // A 24-bit picture has no table unless the field asks for one.
    bytes = MakeDib(3, 2, 24);
    layout = ParseDib(bytes.data(), bytes.size());
    ASSERT_TRUE(layout.has_value());
    EXPECT_EQ(layout->colorCount, 0);
    EXPECT_EQ(layout->pixelOffset, 40u);
    EXPECT_EQ(layout->totalBytes, 40u + 2 * 12u);
}

TEST(ParseDib, RefusesDamagedHeaders) {
    struct Mutation {
        const char* what;
        std::size_t offset;
        int width;  // 2 or 4 bytes
        std::uint32_t value;
    };
    const Mutation mutations[] = {
        {"core header size", 0, 4, 12},
        {"version 4 header size", 0, 4, 108},
        {"version 5 header size", 0, 4, 124},
        {"header size 0", 0, 4, 0},
        {"width 0", 4, 4, 0},
        {"negative width", 4, 4, static_cast<std::uint32_t>(-43)},
        {"width above the limit", 4, 4, kMaxDibSide + 1},
        {"huge width", 4, 4, 0x7FFFFFFF},
        {"height 0", 8, 4, 0},
        {"top-down rows", 8, 4, static_cast<std::uint32_t>(-62)},
        {"height above the limit", 8, 4, kMaxDibSide + 1},
        {"no planes", 12, 2, 0},
        {"two planes", 12, 2, 2},
        {"0 bits", 14, 2, 0},
        {"2 bits", 14, 2, 2},
        {"16 bits", 14, 2, 16},
        {"32 bits", 14, 2, 32},
        {"run-length 8", 16, 4, 1},
        {"run-length 4", 16, 4, 2},
        {"bit fields", 16, 4, 3},
        {"257 colours", 32, 4, 257},
        {"all colours", 32, 4, 0xFFFFFFFF},
    };
    for (const Mutation& m : mutations) {
        // Plenty of bytes, so only the header can be at fault.
        std::vector<unsigned char> bytes = MakeDib(43, 62, 8);
        bytes.resize(bytes.size() * 4);
        if (m.width == 2) {
            PutU16(bytes, m.offset, m.value);
        } else {
            PutU32(bytes, m.offset, m.value);
        }
        EXPECT_FALSE(ParseDib(bytes.data(), bytes.size()).has_value()) << m.what;
    }
    EXPECT_FALSE(ParseDib(nullptr, 4000).has_value());
}

TEST(ParseDib, SidesStopAtTheLimitEvenWithTheBytesForMore) {
    std::vector<unsigned char> bytes = MakeDib(kMaxDibSide, 1, 8, 256);
    EXPECT_TRUE(ParseDib(bytes.data(), bytes.size()).has_value());
    bytes = MakeDib(1, kMaxDibSide, 24);
    EXPECT_TRUE(ParseDib(bytes.data(), bytes.size()).has_value());
    bytes = MakeDib(kMaxDibSide + 1, 1, 8);
    EXPECT_FALSE(ParseDib(bytes.data(), bytes.size()).has_value());
    bytes = MakeDib(1, kMaxDibSide + 1, 8);
    EXPECT_FALSE(ParseDib(bytes.data(), bytes.size()).has_value());
}

TEST(ParseDib, RefusesSizesThatWouldWrapAThirtyTwoBitCount) {
    // 2^30 pixels of 24 bits make rows of 3 x 2^30 bytes; 256 of them are
    // 3 x 2^38 bytes, which a 32-bit size would wrap to 0, so the pixels
    // would seem to fit in a picture of just a header.
    std::vector<unsigned char> bytes = MakeDib(1, 1, 24);
    PutU32(bytes, 4, 0x40000000);
    PutU32(bytes, 8, 256);
    EXPECT_FALSE(ParseDib(bytes.data(), bytes.size()).has_value());
}

TEST(ParseDib, RefusesEveryTruncationOfHeaderTableOrRows) {
    const std::vector<unsigned char> pictures[] = {
        MakeDib(43, 62, 8), MakeDib(8, 8, 4), MakeDib(33, 3, 1), MakeDib(5, 3, 24), MakeDib(7, 5, 8, 3),
    };
    for (const std::vector<unsigned char>& bytes : pictures) {
        for (std::size_t size = 0; size < bytes.size(); ++size) {
            ASSERT_FALSE(ParseExactly(bytes, size).has_value()) << size << " of " << bytes.size() << " bytes";
        }
        const std::optional<DibLayout> whole = ParseExactly(bytes, bytes.size());
        ASSERT_TRUE(whole.has_value());
        EXPECT_EQ(whole->totalBytes, bytes.size());
    }
}

TEST(ParseDib, NeverReachesPastItsBytesWhateverTheHeaderSays) {
    const unsigned seed = std::random_device{}();
    std::printf("seed %u\n", seed);
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    const std::vector<unsigned char> good = MakeDib(43, 62, 8);
    int accepted = 0;
    for (int round = 0; round < 20000; ++round) {
        std::vector<unsigned char> bytes = good;
        // Damage a few header bytes, then cut the picture anywhere.
        const int damage = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < damage; ++i) {
            bytes[random() % kDibHeaderSize] = static_cast<unsigned char>(random());
        }
        std::size_t size = random() % (bytes.size() + 1);
        std::vector<unsigned char> exact(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
        exact.shrink_to_fit();
        const std::optional<DibLayout> layout = ParseDib(exact.data(), exact.size());
        if (!layout) {
            continue;
        }
        ++accepted;
        ASSERT_LE(layout->totalBytes, size) << "round " << round;
        ASSERT_LE(layout->colorCount, 256) << "round " << round;
        ASSERT_EQ(layout->pixelOffset, kDibHeaderSize + 4 * static_cast<std::size_t>(layout->colorCount));
        ASSERT_EQ(layout->totalBytes,
                  layout->pixelOffset + layout->rowBytes * static_cast<std::size_t>(layout->header.height));
        // The last pixel byte is readable: the sanitizers would catch it otherwise.
        volatile unsigned char last = exact[layout->totalBytes - 1];
        (void)last;
    }
    // Damage that misses the checked fields leaves the picture drawable.
    EXPECT_GT(accepted, 0);
}
