#pragma once

#include "play/Replay.h"
#include "states/EndState.h"

#include <cstdint>
#include <string>

// Every game is recorded as the window system hands it to the game: on the chain's 1 ms clock a
// game is fully given by its deal, its frames' lengths and its input, so playing the recording
// back through the same input handling plays the same game.

// The recording of the game in play; the callbacks tell it every event and frame.
class ReplayRecorder {
public:
    std::string programVersion = "unknown";
    std::string folder; // where finished games are saved; empty: kept in memory only

    // Before an input event is handled (recorded while a game is in play).
    void event(Replay::Kind kind, int a, int b, int x, int y);
    // After an input event was handled: a game entered by it starts recording.
    void afterInput();
    // After each idle pass: records the frame; a game that ended with it is saved.
    void afterFrame();
    // The program ends with a game in play: it is saved as quit.
    void quit();
    // The size the camera was last fitted to, and whether letterboxed.
    void picture(int width, int height) {
        windowWidth = width;
        windowHeight = height;
    }

    bool recording() const { return on; }
    // Drops the game in play and the last one, as a new process starts.
    void forget();
    // The last finished game, for watching it again; false before the first.
    bool lastGame(Replay& into) const;
    bool hasLastGame() const { return haveFinished; }

private:
    void begin();
    void finish(Replay::Outcome outcome);

    bool on = false;
    Replay replay;
    Replay finished;
    bool haveFinished = false;
    int windowWidth = 800;
    int windowHeight = 600;
};

extern ReplayRecorder recorder;

// How a replay ended when played back.
struct ReplayResult {
    Replay::Outcome outcome = Replay::Outcome::quit;
    int gameMs = 0;
    std::uint64_t hash = 0;
};

// A replay played back through the game's own input handling and clock, frame by frame. While
// it plays nothing is saved (records, settings, replays) and the window is left as it is.
class ReplayPlayback {
public:
    explicit ReplayPlayback(const Replay& replay) : replay(replay) {}
    ~ReplayPlayback() { end(); }
    ReplayPlayback(const ReplayPlayback&) = delete;
    ReplayPlayback& operator=(const ReplayPlayback&) = delete;

    // Sets the game up as the recording began and enters play.
    void begin();
    // The next recorded frame, with the events that came before it; false when none is left
    // (the events after the last frame are then played too).
    bool step();
    // Recorded game time played so far.
    int playedMs() const { return played; }
    int totalMs() const;
    ReplayResult result() const;
    // Gives the shell back its camera, mode, hints and counting; safe to repeat.
    void end();

private:
    void playEventsUpTo(std::size_t frame);

    Replay replay;
    bool begun = false;
    bool ended = false;
    std::size_t frame = 0;
    std::size_t nextEvent = 0;
    int played = 0;
    // What the shell had before.
    FrameClock savedClock;
    int savedForced = -1;
    bool savedRelaxed = false;
    EndState::GameCounter savedCounter = nullptr;
};

// Reads a replay file; false with the reason.
bool loadReplayFile(const std::string& path, Replay& replay, std::string& why);

// Plays a replay to its end without a window, as fast as it can, through a camera of its own.
ReplayResult playReplay(const Replay& replay);

// --verify-replay: plays the file without a window as fast as it can, prints the outcome, the
// game time and the hash, and returns 0 only if all three are what the file recorded.
int verifyReplay(const Replay& replay);
