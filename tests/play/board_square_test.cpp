#include "app/FrameClock.h"
#include "play/BoardSquare.h"

#include <gtest/gtest.h>

namespace {

class BoardSquareTest : public ::testing::Test {
protected:
    void SetUp() override { frameSeconds = 0.0f; }
    void TearDown() override { frameSeconds = 0.0f; }
};

TEST_F(BoardSquareTest, StartsAtEightyWithItsColour) {
    BoardSquare square(frameSeconds);
    EXPECT_FLOAT_EQ(square.light, 80.0f);
    EXPECT_FLOAT_EQ(square.color[0], 0.2f);
    EXPECT_FLOAT_EQ(square.color[1], 0.8f);
    EXPECT_FLOAT_EQ(square.color[2], 0.0f);
    EXPECT_FLOAT_EQ(square.color[3], 1.0f);
}

TEST_F(BoardSquareTest, ConstructionFadesByTheCurrentFrame) {
    frameSeconds = 1.5f;
    BoardSquare square(frameSeconds);
    EXPECT_FLOAT_EQ(square.light, 79.0f);
}

// Left alone a square drains in two minutes and then stays dark, pure red.
TEST_F(BoardSquareTest, FadesToDarkInTwoMinutesAndStays) {
    BoardSquare square(frameSeconds);
    frameSeconds = 1.0f;
    for (int second = 1; second < 120; ++second) {
        square.fade(frameSeconds);
    }
    EXPECT_GT(square.light, 0.0f);
    EXPECT_NEAR(square.light, 0.6666667f, 1e-4f);
    EXPECT_NEAR(square.fade(frameSeconds), 0.0f, 1e-4f); // the 120th second, give or take rounding
    for (int second = 0; second < 30; ++second) {
        EXPECT_FLOAT_EQ(square.fade(frameSeconds), 0.0f);
    }
    EXPECT_FLOAT_EQ(square.color[0], 1.0f);
    EXPECT_FLOAT_EQ(square.color[1], 0.0f);
    EXPECT_FLOAT_EQ(square.color[2], 0.0f);
}

TEST_F(BoardSquareTest, LongFrameCostsItsShare) {
    BoardSquare square(frameSeconds);
    frameSeconds = 1.5f;
    EXPECT_FLOAT_EQ(square.fade(frameSeconds), 79.0f);
    EXPECT_FLOAT_EQ(square.fade(frameSeconds), 78.0f);
}

TEST_F(BoardSquareTest, RelightIsClampedAndShowsOnlyAfterTheNextFade) {
    BoardSquare square(frameSeconds);
    square.relight(35.0f);
    EXPECT_FLOAT_EQ(square.light, 100.0f);
    EXPECT_FLOAT_EQ(square.color[1], 0.8f); // still the old colour
    square.fade(frameSeconds);
    EXPECT_FLOAT_EQ(square.color[0], 0.0f);
    EXPECT_FLOAT_EQ(square.color[1], 1.0f);

    square.light = 0.0f;
    square.relight(35.0f);
    EXPECT_FLOAT_EQ(square.light, 35.0f);
    square.relight(-50.0f);
    EXPECT_FLOAT_EQ(square.light, 0.0f);
}

// A light pushed out of range from outside is brought back by the next fade.
TEST_F(BoardSquareTest, FadeClampsOutOfRangeLight) {
    BoardSquare square(frameSeconds);
    square.light = 150.0f;
    EXPECT_FLOAT_EQ(square.fade(frameSeconds), 100.0f);
    square.light = -3.0f;
    EXPECT_FLOAT_EQ(square.fade(frameSeconds), 0.0f);
}

} // namespace
