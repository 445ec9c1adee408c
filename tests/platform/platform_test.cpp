#include "app/Records.h"
#include "platform/Platform.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

// The clock the frames are paced on: a moment ahead is slept to, one passed returns at once.
TEST(Platform, SleepsUntilAMomentOnTheMonotonicClock) {
    const double start = platform::monotonicSeconds();
    platform::sleepUntil(start + 0.02);
    const double slept = platform::monotonicSeconds() - start;
    EXPECT_GE(slept, 0.02);
    EXPECT_LT(slept, 1.0);
    platform::sleepUntil(start);
    EXPECT_GE(platform::monotonicSeconds(), start + slept);
}

// The records as the game keeps them, in the player's data folder: the second game's file takes
// the first one's place (which rename() onto an existing file does not do on Windows), under the
// lock, and leaves no temporary file behind.
TEST(Platform, RecordsInTheUserDataFolderAreReplacedWhole) {
#ifndef _WIN32
    // Here the folder follows $XDG_DATA_HOME, which keeps the test out of the player's own.
    const std::string scratch = ::testing::TempDir() + "gridlume-platform-test";
    std::filesystem::remove_all(scratch);
    setenv("XDG_DATA_HOME", scratch.c_str(), 1);
#endif
    const std::string folder = platform::userDataFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(defaultRecordsPath(), folder + "/records");
    const std::string path = folder + "/records-test";
    std::filesystem::remove(path);

    RecordsFile first(path);
    first.load();
    first.add(false, 61500);
    RecordsFile second(path);
    second.load();
    second.add(true, 240000);
    std::string text;
    std::string why;
    ASSERT_EQ(platform::readSmallFile(path, 4096, text, why), platform::ReadOutcome::read) << why;
    EXPECT_EQ(text, formatRecords(second.current()));
    EXPECT_EQ(second.current().played, 2);
    EXPECT_TRUE(second.saving());
    for (const auto& file : std::filesystem::directory_iterator(folder)) {
        const std::string name = file.path().filename().string();
        EXPECT_TRUE(name.rfind("records-test", 0) != 0 || name == "records-test" ||
                    name == "records-test.lock")
            << name;
    }
    std::filesystem::remove(path);
    std::filesystem::remove(path + ".lock");
}

// A first game has no records yet, nor (on Windows, another error) a folder for them: both are
// simply missing, not a failure to report.
TEST(Platform, AFileOrAFolderNotThereYetIsMissing) {
    const std::string folder = ::testing::TempDir() + "gridlume-no-such-folder";
    std::filesystem::remove_all(folder);
    std::string text;
    std::string why;
    EXPECT_EQ(platform::readSmallFile(folder + "/records", 4096, text, why),
              platform::ReadOutcome::missing)
        << why;
    std::filesystem::create_directory(folder);
    EXPECT_EQ(platform::readSmallFile(folder + "/records", 4096, text, why),
              platform::ReadOutcome::missing)
        << why;
    std::filesystem::remove_all(folder);
}

} // namespace
