#include "app/Options.h"

#include "play/Palette.h"

#include <cstdio>
#include <cstring>

namespace {

// GLUT's options, and whether each takes a value.
struct GlutOption {
    const char* name;
    bool takesValue;
};
constexpr GlutOption glutOptions[] = {
    {"-display", true}, {"-geometry", true}, {"-iconic", false}, {"-indirect", false},
    {"-direct", false}, {"-gldebug", false}, {"-sync", false},
};

const GlutOption* glutOption(const char* arg) {
    for (const GlutOption& option : glutOptions) {
        if (std::strcmp(arg, option.name) == 0) {
            return &option;
        }
    }
    return nullptr;
}

// The size part of an X geometry ("1024x768", "=1024x768+10+20"); false when there is none.
bool geometrySize(const char* geometry, int& width, int& height) {
    if (*geometry == '=') {
        ++geometry;
    }
    char tail = '\0';
    int w = 0;
    int h = 0;
    if (std::sscanf(geometry, "%d%*[xX]%d%c", &w, &h, &tail) < 2 || w < 1 || h < 1) {
        return false;
    }
    if (tail != '\0' && tail != '+' && tail != '-') {
        return false;
    }
    width = w;
    height = h;
    return true;
}

// ---- Where the game looks and writes, in the words of the system it runs on: a Windows player
// sees --help in a message box, and neither $XDG_DATA_HOME nor -display means anything there.
#ifdef _WIN32
constexpr const char* usageName = "gridlume.exe";
constexpr const char* glutExample = "-geometry WxH+X+Y";
constexpr const char* placesText =
    "The pictures and sounds are read from the img and sounds folders of --data DIR, of the\n"
    "working folder, or beside gridlume.exe. Records are kept in\n"
    "%APPDATA%\\gridlume\\records, replays of the last 20 games and the best of each\n"
    "mode in %APPDATA%\\gridlume\\replays.\n"
    "Relaxed mode, sound, hints, full screen and the palette are kept in\n"
    "%APPDATA%\\gridlume\\settings; the options above override them for one run.\n";
#else
constexpr const char* usageName = "gridlume";
constexpr const char* glutExample = "-display NAME and -geometry WxH+X+Y";
constexpr const char* placesText =
    "The pictures and sounds are read from ./img and ./sounds of the working folder, from\n"
    "--data DIR, or from the installed data folder. Records are kept in\n"
    "$XDG_DATA_HOME/gridlume/records (~/.local/share/gridlume/records), replays of the\n"
    "last 20 games and the best of each mode in $XDG_DATA_HOME/gridlume/replays.\n"
    "Relaxed mode, sound, hints, full screen and the palette are kept in\n"
    "$XDG_CONFIG_HOME/gridlume/settings (~/.config/gridlume/settings); the options\n"
    "above override them for one run.\n";
#endif
// ----

} // namespace

Options parseOptions(int argc, char** argv) {
    Options options;
    if (argc > 0) {
        options.glutArgs.push_back(argv[0]);
    }
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") {
            for (++i; i < argc; ++i) {
                options.glutArgs.push_back(argv[i]);
            }
            break;
        }
        if (arg == "-f" || arg == "--fullscreen" || arg == "-w" || arg == "--window") {
            options.screenChosen = true;
        }
        if (arg == "--palette" || arg.rfind("--palette=", 0) == 0) {
            const bool joined = arg != "--palette";
            Palette palette;
            options.palette = joined ? arg.substr(10) : i + 1 < argc ? argv[++i] : "";
            if (!parsePalette(options.palette, palette)) {
                options.error = "option '--palette' needs red-green or blue-yellow";
                break;
            }
            continue;
        }
        if (arg == "-h" || arg == "--help") {
            options.help = true;
        } else if (arg == "-V" || arg == "--version") {
            options.version = true;
        } else if (arg == "-f" || arg == "--fullscreen") {
            options.fullScreen = true;
        } else if (arg == "-w" || arg == "--window") {
            options.fullScreen = false;
        } else if (arg == "--mute") {
            options.mute = true;
        } else if (arg == "--uncapped") {
            options.uncapped = true;
        } else if (arg == "--relaxed") {
            options.relaxed = true;
        } else if (arg == "--hints" || arg == "--no-hints") {
            options.hints = arg == "--hints" ? 1 : 0;
        } else if (arg == "--replay" || arg == "--verify-replay") {
            if (i + 1 >= argc || argv[i + 1][0] == '\0') {
                options.error = "option '" + arg + "' needs a file";
                break;
            }
            (arg == "--replay" ? options.replay : options.verifyReplay) = argv[++i];
        } else if (arg == "--data" || arg.rfind("--data=", 0) == 0) {
            const bool joined = arg != "--data";
            if (!joined && i + 1 >= argc) {
                options.error = "option '--data' needs a folder";
                break;
            }
            options.dataFolder = joined ? arg.substr(7) : argv[++i];
            if (options.dataFolder.empty()) {
                options.error = "option '--data' needs a folder";
                break;
            }
        } else if (const GlutOption* option = glutOption(argv[i])) {
            options.glutArgs.push_back(argv[i]);
            if (option->takesValue) {
                if (i + 1 >= argc) {
                    options.error = "option '" + arg + "' needs a value";
                    break;
                }
                options.glutArgs.push_back(argv[++i]);
                if (arg == "-geometry") {
                    geometrySize(argv[i], options.width, options.height);
                }
            }
        } else if (!arg.empty() && arg[0] == '-') {
            options.error = "unknown option '" + arg + "'";
            break;
        } else {
            options.error = "unexpected argument '" + arg + "'";
            break;
        }
    }
    options.glutArgs.push_back(nullptr); // glutInit's argv ends like main's
    return options;
}

std::string usageText() {
    return std::string("Usage: ") + usageName + " [OPTION]... [GLUT OPTION]...\n" +
           "Keep a board of squares lit by feeding gears and bulbs to a turning chain.\n"
           "\n"
           "Options:\n"
           "  -h, --help        show this help and exit\n"
           "  -V, --version     show the version and exit\n"
           "  -f, --fullscreen  start in full screen\n"
           "  -w, --window      start in a window (the default)\n"
           "      --mute        start with the sound off\n"
           "      --data DIR    read the pictures and sounds from DIR\n"
           "      --uncapped    draw as many frames as the machine can (no frame limit)\n"
           "      --relaxed     relaxed mode: the board fades more slowly and bulbs reach\n"
           "                    further (E on the instructions screen too); its records\n"
           "                    are kept apart\n"
           "      --hints       show the hints in every game\n"
           "      --no-hints    never show the hints (by default they show in the first\n"
           "                    three games)\n"
           "      --palette NAME  the board's colours: red-green (the default) or\n"
           "                    blue-yellow, told apart by lightness too (K on the\n"
           "                    instructions screen)\n"
           "      --replay FILE watch a recorded game: P pauses, F or Right goes faster,\n"
           "                    Esc stops (W on the end screen watches the game just played)\n"
           "      --verify-replay FILE  play a recorded game without a window and check it\n"
           "                    ends as recorded (exit status 0 when it does)\n"
           "GLUT's own options work too, for example " +
           glutExample + ".\n" +
           "\n"
           "Keys:\n"
           "  left button       drag pieces from the chute onto the board; two quick presses\n"
           "                    lift a placed piece to carry it (also into the bin)\n"
           "  A                 add a plain gear to the chute\n"
           "  C                 lay the chain again round the motor (or its button)\n"
           "  P, Space          pause and resume\n"
           "  M                 sound off and on\n"
           "  H                 hints on and off\n"
           "  E                 on the instructions screen: relaxed mode on and off\n"
           "  F11               full screen and back\n"
           "  K                 on the instructions screen: the other palette\n"
           "  Enter, Space, R   on the end screen: play again\n"
           "  Esc, Ctrl+Q       quit (Alt+F4 too)\n"
           "\n" +
           placesText;
}
