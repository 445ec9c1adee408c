#include "physics/Angle.h"
#include "physics/ArcCos.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

// tools/arc_cos_check.cpp proves arcCos over every float in [-1, 1] on Linux; this runs in every
// build (Linux, Wine, Node) on what that proof found hardest and a sample of the rest.
namespace arccostest {

float floatFromBits(std::uint32_t b) {
    float f;
    std::memcpy(&f, &b, sizeof f);
    return f;
}

TEST(ArcCos, HardestCasesAndEndsAreCorrectlyRounded) {
    // The true arc cosine of these lies within 2^-20 of a float step from halfway between two
    // floats: the first six nearest of all, then the nearest beyond a half.
    const float cases[][2] = {
        {0x1.110b46p-26f, 0x1.921fb6p+0f},
        {0x1.04c444p-12f, 0x1.920f6ap+0f},
        {-0x1.3abeeap-10f, 0x1.926e66p+0f},
        {0x1.fa5036p-9f, 0x1.91228ep+0f},
        {-0x1.80d99ap-7f, 0x1.95216cp+0f},
        {0x1.145f36p-6f, 0x1.8dce2cp+0f},
        {-0x1.00c66p-1f, 0x1.0c4e7p+1f},
        {0x1.02d204p-1f, 0x1.0a7382p+0f},
        {-0x1.b37e4p-1f, 0x1.4b3f5p+1f},
        {0x1.9076cp-1f, 0x1.58693ap-1f},
        {0x1.f8838ep-1f, 0x1.5ea55ap-3f},
        {-0x1.f721a8p-1f, 0x1.7a43e8p+1f},
        // the ends and the seams between the ways it is computed
        {1.0f, 0.0f},
        {-1.0f, 0x1.921fb6p+1f},
        {0.0f, 0x1.921fb6p+0f},
        {-0.0f, 0x1.921fb6p+0f},
        {0.5f, 0x1.0c1524p+0f},
        {-0.5f, 0x1.0c1524p+1f},
        {0x1.fffffep-1f, 0x1.6a09e6p-12f},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(arcCos(c[0]), c[1]) << std::hexfloat << c[0];
    }
    EXPECT_TRUE(std::isnan(arcCos(std::nextafter(1.0f, 2.0f))));
    EXPECT_TRUE(std::isnan(arcCos(std::nanf(""))));
    EXPECT_EQ(degreesFromCosine(-1.0000001f), 180.0f); // a cosine a hair past the end
    EXPECT_EQ(degreesFromCosine(1.0000001f), 0.0f);
}

// A sample of every 4099th float against double's arc cosine, wherever that is far enough from
// halfway between two floats to round the same (libm's double is within a step of double).
TEST(ArcCos, SampleAgreesWithTheDoubleArcCosine) {
    int compared = 0;
    for (std::uint32_t b = 0; b <= 0x3F800000u; b += 4099) {
        for (std::uint32_t sign : {0u, 0x80000000u}) {
            const float x = floatFromBits(b | sign);
            const double exact = std::acos(static_cast<double>(x));
            const auto rounded = static_cast<float>(exact);
            const float other = std::nextafter(rounded, exact > rounded ? 4.0f : 0.0f);
            const double halfway = (static_cast<double>(rounded) + other) / 2;
            if (std::fabs(exact - halfway) > std::fabs(other - rounded) * 0x1p-20) {
                ++compared;
                ASSERT_EQ(arcCos(x), rounded) << std::hexfloat << x;
            }
        }
    }
    EXPECT_GT(compared, 519000);
}

} // namespace arccostest
