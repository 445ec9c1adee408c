#include "app/Settings.h"

#include "platform/Platform.h"

#include <cstdio>
#include <sstream>

SettingsFile settingsFile;

namespace {

constexpr const char* versionLine = "gridlume settings 1";
constexpr std::size_t largestFile = 4096;

bool onOff(const std::string& value, bool& into) {
    if (value == "on" || value == "off") {
        into = value == "on";
        return true;
    }
    return false;
}

} // namespace

bool Settings::operator==(const Settings& o) const {
    return relaxed == o.relaxed && muted == o.muted && hints == o.hints &&
           fullScreen == o.fullScreen && palette == o.palette;
}

std::string formatSettings(const Settings& s) {
    std::ostringstream out;
    out << versionLine << "\nrelaxed " << (s.relaxed ? "on" : "off") << "\nsound "
        << (s.muted ? "off" : "on") << "\nhints "
        << (s.hints < 0    ? "first-games"
            : s.hints == 1 ? "on"
                           : "off")
        << "\nfull-screen " << (s.fullScreen ? "on" : "off") << "\npalette "
        << paletteName(s.palette) << "\n";
    return out.str();
}

bool parseSettings(const std::string& text, Settings& settings, std::string& why) {
    if (text.size() > largestFile) {
        why = "it is too large to be a settings file";
        return false;
    }
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line) || line != versionLine) {
        why = "its first line is not \"" + std::string(versionLine) + "\"";
        return false;
    }
    Settings read;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string name;
        std::string value;
        std::string rest;
        if (!(words >> name)) {
            continue; // a blank line
        }
        bool on = false;
        bool ok = (words >> value) && !(words >> rest);
        if (!ok) {
        } else if (name == "relaxed") {
            ok = onOff(value, read.relaxed);
        } else if (name == "sound") {
            ok = onOff(value, on);
            read.muted = !on;
        } else if (name == "hints" && value == "first-games") {
            read.hints = -1;
        } else if (name == "hints") {
            ok = onOff(value, on);
            read.hints = on ? 1 : 0;
        } else if (name == "full-screen") {
            ok = onOff(value, read.fullScreen);
        } else if (name == "palette") {
            ok = parsePalette(value, read.palette);
        } else {
            ok = false;
        }
        if (!ok) {
            why = "its line \"" + line + "\" is not a setting";
            return false;
        }
    }
    settings = read;
    return true;
}

std::string defaultSettingsPath() {
    const std::string folder = platform::userConfigFolder();
    return folder.empty() ? "" : folder + "/settings";
}

void SettingsFile::complain(const std::string& what) {
    std::fprintf(stderr, "gridlume: settings file %s: %s; settings are not saved this time\n",
                 path.c_str(), what.c_str());
    std::fflush(stderr);
    broken = true;
}

Settings SettingsFile::load() {
    stored = Settings();
    if (path.empty()) {
        return stored;
    }
    std::string text;
    std::string why;
    switch (platform::readSmallFile(path, largestFile, text, why)) {
    case platform::ReadOutcome::missing:
        break;
    case platform::ReadOutcome::read:
        if (!parseSettings(text, stored, why)) {
            complain(why);
        }
        break;
    case platform::ReadOutcome::failed:
        complain(why);
        break;
    }
    return stored;
}

void SettingsFile::keep(const Settings& now) {
    if (!seenAny) {
        seenAny = true;
        seen = now;
        return;
    }
    if (now == seen) {
        return;
    }
    // Only what the player changed since the last call goes into the file.
    if (now.relaxed != seen.relaxed) {
        stored.relaxed = now.relaxed;
    }
    if (now.muted != seen.muted) {
        stored.muted = now.muted;
    }
    if (now.hints != seen.hints) {
        stored.hints = now.hints;
    }
    if (now.fullScreen != seen.fullScreen) {
        stored.fullScreen = now.fullScreen;
    }
    if (now.palette != seen.palette) {
        stored.palette = now.palette;
    }
    seen = now;
    if (!saving()) {
        return;
    }
    std::string why;
    if (!platform::makeFoldersAbove(path, why)) {
        complain("cannot make its folder: " + why);
        return;
    }
    switch (platform::replaceFile(path, formatSettings(stored), why)) {
    case platform::ReplaceOutcome::replaced:
        break;
    case platform::ReplaceOutcome::noTemporary:
        complain("cannot write beside it: " + why);
        break;
    case platform::ReplaceOutcome::notReplaced:
        complain("cannot replace it: " + why);
        break;
    }
}
