#include "app/DataFolder.h"

#include <cstdio>
#include <unistd.h>

#ifndef GRIDLUME_INSTALLED_DATA
#define GRIDLUME_INSTALLED_DATA ""
#endif

namespace {

std::string besideExecutable() {
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

} // namespace

std::vector<std::string> dataFolderCandidates(const std::string& option) {
    std::vector<std::string> candidates;
    if (!option.empty()) {
        candidates.push_back(option);
    }
    candidates.push_back(".");
    // The installation this executable belongs to comes before the one it was built for: an
    // unpacked or moved package must not start with another version's pictures.
    const std::string beside = besideExecutable();
    if (!beside.empty()) {
        candidates.push_back(beside);
    }
    const std::string installed = GRIDLUME_INSTALLED_DATA;
    if (!installed.empty()) {
        candidates.push_back(installed);
    }
    return candidates;
}

bool holdsGameData(const std::string& folder) {
    return access((folder + "/img/splash.jpg").c_str(), R_OK) == 0;
}

std::string findDataFolder(const std::vector<std::string>& candidates) {
    for (const std::string& folder : candidates) {
        if (holdsGameData(folder)) {
            return folder;
        }
    }
    return "";
}

void useDataFolder(const std::string& option) {
    const std::vector<std::string> candidates = dataFolderCandidates(option);
    if (!option.empty() && !holdsGameData(option)) {
        std::fprintf(stderr, "gridlume: %s holds no game pictures (no img/splash.jpg)\n",
                     option.c_str());
    }
    const std::string folder = findDataFolder(candidates);
    if (folder.empty()) {
        std::string places;
        for (const std::string& candidate : candidates) {
            places += (places.empty() ? "" : ", ") + candidate + "/img";
        }
        std::fprintf(stderr,
                     "gridlume: no game pictures found (looked in %s); give their folder with "
                     "--data DIR\n",
                     places.c_str());
    } else if (folder != "." && chdir(folder.c_str()) != 0) {
        std::perror(("gridlume: " + folder).c_str());
    }
    std::fflush(stderr);
}
