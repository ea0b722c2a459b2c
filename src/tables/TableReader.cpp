#include "tables/TableReader.h"

#include "link/Cp1251.h"
#include "link/FileReplace.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "tables/TableLine.h"
#include "tables/TableSetup.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <optional>

namespace tillora {
namespace {

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

// The length of the UTF-8 sequence starting at text[i], or 0 when none starts there: no overlong
// forms, no surrogates, nothing past U+10FFFF.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (i + length > text.size() || byte(i + 1) < low || byte(i + 1) > high) {
        return 0;
    }
    for (std::size_t k = 2; k < length; ++k) {
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) {
            return 0;
        }
    }
    return length;
}

// Valid UTF-8 with at least one multi-byte character. Windows-1251 Cyrillic text practically never
// passes: two Cyrillic letters in a row do not form a UTF-8 sequence.
bool IsMultiByteUtf8(std::string_view text) {
    bool multiByte = false;
    for (std::size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = Utf8SequenceLength(text, i);
        if (length == 0) {
            return false;
        }
        multiByte = true;
        i += length;
    }
    return multiByte;
}

// The file's bytes as far as they could be read; complete is false when a read failed.
struct FileContents {
    std::string text;
    bool complete = true;
};

std::optional<FileContents> ReadContents(const std::string& path) {
    std::ifstream in(Utf8Path(path), std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    FileContents contents;
    std::array<char, 65536> buffer{};
    while (in.read(buffer.data(), buffer.size()) || in.gcount() > 0) {
        contents.text.append(buffer.data(), static_cast<std::size_t>(in.gcount()));
    }
    contents.complete = !in.bad();
    return contents;
}

} // namespace

std::string TableTextAsCp1251(std::string_view text) {
    if (text.starts_with(Utf8Bom)) {
        return Utf8ToCp1251(text.substr(Utf8Bom.size()));
    }
    return IsMultiByteUtf8(text) ? Utf8ToCp1251(text) : std::string(text);
}

// The file is opened before the table is emptied, so that a file that cannot be read leaves the
// user's table as it was. A line is taken whole, however long.
bool TableReader::ReadTableFile(const std::string& path, IFeedback& feedback) {
    CWaitCursor waitCursor(feedback);
    std::optional<FileContents> contents = ReadContents(path);
    if (!contents) {
        ShowError(feedback, ids::FileNotOpenedForReading, path.c_str());
        return false;
    }
    ClearTable(m_grid.Cells());
    m_zeroBasedRows = StartsAtZero();
    std::string_view text = contents->text;
    if (!contents->complete) {
        text = text.substr(0, text.rfind('\n') + 1); // the lines read whole before the failure
    }
    const std::string converted = TableTextAsCp1251(text);
    int lineNumber = 0;
    for (std::string_view rest = converted; !rest.empty();) {
        const std::size_t end = std::min(rest.find('\n'), rest.size() - 1);
        ReadLine(rest.substr(0, end + 1));
        rest.remove_prefix(end + 1);
        ++lineNumber;
    }
    m_grid.Redraw();
    if (!contents->complete) {
        ShowError(feedback, ids::LineNotRead, lineNumber + 1);
        return false;
    }
    return true;
}

bool TableReader::OpenTableFile(const std::string& path, int filterIndex, IFeedback& feedback) {
    if (!ReadTableFile(path, feedback)) {
        return false;
    }
    m_filterIndex = filterIndex;
    m_pathName = path;
    m_fileName = PathToUtf8(Utf8Path(path).filename());
    return true;
}

void TableReader::ReadLine(std::string_view line) {
    int row = ParseRowNumber(line);
    if (row < 0) {
        return;
    }
    if (row == 0) {
        m_zeroBasedRows = true;
    }
    if (m_zeroBasedRows) {
        ++row;
    }
    const CCellGrid& cells = m_grid.Cells();
    if (row < cells.GetFixedRowCount() || row >= cells.GetRowCount()) {
        return;
    }
    const std::string_view fields = CutLineEnd(line);
    const int columns = std::min(FieldCount(line), cells.GetColumnCount());
    for (int c = cells.GetFixedColumnCount(); c < columns; ++c) {
        m_grid.SetItemText(row, c, GetField(fields, c));
    }
}

bool TableReader::StartsAtZero() const {
    return ParseRowNumber(m_grid.GetItemText(1, 0)) == 0;
}

} // namespace tillora
