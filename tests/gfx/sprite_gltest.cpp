#include "gfx/Sprite.h"
#include "gfx/TextureCache.h"
#include "support/GlWindow.h"
#include "support/TestImages.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

GLint boundName() {
    GLint name = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
    return name;
}

// Reads one pixel of the back buffer in window coordinates, origin top left like the mouse.
std::array<int, 3> pixelAt(int x, int yFromTop) {
    unsigned char rgb[3] = {0, 0, 0};
    glReadBuffer(GL_BACK);
    glReadPixels(x, 599 - yFromTop, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return {rgb[0], rgb[1], rgb[2]};
}

class SpriteTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ensureGlWindow();
        folder = makeTempDir();
        // Top row red, bottom row blue: tells which way up a picture lands.
        std::vector<uint32_t> rows(16, 0xff0000ffu);
        std::fill(rows.begin() + 8, rows.end(), 0x0000ffffu);
        writePng(folder + "/updown.png", 2, 8, rows);
        writePng(folder + "/green.png", 2, 2, std::vector<uint32_t>(4, 0x00ff00ffu));
        ::testing::internal::CaptureStdout();
        upDown = textureCache.getTexture((folder + "/updown.png").c_str());
        green = textureCache.getTexture((folder + "/green.png").c_str());
        ::testing::internal::GetCapturedStdout();
    }
    static void TearDownTestSuite() { std::filesystem::remove_all(folder); }

    void SetUp() override {
        // Start every test from "nothing bound by the sprite draw".
        glDisable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, 0);
        boundTexture = -1;
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    static Sprite textured(TextureEntry* entry) {
        Sprite s;
        s.texture = entry;
        return s;
    }

    static inline std::string folder;
    static inline TextureEntry* upDown = nullptr;
    static inline TextureEntry* green = nullptr;
};

TEST_F(SpriteTest, QuadListIsBuiltOnceTheContextExists) {
    Sprite first;
    const unsigned list = quadList;
    EXPECT_NE(list, 0u);
    EXPECT_TRUE(glIsList(list));
    Sprite second;
    EXPECT_EQ(quadList, list);
}

TEST_F(SpriteTest, HiddenSpriteTouchesNothing) {
    Sprite s = textured(green);
    s.hidden = true;
    glDisable(GL_BLEND);
    s.draw();
    EXPECT_EQ(boundTexture, -1);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(boundName(), 0);
    EXPECT_EQ(pixelAt(400, 300), (std::array<int, 3>{0, 0, 0}));
}

TEST_F(SpriteTest, SameTextureIsNotBoundAgain) {
    Sprite a = textured(green), b = textured(green);
    a.draw();
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(boundName(), static_cast<GLint>(green->id));
    EXPECT_EQ(boundTexture, static_cast<int>(green->id));
    // Bind something else behind the sprite draw's back: a second draw with the same texture
    // must not bind, so the foreign binding survives.
    glBindTexture(GL_TEXTURE_2D, upDown->id);
    b.draw();
    EXPECT_EQ(boundName(), static_cast<GLint>(upDown->id));
}

TEST_F(SpriteTest, UntexturedSpriteTurnsTexturingOffAndBack) {
    Sprite a = textured(green), plain, c = textured(upDown);
    a.draw();
    plain.draw();
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(boundTexture, -1);
    c.draw();
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(boundName(), static_cast<GLint>(upDown->id));
    EXPECT_EQ(boundTexture, static_cast<int>(upDown->id));

    TextureEntry failed; // a picture that did not load draws like no picture
    Sprite broken = textured(&failed);
    broken.draw();
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(SpriteTest, BlendingSpritesSetTheBlendFunction) {
    glDisable(GL_BLEND);
    Sprite s;
    s.draw();
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    GLint source = 0, destination = 0;
    glGetIntegerv(GL_BLEND_SRC, &source);
    glGetIntegerv(GL_BLEND_DST, &destination);
    EXPECT_EQ(source, GL_SRC_ALPHA);
    EXPECT_EQ(destination, GL_ONE_MINUS_SRC_ALPHA);
}

TEST_F(SpriteTest, OffsetIsTurnedWithTheSprite) {
    Sprite s; // untextured white
    s.scale = {6.0f, 6.0f, 1.0f};
    s.angle = 90.0f;
    s.offset = {10.0f, 0.0f, 0.0f};
    s.draw();
    EXPECT_EQ(pixelAt(400, 290), (std::array<int, 3>{255, 255, 255})); // 10 units above
    EXPECT_EQ(pixelAt(410, 300), (std::array<int, 3>{0, 0, 0}));       // not to the right
    EXPECT_EQ(pixelAt(400, 300), (std::array<int, 3>{0, 0, 0}));
}

TEST_F(SpriteTest, PicturesAppearUprightAndTinted) {
    Sprite s = textured(upDown);
    s.scale = {800.0f, 800.0f, 800.0f};
    s.draw();
    // Linear filtering with repeat blends the picture's edges; look well inside each half.
    EXPECT_EQ(pixelAt(400, 120), (std::array<int, 3>{255, 0, 0}));
    EXPECT_EQ(pixelAt(400, 480), (std::array<int, 3>{0, 0, 255}));

    s.color[0] = 0.0f; // modulate: no red left on top
    s.draw();
    EXPECT_EQ(pixelAt(400, 120), (std::array<int, 3>{0, 0, 0}));
}

} // namespace
