#include "physics/Chain.h"

#include "app/FrameClock.h"
#include "play/Gear.h"

#include <cmath>

namespace {

// The board rectangle the joints are kept in.
constexpr float minX = -301.0f;
constexpr float maxX = 370.0f;
constexpr float minY = -239.0f;
constexpr float maxY = 182.0f;

constexpr double degreesPerRadian = 57.2957795;

// Angles this far out cannot come from a frame's turning; wrapping them by repeated 360s would
// never end once 360 is below their precision.
constexpr float runawayAngle = 1.0e6f;

float length(Vec3 v) {
    return std::sqrt(dot(v, v));
}

// The joint has touched the piece: remember the first toucher, put the joint on the rim and, on
// the motor, carry it along the rim. Kept out of line: most joints touch nothing.
[[gnu::noinline]] void touch(Gear& piece, ChainJoint* joint, float ee, float radius, float carry) {
    Vec3& q = joint->position;
    if (piece.caughtJoint == nullptr) {
        piece.catchPoint = q;
        piece.caughtJoint = joint;
    }
    const Vec3 c = piece.position;
    const float distance = std::sqrt(ee); // |q - c|: e·e is the same sum of the same squares
    if (distance > 0.0f) {
        q = c + (q - c) * (radius / distance);
    } else {
        // Dead centre has no outward direction; pick one so the joint still leaves the piece.
        q = c + Vec3{radius, 0.0f, 0.0f};
    }
    if (piece.speed > 0.0f) {
        const Vec3 u = q - c;
        const float len = length(u);
        if (len > 0.0f) {
            const Vec3 n{u.x / len, u.y / len, u.z / len};
            q.x = q.x - n.y * carry;
            q.y = q.y + n.x * carry;
        }
    }
}

} // namespace

void Chain::step() {
    const int passes = passCount();
    for (Gear* piece : gears) {
        piece->caughtJoint = nullptr;
    }
    for (int pass = 0; pass < passes; ++pass) {
        relaxLinks();
        clampJoints();
        pushOutOfPieces();
    }
    turnPieces();
}

void Chain::relaxLinks() {
    // Each correction is written at once; later links see the moved joints. No square root:
    // to first order the two half-moves restore the rest length.
    for (ChainLink* link : links) {
        Vec3& f = link->from->position;
        Vec3& t = link->to->position;
        const Vec3 d = t - f;
        const float r2 = link->restLengthSquared;
        const float denominator = r2 + dot(d, d);
        if (denominator != 0.0f) { // a zero-length link with coinciding joints is at rest
            const auto s = static_cast<float>(r2 / denominator - 0.5);
            const Vec3 m = d * s;
            f = f - m;
            t = t + m;
        }
    }
}

void Chain::clampJoints() {
    for (ChainJoint* joint : joints) {
        Vec3& q = joint->position;
        if (q.x < minX) {
            q.x = minX;
        }
        if (q.x > maxX) {
            q.x = maxX;
        }
        if (q.y < minY) {
            q.y = minY;
        }
        if (q.y > maxY) {
            q.y = maxY;
        }
    }
}

void Chain::pushOutOfPieces() {
    for (Gear* piece : gears) {
        const Vec3 c = piece->position;
        const auto radius = static_cast<float>(piece->radius);
        const auto r2 = static_cast<float>(piece->radiusSquared);
        const auto carry = static_cast<float>(piece->speed * 0.66 * frameSeconds);
        for (ChainJoint* joint : joints) {
            const Vec3 e = c - joint->position;
            const float ee = dot(e, e);
            if (ee <= r2) { // the rim counts as touching
                touch(*piece, joint, ee, radius, carry);
            }
        }
    }
}

void Chain::turnPieces() {
    for (Gear* piece : gears) {
        if (piece->speed > 0.0f) {
            piece->angle += frameSeconds * piece->speed;
        } else if (piece->caughtJoint != nullptr) {
            const Vec3 a = piece->catchPoint - piece->position;
            const Vec3 b = piece->caughtJoint->position - piece->position;
            const float lengths = length(a) * length(b);
            float theta = 0.0f; // a joint caught or left at dead centre has no angle to travel
            if (lengths > 0.0f) {
                float cosine = dot(a, b) / lengths;
                // Rounding can push the cosine a hair past either end.
                if (cosine > 1.0f) {
                    cosine = 1.0f;
                }
                if (cosine < -1.0f) {
                    cosine = -1.0f;
                }
                theta = static_cast<float>(std::acos(cosine) * degreesPerRadian);
            }
            if (a.x * b.y - a.y * b.x < 0.0f) {
                piece->angle -= theta;
            } else {
                piece->angle += theta;
            }
            piece->turned += theta;
        }
        float& angle = piece->angle;
        if (!(std::fabs(angle) < runawayAngle)) {
            angle = std::isfinite(angle) ? std::fmod(angle, 360.0f) : 0.0f;
        }
        while (angle > 360.0f) {
            angle -= 360.0f;
        }
        while (angle < 0.0f) {
            angle += 360.0f;
        }
    }
}
