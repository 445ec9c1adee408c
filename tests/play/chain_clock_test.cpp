#include "play_fixtures.h"

#include <cmath>
#include <vector>

namespace {

using playtest::GameTest;

// The chain steps once per whole millisecond of play, whatever the frame rate.
class ChainClockTest : public GameTest {
protected:
    void playUntil(int ms, int frameLength) {
        while (elapsedMs < ms && currentState == &game) {
            runFrameOf(frameLength);
        }
    }

    // Drags the dealt piece from a whole-unit point (so the drag adds no rounding of its own)
    // onto a joint of the chain, through the play state's input.
    Gear* dragDealtPieceOntoTheChain() {
        Gear* piece = dealtPiece();
        piece->position = {-350.0f, 0.0f, 0.0f};
        const Vec3 target = game.chain->joints[20]->position;
        const float x = std::round(target.x) + 10.0f;
        const float y = std::round(target.y) + 10.0f;
        press(-350.0f, 0.0f);
        moveHeld(x, y);
        releaseAt(x, y);

        return piece;
    }

    // Everything the chain decides, as exact bits.
    std::vector<float> chainState(const Gear* piece) {
        std::vector<float> state;
        for (const ChainJoint* joint : game.chain->joints) {
            state.insert(state.end(), {joint->position.x, joint->position.y, joint->position.z});
        }
        state.insert(state.end(), {game.motor->angle, piece->angle, piece->turned,
                                   firstGear()->angle, firstGear()->turned});
        return state;
    }
};

TEST_F(ChainClockTest, SameGameAtEveryFrameRate) {
    std::vector<float> reference;
    for (int frameLength : {5, 10, 16, 33}) {
        startAgain();
        playUntil(2640, frameLength); // a multiple of every frame length
        ASSERT_EQ(elapsedMs, 2640);
        Gear* piece = dragDealtPieceOntoTheChain();
        ASSERT_TRUE(piece->placed);
        ASSERT_TRUE(game.chain->isAttached(piece));
        playUntil(5280, frameLength);
        ASSERT_EQ(currentState, &game);
        EXPECT_GT(piece->turned, 0.0f) << frameLength << " ms frames: the chain holds the piece";
        EXPECT_EQ(piece->charges, 2) << "no payout yet";

        const std::vector<float> state = chainState(piece);
        if (reference.empty()) {
            reference = state;
        } else {
            EXPECT_EQ(state, reference) << frameLength << " ms frames";
        }
    }
}

// At the frame rates this machine's renderer gives, the chain used to wind itself onto the motor
// within seconds and let the first gear go for the rest of the game.
TEST_F(ChainClockTest, PassiveGameKeepsTurningTheFirstGearUntilTheDefeat) {
    for (int frameLength : {16, 33}) {
        startAgain();
        int seconds = 0;
        float turnedBefore = 0.0f;
        while (currentState == &game) {
            runFrameOf(frameLength);
            if (elapsedMs >= (seconds + 1) * 1000 && currentState == &game) {
                ++seconds;
                const float turned = firstGear()->turned;
                EXPECT_GT(turned - turnedBefore, 300.0f)
                    << frameLength << " ms frames, second " << seconds;
                turnedBefore = turned;
            }
        }
        EXPECT_GT(seconds, 60) << "the game lasts until the board is dark";
    }
}

TEST_F(ChainClockTest, LongFramesStepTheChainAtMostAHundredTimes) {
    const float step = 0.001f * game.motor->speed; // the motor's turn in one chain step
    runFrameOf(5000);
    EXPECT_NEAR(game.motor->angle, 100 * step, 1e-3f);
    const float angle = game.motor->angle;
    runFrameOf(0);
    EXPECT_EQ(game.motor->angle, angle);
    runFrameOf(7);
    EXPECT_NEAR(game.motor->angle, angle + 7 * step, 1e-4f);
}

} // namespace
