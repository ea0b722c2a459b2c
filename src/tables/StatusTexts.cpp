#include "tables/StatusTexts.h"

#include "link/Cp1251.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "tables/TableSetup.h"

#include <algorithm>

namespace tillora {

std::optional<std::string> FocusPaneText(const IGridAccess& grid, const std::string* editorText) {
    const CCellID focus = grid.GetFocusCell();
    if (focus.row < 0 || focus.col < 0) {
        return std::nullopt;
    }
    const std::size_t length = editorText != nullptr
                                   ? std::min(editorText->size(), MaxEditorLength)
                                   : grid.GetItemText(focus.row, focus.col).size();
    return FormatMessage(ids::RowColLength, static_cast<unsigned>(focus.row),
                         static_cast<unsigned>(focus.col), static_cast<unsigned>(length));
}

std::string WidestFocusPaneText() {
    int rows = 0;
    int columns = 0;
    for (TableKind kind : AllTables) {
        rows = std::max(rows, ShapeOf(kind).dataRows);
        columns = std::max(columns, ShapeOf(kind).columns - 1);
    }
    return FormatMessage(ids::RowColLength, static_cast<unsigned>(rows),
                         static_cast<unsigned>(columns), static_cast<unsigned>(MaxEditorLength));
}

std::string RefusedValueText(const IGridAccess& grid, int row, int column, std::string_view text) {
    const std::string header = Cp1251ToUtf8(grid.GetItemText(0, column));
    const std::string value = Cp1251ToUtf8(text);
    return FormatMessage(ids::ValueRefused, row, header.c_str(), value.c_str());
}

} // namespace tillora
