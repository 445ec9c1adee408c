// The committed sounds are packed four bits a sample (Microsoft ADPCM): decoded by libsndfile, as
// the game decodes them, each must stay close to the 16-bit original the art script synthesises,
// and keep its length, or a loop's seam gains a gap.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "AudioFiles.h"

namespace {

std::vector<float> samplesOf(const std::string& path, int& format) {
    SF_INFO info = {};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    std::vector<float> out;
    format = info.format;
    if (file == nullptr || info.channels != 1) {
        if (file != nullptr) {
            sf_close(file);
        }
        return out;
    }
    out.resize(std::size_t(info.frames));
    out.resize(std::size_t(sf_readf_float(file, out.data(), info.frames)));
    sf_close(file);
    return out;
}

TEST(SoundFiles, DecodeWithinThirtyDecibelsOfTheirOriginals) {
    if (std::system("command -v sox >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "sox is needed to make the originals";
    }
    const std::string source = GRIDLUME_SOURCE_DIR;
    audiotest::ScratchDir dir;
    ASSERT_TRUE(dir.ok());
    const std::string make = "sh '" + source + "/art/sounds.sh' '" + dir.file("") + "' --pcm";
    ASSERT_EQ(std::system(make.c_str()), 0);

    for (const char* name : {"motor", "alarm", "good", "roll", "trash", "chain"}) {
        SCOPED_TRACE(name);
        int packedFormat = 0, originalFormat = 0;
        const std::vector<float> packed =
            samplesOf(source + "/sounds/" + name + ".wav", packedFormat);
        const std::vector<float> original = samplesOf(dir.file(name) + ".wav", originalFormat);
        ASSERT_FALSE(original.empty());
        EXPECT_EQ(packedFormat, SF_FORMAT_WAV | SF_FORMAT_MS_ADPCM);
        const bool loop = std::string(name) == "motor" || std::string(name) == "alarm";
        // The last block of a one-shot sound is padded with at most a few ms of silence.
        ASSERT_GE(packed.size(), original.size());
        EXPECT_LE(packed.size(), original.size() + (loop ? 0 : 441));
        double signal = 0, noise = 0;
        for (std::size_t i = 0; i < packed.size(); ++i) {
            const double want = i < original.size() ? original[i] : 0.0;
            signal += want * want;
            noise += (packed[i] - want) * (packed[i] - want);
        }
        // 30 dB: the clink, all sharp strikes, measures 33; the hum and the rumble 65 to 68.
        EXPECT_GE(10 * std::log10(signal / noise), 30.0);
    }
}

} // namespace
