#include "link/FileReplace.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

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
#ifdef _WIN32
        out = _wfopen(candidate.c_str(), L"wb");
#else
        out = std::fopen(candidate.c_str(), "wb");
#endif
        if (out != nullptr) {
            return candidate;
        }
    }
    return std::nullopt;
}

// The bytes must be on the disk before the rename: a power cut after it must not leave the
// target holding a file whose contents never got there.
bool FlushToDisk(std::FILE* out) {
    if (std::fflush(out) != 0) {
        return false;
    }
#ifdef _WIN32
    return _commit(_fileno(out)) == 0;
#else
    return fsync(fileno(out)) == 0;
#endif
}

bool WriteComplete(std::FILE* out, const std::string& text) {
    const bool written =
        std::fwrite(text.data(), 1, text.size(), out) == text.size() && FlushToDisk(out);
    return std::fclose(out) == 0 && written;
}

// The rename itself is only lasting once the folder's entry is on the disk too. Windows keeps
// no such folder handle; there the rename is as lasting as the file system makes it.
void FlushFolder(const fs::path& target) {
#ifndef _WIN32
    const int folder = open(target.parent_path().empty() ? "." : target.parent_path().c_str(),
                            O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
#else
    (void)target;
#endif
}

void KeepPermissions(const fs::path& target, const fs::path& temp) {
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    if (!ec && fs::is_regular_file(status)) {
        fs::permissions(temp, status.permissions(), ec);
    }
}

} // namespace

fs::path Utf8Path(const std::string& text) {
    return fs::path(std::u8string(text.begin(), text.end()));
}

std::string PathToUtf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

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
            FlushFolder(target);
        }
    }
    if (!written) {
        fs::remove(*temp, ec);
    }
    return written ? ReplaceResult::Replaced : ReplaceResult::NotWritten;
}

} // namespace tillora
