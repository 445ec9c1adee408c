#include "app/ReplayStore.h"

#include "platform/Platform.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <set>
#include <tuple>

namespace {

namespace fs = std::filesystem;

// Replay names are ASCII; the folder above them is UTF-8, as every name the game handles.
fs::path pathOf(const std::string& utf8) {
    return fs::u8path(utf8);
}

// The order games were played in: by their names' date, then by their place in that second.
bool playedBefore(const StoredReplay& a, const StoredReplay& b) {
    const ReplayStamp& p = a.when;
    const ReplayStamp& q = b.when;
    return std::tie(p.year, p.month, p.day, p.hour, p.minute, p.second, a.sameSecond) <
           std::tie(q.year, q.month, q.day, q.hour, q.minute, q.second, b.sameSecond);
}

int rank(Replay::Outcome outcome) {
    switch (outcome) {
    case Replay::Outcome::won:
        return 2;
    case Replay::Outcome::lost:
        return 1;
    default:
        return 0;
    }
}

// Whether a is a better game than b of the same mode (see ReplayStore.h).
bool better(const StoredReplay& a, const StoredReplay& b) {
    if (rank(a.outcome) != rank(b.outcome)) {
        return rank(a.outcome) > rank(b.outcome);
    }
    if (a.outcome != Replay::Outcome::won && a.gameMs != b.gameMs) {
        return a.gameMs > b.gameMs;
    }
    return playedBefore(b, a);
}

bool readNumber(const std::string& text, std::size_t at, std::size_t digits, int& value) {
    if (at + digits > text.size()) {
        return false;
    }
    value = 0;
    for (std::size_t i = at; i < at + digits; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

} // namespace

std::string replayFileName(const ReplayStamp& when, bool relaxed, Replay::Outcome outcome,
                           int sameSecond) {
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02dT%02d-%02d-%02d", when.year, when.month,
                  when.day, when.hour, when.minute, when.second);
    std::string name =
        std::string(stamp) + (relaxed ? "-relaxed-" : "-normal-") + outcomeName(outcome);
    if (sameSecond > 0) {
        name += "-" + std::to_string(sameSecond);
    }
    return name + replayExtension;
}

bool parseReplayFileName(const std::string& name, StoredReplay& into) {
    StoredReplay r;
    r.name = name;
    ReplayStamp& w = r.when;
    // 2026-12-08T19-04-11: the digits' places, and the separators between them.
    if (name.size() < 20 || !readNumber(name, 0, 4, w.year) || !readNumber(name, 5, 2, w.month) ||
        !readNumber(name, 8, 2, w.day) || !readNumber(name, 11, 2, w.hour) ||
        !readNumber(name, 14, 2, w.minute) || !readNumber(name, 17, 2, w.second) ||
        name.compare(4, 1, "-") != 0 || name.compare(7, 1, "-") != 0 ||
        name.compare(10, 1, "T") != 0 || name.compare(13, 1, "-") != 0 ||
        name.compare(16, 1, "-") != 0 || name[19] != '-') {
        return false;
    }
    const std::string extension = replayExtension;
    if (name.size() < 20 + extension.size() ||
        name.compare(name.size() - extension.size(), extension.size(), extension) != 0) {
        return false;
    }
    std::string rest = name.substr(20, name.size() - 20 - extension.size());
    // What remains: mode-outcome, or mode-outcome-N.
    const std::size_t dash = rest.rfind('-');
    if (dash != std::string::npos &&
        rest.find_first_not_of("0123456789", dash + 1) == std::string::npos) {
        const std::string number = rest.substr(dash + 1);
        if (number.empty() || number.size() > 6 || number[0] == '0') {
            return false;
        }
        r.sameSecond = std::stoi(number);
        rest.resize(dash);
    }
    bool found = false;
    for (bool relaxed : {false, true}) {
        for (Replay::Outcome outcome :
             {Replay::Outcome::won, Replay::Outcome::lost, Replay::Outcome::quit}) {
            if (rest == std::string(relaxed ? "relaxed-" : "normal-") + outcomeName(outcome)) {
                r.relaxed = relaxed;
                r.outcome = outcome;
                found = true;
            }
        }
    }
    if (!found || replayFileName(r.when, r.relaxed, r.outcome, r.sameSecond) != name) {
        return false; // not quite our form (a month 13 is ours in form; it does no harm)
    }
    into = r;
    return true;
}

std::vector<std::string> replaysToRemove(std::vector<StoredReplay> replays, std::size_t keep) {
    std::sort(replays.begin(), replays.end(), playedBefore);
    std::set<std::string> kept;
    for (std::size_t i = replays.size() > keep ? replays.size() - keep : 0; i < replays.size();
         ++i) {
        kept.insert(replays[i].name);
    }
    for (bool relaxed : {false, true}) {
        const StoredReplay* best = nullptr;
        for (const StoredReplay& r : replays) {
            if (r.relaxed == relaxed && (best == nullptr || better(r, *best))) {
                best = &r;
            }
        }
        if (best != nullptr) {
            kept.insert(best->name);
        }
    }
    std::vector<std::string> removed;
    for (const StoredReplay& r : replays) {
        if (kept.count(r.name) == 0) {
            removed.push_back(r.name);
        }
    }
    return removed;
}

std::string defaultReplayFolder() {
    const std::string folder = platform::userDataFolder();
    return folder.empty() ? "" : folder + "/replays";
}

ReplayStamp replayStampNow() {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    ReplayStamp stamp;
    if (local != nullptr) {
        stamp = {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday,
                 local->tm_hour,        local->tm_min,     local->tm_sec};
    }
    return stamp;
}

int pruneReplayFolder(const std::string& folder) {
    std::vector<StoredReplay> replays;
    std::error_code error;
    for (fs::directory_iterator entry(pathOf(folder), error), end; !error && entry != end;
         entry.increment(error)) {
        StoredReplay r;
        if (!parseReplayFileName(entry->path().filename().u8string(), r)) {
            continue;
        }
        // The game time is in the file's last record; a file that cannot be read is not
        // judged, and stays.
        std::string text;
        std::string why;
        Replay replay;
        if (platform::readSmallFile(folder + "/" + r.name, largestReplay, text, why) ==
                platform::ReadOutcome::read &&
            readReplay(text, replay, why)) {
            r.gameMs = replay.gameMs;
            replays.push_back(r);
        }
    }
    int removed = 0;
    for (const std::string& name : replaysToRemove(replays)) {
        std::error_code ignored;
        removed += fs::remove(pathOf(folder + "/" + name), ignored) ? 1 : 0;
    }
    return removed;
}

bool storeReplay(const std::string& folder, const Replay& replay, const ReplayStamp& when,
                 std::string& path, std::string& why) {
    if (folder.empty()) {
        why = "the system names no folder for the player's data";
        return false;
    }
    int sameSecond = 0;
    do {
        path = folder + "/" + replayFileName(when, replay.relaxed, replay.outcome, sameSecond++);
    } while (platform::fileReadable(path) && sameSecond < 1000);
    if (!platform::makeFoldersAbove(path, why)) {
        return false;
    }
    if (platform::replaceFile(path, writeReplay(replay), why) !=
        platform::ReplaceOutcome::replaced) {
        return false;
    }
    pruneReplayFolder(folder);
    return true;
}
