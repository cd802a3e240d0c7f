// Test stand-in for the deal-failure message: records each request instead of showing a box.
#include "tests/support/deal_platform_recorder.h"

#include "deal/deal_platform.h"

std::vector<intptr_t> recordedDealFailures;

void ShowDealFailure(intptr_t ownerWindow) { recordedDealFailures.push_back(ownerWindow); }
