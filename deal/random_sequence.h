// The random sequence the deal generator draws from, and the interface that lets tests script it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// Anything that yields 15-bit draws 0..32767.
class DrawSource {
public:
    virtual ~DrawSource() = default;
    virtual int Draw() = 0;
    // Fills `draws` with the next draws in order, as that many Draw() calls would.
    virtual void DrawMany(std::span<int> draws) {
        for (int& draw : draws) draw = Draw();
    }
};

// The C runtime's classic linear congruential sequence: state = state x 214013
// + 2531011 (mod 2^32), each draw yields bits 16 to 30 of the new state.
class RandomSequence final : public DrawSource {
public:
    explicit RandomSequence(uint32_t seed = 1) : state_(seed) {}
    void Seed(uint32_t seed) { state_ = seed; }
    int Draw() override {
        state_ = Step(state_, kStep);
        return Bits(state_);
    }
    // A block at a time: each draw of a block is one jump from the state before
    // the block, so the block's multiplies do not wait on each other.
    void DrawMany(std::span<int> draws) override {
        uint32_t state = state_;
        std::size_t next = 0;
        for (; next + kBlock <= draws.size(); next += kBlock) {
            for (std::size_t k = 0; k < kBlock; ++k) draws[next + k] = Bits(Step(state, kJumps[k]));
            state = Step(state, kJumps[kBlock - 1]);
        }
        for (; next < draws.size(); ++next) {
            state = Step(state, kStep);
            draws[next] = Bits(state);
        }
        state_ = state;
    }

private:
    // state -> state x multiplier + increment.
    struct Jump {
        uint32_t multiplier;
        uint32_t increment;
    };
    static constexpr Jump kStep{214013u, 2531011u};
    static constexpr std::size_t kBlock = 4;
    // kJumps[k] advances k + 1 steps at once.
    static constexpr std::array<Jump, kBlock> kJumps = [] {
        std::array<Jump, kBlock> jumps{kStep};
        for (std::size_t k = 1; k < kBlock; ++k) {
            jumps[k] = {jumps[k - 1].multiplier * kStep.multiplier,
                        jumps[k - 1].increment * kStep.multiplier + kStep.increment};
        }
        return jumps;
    }();

    static constexpr uint32_t Step(uint32_t state, Jump jump) { return state * jump.multiplier + jump.increment; }
    static constexpr int Bits(uint32_t state) { return static_cast<int>((state >> 16) & 0x7fffu); }

    uint32_t state_;
};
