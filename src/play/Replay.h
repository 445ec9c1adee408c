#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A whole game as the window system handed it to the game: on the 1 ms chain clock the game is
// fully given by its deal, its frame lengths and its input, so playing these back in order plays
// the same game. Pure data and its file form; recording and playing back are the shell's.
struct Replay {
    // What the window system called, in the order it called it.
    enum class Kind : std::uint8_t {
        mouse,         // a: button, b: state (0 down, 1 up)
        motion,        // the pointer moved with a button held
        passiveMotion, // ... with none held
        keyboard,      // a: key (a character), b: GLUT's modifiers as it came (alt+F4 quits)
        keyboardUp,
        special, // a: GLUT's special key number, b: modifiers
        specialUp,
        reshape,      // the picture's new size, fitted to the screen: x by y
        windowStatus, // a: GLUT's window status (a hidden window pauses the game)
    };
    struct Event {
        int frame = 0; // how many frames had run when it came
        Kind kind = Kind::mouse;
        int a = 0;
        int b = 0;
        int x = 0; // the pointer, in window pixels (top left origin), or the new size
        int y = 0;
        bool operator==(const Event& o) const {
            return frame == o.frame && kind == o.kind && a == o.a && b == o.b && x == o.x &&
                   y == o.y;
        }
    };
    enum class Outcome : std::uint8_t { won, lost, quit };

    std::string programVersion; // e.g. "1.0.0": no spaces, at most 32 printable characters
    bool relaxed = false;
    bool hints = false;
    std::uint32_t seed = 0;
    int startMs = 0; // the frame clock as the game began: the rules compare times as they stand
    int startFrameMs = 0; // the length of the frame the game began in: its squares fade by it
    int width = 0;        // the window's size as the game began
    int height = 0;
    bool fullScreen = false;  // the picture letterboxed in a screen-sized window
    int pendingButton = -1;   // an on-screen button pressed and not yet released, or -1
    std::vector<int> frameMs; // every frame's length in the frame clock's whole milliseconds
    std::vector<Event> events;
    Outcome outcome = Outcome::quit;
    int gameMs = 0;         // game time when it ended
    std::uint64_t hash = 0; // of the final state (hashGame)
};

// The newest file format this program writes and reads; older ones it refuses by name.
constexpr int replayFormat = 1;
// Larger files are not ours: a four-minute game at a thousand frames a second takes a quarter of a
// megabyte.
constexpr std::size_t largestReplay = 4u << 20;

// The file: a few lines a person can read (format, program version, mode, hints, seed, the
// clock at the start, window size and full screen), a "records" line, then one compact binary
// record per frame or event (see Replay.cpp) and the end record with the outcome, the game time and
// the hash.
std::string writeReplay(const Replay& replay);
// Reads that form; false with a reason a player can be shown for anything else: another
// program's file, a newer or older format, a damaged or cut short one.
bool readReplay(const std::string& bytes, Replay& replay, std::string& why);

const char* outcomeName(Replay::Outcome outcome); // "won", "lost", "quit"
