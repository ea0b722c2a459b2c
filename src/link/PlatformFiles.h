#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tillora {

// What the program needs of the system's files, names and environment. Names cross the program
// as UTF-8 text on every system; only these functions know how the system spells them. None of
// them throws: a name that cannot be spelled names no file, and opening it fails as usual.

// Paths cross the program as UTF-8 text; these turn them into the platform's paths and back.
std::filesystem::path Utf8Path(const std::string& text);
std::string PathToUtf8(const std::filesystem::path& path);

// std::fopen for any path the system can name.
std::FILE* OpenFile(const std::filesystem::path& path, const char* mode);

// A new file for writing under a name that nothing has yet: whatever already has the name, a link
// included, is neither opened nor followed, and nameTaken tells that case from other failures.
// With permissions the file gets exactly those where the system keeps such bits; otherwise the
// usual ones of a new file.
std::FILE* CreateNewFile(const std::filesystem::path& path,
                         std::optional<std::filesystem::perms> permissions, bool& nameTaken);

// Puts what was written to the stream on the disk.
bool SyncFile(std::FILE* stream);
// Puts the folder's entries (a rename into it) on the disk, where the system can.
void SyncFolder(const std::filesystem::path& folder);

// The variable's value as UTF-8; empty when it is not set.
std::string EnvironmentValue(const char* name);

// The user's own folder for the program's settings; nothing when the environment names none.
std::optional<std::filesystem::path> UserConfigFolder(const std::string& programName);

// The user's own folder for the program's data (what it learns and keeps between runs, as
// opposed to settings): $XDG_DATA_HOME/tillora or ~/.local/share/tillora, %APPDATA%\Tillora on
// Windows; nothing when the environment names none.
std::optional<std::filesystem::path> UserDataFolder();

// Whether the character separates folders in a path written on this system.
bool IsPathSeparator(char c);

#ifdef _WIN32
// UTF-8 and Windows' UTF-16 for each other. Bytes that are not UTF-8 (a name an older program
// wrote in Windows-1251) become U+FFFD rather than an exception: such a name matches no file.
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);
#endif

} // namespace tillora
