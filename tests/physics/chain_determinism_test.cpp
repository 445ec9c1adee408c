#include "physics/chain_fixtures.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

using namespace chaintest;

namespace {

std::uint32_t bits(float f) {
    std::uint32_t b;
    std::memcpy(&b, &f, sizeof b);
    return b;
}

// FNV-1a over the exact bit patterns: any change in the order of the float operations shows.
std::uint64_t hashJoints(const Chain& chain) {
    std::uint64_t h = 14695981039346656037ull;
    auto mix = [&h](float f) {
        std::uint32_t b = bits(f);
        for (int i = 0; i < 4; ++i) {
            h ^= (b >> (8 * i)) & 0xFFu;
            h *= 1099511628211ull;
        }
    };
    for (const ChainJoint* joint : chain.joints) {
        mix(joint->position.x);
        mix(joint->position.y);
        mix(joint->position.z);
    }
    return h;
}

} // namespace

// The play chain with the motor and the first gear, 300 long steps of 1/60 s (the motor carries
// the joints far in each, so any change in the order of the float operations shows).
// The numbers were recorded from the first correct run and hold in every build type; they were
// recorded again when the motor came to grip a joint lying just outside its rim.
TEST(ChainDeterminism, FixedSceneGivesTheRecordedJoints) {
    auto chain = playChain();
    auto motor = pieceAt({-236.0f, -171.0f, 0.0f}, 50.0f, 200.0f);
    auto gear = pieceAt({-50.0f, -75.0f, 0.0f}, 25.0f);
    chain->attach(motor.get());
    chain->attach(gear.get());
    for (int i = 0; i < 150; ++i) {
        chain->step(1.0f / 60.0f);
    }
    chain->addLinks(6, 25);
    for (int i = 0; i < 150; ++i) {
        chain->step(1.0f / 60.0f);
    }

    for (const ChainJoint* joint : chain->joints) {
        EXPECT_GE(joint->position.x, -301.0f);
        EXPECT_LE(joint->position.x, 370.0f);
        EXPECT_GE(joint->position.y, -239.0f);
        EXPECT_LE(joint->position.y, 182.0f);
    }
    EXPECT_EQ(hashJoints(*chain), 0x53ff08016185e910ull);
    EXPECT_EQ(at(*chain, 0), (Vec3{-0x1.6d1f8cp+7f, -0x1.e9ec8cp+6f, 0.0f}));
    EXPECT_EQ(at(*chain, 17), (Vec3{-0x1.e90f4cp+7f, -0x1.d45502p+6f, 0.0f}));
    EXPECT_EQ(at(*chain, 40), (Vec3{-0x1.9f0e72p+7f, -0x1.e4c18cp+6f, 0.0f}));
    EXPECT_EQ(gear->angle, 0x1.b7ec6ep+7f);
    // The turn adds up arc cosines: exact in the browser too since the arc cosine is our own
    // (the browser's acosf put it a step or two off over the whole turn).
    EXPECT_EQ(gear->turned, 0x1.fb066p+9f);
    EXPECT_EQ(motor->angle, 0x1.18000ep+8f);
}
