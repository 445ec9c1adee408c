#include "play_fixtures.h"

namespace {

using playtest::countAttached;
using playtest::GameTest;
using playtest::inPlay;

using InputTest = GameTest;

TEST_F(InputTest, PressPicksTheEarliestPieceUnderThePointer) {
    Gear* later = addPlacedPiece(30.0f, {-30.0f, -75.0f, 0.0f}, Bulb, 1, 0.0f);
    setTime(1.0f);
    press(-40.0f, -75.0f); // inside both
    EXPECT_EQ(game.heldGear, firstGear());
    EXPECT_FLOAT_EQ(game.lastPressTime, 1.0f);
    releaseAt(-40.0f, -75.0f);
    EXPECT_EQ(game.heldGear, nullptr);

    setTime(3.0f);
    press(-10.0f, -75.0f); // only the later one
    EXPECT_EQ(game.heldGear, later);
}

TEST_F(InputTest, MotorBinnedPiecesAndEmptySpotsCannotBePicked) {
    setTime(2.0f);
    press(-236.0f, -171.0f);
    EXPECT_EQ(game.heldGear, nullptr);
    dealtPiece()->discarding = true;
    press(-350.0f, 202.0f);
    EXPECT_EQ(game.heldGear, nullptr);
    press(200.0f, 100.0f);
    EXPECT_EQ(game.heldGear, nullptr);
    EXPECT_EQ(game.lastPressTime, -1.0f);

    // A miss between two picks does not make the second one a double press.
    setTime(3.0f);
    press(-50.0f, -75.0f);
    releaseAt(-50.0f, -75.0f);
    setTime(3.3f);
    press(200.0f, 100.0f);
    setTime(3.6f);
    press(-50.0f, -75.0f);
    EXPECT_FALSE(game.carrying);
    EXPECT_FLOAT_EQ(game.lastPressTime, 3.6f);
}

TEST_F(InputTest, OnlyTheLeftButtonCounts) {
    setTime(2.0f);
    game.mouse(2, 0, px(-50.0f), py(-75.0f));
    game.mouse(1, 0, px(-50.0f), py(-75.0f));
    EXPECT_EQ(game.heldGear, nullptr);
    press(-50.0f, -75.0f);
    game.mouse(2, 1, px(0.0f), py(0.0f));
    EXPECT_EQ(game.heldGear, firstGear());
}

TEST_F(InputTest, ReleaseWithNothingHeldDoesNothing) {
    const auto pieces = game.gears;
    releaseAt(0.0f, 0.0f);
    releaseAt(-350.0f, 202.0f);
    EXPECT_EQ(game.gears, pieces);
    EXPECT_FALSE(game.carrying);
    EXPECT_EQ(game.heldGear, nullptr);
    moveHeld(0.0f, 0.0f);
    moveFree(0.0f, 0.0f);
    EXPECT_EQ(game.gears, pieces);
}

TEST_F(InputTest, ChutePieceDraggedOntoTheBoardIsPlacedAndReplaced) {
    Gear* piece = dealtPiece();
    setTime(1.0f);
    press(-345.0f, 200.0f);
    ASSERT_EQ(game.heldGear, piece);
    moveHeld(5.0f, 2.0f);
    EXPECT_EQ(piece->position, (Vec3{0.0f, 4.0f, 0.0f}));
    releaseAt(5.0f, 2.0f);
    EXPECT_TRUE(piece->placed);
    EXPECT_EQ(countAttached(*game.chain, piece), 1);
    ASSERT_EQ(game.gears.size(), 4u);
    EXPECT_EQ(game.gears[3]->radius, 40); // the next deal

    // Moved again on the board: still on the chain once, no new deal.
    setTime(2.0f);
    press(0.0f, 4.0f);
    moveHeld(-1000.0f, 4.0f);
    EXPECT_EQ(piece->position.x, -266.0f); // contained
    moveHeld(-380.0f, -220.0f);            // towards the bin: stays on the board
    releaseAt(-380.0f, -220.0f);
    EXPECT_TRUE(piece->placed);
    EXPECT_FALSE(piece->discarding);
    EXPECT_EQ(countAttached(*game.chain, piece), 1);
    EXPECT_EQ(game.gears.size(), 4u);
}

TEST_F(InputTest, SmallChutePieceReleasedInPlaceGoesBackOrIntoTheBin) {
    Gear* piece = dealtPiece(); // radius 30: its circle stops short of the board
    setTime(1.0f);
    press(-350.0f, 202.0f);
    releaseAt(-350.0f, 202.0f);
    EXPECT_FALSE(piece->placed);
    EXPECT_EQ(game.gears.size(), 3u);

    setTime(2.0f);
    press(-350.0f, 202.0f);
    moveHeld(-360.0f, -220.0f);
    releaseAt(-360.0f, -220.0f);
    EXPECT_TRUE(piece->discarding);
    EXPECT_EQ(game.gears.size(), 3u); // replaced when it has shrunk away
    for (int i = 0; i < 22; ++i) {
        runFrame();
    }
    EXPECT_FALSE(inPlay(game, piece));
    ASSERT_EQ(game.gears.size(), 3u);
    EXPECT_EQ(game.gears[2]->radius, 40);
}

TEST_F(InputTest, DoublePressLiftsCarriesAndPutsDown) {
    Gear* piece = firstGear();
    setTime(1.0f);
    press(-50.0f, -75.0f);
    setTime(1.1f);
    releaseAt(-50.0f, -75.0f);
    setTime(1.3f);
    press(-50.0f, -75.0f);
    EXPECT_TRUE(game.carrying);
    EXPECT_TRUE(piece->lifted);
    EXPECT_EQ(piece->color[3], 0.5f);
    EXPECT_EQ(countAttached(*game.chain, piece), 0);

    setTime(1.5f);
    releaseAt(-50.0f, -75.0f); // the double press's own release
    EXPECT_TRUE(game.carrying);
    EXPECT_EQ(game.heldGear, piece);

    moveFree(-380.0f, 250.0f); // off the board: a lifted piece is not contained
    EXPECT_EQ(piece->position, (Vec3{-380.0f, 250.0f, 0.0f}));
    setTime(1.7f);
    press(0.0f, 0.0f); // ignored while carrying
    EXPECT_EQ(game.heldGear, piece);

    // The carry ends: re-attached once, and back where it was lifted.
    setTime(1.8f);
    releaseAt(-380.0f, 250.0f);
    EXPECT_FALSE(game.carrying);
    EXPECT_EQ(game.heldGear, nullptr);
    EXPECT_FALSE(piece->lifted);
    EXPECT_EQ(piece->color[3], 1.0f);
    EXPECT_EQ(piece->position, (Vec3{-50.0f, -75.0f, 0.0f}));
    EXPECT_EQ(countAttached(*game.chain, piece), 1);
    EXPECT_EQ(game.gears.size(), 3u);
}

TEST_F(InputTest, CarriedPieceCanBeBinnedAndTheSecondPressWins) {
    Gear* later = addPlacedPiece(30.0f, {100.0f, 0.0f, 0.0f}, Bulb, 1, 0.0f);
    game.chain->attach(later);
    setTime(1.0f);
    press(-50.0f, -75.0f);
    releaseAt(-50.0f, -75.0f);
    setTime(1.2f);
    press(100.0f, 0.0f); // a different piece: that one is lifted
    EXPECT_EQ(game.heldGear, later);
    EXPECT_TRUE(later->lifted);
    EXPECT_FALSE(firstGear()->lifted);
    EXPECT_EQ(countAttached(*game.chain, firstGear()), 1);

    moveFree(-360.0f, -220.0f);
    setTime(2.0f);
    releaseAt(-360.0f, -220.0f);
    EXPECT_TRUE(later->discarding);
    EXPECT_EQ(countAttached(*game.chain, later), 0);
    for (int i = 0; i < 30; ++i) {
        runFrame();
    }
    EXPECT_FALSE(inPlay(game, later));
    EXPECT_EQ(game.gears.size(), 3u); // a placed piece is not replaced
}

// Held down past the half second, the second press's release puts the piece down at once.
TEST_F(InputTest, SlowSecondReleaseEndsTheCarry) {
    setTime(1.0f);
    press(-50.0f, -75.0f);
    releaseAt(-50.0f, -75.0f);
    setTime(1.4f);
    press(-50.0f, -75.0f);
    ASSERT_TRUE(game.carrying);
    setTime(1.9f);
    releaseAt(-50.0f, -75.0f);
    EXPECT_FALSE(game.carrying);
    EXPECT_EQ(countAttached(*game.chain, firstGear()), 1);
}

TEST_F(InputTest, KeyAAddsAPlainGearOnTheChainOnce) {
    game.keyboard('b', 0, 0);
    game.keyboard('A', 0, 0);
    ASSERT_EQ(game.gears.size(), 4u);
    Gear* plain = game.gears[3];
    EXPECT_EQ(plain->radius, 50);
    EXPECT_EQ(plain->charges, 0);
    EXPECT_EQ(plain->position, (Vec3{-350.0f, 202.0f, 0.0f}));
    EXPECT_FALSE(plain->placed);
    EXPECT_EQ(countAttached(*game.chain, plain), 1);

    // Picked beside the smaller dealt piece, which covers its centre.
    setTime(1.0f);
    press(-310.0f, 202.0f);
    ASSERT_EQ(game.heldGear, plain);
    moveHeld(40.0f, 0.0f);
    releaseAt(40.0f, 0.0f);
    EXPECT_TRUE(plain->placed);
    EXPECT_EQ(countAttached(*game.chain, plain), 1);
    EXPECT_EQ(game.gears.size(), 5u); // its first placement deals a piece
}

TEST_F(InputTest, KeyAGearRolledIntoTheBinLeavesTheChainBeforeItGoes) {
    game.keyboard('a', 0, 0);
    Gear* plain = game.gears[3];
    while (inPlay(game, plain)) {
        runFrame();
        for (const Body* attached : game.chain->gears) {
            ASSERT_TRUE(inPlay(game, attached)) << "frame " << frame;
        }
        ASSERT_LT(frame, 6 * playtest::framesPerSecond);
    }
    EXPECT_EQ(game.chain->gears.size(), 2u);
    // Both it and the dealt piece beside it were replaced by new deals.
    ASSERT_EQ(game.gears.size(), 4u);
    EXPECT_EQ(game.gears[2]->radius, 40);
    EXPECT_EQ(game.gears[3]->radius, 50);
    EXPECT_EQ(game.gears[3]->charges, 1);
}

// A lifted A-key gear comes off the chain; put down on the board it goes back on once.
TEST_F(InputTest, LiftedKeyAGearIsAttachedOnceWhenPlaced) {
    game.keyboard('a', 0, 0);
    Gear* plain = game.gears[3];
    setTime(1.0f);
    press(-310.0f, 202.0f);
    releaseAt(-310.0f, 202.0f); // reaches the board where it stands: placed
    ASSERT_TRUE(plain->placed);
    setTime(1.2f);
    press(-310.0f, 202.0f);
    ASSERT_TRUE(plain->lifted);
    EXPECT_EQ(countAttached(*game.chain, plain), 0);
    moveFree(100.0f, 50.0f);
    setTime(2.0f);
    releaseAt(100.0f, 50.0f);
    EXPECT_EQ(countAttached(*game.chain, plain), 1);
    EXPECT_EQ(plain->position, (Vec3{60.0f, 50.0f, 0.0f}));
}

TEST_F(InputTest, FullScreenBarsDoNotShiftWhereThePointerPicks) {
    camera.letterbox = true;
    camera.reshape(1920, 1080); // a 1440 by 1080 picture with 240-pixel bars left and right
    Gear* piece = firstGear();  // at (-50, -75), radius 25
    const float scale = 1440.0f / 800.0f;
    const int x = 240 + static_cast<int>((piece->position.x + 400.0f) * scale);
    const int y = static_cast<int>((300.0f - piece->position.y) * scale);
    game.mouse(0, 0, x + 50, y); // 27.8 units off: beside the piece, drawn 1.8 times larger
    EXPECT_EQ(game.heldGear, nullptr);
    game.mouse(0, 0, x + 40, y); // 22.2 units off: on it
    EXPECT_EQ(game.heldGear, piece);
    camera.letterbox = false;
    camera.left = camera.top = 0;
    camera.width = 800;
    camera.height = 600;
}

} // namespace
