#include "play/Gear.h"

#include "physics/Chain.h"
#include "play/PlayField.h"

#include <cmath>

namespace {

// Keeps a placed piece's circle (plus the margin, except at the top) inside the board. Each
// correction sees the one before.
void containOnBoard(Vec3& t, int r) {
    using namespace field;
    if (t.x - r - margin < boardLeft) {
        t.x = static_cast<float>(r + boardLeft + margin);
    }
    if (t.x + r + margin > boardRight) {
        t.x = static_cast<float>(boardRight - margin - r);
    }
    if (t.y - r - margin < boardBottom) {
        t.y = static_cast<float>(r + boardBottom + margin);
    }
    if (t.y + r > boardTop) {
        t.y = static_cast<float>(boardTop - r);
    }
}

// Any overlap of the circle, widened by the margin except at the top, counts as on the board.
bool overlapsBoard(Vec3 c, float r) {
    using namespace field;
    return c.x + r + margin > boardLeft && c.x - r - margin < boardRight &&
           c.y + r + margin > boardBottom && c.y - r < boardTop;
}

bool insideBin(Vec3 c) {
    using namespace field;
    return binLeft < c.x && c.x < binRight && binBottom < c.y && c.y < binTop;
}

} // namespace

bool Gear::advanceRoll(float frameSeconds) {
    icon.position = position;
    if (!discarding && (placed || lifted)) {
        return false;
    }
    chuteTime += frameSeconds;
    if (chuteTime < field::growTime) {
        // The last growing frame leaves the piece a little under its full diameter; it keeps
        // that size.
        const float size = chuteTime * radius * field::growFactor;
        scale = {size, size, size};
    }
    if (chuteTime < field::rollTime) {
        position.y = static_cast<float>(field::chuteTopY - chuteTime * field::rollSpeed);
        return false;
    }
    discarding = true;
    const double s = (field::shrinkTime - (chuteTime - field::rollTime)) * radius * 2;
    const float size = s < 0.0 ? 0.0f : static_cast<float>(s);
    scale = {size, size, size};
    return chuteTime > field::goneTime;
}

int Gear::checkPayout() {
    if (charges <= 0 || !(turned > field::payoutTurn)) {
        return -1;
    }
    turned = 0.0f; // turning beyond the threshold is not carried over
    charges -= 1;
    if (payload == Bulb) {
        const float size = Gear::bulbIconSize(charges);
        icon.scale = {size, size, size};
    }
    return payload;
}

void Gear::grab(Vec3 point) {
    grabOffset = point - position;
    pickupPosition = position;
}

void Gear::dragTo(Vec3 point, const std::vector<Gear*>& pieces) {
    Vec3 t = point - grabOffset;
    const bool contained = placed && !lifted;
    if (contained) {
        containOnBoard(t, radius);
    }
    // One pass: a later push may move the target back into a piece handled earlier.
    for (Gear* q : pieces) {
        if (q == this || q == nullptr) {
            continue;
        }
        const Vec3 e = t - q->position;
        const float d = std::sqrt(dot(e, e));
        const int reach = radius + q->radius;
        if (reach > d) {
            if (d > 0.0f) {
                t.x = q->position.x + e.x / d * reach;
                t.y = q->position.y + e.y / d * reach;
                t.z = q->position.z + e.z / d * reach;
            } else {
                // Right on the other centre there is no direction to push along: use +x.
                t = q->position;
                t.x += static_cast<float>(reach);
            }
        }
    }
    if (contained) {
        containOnBoard(t, radius);
    }
    position = t;
    icon.position = t;
}

Landing Gear::landing() const {
    if (overlapsBoard(position, static_cast<float>(radius))) {
        return Landing::Board;
    }
    return insideBin(position) ? Landing::Bin : Landing::Back;
}

bool Gear::overBin() const {
    return insideBin(position);
}

bool Gear::drop(Chain* chain) {
    const Landing where = landing();
    if (where == Landing::Board) {
        const bool firstPlacement = !placed;
        // A piece added with the A key is on the chain already; it must not be held twice.
        if (firstPlacement && !lifted && chain != nullptr && !chain->isAttached(this)) {
            chain->attach(this);
        }
        placed = true;
        lifted = false;
        return firstPlacement;
    }
    if (where == Landing::Bin) {
        chuteTime = static_cast<float>(field::rollTime);
        discarding = true;
        if (chain != nullptr) {
            chain->detach(this);
        }
        lifted = false;
        return false;
    }
    position = pickupPosition; // the icon follows at the next advanceRoll
    lifted = false;
    return false;
}

void Gear::draw() const {
    Sprite::draw();
    if (charges > 0) {
        icon.draw();
    }
}
