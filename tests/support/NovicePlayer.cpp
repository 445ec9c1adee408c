#include "NovicePlayer.h"

#include "BoardLight.h"

#include "app/FrameClock.h"
#include "physics/Chain.h"
#include "play/Gear.h"
#include "play/LiveMode.h"
#include "play/PlayField.h"

#include <cmath>
#include <vector>

namespace {

// Slow enough for the chain to follow the small gear, as the picture says.
constexpr float slowDrag = 100.0f;
constexpr float stretchFrom = 1.0f; // once it has looked at the board
constexpr int firstGearRadius = 25;
// Now and again it pulls the small gear over to where the board is darkest, as the picture
// says; the chain's pieces then light squares they could not reach.
constexpr float lookForDarkEvery = 10.0f;
constexpr float darkReach = 120.0f;  // how much of the board round a spot it weighs
constexpr float darkFurther = 50.0f; // it pulls a little further than the first time

bool onBoard(Vec3 c, float r) {
    using namespace field;
    return c.x - r - margin >= boardLeft && c.x + r + margin <= boardRight &&
           c.y - r - margin >= boardBottom && c.y + r <= boardTop;
}

} // namespace

NovicePlayer::NovicePlayer(std::uint32_t seed)
    : random(seed), reaction(random.between(0.4f, 0.8f)), hand(random.between(500.0f, 900.0f)),
      stretch(random.between(220.0f, 320.0f)) {}

void NovicePlayer::act(LiveMode& game) {
    const float now = clockSeconds();
    for (const Gear* p : game.gears) {
        if (p->placed && p->charges > 0) {
            charged.insert(p);
        }
        // Placed once the chain turns it: a drop can still miss, or land in the bin.
        if (p == dropping && p->placed && p->seen.turning) {
            dropping = nullptr;
            ++placed;
        }
    }
    if (hand.relayIfDead(game, now)) {
        return;
    }
    if (hand.busy()) {
        if (hand.deliver(game, now)) {
            nextLook = now + reaction * random.between(0.7f, 1.3f);
        }
        return;
    }
    if (now >= nextLook && !decide(game, now)) {
        nextLook = now + reaction;
    }
}

bool NovicePlayer::decide(LiveMode& game, float now) {
    if (game.chain == nullptr || game.motor == nullptr) {
        return false;
    }
    for (const Gear* p : game.gears) {
        if (game.carrying && p->lifted) {
            const Vec3 bin = PlayerHand::clearBinPoint(game, *p);
            if (bin.z == 0.0f) {
                hand.putDown(bin, now);
                return true;
            }
        }
    }
    if (game.carrying) {
        return false;
    }
    for (const Gear* p : game.gears) {
        const bool plain = p != game.motor && p->placed && !p->discarding && p->charges == 0;
        const bool smallGear = plain && p->radius == firstGearRadius;
        if (stretched && smallGear && now >= stretchedAt + lookForDarkEvery) {
            stretchedAt = now;
            hand.drag(p->position, towardsTheDark(game), now, slowDrag);
            return true;
        }
        if (!stretched && now >= stretchFrom && smallGear) {
            // Outwards: on from the motor through the gear, across the board.
            stretched = true;
            stretchedAt = now;
            const Vec3 away = p->position - game.motor->position;
            const Vec3 to = game.motor->position + away * (stretch / std::sqrt(dot(away, away)));
            hand.drag(p->position, to, now, slowDrag);
            return true;
        }
        if (plain && charged.count(p) != 0) {
            const Vec3 bin = PlayerHand::clearBinPoint(game, *p);
            if (bin.z == 0.0f) {
                charged.erase(p);
                hand.liftToBin(p->position, bin, now);
                ++binned;
                return true;
            }
        }
    }
    for (const Gear* p : game.gears) {
        // A dealt piece, grown and still high enough in the chute to be caught.
        if (!p->placed && !p->discarding && !p->lifted && p->charges > 0 &&
            p->scale.x > 1.8f * static_cast<float>(p->radius) && p->position.y > -120.0f) {
            return dropOnChain(game, *p, now);
        }
    }
    return false;
}

bool NovicePlayer::dropOnChain(const LiveMode& game, const Gear& piece, float now) {
    // Any link of the chain on the board that no other piece covers.
    const auto r = static_cast<float>(piece.radius);
    std::vector<Vec3> free;
    for (const ChainJoint* joint : game.chain->joints) {
        const Vec3 c = joint->position;
        bool clear = onBoard(c, r);
        for (const Gear* q : game.gears) {
            const Vec3 e = q->position - c;
            clear = clear && (q == &piece || std::sqrt(dot(e, e)) > r + float(q->radius));
        }
        if (clear) {
            free.push_back(c);
        }
    }
    if (free.empty()) {
        return false;
    }
    const auto pick = static_cast<std::size_t>(random.between(0.0f, float(free.size()) - 0.01f));
    hand.drag(piece.position, free[pick], now);
    dropping = &piece;
    return true;
}

Vec3 NovicePlayer::towardsTheDark(const LiveMode& game) const {
    // A little beyond its first stretch from the motor, in the quarter of the board the motor
    // faces.
    Vec3 best = game.motor->position;
    float darkest = -1.0f;
    for (int degrees = 0; degrees <= 80; degrees += 10) {
        const float a = static_cast<float>(degrees) * 3.14159265f / 180.0f;
        const Vec3 spot =
            game.motor->position + Vec3{std::cos(a), std::sin(a), 0.0f} * (stretch + darkFurther);
        const float darkness = darknessAround(game, spot, darkReach);
        if (darkness > darkest) {
            darkest = darkness;
            best = spot;
        }
    }
    return best;
}
