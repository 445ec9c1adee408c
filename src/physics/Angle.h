#pragma once

#include "physics/ArcCos.h"

// Degrees (0 to 180) of the angle whose cosine this is. Rounding can push a computed cosine a
// hair past either end, where the arc cosine would be no number at all. The arc cosine is our
// own: the chain adds these up every millisecond, and libm's differ between systems.
inline float degreesFromCosine(float cosine) {
    constexpr double degreesPerRadian = 57.2957795;
    if (cosine > 1.0f) {
        cosine = 1.0f;
    }
    if (cosine < -1.0f) {
        cosine = -1.0f;
    }
    return static_cast<float>(arcCos(cosine) * degreesPerRadian);
}
