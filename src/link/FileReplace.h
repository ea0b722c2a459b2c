#pragma once

#include "link/PlatformFiles.h"

#include <filesystem>
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
// file stays a link: the write goes to the file it names.
ReplaceResult ReplaceFile(const std::filesystem::path& target, const std::string& text);

} // namespace tillora
