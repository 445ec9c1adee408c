#include "app/DataFolder.h"

#include "platform/Platform.h"

#include <cstdio>

#ifndef GRIDLUME_INSTALLED_DATA
#define GRIDLUME_INSTALLED_DATA ""
#endif

std::vector<std::string> dataFolderCandidates(const std::string& option) {
    std::vector<std::string> candidates;
    if (!option.empty()) {
        candidates.push_back(option);
    }
    candidates.push_back(".");
    // The installation this executable belongs to comes before the one it was built for: an
    // unpacked or moved package must not start with another version's pictures.
    const std::string beside = platform::dataFolderBesideExecutable();
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
    return platform::fileReadable(folder + "/img/splash.jpg");
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
    } else if (std::string why; folder != "." && !platform::changeFolder(folder, why)) {
        std::fprintf(stderr, "gridlume: %s: %s\n", folder.c_str(), why.c_str());
    }
    std::fflush(stderr);
}
