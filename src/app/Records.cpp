#include "app/Records.h"

#include "platform/Platform.h"

#include <cstdio>
#include <sstream>

namespace {

constexpr const char* versionLine = "gridlume records 2";
constexpr const char* firstVersionLine = "gridlume records 1"; // no relaxed games yet
constexpr long largestFile = 4096; // a few lines; anything bigger is not ours

} // namespace

std::string formatRecords(const Records& r) {
    std::ostringstream out;
    out << versionLine << "\nplayed " << r.played << "\nwon " << r.won << "\nlongest-lost-ms "
        << r.longestLostMs << "\nrelaxed-played " << r.relaxedPlayed << "\nrelaxed-won "
        << r.relaxedWon << "\nrelaxed-longest-lost-ms " << r.relaxedLongestLostMs << "\n";
    return out.str();
}

bool parseRecords(const std::string& text, Records& records, std::string& why) {
    if (text.empty()) {
        why = "it is empty";
        return false;
    }
    if (static_cast<long>(text.size()) > largestFile) {
        why = "it is too large to be a records file";
        return false;
    }
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line) || (line != versionLine && line != firstVersionLine)) {
        why = "its first line is not \"" + std::string(versionLine) + "\"";
        return false;
    }
    Records read;
    int* const fields[] = {&read.played,        &read.won,        &read.longestLostMs,
                           &read.relaxedPlayed, &read.relaxedWon, &read.relaxedLongestLostMs};
    const char* const names[] = {"played",         "won",         "longest-lost-ms",
                                 "relaxed-played", "relaxed-won", "relaxed-longest-lost-ms"};
    const int count = line == versionLine ? 6 : 3;
    for (int i = 0; i < count; ++i) {
        std::string name;
        long value = -1;
        std::string rest;
        if (!std::getline(in, line)) {
            why = "it ends early (no \"" + std::string(names[i]) + "\" line)";
            return false;
        }
        std::istringstream fields_in(line);
        if (!(fields_in >> name >> value) || name != names[i] || value < 0 || value > 1000000000 ||
            (fields_in >> rest)) {
            why = "its line \"" + line + "\" is not \"" + names[i] + " <number>\"";
            return false;
        }
        *fields[i] = static_cast<int>(value);
    }
    if (read.won > read.played || read.relaxedWon > read.relaxedPlayed) {
        why = "it counts more games won than played";
        return false;
    }
    records = read;
    return true;
}

std::string defaultRecordsPath() {
    const std::string folder = platform::userDataFolder();
    return folder.empty() ? "" : folder + "/records";
}

void RecordsFile::complain(const std::string& what) {
    std::fprintf(stderr, "gridlume: records file %s: %s; records are not saved this time\n",
                 path.c_str(), what.c_str());
    std::fflush(stderr);
    broken = true;
}

bool RecordsFile::read(Records& into) {
    std::string text;
    std::string why;
    switch (platform::readSmallFile(path, largestFile, text, why)) {
    case platform::ReadOutcome::missing:
        into = Records(); // no file yet: a first game
        return true;
    case platform::ReadOutcome::read:
        if (parseRecords(text, into, why)) {
            return true;
        }
        break;
    case platform::ReadOutcome::failed:
        break;
    }
    complain(why);
    return false;
}

void RecordsFile::load() {
    if (path.empty() || broken) {
        return;
    }
    Records read;
    if (this->read(read)) {
        records = read;
    }
}

void RecordsFile::add(bool victory, int lastedMs, bool relaxed) {
    if (!saving()) {
        records.add(victory, lastedMs, relaxed);
        return;
    }
    std::string why;
    if (!platform::makeFoldersAbove(path, why)) {
        records.add(victory, lastedMs, relaxed);
        complain("cannot make its folder: " + why);
        return;
    }
    // Two games ending at once take turns; each counts its game into what the other wrote.
    const platform::FileLock lock(path + ".lock");
    Records now;
    if (!read(now)) {
        records.add(victory, lastedMs, relaxed);
        return;
    }
    now.add(victory, lastedMs, relaxed);
    records = now;
    switch (platform::replaceFile(path, formatRecords(records), why)) {
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

Records countGame(bool won, int lastedMs, bool relaxed) {
    records.add(won, lastedMs, relaxed);
    return records.current();
}
