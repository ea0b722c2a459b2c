#include "link/EcrIniFile.h"

#include "link/FileReplace.h"
#include "link/IniText.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>

namespace tillora {
namespace {

namespace fs = std::filesystem;

// A file the program creates gets the platform's own line breaks; an existing file keeps its own,
// so that the same file passed between Windows and Linux does not change style line by line.
#ifdef _WIN32
constexpr std::string_view NewFileLineEnding = "\r\n";
#else
constexpr std::string_view NewFileLineEnding = "\n";
#endif

bool IsRegularFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

// What the getters see: a file that is missing or cannot be read holds no keys.
std::string TextForReading(const fs::path& path) {
    return IsRegularFile(path) ? ReadWholeFile(path).value_or(std::string()) : std::string();
}

// What a write starts from. A file that exists but cannot be read gives nothing, so that a write
// never replaces contents it could not see; where there is no file, the write starts empty and
// the final rename decides whether the place can take one.
std::optional<std::string> TextForEditing(const fs::path& path) {
    return IsRegularFile(path) ? ReadWholeFile(path) : std::string();
}

// A value is one line of the file; whatever follows a line break in it is left out, so that a
// value can never add keys or sections of its own.
std::string_view SingleLine(std::string_view text) {
    return text.substr(0, text.find_first_of("\r\n"));
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// As GetPrivateProfileIntA reads a number: blanks, a sign, decimal digits up to the first other
// character; no digits give 0. A number beyond the int range gives the nearest int.
int ParseInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        ++i;
    }
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<int>::max()} + 1;
    std::int64_t value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = std::min(value * 10 + (text[i] - '0'), limit);
    }
    if (negative) {
        value = -value;
    }
    return static_cast<int>(std::min<std::int64_t>(value, std::numeric_limits<int>::max()));
}

// Decimal digits up to the first other character; no digits give 0, and a number too large for
// 32 bits gives the largest one rather than a wrapped value.
unsigned ParseUnsigned(std::string_view text) {
    constexpr std::uint64_t limit = std::numeric_limits<unsigned>::max();
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < text.size() && IsDigit(text[i]); ++i) {
        value = std::min<std::uint64_t>(value * 10 + static_cast<unsigned>(text[i] - '0'), limit);
    }
    return static_cast<unsigned>(value);
}

} // namespace

EcrIniFile::EcrIniFile(std::string path) : m_path(std::move(path)) {}

int EcrIniFile::GetInt(const std::string& section, const std::string& key, int defaultValue) const {
    const std::optional<std::string> value =
        ini::FindValue(TextForReading(Utf8Path(m_path)), section, key);
    if (!value || value->empty()) {
        return defaultValue;
    }
    return ParseInt(*value);
}

unsigned EcrIniFile::GetUnsigned(const std::string& section, const std::string& key,
                                 unsigned defaultValue) const {
    return ParseUnsigned(GetString(section, key, std::to_string(defaultValue)));
}

std::string EcrIniFile::GetString(const std::string& section, const std::string& key,
                                  const std::string& defaultValue) const {
    return ini::FindValue(TextForReading(Utf8Path(m_path)), section, key).value_or(defaultValue);
}

bool EcrIniFile::WriteInt(const std::string& section, const std::string& key, int value) {
    return WriteString(section, key, std::to_string(value));
}

bool EcrIniFile::WriteUnsigned(const std::string& section, const std::string& key, unsigned value) {
    return WriteString(section, key, std::to_string(value));
}

bool EcrIniFile::WriteString(const std::string& section, const std::string& key,
                             const std::string& text) {
    return Edit([&](const std::string& current) {
        return ini::SetValue(current, section, key, SingleLine(text), NewFileLineEnding);
    });
}

std::vector<std::string> EcrIniFile::GetSectionNames() const {
    return ini::SectionNames(TextForReading(Utf8Path(m_path)));
}

bool EcrIniFile::WriteSection(const std::string& section,
                              const std::vector<std::pair<std::string, std::string>>& entries) {
    std::vector<std::pair<std::string, std::string>> lines;
    for (const auto& [key, value] : entries) {
        lines.emplace_back(SingleLine(key), SingleLine(value));
    }
    return Edit([&](const std::string& current) {
        return ini::ReplaceSection(current, SingleLine(section), lines, NewFileLineEnding);
    });
}

bool EcrIniFile::DeleteSection(const std::string& section) {
    return Edit([&](const std::string& current) { return ini::RemoveSection(current, section); });
}

bool EcrIniFile::Edit(const std::function<std::string(const std::string&)>& change) {
    const std::optional<std::string> current = TextForEditing(Utf8Path(m_path));
    if (!current) {
        return false;
    }
    return ReplaceFile(Utf8Path(m_path), change(*current)) == ReplaceResult::Replaced;
}

} // namespace tillora
