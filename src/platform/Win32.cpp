// The platform layer on Windows (and under Wine). Names are UTF-8 in the game and UTF-16 here.
#include "platform/Platform.h"

#include "platform/BoxText.h"
#include "platform/ExtensionList.h"

#include <windows.h>

#include <GL/gl.h>
#include <direct.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace platform {

namespace {

std::wstring wide(const std::string& text) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    std::wstring result(length > 0 ? static_cast<std::size_t>(length) : 1u, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, &result[0], length);
    result.resize(result.size() - 1);
    return result;
}

std::string narrow(const wchar_t* text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string result(length > 0 ? static_cast<std::size_t>(length) : 1u, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &result[0], length, nullptr, nullptr);
    result.resize(result.size() - 1);
    for (char& c : result) {
        c = c == '\\' ? '/' : c;
    }
    return result;
}

// The system's own words for the last error, without the line break it ends them with.
std::string lastError() {
    char* text = nullptr;
    const DWORD code = GetLastError();
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string why = text != nullptr ? text : "error " + std::to_string(code);
    LocalFree(text);
    while (!why.empty() && (why.back() == '\n' || why.back() == '\r' || why.back() == '.')) {
        why.pop_back();
    }
    return why;
}

LARGE_INTEGER counterFrequency() {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return frequency;
}

// A waitable timer sleeps to the fraction of a millisecond where Sleep rounds to the scheduler's
// tick (15.6 ms unless raised): the high-resolution kind where the system has it, else the
// ordinary one with the tick raised to 1 ms.
HANDLE frameTimer() {
    HANDLE timer = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                          TIMER_ALL_ACCESS);
    if (timer == nullptr) {
        timeBeginPeriod(1);
        timer = CreateWaitableTimerW(nullptr, TRUE, nullptr);
    }
    return timer;
}

} // namespace

double monotonicSeconds() {
    static const LARGE_INTEGER frequency = counterFrequency();
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void sleepUntil(double when) {
    static const HANDLE timer = frameTimer();
    const double left = when - monotonicSeconds();
    if (!(left > 0.0)) {
        return;
    }
    LARGE_INTEGER due{};
    due.QuadPart = -static_cast<LONGLONG>(left * 1e7); // relative, in 100 ns
    if (timer != nullptr && SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE)) {
        WaitForSingleObject(timer, INFINITE);
    } else {
        Sleep(static_cast<DWORD>(left * 1000.0));
    }
}

std::string dataFolderBesideExecutable() {
    std::wstring self(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, &self[0], static_cast<DWORD>(self.size()));
    if (length == 0 || length >= self.size()) {
        return "";
    }
    self.resize(length);
    const std::string path = narrow(self.c_str());
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? "" : path.substr(0, slash);
}

bool fileReadable(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool changeFolder(const std::string& folder, std::string& why) {
    if (SetCurrentDirectoryW(wide(folder).c_str())) {
        return true;
    }
    why = lastError();
    return false;
}

std::string userDataFolder() {
    wchar_t* roaming = nullptr;
    std::string folder;
    if (SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &roaming) == S_OK) {
        folder = narrow(roaming) + "/gridlume";
    }
    CoTaskMemFree(roaming);
    return folder;
}

// Windows keeps settings and data in the same roaming folder.
std::string userConfigFolder() {
    return userDataFolder();
}

ReadOutcome readSmallFile(const std::string& path, std::size_t limit, std::string& text,
                          std::string& why) {
    HANDLE file = CreateFileW(wide(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            return ReadOutcome::missing;
        }
        SetLastError(error);
        why = lastError();
        return ReadOutcome::failed;
    }
    bool ok = GetFileType(file) == FILE_TYPE_DISK;
    if (!ok) {
        why = "it is not a plain file";
    }
    char buffer[1024];
    while (ok && text.size() <= limit) {
        DWORD got = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            why = lastError();
            ok = false;
        } else if (got == 0) {
            break;
        } else {
            text.append(buffer, got);
        }
    }
    CloseHandle(file);
    return ok ? ReadOutcome::read : ReadOutcome::failed;
}

bool makeFoldersAbove(const std::string& file, std::string& why) {
    const std::wstring path = wide(file);
    for (std::size_t slash = path.find_first_of(L"/\\", 1); slash != std::wstring::npos;
         slash = path.find_first_of(L"/\\", slash + 1)) {
        const std::wstring folder = path.substr(0, slash);
        if (folder.back() == L':' || CreateDirectoryW(folder.c_str(), nullptr)) {
            continue; // a drive, or a new folder
        }
        const DWORD attributes = GetFileAttributesW(folder.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            why = lastError();
            return false;
        }
    }
    return true;
}

ReplaceOutcome replaceFile(const std::string& path, const std::string& text, std::string& why) {
    const std::wstring target = wide(path);
    const std::wstring temporary = target + L"." + std::to_wstring(GetCurrentProcessId()) + L".new";
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        why = lastError();
        return ReplaceOutcome::noTemporary;
    }
    DWORD put = 0;
    bool done = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &put, nullptr) &&
                put == text.size() && FlushFileBuffers(file);
    if (!done) {
        why = lastError();
    }
    CloseHandle(file);
    // Unlike rename() on POSIX, MoveFileEx must be told that an existing file may go.
    if (done && !MoveFileExW(temporary.c_str(), target.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        why = lastError();
        done = false;
    }
    if (!done) {
        DeleteFileW(temporary.c_str());
        return ReplaceOutcome::notReplaced;
    }
    return ReplaceOutcome::replaced;
}

FileLock::FileLock(const std::string& path) {
    HANDLE file = CreateFileW(wide(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    OVERLAPPED whole{};
    if (file != INVALID_HANDLE_VALUE) {
        LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole);
    }
    handle = reinterpret_cast<long long>(file);
}

FileLock::~FileLock() {
    HANDLE file = reinterpret_cast<HANDLE>(handle);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file); // lets the lock go
    }
}

void tellPlayer(Notice kind, const std::string& text) {
    const bool error = kind == Notice::error;
    // A GUI program started from Explorer or the Start menu gets no standard handles at all; one
    // started with its output redirected, or by a test, gets them and writes there as elsewhere.
    const HANDLE handle = GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE) {
        std::FILE* stream = error ? stderr : stdout;
        std::fputs(text.c_str(), stream);
        std::fflush(stream);
        return;
    }
    std::string shown = boxText(text);
    while (!shown.empty() && shown.back() == '\n') {
        shown.pop_back();
    }
    MessageBoxW(nullptr, wide(shown).c_str(), L"Gridlume",
                MB_OK | MB_SETFOREGROUND | (error ? MB_ICONERROR : MB_ICONINFORMATION));
}

double displayScale() {
    // The system's DPI (the primary screen's at sign-in), which a DPI-aware program is told as it
    // is.
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    return dpi > 96 ? dpi / 96.0 : 1.0;
}

bool hasCurrentGlContext() {
    return wglGetCurrentContext() != nullptr;
}

namespace {

typedef BOOL(WINAPI* SwapIntervalProc)(int);
SwapIntervalProc swapIntervalProc = nullptr;

void setInterval(int interval) {
    swapIntervalProc(interval);
}

} // namespace

SwapIntervalSetter findSwapControl() {
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (!hasExtension(extensions, "WGL_EXT_swap_control")) {
        return nullptr;
    }
    swapIntervalProc = reinterpret_cast<SwapIntervalProc>(
        reinterpret_cast<void*>(wglGetProcAddress("wglSwapIntervalEXT")));
    return swapIntervalProc != nullptr ? setInterval : nullptr;
}

} // namespace platform
