#include "gfx/Camera.h"

#include <gtest/gtest.h>

namespace {

Camera orthographicCamera() {
    Camera c;
    c.position.z = -50.0f;
    c.perspective = false;
    return c;
}

TEST(Camera, DefaultsAfterReset) {
    Camera c = orthographicCamera();
    c.reset();
    EXPECT_EQ(c.width, 800);
    EXPECT_EQ(c.height, 600);
    EXPECT_EQ(c.aspect, 0.0);
    EXPECT_EQ(c.fieldOfView, 55.0);
    EXPECT_TRUE(c.perspective);
    EXPECT_EQ(c.position.z, 0.0f);
}

TEST(Camera, ReshapeForcesFourByThreeFromTheWidth) {
    Camera c = orthographicCamera();
    c.reshape(1000, 500);
    EXPECT_EQ(c.width, 1000);
    EXPECT_EQ(c.height, 750);
    EXPECT_NEAR(c.aspect, 1.3333, 1e-4);

    c.reshape(801, 123);
    EXPECT_EQ(c.height, 600); // 600.75 truncated

    c.reshape(3, 1);
    EXPECT_EQ(c.height, 2);
}

TEST(Camera, MinimisedSizesAreIgnored) {
    Camera c = orthographicCamera();
    c.reshape(1000, 500);
    for (auto size : {std::pair{0, 0}, std::pair{0, 600}, std::pair{800, 0}, std::pair{-5, 300},
                      std::pair{400, -1}}) {
        c.reshape(size.first, size.second);
        EXPECT_EQ(c.width, 1000);
        EXPECT_EQ(c.height, 750);
        EXPECT_NEAR(c.aspect, 4.0 / 3.0, 1e-12);
    }
}

TEST(Camera, ScreenToWorldMapsTheCorners) {
    Camera c = orthographicCamera();
    c.reshape(800, 600);
    Vec3 topLeft = c.screenToWorld(0, 0);
    EXPECT_EQ(topLeft.x, -400.0f);
    EXPECT_EQ(topLeft.y, 300.0f);
    EXPECT_EQ(topLeft.z, 0.0f);
    Vec3 bottomRight = c.screenToWorld(800, 600);
    EXPECT_EQ(bottomRight.x, 400.0f);
    EXPECT_EQ(bottomRight.y, -300.0f);
    Vec3 centre = c.screenToWorld(400, 300);
    EXPECT_EQ(centre.x, 0.0f);
    EXPECT_EQ(centre.y, 0.0f);

    c.reshape(1000, 500); // one world unit is 1.25 pixels on both axes
    Vec3 corner = c.screenToWorld(1000, 750);
    EXPECT_FLOAT_EQ(corner.x, 400.0f);
    EXPECT_FLOAT_EQ(corner.y, -300.0f);
    Vec3 inner = c.screenToWorld(125, 125);
    EXPECT_FLOAT_EQ(inner.x, -300.0f);
    EXPECT_FLOAT_EQ(inner.y, 200.0f);
}

} // namespace
