#include "physics/ArcCos.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

// The arc sine is s + s³·P(s²) for s in [0, 1/2]; P is a degree-14 polynomial in s² whose error
// against the true quotient stays under 2^-63 on [0, 1/4] (a Chebyshev fit computed at 80
// digits). The result's own error then comes from rounding these coefficients and the Horner
// steps: about 2^-56 of the result, far inside the 2^-25 that decides a float's rounding.
constexpr double kAsin[] = {
    0x1.5555555555555p-3, 0x1.333333333332dp-4,  0x1.6db6db6db7c7fp-5, 0x1.f1c71c70ee54ap-6,
    0x1.6e8ba31c9dc09p-6, 0x1.1c4ebd7735bf2p-6,  0x1.c99afe79266f3p-7, 0x1.7a70c2a695fe0p-7,
    0x1.40e38d543d8d2p-7, 0x1.0a9849ba5937fp-7,  0x1.2031dbbbbad45p-7, 0x1.8f5a75293b096p-12,
    0x1.7184808eff5eep-6, -0x1.898d77b6dddb2p-6, 0x1.f74bdb0d4b5bep-6,
};

// π and π/2 as a double and the rest that double misses.
constexpr double kPiHi = 0x1.921fb54442d18p+1;
constexpr double kPiLo = 0x1.1a62633145c07p-53;

// s³·P(s²), the arc sine's part beyond s, given u = s².
double asinTail(double s, double u) {
    double p = kAsin[14];
    for (int i = 13; i >= 0; --i) {
        p = p * u + kAsin[i];
    }
    return s * u * p;
}

// hi + lo equals a + b exactly, hi being a + b rounded (Knuth).
void twoSum(double a, double b, double& hi, double& lo) {
    hi = a + b;
    const double bb = hi - a;
    lo = (a - (hi - bb)) + (b - bb);
}

// Veltkamp's split and Dekker's product: hi + lo equals a·a exactly, without a fused
// multiply-add (which not every target has, and which the build turns off).
void exactSquare(double a, double& hi, double& lo) {
    const double c = 134217729.0 * a; // 2^27 + 1
    const double ah = c - (c - a);
    const double al = a - ah;
    hi = a * a;
    lo = ((ah * ah - hi) + 2.0 * ah * al) + al * al;
}

// sqrt(t) as s + ds to about twice double's precision, and the arc sine of that sum.
void asinOfRoot(double t, double& hi, double& lo) {
    const double s = std::sqrt(t); // correctly rounded by IEEE, like + - * /
    if (s == 0.0) {
        hi = 0.0;
        lo = 0.0;
        return;
    }
    double sq;
    double sqLo;
    exactSquare(s, sq, sqLo);
    const double ds = ((t - sq) - sqLo) / (2.0 * s);
    const double u = s * s;
    // asin'(s) = 1/sqrt(1 - u) ≈ 1 + u/2 + 3u²/8 carries ds through the arc sine.
    twoSum(s, asinTail(s, u), hi, lo);
    lo += ds * (1.0 + u * (0.5 + 0.375 * u));
}

// hi + lo rounded once to float. hi is their sum rounded to double, so converting hi alone rounds
// the same way except when hi lies exactly halfway between two floats: then lo decides.
float roundToFloat(double hi, double lo) {
    double sum;
    double rest;
    twoSum(hi, lo, sum, rest);
    std::uint64_t bits;
    std::memcpy(&bits, &sum, sizeof bits);
    // Halfway in a positive normal float's range: the 29 bits double has beyond float read 1000...
    if ((bits & 0x1FFFFFFFu) == 0x10000000u && rest != 0.0) {
        if (rest > 0.0) {
            ++bits;
        } else {
            --bits;
        }
        std::memcpy(&sum, &bits, sizeof sum);
    }
    return static_cast<float>(sum);
}

} // namespace

float arcCos(float cosine) {
    if (!(cosine >= -1.0f && cosine <= 1.0f)) {
        return std::numeric_limits<float>::quiet_NaN();
    }
    const double x = cosine;
    double hi;
    double lo;
    if (x > 0.5) {
        // acos(x) = 2·asin(sqrt((1 - x)/2)); 1 - x and the halving are exact for a float x.
        asinOfRoot((1.0 - x) * 0.5, hi, lo);
        return roundToFloat(2.0 * hi, 2.0 * lo);
    }
    if (x < -0.5) {
        // acos(x) = π - 2·asin(sqrt((1 + x)/2)).
        double a;
        double aLo;
        asinOfRoot((1.0 + x) * 0.5, a, aLo);
        twoSum(kPiHi, -2.0 * a, hi, lo);
        return roundToFloat(hi, lo + (kPiLo - 2.0 * aLo));
    }
    // acos(x) = π/2 - asin(x); x² is exact in double for a float x.
    twoSum(0.5 * kPiHi, -x, hi, lo);
    return roundToFloat(hi, lo + (0.5 * kPiLo - asinTail(x, x * x)));
}
