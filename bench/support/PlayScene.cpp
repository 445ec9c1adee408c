#include "support/PlayScene.h"

#include "app/FrameClock.h"
#include "physics/Chain.h"
#include "play/BoardSquare.h"
#include "play/Gear.h"

#include <string>
#include <unistd.h>

namespace {

constexpr int playStartAtMs = 5000; // where the start screen would have handed over
constexpr int measuredAtMs = 60000; // game time of every measured frame: well inside the 240 s
constexpr float dealtPieceChuteTime = 2.5f; // seconds: grown, half way down, not near the bin

// The pieces the late scene places, one of each deal and then some: radius, payload, charges.
struct Placement {
    float radius;
    int payload;
    int charges;
};
constexpr Placement latePieces[] = {
    {20.0f, Bulb, 1}, {30.0f, Bulb, 2}, {40.0f, Bulb, 3}, {50.0f, Bulb, 4}, {50.0f, AddLink, 1},
    {30.0f, Bulb, 2}, {40.0f, Bulb, 3}, {20.0f, Bulb, 1}, {50.0f, Bulb, 4}, {40.0f, Bulb, 3},
};

void settle(LiveMode& mode, int frames, float step, int& nowMs) {
    for (int i = 0; i < frames; ++i) {
        nowMs += static_cast<int>(step * 1000.0f);
        advanceFrameClock(nowMs);
        mode.update();
    }
}

} // namespace

bool useGameDataDirectory() {
    if (access("./img/bg.jpg", R_OK) == 0) {
        return true;
    }
    // This file sits in <source>/bench/support/.
    std::string source = __FILE__;
    for (int i = 0; i < 3; ++i) {
        const auto slash = source.find_last_of('/');
        if (slash == std::string::npos) {
            return false;
        }
        source.erase(slash);
    }
    return chdir(source.c_str()) == 0 && access("./img/bg.jpg", R_OK) == 0;
}

PlayScene::PlayScene(Stage stage, float frameStep)
    : frameStep(frameStep), playStartMs(playStartAtMs) {
    int nowMs = playStartMs;
    advanceFrameClock(nowMs);
    mode.enter(nullptr);
    settle(mode, 30, frameStep, nowMs); // the chain's far corners come onto the board

    if (stage == Stage::Late) {
        for (int i = 0; i < 11; ++i) {
            mode.chain->addLinks(6, 25);
        }
        settle(mode, 60, frameStep, nowMs);
        // Each piece next to a joint spread along the loop, so the chain holds every one.
        const std::size_t n = mode.chain->joints.size();
        const std::size_t count = sizeof(latePieces) / sizeof(latePieces[0]);
        for (std::size_t i = 0; i < count; ++i) {
            const Placement& p = latePieces[i];
            Gear* piece = new Gear(p.radius, "./img/gear.png", 0.0f);
            piece->setPayload(p.payload, p.charges);
            const Vec3 at = mode.chain->joints[(i + 1) * n / (count + 1)]->position;
            piece->position = {at.x + 0.5f * p.radius, at.y - 0.3f * p.radius, 0.0f};
            piece->icon.position = piece->position;
            piece->placed = true;
            const float size = p.radius * 2.0f;
            piece->scale = {size, size, size};
            mode.gears.push_back(piece);
            mode.chain->attach(piece);
        }
        settle(mode, 10, frameStep, nowMs);
    }

    for (const ChainJoint* joint : mode.chain->joints) {
        jointPlaces.push_back(joint->position);
    }
    for (const Gear* piece : mode.gears) {
        angles.push_back(piece->angle);
    }
    holdSteady();
}

PlayScene::~PlayScene() {
    mode.release(nullptr);
}

void PlayScene::tick() const {
    elapsedMs = playStartMs + measuredAtMs;
    frameMs = static_cast<int>(frameStep * 1000.0f);
    previousMs = elapsedMs - frameMs;
    frameSeconds = frameStep;
}

void PlayScene::holdSteady() {
    std::vector<ChainJoint*>& joints = mode.chain->joints;
    for (std::size_t i = 0; i < joints.size() && i < jointPlaces.size(); ++i) {
        joints[i]->position = jointPlaces[i];
    }
    for (BoardSquare* square : mode.squares) {
        square->light = BoardSquare::startLight;
    }
    for (std::size_t i = 0; i < mode.gears.size(); ++i) {
        Gear* piece = mode.gears[i];
        piece->turned = 0.0f;
        if (i < angles.size()) {
            piece->angle = angles[i];
        }
        if (!piece->placed) {
            piece->chuteTime = dealtPieceChuteTime;
        }
    }
}

int PlayScene::spriteCount() const {
    int count = 1 + static_cast<int>(mode.squares.size()) + 1; // background, squares, marker
    for (const Gear* piece : mode.gears) {
        count += piece->charges > 0 ? 2 : 1;
    }
    count += static_cast<int>(mode.chain->links.size() + mode.chain->joints.size());
    return count;
}
