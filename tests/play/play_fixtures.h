#pragma once

#include "gfx/Camera.h"
#include "app/FrameClock.h"
#include "app/Records.h"
#include "physics/Chain.h"
#include "play/BoardSquare.h"
#include "play/DealGenerator.h"
#include "play/Gear.h"
#include "play/LiveMode.h"
#include "states/EndState.h"
#include "play/State.h"
#include "support/PointerInput.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace playtest {

// Frames of 1/64 s: exact in float, so the fading adds up the same way on every machine.
constexpr int framesPerSecond = 64;
constexpr float frameStep = 1.0f / framesPerSecond;

inline int countAttached(const Chain& chain, const Gear* piece) {
    return static_cast<int>(std::count(chain.gears.begin(), chain.gears.end(), piece));
}

inline bool inPlay(const LiveMode& mode, const Body* piece) {
    return std::find(mode.gears.begin(), mode.gears.end(), piece) != mode.gears.end();
}

// A freshly built game, current, with a clock at zero and an 800 pixel wide camera, so a pixel
// is a world unit: world x = px - 400, world y = 300 - py.
class GameTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedState = currentState;
        savedCamera = activeCamera;
        elapsedMs = 0;
        previousMs = 0;
        frameMs = 0;
        frameSeconds = 0.0f; // the squares' first fade costs nothing
        camera.width = 800;
        camera.height = 600;
        activeCamera = &camera;
        dealGenerator.reset();
        currentState = &game;
        game.enter(nullptr);
    }

    void TearDown() override {
        game.release(nullptr);
        currentState = savedState;
        activeCamera = savedCamera;
        elapsedMs = 0;
        previousMs = 0;
        frameMs = 0;
        frameSeconds = 0.0f;
    }

    // One idle pass of the given length, counted in frames since the game started.
    void runFrame() {
        ++frame;
        previousMs = elapsedMs;
        elapsedMs = frame * 1000 / framesPerSecond;
        frameMs = elapsedMs - previousMs;
        frameSeconds = frameStep;
        game.update();
    }

    // A fresh game at 0 ms, as SetUp makes it, after the one played so far.
    void startAgain() {
        game.release(nullptr);
        dealGenerator.reset();
        advanceFrameClock(0);
        advanceFrameClock(0);
        game.enter(nullptr);
        currentState = &game;
    }

    // One idle pass of `ms` milliseconds, through the clock as the idle callback runs it.
    void runFrameOf(int ms) {
        advanceFrameClock(elapsedMs + ms);
        game.update();
    }

    void setTime(float seconds) { elapsedMs = static_cast<int>(seconds * 1000.0f + 0.5f); }

    void setAllLight(float light) {
        for (BoardSquare* square : game.squares) {
            square->light = light;
        }
    }

    // Presses and releases at world coordinates.
    static int px(float worldX) { return input::pixelX(worldX); }
    static int py(float worldY) { return input::pixelY(worldY); }
    void press(float x, float y) { game.mouse(input::leftButton, input::down, px(x), py(y)); }
    void releaseAt(float x, float y) { game.mouse(input::leftButton, input::up, px(x), py(y)); }
    void moveHeld(float x, float y) { game.motion(px(x), py(y)); }
    void moveFree(float x, float y) { game.passiveMotion(px(x), py(y)); }

    Gear* firstGear() { return game.gears[1]; }
    Gear* dealtPiece() { return game.gears[2]; }

    // A piece on the board, off the chain, ready to pay out.
    Gear* addPlacedPiece(float radius, Vec3 where, int payload, int charges, float turned) {
        Gear* piece = new Gear(radius, "./img/gear.png", 0.0f);
        piece->setPayload(payload, charges);
        piece->position = where;
        piece->placed = true;
        piece->turned = turned;
        game.gears.push_back(piece);
        return piece;
    }

    LiveMode game{frameClock, &endState, &records.current()};
    int frame = 0;
    State* savedState = nullptr;
    Camera* savedCamera = nullptr;
};

} // namespace playtest
