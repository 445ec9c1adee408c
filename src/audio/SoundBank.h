#pragma once

#include "audio/SoundDevice.h"

// Up to 32 named samples, each a loop or a one-shot, played and stopped by name.
class SoundBank {
public:
    static constexpr int capacity = 32;

    SoundSample* samples[capacity] = {};
    const char* names[capacity] = {};
    int channels[capacity] = {};
    int count = 0;

    SoundBank() = default;
    ~SoundBank();
    SoundBank(const SoundBank&) = delete;
    SoundBank& operator=(const SoundBank&) = delete;

    void init();
    void loadLoop(const char* fileName, const char* name);
    void loadSound(const char* fileName, const char* name);
    int play(const char* name);
    void stop(const char* name);
    void stopAll();
    // Holds every slot's latest play where it is, and lets them go on from there.
    void pauseAll();
    void resumeAll();
    bool loaded() const { return count > 0; }
    // Whether the latest play of a sound of this name is still sounding.
    bool playing(const char* name) const;

private:
    void load(const char* fileName, const char* name, bool loop);
};
