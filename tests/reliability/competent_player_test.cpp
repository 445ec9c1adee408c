#include "play/play_fixtures.h"
#include "support/CompetentPlayer.h"
#include "support/Gameplay.h"
#include "support/MonkeyInvariants.h"

#include <iterator>
#include <unordered_map>

namespace {

using playtest::GameTest;

// The player in a game of the play fixtures, with everything it does to the pieces watched.
class CompetentPlayerTest : public GameTest {
protected:
    struct Watched {
        bool placed = false;
        bool lifted = false;
        bool discarding = false;
    };

    // Plays `seconds` of game time in frames of `ms`, checking after every frame that each piece
    // the player put down is on the chain, that only spent pieces and small bulbs go to the bin
    // by its hand, and that the game's invariants hold.
    void play(CompetentPlayer& player, float seconds, int ms) {
        while (elapsedMs < static_cast<int>(seconds * 1000.0f) && currentState == &game) {
            player.act(game);
            runFrameOf(ms);
            ASSERT_EQ(brokenPlayInvariant(game, 0), "") << elapsedMs << " ms";
            for (const Gear* p : game.gears) {
                Watched& w = watched[p];
                if (p->placed && !w.placed && p != game.motor && p != firstGear()) {
                    ++placedPieces;
                    EXPECT_TRUE(game.chain->isAttached(p)) << "put down off the chain";
                }
                // Presses too close together would lift a piece it meant to drag.
                if (p->lifted && !w.lifted) {
                    EXPECT_EQ(p->charges, 0) << "lifted a piece that still had charges";
                }
                if (p->discarding && !w.discarding) {
                    if (w.placed) {
                        ++binnedPieces;
                        EXPECT_EQ(p->charges, 0) << "a piece with charges left was binned";
                    } else if (p->position.x != -350.0f) { // thrown, not rolled down the chute
                        EXPECT_EQ(p->radius, 20) << "only the smallest bulbs are thrown away";
                        EXPECT_EQ(p->payload, Bulb);
                    }
                }
                w.placed = p->placed;
                w.lifted = p->lifted;
                w.discarding = p->discarding;
            }
            // A freed address may come back as a new piece.
            for (auto it = watched.begin(); it != watched.end();) {
                it = playtest::inPlay(game, it->first) ? std::next(it) : watched.erase(it);
            }
        }
    }

    std::unordered_map<const Gear*, Watched> watched;
    int placedPieces = 0;
    int binnedPieces = 0;
};

// Its gestures are timed in game seconds: the double press that lifts a spent piece and the
// release over the bin half a second later must work whatever the frame length.
TEST_F(CompetentPlayerTest, PutsPiecesOnTheChainAndBinsThemWhenSpent) {
    for (const int ms : {16, 33}) {
        SCOPED_TRACE(::testing::Message() << ms << " ms frames");
        startAgain();
        watched.clear();
        placedPieces = binnedPieces = 0;

        CompetentPlayer player(3);
        play(player, 45.0f, ms);
        ASSERT_EQ(currentState, &game);
        EXPECT_GE(placedPieces, 3);
        EXPECT_EQ(player.placed, placedPieces);
        EXPECT_GE(binnedPieces, 1);
        EXPECT_EQ(player.binned, binnedPieces);
        EXPECT_FALSE(game.carrying) << "every carry ends";
        // It stretched the chain out with the small gear, away from where the game put it.
        EXPECT_GT(firstGear()->position.x, 0.0f);
    }
}

// A spent bulb goes to the bin; a charged one that the chain does not reach goes back on it.
TEST_F(CompetentPlayerTest, BinsASpentPieceAndPutsBackOneThatStandsStill) {
    Gear* spent = addPlacedPiece(40.0f, {100.0f, -170.0f, 0.0f}, Bulb, 1, 1801.0f);
    Gear* still = addPlacedPiece(30.0f, {300.0f, 140.0f, 0.0f}, Bulb, 2, 0.0f);
    game.chain->attach(spent);
    game.chain->attach(still);
    CompetentPlayer player(5);
    play(player, 10.0f, 16);
    EXPECT_FALSE(playtest::inPlay(game, spent));
    EXPECT_EQ(player.binned, 1);
    ASSERT_TRUE(playtest::inPlay(game, still));
    EXPECT_GE(player.replaced, 1);
    EXPECT_LT(still->position.x, 250.0f) << "moved to where the chain runs";
    EXPECT_GT(still->turned, 300.0f);
}

TEST_F(CompetentPlayerTest, LightsTheBoardBetterThanNobody) {
    CompetentPlayer player(3);
    play(player, 60.0f, 16);
    float total = 0.0f;
    for (const BoardSquare* square : game.squares) {
        total += square->light;
    }
    // Nobody playing leaves 80 - 60 x 0.667 = 40 on every square.
    EXPECT_GT(total / 100.0f, 45.0f);
}

// The figures of docs/gameplay.md come from these games: each seed must replay its game.
TEST(Gameplay, ASeedReplaysItsGameAndNobodyLosesAtTheSameTime) {
    GameplayOptions options;
    options.seed = 4;
    options.capSeconds = 30.0f;
    const GameplayResult first = playGameplay(options);
    const GameplayResult again = playGameplay(options);
    EXPECT_FALSE(first.ended);
    EXPECT_FLOAT_EQ(first.seconds, 30.0f);
    EXPECT_GT(first.placed, 0);
    EXPECT_EQ(describeGame(first), describeGame(again));

    options.player = PlayerKind::Passive;
    for (const int ms : {16, 33}) {
        options.frameMs = ms;
        options.capSeconds = 100.0f;
        const GameplayResult passive = playGameplay(options);
        EXPECT_TRUE(passive.ended);
        EXPECT_FALSE(passive.won);
        EXPECT_NEAR(passive.seconds, 69.8f, 0.05f) << ms << " ms frames";
        EXPECT_EQ(passive.bulbPayouts + passive.linkPayouts, 0);
    }

    const GameplaySummary s = summarise({first, again, playGameplay(options)});
    EXPECT_EQ(s.games, 3);
    EXPECT_EQ(s.losses, 1);
    EXPECT_FLOAT_EQ(s.medianSeconds, 30.0f);
    EXPECT_NEAR(s.longest, 69.8f, 0.05f);
}

} // namespace
