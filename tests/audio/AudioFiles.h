#pragma once

// Wave files made at test time (nothing binary is kept in the repository) and a reader for
// what OpenAL's wave writer recorded.
#include <sndfile.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace audiotest {

// A sine tone at half scale; silent files prove nothing about playback.
inline bool writeTone(const std::string& path, double seconds, int channels = 1,
                      int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16, int rate = 44100) {
    SF_INFO info = {};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) {
        return false;
    }
    const sf_count_t frames = sf_count_t(seconds * rate);
    std::vector<float> data(std::size_t(frames) * std::size_t(channels));
    for (sf_count_t f = 0; f < frames; ++f) {
        float value = 0.5f * float(std::sin(2.0 * M_PI * 440.0 * double(f) / rate));
        for (int c = 0; c < channels; ++c) {
            data[std::size_t(f) * std::size_t(channels) + std::size_t(c)] = value;
        }
    }
    bool ok = sf_writef_float(file, data.data(), frames) == frames;
    sf_close(file);
    return ok;
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// What a recording holds: the loudest channel of every frame.
struct Recording {
    int rate = 0;
    std::vector<float> level;

    bool ok() const { return rate > 0; }
    double seconds(std::size_t frames) const { return double(frames) / rate; }
    // Time from the first to the last frame above the threshold; 0 when all is silent.
    double soundingSeconds(float threshold = 0.01f) const {
        std::size_t first = 0, last = 0;
        bool any = false;
        for (std::size_t i = 0; i < level.size(); ++i) {
            if (level[i] > threshold) {
                first = any ? first : i;
                last = i;
                any = true;
            }
        }
        return any ? seconds(last - first + 1) : 0.0;
    }
    // Silence after the last frame above the threshold.
    double trailingSilence(float threshold = 0.01f) const {
        std::size_t i = level.size();
        while (i > 0 && level[i - 1] <= threshold) {
            --i;
        }
        return seconds(level.size() - i);
    }
};

inline Recording readRecording(const std::string& path) {
    Recording out;
    SF_INFO info = {};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr) {
        return out;
    }
    std::vector<float> frame(std::size_t(info.channels));
    while (sf_readf_float(file, frame.data(), 1) == 1) {
        float loudest = 0.0f;
        for (float v : frame) {
            loudest = std::fmax(loudest, std::fabs(v));
        }
        out.level.push_back(loudest);
    }
    out.rate = info.samplerate;
    sf_close(file);
    return out;
}

// A scratch folder for one test, removed again when the test ends.
class ScratchDir {
public:
    ScratchDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "gridlume-audio-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~ScratchDir() {
        std::error_code ignored;
        if (!path_.empty()) {
            std::filesystem::remove_all(path_, ignored);
        }
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    bool ok() const { return !path_.empty(); }

private:
    std::string path_;
};

} // namespace audiotest
