#pragma once

#include <cstdint>

// The random player's own generator (SplitMix64): fixed arithmetic, no library distributions, so
// a seed plays the same game with every compiler and standard library.
class MonkeyRandom {
public:
    // The seed is scrambled first: seeds that start a plain count apart would otherwise play the
    // same sequence shifted by a few numbers.
    explicit MonkeyRandom(std::uint64_t seed) : state(scramble(seed ^ 0x6A09E667F3BCC909ull)) {}

    std::uint64_t next() { return scramble(state += 0x9E3779B97F4A7C15ull); }

    // 0 to n - 1 (n > 0).
    int below(std::uint64_t n) { return static_cast<int>(next() % n); }

    // Uniform in [0, 1).
    double unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }

    float between(float low, float high) { return static_cast<float>(low + (high - low) * unit()); }

    bool chance(double p) { return unit() < p; }

private:
    static std::uint64_t scramble(std::uint64_t z) {
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    std::uint64_t state;
};
