#include "app/DataFolder.h"

#include "platform/Platform.h"

#include <algorithm>

#ifndef GRIDLUME_INSTALLED_DATA
#define GRIDLUME_INSTALLED_DATA ""
#endif

namespace {

// What a player can do about missing pictures, and folders written as the system writes them; on
// Windows the game is started from its icon.
#ifdef _WIN32
constexpr const char* missingDataAdvice =
    "the img and sounds folders belong beside gridlume.exe (or give their folder with --data DIR)";
constexpr char separator = '\\';
#else
constexpr const char* missingDataAdvice = "give their folder with --data DIR";
constexpr char separator = '/';
#endif

std::string shown(std::string path) {
    std::replace(path.begin(), path.end(), '/', separator);
    return path;
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
    // Said at once, so that a player without a console sees it all in one message box.
    std::string said;
    if (!option.empty() && !holdsGameData(option)) {
        said += "gridlume: " + shown(option) + " holds no game pictures (no " +
                shown("img/splash.jpg") + ")\n";
    }
    const std::string folder = findDataFolder(candidates);
    if (folder.empty()) {
        std::string places;
        for (const std::string& candidate : candidates) {
            places += (places.empty() ? "" : ", ") + shown(candidate + "/img");
        }
        said += "gridlume: no game pictures found (looked in " + places + "); " +
                missingDataAdvice + "\n";
    } else if (std::string why; folder != "." && !platform::changeFolder(folder, why)) {
        said += "gridlume: " + shown(folder) + ": " + why + "\n";
    }
    if (!said.empty()) {
        platform::tellPlayer(platform::Notice::error, said);
    }
}
