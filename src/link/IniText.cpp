#include "link/IniText.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace tillora::ini {
namespace {

// One line of the text: where its content starts, how long it is, and how many bytes of line
// break ("\n" or "\r\n") follow it; the last line may have none.
struct Line {
    std::size_t start;
    std::size_t length;
    std::size_t breakLength;
};

enum class Kind { Blank, Comment, Section, Key };

struct ParsedLine {
    Kind kind = Kind::Blank;
    std::string_view name;  // the section's or the key's name, trimmed
    std::string_view value; // the key's value, trimmed and unquoted
};

// Where the first matching section's lines are: its header and the line after its last one.
struct SectionSpan {
    std::size_t header;
    std::size_t end;
};

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

std::vector<Line> SplitLines(std::string_view text) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t lf = text.find('\n', start);
        if (lf == std::string_view::npos) {
            lines.push_back({start, text.size() - start, 0});
            break;
        }
        const bool crlf = lf > start && text[lf - 1] == '\r';
        const std::size_t length = lf - start - (crlf ? 1 : 0);
        lines.push_back({start, length, crlf ? 2u : 1u});
        start = lf + 1;
    }
    return lines;
}

// A carriage return counts as white space, as it does for the Windows functions: a line that
// ends in one alone (an editor's stray CR, or the last line of a CR LF file cut short) reads as
// if the CR were not there, and a write that adds a line feed behind it changes nothing.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

std::string_view Unquote(std::string_view value) {
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    return quoted ? value.substr(1, value.size() - 2) : value;
}

ParsedLine ParseLine(std::string_view content) {
    const std::string_view text = Trim(content);
    if (text.empty()) {
        return {};
    }
    if (text.front() == ';' || text.front() == '#') {
        return {Kind::Comment, {}, {}};
    }
    if (text.front() == '[') {
        const std::size_t close = text.find(']');
        const std::size_t nameEnd = close == std::string_view::npos ? text.size() : close;
        return {Kind::Section, Trim(text.substr(1, nameEnd - 1)), {}};
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        return {Kind::Key, text, {}}; // a key without a value
    }
    return {Kind::Key, Trim(text.substr(0, equals)), Unquote(Trim(text.substr(equals + 1)))};
}

// The line's content; a byte-order mark an editor put before the first line is no part of it.
std::string_view ContentOf(std::string_view text, const Line& line) {
    std::string_view content = text.substr(line.start, line.length);
    if (line.start == 0 && content.starts_with(Utf8Bom)) {
        content.remove_prefix(Utf8Bom.size());
    }
    return content;
}

ParsedLine ParseAt(std::string_view text, const std::vector<Line>& lines, std::size_t index) {
    return ParseLine(ContentOf(text, lines[index]));
}

std::optional<SectionSpan> FindSection(std::string_view text, const std::vector<Line>& lines,
                                       std::string_view section) {
    std::size_t header = 0;
    while (header < lines.size()) {
        const ParsedLine parsed = ParseAt(text, lines, header);
        if (parsed.kind == Kind::Section && EqualsNoCase(parsed.name, section)) {
            break;
        }
        ++header;
    }
    if (header == lines.size()) {
        return std::nullopt;
    }
    std::size_t end = header + 1;
    while (end < lines.size() && ParseAt(text, lines, end).kind != Kind::Section) {
        ++end;
    }
    return SectionSpan{header, end};
}

std::optional<std::size_t> FindKey(std::string_view text, const std::vector<Line>& lines,
                                   const SectionSpan& span, std::string_view key) {
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
        const ParsedLine parsed = ParseAt(text, lines, i);
        if (parsed.kind == Kind::Key && EqualsNoCase(parsed.name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

std::string_view LineBreakOf(std::string_view text, const std::vector<Line>& lines,
                             std::string_view newLineEnding) {
    for (const Line& line : lines) {
        if (line.breakLength != 0) {
            return text.substr(line.start + line.length, line.breakLength);
        }
    }
    return newLineEnding;
}

// The line that a new key of the section goes after: its last line that is not blank.
std::size_t LastFilledLine(std::string_view text, const std::vector<Line>& lines,
                           const SectionSpan& span) {
    std::size_t last = span.header;
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
        if (ParseAt(text, lines, i).kind != Kind::Blank) {
            last = i;
        }
    }
    return last;
}

// spelling is the key as the file writes it; it stays so.
std::string ReplaceValue(std::string_view text, const Line& line, std::string_view spelling,
                         std::string_view value) {
    std::string out(text.substr(0, line.start));
    out += spelling;
    out += '=';
    out += value;
    out += text.substr(line.start + line.length);
    return out;
}

std::string InsertAfter(std::string_view text, const Line& line, std::string_view newLines,
                        std::string_view lineBreak) {
    const std::size_t end = line.start + line.length + line.breakLength;
    std::string out(text.substr(0, end));
    if (line.breakLength == 0) {
        out += lineBreak;
    }
    out += newLines;
    out += text.substr(end);
    return out;
}

std::string AppendSection(std::string_view text, const std::vector<Line>& lines,
                          std::string_view section, std::string_view keyLine,
                          std::string_view lineBreak) {
    std::string out(text);
    if (!lines.empty()) {
        if (lines.back().breakLength == 0) {
            out += lineBreak;
        }
        if (ParseAt(text, lines, lines.size() - 1).kind != Kind::Blank) {
            out += lineBreak; // one blank line between sections, for whoever reads the file
        }
    }
    out += '[';
    out += section;
    out += ']';
    out += lineBreak;
    out += keyLine;
    return out;
}

} // namespace

std::optional<std::string> FindValue(std::string_view text, std::string_view section,
                                     std::string_view key) {
    const std::vector<Line> lines = SplitLines(text);
    const std::optional<SectionSpan> span = FindSection(text, lines, section);
    if (!span) {
        return std::nullopt;
    }
    const std::optional<std::size_t> index = FindKey(text, lines, *span, key);
    if (!index) {
        return std::nullopt;
    }
    return std::string(ParseAt(text, lines, *index).value);
}

std::string SetValue(std::string_view text, std::string_view section, std::string_view key,
                     std::string_view value, std::string_view newLineEnding) {
    const std::vector<Line> lines = SplitLines(text);
    const std::string_view lineBreak = LineBreakOf(text, lines, newLineEnding);
    const std::string keyLine =
        std::string(key) + "=" + std::string(value) + std::string(lineBreak);
    const std::optional<SectionSpan> span = FindSection(text, lines, section);
    if (!span) {
        return AppendSection(text, lines, section, keyLine, lineBreak);
    }
    if (const std::optional<std::size_t> index = FindKey(text, lines, *span, key)) {
        const std::string_view spelling = ParseAt(text, lines, *index).name;
        return ReplaceValue(text, lines[*index], spelling, value);
    }
    return InsertAfter(text, lines[LastFilledLine(text, lines, *span)], keyLine, lineBreak);
}

std::vector<std::string> SectionNames(std::string_view text) {
    const std::vector<Line> lines = SplitLines(text);
    std::vector<std::string> names;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ParsedLine parsed = ParseAt(text, lines, i);
        if (parsed.kind != Kind::Section) {
            continue;
        }
        const bool seen = std::any_of(names.begin(), names.end(), [&](const std::string& name) {
            return EqualsNoCase(name, parsed.name);
        });
        if (!seen) {
            names.emplace_back(parsed.name);
        }
    }
    return names;
}

std::string ReplaceSection(std::string_view text, std::string_view section,
                           const std::vector<std::pair<std::string, std::string>>& entries,
                           std::string_view newLineEnding) {
    const std::vector<Line> lines = SplitLines(text);
    const std::string_view lineBreak = LineBreakOf(text, lines, newLineEnding);
    std::string keyLines;
    for (const auto& [key, value] : entries) {
        keyLines += key + "=" + value + std::string(lineBreak);
    }
    const std::optional<SectionSpan> span = FindSection(text, lines, section);
    if (!span) {
        return AppendSection(text, lines, section, keyLines, lineBreak);
    }
    // The blank lines that part it from the next section stay.
    const Line& last = lines[LastFilledLine(text, lines, *span)];
    std::string out(text.substr(0, lines[span->header].start));
    out += '[';
    out += section;
    out += ']';
    out += lineBreak;
    out += keyLines;
    out += text.substr(last.start + last.length + last.breakLength);
    return out;
}

std::string RemoveSection(std::string_view text, std::string_view section) {
    const std::vector<Line> lines = SplitLines(text);
    const std::optional<SectionSpan> span = FindSection(text, lines, section);
    if (!span) {
        return std::string(text);
    }
    const std::size_t start = lines[span->header].start;
    const std::size_t end = span->end < lines.size() ? lines[span->end].start : text.size();
    return std::string(text.substr(0, start)) + std::string(text.substr(end));
}

} // namespace tillora::ini
