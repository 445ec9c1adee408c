#pragma once

#include <cstdint>

// The dealer's random numbers: a linear congruential generator with fixed arithmetic
// (x <- x * 214013 + 2531011 mod 2^32, result bits 16..30), so every run on every platform deals
// the same pieces. The game never reseeds it; tests reset it to replay the deal.
class DealGenerator {
public:
    static constexpr std::uint32_t initialState = 1;

    constexpr DealGenerator() = default;

    // The next value, 0 to 32767.
    int next() {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 32767u);
    }

    void reset(std::uint32_t seed = initialState) { state = seed; }
    // Where the deal stands: reset to it, the same pieces follow (a replay's seed).
    std::uint32_t seed() const { return state; }

private:
    std::uint32_t state = initialState;
};

// Constant-initialised, so it is ready before any static constructor could deal.
extern DealGenerator dealGenerator;
