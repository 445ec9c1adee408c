#include "play/PlayWatch.h"

#include "physics/Chain.h"
#include "play/Gear.h"
#include "play/LiveMode.h"

#include <cmath>
#include <utility>

void PlayWatch::reset() {
    // The lists keep their storage: a new game allocates only where it outgrows the last.
    std::vector<Vec3> joints = std::move(jointsBefore);
    std::vector<NotedEvent> events = std::move(recentEvents);
    std::vector<DeadEpisode> dead = std::move(episodes);
    *this = PlayWatch();
    jointsBefore = std::move(joints);
    recentEvents = std::move(events);
    episodes = std::move(dead);
    jointsBefore.clear();
    recentEvents.clear();
    episodes.clear();
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
    const bool still = farthestSquared <= moving * moving;
    if (game.motor != nullptr && still) {
        stillChainSeconds += frameSeconds;
    } else {
        stillChainSeconds = 0.0f;
    }
    holdingPiece = nullptr;
    if (game.chain != nullptr && game.motor != nullptr) {
        condition = classify(*game.chain, *game.motor, !still, &holdingPiece);
    } else {
        condition = ChainCondition::Moving;
    }
    settleCondition(frameSeconds);
    watchDeath(game, anyTurning, frameSeconds, gameSeconds);
}

void PlayWatch::settleCondition(float frameSeconds) {
    if (condition == shownCondition) {
        pendingSeconds = 0.0f;
        return;
    }
    if (condition != pendingCondition) {
        pendingCondition = condition;
        pendingSeconds = 0.0f;
    }
    pendingSeconds += frameSeconds;
    if (pendingSeconds >= conditionSettleSeconds) {
        shownCondition = condition;
        pendingSeconds = 0.0f;
    }
}

void PlayWatch::watchDeath(const LiveMode& game, bool anyTurning, float frameSeconds,
                           float gameSeconds) {
    if (anyTurning) {
        unturnedSeconds = 0.0f;
        turningSeconds += frameSeconds;
        // A piece dropped onto a dead chain turns for a frame as it pushes the joints aside;
        // only a piece that goes on turning brings the chain back.
        if (dead() && turningSeconds >= revivedSeconds) {
            episodes.back().ended = gameSeconds - turningSeconds;
        }
        return;
    }
    turningSeconds = 0.0f;
    const std::size_t onChain = game.chain != nullptr ? game.chain->gears.size() : 0;
    const bool motorOn =
        game.chain != nullptr && game.motor != nullptr && game.chain->isAttached(game.motor);
    if (onChain <= (motorOn ? 1u : 0u)) {
        unturnedSeconds = 0.0f; // nothing to turn: nothing is failing
        return;
    }
    unturnedSeconds += frameSeconds;
    if (unturnedSeconds < deadSeconds || dead()) {
        return;
    }
    DeadEpisode episode;
    episode.began = gameSeconds - unturnedSeconds;
    episode.condition = shownCondition;
    // The death follows what caused it by the frames the chain takes to settle.
    constexpr float settling = 0.5f;
    for (auto it = recentEvents.rbegin(); it != recentEvents.rend(); ++it) {
        if (it->at <= episode.began + settling) {
            episode.before = it->event;
            episode.beforeAt = it->at;
            break;
        }
    }
    episodes.push_back(episode);
}

void PlayWatch::note(ChainEvent event, float gameSeconds) {
    if (recentEvents.size() == recentEventCount) {
        recentEvents.erase(recentEvents.begin());
    }
    recentEvents.push_back({event, gameSeconds});
}

ChainCondition PlayWatch::classify(const Chain& chain, const Gear& motor, bool moving,
                                   const Gear** holding) {
    if (moving) {
        return ChainCondition::Moving;
    }
    const auto nearRim = [&chain](const Gear& piece) {
        const float reach = static_cast<float>(piece.radius) + rimBand;
        for (const ChainJoint* joint : chain.joints) {
            const Vec3 e = joint->position - piece.position;
            if (dot(e, e) <= reach * reach) {
                return true;
            }
        }
        return false;
    };
    if (!nearRim(motor)) {
        return ChainCondition::OffMotor;
    }
    bool stretched = false;
    for (const ChainLink* link : chain.links) {
        const Vec3 d = link->to->position - link->from->position;
        const float limit = link->restLength + stretchedBy;
        stretched = stretched || dot(d, d) > limit * limit;
    }
    if (!stretched) {
        return ChainCondition::Slack;
    }
    if (holding != nullptr) {
        float farthest = -1.0f;
        for (const Body* body : chain.gears) {
            const auto* piece = static_cast<const Gear*>(body); // the game attaches only pieces
            const Vec3 e = piece->position - motor.position;
            if (piece != &motor && dot(e, e) > farthest && nearRim(*piece)) {
                farthest = dot(e, e);
                *holding = piece;
            }
        }
    }
    return ChainCondition::Taut;
}

const char* conditionName(ChainCondition condition) {
    switch (condition) {
    case ChainCondition::Moving:
        return "moving";
    case ChainCondition::Taut:
        return "pulled tight";
    case ChainCondition::Slack:
        return "stuck slack";
    case ChainCondition::OffMotor:
        return "off the motor";
    }
    return "?";
}

const char* eventName(ChainEvent event) {
    switch (event) {
    case ChainEvent::None:
        return "nothing";
    case ChainEvent::AddLinkPayout:
        return "an add-link payout";
    case ChainEvent::Lifted:
        return "a piece lifted";
    case ChainEvent::Dropped:
        return "a piece dropped";
    case ChainEvent::DroppedNearMotor:
        return "a piece dropped near the motor";
    case ChainEvent::DraggedAcross:
        return "a piece dragged across the chain";
    case ChainEvent::Relaid:
        return "the chain laid again";
    }
    return "?";
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
