#pragma once

#include "play/PlayerRecords.h"

#include <string>

// The file's text: a version line, then one "name value" line per figure. The first version's
// files (without the relaxed games) are still read.
std::string formatRecords(const Records& records);
// Reads that text; false (with the reason) for anything that is not exactly such a file.
bool parseRecords(const std::string& text, Records& records, std::string& why);

// Where the records live: $XDG_DATA_HOME/gridlume/records, or ~/.local/share/gridlume/records
// (%APPDATA%/gridlume/records on Windows). Empty when the system names no such folder.
std::string defaultRecordsPath();

// The records of this player, kept in one small file. Any trouble with the file is told once on
// standard error and the game goes on with what it has, without writing the file again in this
// run, so a file it could not read is never overwritten.
class RecordsFile {
public:
    RecordsFile() = default;
    explicit RecordsFile(std::string path) : path(std::move(path)) {}

    // Reads the file (a missing one is a first run: nothing to say).
    void load();
    // Counts one game and writes the file anew: under a lock, from the file as it is now (another
    // game may have ended meanwhile), into a temporary file that then replaces it.
    void add(bool victory, int lastedMs, bool relaxed = false);

    const Records& current() const { return records; }
    bool saving() const { return !path.empty() && !broken; }
    const std::string& where() const { return path; }

private:
    bool read(Records& into); // false when the file exists but cannot be used
    void complain(const std::string& what);

    std::string path;
    bool broken = false;
    Records records;
};

extern RecordsFile records;

// How the end screen counts a game: into the records on disk, and what they say then.
Records countGame(bool won, int lastedMs, bool relaxed);
