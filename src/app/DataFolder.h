#pragma once

#include <string>
#include <vector>

// Where the game's pictures and sounds (img/ and sounds/) are looked for, in this order: the
// folder named with --data, the working folder, the share/gridlume folder beside the
// executable's (an installation, also an unpacked or moved one), and the folder the game was
// built to be installed in.
std::vector<std::string> dataFolderCandidates(const std::string& option);

// True when the folder holds the game's pictures.
bool holdsGameData(const std::string& folder);

// The first candidate that holds the pictures, or "" when none does.
std::string findDataFolder(const std::vector<std::string>& candidates);

// Makes the chosen folder the working folder, so that ./img and ./sounds are found there. When
// none holds the pictures, says once on standard error where it looked (in a message box on
// Windows when nobody reads standard error); the game then runs without them (untextured
// pieces, silence), as it always has.
void useDataFolder(const std::string& option);
