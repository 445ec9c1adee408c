#include "app/Replays.h"

#include "app/Buttons.h"
#include "app/Callbacks.h"
#include "app/FrameClock.h"
#include "app/Records.h"
#include "app/ReplayStore.h"
#include "audio/SoundDevice.h"
#include "gfx/Camera.h"
#include "platform/Platform.h"
#include "play/DealGenerator.h"
#include "play/GameHash.h"
#include "play/Hints.h"
#include "play/LiveMode.h"

#include <cinttypes>
#include <cstdio>

ReplayRecorder recorder;

namespace {

// A game watched or checked again counts into nothing: the end screen shows the records as they
// would be, and nothing is written.
Records countNothing(bool won, int lastedMs, bool relaxed) {
    Records shown = records.current();
    shown.add(won, lastedMs, relaxed);
    return shown;
}

} // namespace

void ReplayRecorder::event(Replay::Kind kind, int a, int b, int x, int y) {
    if (on && !playingBack()) {
        replay.events.push_back({static_cast<int>(replay.frameMs.size()), kind, a, b, x, y});
    }
}

void ReplayRecorder::afterInput() {
    if (!on && !playingBack() && currentState == &liveMode) {
        begin();
    }
}

void ReplayRecorder::begin() {
    replay = Replay();
    replay.programVersion = programVersion;
    replay.relaxed = liveMode.relaxed;
    replay.hints = liveMode.hints.enabled();
    replay.seed = liveMode.dealtFrom;
    replay.startMs = frameClock.elapsedMs;
    replay.startFrameMs = frameClock.frameMs;
    replay.width = windowWidth;
    replay.height = windowHeight;
    replay.fullScreen = activeCamera != nullptr && activeCamera->letterbox;
    replay.pendingButton = pendingButtonPress();
    on = true;
}

void ReplayRecorder::afterFrame() {
    if (!on || playingBack()) {
        return;
    }
    replay.frameMs.push_back(frameClock.frameMs);
    if (currentState != &liveMode) {
        finish(liveMode.won ? Replay::Outcome::won : Replay::Outcome::lost);
    }
}

void ReplayRecorder::quit() {
    if (on) {
        finish(Replay::Outcome::quit);
    }
}

void ReplayRecorder::finish(Replay::Outcome outcome) {
    on = false;
    replay.outcome = outcome;
    replay.gameMs = frameClock.elapsedMs - replay.startMs;
    replay.hash = hashGame(liveMode);
    finished = std::move(replay);
    replay = Replay();
    haveFinished = true;
    if (folder.empty()) {
        return;
    }
    std::string path;
    std::string why;
    if (!storeReplay(folder, finished, replayStampNow(), path, why)) {
        std::fprintf(stderr, "gridlume: the game's replay was not saved: %s\n", why.c_str());
    }
}

void ReplayRecorder::forget() {
    on = false;
    replay = Replay();
    finished = Replay();
    haveFinished = false;
}

bool ReplayRecorder::lastGame(Replay& into) const {
    if (haveFinished) {
        into = finished;
    }
    return haveFinished;
}

void ReplayPlayback::begin() {
    if (begun) {
        return;
    }
    begun = true;
    setPlayingBack(true);
    savedClock = frameClock;
    savedForced = hintChoice.forced;
    savedRelaxed = liveMode.relaxed;
    savedCounter = endState.counter();
    endState.countWith(countNothing);

    if (activeCamera != nullptr) {
        activeCamera->letterbox = replay.fullScreen;
        activeCamera->fit(replay.width, replay.height);
    }
    dealGenerator.reset(replay.seed);
    setPendingButtonPress(replay.pendingButton);
    liveMode.relaxed = replay.relaxed;
    hintChoice.forced = replay.hints ? 1 : 0;
    // The clock as it stood when the game began, with the frame it began in.
    frameClock.resetHolds();
    frameClock.advance(replay.startMs - replay.startFrameMs);
    frameClock.advance(replay.startMs);
    switchState(&liveMode);
}

void ReplayPlayback::playEventsUpTo(std::size_t upTo) {
    while (nextEvent < replay.events.size() &&
           static_cast<std::size_t>(replay.events[nextEvent].frame) <= upTo) {
        playEvent(replay.events[nextEvent++]);
    }
}

bool ReplayPlayback::step() {
    if (!begun || ended) {
        return false;
    }
    playEventsUpTo(frame);
    if (frame >= replay.frameMs.size()) {
        playEventsUpTo(replay.frameMs.size() + replay.events.size());
        return false;
    }
    const int ms = replay.frameMs[frame++];
    frameClock.advance(frameClock.elapsedMs + ms);
    if (currentState != nullptr) {
        currentState->update();
    }
    played += ms;
    return true;
}

int ReplayPlayback::totalMs() const {
    int total = 0;
    for (int ms : replay.frameMs) {
        total += ms;
    }
    return total;
}

ReplayResult ReplayPlayback::result() const {
    ReplayResult r;
    r.outcome = currentState == &liveMode ? Replay::Outcome::quit
                : liveMode.won            ? Replay::Outcome::won
                                          : Replay::Outcome::lost;
    r.gameMs = frameClock.elapsedMs - replay.startMs;
    r.hash = hashGame(liveMode);
    return r;
}

void ReplayPlayback::end() {
    if (!begun || ended) {
        return;
    }
    ended = true;
    // The shell's clock runs on from where it was; an end screen the replay reached counts its
    // five seconds from now.
    frameClock = savedClock;
    endState.shownAt = frameClock.seconds();
    hintChoice.forced = savedForced;
    liveMode.relaxed = savedRelaxed;
    endState.countWith(savedCounter);
    setPlayingBack(false);
}

bool loadReplayFile(const std::string& path, Replay& replay, std::string& why) {
    std::string bytes;
    switch (platform::readSmallFile(path, largestReplay, bytes, why)) {
    case platform::ReadOutcome::missing:
        why = "there is no such file";
        return false;
    case platform::ReadOutcome::failed:
        return false;
    case platform::ReadOutcome::read:
        break;
    }
    return readReplay(bytes, replay, why);
}

ReplayResult playReplay(const Replay& replay) {
    Camera view;
    Camera* saved = activeCamera;
    activeCamera = &view;
    ReplayResult got;
    {
        ReplayPlayback playback(replay);
        playback.begin();
        while (playback.step()) {
        }
        got = playback.result();
    }
    activeCamera = saved;
    return got;
}

int verifyReplay(const Replay& replay) {
    soundSetMuted(true); // as fast as it can: no sound to hear
    const ReplayResult got = playReplay(replay);
    const bool same =
        got.outcome == replay.outcome && got.gameMs == replay.gameMs && got.hash == replay.hash;
    std::printf("outcome %s (recorded %s)\ngame time %d ms (recorded %d ms)\nhash %016" PRIx64
                " (recorded %016" PRIx64 ")\n%s\n",
                outcomeName(got.outcome), outcomeName(replay.outcome), got.gameMs, replay.gameMs,
                got.hash, replay.hash, same ? "the replay plays the same game" : "DIFFERENT");
    return same ? 0 : 1;
}
