#include "play/play_fixtures.h"
#include "support/MonkeyInvariants.h"

#include "states/EndState.h"

#include <cmath>
#include <limits>
#include <utility>

namespace {

// The random player is only as good as its checks: each fault planted here must be reported.
using InvariantsTest = playtest::GameTest;

TEST_F(InvariantsTest, AFreshGameAndItsFirstSecondsHold) {
    EXPECT_EQ(brokenPlayInvariant(game, 0), "");
    EXPECT_EQ(brokenScreenInvariant(game), "");
    for (int i = 0; i < 3 * playtest::framesPerSecond; ++i) {
        runFrame();
    }
    EXPECT_EQ(brokenPlayInvariant(game, 0), "");
    game.keyboard('a', 0, 0);
    EXPECT_NE(brokenPlayInvariant(game, 0), ""); // the A key's gear waits in the chute too
    EXPECT_EQ(brokenPlayInvariant(game, 1), "");
}

TEST_F(InvariantsTest, TheChainMustHoldLivePiecesOnce) {
    Chain& chain = *game.chain;
    chain.gears.push_back(firstGear());
    EXPECT_NE(brokenPlayInvariant(game, 0), "");
    chain.gears.pop_back();

    Gear stranger(30.0f, "./img/gear.png", 0.0f);
    chain.gears.push_back(&stranger);
    EXPECT_NE(brokenPlayInvariant(game, 0), "");
    chain.gears.pop_back();

    chain.detach(firstGear()); // placed, so it belongs on the chain
    EXPECT_NE(brokenPlayInvariant(game, 0), "");
    chain.attach(firstGear());

    chain.attach(dealtPiece()); // not placed yet
    EXPECT_NE(brokenPlayInvariant(game, 0), "");
    chain.detach(dealtPiece());
    EXPECT_EQ(brokenPlayInvariant(game, 0), "");
}

TEST_F(InvariantsTest, TheLoopMustStayClosed) {
    Chain& chain = *game.chain;
    std::swap(chain.links[3]->to, chain.links[4]->to);
    EXPECT_NE(brokenPlayInvariant(game, 0), "");
    std::swap(chain.links[3]->to, chain.links[4]->to);

    chain.joints.push_back(chain.joints.front()); // a joint listed twice, one link short
    EXPECT_NE(brokenPlayInvariant(game, 0), "");
    chain.joints.pop_back();
    EXPECT_EQ(brokenPlayInvariant(game, 0), "");
}

TEST_F(InvariantsTest, HeldAndDealtPiecesAreAccountedFor) {
    Gear stranger(30.0f, "./img/gear.png", 0.0f);
    game.heldGear = &stranger;
    EXPECT_NE(brokenPlayInvariant(game, 0), "");
    game.heldGear = nullptr;

    game.carrying = true; // with nothing held
    EXPECT_NE(brokenPlayInvariant(game, 0), "");
    game.carrying = false;

    dealtPiece()->placed = true; // gone from the chute without a replacement
    EXPECT_NE(brokenPlayInvariant(game, 0), "");
    dealtPiece()->placed = false;

    firstGear()->lifted = true; // lifted but not carried
    EXPECT_NE(brokenPlayInvariant(game, 0), "");
    firstGear()->lifted = false;
    EXPECT_EQ(brokenPlayInvariant(game, 0), "");
}

TEST_F(InvariantsTest, NumbersMustStayFiniteAndInRange) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    dealtPiece()->angle = nan;
    EXPECT_NE(brokenPlayInvariant(game, 0), "");
    dealtPiece()->angle = 0.0f;

    game.chain->joints[5]->position.y = std::numeric_limits<float>::infinity();
    EXPECT_NE(brokenPlayInvariant(game, 0), "");
    game.chain->joints[5]->position.y = 0.0f;

    game.squares[17]->light = 100.5f;
    EXPECT_NE(brokenPlayInvariant(game, 0), "");
    game.squares[17]->light = 80.0f;

    game.powerMarker.position.x = 300.0f; // a level above 100
    EXPECT_NE(brokenPlayInvariant(game, 0), "");
    game.powerMarker.position.x = 0.0f;
    EXPECT_EQ(brokenPlayInvariant(game, 0), "");
}

TEST_F(InvariantsTest, TheScreensAndTheCameraAreChecked) {
    const int width = camera.width;
    const int height = camera.height;
    camera.height = 0;
    EXPECT_NE(brokenScreenInvariant(game), "");
    camera.height = height;

    // An end screen that disagrees with the board: lost while the board is well lit.
    State* before = currentState;
    game.won = false;
    endState.enter(&game);
    currentState = &endState;
    EXPECT_NE(brokenScreenInvariant(game), "");
    setAllLight(33.0f); // a level of 4.29: lost
    EXPECT_EQ(brokenScreenInvariant(game), "");
    game.won = true; // a win before the time is up, showing the lose picture
    EXPECT_NE(brokenScreenInvariant(game), "");
    currentState = before;
    camera.width = width;
}

} // namespace
