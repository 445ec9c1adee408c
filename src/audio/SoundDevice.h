#pragma once

// The thin sound layer the bank plays through: one OpenAL device and context, a pool of sources
// as channels, and wave files decoded into buffers. Every call is safe without a device: loads
// then give null and plays give 0.
struct SoundSample;

void soundSetMinHardwareChannels(int count);
void soundInit(int mixRate, int channelCount, unsigned flags);
// A decoded sample, or null when the file cannot be read or there is no device.
SoundSample* soundSampleLoad(const char* fileName, bool loop);
// Starts the sample on a free channel; returns the channel (never 0), or 0 when nothing started.
int soundPlay(SoundSample* sample);
// Stops a channel that soundPlay handed out; 0 and unknown channels are ignored. A channel
// number names one play: once its source has started another sound, the old number is stale.
void soundStop(int channel);
// Pauses a channel that is playing, and resumes one that was paused; others are left alone.
void soundPause(int channel);
void soundResume(int channel);
// Silences all output (or lets it sound again); sounds go on playing unheard meanwhile.
void soundSetMuted(bool on);
bool soundMuted();
// True while that play is still sounding (a loop until stopped, a one-shot until it ends).
bool soundPlaying(int channel);
// Stops everything and gives back the device; loaded samples go dead and play refuses them.
// Safe to call twice or without soundInit; soundInit twice keeps the open device.
void soundClose();
