#include "platform/BoxText.h"
#include "gfx/Camera.h"
#include "app/DataFolder.h"
#include "app/Options.h"

#include <gtest/gtest.h>

#include <string>
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

// --help, --version and an unknown option are run for real by cli_e2e.sh.
TEST(Options, EachOptionAndWhatCannotBeUsed) {
    EXPECT_TRUE(parse({"-h"}).help);
    EXPECT_TRUE(parse({"-V"}).version);
    EXPECT_FALSE(parse({"--fullscreen", "--window"}).fullScreen); // the last word wins
    EXPECT_TRUE(parse({"--window", "-f"}).fullScreen);
    EXPECT_TRUE(parse({"--mute"}).mute);
    EXPECT_TRUE(parse({"--uncapped"}).uncapped);
    EXPECT_TRUE(parse({"--relaxed"}).relaxed);
    EXPECT_EQ(parse({}).hints, -1); // by the number of games played
    EXPECT_EQ(parse({"--no-hints", "--hints"}).hints, 1);
    EXPECT_EQ(parse({"--hints", "--no-hints"}).hints, 0);
    EXPECT_EQ(parse({"--data", "/opt/g"}).dataFolder, "/opt/g");
    EXPECT_EQ(parse({"--data=/opt/g"}).dataFolder, "/opt/g");
    EXPECT_EQ(parse({"-x"}).error, "unknown option '-x'");
    EXPECT_EQ(parse({"level3"}).error, "unexpected argument 'level3'");
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

// A Windows player started from the icon reads --help in a message box: no fixed-width columns.
TEST(Options, HelpForAMessageBoxHasOneLinePerEntryAndPerParagraph) {
    EXPECT_EQ(
        boxText("Options:\n  -a, --all   every one\n              of them\n      --b     bee\n"
                "A sentence\nover two lines.\n\nNext\none.\n"),
        "Options:\n-a, --all: every one of them\n--b: bee\nA sentence over two lines.\n\n"
        "Next one.\n");
    EXPECT_EQ(boxText(usageText()).find("  "), std::string::npos);
}

// Started from / by cli_e2e.sh and from an unpacked package by install_e2e.sh; here, the order.
TEST(DataFolder, AnExplicitFolderGoesFirstAndTheFirstHoldingThePicturesWins) {
    EXPECT_EQ(dataFolderCandidates("/opt/g").front(), "/opt/g");
    EXPECT_EQ(dataFolderCandidates("").front(), ".");
    EXPECT_EQ(findDataFolder({"/nowhere", GRIDLUME_SOURCE_DIR, "/"}), GRIDLUME_SOURCE_DIR);
    EXPECT_EQ(findDataFolder({"/nowhere", "/"}), "");
}

} // namespace
