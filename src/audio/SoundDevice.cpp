#include "audio/SoundDevice.h"

#include <AL/al.h>
#include <AL/alc.h>
#if __has_include(<AL/alext.h>) // not in a browser, whose mixer is the page's own
#include <AL/alext.h>
#endif
#include <sndfile.h>

#include <cstddef>
#include <vector>
#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

// A sample handle outlives the device on purpose: the bank keeps its pointers after close, and
// the play state may even be destroyed after a test closed the device under it. A dead handle
// (live == false) is refused by soundPlay instead of touching a deleted buffer.
struct SoundSample {
    ALuint buffer = 0;
    bool loop = false;
    bool live = false;
    SoundSample* next = nullptr;
};

namespace {

// Channel numbers carry the source index in the low 8 bits (index + 1, so never 0) and the
// play's generation above them. Every play bumps its source's generation, so a stale channel
// number from an earlier play on the same source no longer matches and cannot stop a later
// sound. Generations wrap after 2^23 plays on one source.
constexpr int indexBits = 8;
constexpr int maxChannels = (1 << indexBits) - 1;
constexpr unsigned generationMask = (1u << 23) - 1;

struct Voice {
    ALuint source;
    unsigned generation;
};

// Plain data only: the bank closes the device from a static destructor at exit, so this state
// must not have a destructor of its own that could run first.
ALCdevice* device = nullptr;
ALCcontext* context = nullptr;
Voice voices[maxChannels];
int voiceCount = 0;
SoundSample* allSamples = nullptr;
bool muted = false; // kept while no device is open, and applied when one opens

// The whole mix, scaled down alike so that every sound keeps its place beside the others.
// Each file peaks near 0.89 and a centred mono source reaches each side at 0.71 of that; both
// loops with all four one-shots started together summed to about 1.55 times full scale
// and clipped. At this gain they stay under it (SoundOutput_test), with room to spare for
// peaks that happen to meet; OpenAL's own limiter, asked for below, catches what is left.
constexpr float mixGain = 0.55f;

void applyMute() {
    if (context != nullptr) {
        alListenerf(AL_GAIN, muted ? 0.0f : mixGain);
    }
}

// Decoded files above this many 16-bit values are refused rather than risk a huge allocation
// from a file whose header lies (about 6 minutes of stereo at 44.1 kHz).
constexpr std::size_t maxValues = std::size_t(32) << 20;

Voice* voiceOf(int channel) {
    if (channel <= 0 || device == nullptr) {
        return nullptr;
    }
    int index = (channel & maxChannels) - 1;
    unsigned generation = unsigned(channel) >> indexBits;
    if (index < 0 || index >= voiceCount || voices[index].generation != generation) {
        return nullptr;
    }
    return &voices[index];
}

bool decode(const char* fileName, std::vector<short>& pcm, int& channels, int& rate) {
    SF_INFO info = {};
    SNDFILE* file = sf_open(fileName, SFM_READ, &info);
    if (file == nullptr) {
        return false;
    }
    channels = info.channels;
    rate = info.samplerate;
    bool ok = (channels == 1 || channels == 2) && rate > 0;
    // Read in blocks until the end instead of trusting the frame count in the header.
    const sf_count_t blockFrames = 4096;
    while (ok) {
        std::size_t used = pcm.size();
        pcm.resize(used + std::size_t(blockFrames) * std::size_t(channels));
        sf_count_t got = sf_readf_short(file, pcm.data() + used, blockFrames);
        if (got < 0) {
            got = 0;
        }
        pcm.resize(used + std::size_t(got) * std::size_t(channels));
        if (got < blockFrames) {
            break;
        }
        ok = pcm.size() <= maxValues;
    }
    sf_close(file);
    return ok && !pcm.empty();
}

} // namespace

void soundSetMinHardwareChannels(int) {
    // OpenAL mixes in software; there is no hardware channel count to ask for.
}

void soundInit(int mixRate, int channelCount, unsigned) {
    if (device != nullptr) {
        return; // already open: keep the device and the samples loaded on it
    }
#ifdef __EMSCRIPTEN__
    // A page may make sound only once the player has clicked or pressed a key (the page notes
    // the first); until then the game runs silent, as it does without a device.
    if (emscripten_run_script_int("Module.gridlumeGestured ? 1 : 0") == 0) {
        return;
    }
#endif
    device = alcOpenDevice(nullptr);
    if (device == nullptr) {
        return;
    }
    ALCint attributes[5] = {};
    int used = 0;
#ifdef ALC_OUTPUT_LIMITER_SOFT
    attributes[used++] = ALC_OUTPUT_LIMITER_SOFT;
    attributes[used++] = ALC_TRUE;
#endif
    if (mixRate > 0) {
        attributes[used++] = ALC_FREQUENCY;
        attributes[used++] = mixRate;
    }
    context = alcCreateContext(device, attributes);
    if (context == nullptr || alcMakeContextCurrent(context) == ALC_FALSE) {
        if (context != nullptr) {
            alcDestroyContext(context);
            context = nullptr;
        }
        alcCloseDevice(device);
        device = nullptr;
        return;
    }
    int wanted = channelCount < 1 ? 1 : (channelCount > maxChannels ? maxChannels : channelCount);
    voiceCount = 0;
    alGetError();
    while (voiceCount < wanted) {
        ALuint source = 0;
        alGenSources(1, &source);
        if (alGetError() != AL_NO_ERROR) {
            break;
        }
        // Generations are kept across close and reopen so old channel numbers stay stale.
        voices[voiceCount].source = source;
        ++voiceCount;
    }
    applyMute();
}

SoundSample* soundSampleLoad(const char* fileName, bool loop) {
    if (device == nullptr || fileName == nullptr) {
        return nullptr;
    }
    std::vector<short> pcm;
    int channels = 0;
    int rate = 0;
    if (!decode(fileName, pcm, channels, rate)) {
        return nullptr;
    }
    alGetError();
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    if (alGetError() != AL_NO_ERROR) {
        return nullptr;
    }
    alBufferData(buffer, channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16, pcm.data(),
                 ALsizei(pcm.size() * sizeof(short)), rate);
    if (alGetError() != AL_NO_ERROR) {
        alDeleteBuffers(1, &buffer);
        return nullptr;
    }
    SoundSample* sample = new SoundSample;
    sample->buffer = buffer;
    sample->loop = loop;
    sample->live = true;
    sample->next = allSamples;
    allSamples = sample;
    return sample;
}

int soundPlay(SoundSample* sample) {
    if (device == nullptr || sample == nullptr || !sample->live) {
        return 0;
    }
    for (int i = 0; i < voiceCount; ++i) {
        ALint state = AL_STOPPED;
        alGetSourcei(voices[i].source, AL_SOURCE_STATE, &state);
        if (state == AL_PLAYING || state == AL_PAUSED) {
            continue; // a paused sound resumes later and keeps its source
        }
        ALuint source = voices[i].source;
        alGetError();
        alSourceStop(source); // a paused or finished source must let go of its old buffer
        alSourcei(source, AL_BUFFER, ALint(sample->buffer));
        alSourcei(source, AL_LOOPING, sample->loop ? AL_TRUE : AL_FALSE);
        alSourcePlay(source);
        if (alGetError() != AL_NO_ERROR) {
            return 0;
        }
        voices[i].generation = (voices[i].generation + 1) & generationMask;
        return int(voices[i].generation << indexBits) | (i + 1);
    }
    return 0;
}

void soundStop(int channel) {
    if (Voice* voice = voiceOf(channel)) {
        alSourceStop(voice->source);
    }
}

namespace {

// Pauses a playing channel, or resumes a paused one; a channel in any other state stays so.
void holdChannel(int channel, bool hold) {
    Voice* voice = voiceOf(channel);
    if (voice == nullptr) {
        return;
    }
    ALint state = AL_STOPPED;
    alGetSourcei(voice->source, AL_SOURCE_STATE, &state);
    if (hold && state == AL_PLAYING) {
        alSourcePause(voice->source);
    } else if (!hold && state == AL_PAUSED) {
        alSourcePlay(voice->source);
    }
}

} // namespace

void soundPause(int channel) {
    holdChannel(channel, true);
}

void soundResume(int channel) {
    holdChannel(channel, false);
}

void soundSetMuted(bool on) {
    muted = on;
    applyMute();
}

bool soundMuted() {
    return muted;
}

bool soundPlaying(int channel) {
    Voice* voice = voiceOf(channel);
    if (voice == nullptr) {
        return false;
    }
    ALint state = AL_STOPPED;
    alGetSourcei(voice->source, AL_SOURCE_STATE, &state);
    return state == AL_PLAYING;
}

void soundClose() {
    if (device == nullptr) {
        return;
    }
    for (int i = 0; i < voiceCount; ++i) {
        alSourceStop(voices[i].source);
        alSourcei(voices[i].source, AL_BUFFER, 0);
        alDeleteSources(1, &voices[i].source);
    }
    voiceCount = 0;
    for (SoundSample* sample = allSamples; sample != nullptr; sample = sample->next) {
        if (sample->live) {
            alDeleteBuffers(1, &sample->buffer);
            sample->live = false;
            sample->buffer = 0;
        }
    }
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(context);
    context = nullptr;
    alcCloseDevice(device);
    device = nullptr;
}
