// Checks arcCos against a more precise arc cosine for every float in [-1, 1] (about 2.1e9 of
// them; a few minutes on two cores) and counts where glibc's acosf differs from the correctly
// rounded result. The reference is the x87's long double acosl; where its value lies too near the
// halfway point between two floats to decide the rounding, quad precision decides.
//   arc_cos_check [threads]
#include "physics/ArcCos.h"

#include <quadmath.h>

#include <atomic>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

namespace {

float fromBits(std::uint32_t b) {
    float f;
    std::memcpy(&f, &b, sizeof f);
    return f;
}

std::uint32_t bitsOf(float f) {
    std::uint32_t b;
    std::memcpy(&b, &f, sizeof b);
    return b;
}

struct Tally {
    std::uint64_t checked = 0;
    std::uint64_t wrong = 0;       // arcCos differs from the reference
    std::uint64_t libmDiffers = 0; // acosf differs from the reference
    std::uint64_t close = 0;       // decided by quad precision
    long double nearest = 1.0L;    // nearest approach to a halfway point, in float steps
    float nearestAt = 0.0f;
};

std::mutex printing;

// The reference, correctly rounded: the long double result unless it lies within 2^-20 of a
// float step of a halfway point (acosl is good to a few parts in 2^64, that is 2^-38 steps).
float reference(float x, Tally& tally) {
    const long double r = acosl(static_cast<long double>(x));
    const float f = static_cast<float>(r);
    if (f == 0.0f) {
        return f;
    }
    const float other = r > f ? std::nextafter(f, 4.0f) : std::nextafter(f, 0.0f);
    const long double step = std::fabs(static_cast<long double>(other) - f);
    const long double halfway = (static_cast<long double>(f) + other) / 2;
    const long double distance = std::fabs(r - halfway) / step;
    if (distance < tally.nearest) {
        tally.nearest = distance;
        tally.nearestAt = x;
    }
    if (distance > 0x1p-20L) {
        return f;
    }
    ++tally.close;
    const float decided = static_cast<float>(acosq(static_cast<__float128>(x)));
    if (distance < 0x1p-27L) { // the hardest cases, for tests/physics/arc_cos_test.cpp
        std::lock_guard<std::mutex> lock(printing);
        std::printf("hard %a -> %a (%Lg steps from halfway)\n", x, decided, distance);
    }
    return decided;
}

void check(std::uint32_t first, std::uint32_t last, Tally& tally) {
    for (std::uint64_t b = first; b <= last; ++b) {
        for (std::uint32_t sign : {0u, 0x80000000u}) {
            const float x = fromBits(static_cast<std::uint32_t>(b) | sign);
            const float ours = arcCos(x);
            const float expected = reference(x, tally);
            ++tally.checked;
            if (bitsOf(ours) != bitsOf(expected)) {
                ++tally.wrong;
                std::lock_guard<std::mutex> lock(printing);
                std::printf("WRONG %a: arcCos %a, correctly rounded %a\n", x, ours, expected);
            }
            if (bitsOf(std::acos(x)) != bitsOf(expected)) {
                ++tally.libmDiffers;
            }
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    const unsigned threads = argc > 1 ? static_cast<unsigned>(std::atoi(argv[1])) : 2u;
    const std::uint32_t one = 0x3F800000u; // 1.0f: the positive floats up to it are 0 ... one
    std::vector<Tally> tallies(threads);
    std::vector<std::thread> workers;
    const std::uint32_t share = one / threads + 1;
    for (unsigned i = 0; i < threads; ++i) {
        const std::uint32_t first = i * share;
        const std::uint32_t last = i + 1 == threads ? one : first + share - 1;
        workers.emplace_back(check, first, last, std::ref(tallies[i]));
    }
    Tally all;
    for (unsigned i = 0; i < threads; ++i) {
        workers[i].join();
        all.checked += tallies[i].checked;
        all.wrong += tallies[i].wrong;
        all.libmDiffers += tallies[i].libmDiffers;
        all.close += tallies[i].close;
        if (tallies[i].nearest < all.nearest) {
            all.nearest = tallies[i].nearest;
            all.nearestAt = tallies[i].nearestAt;
        }
    }
    std::printf("checked %" PRIu64 " floats in [-1, 1]\n", all.checked);
    std::printf("arcCos not correctly rounded: %" PRIu64 "\n", all.wrong);
    std::printf("glibc acosf not correctly rounded: %" PRIu64 "\n", all.libmDiffers);
    std::printf("decided in quad precision: %" PRIu64 "; nearest to halfway: %Lg float steps "
                "at %a\n",
                all.close, all.nearest, all.nearestAt);
    return all.wrong == 0 ? 0 : 1;
}
