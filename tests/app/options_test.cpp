#include "app/Camera.h"
#include "app/DataFolder.h"
#include "app/Options.h"
#include "app/Pacing.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

Options parse(std::vector<std::string> words) {
    static std::vector<std::string> kept; // argv must outlive the Options that point into it
    kept = std::move(words);
    kept.insert(kept.begin(), "gridlume");
    static std::vector<char*> argv;
    argv.clear();
    for (std::string& word : kept) {
        argv.push_back(&word[0]);
    }
    return parseOptions(static_cast<int>(argv.size()), argv.data());
}

std::vector<std::string> glutArgs(const Options& options) {
    std::vector<std::string> args;
    for (const char* arg : options.glutArgs) {
        args.push_back(arg != nullptr ? arg : "(end)");
    }
    return args;
}

TEST(Options, EachOptionAndItsShortForm) {
    EXPECT_TRUE(parse({"--help"}).help);
    EXPECT_TRUE(parse({"-h"}).help);
    EXPECT_TRUE(parse({"-V"}).version);
    EXPECT_TRUE(parse({"--version"}).version);
    EXPECT_TRUE(parse({"-f"}).fullScreen);
    EXPECT_FALSE(parse({"--fullscreen", "--window"}).fullScreen); // the last word wins
    EXPECT_TRUE(parse({"--window", "-f"}).fullScreen);
    EXPECT_TRUE(parse({"--mute"}).mute);
    EXPECT_TRUE(parse({"--uncapped"}).uncapped);
    EXPECT_EQ(parse({"--data", "/opt/g"}).dataFolder, "/opt/g");
    EXPECT_EQ(parse({"--data=/opt/g"}).dataFolder, "/opt/g");
    const Options plain = parse({});
    EXPECT_TRUE(plain.error.empty());
    EXPECT_FALSE(plain.help || plain.fullScreen || plain.mute || plain.uncapped);
    EXPECT_EQ(glutArgs(plain), (std::vector<std::string>{"gridlume", "(end)"}));
}

TEST(Options, WhatCannotBeUsedIsAnErrorNamingIt) {
    EXPECT_EQ(parse({"--foo"}).error, "unknown option '--foo'");
    EXPECT_EQ(parse({"-x"}).error, "unknown option '-x'");
    EXPECT_EQ(parse({"level3"}).error, "unexpected argument 'level3'");
    EXPECT_EQ(parse({"--data"}).error, "option '--data' needs a folder");
    EXPECT_EQ(parse({"--data="}).error, "option '--data' needs a folder");
    EXPECT_EQ(parse({"-display"}).error, "option '-display' needs a value");
}

TEST(Options, GlutsOwnOptionsAndEverythingAfterDoubleDashPassThrough) {
    const Options options =
        parse({"-display", ":3", "--mute", "-geometry", "1024x768+10+20", "-sync", "--", "-x"});
    EXPECT_TRUE(options.error.empty());
    EXPECT_TRUE(options.mute);
    EXPECT_EQ(glutArgs(options),
              (std::vector<std::string>{"gridlume", "-display", ":3", "-geometry", "1024x768+10+20",
                                        "-sync", "-x", "(end)"}));
    EXPECT_EQ(options.width, 1024);
    EXPECT_EQ(options.height, 768);
    // A position alone asks for no size.
    EXPECT_EQ(parse({"-geometry", "+10+20"}).width, 0);
    EXPECT_EQ(parse({"-geometry", "=640x480"}).height, 480);
}

TEST(WindowFit, TheForcedShapeNeverOutgrowsTheScreen) {
    int w = 0;
    int h = 0;
    fitFourByThree(1366, 1024, 768, w, h);
    EXPECT_EQ(w, 1024);
    EXPECT_EQ(h, 768);
    fitFourByThree(1000, 1920, 1080, w, h); // fits: the usual rule
    EXPECT_EQ(h, 750);
    fitFourByThree(1400, 1920, 1080, w, h); // 1050 high fits under 1080
    EXPECT_EQ(w, 1400);
    fitFourByThree(1600, 1920, 1080, w, h); // 1200 would not
    EXPECT_EQ(w, 1440);
    EXPECT_EQ(h, 1080);
    fitFourByThree(5000, 0, 0, w, h); // no screen to ask
    EXPECT_EQ(h, 3750);
}

TEST(Pacing, FramesStartOnePeriodApartAndALateOneDoesNotHurryTheNext) {
    EXPECT_DOUBLE_EQ(nextFrameStart(10.0, 10.001, 0.025), 10.025);
    EXPECT_DOUBLE_EQ(nextFrameStart(10.0, 10.3, 0.025), 10.3);
}

TEST(Pacing, AStillScreenIsDrawnAgainOnlyWhenItMayHaveChangedOrOnceASecond) {
    EXPECT_FALSE(frameDue(true, true, false, 0.5));
    EXPECT_TRUE(frameDue(true, true, true, 0.0));
    EXPECT_TRUE(frameDue(true, true, false, 1.0));
    EXPECT_TRUE(frameDue(true, false, false, 0.0)); // play moves by itself
    EXPECT_TRUE(frameDue(false, true, false, 0.0)); // uncapped: every pass, as before pacing
}

TEST(DataFolder, TheFirstFolderHoldingThePicturesWins) {
    char base[] = "/tmp/gridlume-data.XXXXXX";
    ASSERT_NE(mkdtemp(base), nullptr);
    const std::string empty = std::string(base) + "/empty";
    const std::string full = std::string(base) + "/full";
    mkdir(empty.c_str(), 0700);
    mkdir(full.c_str(), 0700);
    mkdir((full + "/img").c_str(), 0700);
    std::fclose(std::fopen((full + "/img/splash.jpg").c_str(), "w"));

    EXPECT_EQ(findDataFolder({empty, full, "/"}), full);
    EXPECT_EQ(findDataFolder({empty, "/nowhere"}), "");
    EXPECT_EQ(dataFolderCandidates(full).front(), full); // an explicit folder goes first
    EXPECT_EQ(dataFolderCandidates("").front(), ".");

    std::remove((full + "/img/splash.jpg").c_str());
    rmdir((full + "/img").c_str());
    rmdir(full.c_str());
    rmdir(empty.c_str());
    rmdir(base);
}

} // namespace
