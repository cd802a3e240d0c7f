// Test stand-in for the deal-failure message: records each request instead of showing a box.
#pragma once

#include <cstdint>
#include <vector>

// Owners of every ShowDealFailure call since the last clear, in order.
extern std::vector<intptr_t> recordedDealFailures;
