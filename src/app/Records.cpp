#include "app/Records.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

RecordsFile records;

namespace {

constexpr const char* versionLine = "gridlume records 2";
constexpr const char* firstVersionLine = "gridlume records 1"; // no relaxed games yet
constexpr long largestFile = 4096; // a few lines; anything bigger is not ours

// mkdir -p for the folders above the file, private to the player.
bool makeFolders(const std::string& file) {
    for (std::size_t slash = file.find('/', 1); slash != std::string::npos;
         slash = file.find('/', slash + 1)) {
        const std::string folder = file.substr(0, slash);
        if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
    }
    return true;
}

bool readWhole(int fd, std::string& text) {
    char buffer[1024];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            return true;
        }
        text.append(buffer, static_cast<std::size_t>(got));
        if (static_cast<long>(text.size()) > largestFile) {
            return true; // the caller refuses it
        }
    }
}

bool writeWhole(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t put = ::write(fd, text.data() + done, text.size() - done);
        if (put <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

} // namespace

void Records::add(bool victory, int lastedMs, bool relaxed) {
    int& games = relaxed ? relaxedPlayed : played;
    int& wins = relaxed ? relaxedWon : won;
    int& longest = relaxed ? relaxedLongestLostMs : longestLostMs;
    ++games;
    if (victory) {
        ++wins;
    } else if (lastedMs > longest) {
        longest = lastedMs;
    }
}

int Records::bestSeconds(int gameLengthSeconds, bool relaxed) const {
    const int wins = relaxed ? relaxedWon : won;
    return wins > 0 ? gameLengthSeconds : (relaxed ? relaxedLongestLostMs : longestLostMs) / 1000;
}

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
    // Relative values are to be ignored, as the base directory rules say.
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && data[0] == '/') {
        return std::string(data) + "/gridlume/records";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return std::string(home) + "/.local/share/gridlume/records";
    }
    return "";
}

void RecordsFile::complain(const std::string& what) {
    std::fprintf(stderr, "gridlume: records file %s: %s; records are not saved this time\n",
                 path.c_str(), what.c_str());
    std::fflush(stderr);
    broken = true;
}

bool RecordsFile::read(Records& into) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            into = Records(); // no file yet: a first game
            return true;
        }
        complain(std::strerror(errno));
        return false;
    }
    struct stat info {};
    std::string text;
    std::string why;
    bool ok = false;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        why = "it is not a plain file";
    } else if (!readWhole(fd, text)) {
        why = std::strerror(errno);
    } else {
        ok = parseRecords(text, into, why);
    }
    ::close(fd);
    if (!ok) {
        complain(why);
    }
    return ok;
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
    if (!makeFolders(path)) {
        records.add(victory, lastedMs, relaxed);
        complain(std::string("cannot make its folder: ") + std::strerror(errno));
        return;
    }
    // Two games ending at once take turns; each counts its game into what the other wrote.
    const std::string lockPath = path + ".lock";
    const int lock = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lock >= 0) {
        flock(lock, LOCK_EX);
    }
    Records now;
    if (!read(now)) {
        records.add(victory, lastedMs, relaxed);
    } else {
        now.add(victory, lastedMs, relaxed);
        records = now;
        std::string temporary = path + ".XXXXXX";
        const int fd = mkstemp(&temporary[0]);
        const std::string text = formatRecords(records);
        if (fd < 0) {
            complain(std::string("cannot write beside it: ") + std::strerror(errno));
        } else {
            const bool written = writeWhole(fd, text) && fsync(fd) == 0;
            const int saved = errno;
            ::close(fd);
            if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
                const int failure = written ? errno : saved;
                ::unlink(temporary.c_str());
                complain(std::string("cannot replace it: ") + std::strerror(failure));
            }
        }
    }
    if (lock >= 0) {
        ::close(lock); // lets the lock go
    }
}
