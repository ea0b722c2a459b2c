#include "tables/SheetText.h"

#include "link/Message.h"
#include "res/StringIds.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <map>

namespace tillora {
namespace {

constexpr int LinesLookedAt = 20;

// Splits delimited text into rows, one character at a time.
class SheetTextParser {
public:
    SheetTextParser(std::string_view text, char separator) : m_text(text), m_separator(separator) {}

    void ReadInto(SheetData& out) {
        while (m_pos < m_text.size()) {
            SheetRow row = ReadRow();
            const bool blank = row.cells.size() == 1 && row.cells[0].text.empty();
            if (!blank) {
                out.rows.push_back(std::move(row));
            }
        }
    }

private:
    SheetRow ReadRow() {
        SheetRow row;
        row.line = m_line;
        while (true) {
            row.cells.push_back({ReadCell(), std::nullopt});
            if (m_pos >= m_text.size()) {
                return row;
            }
            if (m_text[m_pos] == m_separator) {
                ++m_pos;
                continue;
            }
            SkipLineEnd();
            return row;
        }
    }

    std::string ReadCell() {
        if (m_pos < m_text.size() && m_text[m_pos] == '"') {
            const std::size_t start = m_pos;
            const int line = m_line;
            if (std::optional<std::string> quoted = ReadQuoted()) {
                return *quoted + ReadPlain(); // anything after the closing quote is kept as well
            }
            m_pos = start; // never closed: the quote is an ordinary character
            m_line = line;
        }
        return ReadPlain();
    }

    // From an opening quote to its closing one; none when the text ends first.
    std::optional<std::string> ReadQuoted() {
        std::string cell;
        ++m_pos;
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos++];
            if (c != '"') {
                CountLine(c);
                cell += c;
            } else if (m_pos < m_text.size() && m_text[m_pos] == '"') {
                cell += '"';
                ++m_pos;
            } else {
                return cell;
            }
        }
        return std::nullopt;
    }

    std::string ReadPlain() {
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && m_text[m_pos] != m_separator && m_text[m_pos] != '\n' &&
               m_text[m_pos] != '\r') {
            ++m_pos;
        }
        return std::string(m_text.substr(start, m_pos - start));
    }

    // CR LF, LF or CR alone.
    void SkipLineEnd() {
        if (m_text[m_pos] == '\r' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '\n') {
            ++m_pos;
        }
        ++m_pos;
        ++m_line;
    }

    // A line end inside quotes: LF counts, and a CR not followed by LF.
    void CountLine(char c) {
        if (c == '\n' || (c == '\r' && (m_pos >= m_text.size() || m_text[m_pos] != '\n'))) {
            ++m_line;
        }
    }

    std::string_view m_text;
    char m_separator;
    std::size_t m_pos = 0;
    int m_line = 1;
};

// How many of each separator every one of the first lines holds outside quotes.
std::vector<std::array<int, TextSeparators.size()>> SeparatorCounts(std::string_view text) {
    std::vector<std::array<int, TextSeparators.size()>> lines(1);
    bool quoted = false;
    for (std::size_t i = 0; i < text.size() && lines.size() <= LinesLookedAt; ++i) {
        const char c = text[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && (c == '\n' || c == '\r')) {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            lines.emplace_back();
        } else if (!quoted) {
            const auto found = std::ranges::find(TextSeparators, c, &NamedSeparator::separator);
            if (found != TextSeparators.end()) {
                ++lines.back()[static_cast<std::size_t>(found - TextSeparators.begin())];
            }
        }
    }
    return lines;
}

} // namespace

// A separator scores by the lines that hold it as often as most lines do: a decimal comma in a
// semicolon file varies from line to line where the semicolons do not.
char DetectSeparator(std::string_view text) {
    const auto lines = SeparatorCounts(text);
    char best = '\t';
    int bestScore = 0;
    for (std::size_t s = 0; s < TextSeparators.size(); ++s) {
        std::map<int, int> linesWithCount;
        for (const auto& line : lines) {
            if (line[s] > 0) {
                ++linesWithCount[line[s]];
            }
        }
        int score = 0;
        for (const auto& [count, howMany] : linesWithCount) {
            score = std::max(score, howMany);
        }
        if (score > bestScore) {
            best = TextSeparators[s].separator;
            bestScore = score;
        }
    }
    return best;
}

TextSheetFormat ReadTextSheet(std::string_view bytes, const TextSheetOptions& options,
                              SheetData& out) {
    TextSheetFormat format;
    format.encoding = options.encoding.value_or(DetectTextEncoding(bytes));
    const std::string text = TextAsCp1251(bytes, format.encoding);
    format.separator = options.separator != 0 ? options.separator : DetectSeparator(text);
    out.rows.clear();
    SheetTextParser(text, format.separator).ReadInto(out);
    return format;
}

bool ReadTextSheetFile(const std::string& path, const TextSheetOptions& options, SheetData& out,
                       TextSheetFormat& format, std::string& errorUtf8) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        errorUtf8 = FormatMessage(ids::FileNotOpenedForReading, path.c_str());
        return false;
    }
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        errorUtf8 = FormatMessage(ids::FileNotOpenedForReading, path.c_str());
        return false;
    }
    format = ReadTextSheet(bytes, options, out);
    return true;
}

std::string_view EncodingName(TextEncoding encoding) {
    const auto found = std::ranges::find(TextEncodings, encoding, &NamedEncoding::encoding);
    return found != TextEncodings.end() ? found->name : std::string_view();
}

std::optional<TextEncoding> EncodingFromName(std::string_view name) {
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const auto found = std::ranges::find(TextEncodings, lower, &NamedEncoding::name);
    if (found != TextEncodings.end()) {
        return found->encoding;
    }
    const std::map<std::string, TextEncoding, std::less<>> otherNames = {
        {"cp1251", TextEncoding::Cp1251},
        {"1251", TextEncoding::Cp1251},
        {"utf8", TextEncoding::Utf8},
        {"utf-16", TextEncoding::Utf16Le}};
    const auto other = otherNames.find(lower);
    return other != otherNames.end() ? std::optional(other->second) : std::nullopt;
}

std::string_view SeparatorName(char separator) {
    const auto found = std::ranges::find(TextSeparators, separator, &NamedSeparator::separator);
    return found != TextSeparators.end() ? found->name : std::string_view("?");
}

std::optional<char> SeparatorFromName(std::string_view name) {
    const auto found = std::ranges::find(TextSeparators, name, &NamedSeparator::name);
    if (found != TextSeparators.end()) {
        return found->separator;
    }
    if (name == "\\t" || name == "\t") {
        return '\t';
    }
    if (name == "semicolon") {
        return ';';
    }
    if (name == "comma") {
        return ',';
    }
    return std::nullopt;
}

} // namespace tillora
