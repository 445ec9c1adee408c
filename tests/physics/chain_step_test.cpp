#include "physics/chain_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace chaintest;

namespace {

class ChainStep : public ::testing::Test {
protected:
    float seconds = 0.1f; // the length of the steps below
};

bool finite(Vec3 v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

TEST_F(ChainStep, JointsAreClampedIntoTheBoard) {
    auto chain = chainAt({{370.5f, 0.0f, 0.0f}});
    chain->step(seconds);
    EXPECT_EQ(at(*chain, 0), (Vec3{370.0f, 0.0f, 0.0f}));

    chain->joints[0]->position = {370.0f, 182.0f, 3.0f};
    chain->step(seconds);
    EXPECT_EQ(at(*chain, 0), (Vec3{370.0f, 182.0f, 3.0f}));

    chain->joints[0]->position = {-400.0f, -300.0f, 0.0f};
    chain->step(seconds);
    EXPECT_EQ(at(*chain, 0), (Vec3{-301.0f, -239.0f, 0.0f}));

    chain->joints[0]->position = {0.0f, 182.5f, 0.0f};
    chain->step(seconds);
    EXPECT_EQ(at(*chain, 0), (Vec3{0.0f, 182.0f, 0.0f}));

    // The edges are the ones it was given, not the game's board.
    chain->edges = {-10.0f, 10.0f, -5.0f, 5.0f};
    chain->joints[0]->position = {20.0f, -20.0f, 0.0f};
    chain->step(seconds);
    EXPECT_EQ(at(*chain, 0), (Vec3{10.0f, -5.0f, 0.0f}));
}

TEST_F(ChainStep, LinksRelaxTowardsTheirRestLength) {
    // Two joints 50 apart on links of 25: stretched, so both ends move in by the same amount.
    auto stretched = chainAt({{0.0f, 0.0f, 0.0f}, {50.0f, 0.0f, 0.0f}});
    stretched->step(seconds);
    const float gap = at(*stretched, 1).x - at(*stretched, 0).x;
    EXPECT_LT(gap, 50.0f);
    EXPECT_GT(gap, 0.0f);
    EXPECT_EQ(at(*stretched, 0).x + at(*stretched, 1).x, 50.0f);

    auto resting = chainAt({{0.0f, 0.0f, 0.0f}, {25.0f, 0.0f, 0.0f}});
    resting->step(seconds);
    EXPECT_EQ(at(*resting, 0), (Vec3{0.0f, 0.0f, 0.0f}));
    EXPECT_EQ(at(*resting, 1), (Vec3{25.0f, 0.0f, 0.0f}));

    auto together = chainAt({{7.0f, 7.0f, 0.0f}, {7.0f, 7.0f, 0.0f}});
    together->step(seconds);
    EXPECT_EQ(at(*together, 0), (Vec3{7.0f, 7.0f, 0.0f}));
    EXPECT_EQ(at(*together, 1), (Vec3{7.0f, 7.0f, 0.0f}));
}

TEST_F(ChainStep, ZeroLengthLinksNeverDivideByZero) {
    Chain chain(2, 0.0f, linkPicture, Vec3{10.0f, 10.0f, 0.0f}, field::jointEdges);
    for (int i = 0; i < 3; ++i) {
        chain.step(seconds);
    }
    EXPECT_EQ(at(chain, 0), (Vec3{10.0f, 10.0f, 0.0f}));
    EXPECT_EQ(at(chain, 1), (Vec3{10.0f, 10.0f, 0.0f}));
}

TEST_F(ChainStep, JointOnTheRimTouchesAndStays) {
    auto chain = chainAt({{25.0f, 0.0f, 0.0f}});
    auto piece = pieceAt({0.0f, 0.0f, 0.0f}, 25.0f);
    chain->attach(piece.get());
    chain->step(seconds);
    EXPECT_EQ(piece->caughtJoint, chain->joints[0]);
    EXPECT_EQ(piece->catchPoint, (Vec3{25.0f, 0.0f, 0.0f}));
    EXPECT_EQ(at(*chain, 0), (Vec3{25.0f, 0.0f, 0.0f}));
    EXPECT_EQ(piece->angle, 0.0f);
    EXPECT_EQ(piece->turned, 0.0f);
}

TEST_F(ChainStep, JointInsideIsPushedOntoTheRim) {
    auto chain = chainAt({{0.0f, 10.0f, 0.0f}});
    auto piece = pieceAt({0.0f, 0.0f, 0.0f}, 25.0f);
    chain->attach(piece.get());
    chain->step(seconds);
    EXPECT_EQ(at(*chain, 0), (Vec3{0.0f, 25.0f, 0.0f}));
    EXPECT_EQ(piece->catchPoint, (Vec3{0.0f, 10.0f, 0.0f}));
}

TEST_F(ChainStep, FirstTouchingJointIsCaught) {
    // Both joints lie inside and the link between them is at rest; joint 0 comes first.
    auto chain = chainAt({{-12.5f, 0.0f, 0.0f}, {12.5f, 0.0f, 0.0f}});
    auto piece = pieceAt({0.0f, 0.0f, 0.0f}, 50.0f);
    chain->attach(piece.get());
    chain->step(seconds);
    EXPECT_EQ(piece->caughtJoint, chain->joints[0]);
    EXPECT_EQ(piece->catchPoint, (Vec3{-12.5f, 0.0f, 0.0f}));

    // A fresh step forgets the old contact before looking again.
    chain->joints[0]->position = {-200.0f, 0.0f, 0.0f};
    chain->joints[1]->position = {-175.0f, 0.0f, 0.0f};
    chain->step(seconds);
    EXPECT_EQ(piece->caughtJoint, nullptr);
}

TEST_F(ChainStep, MotorCarriesRimJointsCounterClockwise) {
    auto chain = chainAt({{50.0f, 0.0f, 0.0f}});
    auto motor = pieceAt({0.0f, 0.0f, 0.0f}, 50.0f, 200.0f);
    chain->attach(motor.get());
    chain->step(seconds);
    const auto carry = static_cast<float>(200.0f * 0.66 * 0.1f);
    EXPECT_EQ(at(*chain, 0), (Vec3{50.0f, carry, 0.0f}));
    EXPECT_EQ(motor->angle, 0.1f * 200.0f);
    EXPECT_EQ(motor->turned, 0.0f);
}

TEST_F(ChainStep, MotorTurnsAtItsOwnSpeedWithNothingOnItsRim) {
    auto chain = chainAt({{300.0f, 100.0f, 0.0f}});
    auto motor = pieceAt({0.0f, 0.0f, 0.0f}, 50.0f, 200.0f);
    motor->angle = 10.0f;
    chain->attach(motor.get());
    chain->step(seconds);
    EXPECT_EQ(motor->angle, 10.0f + 0.1f * 200.0f);
    EXPECT_EQ(motor->turned, 0.0f);
    EXPECT_EQ(motor->caughtJoint, nullptr);
}

TEST_F(ChainStep, StoppedClockStillRelaxesAndPushes) {
    seconds = 0.0f;
    // A stretched link pulls both joints into the motor, which pushes them back onto its rim
    // but does not carry them along it.
    auto chain = chainAt({{-10.0f, 0.0f, 0.0f}, {60.0f, 0.0f, 0.0f}});
    auto motor = pieceAt({0.0f, 0.0f, 0.0f}, 50.0f, 200.0f);
    motor->angle = 45.0f;
    chain->attach(motor.get());
    chain->step(seconds);
    EXPECT_EQ(motor->angle, 45.0f);
    EXPECT_EQ(motor->caughtJoint, chain->joints[0]);
    EXPECT_GT(motor->catchPoint.x, 0.0f); // the link had moved it before the motor saw it
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_NEAR(at(*chain, i).x, 50.0f, 1e-4f) << i;
        EXPECT_EQ(at(*chain, i).y, 0.0f) << i;
    }
}

TEST_F(ChainStep, AnglesWrapIntoOneTurn) {
    auto chain = chainAt({{300.0f, 100.0f, 0.0f}});
    auto motor = pieceAt({0.0f, 0.0f, 0.0f}, 50.0f, 200.0f);
    chain->attach(motor.get());

    seconds = 0.05f;
    motor->angle = 355.0f;
    chain->step(seconds);
    EXPECT_EQ(motor->angle, 5.0f);

    seconds = 0.0f;
    motor->angle = -10.0f;
    chain->step(seconds);
    EXPECT_EQ(motor->angle, 350.0f);

    motor->angle = 360.0f;
    chain->step(seconds);
    EXPECT_EQ(motor->angle, 360.0f);

    // However it got there, a runaway angle comes back into range instead of looping forever.
    motor->angle = 1.0e30f;
    chain->step(seconds);
    EXPECT_GE(motor->angle, 0.0f);
    EXPECT_LE(motor->angle, 360.0f);
    motor->angle = std::nanf("");
    chain->step(seconds);
    EXPECT_EQ(motor->angle, 0.0f);
}

TEST_F(ChainStep, TravelThroughTheCentreTurnsCounterClockwiseByHalfATurn) {
    // Caught at (-5, 0) by the first piece, then thrown by the second to (10, 0): straight
    // across the first piece's centre, so the direction test is exactly 0.
    auto chain = chainAt({{-5.0f, 0.0f, 0.0f}});
    auto first = pieceAt({0.0f, 0.0f, 0.0f}, 25.0f);
    auto second = pieceAt({-30.0f, 0.0f, 0.0f}, 40.0f);
    first->angle = 10.0f;
    chain->attach(first.get());
    chain->attach(second.get());
    chain->step(seconds);
    ASSERT_EQ(at(*chain, 0), (Vec3{10.0f, 0.0f, 0.0f}));
    EXPECT_EQ(first->angle, 190.0f);
    EXPECT_EQ(first->turned, 180.0f);
}

TEST_F(ChainStep, ClockwiseTravelTurnsClockwise) {
    // Caught at (0, -10), pushed to (0, -25), then thrown by the second piece to the right.
    auto chain = chainAt({{0.0f, -10.0f, 0.0f}});
    auto first = pieceAt({0.0f, 0.0f, 0.0f}, 25.0f);
    auto second = pieceAt({-10.0f, -25.0f, 0.0f}, 20.0f);
    first->angle = 100.0f;
    chain->attach(first.get());
    chain->attach(second.get());
    chain->step(seconds);
    const Vec3 q = at(*chain, 0);
    ASSERT_EQ(q, (Vec3{10.0f, -25.0f, 0.0f}));
    // From straight down to down-right: counter-clockwise as seen from +z.
    const float theta = static_cast<float>(std::acos(25.0 / std::sqrt(725.0)) * 57.2957795);
    EXPECT_NEAR(first->angle, 100.0f + theta, 1e-3f);
    EXPECT_NEAR(first->turned, theta, 1e-3f);

    // The mirror image turns the other way by the same amount.
    auto mirror = chainAt({{0.0f, -10.0f, 0.0f}});
    auto first2 = pieceAt({0.0f, 0.0f, 0.0f}, 25.0f);
    auto second2 = pieceAt({10.0f, -25.0f, 0.0f}, 20.0f);
    first2->angle = 100.0f;
    mirror->attach(first2.get());
    mirror->attach(second2.get());
    mirror->step(seconds);
    EXPECT_NEAR(first2->angle, 100.0f - theta, 1e-3f);
    EXPECT_EQ(first2->turned, first->turned);
}

TEST_F(ChainStep, UnattachedOrUntouchedPiecesKeepTheirTurn) {
    auto chain = chainAt({{0.0f, 0.0f, 0.0f}});
    auto loose = pieceAt({0.0f, 0.0f, 0.0f}, 25.0f);
    auto far = pieceAt({200.0f, 0.0f, 0.0f}, 25.0f);
    loose->angle = 12.0f;
    far->angle = 34.0f;
    far->turned = 56.0f;
    chain->attach(far.get());
    chain->step(seconds);
    EXPECT_EQ(at(*chain, 0), (Vec3{0.0f, 0.0f, 0.0f}));
    EXPECT_EQ(loose->angle, 12.0f);
    EXPECT_EQ(far->angle, 34.0f);
    EXPECT_EQ(far->turned, 56.0f);
}

TEST_F(ChainStep, DeadCentreJointLeavesAlongPlusX) {
    auto chain = chainAt({{0.0f, 0.0f, 0.0f}});
    auto piece = pieceAt({0.0f, 0.0f, 0.0f}, 25.0f);
    piece->angle = 40.0f;
    chain->attach(piece.get());
    chain->step(seconds);
    EXPECT_EQ(at(*chain, 0), (Vec3{25.0f, 0.0f, 0.0f}));
    EXPECT_EQ(piece->angle, 40.0f);
    EXPECT_EQ(piece->turned, 0.0f);

    // A motor without size cannot push or steer a joint at its centre; nothing may go NaN.
    auto point = chainAt({{0.0f, 0.0f, 0.0f}});
    auto tiny = pieceAt({0.0f, 0.0f, 0.0f}, 0.0f, 200.0f);
    point->attach(tiny.get());
    point->step(seconds);
    EXPECT_EQ(at(*point, 0), (Vec3{0.0f, 0.0f, 0.0f}));
    EXPECT_TRUE(std::isfinite(tiny->angle));
}

TEST_F(ChainStep, JointEndingOnTheCentreKeepsTheAngleFinite) {
    // Caught at (-5, 0), pushed to (-25, 0), then thrown by the second piece onto (0, 0).
    auto chain = chainAt({{-5.0f, 0.0f, 0.0f}});
    auto first = pieceAt({0.0f, 0.0f, 0.0f}, 25.0f);
    auto second = pieceAt({-30.0f, 0.0f, 0.0f}, 30.0f);
    first->angle = 70.0f;
    chain->attach(first.get());
    chain->attach(second.get());
    chain->step(seconds);
    ASSERT_EQ(at(*chain, 0), (Vec3{0.0f, 0.0f, 0.0f}));
    EXPECT_EQ(first->angle, 70.0f);
    EXPECT_EQ(first->turned, 0.0f);
}

TEST_F(ChainStep, NearlyOppositeTravelNeverGivesNaN) {
    // Across many directions the caught joint ends almost exactly opposite its catch point;
    // rounding takes the cosine past -1 for some of them.
    for (int i = 0; i < 720; ++i) {
        const double phi = i * 0.5 * 3.14159265358979 / 180.0;
        const auto cx = static_cast<float>(std::cos(phi));
        const auto cy = static_cast<float>(std::sin(phi));
        auto chain = chainAt({{-3.0f * cx, -3.0f * cy, 0.0f}});
        auto first = pieceAt({0.0f, 0.0f, 0.0f}, 25.0f);
        auto second = pieceAt({-30.0f * cx, -30.0f * cy, 0.0f}, 37.0f);
        chain->attach(first.get());
        chain->attach(second.get());
        chain->step(seconds);
        ASSERT_TRUE(finite(at(*chain, 0))) << i;
        ASSERT_TRUE(std::isfinite(first->angle)) << i;
        ASSERT_TRUE(std::isfinite(first->turned)) << i;
        EXPECT_NEAR(first->turned, 180.0f, 0.05f) << i;
    }
}

} // namespace
