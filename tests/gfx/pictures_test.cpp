#include "gfx/Pictures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

// The two decoders must give the game the same pictures: every file in img/ the same size and the
// same way up, PNG pixels exactly, JPEG within the rounding of two different inverse transforms.
TEST(Pictures, DevilAndStbDecodeEveryGamePictureAlike) {
    int compared = 0;
    for (const auto& file :
         std::filesystem::recursive_directory_iterator(GRIDLUME_SOURCE_DIR "/img")) {
        const std::string path = file.path().string();
        const std::string kind = file.path().extension().string();
        if (kind != ".png" && kind != ".jpg") {
            continue;
        }
        Picture devil;
        Picture stb;
        ASSERT_TRUE(decodeWithDevil(path.c_str(), devil)) << path;
        ASSERT_TRUE(decodeWithStb(path.c_str(), stb)) << path;
        ASSERT_EQ(devil.width, stb.width) << path;
        ASSERT_EQ(devil.height, stb.height) << path;
        ASSERT_EQ(devil.rgba.size(), stb.rgba.size()) << path;
        int largest = 0;
        double total = 0;
        for (std::size_t i = 0; i < devil.rgba.size(); ++i) {
            const int difference = std::abs(devil.rgba[i] - stb.rgba[i]);
            largest = std::max(largest, difference);
            total += difference;
        }
        if (kind == ".png") {
            EXPECT_EQ(largest, 0) << path;
        } else {
            EXPECT_LE(largest, 4) << path;
            EXPECT_LE(total / static_cast<double>(devil.rgba.size()), 0.1) << path;
        }
        ++compared;
    }
    EXPECT_GE(compared, 20);
}

TEST(Pictures, MissingAndCorruptFilesFailWithBoth) {
    const std::string corrupt = ::testing::TempDir() + "corrupt.png";
    std::ofstream(corrupt, std::ios::binary) << "\x89PNG\r\n\x1a\n not a picture after all";
    for (const std::string& path : {std::string("no/such/picture.png"), corrupt}) {
        Picture picture;
        EXPECT_FALSE(decodeWithDevil(path.c_str(), picture)) << path;
        EXPECT_FALSE(decodeWithStb(path.c_str(), picture)) << path;
    }
}

} // namespace
