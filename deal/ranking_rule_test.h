// The ranking rule written out literally, for tests that check faster code against it.
#pragma once

#include <vector>

// Each entry's rank: count the smaller draws, then, entry by entry in index
// order, step up every other entry that equals it.
inline std::vector<int> LiteralRanks(const std::vector<int>& draws) {
    const int n = static_cast<int>(draws.size());
    std::vector<int> values(n, 0);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) values[i] += draws[j] < draws[i];
    }
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            if (j != i && values[j] == values[i]) ++values[j];
        }
    }
    return values;
}
