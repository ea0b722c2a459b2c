#pragma once

#include "tables/GridAccess.h"

#include <optional>
#include <string>
#include <string_view>

namespace tillora {

// The status pane that follows the focus cell: "Ред: %u, Кол: %u, Дълж: %u" with the grid row,
// grid column and the length of the cell's text, or of the in-place editor's text (Windows-1251)
// while one is open. None when there is no focus cell: the pane then keeps what it showed.
std::optional<std::string> FocusPaneText(const IGridAccess& grid,
                                         const std::string* editorText = nullptr);

// The editor's text was always read into a 256-byte buffer, so its length shows at most 255.
inline constexpr std::size_t MaxEditorLength = 255;

// The longest text the focus pane can show (the last row and column of the largest table), so
// that the pane can be as wide from the start and not jump while the focus moves.
std::string WidestFocusPaneText();

// The status-bar line (UTF-8) naming a typed or pasted value that a cell refused: the grid row,
// the column by its header and the value as given (Windows-1251).
std::string RefusedValueText(const IGridAccess& grid, int row, int column, std::string_view text);

} // namespace tillora
