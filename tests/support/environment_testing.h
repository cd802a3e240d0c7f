// Shared by the randomised tests: numbers they take from the environment, such as the seed that replays a run.
#pragma once

#include <cstdlib>

// The environment variable `name` read as a decimal number, or `fallback`
// when it is not set.
inline unsigned long long EnvironmentNumber(const char* name, unsigned long long fallback) {
    const char* text = std::getenv(name);
    return text != nullptr ? std::strtoull(text, nullptr, 10) : fallback;
}
