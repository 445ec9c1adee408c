#include "audio/SoundBank.h"

#include "AudioFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

class SoundBankTest : public testing::Test {
protected:
    void SetUp() override {
        setenv("ALSOFT_DRIVERS", "null", 0); // a silent device when run outside ctest
        ASSERT_TRUE(dir.ok());
        ASSERT_TRUE(audiotest::writeTone(alarmFile, 0.2));
        ASSERT_TRUE(audiotest::writeTone(goodFile, 0.05));
        bank.init();
    }

    // The bank keeps the caller's pointers, so the texts must outlive it.
    audiotest::ScratchDir dir;
    std::string alarmFile = dir.file("alarm.wav");
    std::string goodFile = dir.file("good.wav");
    std::string missingFile = dir.file("motor.wav");
    SoundBank bank;
};

bool waitUntilSilent(int channel) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (soundPlaying(channel) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return !soundPlaying(channel);
}

TEST_F(SoundBankTest, LoadsLogEveryFileAndFillSlotsInOrder) {
    const char* alarm = "alarm";
    CaptureStdout();
    bank.loadLoop(alarmFile.c_str(), alarm);
    bank.loadSound(goodFile.c_str(), "good");
    bank.loadLoop(missingFile.c_str(), "motor");
    bank.loadSound(missingFile.c_str(), "roll");
    EXPECT_EQ(GetCapturedStdout(),
              "Loaded loop alarm\nLoaded Sound good\nLoaded loop motor\nLoaded Sound roll\n");

    EXPECT_EQ(bank.count, 4);
    EXPECT_EQ(bank.names[0], alarm); // the caller's text itself, not a copy
    EXPECT_NE(bank.samples[0], nullptr);
    EXPECT_NE(bank.samples[1], nullptr);
    EXPECT_STREQ(bank.names[2], "motor");
    EXPECT_EQ(bank.samples[2], nullptr);
    EXPECT_STREQ(bank.names[4], "");
    EXPECT_EQ(bank.samples[4], nullptr);
}

TEST_F(SoundBankTest, NamesThatFindNoSampleAreReportedAndPlayNothing) {
    bank.loadLoop(alarmFile.c_str(), "alarm");
    bank.loadLoop(missingFile.c_str(), "motor");

    CaptureStdout();
    EXPECT_EQ(bank.play("motor"), 0);
    bank.stop("motor");
    EXPECT_EQ(GetCapturedStdout(), "ERROR: No sample associated with motor\n"
                                   "ERROR: Sample motor not found\n"
                                   "ERROR: No sample associated with motor\n"
                                   "ERROR: Sample motor not found\n");

    CaptureStdout();
    EXPECT_EQ(bank.play("bell"), 0);
    bank.stop("bell");
    EXPECT_EQ(bank.play("Alarm"), 0);
    EXPECT_EQ(GetCapturedStdout(), "ERROR: Sample bell not found\n"
                                   "ERROR: Sample bell not found\n"
                                   "ERROR: Sample Alarm not found\n");
    EXPECT_EQ(bank.channels[0], 0);
    EXPECT_EQ(bank.channels[1], 0);
}

TEST_F(SoundBankTest, StopOfANeverPlayedSoundStopsChannelZeroAndSaysSo) {
    bank.loadLoop(alarmFile.c_str(), "alarm");
    CaptureStdout();
    bank.stop("alarm");
    EXPECT_EQ(GetCapturedStdout(), "Stopping alarm\n");
    EXPECT_EQ(bank.channels[0], 0);
}

TEST_F(SoundBankTest, ReplayKeepsOnlyTheNewestChannel) {
    bank.loadLoop(alarmFile.c_str(), "alarm");
    CaptureStdout();
    int first = bank.play("alarm");
    int second = bank.play("alarm");
    EXPECT_EQ(GetCapturedStdout(), ""); // a successful play is silent on the console
    ASSERT_NE(first, 0);
    ASSERT_NE(second, 0);
    EXPECT_NE(first, second);
    EXPECT_EQ(bank.channels[0], second);

    CaptureStdout();
    bank.stop("alarm");
    EXPECT_EQ(GetCapturedStdout(), "Stopping alarm\n");
    EXPECT_FALSE(soundPlaying(second));
    EXPECT_TRUE(soundPlaying(first)); // only the newest play is known to the bank
}

TEST_F(SoundBankTest, LoopsRunUntilStoppedAndOneShotsEndByThemselves) {
    bank.loadLoop(alarmFile.c_str(), "alarm");
    bank.loadSound(goodFile.c_str(), "good");
    bank.loadLoop(alarmFile.c_str(), "motor");
    int alarm = bank.play("alarm");
    int good = bank.play("good");
    int motor = bank.play("motor");

    EXPECT_TRUE(waitUntilSilent(good));
    EXPECT_TRUE(soundPlaying(alarm)); // still going after several times its length
    EXPECT_TRUE(soundPlaying(motor));

    CaptureStdout();
    bank.stopAll();
    EXPECT_EQ(GetCapturedStdout(), "");
    EXPECT_FALSE(soundPlaying(alarm));
    EXPECT_FALSE(soundPlaying(motor));
}

TEST_F(SoundBankTest, TheThirtyThirdLoadIsRefused) {
    static const std::string names[33] = {
        "s0",  "s1",  "s2",  "s3",  "s4",  "s5",  "s6",  "s7",  "s8",  "s9",  "s10",
        "s11", "s12", "s13", "s14", "s15", "s16", "s17", "s18", "s19", "s20", "s21",
        "s22", "s23", "s24", "s25", "s26", "s27", "s28", "s29", "s30", "s31", "extra"};
    for (int i = 0; i < 32; ++i) {
        bank.loadSound(goodFile.c_str(), names[i].c_str());
    }
    CaptureStdout();
    bank.loadLoop(alarmFile.c_str(), names[32].c_str());
    EXPECT_EQ(bank.play("extra"), 0);
    EXPECT_EQ(GetCapturedStdout(),
              "ERROR: No room for sound extra\nERROR: Sample extra not found\n");
    EXPECT_EQ(bank.count, 32);
    EXPECT_STREQ(bank.names[31], "s31");
    EXPECT_NE(bank.play("s31"), 0);
}

TEST(SoundBankLifetime, ABankBeforeInitIsHarmless) {
    SoundBank bank;
    CaptureStdout();
    EXPECT_EQ(bank.play("alarm"), 0);
    bank.stop("alarm");
    bank.stopAll();
    EXPECT_EQ(GetCapturedStdout(),
              "ERROR: Sample alarm not found\nERROR: Sample alarm not found\n");
}

TEST(SoundBankLifetime, DestructionSilencesEverything) {
    audiotest::ScratchDir dir;
    std::string file = dir.file("motor.wav");
    ASSERT_TRUE(audiotest::writeTone(file, 0.2));
    int channel = 0;
    {
        SoundBank bank;
        bank.init();
        bank.loadLoop(file.c_str(), "motor");
        channel = bank.play("motor");
        ASSERT_TRUE(soundPlaying(channel));
    }
    EXPECT_FALSE(soundPlaying(channel));
}

} // namespace
