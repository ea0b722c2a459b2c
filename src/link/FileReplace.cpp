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

// A new file beside the target, under a name no other file has.
std::optional<fs::path> CreateTempFile(const fs::path& target, std::FILE*& out) {
    std::random_device random;
    for (int attempt = 0; attempt < 8; ++attempt) {
        fs::path candidate = target;
        candidate += ".tmp" + std::to_string(random() % 1000000u);
        std::error_code ec;
        if (fs::exists(candidate, ec) || ec) {
            continue;
        }
        out = OpenFile(candidate, "wb");
        if (out != nullptr) {
            return candidate;
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

void KeepPermissions(const fs::path& target, const fs::path& temp) {
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    if (!ec && fs::is_regular_file(status)) {
        fs::permissions(temp, status.permissions(), ec);
    }
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
    const fs::path target = ResolvedTarget(path);
    std::FILE* out = nullptr;
    const std::optional<fs::path> temp = CreateTempFile(target, out);
    if (!temp) {
        return ReplaceResult::NotCreated;
    }
    bool written = WriteComplete(out, text);
    std::error_code ec;
    if (written) {
        KeepPermissions(target, *temp);
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
