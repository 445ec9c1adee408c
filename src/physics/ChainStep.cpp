#include "physics/Chain.h"

#include "physics/Angle.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// Angles this far out cannot come from a frame's turning; wrapping them by repeated 360s would
// never end once 360 is below their precision.
constexpr float runawayAngle = 1.0e6f;

// The squared distance from a piece's centre within which a joint touches it. The motor's reach
// takes in a joint lying just outside its rim (see Chain::motorGrip).
float reachSquared(const Body& piece) {
    if (piece.speed > 0.0f) {
        const float reach = static_cast<float>(piece.radius) + Chain::motorGrip;
        return reach * reach;
    }
    return static_cast<float>(piece.radiusSquared);
}

float length(Vec3 v) {
    return std::sqrt(dot(v, v));
}

// The joint has touched the piece: remember the first toucher, put the joint on the rim and, on
// the motor, carry it along the rim. Kept out of line: most joints touch nothing.
[[gnu::noinline]] void touch(Body& piece, ChainJoint* joint, float seconds) {
    Vec3& q = joint->position;
    const Vec3 e = piece.position - q;
    const float ee = dot(e, e);
    const auto radius = static_cast<float>(piece.radius);
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
        const auto carry = static_cast<float>(piece.speed * 0.66 * seconds);
        const Vec3 u = q - c;
        const float len = length(u);
        if (len > 0.0f) {
            const Vec3 n{u.x / len, u.y / len, u.z / len};
            q.x = q.x - n.y * carry;
            q.y = q.y + n.x * carry;
        }
    }
}

// Four floats worked on at once; each lane rounds exactly as the scalar code does.
typedef float Lanes __attribute__((vector_size(16)));
typedef int LaneMask __attribute__((vector_size(16)));

Lanes load(const float* four) {
    Lanes v;
    std::memcpy(&v, four, sizeof v);
    return v;
}

Lanes broadcast(float f) {
    return Lanes{f, f, f, f};
}

// One bit per lane that holds true.
unsigned bitsOf(LaneMask m) {
#if defined(__SSE__)
    return static_cast<unsigned>(__builtin_ia32_movmskps(reinterpret_cast<Lanes>(m)));
#else
    return (m[0] & 1u) | (m[1] & 2u) | (m[2] & 4u) | (m[3] & 8u);
#endif
}

// Lanes whose piece holds q in its circle, the rim included. Each lane computes e·e exactly as
// touch() does for that piece.
LaneMask holds(const Chain::ContactGroup& group, Lanes qx, Lanes qy, Lanes qz) {
    const Lanes ex = load(group.x) - qx;
    const Lanes ey = load(group.y) - qy;
    const Lanes ez = load(group.z) - qz;
    return ex * ex + ey * ey + ez * ez <= load(group.radiusSquared);
}

// Lanes whose piece's widened reach holds q.
LaneMask within(const Chain::ContactGroup& group, Lanes qx, Lanes qy, Lanes qz) {
    const Lanes ex = load(group.x) - qx;
    const Lanes ey = load(group.y) - qy;
    const Lanes ez = load(group.z) - qz;
    return ex * ex + ey * ey + ez * ez <= load(group.reachSquared);
}

// The piece holds q in its circle: the same arithmetic as one lane of holds().
bool holdsPoint(const Body& piece, Vec3 q) {
    const Vec3 c = piece.position;
    const float ex = c.x - q.x;
    const float ey = c.y - q.y;
    const float ez = c.z - q.z;
    return ex * ex + ey * ey + ez * ez <= reachSquared(piece);
}

bool staysNear(Vec3 q, const Chain::Neighbourhood& near) {
    const Vec3 d = q - near.origin;
    return dot(d, d) <= Chain::Neighbourhood::room * Chain::Neighbourhood::room;
}

// Pieces are looked at in windows of 16 groups, one bit per piece.
constexpr std::size_t windowGroups = 16;

// Bit k set: piece 4·first + k holds q in its circle. Groups before `from` are not looked at.
std::uint64_t hitsIn(const Chain::ContactGroup* groups, std::size_t first, std::size_t from,
                     std::size_t end, Vec3 q) {
    const Lanes qx = broadcast(q.x);
    const Lanes qy = broadcast(q.y);
    const Lanes qz = broadcast(q.z);
    std::uint64_t hits = 0;
    for (std::size_t g = from; g < end; ++g) {
        hits |= static_cast<std::uint64_t>(bitsOf(holds(groups[g], qx, qy, qz)))
                << (4 * (g - first));
    }
    return hits;
}

} // namespace

void Chain::step(float seconds) {
    const int passes = passCount();
    for (Body* piece : gears) {
        piece->caughtJoint = nullptr;
    }
    gatherPieces();
    findNeighbourhoods();
    for (int pass = 0; pass < passes; ++pass) {
        relaxLinks();
        settleJoints(seconds);
    }
    turnPieces(seconds);
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

void Chain::gatherPieces() {
    contactGroups.resize((gears.size() + 3) / 4);
    for (std::size_t i = 0; i < contactGroups.size() * 4; ++i) {
        ContactGroup& group = contactGroups[i / 4];
        const std::size_t lane = i % 4;
        if (i < gears.size()) {
            const Vec3 c = gears[i]->position;
            group.x[lane] = c.x;
            group.y[lane] = c.y;
            group.z[lane] = c.z;
            group.radiusSquared[lane] = reachSquared(*gears[i]);
        } else {
            group.x[lane] = 0.0f;
            group.y[lane] = 0.0f;
            group.z[lane] = 0.0f;
            group.radiusSquared[lane] = -1.0f; // no distance is that small
            group.reachSquared[lane] = -1.0f;
            continue;
        }
        // A float slack of one unit on top of the room: the exact test rounds e·e, this must
        // never leave out a piece that the exact test could find.
        const float reach =
            std::sqrt(std::max(group.radiusSquared[lane], 0.0f)) + Neighbourhood::room + 1.0f;
        group.reachSquared[lane] = reach * reach;
    }
}

void Chain::findNeighbourhoods() {
    if (neighbourhoods.size() != joints.size()) {
        neighbourhoods.resize(joints.size()); // only if joints were added behind our back
    }
    const std::size_t groupCount = contactGroups.size();
    for (std::size_t j = 0; j < joints.size(); ++j) {
        Neighbourhood& near = neighbourhoods[j];
        const Vec3 q = joints[j]->position;
        near.origin = q;
        near.count = 0;
        const Lanes qx = broadcast(q.x);
        const Lanes qy = broadcast(q.y);
        const Lanes qz = broadcast(q.z);
        for (std::size_t g = 0; g < groupCount && near.count >= 0; ++g) {
            unsigned bits = bitsOf(within(contactGroups[g], qx, qy, qz));
            while (bits != 0) {
                const auto lane = static_cast<unsigned>(__builtin_ctz(bits));
                bits &= bits - 1;
                if (near.count == Neighbourhood::most) {
                    near.count = -1;
                    break;
                }
                near.pieces[near.count++] = static_cast<int>(4 * g + lane);
            }
        }
    }
}

void Chain::settleJoints(float seconds) {
    // Clamping a joint and pushing it out of the pieces look at that joint alone (and at which
    // joints came before it), so doing both joint by joint gives the same result as clamping
    // all joints first and then going piece by piece.
    const BoardEdges board = edges;
    for (std::size_t j = 0; j < joints.size(); ++j) {
        ChainJoint* joint = joints[j];
        Vec3& q = joint->position;
        // max and min keep the value unless it is beyond the edge, exactly like the four tests.
        q.x = std::min(std::max(q.x, board.left), board.right);
        q.y = std::min(std::max(q.y, board.bottom), board.top);
        const Neighbourhood& near = neighbourhoods[j];
        if (near.count < 0 || !staysNear(q, near)) {
            touchFrom(joint, 0, seconds);
            continue;
        }
        for (int k = 0; k < near.count; ++k) {
            const auto index = static_cast<std::size_t>(near.pieces[k]);
            if (!holdsPoint(*gears[index], q)) {
                continue;
            }
            touch(*gears[index], joint, seconds);
            if (!staysNear(q, near)) {
                // Pushed far: any later piece may hold it now.
                touchFrom(joint, index + 1, seconds);
                break;
            }
        }
    }
}

void Chain::touchFrom(ChainJoint* joint, std::size_t firstPiece, float seconds) {
    // Four pieces at a time: most joints touch nothing.
    const Vec3& q = joint->position;
    const ContactGroup* groups = contactGroups.data();
    const std::size_t groupCount = contactGroups.size();
    const std::size_t windowPieces = 4 * windowGroups;
    for (std::size_t first = firstPiece / windowPieces * windowGroups; first < groupCount;
         first += windowGroups) {
        const std::size_t end = std::min(first + windowGroups, groupCount);
        const std::size_t from = std::max(first, firstPiece / 4);
        std::uint64_t hits = hitsIn(groups, first, from, end, q);
        if (firstPiece > 4 * first) {
            hits &= ~0ull << (firstPiece - 4 * first); // pieces before firstPiece are done
        }
        while (hits != 0) {
            const auto bit = static_cast<unsigned>(__builtin_ctzll(hits));
            touch(*gears[4 * first + bit], joint, seconds);
            // The joint has moved: look again at the pieces after this one.
            hits = hitsIn(groups, first, first + bit / 4, end, q) & ((~0ull << bit) << 1);
        }
    }
}

void Chain::turnPieces(float seconds) {
    for (Body* piece : gears) {
        if (piece->speed > 0.0f) {
            piece->angle += seconds * piece->speed;
        } else if (piece->caughtJoint != nullptr) {
            const Vec3 a = piece->catchPoint - piece->position;
            const Vec3 b = piece->caughtJoint->position - piece->position;
            const float lengths = length(a) * length(b);
            // A joint caught or left at dead centre has no angle to travel.
            const float theta = lengths > 0.0f ? degreesFromCosine(dot(a, b) / lengths) : 0.0f;
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
