// Random play: a seeded run of every kind of action a player has, with the rules' invariants checked after each one.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <thread>

#include "play/answer.h"
#include "play/game_commands.h"
#include "play/hint.h"
#include "play/undo.h"
#include "tests/support/environment_testing.h"
#include "tests/support/play_board_testing.h"

namespace {

using namespace play_test;

// What must hold on every reachable board; empty when all does.
std::string BrokenInvariant() {
    int perState[80] = {};
    int kindOfState[80] = {};
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const TileSlot& tile = tileSlots[slot];
        if (tile.state < 0 || tile.state >= 80) return "state out of range";
        if (tile.state >= 2) {
            if (perState[tile.state]++ == 1 && kindOfState[tile.state] != KindOfFace(tile.face)) {
                return "a taken pair of two kinds";
            }
            kindOfState[tile.state] = KindOfFace(tile.face);
        }
        if ((tile.state >= 2) == RecordedTileShown(slot)) return "slot " + std::to_string(slot) + " shown while taken or hidden on the board";
    }
    const int taken = TakenPairs();
    for (int state = 2; state < 80; ++state) {
        if (perState[state] != (state < 2 + taken ? 2 : 0)) return "ages not 2, 3, ... two by two";
    }
    int selectedOfKind[kKindCount] = {};
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (tileSlots[slot].state == 1 && ++selectedOfKind[KindOfFace(tileSlots[slot].face)] == 2) {
            return "two selected tiles match";
        }
        const unsigned char* face = FacePixels(tileSlots[slot].face);
        const bool yellow = std::memchr(face + kLookFirstOffset, LookAnswer, kLookEndOffset - kLookFirstOffset) != nullptr;
        if (yellow && (gameState.answerMode != 1 || tileSlots[slot].pair != gameState.answerStep)) {
            return "yellow on slot " + std::to_string(slot) + " off the answer's pair";
        }
    }
    return "";
}

// When the taken pairs are the answer's first ones, the rest of the answer
// must still clear the board, each pair free at its turn.
std::string BrokenAnswer() {
    const int taken = TakenPairs();
    for (const TileSlot& tile : tileSlots) {
        if ((tile.state >= 2) != (tile.pair >= kPairCount - taken)) return "";
    }
    int state[kSlotCount];
    for (int slot = 0; slot < kSlotCount; ++slot) state[slot] = tileSlots[slot].state >= 2 ? 2 : 0;
    const auto isGone = [&state](int slot) { return slot == kNoSlot || state[slot] >= 2; };
    for (int pair = kPairCount - 1 - taken; pair >= 0; --pair) {
        const std::vector<int> slots = SlotsOfPair(pair);
        for (int slot : slots) {
            if (!IsFreeUnder(RelationsOf(currentArrangement, slot), isGone)) {
                return "answer pair " + std::to_string(pair) + " not free at its turn";
            }
        }
        for (int slot : slots) state[slot] = 2;
    }
    return "";
}

void RunHintToItsEnd() {
    StartHint();
    while (HintIsRunning() == 1) std::this_thread::yield();
    StopHint();
}

// The thread sanitizer makes each action some 25 times slower; the plain
// host build runs the full length.
#if defined(__SANITIZE_THREAD__)
constexpr long kDefaultActions = 10000;
#else
constexpr long kDefaultActions = 100000;
#endif

TEST(RandomPlay, EveryActionKeepsTheBoardConsistentAndTheAnswerSound) {
    // ZMR_RANDOM_ACTIONS sets the length (the benchmark command runs 10^6),
    // ZMR_RANDOM_SEED replays a run.
    const auto actions = static_cast<long>(EnvironmentNumber("ZMR_RANDOM_ACTIONS", kDefaultActions));
    const auto seed = static_cast<unsigned>(EnvironmentNumber("ZMR_RANDOM_SEED", std::random_device{}()));
    std::printf("random play: seed %u, %ld actions (ZMR_RANDOM_SEED replays)\n", seed, actions);
    std::mt19937 random(seed);
    hintTiming = {std::chrono::milliseconds(0), std::chrono::milliseconds(0)};
    ASSERT_TRUE(Deal(1 + static_cast<int>(random() % 4), random(), static_cast<int>(random() % 2)));
    gameState.soundOn = static_cast<int>(random() % 2);

    const auto started = std::chrono::steady_clock::now();
    for (long n = 0; n < actions; ++n) {
        const unsigned roll = random() % 100;
        if (roll < 60) {
            ClickTile(static_cast<int>(random() % kSlotCount));
        } else {
            RunCommandPrologue();
            if (roll < 70) {
                UndoMove();
            } else if (roll < 74) {
                UndoBackToCell(static_cast<int>(random() % 72), UndoMove);
            } else if (roll < 76) {
                RestartDeal();
            } else if (roll < 78) {
                NewGame(0, random());
            } else if (roll < 79) {
                RunHintToItsEnd();
            } else if (roll < 80) {
                const int previous = currentArrangement;
                currentArrangement = 1 + static_cast<int>(random() % 4);
                harderDeal = static_cast<int>(random() % 2);
                ApplyChosenArrangement(previous, 0, random());
            } else if (roll < 82) {
                StartAnswer();
            } else {
                TakeAnswerPair();
            }
        }
        ForgetRecordedCalls();
        std::string broken = BrokenInvariant();
        if (broken.empty()) broken = BrokenAnswer();
        ASSERT_EQ(broken, "") << "after action " << n << ", seed " << seed;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("random play: %.0f actions per second\n", static_cast<double>(actions) / seconds);
    hintTiming = HintTiming{};
}

}  // namespace
