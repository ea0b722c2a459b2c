#include "link/IniLocation.h"

#include "link/PlatformFiles.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>

namespace tillora {
namespace {

namespace fs = std::filesystem;

// Whether a file can be made in the folder: tried with a probe file, because permissions, access
// lists and read-only media each say no in their own way.
bool CanCreateFilesIn(const fs::path& folder, const std::string& programName) {
    const fs::path probe = folder / Utf8Path("." + programName + ".ini.probe");
    std::FILE* out = OpenFile(probe, "wb");
    if (out == nullptr) {
        return false;
    }
    std::fclose(out);
    std::error_code ec;
    fs::remove(probe, ec);
    return true;
}

// An installed program keeps its data in <prefix>/share/<program>, beside <prefix>/bin: it never
// writes beside itself, not even for a user who may (root, a prefix in the home folder), since
// the package manager owns that folder and each user has settings of their own.
bool IsInstalledProgram(const fs::path& folder, const std::string& programName) {
    std::error_code ec;
    return fs::is_directory(folder.parent_path() / "share" / Utf8Path(programName), ec);
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

std::string IniFileInUse(const std::string& named) {
    return named.empty() ? LocateIniFile("tillora") : named;
}

std::string LocateIniFile(const std::string& programName, const std::string& executablePath) {
    std::string named = EnvironmentValue("TILLORA_INI");
    if (!named.empty()) {
        return named;
    }
    const fs::path folder = Utf8Path(executablePath).parent_path();
    std::string besideProgram = IniPathForExecutable(PathToUtf8(folder / Utf8Path(programName)));
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
    return IniPathForExecutable(PathToUtf8(*userFolder / Utf8Path(programName)));
}

} // namespace tillora
