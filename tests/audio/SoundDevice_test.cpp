#include "audio/SoundDevice.h"

#include "AudioFiles.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <set>
#include <string>

namespace {

class SoundDeviceTest : public testing::Test {
protected:
    void SetUp() override {
        setenv("ALSOFT_DRIVERS", "null", 0);
        ASSERT_TRUE(dir.ok());
        ASSERT_TRUE(audiotest::writeTone(toneFile, 0.2));
        soundInit(44100, 32, 0);
        loop = soundSampleLoad(toneFile.c_str(), true);
        ASSERT_NE(loop, nullptr);
    }
    void TearDown() override { soundClose(); }

    audiotest::ScratchDir dir;
    std::string toneFile = dir.file("tone.wav");
    SoundSample* loop = nullptr;
};

TEST_F(SoundDeviceTest, WaveFilesOfEveryCommonShapeLoad) {
    const std::string stereo = dir.file("stereo.wav"), byte = dir.file("byte.wav"),
                      floats = dir.file("float.wav"), slow = dir.file("slow.wav");
    ASSERT_TRUE(audiotest::writeTone(stereo, 0.1, 2));
    ASSERT_TRUE(audiotest::writeTone(byte, 0.1, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_U8));
    ASSERT_TRUE(audiotest::writeTone(floats, 0.1, 1, SF_FORMAT_WAV | SF_FORMAT_FLOAT));
    ASSERT_TRUE(audiotest::writeTone(slow, 0.1, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050));
    for (const std::string& file : {stereo, byte, floats, slow}) {
        SoundSample* sample = soundSampleLoad(file.c_str(), false);
        EXPECT_NE(sample, nullptr) << file;
        EXPECT_NE(soundPlay(sample), 0) << file;
    }
}

TEST_F(SoundDeviceTest, BadFilesGiveNoSample) {
    const std::string empty = dir.file("empty.wav"), noise = dir.file("noise.wav"),
                      cut = dir.file("cut.wav"), silence = dir.file("nothing.wav"),
                      surround = dir.file("surround.wav");
    audiotest::writeBytes(empty, "");
    audiotest::writeBytes(noise, std::string(4000, '\x5a'));
    audiotest::writeBytes(cut, "RIFF\x24\x00\x00\x00WAVEfmt ");
    ASSERT_TRUE(audiotest::writeTone(silence, 0.0));
    ASSERT_TRUE(audiotest::writeTone(surround, 0.1, 6));
    for (const std::string& file :
         {empty, noise, cut, silence, surround, dir.file("absent.wav"), dir.file("")}) {
        EXPECT_EQ(soundSampleLoad(file.c_str(), false), nullptr) << file;
    }
    EXPECT_EQ(soundSampleLoad(nullptr, false), nullptr);
    EXPECT_EQ(soundPlay(nullptr), 0);
    for (int channel : {0, -1, INT_MIN, INT_MAX, 255, 1 << 30}) {
        soundStop(channel);
        EXPECT_FALSE(soundPlaying(channel));
    }
}

TEST_F(SoundDeviceTest, ChannelsAreDistinctNonZeroAndRunOutAtThirtyTwo) {
    std::set<int> channels;
    for (int i = 0; i < 32; ++i) {
        int channel = soundPlay(loop);
        ASSERT_NE(channel, 0);
        channels.insert(channel);
    }
    EXPECT_EQ(channels.size(), 32u);
    EXPECT_EQ(soundPlay(loop), 0); // every source busy with a loop

    int freed = *channels.begin();
    soundStop(freed);
    int again = soundPlay(loop);
    EXPECT_NE(again, 0);
    EXPECT_EQ(channels.count(again), 0u);
}

TEST_F(SoundDeviceTest, AStaleChannelCannotStopALaterPlayOnTheSameSource) {
    int first = soundPlay(loop);
    soundStop(first);
    int second = soundPlay(loop); // the first source is free again and gets reused
    ASSERT_NE(second, 0);
    EXPECT_NE(second, first);
    soundStop(first);
    EXPECT_TRUE(soundPlaying(second));
    soundStop(second);
    EXPECT_FALSE(soundPlaying(second));
}

TEST_F(SoundDeviceTest, InitAndCloseAreSafeInAnyOrder) {
    soundSetMinHardwareChannels(1000000);
    soundInit(44100, 32, 0); // a second init keeps the open device and its samples
    int playing = soundPlay(loop);
    EXPECT_NE(playing, 0);

    soundClose();
    soundClose();
    EXPECT_FALSE(soundPlaying(playing));
    EXPECT_EQ(soundPlay(loop), 0); // a sample from a closed device is dead
    EXPECT_EQ(soundSampleLoad(toneFile.c_str(), true), nullptr);

    soundInit(44100, 32, 0);
    EXPECT_EQ(soundPlay(loop), 0); // and stays dead on the next device
    SoundSample* fresh = soundSampleLoad(toneFile.c_str(), true);
    int channel = soundPlay(fresh);
    EXPECT_NE(channel, 0);
    soundStop(playing); // a number from the old device must not stop the new play
    EXPECT_TRUE(soundPlaying(channel));
}

} // namespace
