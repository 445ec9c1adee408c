#include "physics/chain_fixtures.h"

#include <gtest/gtest.h>

#include <vector>

using namespace chaintest;

namespace {

// Every joint starts exactly one link, and that link ends at the next joint of the loop.
void expectClosedLoop(const Chain& chain) {
    const std::size_t n = chain.joints.size();
    ASSERT_EQ(chain.links.size(), n);
    std::vector<int> starts(n, 0);
    for (const ChainLink* link : chain.links) {
        std::size_t from = n;
        for (std::size_t i = 0; i < n; ++i) {
            if (chain.joints[i] == link->from) {
                from = i;
            }
        }
        ASSERT_LT(from, n);
        ++starts[from];
        EXPECT_EQ(link->to, chain.joints[(from + 1) % n]) << "link from joint " << from;
    }
    for (std::size_t i = 0; i < n; ++i) {
        EXPECT_EQ(starts[i], 1) << "joint " << i;
    }
}

void expectLinkOrder(const Chain& chain, const std::vector<std::size_t>& order) {
    ASSERT_EQ(chain.links.size(), order.size());
    const std::size_t n = chain.joints.size();
    for (std::size_t j = 0; j < order.size(); ++j) {
        EXPECT_EQ(chain.links[j]->from, chain.joints[order[j]]) << "slot " << j;
        EXPECT_EQ(chain.links[j]->to, chain.joints[(order[j] + 1) % n]) << "slot " << j;
    }
}

} // namespace

TEST(ChainBuild, PlayChainStartsInItsFourRuns) {
    const auto chain = playChain();
    ASSERT_EQ(chain->joints.size(), 35u);
    struct Run {
        std::size_t first, last;
        float x, y, dx, dy;
    };
    const Run runs[] = {{0, 8, -295.0f, -230.0f, 0.0f, 25.0f},
                        {9, 17, -70.0f, -11.25f, 25.0f, 0.0f},
                        {18, 26, 580.0f, 195.0f, 0.0f, -25.0f},
                        {27, 34, -95.0f, -230.0f, -25.0f, 0.0f}};
    for (const Run& run : runs) {
        for (std::size_t i = run.first; i <= run.last; ++i) {
            const float steps = static_cast<float>(i - run.first);
            const Vec3 p = at(*chain, i);
            EXPECT_EQ(p.x, run.x + steps * run.dx) << "joint " << i;
            EXPECT_EQ(p.y, run.y + steps * run.dy) << "joint " << i;
            EXPECT_EQ(p.z, 0.0f) << "joint " << i;
        }
    }
    EXPECT_EQ(at(*chain, 8).y, -30.0f);
    EXPECT_EQ(at(*chain, 17).x, 130.0f);
    EXPECT_EQ(at(*chain, 26).y, -5.0f);
    EXPECT_EQ(at(*chain, 34).x, -270.0f);
}

TEST(ChainBuild, PlayChainLinksAndRelaxationOrder) {
    const auto chain = playChain();
    for (const ChainLink* link : chain->links) {
        EXPECT_EQ(link->restLength, 25.0f);
        EXPECT_EQ(link->restLengthSquared, 625.0f);
        EXPECT_FLOAT_EQ(link->sprite.scale.x, 41.025f);
        EXPECT_FLOAT_EQ(link->sprite.scale.y, 41.025f);
        EXPECT_FLOAT_EQ(link->sprite.scale.z, 41.025f);
    }
    std::vector<std::size_t> order;
    for (int k = 34; k >= 0; k -= 2) {
        order.push_back(static_cast<std::size_t>(k));
    }
    for (int k = 1; k <= 33; k += 2) {
        order.push_back(static_cast<std::size_t>(k));
    }
    expectLinkOrder(*chain, order);
    expectClosedLoop(*chain);
    EXPECT_TRUE(chain->gears.empty());
}

TEST(ChainBuild, PassCountFollowsLinkCount) {
    const std::pair<int, int> cases[] = {{0, 1},     {1, 1},     {10, 1},    {11, 2},
                                         {35, 6},    {41, 7},    {47, 8},    {53, 9},
                                         {824, 149}, {825, 150}, {2000, 150}};
    for (const auto& [links, passes] : cases) {
        const Chain chain(links, 25.0f, linkPicture, Vec3{}, field::jointEdges);
        EXPECT_EQ(chain.passCount(), passes) << links << " links";
    }
}

TEST(ChainBuild, AddLinksGrowsTheLoopBehindTheLastJoint) {
    const auto chain = playChain();
    const Vec3 old = at(*chain, 34);
    ChainLink* oldClosing = chain->links.front();
    chain->addLinks(6, 25);

    ASSERT_EQ(chain->joints.size(), 41u);
    ASSERT_EQ(chain->links.size(), 41u);
    for (std::size_t i = 35; i <= 40; ++i) {
        const Vec3 p = at(*chain, i);
        EXPECT_EQ(p.x, old.x + 25.0f * static_cast<float>(i - 34)) << "joint " << i;
        EXPECT_EQ(p.y, old.y) << "joint " << i;
        EXPECT_EQ(p.z, 0.0f);
    }
    EXPECT_EQ(chain->links.front()->from, chain->joints[40]);
    EXPECT_EQ(chain->links.front()->to, chain->joints[0]);
    EXPECT_EQ(oldClosing->to, chain->joints[35]);
    for (const ChainLink* link : chain->links) {
        EXPECT_EQ(link->restLengthSquared, 625.0f);
        EXPECT_FLOAT_EQ(link->sprite.scale.y, 41.025f);
    }
    expectClosedLoop(*chain);
    EXPECT_EQ(chain->passCount(), 7);
}

TEST(ChainBuild, AddLinksWithNoPositiveCountChangesNothing) {
    const auto chain = playChain();
    std::vector<ChainLink*> links = chain->links;
    for (int count : {0, -3}) {
        chain->addLinks(count, 25);
        EXPECT_EQ(chain->joints.size(), 35u);
        EXPECT_EQ(chain->links, links);
        EXPECT_EQ(chain->links.front()->to, chain->joints[0]);
    }
}

TEST(ChainBuild, EmptyChainHasNothingToGrowOrRelax) {
    Chain chain(0, 25.0f, linkPicture, Vec3{-295.0f, -230.0f, 0.0f}, field::jointEdges);
    EXPECT_TRUE(chain.joints.empty());
    EXPECT_TRUE(chain.links.empty());
    chain.addLinks(6, 25);
    EXPECT_TRUE(chain.joints.empty());
    EXPECT_TRUE(chain.links.empty());

    auto motor = pieceAt({-236.0f, -171.0f, 0.0f}, 50.0f, 200.0f);
    chain.attach(motor.get());
    chain.step(0.25f);
    chain.draw();
    EXPECT_EQ(motor->angle, 50.0f);
    EXPECT_EQ(motor->turned, 0.0f);
}

// The loop must stay closed however it was built or grown, not only for odd builds grown by
// even counts.
TEST(ChainBuild, GrowingKeepsTheLoopClosedForAnyCounts) {
    Chain even(4, 25.0f, linkPicture, Vec3{}, field::jointEdges);
    even.addLinks(2, 25);
    EXPECT_EQ(even.joints.size(), 6u);
    expectClosedLoop(even);

    const auto odd = playChain();
    odd->addLinks(3, 25);
    odd->addLinks(3, 25);
    odd->addLinks(1, 30);
    EXPECT_EQ(odd->joints.size(), 42u);
    expectClosedLoop(*odd);
    EXPECT_EQ(odd->links.back()->restLength, 30.0f);
}

TEST(ChainBuild, AttachHoldsAPieceOnceAndDetachRemovesOneEntry) {
    const auto chain = playChain();
    auto a = pieceAt({0.0f, 0.0f, 0.0f}, 25.0f);
    auto b = pieceAt({100.0f, 0.0f, 0.0f}, 25.0f);
    chain->attach(a.get());
    chain->attach(b.get());
    chain->attach(a.get());
    chain->attach(nullptr);
    EXPECT_EQ(chain->gears, (std::vector<Body*>{a.get(), b.get()}));
    EXPECT_TRUE(chain->isAttached(a.get()));

    auto stranger = pieceAt({0.0f, 0.0f, 0.0f}, 25.0f);
    chain->detach(stranger.get());
    EXPECT_EQ(chain->gears, (std::vector<Body*>{a.get(), b.get()}));

    // Only the first entry goes, even if someone filled the array by hand.
    chain->gears = {a.get(), b.get(), a.get()};
    chain->detach(a.get());
    EXPECT_EQ(chain->gears, (std::vector<Body*>{b.get(), a.get()}));
}

TEST(ChainBuild, DetachLeavesThePieceAsTheChainLeftIt) {
    auto chain = chainAt({{-10.0f, 0.0f, 0.0f}});
    auto piece = pieceAt({0.0f, 0.0f, 0.0f}, 25.0f);
    piece->angle = 30.0f;
    piece->turned = 99.0f;
    chain->attach(piece.get());
    chain->step(0.001f);
    ASSERT_EQ(piece->caughtJoint, chain->joints[0]);
    chain->detach(piece.get());
    EXPECT_FALSE(chain->isAttached(piece.get()));
    EXPECT_EQ(piece->caughtJoint, chain->joints[0]);
    EXPECT_EQ(piece->catchPoint, (Vec3{-10.0f, 0.0f, 0.0f}));
    EXPECT_EQ(piece->angle, 30.0f);
    EXPECT_EQ(piece->turned, 99.0f);

    // Detached, the chain no longer touches it.
    chain->joints[0]->position = {5.0f, 0.0f, 0.0f};
    chain->step(0.001f);
    EXPECT_EQ(at(*chain, 0), (Vec3{5.0f, 0.0f, 0.0f}));
}
