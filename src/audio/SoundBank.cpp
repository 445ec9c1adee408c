#include "audio/SoundBank.h"

#include <cstdio>
#include <cstring>

namespace {

// One console line, flushed at once so it shows even if the game dies right after.
void logLine(const char* text, const char* name, const char* tail = "") {
    std::fputs(text, stdout);
    std::fputs(name != nullptr ? name : "", stdout);
    std::fputs(tail, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// Before init the names are null; a null never matches anything.
bool sameName(const char* slotName, const char* name) {
    return slotName != nullptr && name != nullptr && std::strcmp(slotName, name) == 0;
}

} // namespace

SoundBank::~SoundBank() {
    stopAll();
    soundClose();
}

void SoundBank::init() {
    soundSetMinHardwareChannels(1000000);
    soundInit(44100, 32, 0);
    for (int i = 0; i < capacity; ++i) {
        samples[i] = nullptr;
        names[i] = "";
    }
    count = 0;
}

void SoundBank::loadLoop(const char* fileName, const char* name) {
    load(fileName, name, true);
}

void SoundBank::loadSound(const char* fileName, const char* name) {
    load(fileName, name, false);
}

void SoundBank::load(const char* fileName, const char* name, bool loop) {
    if (count < 0 || count >= capacity) {
        logLine("ERROR: No room for sound ", name);
        return;
    }
    samples[count] = soundSampleLoad(fileName, loop);
    names[count] = name;
    ++count;
    logLine(loop ? "Loaded loop " : "Loaded Sound ", name);
}

int SoundBank::play(const char* name) {
    for (int i = 0; i < capacity; ++i) {
        if (!sameName(names[i], name)) {
            continue;
        }
        if (samples[i] != nullptr) {
            channels[i] = soundPlay(samples[i]);
            return channels[i];
        }
        logLine("ERROR: No sample associated with ", name);
    }
    logLine("ERROR: Sample ", name, " not found");
    return 0;
}

void SoundBank::stop(const char* name) {
    for (int i = 0; i < capacity; ++i) {
        if (!sameName(names[i], name)) {
            continue;
        }
        if (samples[i] != nullptr) {
            soundStop(channels[i]);
            logLine("Stopping ", name);
            return;
        }
        logLine("ERROR: No sample associated with ", name);
    }
    logLine("ERROR: Sample ", name, " not found");
}

bool SoundBank::playing(const char* name) const {
    for (int i = 0; i < capacity; ++i) {
        if (sameName(names[i], name) && samples[i] != nullptr && soundPlaying(channels[i])) {
            return true;
        }
    }
    return false;
}

void SoundBank::pauseAll() {
    for (int channel : channels) {
        soundPause(channel);
    }
}

void SoundBank::resumeAll() {
    for (int channel : channels) {
        soundResume(channel);
    }
}

void SoundBank::stopAll() {
    for (int i = 0; i < capacity; ++i) {
        soundStop(channels[i]);
    }
}
