#include "link/IniLocation.h"
#include "link/PlatformFiles.h"

#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <string_view>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace tillora {
namespace fs = std::filesystem;

std::wstring WideFromUtf8(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string Utf8FromWide(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

fs::path Utf8Path(const std::string& text) {
    return fs::path(WideFromUtf8(text));
}

std::string PathToUtf8(const fs::path& path) {
    return Utf8FromWide(path.native());
}

std::FILE* OpenFile(const fs::path& path, const char* mode) {
    return _wfopen(path.c_str(), WideFromUtf8(mode).c_str());
}

// CREATE_NEW fails on any name that exists, a link included, and never opens through one. The
// permission bits have no Windows meaning beyond the read-only flag, which a file being written
// must not have: the new file takes the folder's access rules, as any new file there does.
std::FILE* CreateNewFile(const fs::path& path, std::optional<fs::perms> /*permissions*/,
                         bool& nameTaken) {
    const HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        nameTaken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
        return nullptr;
    }
    nameTaken = false;
    const int descriptor =
        _open_osfhandle(reinterpret_cast<std::intptr_t>(handle), _O_WRONLY | _O_BINARY);
    if (descriptor < 0) {
        CloseHandle(handle);
        DeleteFileW(path.c_str());
        return nullptr;
    }
    std::FILE* stream = _fdopen(descriptor, "wb");
    if (stream == nullptr) {
        _close(descriptor);
        DeleteFileW(path.c_str());
    }
    return stream;
}

bool SyncFile(std::FILE* stream) {
    return std::fflush(stream) == 0 && _commit(_fileno(stream)) == 0;
}

// Windows keeps no folder handle to flush; a rename is as lasting as the file system makes it.
void SyncFolder(const fs::path& /*folder*/) {}

std::string EnvironmentValue(const char* name) {
    const wchar_t* value = _wgetenv(WideFromUtf8(name).c_str());
    return value == nullptr ? std::string() : Utf8FromWide(value);
}

std::optional<fs::path> UserConfigFolder(const std::string& programName) {
    const std::string appData = EnvironmentValue("APPDATA");
    if (appData.empty()) {
        return std::nullopt;
    }
    return Utf8Path(appData) / Utf8Path(programName);
}

std::optional<fs::path> UserDataFolder() {
    const std::string appData = EnvironmentValue("APPDATA");
    if (appData.empty()) {
        return std::nullopt;
    }
    return Utf8Path(appData) / L"Tillora";
}

bool IsPathSeparator(char c) {
    return c == '\\' || c == '/';
}

std::string ExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return Utf8FromWide(path);
        }
        if (path.size() >= 32768) {
            return {}; // longer than any Windows path: a name cut short names some other file
        }
        path.resize(path.size() * 2);
    }
}

} // namespace tillora
