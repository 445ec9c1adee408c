#include "play/LiveMode.h"

#include "gfx/Camera.h"
#include "gfx/Hud.h"
#include "physics/Chain.h"
#include "play/Gear.h"

namespace {

// GLUT's values, spelled out so the play mode needs no window-system header.
constexpr int leftButton = 0;
constexpr int buttonDown = 0;
constexpr int buttonUp = 1;

// Two presses closer than this lift a piece; a release this soon after the lifting press is
// part of the same gesture.
constexpr float doublePressTime = 0.5f;

// Window pixels to world coordinates; false before there is a camera to ask.
bool pointerToWorld(int x, int y, Vec3& point) {
    if (activeCamera == nullptr) {
        return false;
    }
    point = activeCamera->screenToWorld(x, y);
    return true;
}

// Whether a piece's centre, moving from a to b, passed over one of the chain's links.
bool crossesChain(const Chain& chain, Vec3 a, Vec3 b) {
    const auto side = [](Vec3 p, Vec3 q, Vec3 r) {
        return (q.x - p.x) * (r.y - p.y) - (q.y - p.y) * (r.x - p.x);
    };
    for (const ChainLink* link : chain.links) {
        const Vec3 p = link->from->position;
        const Vec3 q = link->to->position;
        if (side(a, b, p) * side(a, b, q) < 0.0f && side(p, q, a) * side(p, q, b) < 0.0f) {
            return true;
        }
    }
    return false;
}

bool onRelayButton(Vec3 p) {
    const HudBox& b = hud::relayButton;
    const float dx = p.x - b.x;
    const float dy = p.y - b.y;
    return dx * dx + dy * dy <= b.width * b.width * 0.25f; // a round button
}

} // namespace

Gear* LiveMode::pieceAt(Vec3 point) const {
    for (Gear* p : gears) {
        if (p == motor || p->discarding) {
            continue;
        }
        const Vec3 e = point - p->position;
        if (static_cast<float>(p->radiusSquared) > dot(e, e)) {
            return p;
        }
    }
    return nullptr;
}

void LiveMode::mouse(int button, int state, int x, int y) {
    if (button != leftButton || paused) {
        return;
    }
    if (state == buttonDown) {
        if (carrying) {
            return;
        }
        Vec3 point;
        if (!pointerToWorld(x, y, point)) {
            return;
        }
        Gear* p = pieceAt(point);
        // A piece under the button is still the piece: the button takes the presses that would
        // otherwise find nothing, so it never spoils a drag or a lift.
        if (p == nullptr && relayOffered() && onRelayButton(point)) {
            relayChain();
            return;
        }
        if (p == nullptr) {
            return; // not even the press time is remembered
        }
        const float now = clock->seconds();
        if (now - lastPressTime < doublePressTime) {
            carrying = true;
            p->lifted = true;
            if (chain != nullptr) {
                chain->detach(p);
            }
            p->color[3] = 0.5f;
            watch.note(ChainEvent::Lifted, gameSeconds());
        }
        heldGear = p;
        p->grab(point);
        lastPressTime = now;
    } else if (state == buttonUp) {
        if (carrying) {
            const float now = clock->seconds();
            if (now - lastPressTime < doublePressTime) {
                return; // the double press's own release: keep carrying
            }
            // A finger does not hover: after a tap the piece is still where it was lifted.
            // It goes where the release is, as under a mouse pointer, before it drops.
            motion(x, y);
            if (heldGear != nullptr) {
                heldGear->color[3] = 1.0f;
                heldGear->lifted = false;
                if (chain != nullptr && heldGear->placed && !chain->isAttached(heldGear)) {
                    chain->attach(heldGear);
                }
            }
        }
        carrying = false;
        if (heldGear != nullptr) {
            const bool firstPlacement = heldGear->drop(chain);
            if (firstPlacement) {
                spawnGear(); // placed for the first time: deal the next piece
            }
            if (heldGear->placed && !heldGear->discarding) {
                watch.dropped(*heldGear, firstPlacement);
                noteDrop(*heldGear);
            }
        }
        heldGear = nullptr;
    }
}

void LiveMode::motion(int x, int y) {
    Vec3 point;
    if (!paused && heldGear != nullptr && pointerToWorld(x, y, point)) {
        const Vec3 from = heldGear->position;
        heldGear->dragTo(point, gears);
        if (chain != nullptr && crossesChain(*chain, from, heldGear->position)) {
            watch.note(ChainEvent::DraggedAcross, gameSeconds());
        }
    }
}

void LiveMode::noteDrop(const Gear& piece) {
    if (motor == nullptr) {
        return;
    }
    // Within a link's length of the motor's rim: the chain between them can be squeezed.
    const Vec3 e = piece.position - motor->position;
    const float near = static_cast<float>(motor->radius + piece.radius) + chainLinkLength;
    const bool nearMotor = dot(e, e) < near * near;
    watch.note(nearMotor ? ChainEvent::DroppedNearMotor : ChainEvent::Dropped, gameSeconds());
}

void LiveMode::passiveMotion(int x, int y) {
    if (carrying) {
        motion(x, y);
    }
}

void LiveMode::keyboard(unsigned char key, int, int) {
    if (key == 'P' || key == 'p' || key == ' ') {
        if (paused) {
            resume();
        } else {
            pause();
        }
        return;
    }
    if ((key == 'H' || key == 'h') && !paused) {
        hints.toggle(gameSeconds());
        hintChoice.forced = hints.enabled() ? 1 : 0; // and so for the games after this one
        return;
    }
    if ((key == 'C' || key == 'c') && !paused) {
        relayChain();
        return;
    }
    if ((key != 'A' && key != 'a') || paused) {
        return;
    }
    // A plain gear, on the chain from the start although it still rolls down the chute.
    Gear* piece = new Gear(50.0f, "./img/gear.png", 0.0f);
    gears.push_back(piece);
    if (chain != nullptr) {
        chain->attach(piece);
    }
}
