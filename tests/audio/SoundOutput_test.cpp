// What really comes out of the speakers, and what happens without any. OpenAL fixes its driver
// the first time it is used in a process, so each case runs in a child process of its own
// (gtest re-executes the binary for a "threadsafe" death test) and sets its driver there.
#include "audio/SoundBank.h"
#include "audio/SoundDevice.h"

#include "AudioFiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

const char* const scratchVariable = "GRIDLUME_AUDIO_SCRATCH";
const double toneSeconds = 0.1;
// The wave writer's output as the config below asks for it: stereo float at 44.1 kHz.
const double bytesPerSecond = 44100.0 * 2 * 4;

class SoundOutputTest : public testing::Test {
protected:
    // The child runs this test again from the top and must find the parent's folder, so the
    // folder travels in the environment rather than being made anew.
    void SetUp() override {
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        if (const char* shared = std::getenv(scratchVariable)) {
            dir = shared;
        } else {
            std::string pattern =
                (std::filesystem::temp_directory_path() / "gridlume-output-XXXXXX").string();
            ASSERT_NE(mkdtemp(pattern.data()), nullptr);
            dir = pattern;
            owner = true;
            setenv(scratchVariable, dir.c_str(), 1);
        }
        tone = dir + "/tone.wav";
        recording = dir + "/out.wav";
        ASSERT_TRUE(audiotest::writeTone(tone, toneSeconds));
    }
    void TearDown() override {
        if (owner) {
            unsetenv(scratchVariable);
            std::error_code ignored;
            std::filesystem::remove_all(dir, ignored);
        }
    }

    // In the child: record everything OpenAL mixes into a wave file.
    void useWaveWriter() const {
        std::string config = dir + "/alsoft.conf";
        FILE* file = std::fopen(config.c_str(), "w");
        std::fprintf(file,
                     "[general]\ndrivers=wave\nchannels=stereo\nsample-type=float32\n"
                     "frequency=44100\n[wave]\nfile=%s\n",
                     recording.c_str());
        std::fclose(file);
        unsetenv("ALSOFT_DRIVERS"); // it would win over the config file
        setenv("ALSOFT_CONF", config.c_str(), 1);
    }

    // Waits until the writer has recorded this much more sound, however busy the machine is.
    void recordFor(double seconds) const {
        auto size = [this] {
            struct stat info = {};
            return stat(recording.c_str(), &info) == 0 ? double(info.st_size) : 0.0;
        };
        double target = size() + seconds * bytesPerSecond;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (size() < target && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    static void finish(bool ok, const char* why) {
        if (!ok) {
            std::fprintf(stderr, "child failed: %s\n", why);
        }
        std::fflush(nullptr);
        std::_Exit(ok ? 0 : 1);
    }

    std::string dir, tone, recording;
    bool owner = false;
};

TEST_F(SoundOutputTest, TheMotorLoopKeepsSounding) {
    EXPECT_EXIT(
        {
            useWaveWriter();
            bool played = false;
            {
                SoundBank sounds;
                sounds.init();
                sounds.loadLoop(tone.c_str(), "motor");
                played = sounds.play("motor") != 0;
                recordFor(0.6);
            }
            finish(played, "motor did not start");
        },
        testing::ExitedWithCode(0), "");
    audiotest::Recording out = audiotest::readRecording(recording);
    ASSERT_TRUE(out.ok());
    // Many times the file's own length: the loop came round again and again.
    EXPECT_GT(out.soundingSeconds(), 4 * toneSeconds);
}

// Muted from the start (as --mute does), unmuted, muted again while it plays, then stopped and
// unmuted: it sounds only while unmuted, and stays silent once stopped.
TEST_F(SoundOutputTest, AMutedOrStoppedLoopFallsSilent) {
    EXPECT_EXIT(
        {
            useWaveWriter();
            soundSetMuted(true);
            bool played = false;
            {
                SoundBank sounds;
                sounds.init();
                sounds.loadLoop(tone.c_str(), "alarm");
                played = sounds.play("alarm") != 0;
                recordFor(0.3);
                soundSetMuted(false);
                recordFor(0.3);
                soundSetMuted(true);
                recordFor(0.4);
                sounds.stop("alarm");
                soundSetMuted(false);
                recordFor(0.4);
            }
            finish(played, "alarm did not start");
        },
        testing::ExitedWithCode(0), "");
    audiotest::Recording out = audiotest::readRecording(recording);
    ASSERT_TRUE(out.ok());
    EXPECT_NEAR(out.soundingSeconds(), 0.3, 0.1);
    EXPECT_GT(out.trailingSilence(), 0.7);
}

TEST_F(SoundOutputTest, AOneShotPlaysOnce) {
    EXPECT_EXIT(
        {
            useWaveWriter();
            bool played = false;
            {
                SoundBank sounds;
                sounds.init();
                sounds.loadSound(tone.c_str(), "good");
                played = sounds.play("good") != 0;
                recordFor(0.6);
            }
            finish(played, "good did not start");
        },
        testing::ExitedWithCode(0), "");
    audiotest::Recording out = audiotest::readRecording(recording);
    ASSERT_TRUE(out.ok());
    EXPECT_NEAR(out.soundingSeconds(), toneSeconds, 0.02);
    EXPECT_GT(out.trailingSilence(), 0.3);
}

TEST_F(SoundOutputTest, WithoutADeviceTheGameGoesOnSilently) {
    EXPECT_EXIT(
        {
            setenv("ALSOFT_DRIVERS", "no-such-driver", 1);
            SoundBank* sounds = new SoundBank;
            CaptureStdout();
            sounds->init();
            sounds->loadLoop(tone.c_str(), "motor");
            sounds->loadSound(tone.c_str(), "good");
            int channel = sounds->play("motor");
            sounds->stop("good");
            sounds->stopAll();
            bool nothing = sounds->samples[0] == nullptr && sounds->samples[1] == nullptr;
            delete sounds;
            soundClose();
            soundInit(44100, 32, 0);
            soundInit(44100, 32, 0);
            std::string log = GetCapturedStdout();
            finish(channel == 0 && nothing &&
                       log == "Loaded loop motor\n"
                              "Loaded Sound good\n"
                              "ERROR: No sample associated with motor\n"
                              "ERROR: Sample motor not found\n"
                              "ERROR: No sample associated with good\n"
                              "ERROR: Sample good not found\n",
                   "something played, loaded or logged unexpectedly");
        },
        testing::ExitedWithCode(0), "");
}

} // namespace
