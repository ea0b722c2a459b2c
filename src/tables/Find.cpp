#include "tables/Find.h"

#include "link/Message.h"
#include "res/StringIds.h"
#include "tables/GridAccess.h"

#include <algorithm>
#include <array>

namespace tillora {
namespace {

// Windows-1251's capital letters and their small ones: Latin A-Z, Cyrillic А-Я, and the letters
// of the other Cyrillic alphabets that the code page holds.
constexpr std::array<unsigned char, 256> FoldTable() {
    std::array<unsigned char, 256> table{};
    for (int byte = 0; byte < 256; ++byte) {
        table[static_cast<std::size_t>(byte)] = static_cast<unsigned char>(byte);
    }
    for (int byte = 'A'; byte <= 'Z'; ++byte) {
        table[static_cast<std::size_t>(byte)] = static_cast<unsigned char>(byte + ('a' - 'A'));
    }
    for (int byte = 0xC0; byte <= 0xDF; ++byte) {
        table[static_cast<std::size_t>(byte)] = static_cast<unsigned char>(byte + 0x20);
    }
    constexpr unsigned char others[][2] = {
        {0x80, 0x90}, // Ђ ђ
        {0x81, 0x83}, // Ѓ ѓ
        {0x8A, 0x9A}, // Љ љ
        {0x8C, 0x9C}, // Њ њ
        {0x8D, 0x9D}, // Ќ ќ
        {0x8E, 0x9E}, // Ћ ћ
        {0x8F, 0x9F}, // Џ џ
        {0xA1, 0xA2}, // Ў ў
        {0xA3, 0xBC}, // Ј ј
        {0xA5, 0xB4}, // Ґ ґ
        {0xA8, 0xB8}, // Ё ё
        {0xAA, 0xBA}, // Є є
        {0xAF, 0xBF}, // Ї ї
        {0xB2, 0xB3}, // І і
        {0xBD, 0xBE}, // Ѕ ѕ
    };
    for (const auto& pair : others) {
        table[pair[0]] = pair[1];
    }
    return table;
}

constexpr std::array<unsigned char, 256> Folded = FoldTable();

bool SameLetter(char a, char b) {
    return Folded[static_cast<unsigned char>(a)] == Folded[static_cast<unsigned char>(b)];
}

// The data cells are rows 1 to N and columns 1 to K-1: the header row and the label column are
// never searched.
int LastDataRow(const IGridAccess& grid) {
    return grid.GetRowCount() - 1;
}

int LastDataColumn(const IGridAccess& grid) {
    return grid.GetColumnCount() - 1;
}

bool Examined(const IGridAccess& grid, int row, int column, bool selectedOnly) {
    const CCellGrid& cells = grid.Cells();
    if (cells.GetRowHeight(row) <= 0 || cells.GetColumnWidth(column) <= 0) {
        return false;
    }
    return !selectedOnly || grid.IsCellSelected(row, column);
}

bool IsMatch(const IGridAccess& grid, int row, int column, std::string_view text, bool matchCase,
             bool selectedOnly) {
    return Examined(grid, row, column, selectedOnly) &&
           TextMatches(grid.GetItemText(row, column), text, matchCase);
}

std::optional<CCellID> ScanForward(const IGridAccess& grid, std::string_view text, bool matchCase,
                                   bool selectedOnly, int startRow, int startColumn) {
    const int lastRow = LastDataRow(grid);
    const int lastColumn = LastDataColumn(grid);
    for (int row = std::max(startRow, 1); row <= lastRow; ++row) {
        const int first = row == startRow ? std::max(startColumn, 1) : 1;
        for (int column = first; column <= lastColumn; ++column) {
            if (IsMatch(grid, row, column, text, matchCase, selectedOnly)) {
                return CCellID{row, column};
            }
        }
    }
    return std::nullopt;
}

std::optional<CCellID> ScanBackward(const IGridAccess& grid, std::string_view text, bool matchCase,
                                    bool selectedOnly, int startRow, int startColumn) {
    const int lastColumn = LastDataColumn(grid);
    for (int row = std::min(startRow, LastDataRow(grid)); row >= 1; --row) {
        const int first = row == startRow ? std::min(startColumn, lastColumn) : lastColumn;
        for (int column = first; column >= 1; --column) {
            if (IsMatch(grid, row, column, text, matchCase, selectedOnly)) {
                return CCellID{row, column};
            }
        }
    }
    return std::nullopt;
}

// The scan runs under the wait cursor; a message comes after it, with the normal cursor over the
// box.
template <typename Scan>
bool Search(IGridAccess& grid, IFeedback& feedback, unsigned notFound, Scan scan) {
    std::optional<CCellID> found;
    {
        const CWaitCursor wait(feedback);
        found = scan();
    }
    if (found) {
        grid.EnsureVisible(found->row, found->col);
        grid.SetFocusCell(found->row, found->col);
    } else {
        feedback.ShowMessage(notFound, FormatMessage(notFound), MessageIcon::Information);
    }
    grid.SetFocus();
    return found.has_value();
}

unsigned EndMessage(bool selectedOnly) {
    return selectedOnly ? ids::SearchReachedSelectionEnd : ids::SearchReachedTableEnd;
}

unsigned StartMessage(bool selectedOnly) {
    return selectedOnly ? ids::SearchReachedSelectionStart : ids::SearchReachedTableStart;
}

// The search with nothing to search for.
bool RefuseEmptyText(IGridAccess& grid, IFeedback& feedback) {
    ShowError(feedback, ids::NoSearchText);
    grid.SetFocus();
    return false;
}

// The end or the start is reached before any cell was examined.
bool ReportWithoutSearch(IGridAccess& grid, IFeedback& feedback, unsigned id) {
    feedback.ShowMessage(id, FormatMessage(id), MessageIcon::Information);
    grid.SetFocus();
    return false;
}

} // namespace

LastSearch& TheLastSearch() {
    static LastSearch last;
    return last;
}

unsigned char FoldCase(unsigned char byte) {
    return Folded[byte];
}

bool TextMatches(std::string_view cellText, std::string_view searchText, bool matchCase) {
    if (matchCase || searchText.empty()) {
        return cellText.find(searchText) != std::string_view::npos;
    }
    return std::search(cellText.begin(), cellText.end(), searchText.begin(), searchText.end(),
                       SameLetter) != cellText.end();
}

std::optional<CCellID> FirstSelectedCell(const IGridAccess& grid) {
    const int lastRow = LastDataRow(grid);
    const int lastColumn = LastDataColumn(grid);
    if (grid.GetSelectedCount() == 0) {
        return std::nullopt;
    }
    for (int row = 1; row <= lastRow; ++row) {
        for (int column = 1; column <= lastColumn; ++column) {
            if (grid.IsCellSelected(row, column)) {
                return CCellID{row, column};
            }
        }
    }
    return std::nullopt;
}

bool SearchForward(IGridAccess& grid, IFeedback& feedback, std::string_view text, bool matchCase,
                   bool selectedOnly, int startRow, int startColumn) {
    return Search(grid, feedback, EndMessage(selectedOnly), [&] {
        return ScanForward(grid, text, matchCase, selectedOnly, startRow, startColumn);
    });
}

bool SearchBackward(IGridAccess& grid, IFeedback& feedback, std::string_view text, bool matchCase,
                    bool selectedOnly, int startRow, int startColumn) {
    return Search(grid, feedback, StartMessage(selectedOnly), [&] {
        return ScanBackward(grid, text, matchCase, selectedOnly, startRow, startColumn);
    });
}

bool FindFirst(IGridAccess& grid, IFeedback& feedback, LastSearch& last, std::string_view text,
               bool matchCase, bool selectedOnly) {
    last.text = std::string(text.substr(0, MaxSearchTextLength));
    if (last.text.empty()) {
        return RefuseEmptyText(grid, feedback);
    }
    last.matchCase = matchCase;
    last.selectedOnly = selectedOnly;
    CCellID start{1, 1};
    if (selectedOnly) {
        start = FirstSelectedCell(grid).value_or(start);
    }
    return SearchForward(grid, feedback, last.text, matchCase, selectedOnly, start.row, start.col);
}

bool FindNext(IGridAccess& grid, IFeedback& feedback, const LastSearch& last) {
    if (last.text.empty()) {
        return RefuseEmptyText(grid, feedback);
    }
    CCellID start{1, 1};
    if (const CCellID focus = grid.GetFocusCell(); focus.IsValid()) {
        const int columns = grid.GetColumnCount();
        start = {focus.row, columns > 0 ? (focus.col + 1) % columns : 0};
        if (start.col == 0) {
            start = {start.row + 1, 1};
        }
    }
    if (start.row > LastDataRow(grid)) {
        return ReportWithoutSearch(grid, feedback, EndMessage(last.selectedOnly));
    }
    return SearchForward(grid, feedback, last.text, last.matchCase, last.selectedOnly, start.row,
                         start.col);
}

bool FindPrevious(IGridAccess& grid, IFeedback& feedback, const LastSearch& last) {
    if (last.text.empty()) {
        return RefuseEmptyText(grid, feedback);
    }
    // Without a focus cell (-1, -1) this gives a row before the first: the start is reached.
    const CCellID focus = grid.GetFocusCell();
    CCellID start{focus.row, focus.col - 1};
    if (start.col <= 0) {
        start = {start.row - 1, LastDataColumn(grid)};
    }
    if (start.row < 1) {
        return ReportWithoutSearch(grid, feedback, StartMessage(last.selectedOnly));
    }
    return SearchBackward(grid, feedback, last.text, last.matchCase, last.selectedOnly, start.row,
                          start.col);
}

} // namespace tillora
