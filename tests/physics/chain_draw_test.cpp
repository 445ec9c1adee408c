#include "physics/chain_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace chaintest;

namespace {

// A two-joint chain; its first link runs from joint 0 to joint 1.
struct LinkScene {
    std::unique_ptr<Chain> chain = chainAt({{10.0f, 10.0f, 0.0f}, {35.0f, 10.0f, 0.0f}});
    ChainLink& link = *chain->links[0];

    const Sprite& place(Vec3 from, Vec3 to) {
        chain->joints[0]->position = from;
        chain->joints[1]->position = to;
        chain->updateLinkSprite(0);
        return link.sprite;
    }
};

} // namespace

TEST(ChainDraw, LinkAnglesFollowTheDirectionFromFromToTo) {
    LinkScene scene;
    ASSERT_EQ(scene.link.from, scene.chain->joints[0]);
    const Vec3 from{10.0f, 10.0f, 0.0f};
    EXPECT_EQ(scene.place(from, {35.0f, 10.0f, 0.0f}).angle, 0.0f);
    EXPECT_EQ(scene.place(from, {10.0f, 35.0f, 0.0f}).angle, 90.0f);
    EXPECT_EQ(scene.place(from, {-15.0f, 10.0f, 0.0f}).angle, 180.0f);
    EXPECT_EQ(scene.place(from, {10.0f, -15.0f, 0.0f}).angle, 270.0f);
    EXPECT_NEAR(scene.place(from, {35.0f, 35.0f, 0.0f}).angle, 45.0f, 1e-4f);
    EXPECT_NEAR(scene.place(from, {35.0f, -15.0f, 0.0f}).angle, 315.0f, 1e-4f);
}

TEST(ChainDraw, LinkSitsMidwayAtDepthZeroAndStretchesAlongItsLength) {
    LinkScene scene;
    const Sprite& rest = scene.place({10.0f, 10.0f, 4.0f}, {35.0f, 10.0f, 8.0f});
    EXPECT_EQ(rest.position, (Vec3{22.5f, 10.0f, 0.0f}));

    const Sprite& atRest = scene.place({10.0f, 10.0f, 0.0f}, {35.0f, 10.0f, 0.0f});
    EXPECT_FLOAT_EQ(atRest.scale.x, 41.025f);
    EXPECT_FLOAT_EQ(atRest.scale.y, 41.025f);

    const Sprite& stretched = scene.place({10.0f, 10.0f, 0.0f}, {10.0f, 40.0f, 0.0f});
    EXPECT_FLOAT_EQ(stretched.scale.x, 49.23f);
    EXPECT_FLOAT_EQ(stretched.scale.y, 41.025f);
    EXPECT_FLOAT_EQ(stretched.scale.z, 41.025f);
}

TEST(ChainDraw, DegenerateLinksKeepFiniteAngles) {
    LinkScene scene;
    const Sprite& collapsed = scene.place({-301.0f, 182.0f, 0.0f}, {-301.0f, 182.0f, 0.0f});
    EXPECT_EQ(collapsed.angle, 0.0f);
    EXPECT_EQ(collapsed.scale.x, 0.0f);

    // Pointing left or nearly so: the arc cosine's steepest end.
    for (int i = -200; i <= 200; ++i) {
        const float dy = static_cast<float>(i) * 1e-4f;
        const float x = 123.456f + static_cast<float>(i) * 0.37f;
        const Sprite& left = scene.place({x, 7.3f, 0.0f}, {x - 31.7f, 7.3f + dy, 0.0f});
        ASSERT_TRUE(std::isfinite(left.angle)) << i;
        EXPECT_NEAR(left.angle, 180.0f, 0.05f) << i;
    }
}

TEST(ChainDraw, DrawPlacesEveryLink) {
    auto chain = playChain();
    chain->draw();
    for (const ChainLink* link : chain->links) {
        const Vec3 f = link->from->position;
        const Vec3 t = link->to->position;
        EXPECT_EQ(link->sprite.position.x, (f.x + t.x) * 0.5f);
        EXPECT_EQ(link->sprite.position.y, (f.y + t.y) * 0.5f);
    }
    // The closing link runs from joint 34 straight left to joint 0.
    EXPECT_EQ(chain->links.front()->sprite.angle, 180.0f);

    // An index past the end touches no link.
    const Sprite last = chain->links.back()->sprite;
    chain->joints[0]->position.y += 50.0f;
    chain->updateLinkSprite(chain->links.size());
    EXPECT_EQ(chain->links.back()->sprite.position, last.position);
    EXPECT_EQ(chain->links.front()->sprite.angle, 180.0f);
}
