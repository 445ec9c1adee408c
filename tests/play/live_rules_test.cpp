#include "play_fixtures.h"

#include "app/Callbacks.h"
#include "app/Records.h"
#include "audio/AudioFiles.h"
#include "audio/SoundDevice.h"
#include "gfx/Hud.h"
#include "states/EndState.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

using playtest::countAttached;
using playtest::GameTest;
using playtest::inPlay;

using RulesTest = GameTest;

TEST_F(RulesTest, EnterBuildsTheGame) {
    EXPECT_FALSE(game.won);
    ASSERT_EQ(game.gears.size(), 3u);
    Gear* motor = game.gears[0];
    EXPECT_EQ(game.motor, motor);
    EXPECT_EQ(motor->radius, 50);
    EXPECT_EQ(motor->speed, 200.0f);
    EXPECT_EQ(motor->position, (Vec3{-236.0f, -171.0f, 0.0f}));
    EXPECT_EQ(motor->scale, (Vec3{100.0f, 100.0f, 100.0f}));
    EXPECT_TRUE(motor->placed);
    EXPECT_EQ(firstGear()->radius, 25);
    EXPECT_EQ(firstGear()->position, (Vec3{-50.0f, -75.0f, 0.0f}));
    EXPECT_EQ(firstGear()->scale, (Vec3{50.0f, 50.0f, 50.0f}));
    EXPECT_TRUE(firstGear()->placed);

    ASSERT_NE(game.chain, nullptr);
    EXPECT_EQ(game.chain->joints.size(), 35u);
    ASSERT_EQ(game.chain->gears.size(), 2u);
    EXPECT_EQ(game.chain->gears[0], motor);
    EXPECT_EQ(game.chain->gears[1], firstGear());

    // The dealt piece waits at the top of the chute, off the chain.
    EXPECT_FALSE(dealtPiece()->placed);
    EXPECT_EQ(dealtPiece()->position, (Vec3{-350.0f, 202.0f, 0.0f}));
    EXPECT_EQ(countAttached(*game.chain, dealtPiece()), 0);

    ASSERT_EQ(game.squares.size(), 100u);
    EXPECT_FLOAT_EQ(game.squares[0]->position.x, -266.4f);
    EXPECT_FLOAT_EQ(game.squares[0]->position.y, -219.0f);
    EXPECT_FLOAT_EQ(game.squares[1]->position.y, -175.0f);  // rows first
    EXPECT_FLOAT_EQ(game.squares[10]->position.x, -199.2f); // then the next column
    EXPECT_FLOAT_EQ(game.squares[99]->position.x, 338.4f);
    EXPECT_FLOAT_EQ(game.squares[99]->position.y, 177.0f);
    EXPECT_EQ(game.squares[42]->scale, (Vec3{67.2f, 44.0f, 1.0f}));

    EXPECT_EQ(game.background.scale, (Vec3{800.0f, 800.0f, 800.0f}));
    EXPECT_EQ(game.powerMarker.scale, (Vec3{4.0f, 36.0f, 1.0f}));
    EXPECT_EQ(game.powerMarker.color[2], 0.0f);
    EXPECT_EQ(game.powerMarker.position, (Vec3{0.0f, 0.0f, 0.0f})); // until the first update
}

TEST_F(RulesTest, FirstFrameShowsTheStartingLevel) {
    runFrame();
    EXPECT_EQ(currentState, &game);
    const float level = (game.powerMarker.position.x + 180.0f) / 3.85f;
    EXPECT_LT(level, 71.5f);
    EXPECT_NEAR(level, 71.5f, 0.02f);
    EXPECT_NEAR(game.powerMarker.position.x, 95.3f, 0.1f);
    EXPECT_EQ(game.powerMarker.position.y, -274.0f);
    EXPECT_FALSE(game.alarmOn);
}

// With nobody playing, the board fades until the alarm and then the defeat. Meanwhile the dealt
// pieces roll into the bin and are replaced, one at a time.
// The loops are ours (the test runs where ./sounds is not), under the game's names, so the
// sound layer tells whether they still sound.
TEST_F(RulesTest, UntouchedGameSoundsTheAlarmThenIsLostInSilence) {
    const std::string tone = "/tmp/gridlume-loops-" + std::to_string(getpid()) + ".wav";
    ASSERT_TRUE(audiotest::writeTone(tone, 0.1));
    game.sounds.loadLoop(tone.c_str(), "alarm");
    game.sounds.loadLoop(tone.c_str(), "motor");
    std::remove(tone.c_str());
    game.sounds.play("motor");
    int alarmFrame = 0;
    while (currentState == &game && frame < 100 * playtest::framesPerSecond) {
        runFrame();
        if (game.alarmOn && alarmFrame == 0) {
            alarmFrame = frame;
            EXPECT_TRUE(game.sounds.playing("alarm"));
            EXPECT_TRUE(game.sounds.playing("motor"));
        }
        if (currentState != &game) {
            break;
        }
        int waiting = 0;
        for (const Gear* piece : game.gears) {
            waiting += piece->placed ? 0 : 1;
        }
        ASSERT_EQ(waiting, 1) << "frame " << frame;
        ASSERT_EQ(game.chain->gears.size(), 2u);
    }
    const int defeatFrame = frame;
    EXPECT_EQ(alarmFrame, 3458);  // 54.03 s
    EXPECT_EQ(defeatFrame, 4465); // 69.77 s
    EXPECT_NEAR(alarmFrame / 64.0, 54.0, 0.1);
    EXPECT_NEAR(defeatFrame / 64.0, 69.8, 0.1);
    EXPECT_EQ(currentState, &endState);
    EXPECT_FALSE(game.won);
    // A decided game falls silent; its chain turned the first gear to the end.
    EXPECT_FALSE(game.sounds.playing("alarm"));
    EXPECT_FALSE(game.sounds.playing("motor"));
    EXPECT_FALSE(game.alarmOn);
    EXPECT_TRUE(game.watch.episodes.empty());
}

// C, or the button by the motor while it shows, lays the chain as a new game lays it, with the
// links it has now; the pieces stay put. A chain thrown off the motor reads so, dies after 5 s,
// and relaxed mode lays it again 5 s after that; the normal game leaves that to the player.
TEST_F(RulesTest, ADeadChainIsLaidAgain) {
    // A ring of links at rest, clear of the motor and the first gear.
    const auto throwOff = [this] {
        const auto n = game.chain->joints.size();
        const double radius = 25.0 / (2.0 * std::sin(3.14159265 / n));
        for (std::size_t i = 0; i < n; ++i) {
            const double a = 2.0 * 3.14159265 * static_cast<double>(i) / n;
            game.chain->joints[i]->position = {static_cast<float>(170.0 + radius * std::cos(a)),
                                               static_cast<float>(10.0 + radius * std::sin(a)),
                                               0.0f};
        }
    };
    const auto laidAsNew = [this] {
        const int n = static_cast<int>(game.chain->joints.size());
        for (int i = 0; i < n; ++i) {
            const Vec3 p = game.chain->joints[static_cast<std::size_t>(i)]->position;
            const Vec3 q = Chain::startPosition(i, n, 25.0f, {-295.0f, -230.0f, 0.0f});
            if (p.x != q.x || p.y != q.y) {
                return false;
            }
        }
        return true;
    };
    for (const bool relaxed : {false, true}) {
        startAgain();
        game.relaxed = relaxed;
        runFrame();
        game.chain->addLinks(6, 25);
        const Vec3 gear = firstGear()->position;
        throwOff();
        game.keyboard('c', 0, 0);
        EXPECT_TRUE(laidAsNew());
        EXPECT_EQ(game.chain->links.size(), 41u);
        EXPECT_EQ(firstGear()->position.x, gear.x);

        throwOff();
        const HudBox& button = hud::relayButton;
        press(button.x, button.y); // not offered yet: a press like any other
        releaseAt(button.x, button.y);
        EXPECT_FALSE(laidAsNew());
        for (int i = 0; i < 2 * playtest::framesPerSecond; ++i) {
            runFrame();
        }
        EXPECT_EQ(game.watch.shownCondition, ChainCondition::OffMotor);
        EXPECT_TRUE(game.relayOffered());
        EXPECT_FALSE(game.watch.dead());
        press(button.x, button.y);
        releaseAt(button.x, button.y);
        EXPECT_TRUE(laidAsNew());
        EXPECT_EQ(game.heldGear, nullptr);
        for (int i = 0; i < 5 * playtest::framesPerSecond && !firstGear()->seen.turning; ++i) {
            runFrame();
        }
        ASSERT_TRUE(firstGear()->seen.turning) << "laid again, the chain turns the gear";

        throwOff();
        const float thrown = game.gameSeconds();
        while (game.gameSeconds() < thrown + 9.9f) {
            runFrame();
        }
        EXPECT_TRUE(game.watch.dead());
        EXPECT_FALSE(laidAsNew());
        while (game.gameSeconds() < thrown + 12.0f) {
            runFrame();
        }
        EXPECT_EQ(game.lastRelaySeconds > thrown, relaxed) << relaxed;
        while (game.gameSeconds() < thrown + 20.0f) {
            runFrame();
        }
        EXPECT_EQ(game.watch.dead(), !relaxed) << "the first gear turns again";
    }
}

// How a still chain stands, read from a loop lying round the motor: touching its rim with every
// link at rest it is a heap the motor cannot grip; with links stretched it is held tight, by the
// piece farthest out that it touches; away from the rim it is off the motor.
TEST_F(RulesTest, AStillChainReadsAsTautSlackOrOffTheMotor) {
    const Gear& motor = *game.motor;
    const auto layRound = [&](float chord, float gap) {
        const auto n = game.chain->joints.size();
        const float radius = static_cast<float>(chord / (2.0 * std::sin(3.14159265 / n)));
        const Vec3 centre = motor.position + Vec3{radius + 50.0f + gap, 0.0f, 0.0f};
        for (std::size_t i = 0; i < n; ++i) {
            const double a = 3.14159265 + 2.0 * 3.14159265 * static_cast<double>(i) / n;
            game.chain->joints[i]->position =
                centre + Vec3{static_cast<float>(radius * std::cos(a)),
                              static_cast<float>(radius * std::sin(a)), 0.0f};
        }
        // On the far side, its rim on the joint there.
        const Vec3 far = game.chain->joints[n / 2]->position;
        firstGear()->position = far + (far - centre) * (25.0f / radius);
    };
    const Gear* holding = nullptr;
    layRound(24.9f, 0.0f);
    EXPECT_EQ(PlayWatch::classify(*game.chain, motor, false, &holding), ChainCondition::Slack);
    EXPECT_EQ(PlayWatch::classify(*game.chain, motor, true, &holding), ChainCondition::Moving);
    layRound(25.5f, 0.0f);
    EXPECT_EQ(PlayWatch::classify(*game.chain, motor, false, &holding), ChainCondition::Taut);
    EXPECT_EQ(holding, firstGear());
    layRound(24.9f, 3.0f);
    EXPECT_EQ(PlayWatch::classify(*game.chain, motor, false, &holding), ChainCondition::OffMotor);
}

TEST_F(RulesTest, TimeIsUpBeforeTheBoardFades) {
    setAllLight(50.0f);
    frameSeconds = 1.0f;
    elapsedMs = 240000; // exactly 240 s: not yet
    game.update();
    EXPECT_EQ(currentState, &game);
    EXPECT_LT(game.squares[0]->light, 50.0f);

    setAllLight(0.0f); // a board that would lose
    const float redBefore = game.squares[0]->color[0];
    elapsedMs = 240016;
    game.update();
    EXPECT_EQ(currentState, &endState);
    EXPECT_TRUE(game.won);
    EXPECT_EQ(game.squares[0]->color[0], redBefore); // not faded in the winning frame
}

TEST_F(RulesTest, AlarmKeepsItsStateBetweenTheThresholds) {
    frameSeconds = 0.0f;
    setAllLight(50.0f); // level 28.6
    game.update();
    EXPECT_FALSE(game.alarmOn);
    setAllLight(40.0f); // level 14.3
    game.update();
    EXPECT_TRUE(game.alarmOn);
    setAllLight(50.0f);
    game.update();
    EXPECT_TRUE(game.alarmOn);
    setAllLight(55.0f); // level 35.75
    game.update();
    EXPECT_FALSE(game.alarmOn);

    setAllLight(100.0f); // level 100.1, shown as 100
    game.update();
    EXPECT_FLOAT_EQ(game.powerMarker.position.x, 205.0f);
    EXPECT_EQ(currentState, &game);
    setAllLight(30.0f); // level 0
    game.update();
    EXPECT_EQ(currentState, &endState);
    EXPECT_FALSE(game.won);
}

TEST_F(RulesTest, TheDealFollowsTheFixedSequence) {
    DealGenerator fresh;
    const int raw[] = {41, 18467, 6334, 26500, 19169};
    for (int value : raw) {
        EXPECT_EQ(fresh.next(), value);
    }

    struct Expected {
        int radius;
        int payload;
        int charges;
        float icon;
    };
    // k = 1, 2, 4, 0, 4
    const Expected deals[] = {
        {30, Bulb, 2, 32.0f}, {40, Bulb, 3, 48.0f},    {50, AddLink, 1, 80.0f},
        {20, Bulb, 1, 16.0f}, {50, AddLink, 1, 80.0f},
    };
    for (int i = 1; i < 5; ++i) {
        game.spawnGear();
    }
    ASSERT_EQ(game.gears.size(), 7u);
    for (int i = 0; i < 5; ++i) {
        const Gear* piece = game.gears[2 + i];
        EXPECT_EQ(piece->radius, deals[i].radius) << i;
        EXPECT_EQ(piece->payload, deals[i].payload) << i;
        EXPECT_EQ(piece->charges, deals[i].charges) << i;
        EXPECT_FLOAT_EQ(piece->icon.scale.x, deals[i].icon) << i;
        EXPECT_EQ(piece->speed, 0.0f);
        EXPECT_FALSE(piece->placed);
        EXPECT_EQ(countAttached(*game.chain, piece), 0);
    }
}

// An unplaced piece that is gone is replaced in the same frame, and the replacement already
// rolls; the piece after a removed one still gets its turn.
TEST_F(RulesTest, RemovalReplacesUnplacedPiecesAndSkipsNobody) {
    Gear* binned = dealtPiece();
    binned->discarding = true;
    binned->chuteTime = 5.32f;
    Gear* bulb = addPlacedPiece(20.0f, {0.0f, 0.0f, 0.0f}, Bulb, 1, 1800.5f);
    frameSeconds = 0.0f;
    setAllLight(50.0f);
    frameSeconds = playtest::frameStep;
    elapsedMs = 16;
    game.update();

    EXPECT_FALSE(inPlay(game, binned)); // its replacement was made before it was freed
    ASSERT_EQ(game.gears.size(), 4u);
    EXPECT_EQ(game.gears[2], bulb);
    EXPECT_EQ(bulb->charges, 0); // paid out in the same frame
    Gear* replacement = game.gears[3];
    EXPECT_EQ(replacement->radius, 40); // the second deal
    EXPECT_FLOAT_EQ(replacement->chuteTime, playtest::frameStep);
    EXPECT_FALSE(replacement->placed);

    // A placed piece that leaves through the bin is not replaced.
    bulb->discarding = true;
    bulb->chuteTime = 5.32f;
    game.update();
    ASSERT_EQ(game.gears.size(), 3u);
    EXPECT_EQ(game.gears[2], replacement);
}

// Three radii, or four in relaxed mode.
TEST_F(RulesTest, BulbRelightsOnlyStrictlyWithinItsReach) {
    frameSeconds = 0.0f;
    setAllLight(50.0f);
    const Vec3 column0 = game.squares[0]->position; // rows at y = -219, -175, -131, -87
    addPlacedPiece(20.0f, {column0.x, -159.0f, 0.0f}, Bulb, 2, 1800.1f);
    game.update();
    EXPECT_FLOAT_EQ(game.squares[0]->light, 50.0f); // exactly 60 away
    EXPECT_FLOAT_EQ(game.squares[1]->light, 85.0f);
    EXPECT_FLOAT_EQ(game.squares[2]->light, 85.0f);
    EXPECT_FLOAT_EQ(game.squares[3]->light, 50.0f);
    EXPECT_FLOAT_EQ(game.squares[11]->light, 50.0f); // 67.2 across, 16 up
    // The colour follows at the next frame's fade.
    EXPECT_FLOAT_EQ(game.squares[1]->color[1], 0.5f);
    game.update();
    EXPECT_FLOAT_EQ(game.squares[1]->color[1], 0.85f);

    game.relaxed = true;
    setAllLight(50.0f);
    addPlacedPiece(20.0f, {column0.x, -159.0f, 0.0f}, Bulb, 2, 1800.1f);
    game.update();
    game.relaxed = false;
    for (int i : {0, 1, 2, 3, 11, 12}) { // 60, 72, 69 and 73 away are within 80
        EXPECT_FLOAT_EQ(game.squares[i]->light, 85.0f) << i;
    }
    EXPECT_FLOAT_EQ(game.squares[4]->light, 50.0f);  // 116 away
    EXPECT_FLOAT_EQ(game.squares[13]->light, 50.0f); // 67.2 across, 72 up: 98 away
}

TEST_F(RulesTest, AddLinkPayoutLengthensTheChain) {
    Gear* adder = addPlacedPiece(50.0f, {100.0f, 0.0f, 0.0f}, AddLink, 1, 2000.0f);
    runFrame();
    EXPECT_EQ(adder->charges, 0);
    EXPECT_EQ(game.chain->joints.size(), 41u);
    EXPECT_EQ(game.chain->links.size(), 41u);
    runFrame();
    EXPECT_EQ(game.chain->joints.size(), 41u);
}

// The held piece is never advanced, so update can never destroy it under the pointer.
TEST_F(RulesTest, HeldPieceIsNeverRemoved) {
    Gear* held = dealtPiece();
    press(-350.0f, 202.0f);
    ASSERT_EQ(game.heldGear, held);
    for (int i = 0; i < 7 * playtest::framesPerSecond; ++i) {
        runFrame();
    }
    EXPECT_TRUE(inPlay(game, held));
    EXPECT_EQ(game.heldGear, held);
    EXPECT_EQ(held->chuteTime, 0.0f);
}

TEST_F(RulesTest, ReleaseGivesEverythingBackOnce) {
    game.keyboard('a', 0, 0);
    press(-350.0f, 202.0f);
    ASSERT_NE(game.heldGear, nullptr);
    EXPECT_TRUE(game.release(nullptr));
    EXPECT_EQ(game.chain, nullptr);
    EXPECT_TRUE(game.gears.empty());
    EXPECT_TRUE(game.squares.empty());
    EXPECT_EQ(game.motor, nullptr);
    EXPECT_EQ(game.heldGear, nullptr);
    EXPECT_FALSE(game.carrying);
    // Events after the release find nothing to touch.
    releaseAt(0.0f, 0.0f);
    press(0.0f, 0.0f);
    moveHeld(10.0f, 10.0f);
    game.keyboard('a', 0, 0);
    EXPECT_EQ(game.gears.size(), 1u);
    game.draw();
    EXPECT_TRUE(game.release(nullptr)); // a second release is harmless
}

// Through the window's own clock, as the idle callback runs it.
class PauseTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        resetFrameClockHolds();
    }
    void TearDown() override {
        resetFrameClockHolds();
        GameTest::TearDown();
    }
    void idleAt(int windowMs) {
        tickFrameClock(windowMs);
        game.update();
    }
};

TEST_F(PauseTest, NothingTimedMovesWhilePausedAndResumingMakesNoLongFrame) {
    for (int ms = 16; ms <= 3200; ms += 16) {
        idleAt(ms);
    }
    press(dealtPiece()->position.x, dealtPiece()->position.y); // the first of a double press
    releaseAt(dealtPiece()->position.x, dealtPiece()->position.y);
    const float light = game.squares[0]->light;
    const float chute = dealtPiece()->chuteTime;
    const float motorAngle = game.motor->angle;
    const int left = game.secondsLeft();
    const int before = elapsedMs;

    // A loop of our own in the game's bank (the test runs where ./sounds is not).
    const std::string tone = "/tmp/gridlume-pause-" + std::to_string(getpid()) + ".wav";
    ASSERT_TRUE(audiotest::writeTone(tone, 0.1));
    game.sounds.loadLoop(tone.c_str(), "hum");
    const int motorLoop = game.sounds.play("hum");
    std::remove(tone.c_str());
    ASSERT_TRUE(soundPlaying(motorLoop));
    game.keyboard('p', 0, 0);
    ASSERT_TRUE(game.paused);
    EXPECT_FALSE(soundPlaying(motorLoop));
    game.keyboard('a', 0, 0); // input to the pieces waits
    EXPECT_EQ(game.gears.size(), 3u);
    for (int ms = 3216; ms <= 13200; ms += 16) {
        idleAt(ms);
    }
    EXPECT_EQ(elapsedMs, before);
    EXPECT_EQ(game.squares[0]->light, light);
    EXPECT_EQ(dealtPiece()->chuteTime, chute);
    EXPECT_EQ(game.motor->angle, motorAngle);
    EXPECT_EQ(game.secondsLeft(), left);

    game.keyboard(' ', 0, 0);
    EXPECT_FALSE(game.paused);
    EXPECT_TRUE(soundPlaying(motorLoop)); // the same play, going on
    idleAt(13216);
    EXPECT_EQ(frameMs, 16);
    EXPECT_EQ(elapsedMs, before + 16);
    // 10 s of pause are no time at all for the double press either.
    press(dealtPiece()->position.x, dealtPiece()->position.y);
    EXPECT_TRUE(game.carrying);

    // A hidden window pauses; showing it again leaves the game paused.
    windowStatusChanged(0); // GLUT_HIDDEN: iconified or unmapped
    EXPECT_TRUE(game.paused);
    windowStatusChanged(1); // GLUT_FULLY_RETAINED: shown again
    EXPECT_TRUE(game.paused);
}

} // namespace

// Relaxed mode slows the fading (and lengthens a bulb's reach, above) and nothing else: after the
// same 20 s of play the chain, the pieces and the deal are exactly those of a normal game, while a
// board left alone lasts the inverse of the factor times as long, up to the whole game, and at
// least half as long again.
TEST_F(RulesTest, RelaxedModeMakesAnUntouchedBoardLastLongerAndLeavesEveryOtherRuleAlone) {
    struct Outcome {
        std::vector<float> numbers;
        float seconds;
    };
    const auto play = [&] {
        Outcome o{{}, 0.0f};
        for (int i = 0; i < 20 * playtest::framesPerSecond; ++i) {
            runFrame();
        }
        for (const Gear* p : game.gears) {
            o.numbers.insert(o.numbers.end(), {p->position.x, p->position.y, p->angle, p->turned,
                                               p->chuteTime, static_cast<float>(p->radius)});
        }
        for (const ChainJoint* j : game.chain->joints) {
            o.numbers.insert(o.numbers.end(), {j->position.x, j->position.y});
        }
        while (currentState == &game && elapsedMs < 250000) {
            runFrameOf(100); // nobody plays: long frames fade the board all the same
        }
        o.seconds = static_cast<float>(elapsedMs) / 1000.0f;
        return o;
    };
    const Outcome normal = play();
    game.relaxed = true;
    frame = 0;
    startAgain();
    const Outcome relaxed = play();
    game.relaxed = false;
    EXPECT_EQ(relaxed.numbers, normal.numbers);
    EXPECT_GE(relaxed.seconds, 1.5f * normal.seconds);
    const float expected =
        std::min(normal.seconds / LiveMode::relaxedFadeFactor, LiveMode::gameLength);
    EXPECT_NEAR(relaxed.seconds, expected, 0.5f);
}

// The hints of the first games: each shows once when its moment comes, for a few seconds, and
// not again soon after.
class HintsTest : public GameTest {
protected:
    void SetUp() override {
        hintChoice.forced = 1;
        GameTest::SetUp();
    }
    void TearDown() override {
        GameTest::TearDown();
        hintChoice.forced = -1;
        records = RecordsFile();
    }
    int showing() const { return game.hints.showing(game.gameSeconds()); }
    void runFor(float seconds) {
        for (int i = 0; i < seconds * playtest::framesPerSecond; ++i) {
            runFrame();
        }
    }
    static constexpr int drop = static_cast<int>(Hint::Drop);
};

TEST_F(HintsTest, DropIdleAndSpentHintsShowOnceOnTheirTrigger) {
    runFrame();
    EXPECT_EQ(showing(), drop); // the first deal
    setTime(frame / 64.0f);
    press(-350.0f, 200.0f);
    moveHeld(150.0f, 100.0f); // where the chain does not reach
    releaseAt(150.0f, 100.0f);
    runFrame();
    EXPECT_EQ(showing(), -1); // dropped: its moment has passed
    runFor(2.1f);
    const int idle = static_cast<int>(Hint::Idle);
    EXPECT_EQ(showing(), idle);
    for (int k = 0; showing() == idle && k < 10 * playtest::framesPerSecond; ++k) {
        runFrame(); // the rest of its few seconds
    }
    const int ended = frame;

    addPlacedPiece(30.0f, {250.0f, -150.0f, 0.0f}, Bulb, 1, 1801.0f);
    runFrame(); // pays out its only charge
    runFrame();
    EXPECT_EQ(showing(), static_cast<int>(Hint::Spent));
    EXPECT_EQ(game.hints.timesShown(Hint::Drop), 1);
    EXPECT_EQ(game.hints.timesShown(Hint::Taut), 0);

    // The idle piece still lies there: its hint rests 20 s from its end, then shows again.
    runFor(19.9f - float(frame - ended) / playtest::framesPerSecond);
    EXPECT_EQ(game.hints.timesShown(Hint::Idle), 1);
    runFor(0.2f);
    EXPECT_EQ(showing(), idle);
}

// The first gear flung across the board leaves the chain behind round the motor, turning nothing:
// whatever the sign says then, it is not a chain pulled tight, and once the chain is dead the
// hint names C. A still chain that a piece holds tight calls for the taut hint instead.
TEST_F(HintsTest, TheChainHintsTellATautChainFromADeadOne) {
    runFrame();
    setTime(frame / 64.0f);
    press(-50.0f, -75.0f);
    for (int k = 1; k <= 20; ++k) {
        moveHeld(-50.0f + k * 17.0f, -75.0f + k * 12.0f);
    }
    releaseAt(290.0f, 165.0f);
    // It waits its turn behind the captions already showing.
    while (game.hints.timesShown(Hint::Relay) == 0 && frame < 20 * playtest::framesPerSecond) {
        runFrame();
    }
    EXPECT_EQ(showing(), static_cast<int>(Hint::Relay));
    EXPECT_TRUE(game.relayOffered());
    EXPECT_NE(game.watch.shownCondition, ChainCondition::Taut);
    EXPECT_EQ(game.hints.timesShown(Hint::Taut), 0);

    game.watch.episodes.clear();
    game.watch.piecesDropped = 1;
    for (Gear* p : game.gears) {
        p->seen = Gear::Seen();
    }
    game.watch.stillChainSeconds = HintBoard::tautSeconds;
    for (const ChainCondition stands : {ChainCondition::Slack, ChainCondition::Taut}) {
        HintBoard board;
        board.start(true);
        game.watch.shownCondition = stands;
        board.watchGame(game, 30.0f);
        EXPECT_EQ(board.showing(30.0f),
                  stands == ChainCondition::Taut ? static_cast<int>(Hint::Taut) : -1);
    }
}

TEST_F(HintsTest, NoHintsAfterTheFirstThreeGamesUnlessAskedFor) {
    hintChoice.forced = -1;
    records = RecordsFile();
    records.add(false, 1000);
    records.add(false, 1000, true); // relaxed games count too
    startAgain();
    EXPECT_TRUE(game.hints.enabled()); // two games played
    records.add(false, 1000);
    startAgain();
    EXPECT_FALSE(game.hints.enabled());
    runFor(3.0f);
    EXPECT_EQ(showing(), -1);
    EXPECT_EQ(game.hints.timesShown(Hint::Drop), 0);

    game.keyboard('h', 0, 0); // H: on, for the games after this one too
    EXPECT_EQ(game.hints.toast(game.gameSeconds()), 1);
    EXPECT_EQ(hintChoice.forced, 1);
    runFrame();
    EXPECT_EQ(showing(), drop);
    game.keyboard('H', 0, 0);
    EXPECT_EQ(showing(), -1);
    EXPECT_EQ(game.hints.toast(game.gameSeconds()), 0);
}
