#include "app/GraphicsCheck.h"

#include <gtest/gtest.h>

// The strings real drivers give: Mesa, Windows' own software OpenGL, a browser's WebGL.
TEST(GraphicsCheck, TellsWhatTheDriverLacks) {
    EXPECT_EQ(graphicsShortfall(nullptr, nullptr), GraphicsShortfall::noOpenGL);
    EXPECT_EQ(graphicsShortfall("", ""), GraphicsShortfall::noOpenGL);
    EXPECT_EQ(graphicsShortfall("1.1.0", "GL_WIN_swap_hint GL_EXT_bgra"),
              GraphicsShortfall::noPictureSizes);
    EXPECT_EQ(graphicsShortfall("1.5 Vendor", "GL_ARB_texture_non_power_of_two_x"),
              GraphicsShortfall::noPictureSizes);
    EXPECT_EQ(graphicsShortfall("1.5 Vendor", "GL_EXT_bgra GL_ARB_texture_non_power_of_two"),
              GraphicsShortfall::none);
    EXPECT_EQ(graphicsShortfall("4.5 (Compatibility Profile) Mesa 22.3.6", nullptr),
              GraphicsShortfall::none);
    EXPECT_EQ(graphicsShortfall("OpenGL ES 2.0 (WebGL 1.0)", nullptr), GraphicsShortfall::none);
    EXPECT_TRUE(graphicsAdvice(GraphicsShortfall::none).empty());
    EXPECT_NE(graphicsAdvice(GraphicsShortfall::noOpenGL), "");
}
