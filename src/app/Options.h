#pragma once

#include <string>
#include <vector>

// What the command line asks for. GLUT's own options (-display, -geometry, -iconic, -sync and
// the like) are passed through to GLUT untouched, and so is everything after "--".
struct Options {
    bool help = false;
    bool version = false;
    bool fullScreen = false;
    bool mute = false;
    bool uncapped = false;
    bool relaxed = false;        // --relaxed: the board fades at a gentler rate
    int hints = -1;              // --hints 1, --no-hints 0; -1: shown in the first three games
    std::string dataFolder;      // --data DIR, empty when not given
    std::string replay;          // --replay FILE: watch it
    std::string verifyReplay;    // --verify-replay FILE: play it without a window and check it
    int width = 0;               // the size asked for with -geometry WxH..., 0 when none
    int height = 0;              //
    std::vector<char*> glutArgs; // the program name and GLUT's options, for glutInit
    std::string error;           // what is wrong with the command line, empty when nothing

    // Beside the kept settings (app/Settings.h), which these override for the run.
    bool screenChosen = false; // -f or -w given
    std::string palette;       // --palette NAME, empty when not given
};

Options parseOptions(int argc, char** argv);

// The text --help prints: usage, options and keys.
std::string usageText();
