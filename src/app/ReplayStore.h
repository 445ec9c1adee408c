#pragma once

#include "play/Replay.h"

#include <cstddef>
#include <string>
#include <vector>

// Where replays are kept and which are kept. Every game's replay is saved; of those, the folder
// keeps the last games played and the best game of each mode. The best game: a win beats a loss,
// a loss beats a quit; of two losses (or two quits) the longer game; of equals (every win lasts
// the whole game) the later, which the running version is likeliest to play back.

// A file name's date, read as written: the player's local time, to the second.
struct ReplayStamp {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// What the store knows of one saved replay: its name says all but the game time, which the
// replay's last record holds.
struct StoredReplay {
    std::string name;
    ReplayStamp when;
    int sameSecond = 0; // 0 for the first game ended in that second, then 1, 2 ...
    bool relaxed = false;
    Replay::Outcome outcome = Replay::Outcome::quit;
    int gameMs = 0;
};

constexpr const char* replayExtension = ".gridlume-replay";
constexpr std::size_t latestReplaysKept = 20;

// "2026-12-08T19-04-11-relaxed-won.gridlume-replay"; a second game ended in the same second
// gets "-1" before the extension, and so on.
std::string replayFileName(const ReplayStamp& when, bool relaxed, Replay::Outcome outcome,
                           int sameSecond = 0);
// Reads such a name back (without the game time); false for any other name.
bool parseReplayFileName(const std::string& name, StoredReplay& into);

// The names to remove so that only the latest `keep` games and each mode's best remain.
std::vector<std::string> replaysToRemove(std::vector<StoredReplay> replays,
                                         std::size_t keep = latestReplaysKept);

// $XDG_DATA_HOME/gridlume/replays (%APPDATA%\gridlume\replays on Windows, IndexedDB's folder
// in a browser); "" when the system names no data folder.
std::string defaultReplayFolder();
// The current local time as a file name's date.
ReplayStamp replayStampNow();

// Saves the replay into the folder under a new name, then removes the replays no longer kept.
// Files whose names are not ours, and ours that cannot be read, are left alone. False, with the
// reason, when the replay could not be saved; `path` is the file written.
bool storeReplay(const std::string& folder, const Replay& replay, const ReplayStamp& when,
                 std::string& path, std::string& why);
// Only the removal: returns how many files it removed.
int pruneReplayFolder(const std::string& folder);
