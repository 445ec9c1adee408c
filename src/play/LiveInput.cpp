#include "play/LiveMode.h"

#include "app/Camera.h"
#include "app/FrameClock.h"
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
        if (p == nullptr) {
            return; // not even the press time is remembered
        }
        const float now = clockSeconds();
        if (now - lastPressTime < doublePressTime) {
            carrying = true;
            p->lifted = true;
            if (chain != nullptr) {
                chain->detach(p);
            }
            p->color[3] = 0.5f;
        }
        heldGear = p;
        p->grab(point);
        lastPressTime = now;
    } else if (state == buttonUp) {
        if (carrying) {
            const float now = clockSeconds();
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
            }
        }
        heldGear = nullptr;
    }
}

void LiveMode::motion(int x, int y) {
    Vec3 point;
    if (!paused && heldGear != nullptr && pointerToWorld(x, y, point)) {
        heldGear->dragTo(point, gears);
    }
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
