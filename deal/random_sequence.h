// The random sequence the deal generator draws from, and the interface that lets tests script it.
#pragma once

#include <cstdint>

// Anything that yields 15-bit draws 0..32767.
class DrawSource {
public:
    virtual ~DrawSource() = default;
    virtual int Draw() = 0;
};

// The C runtime's classic linear congruential sequence: state = state x 214013
// + 2531011 (mod 2^32), each draw yields bits 16 to 30 of the new state.
class RandomSequence final : public DrawSource {
public:
    explicit RandomSequence(uint32_t seed = 1) : state_(seed) {}
    void Seed(uint32_t seed) { state_ = seed; }
    int Draw() override {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7fffu);
    }

private:
    uint32_t state_;
};
