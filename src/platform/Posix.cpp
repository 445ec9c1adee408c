// The platform layer on Linux and the other POSIX systems; their OpenGL is in Glx.cpp, or in
// WebGl.cpp in a browser.
#include "platform/Platform.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

double monotonicSeconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void sleepUntil(double when) {
    if (!(when > monotonicSeconds())) {
        return;
    }
    timespec until{};
    until.tv_sec = static_cast<time_t>(std::floor(when));
    until.tv_nsec = static_cast<long>((when - std::floor(when)) * 1e9);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
    }
}

std::string dataFolderBesideExecutable() {
    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) {
        return "";
    }
    std::string path(self, static_cast<std::size_t>(length));
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return "";
    }
    return path.substr(0, slash) + "/../share/gridlume";
}

bool fileReadable(const std::string& path) {
    return access(path.c_str(), R_OK) == 0;
}

bool changeFolder(const std::string& folder, std::string& why) {
    if (chdir(folder.c_str()) == 0) {
        return true;
    }
    why = std::strerror(errno);
    return false;
}

std::string userDataFolder() {
    // Relative values are to be ignored, as the base directory rules say.
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && data[0] == '/') {
        return std::string(data) + "/gridlume";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return std::string(home) + "/.local/share/gridlume";
    }
    return "";
}

std::string userConfigFolder() {
#ifdef __EMSCRIPTEN__
    return userDataFolder();
#else
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') {
        return std::string(config) + "/gridlume";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return std::string(home) + "/.config/gridlume";
    }
    return "";
#endif
}

ReadOutcome readSmallFile(const std::string& path, std::size_t limit, std::string& text,
                          std::string& why) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            return ReadOutcome::missing;
        }
        why = std::strerror(errno);
        return ReadOutcome::failed;
    }
    struct stat info {};
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (!ok) {
        why = "it is not a plain file";
    }
    char buffer[1024];
    while (ok && text.size() <= limit) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got <= 0) {
            ok = got == 0;
            if (!ok) {
                why = std::strerror(errno);
            }
            break;
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return ok ? ReadOutcome::read : ReadOutcome::failed;
}

bool makeFoldersAbove(const std::string& file, std::string& why) {
    for (std::size_t slash = file.find('/', 1); slash != std::string::npos;
         slash = file.find('/', slash + 1)) {
        const std::string folder = file.substr(0, slash);
        if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
            why = std::strerror(errno);
            return false;
        }
    }
    return true;
}

namespace {

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

ReplaceOutcome replaceFile(const std::string& path, const std::string& text, std::string& why) {
    std::string temporary = path + ".XXXXXX";
    const int fd = mkstemp(&temporary[0]);
    if (fd < 0) {
        why = std::strerror(errno);
        return ReplaceOutcome::noTemporary;
    }
    const bool written = writeWhole(fd, text) && fsync(fd) == 0;
    const int saved = errno;
    ::close(fd);
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        why = std::strerror(written ? errno : saved);
        ::unlink(temporary.c_str());
        return ReplaceOutcome::notReplaced;
    }
    return ReplaceOutcome::replaced;
}

void tellPlayer(Notice kind, const std::string& text) {
    std::FILE* stream = kind == Notice::error ? stderr : stdout;
    std::fputs(text.c_str(), stream);
    std::fflush(stream);
}

double displayScale() {
    return 1.0;
}

FileLock::FileLock(const std::string& path)
    : handle(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
    if (handle >= 0) {
        flock(static_cast<int>(handle), LOCK_EX);
    }
}

FileLock::~FileLock() {
    if (handle >= 0) {
        ::close(static_cast<int>(handle)); // lets the lock go
    }
}

} // namespace platform
