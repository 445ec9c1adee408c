#pragma once

#include "gfx/Vec3.h"
#include "app/FrameClock.h"
#include "app/Records.h"
#include "play/LiveMode.h"
#include "states/EndState.h"

#include <vector>

// A game in play for the benchmarks, built by LiveMode::enter itself and then brought to one of
// two moments of a game:
//  - Start: just after entering play: 35 links, the motor and the first gear on the chain.
//  - Late:  101 links (eleven add-link payouts) and 12 placed pieces on the chain.
// Both have the 100 squares and one dealt piece in the chute. holdSteady() puts the moving parts
// back where they were when the scene was made, so every timed frame starts from the same
// picture and the game neither ends nor pays out nor deals while it is being measured.
enum class Stage { Start, Late };

class PlayScene {
public:
    LiveMode mode{frameClock, &endState, &records.current()};

    explicit PlayScene(Stage stage, float frameStep = 1.0f / 60.0f);
    ~PlayScene();
    PlayScene(const PlayScene&) = delete;
    PlayScene& operator=(const PlayScene&) = delete;

    // Sets the frame clock for one more frame of play, 60 s into the game.
    void tick() const;
    // Joints back to their settled places, squares back to full light, nothing turned towards a
    // payout, the dealt piece back half way down the chute.
    void holdSteady();
    // Sprites the play field draws (hidden or zero-sized ones included).
    int spriteCount() const;

private:
    float frameStep;
    int playStartMs;
    std::vector<Vec3> jointPlaces;
    std::vector<float> angles;
};

// Makes ./img and ./sounds reachable: moves into the source tree when the working directory has
// no pictures. Returns false when neither place has them.
bool useGameDataDirectory();
