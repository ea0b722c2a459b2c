#pragma once

#include "link/PlatformFiles.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace tillora {

// The whole contents of a file, or nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

enum class ReplaceResult {
    Replaced,   // the target now holds the new text
    NotCreated, // no file could be created beside the target
    NotWritten, // the text could not be written or put in place; the target is as it was
};

// Writes the whole text to a temporary file beside the target and only then renames it over the
// target, so that the target is always either the old file or the complete new one. A link to a
// file stays a link: the write goes to the file it names. The temporary file is made new, never
// opened through whatever already has its name (a link someone put there in a shared folder), and
// has the target's permissions when the target exists.
ReplaceResult ReplaceFile(const std::filesystem::path& target, const std::string& text);

// The temporary file's name for each attempt (0 to 7) beside the resolved target; the default is
// the target's name with ".tmp" and a random number.
using TempFileName =
    std::function<std::filesystem::path(const std::filesystem::path& target, int attempt)>;
ReplaceResult ReplaceFile(const std::filesystem::path& target, const std::string& text,
                          const TempFileName& tempName);

} // namespace tillora
