#include "physics/ArcCos.h"
#include "physics/chain_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

using namespace chaintest;

namespace {

// The step written the plain way: each pass relaxes every link, clamps every joint, then takes
// the pieces one by one, each over every joint. The real step reorders the last two sub-phases
// for speed; both must agree to the bit.
void referenceStep(Chain& chain, float seconds) {
    const int passes = chain.passCount();
    for (Body* piece : chain.gears) {
        piece->caughtJoint = nullptr;
    }
    for (int pass = 0; pass < passes; ++pass) {
        for (ChainLink* link : chain.links) {
            Vec3& f = link->from->position;
            Vec3& t = link->to->position;
            const Vec3 d = t - f;
            const float r2 = link->restLengthSquared;
            const float denominator = r2 + dot(d, d);
            if (denominator != 0.0f) {
                const auto s = static_cast<float>(r2 / denominator - 0.5);
                const Vec3 m = d * s;
                f = f - m;
                t = t + m;
            }
        }
        for (ChainJoint* joint : chain.joints) {
            Vec3& q = joint->position;
            if (q.x < -301.0f) {
                q.x = -301.0f;
            }
            if (q.x > 370.0f) {
                q.x = 370.0f;
            }
            if (q.y < -239.0f) {
                q.y = -239.0f;
            }
            if (q.y > 182.0f) {
                q.y = 182.0f;
            }
        }
        for (Body* piece : chain.gears) {
            const auto radius = static_cast<float>(piece->radius);
            for (ChainJoint* joint : chain.joints) {
                Vec3& q = joint->position;
                const Vec3 e = piece->position - q;
                const float reach = radius + (piece->speed > 0.0f ? Chain::motorGrip : 0.0f);
                if (dot(e, e) > (piece->speed > 0.0f ? reach * reach
                                                     : static_cast<float>(piece->radiusSquared))) {
                    continue;
                }
                if (piece->caughtJoint == nullptr) {
                    piece->catchPoint = q;
                    piece->caughtJoint = joint;
                }
                const Vec3 u = q - piece->position;
                const float len = std::sqrt(dot(u, u));
                q = len > 0.0f ? piece->position + u * (radius / len)
                               : piece->position + Vec3{radius, 0.0f, 0.0f};
                if (piece->speed > 0.0f) {
                    const auto k = static_cast<float>(piece->speed * 0.66 * seconds);
                    const Vec3 v = q - piece->position;
                    const float vlen = std::sqrt(dot(v, v));
                    if (vlen > 0.0f) {
                        const float nx = v.x / vlen;
                        const float ny = v.y / vlen;
                        q.x = q.x - ny * k;
                        q.y = q.y + nx * k;
                    }
                }
            }
        }
    }
    for (Body* piece : chain.gears) {
        if (piece->speed > 0.0f) {
            piece->angle += seconds * piece->speed;
        } else if (piece->caughtJoint != nullptr) {
            const Vec3 a = piece->catchPoint - piece->position;
            const Vec3 b = piece->caughtJoint->position - piece->position;
            const float lengths = std::sqrt(dot(a, a)) * std::sqrt(dot(b, b));
            float theta = 0.0f;
            if (lengths > 0.0f) {
                const float cosine = std::fmax(-1.0f, std::fmin(1.0f, dot(a, b) / lengths));
                theta = static_cast<float>(arcCos(cosine) * 57.2957795);
            }
            piece->angle += a.x * b.y - a.y * b.x < 0.0f ? -theta : theta;
            piece->turned += theta;
        }
        while (piece->angle > 360.0f) {
            piece->angle -= 360.0f;
        }
        while (piece->angle < 0.0f) {
            piece->angle += 360.0f;
        }
    }
}

struct Scene {
    std::unique_ptr<Chain> chain = playChain();
    std::vector<std::unique_ptr<Gear>> pieces;

    Scene(int pieceCount, int links) {
        chain->addLinks(links, 25);
        std::mt19937 random(1234);
        std::uniform_real_distribution<float> x(-301.0f, 370.0f);
        std::uniform_real_distribution<float> y(-239.0f, 182.0f);
        for (int i = 0; i < pieceCount; ++i) {
            const bool motor = i % 17 == 0;
            pieces.push_back(pieceAt({x(random), y(random), 0.0f}, motor ? 50.0f : 25.0f,
                                     motor ? 200.0f : 0.0f));
            chain->attach(pieces.back().get());
        }
    }
};

void expectSameScene(const Scene& a, const Scene& b, int step) {
    for (std::size_t i = 0; i < a.chain->joints.size(); ++i) {
        ASSERT_EQ(at(*a.chain, i), at(*b.chain, i)) << "joint " << i << " after step " << step;
    }
    for (std::size_t i = 0; i < a.pieces.size(); ++i) {
        ASSERT_EQ(a.pieces[i]->angle, b.pieces[i]->angle) << "piece " << i;
        ASSERT_EQ(a.pieces[i]->turned, b.pieces[i]->turned) << "piece " << i;
        ASSERT_EQ(a.pieces[i]->catchPoint, b.pieces[i]->catchPoint) << "piece " << i;
        const bool caught = a.pieces[i]->caughtJoint != nullptr;
        ASSERT_EQ(caught, b.pieces[i]->caughtJoint != nullptr) << "piece " << i;
    }
}

} // namespace

TEST(ChainReference, StepMatchesThePlainOrderBitForBit) {
    // Long steps move the joints far (the full test of every piece); the game's 1 ms steps keep
    // them near where they were (only the pieces near each joint are tested).
    for (const auto& [seconds, steps] : {std::pair{1.0f / 60.0f, 40}, {0.001f, 150}}) {
        // From no pieces to more than fit in one window of the contact test, on a crowded board.
        for (const auto& [pieceCount, links] :
             {std::pair{0, 0}, {1, 6}, {5, 0}, {30, 120}, {70, 400}}) {
            Scene fast(pieceCount, links);
            Scene plain(pieceCount, links);
            for (int step = 0; step < steps; ++step) {
                fast.chain->step(seconds);
                referenceStep(*plain.chain, seconds);
                expectSameScene(fast, plain, step);
                if (HasFatalFailure()) {
                    return;
                }
            }
        }
    }
}
