#include "gfx/TextureCache.h"
#include "support/GlWindow.h"
#include "support/TestImages.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace {

using ::testing::internal::CaptureStdout;
using ::testing::internal::GetCapturedStdout;

// Each test works in its own folder so relative names like "./img/x.png" are real paths.
class TextureCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureGlWindow();
        previous = std::filesystem::current_path();
        folder = makeTempDir();
        std::filesystem::create_directories(folder + "/img");
        writePng(folder + "/img/x.png", 4, 2, std::vector<uint32_t>(8, 0xff0000ffu));
        std::filesystem::current_path(folder);
    }
    void TearDown() override {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(folder);
    }
    std::filesystem::path previous;
    std::string folder;
};

TEST_F(TextureCacheTest, LoadsOncePerNameAndLogsEachLoad) {
    TextureCache cache;
    CaptureStdout();
    TextureEntry* first = cache.getTexture("./img/x.png");
    TextureEntry* again = cache.getTexture("./img/x.png");
    TextureEntry* other = cache.getTexture("img/x.png"); // same file, other text: a second entry
    EXPECT_EQ(GetCapturedStdout(), "Loaded texture ./img/x.png\nLoaded texture img/x.png\n");
    EXPECT_TRUE(imageLibraryReady);
    EXPECT_EQ(first, again);
    EXPECT_NE(first, other);
    EXPECT_NE(first->id, TextureEntry::noTexture);
    EXPECT_NE(other->id, TextureEntry::noTexture);
    EXPECT_NE(first->id, other->id);
    EXPECT_TRUE(glIsTexture(first->id));
    EXPECT_EQ(cache.size(), 2u);

    // Handing an entry back keeps it loaded and cached.
    TextureCache::releaseTexture(first);
    CaptureStdout();
    EXPECT_EQ(cache.getTexture("./img/x.png"), first);
    EXPECT_EQ(GetCapturedStdout(), "");
    EXPECT_TRUE(glIsTexture(first->id));
}

TEST_F(TextureCacheTest, MissingFileIsLoggedOnceAndStaysUnavailable) {
    TextureCache cache;
    CaptureStdout();
    TextureEntry* missing = cache.getTexture("./img/none.png");
    TextureEntry* again = cache.getTexture("./img/none.png");
    EXPECT_EQ(GetCapturedStdout(), "Couldn't load texture ./img/none.png\n");
    EXPECT_EQ(missing, again);
    EXPECT_EQ(static_cast<int>(missing->id), -1);

    // A bad file must not poison the next good one.
    std::filesystem::create_directories("img");
    {
        std::FILE* f = std::fopen("img/bad.png", "wb");
        std::fputs("not a picture", f);
        std::fclose(f);
    }
    CaptureStdout();
    EXPECT_EQ(static_cast<int>(cache.getTexture("./img/bad.png")->id), -1);
    EXPECT_NE(cache.getTexture("./img/x.png")->id, TextureEntry::noTexture);
    EXPECT_EQ(GetCapturedStdout(),
              "Couldn't load texture ./img/bad.png\nLoaded texture ./img/x.png\n");
}

TEST_F(TextureCacheTest, TexturesRepeatAndFilterLinearly) {
    TextureCache cache;
    CaptureStdout();
    TextureEntry* entry = cache.getTexture("./img/x.png");
    GetCapturedStdout();
    glBindTexture(GL_TEXTURE_2D, entry->id);
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &value);
    EXPECT_EQ(value, GL_REPEAT);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &value);
    EXPECT_EQ(value, GL_REPEAT);
    GLint width = 0, height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    EXPECT_EQ(width, 4);
    EXPECT_EQ(height, 2);
}

} // namespace
