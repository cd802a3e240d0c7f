// The random sequence and the ranking rule.
#include "deal/random_sequence.h"

#include <gtest/gtest.h>

#include <vector>

#include "deal/deal_generator.h"
#include "deal/ranking_rule_test.h"

namespace {

// Draws from a fixed list, so a test decides every value.
class ListSource final : public DrawSource {
public:
    explicit ListSource(std::vector<int> values) : values_(std::move(values)) {}
    int Draw() override { return values_.at(next_++); }

private:
    std::vector<int> values_;
    size_t next_ = 0;
};

std::vector<int> FastRanks(const std::vector<int>& draws) {
    ListSource source(draws);
    std::vector<int> values(draws.size(), -1);
    RandomRanks(values.data(), static_cast<int>(values.size()), source);
    return values;
}

}  // namespace

TEST(RandomSequence, MatchesTheClassicRuntimeSequence) {
    RandomSequence random(1);
    for (int expected : {41, 18467, 6334, 26500, 19169}) EXPECT_EQ(random.Draw(), expected);
    random.Seed(1);
    EXPECT_EQ(random.Draw(), 41);
}

// Batches of every length around the block size, and a line's worth, in a
// row: each must carry on exactly where the one-at-a-time sequence is.
TEST(RandomSequence, DrawManyContinuesTheSequence) {
    RandomSequence batched(0x9e3779b9u);
    RandomSequence single(0x9e3779b9u);
    for (size_t length : {0, 1, 2, 3, 4, 5, 7, 8, 9, 640, 13}) {
        std::vector<int> draws(length, -1);
        batched.DrawMany(draws);
        for (size_t k = 0; k < length; ++k) ASSERT_EQ(draws[k], single.Draw()) << "length " << length << " draw " << k;
    }
    EXPECT_EQ(batched.Draw(), single.Draw());
    // The interface's own loop, for sources that keep it.
    ListSource list({4, 5, 6, 7});
    std::vector<int> draws(3);
    list.DrawMany(draws);
    EXPECT_EQ(draws, (std::vector<int>{4, 5, 6}));
    EXPECT_EQ(list.Draw(), 7);
}

TEST(RandomSequence, StaysWithin15Bits) {
    RandomSequence random(0xdeadbeef);
    for (int i = 0; i < 100000; ++i) {
        const int value = random.Draw();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 32767);
    }
}

TEST(RandomRanks, EqualDrawsRankInIndexOrder) {
    const std::vector<int> ranks = FastRanks(std::vector<int>(72, 1234));
    for (int i = 0; i < 72; ++i) EXPECT_EQ(ranks[i], i);
}

TEST(RandomRanks, AgreesWithTheLiteralRule) {
    const uint32_t seed = 20261208;
    RandomSequence random(seed);
    // Narrow ranges force heavy ties; 15 bits gives the usual few; sizes above
    // 128 take the ranking's heap path.
    for (int trial = 0; trial < 3000; ++trial) {
        const int n = 1 + random.Draw() % 200;
        const int range = (trial % 4 == 0) ? 2 : (trial % 4 == 1) ? 17 : (trial % 4 == 2) ? 100 : 32768;
        std::vector<int> draws(n);
        for (int& draw : draws) draw = random.Draw() % range;
        ASSERT_EQ(FastRanks(draws), LiteralRanks(draws))
            << "seed " << seed << " trial " << trial << " n " << n << " range " << range;
    }
}

TEST(RandomRanks, IsAPermutation) {
    const std::vector<int> ranks = FastRanks({5, 3, 5, 0, 32767, 3, 3});
    EXPECT_EQ(ranks, (std::vector<int>{4, 1, 5, 0, 6, 2, 3}));
}
