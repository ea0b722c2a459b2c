#include "link/FileReplace.h"

#include "link/PlatformFiles.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

namespace tillora {
namespace {

namespace fs = std::filesystem;

fs::path ResolvedTarget(const fs::path& path) {
    std::error_code ec;
    const fs::path resolved = fs::canonical(path, ec);
    return ec ? path : resolved;
}

constexpr int TempFileAttempts = 8;

fs::path RandomTempName(const fs::path& target, int /*attempt*/) {
    std::random_device random;
    fs::path name = target;
    name += ".tmp" + std::to_string(random() % 1000000u);
    return name;
}

// The target's permissions, for the file that takes its place; none for a new target.
std::optional<fs::perms> TargetPermissions(const fs::path& target) {
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    if (ec || !fs::is_regular_file(status)) {
        return std::nullopt;
    }
    return status.permissions();
}

// A new file beside the target under a name nothing had: a name that is taken, even by a link
// that points elsewhere, is passed over, never opened.
std::optional<fs::path> CreateTempFile(const fs::path& target, const TempFileName& tempName,
                                       std::FILE*& out) {
    const std::optional<fs::perms> permissions = TargetPermissions(target);
    for (int attempt = 0; attempt < TempFileAttempts; ++attempt) {
        fs::path candidate = tempName(target, attempt);
        bool nameTaken = false;
        out = CreateNewFile(candidate, permissions, nameTaken);
        if (out != nullptr) {
            return candidate;
        }
        if (!nameTaken) {
            return std::nullopt; // the folder takes no new file at all
        }
    }
    return std::nullopt;
}

// The bytes must be on the disk before the rename: a power cut after it must not leave the
// target holding a file whose contents never got there.
bool WriteComplete(std::FILE* out, const std::string& text) {
    const bool written =
        std::fwrite(text.data(), 1, text.size(), out) == text.size() && SyncFile(out);
    return std::fclose(out) == 0 && written;
}

} // namespace

std::optional<std::string> ReadWholeFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        return std::nullopt;
    }
    return text;
}

ReplaceResult ReplaceFile(const fs::path& path, const std::string& text) {
    return ReplaceFile(path, text, RandomTempName);
}

ReplaceResult ReplaceFile(const fs::path& path, const std::string& text,
                          const TempFileName& tempName) {
    const fs::path target = ResolvedTarget(path);
    std::FILE* out = nullptr;
    const std::optional<fs::path> temp = CreateTempFile(target, tempName, out);
    if (!temp) {
        return ReplaceResult::NotCreated;
    }
    bool written = WriteComplete(out, text);
    std::error_code ec;
    if (written) {
        fs::rename(*temp, target, ec);
        written = !ec;
        if (written) {
            // The rename itself is only lasting once the folder's entry is on the disk too.
            SyncFolder(target.parent_path());
        }
    }
    if (!written) {
        fs::remove(*temp, ec);
    }
    return written ? ReplaceResult::Replaced : ReplaceResult::NotWritten;
}

} // namespace tillora
