// The loudest a game can get: both loops and every one-shot started in the same instant, from
// the game's own files, mixed by OpenAL into its wave writer. The mix must stay under full scale,
// or it clips. OpenAL fixes its driver at its first use in a process, so this runs alone, in the
// mix_peak tests (tests/CMakeLists.txt, and under Wine tests/Windows.cmake), which point OpenAL
// at the wave writer and name the recording; anywhere else it is skipped.
#include "audio/SoundBank.h"
#include "audio/SoundDevice.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>

namespace {

TEST(MixPeak, EverySoundAtOnceStaysUnderFullScale) {
    const char* recording = std::getenv("GRIDLUME_MIX_RECORDING");
    if (recording == nullptr) {
        GTEST_SKIP() << "run by the mix_peak test, with the wave writer";
    }
    const char* const loops[] = {"alarm", "motor"};
    const char* const shots[] = {"good", "roll", "trash", "chain"};
    auto file = [](const char* name) {
        return std::string(GRIDLUME_SOURCE_DIR) + "/sounds/" + name + ".wav";
    };
    {
        SoundBank sounds;
        sounds.init();
        for (const char* name : loops) {
            sounds.loadLoop(file(name).c_str(), name);
        }
        for (const char* name : shots) {
            sounds.loadSound(file(name).c_str(), name);
        }
        for (const char* name : {"alarm", "motor", "good", "roll", "trash", "chain"}) {
            EXPECT_NE(sounds.play(name), 0) << name;
        }
        // A second and a half of stereo float at 44.1 kHz, however busy the machine is.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        std::error_code error;
        while (std::filesystem::file_size(recording, error) < 1.5 * 44100 * 2 * 4 &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    soundClose(); // the writer finishes its file

    SF_INFO info = {};
    SNDFILE* mix = sf_open(recording, SFM_READ, &info);
    ASSERT_NE(mix, nullptr) << sf_strerror(nullptr);
    float peak = 0.0f;
    float block[1024];
    for (sf_count_t got; (got = sf_read_float(mix, block, 1024)) > 0;) {
        for (sf_count_t i = 0; i < got; ++i) {
            peak = std::fmax(peak, std::fabs(block[i]));
        }
    }
    sf_close(mix);
    std::printf("peak of the whole mix: %.3f\n", peak);
    // Some OpenAL builds hold float output at 1.0, so reaching it is clipping too.
    EXPECT_LT(peak, 0.99f);
    EXPECT_GT(peak, 0.5f); // and still as loud as it may be
}

} // namespace
