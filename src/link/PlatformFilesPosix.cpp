#include "link/IniLocation.h"
#include "link/PlatformFiles.h"

#include <cerrno>
#include <cstdlib>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tillora {

namespace fs = std::filesystem;

// A POSIX name is a string of bytes: the UTF-8 text is the name itself.
fs::path Utf8Path(const std::string& text) {
    return fs::path(text);
}

std::string PathToUtf8(const fs::path& path) {
    return path.string();
}

std::FILE* OpenFile(const fs::path& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

std::FILE* CreateNewFile(const fs::path& path, std::optional<fs::perms> permissions,
                         bool& nameTaken) {
    // O_EXCL fails on any name that exists, a dangling link included; O_NOFOLLOW says so twice.
    // Without the target's: read and write for everyone, narrowed by the umask as for any file.
    const mode_t mode = permissions ? static_cast<mode_t>(*permissions & fs::perms::mask) : 0666;
    const int handle =
        open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    nameTaken = handle < 0 && errno == EEXIST;
    if (handle < 0) {
        return nullptr;
    }
    // The umask may have narrowed the target's permissions; they are put back in full. A file
    // system without them (a FAT stick) keeps its own, which is no reason to fail the save.
    if (permissions) {
        (void)fchmod(handle, mode);
    }
    std::FILE* stream = fdopen(handle, "wb");
    if (stream == nullptr) {
        close(handle);
        unlink(path.c_str());
    }
    return stream;
}

bool SyncFile(std::FILE* stream) {
    return std::fflush(stream) == 0 && fsync(fileno(stream)) == 0;
}

void SyncFolder(const fs::path& folder) {
    const int handle = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (handle >= 0) {
        fsync(handle);
        close(handle);
    }
}

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

std::optional<fs::path> UserConfigFolder(const std::string& programName) {
    const std::string configHome = EnvironmentValue("XDG_CONFIG_HOME");
    if (!configHome.empty() && fs::path(configHome).is_absolute()) {
        return fs::path(configHome) / programName;
    }
    const std::string home = EnvironmentValue("HOME");
    if (!home.empty()) {
        return fs::path(home) / ".config" / programName;
    }
    return std::nullopt;
}

std::optional<fs::path> UserDataFolder() {
    const std::string dataHome = EnvironmentValue("XDG_DATA_HOME");
    if (!dataHome.empty() && fs::path(dataHome).is_absolute()) {
        return fs::path(dataHome) / "tillora";
    }
    const std::string home = EnvironmentValue("HOME");
    if (!home.empty()) {
        return fs::path(home) / ".local" / "share" / "tillora";
    }
    return std::nullopt;
}

bool IsPathSeparator(char c) {
    return c == '/';
}

std::string ExecutablePath() {
    std::error_code ec;
    const fs::path path = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : path.string();
}

} // namespace tillora
