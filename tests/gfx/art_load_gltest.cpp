// Every committed picture and sound loads through the game's own loaders, from the working
// directory the game runs in, under the names the game asks for.
#include "audio/SoundDevice.h"
#include "gfx/TextureCache.h"
#include "support/GlWindow.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

class ArtLoadTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureGlWindow();
        previous = std::filesystem::current_path();
        std::filesystem::current_path(GRIDLUME_SOURCE_DIR);
    }
    void TearDown() override { std::filesystem::current_path(previous); }
    std::filesystem::path previous;
};

TEST_F(ArtLoadTest, EveryPictureBecomesATextureOfItsOwnSize) {
    // A cache of our own: the global one may already hold failed entries for these names,
    // cached by tests that ran in other folders.
    TextureCache cache;
    std::vector<std::string> names = {
        "./img/splash.jpg",     "./img/instructions.jpg", "./img/win.jpg",   "./img/lose.jpg",
        "./img/bg.jpg",         "./img/square.jpg",       "./img/motor.png", "./img/gear.png",
        "./img/lightbulb.png",  "./img/addlink.png",      "./img/link.png",  "./img/hud/colon.png",
        "./img/hud/paused.png", "./img/hud/muted.png"};
    for (char digit = '0'; digit <= '9'; ++digit) {
        names.push_back(std::string("./img/hud/digit-") + digit + ".png");
    }
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        TextureEntry* entry = cache.getTexture(name.c_str());
        ASSERT_NE(entry, nullptr);
        ASSERT_NE(entry->id, TextureEntry::noTexture);
        glBindTexture(GL_TEXTURE_2D, entry->id);
        GLint width = 0, height = 0, alphaBits = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_ALPHA_SIZE, &alphaBits);
        // OpenGL 1.1 takes only power-of-two sides.
        EXPECT_GT(width, 0);
        EXPECT_EQ(width & (width - 1), 0) << width;
        EXPECT_EQ(height & (height - 1), 0) << height;
        if (name.find(".png") != std::string::npos) {
            EXPECT_GT(alphaBits, 0); // pieces are cut out by their transparency
        }
    }
}

TEST_F(ArtLoadTest, EverySoundDecodesIntoASample) {
    setenv("ALSOFT_DRIVERS", "null", 0);
    soundInit(44100, 32, 0);
    const struct {
        const char* file;
        bool loop;
    } sounds[] = {{"./sounds/alarm.wav", true},  {"./sounds/good.wav", false},
                  {"./sounds/motor.wav", true},  {"./sounds/roll.wav", false},
                  {"./sounds/trash.wav", false}, {"./sounds/chain.wav", false}};
    for (const auto& sound : sounds) {
        EXPECT_NE(soundSampleLoad(sound.file, sound.loop), nullptr) << sound.file;
    }
    soundClose();
}

} // namespace
