#include "link/FileReplace.h"

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
std::optional<fs::path> CreateTempFile(const fs::path& target, std::ofstream& out) {
    std::random_device random;
    for (int attempt = 0; attempt < 8; ++attempt) {
        fs::path candidate = target;
        candidate += ".tmp" + std::to_string(random() % 1000000u);
        std::error_code ec;
        if (fs::exists(candidate, ec) || ec) {
            continue;
        }
        out.open(candidate, std::ios::binary | std::ios::trunc);
        if (out) {
            return candidate;
        }
    }
    return std::nullopt;
}

bool WriteComplete(std::ofstream& out, const std::string& text) {
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return !out.fail();
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
    std::ofstream out;
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
    }
    if (!written) {
        fs::remove(*temp, ec);
    }
    return written ? ReplaceResult::Replaced : ReplaceResult::NotWritten;
}

} // namespace tillora
