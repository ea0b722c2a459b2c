#include "tables/TableReader.h"

#include "link/FileReplace.h"
#include "link/Message.h"
#include "link/TextDecoding.h"
#include "res/StringIds.h"
#include "tables/TableLine.h"
#include "tables/TableSetup.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <optional>
#include <set>
#include <vector>

namespace tillora {
namespace {

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

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool HasText(std::string_view text) {
    return !std::all_of(text.begin(), text.end(), IsBlank);
}

// The lines of the text, each with its line end; a last line may have none.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size() - 1);
        lines.push_back(text.substr(0, end + 1));
        text.remove_prefix(end + 1);
    }
    return lines;
}

// A file that gives the table nothing: a spreadsheet's comma- or semicolon-separated export gets
// a message of its own, since that is the usual cause.
unsigned NothingTakenMessage(const std::vector<std::string_view>& lines) {
    bool tab = false;
    bool separator = false;
    for (std::string_view line : lines) {
        tab = tab || line.find('\t') != std::string_view::npos;
        separator = separator || line.find_first_of(",;") != std::string_view::npos;
    }
    return separator && !tab ? ids::FileHasNoTableRowSeparated : ids::FileHasNoTableRow;
}

} // namespace

// Every line is placed before the table is touched, so that a file that cannot be read, or that
// gives the table nothing, leaves the user's table as it was. A line is taken whole, however long.
bool TableReader::ReadTableFile(const std::string& path, IFeedback& feedback) {
    CWaitCursor waitCursor(feedback);
    m_lastRead = {};
    std::optional<FileContents> contents = ReadContents(path);
    if (!contents) {
        ShowError(feedback, ids::FileNotOpenedForReading, path.c_str());
        return false;
    }
    m_lastRead.opened = true;
    std::string_view text = contents->text;
    if (!contents->complete) {
        text = text.substr(0, text.rfind('\n') + 1); // the lines read whole before the failure
    }
    const std::string converted = TextAsCp1251(text);
    const std::vector<std::string_view> lines = SplitLines(converted);

    struct Placed {
        int row;
        std::size_t line;
    };
    std::vector<Placed> placed;
    m_zeroBasedRows = StartsAtZero();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int row = TargetRow(lines[i]);
        if (row >= 0) {
            placed.push_back({row, i});
        } else if (HasText(lines[i])) {
            m_lastRead.NoteSkipped(static_cast<int>(i) + 1);
        }
    }
    m_lastRead.linesRead = static_cast<int>(lines.size());
    if (placed.empty() && HasText(converted) && contents->complete) {
        ShowError(feedback, NothingTakenMessage(lines), path.c_str());
        return false;
    }

    std::set<int> rows;
    {
        // The whole read is one step that undo takes back.
        CEditStep step(m_grid.Cells(), EditKind::TableLoad);
        ClearTable(m_grid.Cells());
        for (const Placed& p : placed) {
            SetFields(p.row, lines[p.line], static_cast<int>(p.line) + 1);
            rows.insert(p.row);
        }
    }
    m_lastRead.rowsFilled = static_cast<int>(rows.size());
    m_grid.Redraw();
    if (!contents->complete) {
        ShowError(feedback, ids::LineNotRead, static_cast<int>(lines.size()) + 1);
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
    const int row = TargetRow(line);
    if (row >= 0) {
        SetFields(row, line, 0);
    }
}

int TableReader::TargetRow(std::string_view line) {
    int row = ParseRowNumber(line);
    if (row < 0) {
        return -1;
    }
    if (row == 0) {
        m_zeroBasedRows = true;
    }
    if (m_zeroBasedRows) {
        ++row;
    }
    const CCellGrid& cells = m_grid.Cells();
    if (row < cells.GetFixedRowCount() || row >= cells.GetRowCount()) {
        return -1;
    }
    return row;
}

void TableReader::SetFields(int row, std::string_view line, int lineNumber) {
    const CCellGrid& cells = m_grid.Cells();
    const std::string_view fields = CutLineEnd(line);
    const int columns = std::min(FieldCount(line), cells.GetColumnCount());
    for (int c = cells.GetFixedColumnCount(); c < columns; ++c) {
        const std::string_view field = GetField(fields, c);
        m_grid.SetItemText(row, c, field);
        if (lineNumber > 0 && HasText(field) && m_grid.GetItemText(row, c).empty()) {
            m_lastRead.NoteRefused(lineNumber, c, std::string(field));
        }
    }
}

bool TableReader::StartsAtZero() const {
    return ParseRowNumber(m_grid.GetItemText(1, 0)) == 0;
}

} // namespace tillora
