#include "link/IniLocation.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace tillora {
namespace {

namespace fs = std::filesystem;

bool IsPathSeparator(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

// The variable's value; empty when it is not set.
std::string EnvironmentValue(const char* name) {
#ifdef _WIN32
    char* value = nullptr;
    std::size_t size = 0;
    if (_dupenv_s(&value, &size, name) != 0 || value == nullptr) {
        return {};
    }
    std::string text(value);
    std::free(value);
    return text;
#else
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
#endif
}

// Whether a file can be made in the folder: tried with a probe file, because permissions, access
// lists and read-only media each say no in their own way.
bool CanCreateFilesIn(const fs::path& folder, const std::string& programName) {
    const fs::path probe = folder / ("." + programName + ".ini.probe");
    std::ofstream out(probe, std::ios::binary);
    if (!out) {
        return false;
    }
    out.close();
    std::error_code ec;
    fs::remove(probe, ec);
    return true;
}

// An installed program keeps its data in <prefix>/share/<program>, beside <prefix>/bin: it never
// writes beside itself, not even for a user who may (root, a prefix in the home folder), since
// the package manager owns that folder and each user has settings of their own.
bool IsInstalledProgram(const fs::path& folder, const std::string& programName) {
    std::error_code ec;
    return fs::is_directory(folder.parent_path() / "share" / programName, ec);
}

// The user's own folder for the program's settings; nothing when the environment names none.
std::optional<fs::path> UserConfigFolder(const std::string& programName) {
#ifdef _WIN32
    const std::string appData = EnvironmentValue("APPDATA");
    if (!appData.empty()) {
        return fs::path(appData) / programName;
    }
#else
    const std::string configHome = EnvironmentValue("XDG_CONFIG_HOME");
    if (!configHome.empty() && fs::path(configHome).is_absolute()) {
        return fs::path(configHome) / programName;
    }
    const std::string home = EnvironmentValue("HOME");
    if (!home.empty()) {
        return fs::path(home) / ".config" / programName;
    }
#endif
    return std::nullopt;
}

} // namespace

std::string IniPathForExecutable(const std::string& executablePath) {
    std::size_t separator = std::string::npos;
    for (std::size_t i = 0; i < executablePath.size(); ++i) {
        if (IsPathSeparator(executablePath[i])) {
            separator = i;
        }
    }
    const std::size_t dot = executablePath.rfind('.');
    const bool hasExtension =
        dot != std::string::npos && (separator == std::string::npos || dot > separator);
    return executablePath.substr(0, hasExtension ? dot : std::string::npos) + ".ini";
}

std::string LocateIniFile(const std::string& programName) {
    return LocateIniFile(programName, ExecutablePath());
}

std::string LocateIniFile(const std::string& programName, const std::string& executablePath) {
    std::string named = EnvironmentValue("TILLORA_INI");
    if (!named.empty()) {
        return named;
    }
    const fs::path folder = fs::path(executablePath).parent_path();
    std::string besideProgram = IniPathForExecutable((folder / programName).string());
    if (!executablePath.empty() && !IsInstalledProgram(folder, programName) &&
        CanCreateFilesIn(folder, programName)) {
        return besideProgram;
    }
    const std::optional<fs::path> userFolder = UserConfigFolder(programName);
    if (!userFolder) {
        return besideProgram;
    }
    std::error_code ec;
    fs::create_directories(*userFolder, ec);
    return IniPathForExecutable((*userFolder / programName).string());
}

std::string ExecutablePath() {
#ifdef _WIN32
    char path[500];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) {
        return {}; // a path cut short names some other file
    }
    return std::string(path, length);
#else
    std::error_code ec;
    const fs::path path = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : path.string();
#endif
}

} // namespace tillora
