// The deal generator: plays a random game forwards on the empty arrangement so every deal can be solved.
#pragma once

#include <cstdint>

#include "deal/random_sequence.h"

constexpr int kMaxDealAttempts = 1000;
constexpr int kMissBudget = 1000;     // misses allowed per counter and attempt
constexpr int kRandomPairs = 67;      // pairs chosen by random draws; the rest by scanning

// Fills values[0..n-1] with a random order of 0..n-1: each entry is the rank
// of its draw, and among equal draws the lower index gets the lower rank.
void RandomRanks(int* values, int n, DrawSource& random);

// 1 when the slot could be dealt now: the freedom rule under currentArrangement,
// with a slot counted as gone once it has been dealt (pair 0 or more).
// Does not look at the slot itself; 0 for a slot or arrangement out of range.
int IsSlotPlaceable(int slot);

// One attempt: resets the slot table and deals all 72 pairs, pair 71 first.
// 1 when the table holds a complete deal, 0 when the attempt failed.
int TryBuildDeal(DrawSource& random);

// Up to 1000 attempts on one sequence; the number of the successful attempt
// (1..1000), or 0 when every attempt failed.
int RunDealAttempts(DrawSource& random);

// Builds a new deal for currentArrangement and harderDeal from the given seed
// (the game passes the clock in whole seconds). 1 on success; after 1000
// failed attempts the player is told, with the message box owned by
// ownerWindow, and the result is 0.
int BuildDeal(intptr_t ownerWindow, uint32_t seed);
