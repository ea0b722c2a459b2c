#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

namespace tillora {

// What the program needs of the system's files, names and environment. Names cross the program
// as UTF-8 text on every system; only these functions know how the system spells them. None of
// them throws: a name that cannot be spelled names no file, and opening it fails as usual.

// Paths cross the program as UTF-8 text; these turn them into the platform's paths and back.
std::filesystem::path Utf8Path(const std::string& text);
std::string PathToUtf8(const std::filesystem::path& path);

// std::fopen for any path the system can name.
std::FILE* OpenFile(const std::filesystem::path& path, const char* mode);

// Puts what was written to the stream on the disk.
bool SyncFile(std::FILE* stream);
// Puts the folder's entries (a rename into it) on the disk, where the system can.
void SyncFolder(const std::filesystem::path& folder);

// The variable's value as UTF-8; empty when it is not set.
std::string EnvironmentValue(const char* name);

// The user's own folder for the program's settings; nothing when the environment names none.
std::optional<std::filesystem::path> UserConfigFolder(const std::string& programName);

// Whether the character separates folders in a path written on this system.
bool IsPathSeparator(char c);

} // namespace tillora
