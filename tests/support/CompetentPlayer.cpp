#include "CompetentPlayer.h"

#include "BoardLight.h"

#include "app/FrameClock.h"
#include "physics/Chain.h"
#include "play/BoardSquare.h"
#include "play/Gear.h"
#include "play/LiveMode.h"
#include "play/PlayField.h"

#include <algorithm>
#include <cmath>

namespace {

// A piece on the board that has not turned for this long is off the chain.
constexpr float stalledAfter = 1.5f;
// Joints slower than this are not carried round by the motor.
constexpr float stillJoint = 15.0f;
constexpr float jointSampleInterval = 0.2f;
constexpr float turnWindow = 0.25f;
constexpr float minTurnRate = 40.0f; // degrees per second
// Most light one payout can add to a square that is not already bright.
constexpr float payoutLight = 35.0f;
constexpr float reachPerRadius = 3.0f;
// Room for the chain between two pieces: squeezed between them it jams.
constexpr float gap = 30.0f;
// Bulbs this small light too few squares to be worth a place on the chain.
constexpr int smallestKept = 20;

// The small gear the game starts with keeps the chain stretched out across the board: pulled
// this far from the motor at the start, further by a little now and then, and back by a little
// when the chain stops. Stretched too far, the chain cannot move; left near the motor, the chain
// turns only the pieces in the corner.
constexpr float stretchAtStart = 300.0f;
constexpr float stretchMost = 350.0f;
constexpr float stretchStep = 20.0f;
constexpr float stretchEvery = 8.0f;
constexpr float slackenStep = 40.0f;
constexpr float slackenAfter = 1.0f; // of the small gear standing still
constexpr float nearestToMotor = 120.0f;
constexpr float tensionPause = 1.5f;
constexpr float tensionSpeed = 100.0f; // units per second: slow enough for the chain to follow
constexpr float tensionSpeedAtStart = 150.0f;
constexpr float stretchFrom = 0.5f; // once the chain has settled round the motor

float distance(Vec3 a, Vec3 b) {
    const Vec3 e = a - b;
    return std::sqrt(dot(e, e));
}

// Degrees between two angles on the dial, 0 to 180.
float angleBetween(float a, float b) {
    float d = std::fmod(std::fabs(a - b), 360.0f);
    return d > 180.0f ? 360.0f - d : d;
}

} // namespace

CompetentPlayer::CompetentPlayer(std::uint32_t seed)
    : random(seed), reaction(random.between(0.15f, 0.3f)), hand(random.between(900.0f, 1600.0f)),
      depth(random.between(10.0f, 18.0f)),
      stretchAngle(random.between(15.0f, 25.0f) * 3.14159265f / 180.0f) {}

void CompetentPlayer::act(LiveMode& game) {
    const float now = clockSeconds();
    look(game, now);
    if (hand.relayIfDead(game, now)) {
        return;
    }
    if (hand.busy()) {
        if (hand.deliver(game, now)) {
            nextLook = now + reaction * random.between(0.7f, 1.3f);
        }
        return;
    }
    if (now < nextLook) {
        return;
    }
    if (!decide(game, now)) {
        nextLook = now + reaction;
    }
}

void CompetentPlayer::look(const LiveMode& game, float now) {
    std::unordered_map<const Gear*, Sighting> still;
    for (const Gear* p : game.gears) {
        Sighting s;
        const auto it = seen.find(p);
        const bool known =
            it != seen.end() && it->second.radius == p->radius && (p->placed || !it->second.placed);
        if (known) {
            s = it->second;
        } else {
            s.angle = p->angle;
            s.lastTurned = now;
            s.since = now;
            s.windowStart = now;
            s.radius = p->radius;
            s.charged = p->charges > 0;
        }
        if (p->placed && !s.placed) {
            s.since = now; // just put down: give it time to catch the chain
            s.lastTurned = now;
            placed += s.charged ? 1 : 0;
        }
        if (p->placed && p->discarding && !s.binned) {
            s.binned = true;
            ++binned;
        }
        s.placed = p->placed;
        // Turning means a steady turn, not the jitter of a chain that has come to rest.
        s.turning += angleBetween(p->angle, s.angle);
        if (now - s.windowStart >= turnWindow) {
            if (s.turning > minTurnRate * (now - s.windowStart)) {
                s.lastTurned = now;
            }
            s.turning = 0.0f;
            s.windowStart = now;
        }
        s.angle = p->angle;
        still[p] = s;
    }
    seen.swap(still);

    if (game.chain == nullptr || now - jointsSampledAt < jointSampleInterval) {
        return;
    }
    const auto& joints = game.chain->joints;
    const float dt = now - jointsSampledAt;
    jointSpeed.assign(joints.size(), -1.0f); // unknown until seen twice
    if (jointsBefore.size() == joints.size()) {
        for (std::size_t j = 0; j < joints.size(); ++j) {
            jointSpeed[j] = distance(joints[j]->position, jointsBefore[j]) / dt;
        }
    }
    jointsBefore.clear();
    for (const ChainJoint* joint : joints) {
        jointsBefore.push_back(joint->position);
    }
    jointsSampledAt = now;
}

bool CompetentPlayer::decide(const LiveMode& game, float now) {
    if (game.chain == nullptr) {
        return false;
    }
    if (tension(game, now)) {
        return true;
    }
    if (game.carrying) {
        // A carry that did not end in the bin (something rolled in the way): try again.
        for (const Gear* p : game.gears) {
            if (p->lifted) {
                const Vec3 bin = PlayerHand::clearBinPoint(game, *p);
                if (bin.z == 0.0f) {
                    hand.putDown(bin, now);
                    return true;
                }
            }
        }
        return false;
    }
    if (const Gear* p = spentPiece(game)) {
        const Vec3 bin = PlayerHand::clearBinPoint(game, *p);
        if (bin.z == 0.0f) {
            hand.liftToBin(p->position, bin, now);
            return true;
        }
    }
    if (const Gear* p = dealtPiece(game)) {
        if (p->payload == Bulb && p->radius <= smallestKept) {
            const Vec3 bin = PlayerHand::clearBinPoint(game, *p);
            if (bin.z == 0.0f) {
                hand.drag(p->position, bin, now);
                ++skipped;
                return true;
            }
        } else {
            const Spot spot = bestSpot(game, *p);
            if (spot.worth > 0.0f) {
                hand.drag(p->position, spot.centre, now);
                return true;
            }
        }
    }
    if (const Gear* p = stalledPiece(game, now)) {
        const Spot spot = bestSpot(game, *p);
        if (spot.worth > 0.0f) {
            hand.drag(p->position, spot.centre, now);
            ++replaced;
            return true;
        }
    }
    return false;
}

bool CompetentPlayer::tension(const LiveMode& game, float now) {
    const Gear* t = tensioner(game);
    if (t == nullptr || game.motor == nullptr || now < stretchFrom) {
        return false;
    }
    const Vec3 m = game.motor->position;
    const Vec3 away = t->position - m;
    const float d = std::sqrt(dot(away, away));
    if (!stretched) {
        stretched = true;
        const Vec3 to =
            m + Vec3{std::cos(stretchAngle), std::sin(stretchAngle), 0.0f} * stretchAtStart;
        hand.drag(t->position, to, now, tensionSpeedAtStart);
        lastTension = now;
        return true;
    }
    if (now - lastTension < tensionPause || d < 1.0f) {
        return false;
    }
    const auto it = seen.find(t);
    if (it != seen.end() && now - it->second.lastTurned > slackenAfter && d > nearestToMotor) {
        hand.drag(t->position, t->position - away * (slackenStep / d), now, tensionSpeed);
        lastTension = now;
        return true;
    }
    if (now - lastTension > stretchEvery && d < stretchMost) {
        hand.drag(t->position, t->position + away * (stretchStep / d), now, tensionSpeed);
        lastTension = now;
        return true;
    }
    return false;
}

Gear* CompetentPlayer::tensioner(const LiveMode& game) const {
    for (Gear* p : game.gears) {
        if (p != game.motor && p->placed && !p->discarding && !p->lifted && p->charges == 0 &&
            p->radius == 25) {
            return p;
        }
    }
    return nullptr;
}

Gear* CompetentPlayer::dealtPiece(const LiveMode& game) const {
    for (Gear* p : game.gears) {
        // Grown to full size, and far enough above the bin to be caught.
        if (!p->placed && !p->discarding && !p->lifted && p->charges > 0 &&
            p->scale.x > 1.8f * static_cast<float>(p->radius) && p->position.y > -120.0f) {
            return p;
        }
    }
    return nullptr;
}

Gear* CompetentPlayer::spentPiece(const LiveMode& game) const {
    for (Gear* p : game.gears) {
        const auto it = seen.find(p);
        if (p != game.motor && p->placed && !p->discarding && !p->lifted && p->charges == 0 &&
            it != seen.end() && it->second.charged) {
            return p;
        }
    }
    return nullptr;
}

Gear* CompetentPlayer::stalledPiece(const LiveMode& game, float now) const {
    for (Gear* p : game.gears) {
        const auto it = seen.find(p);
        if (p != game.motor && p->placed && !p->discarding && !p->lifted && p->charges > 0 &&
            it != seen.end() && now - it->second.lastTurned > stalledAfter &&
            now - it->second.since > stalledAfter) {
            return p;
        }
    }
    return nullptr;
}

CompetentPlayer::Spot CompetentPlayer::bestSpot(const LiveMode& game, const Gear& piece) const {
    Spot best;
    const auto& joints = game.chain->joints;
    const std::size_t n = joints.size();
    const auto r = static_cast<float>(piece.radius);
    for (std::size_t j = 0; j < n; ++j) {
        if (j < jointSpeed.size() && jointSpeed[j] >= 0.0f && jointSpeed[j] < stillJoint) {
            continue;
        }
        const Vec3 here = joints[j]->position;
        const Vec3 t = joints[(j + 1) % n]->position - joints[(j + n - 1) % n]->position;
        const float length = std::sqrt(dot(t, t));
        if (length < 1.0f) {
            continue;
        }
        const Vec3 normal{-t.y / length, t.x / length, 0.0f};
        for (const float side : {1.0f, -1.0f}) {
            const Vec3 centre = here + normal * (side * (r - depth));
            if (!fitsAt(game, piece, centre)) {
                continue;
            }
            float worth = piece.payload == Bulb ? usefulLight(game, centre, r)
                                                : 10000.0f - usefulLight(game, centre, r);
            if (worth > best.worth) {
                best.worth = worth;
                best.centre = centre;
            }
        }
    }
    return best;
}

bool CompetentPlayer::fitsAt(const LiveMode& game, const Gear& piece, Vec3 centre) const {
    using namespace field;
    const auto r = static_cast<float>(piece.radius);
    if (centre.x - r - margin < boardLeft || centre.x + r + margin > boardRight ||
        centre.y - r - margin < boardBottom || centre.y + r > boardTop) {
        return false;
    }
    for (const Gear* q : game.gears) {
        // Room for the chain between two pieces: squeezed between them it jams.
        if (q != &piece &&
            distance(q->position, centre) < r + static_cast<float>(q->radius) + gap) {
            return false;
        }
    }
    return true;
}

float CompetentPlayer::usefulLight(const LiveMode& game, Vec3 centre, float radius) const {
    const float reach = radius * reachPerRadius;
    float light = 0.0f;
    for (const BoardSquare* square : game.squares) {
        if (distance(square->position, centre) < reach) {
            light += std::min(payoutLight, BoardSquare::maxLight - square->light);
        }
    }
    return light;
}
