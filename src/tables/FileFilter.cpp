#include "tables/FileFilter.h"

#include "tables/TextTrim.h"

#include <algorithm>
#include <cctype>

namespace tillora {
namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

void AddOnce(std::vector<std::string>& list, const std::string& item) {
    if (std::find(list.begin(), list.end(), item) == list.end()) {
        list.push_back(item);
    }
}

} // namespace

std::vector<FileFilterLine> ParseFileFilter(std::string_view filter) {
    std::vector<FileFilterLine> lines;
    const std::vector<std::string_view> parts = Split(filter, '|');
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty()) {
            break; // the "||" that ends the filter
        }
        FileFilterLine line{std::string(Trimmed(parts[i])), {}};
        for (std::string_view pattern : Split(parts[i + 1], ';')) {
            pattern = Trimmed(pattern);
            if (!pattern.empty()) {
                line.patterns.emplace_back(pattern);
            }
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string NameFilter(const FileFilterLine& line, bool caseSensitiveNames) {
    std::vector<std::string> patterns;
    for (const std::string& pattern : line.patterns) {
        if (pattern == "*.*") {
            AddOnce(patterns, "*");
            continue;
        }
        AddOnce(patterns, pattern);
        if (caseSensitiveNames) {
            AddOnce(patterns, Upper(pattern));
        }
    }
    if (patterns.empty()) {
        patterns.emplace_back("*");
    }

    std::string description = line.description;
    if (!description.empty() && description.back() == ')') {
        const std::size_t open = description.rfind('(');
        if (open != std::string::npos) {
            description = std::string(Trimmed(description.substr(0, open)));
        }
    }
    std::string text = description + " (";
    for (std::size_t i = 0; i < patterns.size(); ++i) {
        text += (i > 0 ? " " : "") + patterns[i];
    }
    return text + ")";
}

std::vector<std::string> NameFilters(std::string_view filter, bool caseSensitiveNames) {
    std::vector<std::string> filters;
    for (const FileFilterLine& line : ParseFileFilter(filter)) {
        filters.push_back(NameFilter(line, caseSensitiveNames));
    }
    return filters;
}

namespace {

std::string ExtensionOf(const std::vector<FileFilterLine>& lines, int line) {
    if (line < 0 || line >= static_cast<int>(lines.size()) ||
        lines[static_cast<std::size_t>(line)].patterns.empty()) {
        return {};
    }
    const std::string& pattern = lines[static_cast<std::size_t>(line)].patterns.front();
    if (pattern.size() < 3 || pattern.compare(0, 2, "*.") != 0 || pattern == "*.*") {
        return {};
    }
    return pattern.substr(2);
}

} // namespace

std::string FilterExtension(std::string_view filter, int line) {
    const std::vector<FileFilterLine> lines = ParseFileFilter(filter);
    std::string extension = ExtensionOf(lines, line);
    return extension.empty() ? ExtensionOf(lines, 0) : extension;
}

} // namespace tillora
