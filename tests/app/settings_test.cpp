#include "app/Choices.h"
#include "app/Options.h"
#include "app/Settings.h"
#include "platform/Platform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

namespace {

std::string readAll(const std::string& path) {
    std::string text;
    std::string why;
    platform::readSmallFile(path, 4096, text, why);
    return text;
}

// A fresh settings file in the player's config folder (a scratch one outside Windows), gone
// before and after.
struct SettingsPlace : ::testing::Test {
    std::string path;
    void SetUp() override {
#ifndef _WIN32
        const std::string scratch = ::testing::TempDir() + "gridlume-settings-test";
        std::filesystem::remove_all(scratch);
        setenv("XDG_CONFIG_HOME", scratch.c_str(), 1);
        setenv("XDG_DATA_HOME", scratch.c_str(), 1); // a browser keeps its settings there
#endif
        ASSERT_FALSE(platform::userConfigFolder().empty());
        EXPECT_EQ(defaultSettingsPath(), platform::userConfigFolder() + "/settings");
        path = platform::userConfigFolder() + "/settings-test";
        std::filesystem::remove(path);
    }
    void TearDown() override {
        std::filesystem::remove(path);
    }
};

// A run's changes come back in the next run; what the command line forced for one run does
// not, unless the player changed it too.
TEST_F(SettingsPlace, ChangesSurviveARestartButOptionsDoNot) {
    SettingsFile first(path);
    EXPECT_EQ(first.load(), Settings());
    Settings now = first.load();
    now.muted = true; // --mute for this run
    first.keep(now);
    EXPECT_EQ(readAll(path), ""); // nothing changed by the player yet
    now.relaxed = true;
    now.palette = Palette::BlueYellow;
    now.hints = 0;
    first.keep(now);

    SettingsFile second(path);
    const Settings kept = second.load();
    EXPECT_TRUE(kept.relaxed);
    EXPECT_FALSE(kept.muted);
    EXPECT_EQ(kept.hints, 0);
    EXPECT_EQ(kept.palette, Palette::BlueYellow);
}

// A file we cannot read is told about and left as it was, whatever the player changes.
TEST_F(SettingsPlace, ADamagedFileIsIgnoredAndNeverOverwritten) {
    std::string why;
    ASSERT_TRUE(platform::makeFoldersAbove(path, why)) << why;
    ASSERT_EQ(platform::replaceFile(path, "gridlume settings 1\nsound loud\n", why),
              platform::ReplaceOutcome::replaced);
    SettingsFile file(path);
    testing::internal::CaptureStderr();
    EXPECT_EQ(file.load(), Settings());
    file.keep(Settings());
    Settings changed;
    changed.relaxed = true;
    file.keep(changed);
    const std::string said = testing::internal::GetCapturedStderr();
#ifndef __EMSCRIPTEN__ // there the message bypasses the captured descriptor
    EXPECT_NE(said.find("\"sound loud\" is not a setting"), std::string::npos) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << said; // once
#endif
    EXPECT_FALSE(file.saving());
    EXPECT_EQ(readAll(path), "gridlume settings 1\nsound loud\n");
}

// Missing lines keep their defaults; anything not ours is refused; the command line wins.
TEST(Settings, TextAndCommandLine) {
    Settings back;
    std::string why;
    EXPECT_TRUE(parseSettings("gridlume settings 1\npalette blue-yellow\n", back, why));
    EXPECT_EQ(back.palette, Palette::BlueYellow);
    EXPECT_FALSE(back.muted);
    for (const char* bad : {"", "gridlume records 2\n", "gridlume settings 1\nrelaxed yes\n",
                            "gridlume settings 1\nsound on off\n"}) {
        EXPECT_FALSE(parseSettings(bad, back, why)) << bad;
    }
    Settings kept;
    kept.fullScreen = true;
    kept.hints = 0;
    std::vector<std::string> words = {"gridlume", "-w", "--hints", "--palette", "blue-yellow"};
    std::vector<char*> argv;
    for (std::string& w : words) {
        argv.push_back(&w[0]);
    }
    const Settings run = withOptions(kept, parseOptions(int(argv.size()), argv.data()));
    EXPECT_FALSE(run.fullScreen);
    EXPECT_EQ(run.hints, 1);
    EXPECT_EQ(run.palette, Palette::BlueYellow);
    EXPECT_EQ(withOptions(kept, Options()), kept);
}

// Lightness as the eye weighs it (relative luminance of the sRGB colour).
double luminance(const float rgb[3]) {
    double y = 0.0;
    const double weights[3] = {0.2126, 0.7152, 0.0722};
    for (int i = 0; i < 3; ++i) {
        const double c = rgb[i];
        y += weights[i] * (c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return y;
}

// The palette for red-green blindness must tell the light by lightness alone; the usual one is
// the rules' red to green, to the constant.
TEST(Settings, TheBlueYellowRampGetsLighterAllTheWay) {
    float rgb[3];
    double previous = -1.0;
    for (int step = 0; step <= 100; ++step) {
        lightColor(Palette::BlueYellow, step / 100.0f, rgb);
        const double y = luminance(rgb);
        EXPECT_GT(y, previous) << step;
        previous = y;
    }
    lightColor(Palette::BlueYellow, 0.0f, rgb);
    EXPECT_GT(previous, luminance(rgb) * 8.0); // far apart, not just in order
    lightColor(Palette::RedGreen, 0.25f, rgb);
    EXPECT_EQ(rgb[0], 0.75f);
    EXPECT_EQ(rgb[1], 0.25f);
    EXPECT_EQ(rgb[2], 0.0f);
}

} // namespace
