#include "gfx/Camera.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A window dragged down to one pixel wide used to be forced to a height of 0, which X refuses by
// ending the process; the viewport and the aspect went to 0 and infinity with it.
TEST(WindowSize, OnePixelWideKeepsAPixelOfHeight) {
    Camera c;
    c.position.z = -50.0f;
    c.perspective = false;
    c.reshape(1, 1);
    EXPECT_EQ(c.width, 1);
    EXPECT_EQ(c.height, 1);
    EXPECT_TRUE(std::isfinite(c.aspect));
    const Vec3 corner = c.screenToWorld(1, 1);
    EXPECT_TRUE(std::isfinite(corner.x) && std::isfinite(corner.y));

    c.reshape(2, 1); // from two pixels on the rule gives a height again
    EXPECT_EQ(c.height, 1);
    c.reshape(4, 5000);
    EXPECT_EQ(c.height, 3);

    c.reshape(0, 0); // minimised: ignored
    EXPECT_EQ(c.width, 4);
    EXPECT_EQ(c.height, 3);
}

} // namespace
