#pragma once

#include "play/Palette.h"

#include <string>

// The player's choices that outlive a run: relaxed mode, sound, hints, full screen, palette.
struct Settings {
    bool relaxed = false;
    bool muted = false;
    int hints = -1; // as HintChoice::forced: -1 by the games played, 0 off, 1 on
    bool fullScreen = false;
    Palette palette = Palette::RedGreen;

    bool operator==(const Settings& other) const;
    bool operator!=(const Settings& other) const { return !(*this == other); }
};

// The file's text: a version line, then "name value" lines.
std::string formatSettings(const Settings& settings);
// Reads that text; false (with the reason) for anything else. Lines may come in any order and
// any may be missing (its default stays), but every line must be one of ours.
bool parseSettings(const std::string& text, Settings& settings, std::string& why);

// Where the settings live: userConfigFolder()/settings, "" when there is no such folder.
std::string defaultSettingsPath();

// The settings file of this player. A damaged file is told once on standard error and then
// neither used nor written in this run, so the player can still look at what went wrong.
class SettingsFile {
public:
    SettingsFile() = default;
    explicit SettingsFile(std::string path) : path(std::move(path)) {}

    // What the file holds (the defaults when it is missing or damaged).
    Settings load();
    // Called with what the game shows now, after anything the player did: the choices that
    // changed since the last call are written, the others keep what the file said. So a
    // command-line option, in force from the first call, is never written unless changed.
    void keep(const Settings& now);

    bool saving() const { return !path.empty() && !broken; }

private:
    void complain(const std::string& what);

    std::string path;
    bool broken = false;
    bool seenAny = false;
    Settings stored; // the file's content
    Settings seen;   // the game's choices at the last call
};

extern SettingsFile settingsFile;
