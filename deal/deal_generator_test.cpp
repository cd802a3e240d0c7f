// The deal generator: solvable deals, their answer, the face orders, the miss budget and failure.
#include "deal/deal_generator.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "board/freedom.h"
#include "board/tile_slots.h"
#include "deal/ranking_rule_test.h"
#include "tests/support/deal_platform_recorder.h"

namespace {

// Plays a script of draws, then carries on with the real sequence.
class ScriptedSource final : public DrawSource {
public:
    ScriptedSource(std::vector<int> script, uint32_t seed) : script_(std::move(script)), rest_(seed) {}
    int Draw() override {
        ++drawn_;
        return next_ < script_.size() ? script_[next_++] : rest_.Draw();
    }
    long drawn() const { return drawn_; }

private:
    std::vector<int> script_;
    size_t next_ = 0;
    RandomSequence rest_;
    long drawn_ = 0;
};

// A source that only ever names slot 0, which in arrangement C always has a cover.
class CoveredSlotSource final : public DrawSource {
public:
    int Draw() override {
        ++drawn;
        return 144;
    }
    long drawn = 0;
};

class DealTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (TileSlot& slot : tileSlots) slot = TileSlot{};
        recordedDealFailures.clear();
    }
    void TearDown() override {
        currentArrangement = 0;
        harderDeal = 0;
    }
};

// The slots of each pair number, after a deal.
std::array<std::vector<int>, kPairCount> SlotsByPair() {
    std::array<std::vector<int>, kPairCount> slots;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const int pair = tileSlots[slot].pair;
        if (pair >= 0 && pair < kPairCount) slots[pair].push_back(slot);
    }
    return slots;
}

int BaseFace(const std::vector<int>& pairSlots) {
    const int a = tileSlots[pairSlots[0]].face;
    const int b = tileSlots[pairSlots[1]].face;
    return a < b ? a : b;
}

// Checks the table's invariants and replays the answer from the full board:
// each pair, 71 first, must be free at its turn. Returns the failures seen.
::testing::AssertionResult DealIsSound() {
    std::array<int, kKindCount> kinds{};
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const TileSlot& s = tileSlots[slot];
        if (s.placed != 1 || s.state != 0) return ::testing::AssertionFailure() << "slot " << slot << " not dealt";
        if (s.face < 0 || s.face >= kSlotCount) return ::testing::AssertionFailure() << "face " << s.face;
        ++kinds[KindOfFace(s.face)];
    }
    for (int kind = 0; kind < kKindCount; ++kind) {
        if (kinds[kind] != 4) return ::testing::AssertionFailure() << "kind " << kind << " x" << kinds[kind];
    }
    const auto pairs = SlotsByPair();
    for (int pair = 0; pair < kPairCount; ++pair) {
        if (pairs[pair].size() != 2) return ::testing::AssertionFailure() << "pair " << pair << " size";
        const int a = tileSlots[pairs[pair][0]].face;
        const int b = tileSlots[pairs[pair][1]].face;
        if (a - b != 72 && b - a != 72) return ::testing::AssertionFailure() << "pair " << pair << " faces";
    }
    for (int pair = kPairCount - 1; pair >= 0; --pair) {
        for (int slot : pairs[pair]) {
            if (!IsTileFree(slot)) return ::testing::AssertionFailure() << "pair " << pair << " slot " << slot << " not free";
        }
        for (int slot : pairs[pair]) tileSlots[slot].state = 2;
    }
    for (TileSlot& slot : tileSlots) slot.state = 0;
    return ::testing::AssertionSuccess();
}

// The generator written out step by step, as slowly and plainly as the rules
// read: the fast one must deal exactly the same tiles for every seed.
std::vector<int> DrawLiteralRanks(int n, DrawSource& random) {
    std::vector<int> draws(n);
    for (int& draw : draws) draw = random.Draw();
    return LiteralRanks(draws);
}

int LiteralTryBuildDeal(DrawSource& random) {
    std::vector<int> faceOrder;
    if (harderDeal == 0) {
        faceOrder = DrawLiteralRanks(72, random);
    } else {
        const std::vector<int> a = DrawLiteralRanks(36, random);
        const std::vector<int> b = DrawLiteralRanks(36, random);
        faceOrder = a;
        for (int k = 0; k < 36; ++k) faceOrder.push_back(b[k] + 36);
    }
    for (TileSlot& slot : tileSlots) {
        slot.state = 0;
        slot.pair = -1;
        slot.placed = 0;
        slot.face = 0;
    }
    int firstMisses = 0;
    int secondMisses = 0;
    for (int p = 0; p < 72; ++p) {
        int c = -1;
        if (p < 67) {
            for (;;) {
                c = random.Draw() % 144;
                if (tileSlots[c].placed == 0 && IsSlotPlaceable(c)) break;
                if (++firstMisses > 1000) return 0;
            }
        } else {
            for (int s = 143; s >= 0 && c < 0; --s) {
                if (tileSlots[s].placed == 0 && IsSlotPlaceable(s)) c = s;
            }
            if (c < 0) return 0;
        }
        int d = -1;
        if (p < 67) {
            for (;;) {
                d = random.Draw() % 144;
                if (d != c && tileSlots[d].placed == 0 && IsSlotPlaceable(d)) break;
                if (++secondMisses > 1000) return 0;
            }
        } else {
            for (int s = 143; s >= 0 && d < 0; --s) {
                if (s != c && tileSlots[s].placed == 0 && IsSlotPlaceable(s)) d = s;
            }
            if (d < 0) return 0;
        }
        tileSlots[c].placed = tileSlots[d].placed = 1;
        tileSlots[c].pair = tileSlots[d].pair = 71 - p;
        tileSlots[c].face = faceOrder[p];
        tileSlots[d].face = faceOrder[p] + 72;
    }
    return 1;
}

}  // namespace

TEST_F(DealTest, DealsExactlyAsTheLiteralRulesDo) {
    constexpr uint32_t firstSeed = 1700000000;
    std::printf("seeds %u to %u\n", firstSeed, firstSeed + 999);
    for (int arrangement = 1; arrangement <= kArrangementCount; ++arrangement) {
        for (int mode = 0; mode <= 1; ++mode) {
            currentArrangement = arrangement;
            harderDeal = mode;
            for (uint32_t seed = firstSeed; seed < firstSeed + 1000; ++seed) {
                RandomSequence literal(seed);
                int literalResult = 0;
                for (int attempt = 0; attempt < kMaxDealAttempts && !literalResult; ++attempt) {
                    literalResult = LiteralTryBuildDeal(literal);
                }
                const auto expected = std::to_array(tileSlots);
                ASSERT_EQ(BuildDeal(0, seed), literalResult);
                for (int slot = 0; slot < kSlotCount; ++slot) {
                    ASSERT_EQ(tileSlots[slot].pair, expected[slot].pair)
                        << "arrangement " << arrangement << " mode " << mode << " seed " << seed << " slot " << slot;
                    ASSERT_EQ(tileSlots[slot].face, expected[slot].face)
                        << "arrangement " << arrangement << " mode " << mode << " seed " << seed << " slot " << slot;
                }
            }
        }
    }
}

TEST_F(DealTest, TenThousandSeedsInEveryArrangementAndModeDealAndReplay) {
    constexpr uint32_t firstSeed = 1765000000;  // clock-like seeds
    constexpr int seeds = 10000;
    std::printf("seeds %u to %u\n", firstSeed, firstSeed + seeds - 1);
    for (int arrangement = 1; arrangement <= kArrangementCount; ++arrangement) {
        for (int mode = 0; mode <= 1; ++mode) {
            currentArrangement = arrangement;
            harderDeal = mode;
            for (uint32_t seed = firstSeed; seed < firstSeed + seeds; ++seed) {
                for (TileSlot& slot : tileSlots) slot.window = static_cast<int32_t>(seed);
                ASSERT_EQ(BuildDeal(0, seed), 1) << "arrangement " << arrangement << " mode " << mode << " seed " << seed;
                ASSERT_TRUE(DealIsSound()) << "arrangement " << arrangement << " mode " << mode << " seed " << seed;
                ASSERT_EQ(tileSlots[77].window, static_cast<int32_t>(seed)) << "a deal touched a window field";
            }
        }
    }
    EXPECT_TRUE(recordedDealFailures.empty());
}

TEST_F(DealTest, FaceOrdersByMode) {
    for (int mode = 0; mode <= 1; ++mode) {
        currentArrangement = 2;
        harderDeal = mode;
        for (uint32_t seed = 1; seed <= 200; ++seed) {
            ASSERT_EQ(BuildDeal(0, seed), 1);
            const auto pairs = SlotsByPair();
            std::array<int, kPairCount> baseFaces{};
            std::array<int, kKindCount> early{};
            std::array<int, kKindCount> late{};
            for (int pair = 0; pair < kPairCount; ++pair) {
                const int base = BaseFace(pairs[pair]);
                ASSERT_LT(base, kPairCount);
                ++baseFaces[base];
                if (mode == 1) {
                    // The first 36 pairs taken carry base faces 0..35, the last 36 carry 36..71.
                    EXPECT_EQ(pair >= 36, base < 36) << "seed " << seed << " pair " << pair;
                    ++(pair >= 36 ? early : late)[KindOfFace(base)];
                }
            }
            for (int count : baseFaces) EXPECT_EQ(count, 1) << "seed " << seed;
            if (mode == 1) {
                for (int kind = 0; kind < kKindCount; ++kind) {
                    EXPECT_EQ(early[kind], 1);
                    EXPECT_EQ(late[kind], 1);
                }
            }
        }
    }
}

// The last five pairs are not drawn: each takes the two highest-numbered slots
// that were open when it was chosen, the higher one first.
TEST_F(DealTest, LastFivePairsTakeTheHighestOpenSlots) {
    for (int arrangement = 1; arrangement <= kArrangementCount; ++arrangement) {
        currentArrangement = arrangement;
        for (uint32_t seed = 500; seed < 700; ++seed) {
            ASSERT_EQ(BuildDeal(0, seed), 1);
            const auto pairs = SlotsByPair();
            for (int pair = 4; pair >= 0; --pair) {
                // While pair `pair` was chosen, the slots of higher pairs were dealt.
                std::vector<int> open;
                for (int slot = kSlotCount - 1; slot >= 0 && open.size() < 2; --slot) {
                    const bool unplaced = tileSlots[slot].pair <= pair;
                    const bool free = IsFreeUnder(RelationsOf(arrangement, slot),
                                                  [pair](int other) { return other == kNoSlot || tileSlots[other].pair > pair; });
                    if (unplaced && free) open.push_back(slot);
                }
                ASSERT_EQ(open.size(), 2u);
                EXPECT_EQ(open[0], std::max(pairs[pair][0], pairs[pair][1])) << "seed " << seed << " pair " << pair;
                EXPECT_EQ(open[1], std::min(pairs[pair][0], pairs[pair][1])) << "seed " << seed << " pair " << pair;
                EXPECT_EQ(tileSlots[open[0]].face, tileSlots[open[1]].face - 72) << "first tile gets the base face";
            }
        }
    }
}

TEST_F(DealTest, SameSeedSameDeal) {
    currentArrangement = 4;
    harderDeal = 1;
    ASSERT_EQ(BuildDeal(0, 1234567), 1);
    const auto first = std::to_array(tileSlots);
    ASSERT_EQ(BuildDeal(0, 7654321), 1);
    bool differs = false;
    for (int slot = 0; slot < kSlotCount; ++slot) differs |= tileSlots[slot].face != first[slot].face;
    EXPECT_TRUE(differs);
    ASSERT_EQ(BuildDeal(0, 1234567), 1);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_EQ(tileSlots[slot].face, first[slot].face);
        EXPECT_EQ(tileSlots[slot].pair, first[slot].pair);
    }
}

TEST_F(DealTest, PlaceableAgreesWithFreeOnEverySlot) {
    RandomSequence random(99);
    for (int arrangement = 1; arrangement <= kArrangementCount; ++arrangement) {
        currentArrangement = arrangement;
        for (int trial = 0; trial < 200; ++trial) {
            for (TileSlot& slot : tileSlots) {
                const bool gone = random.Draw() % 3 == 0;
                slot.state = gone ? 2 + random.Draw() % 5 : random.Draw() % 2;
                slot.pair = gone ? random.Draw() % 72 : -1;
            }
            for (int slot = 0; slot < kSlotCount; ++slot) {
                ASSERT_EQ(IsSlotPlaceable(slot), IsTileFree(slot)) << arrangement << "/" << slot;
            }
        }
    }
    for (int bad : {0, 5}) {
        currentArrangement = bad;
        for (int slot = 0; slot < kSlotCount; ++slot) EXPECT_EQ(IsSlotPlaceable(slot), 0);
    }
    currentArrangement = 1;
    EXPECT_EQ(IsSlotPlaceable(-1), 0);
    EXPECT_EQ(IsSlotPlaceable(144), 0);
}

// Arrangement A: slot 13 lies under 87 and is never open on an empty board;
// slot 143 always is. 144 + 13 names slot 13 through the modulo.
TEST_F(DealTest, FirstTileMissBudget) {
    currentArrangement = 1;
    for (int misses : {1000, 1001}) {
        std::vector<int> script(72, 0);
        script.insert(script.end(), misses, 144 + 13);
        script.push_back(143);
        ScriptedSource source(script, 42);
        const int result = TryBuildDeal(source);
        if (misses == 1000) {
            EXPECT_EQ(tileSlots[143].pair, 71) << "the attempt went on after 1000 misses";
        } else {
            EXPECT_EQ(result, 0);
            EXPECT_EQ(source.drawn(), 72 + 1001) << "the 1001st miss ends the attempt";
            EXPECT_EQ(tileSlots[143].pair, -1);
        }
    }
}

// The second-tile counter runs over the whole attempt, not per pair; drawing
// the first tile again counts as a miss.
TEST_F(DealTest, SecondTileMissBudgetSpansPairs) {
    currentArrangement = 1;
    for (int secondPairMisses : {400, 401}) {
        std::vector<int> script(72, 0);
        script.push_back(143);                     // pair 71, first tile
        script.insert(script.end(), 600, 143);     // 600 misses: the first tile again
        script.push_back(0);                       // pair 71, second tile
        script.push_back(11);                      // pair 70, first tile
        script.insert(script.end(), secondPairMisses, 13);
        script.push_back(12);                      // pair 70, second tile
        ScriptedSource source(script, 7);
        const int result = TryBuildDeal(source);
        EXPECT_EQ(tileSlots[143].pair, 71);
        EXPECT_EQ(tileSlots[0].pair, 71);
        if (secondPairMisses == 400) {
            EXPECT_EQ(tileSlots[12].pair, 70) << "1000 misses in all still go on";
        } else {
            EXPECT_EQ(result, 0);
            EXPECT_EQ(tileSlots[12].pair, -1);
        }
    }
}

TEST_F(DealTest, AThousandFailedAttemptsTellThePlayerOnce) {
    currentArrangement = 3;
    CoveredSlotSource covered;
    EXPECT_EQ(RunDealAttempts(covered), 0);
    EXPECT_EQ(covered.drawn, 1000L * (72 + 1001)) << "exactly 1000 attempts";
    EXPECT_TRUE(recordedDealFailures.empty()) << "only BuildDeal tells the player";

    currentArrangement = 5;  // nothing is ever placeable
    EXPECT_EQ(BuildDeal(4242, 1), 0);
    ASSERT_EQ(recordedDealFailures.size(), 1u);
    EXPECT_EQ(recordedDealFailures[0], 4242);
}

TEST_F(DealTest, AttemptResetsTheTableButKeepsWindows) {
    currentArrangement = 3;
    for (int slot = 0; slot < kSlotCount; ++slot) tileSlots[slot] = {slot + 1000, 5, 9, 1, 99};
    CoveredSlotSource covered;
    EXPECT_EQ(TryBuildDeal(covered), 0);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_EQ(tileSlots[slot].window, slot + 1000);
        EXPECT_EQ(tileSlots[slot].state, 0);
        EXPECT_EQ(tileSlots[slot].pair, -1);
        EXPECT_EQ(tileSlots[slot].placed, 0);
        EXPECT_EQ(tileSlots[slot].face, 0);
    }
}
