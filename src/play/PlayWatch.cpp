#include "play/PlayWatch.h"

#include "physics/Chain.h"
#include "play/Gear.h"
#include "play/LiveMode.h"

#include <cmath>

void PlayWatch::reset() {
    stillChainSeconds = 0.0f;
    lastTurnSeconds = 0.0f;
    piecesDropped = 0;
    droppedTouched = 0;
    spentPieces = 0;
    jointsBefore.clear();
}

void PlayWatch::beforeChain(const LiveMode& game) {
    for (Gear* piece : game.gears) {
        piece->seen.turnedBefore = piece->turned;
    }
    jointsBefore.clear(); // keeps its storage: a frame allocates only when the chain has grown
    if (game.chain != nullptr) {
        for (const ChainJoint* joint : game.chain->joints) {
            jointsBefore.push_back(joint->position);
        }
    }
}

void PlayWatch::afterChain(const LiveMode& game, float chainSeconds, float frameSeconds,
                           float gameSeconds) {
    if (chainSeconds <= 0.0f) {
        return; // the chain did not step: nothing to learn
    }
    bool anyTurning = false;
    for (Gear* piece : game.gears) {
        Gear::Seen& seen = piece->seen;
        seen.turning = piece != game.motor &&
                       piece->turned - seen.turnedBefore > turningDegreesPerSecond * chainSeconds;
        anyTurning = anyTurning || seen.turning;
        if (seen.turning) {
            seen.stillSeconds = 0.0f;
            if (seen.dealtDrop && !seen.touched) {
                seen.touched = true;
                ++droppedTouched;
            }
        } else if (piece->placed && piece != game.motor && piece != game.heldGear) {
            seen.stillSeconds += frameSeconds;
        }
        if (!seen.spent && piece->hadPayload() && piece->charges <= 0) {
            seen.spent = true;
            ++spentPieces;
        }
    }
    if (anyTurning) {
        lastTurnSeconds = gameSeconds;
    }

    // The largest distance a joint travelled over the frame's steps.
    float farthestSquared = 0.0f;
    if (game.chain != nullptr) {
        const std::vector<ChainJoint*>& joints = game.chain->joints;
        for (std::size_t i = 0; i < joints.size() && i < jointsBefore.size(); ++i) {
            const Vec3 e = joints[i]->position - jointsBefore[i];
            const float d = dot(e, e);
            farthestSquared = d > farthestSquared ? d : farthestSquared;
        }
    }
    const float moving = movingUnitsPerSecond * chainSeconds;
    if (game.motor != nullptr && farthestSquared <= moving * moving) {
        stillChainSeconds += frameSeconds;
    } else {
        stillChainSeconds = 0.0f;
    }
}

void PlayWatch::dropped(Gear& piece, bool firstTime) {
    Gear::Seen& seen = piece.seen;
    seen.stillSeconds = 0.0f;
    seen.dropped = true;
    if (firstTime && !seen.dealtDrop) {
        seen.dealtDrop = true;
        ++piecesDropped;
    }
}
