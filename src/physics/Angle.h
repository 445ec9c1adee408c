#pragma once

#include <cmath>

// Degrees (0 to 180) of the angle whose cosine this is. Rounding can push a computed cosine a
// hair past either end, where the arc cosine would be no number at all.
inline float degreesFromCosine(float cosine) {
    constexpr double degreesPerRadian = 57.2957795;
    if (cosine > 1.0f) {
        cosine = 1.0f;
    }
    if (cosine < -1.0f) {
        cosine = -1.0f;
    }
    return static_cast<float>(std::acos(cosine) * degreesPerRadian);
}
