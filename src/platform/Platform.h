#pragma once

#include <string>

// Everything the game needs from the operating system, in one place. Each kind of system has one
// implementation file beside this header (Posix.cpp, Win32.cpp), and CMake compiles the one the
// target needs; nothing else in the game includes a system header.
namespace platform {

// ---- Time

// Seconds on a clock that only moves forwards.
double monotonicSeconds();
// Sleeps until monotonicSeconds() reaches `when`; returns at once if it has passed.
void sleepUntil(double when);

// ---- Folders and files. Names are UTF-8; '/' separates folders everywhere.

// The folder the game's data is installed in beside its executable, "" when unknown. An
// installed tree keeps it in ../share/gridlume; a Windows folder keeps it beside the .exe.
std::string dataFolderBesideExecutable();
bool fileReadable(const std::string& path);
// Makes the folder the working folder; false with the reason when it cannot.
bool changeFolder(const std::string& folder, std::string& why);
// The player's own data folder for this game (made on first write), "" when the system names
// none: $XDG_DATA_HOME/gridlume or ~/.local/share/gridlume; %APPDATA%/gridlume on Windows.
std::string userDataFolder();
// Where the player's settings for this game live: $XDG_CONFIG_HOME/gridlume or
// ~/.config/gridlume; %APPDATA%/gridlume on Windows; the data folder in a browser, whose
// IndexedDB keeps only that one. "" when the system names none.
std::string userConfigFolder();

enum class ReadOutcome { read, missing, failed };
// Reads a small file whole; stops once it holds more than `limit` bytes (the caller refuses it).
ReadOutcome readSmallFile(const std::string& path, std::size_t limit, std::string& text,
                          std::string& why);
// Makes the folders above the file (private to the player where the system has such a thing).
bool makeFoldersAbove(const std::string& file, std::string& why);

enum class ReplaceOutcome { replaced, noTemporary, notReplaced };
// Writes the text to a temporary file beside `path`, flushes it to the disk and puts it in the
// file's place in one step: a reader sees the old file or the new one, never a part.
ReplaceOutcome replaceFile(const std::string& path, const std::string& text, std::string& why);

// An exclusive lock on a file of its own (made if missing), held while the object lives. Games
// ending at once take turns through it. A lock that cannot be had is no lock, not an error.
class FileLock {
public:
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    long long handle;
};

// ---- Telling the player

enum class Notice { information, error };
// Writes the text to standard output (information) or standard error (an error). Where that
// stream leads nowhere, as for a Windows program started from its icon, the text shows in a
// message box instead, which waits for the player. A stream redirected anywhere (a file, a pipe,
// NUL: every test) gets the text and no box.
void tellPlayer(Notice kind, const std::string& text);

// How many screen pixels the system counts for one pixel of a program that knows nothing of
// scaling: 1.5 on a Windows screen set to 150 %; 1 where the system says nothing (Linux). The
// game is DPI-aware on Windows, so it sizes its window by this itself.
double displayScale();

// ---- OpenGL

bool hasCurrentGlContext();
// The window system's way of setting the swap interval (0: do not wait for the vertical
// retrace, 1: wait), or null when it lists none. Call with a current context.
using SwapIntervalSetter = void (*)(int interval);
SwapIntervalSetter findSwapControl();

} // namespace platform
