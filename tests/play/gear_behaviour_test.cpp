#include "app/FrameClock.h"
#include "physics/Chain.h"
#include "play/Gear.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

class GearTest : public ::testing::Test {
protected:
    void SetUp() override { frameSeconds = 0.1f; }
    void TearDown() override { frameSeconds = 0.0f; }

    // An empty loop: enough to see what is attached.
    Chain chain{0, 25.0f, "./img/link.png", Vec3{0.0f, 0.0f, 0.0f}, BoardEdges{}};
};

TEST_F(GearTest, LoosePieceGrowsRollsShrinksAndGoes) {
    Gear piece(30.0f, "./img/gear.png", 0.0f);
    piece.setPayload(Bulb, 2);
    EXPECT_FLOAT_EQ(piece.icon.scale.x, 32.0f);
    EXPECT_FLOAT_EQ(piece.scale.x, 0.0f);

    float lastRollingY = 0.0f;
    int frames = 0;
    while (!piece.discarding) {
        lastRollingY = piece.position.y;
        ASSERT_FALSE(piece.advanceRoll(frameSeconds));
        ASSERT_LT(++frames, 100);
    }
    // Final size from the last growing frame (chuteTime 0.4), not the full diameter.
    EXPECT_NEAR(piece.scale.x, (0.33 - (piece.chuteTime - 5.0)) * 60.0, 1e-3);
    EXPECT_GT(lastRollingY, -180.0f);
    EXPECT_LT(lastRollingY, -180.0f + 76.4f * 0.1f);
    EXPECT_EQ(piece.position.x, -350.0f);

    // Shrinking in place: gone in the first frame past 5.33 s.
    const Vec3 binPlace = piece.position;
    bool gone = false;
    while (!gone) {
        const float before = piece.chuteTime;
        gone = piece.advanceRoll(frameSeconds);
        EXPECT_EQ(piece.position, binPlace);
        if (gone) {
            EXPECT_LE(before, 5.33f);
            EXPECT_GT(piece.chuteTime, 5.33f);
        }
        ASSERT_LT(++frames, 100);
    }
    EXPECT_EQ(frames, 54);
    EXPECT_FLOAT_EQ(piece.scale.x, 0.0f);
}

TEST_F(GearTest, GrowthStopsJustUnderTheDiameter) {
    Gear piece(30.0f, "./img/gear.png", 0.0f);
    for (int i = 0; i < 10; ++i) {
        piece.advanceRoll(frameSeconds);
    }
    EXPECT_FLOAT_EQ(piece.scale.x, 48.0f);
    EXPECT_FLOAT_EQ(piece.scale.z, 48.0f);

    Gear quarter(30.0f, "./img/gear.png", 0.0f);
    frameSeconds = 0.25f;
    quarter.advanceRoll(frameSeconds);
    EXPECT_FLOAT_EQ(quarter.scale.x, 30.0f);
    EXPECT_FLOAT_EQ(quarter.position.y, 202.0f - 0.25f * 76.4f);
}

TEST_F(GearTest, PlacedAndLiftedPiecesStayPut) {
    Gear piece(25.0f, "./img/gear.png", 0.0f);
    piece.position = {10.0f, 20.0f, 0.0f};
    piece.placed = true;
    EXPECT_FALSE(piece.advanceRoll(frameSeconds));
    EXPECT_EQ(piece.chuteTime, 0.0f);
    EXPECT_EQ(piece.icon.position, piece.position);

    piece.placed = false;
    piece.lifted = true;
    EXPECT_FALSE(piece.advanceRoll(frameSeconds));
    EXPECT_EQ(piece.position, (Vec3{10.0f, 20.0f, 0.0f}));

    // Dropped into the bin from the board: it shrinks from its first frame on.
    piece.placed = true;
    piece.lifted = false;
    piece.discarding = true;
    piece.chuteTime = 5.0f;
    EXPECT_FALSE(piece.advanceRoll(frameSeconds));
    EXPECT_NEAR(piece.scale.x, (0.33 - 0.1) * 50, 1e-4);
}

TEST_F(GearTest, PayoutNeedsMoreThanTheFullTurn) {
    Gear piece(50.0f, "./img/gear.png", 0.0f);
    piece.setPayload(Bulb, 4);
    EXPECT_FLOAT_EQ(piece.icon.scale.x, 64.0f);
    piece.turned = 1800.0f;
    EXPECT_EQ(piece.checkPayout(), -1);
    EXPECT_EQ(piece.charges, 4);

    const float sizes[] = {48.0f, 32.0f, 16.0f, 0.0f};
    for (float size : sizes) {
        piece.turned = 1800.1f;
        EXPECT_EQ(piece.checkPayout(), Bulb);
        EXPECT_EQ(piece.turned, 0.0f);
        EXPECT_FLOAT_EQ(piece.icon.scale.x, size);
        EXPECT_EQ(piece.checkPayout(), -1); // one payout per turn
    }
    EXPECT_EQ(piece.charges, 0);
    piece.turned = 5000.0f;
    EXPECT_EQ(piece.checkPayout(), -1); // spent: a plain gear from now on
    EXPECT_EQ(piece.turned, 5000.0f);

    Gear plain(50.0f, "./img/gear.png", 0.0f);
    plain.turned = 99999.0f;
    EXPECT_EQ(plain.checkPayout(), -1);

    Gear adder(50.0f, "./img/gear.png", 0.0f);
    adder.setPayload(AddLink, 1);
    adder.turned = 1900.0f;
    EXPECT_EQ(adder.checkPayout(), AddLink);
    EXPECT_FLOAT_EQ(adder.icon.scale.x, 80.0f);
    EXPECT_EQ(adder.charges, 0);
}

TEST_F(GearTest, PlacedPieceIsKeptOnTheBoard) {
    Gear piece(50.0f, "./img/gear.png", 0.0f);
    piece.position = {0.0f, 0.0f, 0.0f};
    piece.placed = true;
    const std::vector<Gear*> pieces{&piece};
    piece.grab({0.0f, 0.0f, 0.0f});

    piece.dragTo({-1000.0f, 0.0f, 0.0f}, pieces);
    EXPECT_EQ(piece.position.x, -246.0f);
    piece.dragTo({0.0f, 1000.0f, 0.0f}, pieces);
    EXPECT_EQ(piece.position.y, 140.0f);
    piece.dragTo({1000.0f, -1000.0f, 0.0f}, pieces);
    EXPECT_EQ(piece.position, (Vec3{315.0f, -184.0f, 0.0f}));
    EXPECT_EQ(piece.icon.position, piece.position);

    // The grab offset is kept: the piece does not jump to the pointer.
    piece.position = {0.0f, 0.0f, 0.0f};
    piece.grab({10.0f, 5.0f, 0.0f});
    EXPECT_EQ(piece.pickupPosition, (Vec3{0.0f, 0.0f, 0.0f}));
    piece.dragTo({30.0f, 25.0f, 0.0f}, pieces);
    EXPECT_EQ(piece.position, (Vec3{20.0f, 20.0f, 0.0f}));

    // Lifted or loose pieces may go anywhere.
    piece.grab(piece.position);
    piece.lifted = true;
    piece.dragTo({-1000.0f, 1000.0f, 0.0f}, pieces);
    EXPECT_EQ(piece.position, (Vec3{-1000.0f, 1000.0f, 0.0f}));
    piece.lifted = false;
    piece.placed = false;
    piece.dragTo({-380.0f, -220.0f, 0.0f}, pieces);
    EXPECT_EQ(piece.position, (Vec3{-380.0f, -220.0f, 0.0f}));
}

TEST_F(GearTest, DraggedPieceIsPushedClearOfOthers) {
    Gear still(20.0f, "./img/gear.png", 0.0f);
    still.position = {0.0f, 0.0f, 0.0f};
    Gear moving(30.0f, "./img/gear.png", 0.0f);
    moving.position = {200.0f, 0.0f, 0.0f};
    moving.placed = true;
    const std::vector<Gear*> pieces{&still, &moving};
    moving.grab(moving.position);

    moving.dragTo({10.0f, 0.0f, 0.0f}, pieces);
    EXPECT_EQ(moving.position, (Vec3{50.0f, 0.0f, 0.0f}));
    moving.dragTo({0.0f, -30.0f, 0.0f}, pieces);
    EXPECT_EQ(moving.position, (Vec3{0.0f, -50.0f, 0.0f}));
    moving.dragTo({0.0f, 60.0f, 0.0f}, pieces); // already clear
    EXPECT_EQ(moving.position, (Vec3{0.0f, 60.0f, 0.0f}));

    // Right on the other centre: pushed out along +x, never by a division by zero.
    moving.dragTo({0.0f, 0.0f, 0.0f}, pieces);
    EXPECT_EQ(moving.position, (Vec3{50.0f, 0.0f, 0.0f}));
    EXPECT_TRUE(std::isfinite(moving.icon.position.x));
}

TEST_F(GearTest, DropPrefersTheBoardThenTheBinThenGoesBack) {
    Gear small(20.0f, "./img/gear.png", 0.0f);
    small.position = {-320.0f, -200.0f, 0.0f}; // centre over the bin, circle reaches the board
    EXPECT_TRUE(small.drop(&chain));
    EXPECT_TRUE(small.placed);
    EXPECT_FALSE(small.discarding);
    EXPECT_TRUE(chain.isAttached(&small));
    EXPECT_FALSE(small.drop(&chain)); // placed already
    EXPECT_EQ(chain.gears.size(), 1u);

    Gear binned(20.0f, "./img/gear.png", 0.0f);
    binned.position = {-360.0f, -220.0f, 0.0f};
    binned.lifted = true;
    EXPECT_FALSE(binned.drop(&chain));
    EXPECT_TRUE(binned.discarding);
    EXPECT_FALSE(binned.lifted);
    EXPECT_EQ(binned.chuteTime, 5.0f);

    // A placed piece carried into the bin leaves the chain.
    small.position = {-360.0f, -220.0f, 0.0f};
    EXPECT_FALSE(small.drop(&chain));
    EXPECT_TRUE(small.discarding);
    EXPECT_FALSE(chain.isAttached(&small));

    Gear lost(30.0f, "./img/gear.png", 0.0f);
    lost.position = {-350.0f, 150.0f, 0.0f};
    lost.grab(lost.position);
    lost.position = {-390.0f, 280.0f, 0.0f};
    EXPECT_FALSE(lost.drop(&chain));
    EXPECT_EQ(lost.position, (Vec3{-350.0f, 150.0f, 0.0f}));
    EXPECT_FALSE(lost.placed);
    EXPECT_FALSE(lost.discarding);
    EXPECT_FALSE(chain.isAttached(&lost));
}

// A piece that is on the chain already (a plain gear added with A) is not attached again.
TEST_F(GearTest, DropNeverAttachesTwice) {
    Gear plain(50.0f, "./img/gear.png", 0.0f);
    chain.attach(&plain);
    plain.position = {-350.0f, 202.0f, 0.0f}; // reaches the board's left edge
    EXPECT_TRUE(plain.drop(&chain));
    EXPECT_EQ(chain.gears.size(), 1u);

    Gear noChain(20.0f, "./img/gear.png", 0.0f);
    noChain.position = {0.0f, 0.0f, 0.0f};
    EXPECT_TRUE(noChain.drop(nullptr));
    noChain.position = {-360.0f, -220.0f, 0.0f};
    EXPECT_FALSE(noChain.drop(nullptr));
    EXPECT_TRUE(noChain.discarding);
}

} // namespace
