#pragma once

#include "tables/CellRange.h"
#include "tables/GridAccess.h"

#include <string>
#include <string_view>

namespace tillora {

// The text rules of the grid's clipboard commands. The front end only moves these texts to and
// from the system clipboard, converting at its edge; here every text is Windows-1251 bytes.

// The copy text: the bounding rectangle of the selection row by row, one TAB between cells, one
// LF between rows and none after the last; an unselected cell inside the rectangle gives the
// empty text, hidden rows and columns are left out. Empty when nothing is selected.
std::string SelectionText(const IGridAccess& grid);

// Where a paste goes: the top-left cell of the selection, else the focus cell, else the first
// data cell in view.
CCellID PasteTarget(const IGridAccess& grid);

// Pastes the text from the target down and to the right: one line per visible row, one field per
// visible column, fields cut at TAB or comma and trimmed of white space, each set the way typed
// text is (read-only cells keep theirs). The grid never grows; what falls outside it is dropped.
// The selection becomes the pasted rectangle, which is returned; when nothing was pasted the
// selection stays and the range is invalid.
CCellRange PasteText(IGridAccess& grid, CCellID target, std::string_view text);

// Empties every selected editable cell, as the Delete key does.
void ClearSelectedCells(IGridAccess& grid);

// In an editable grid with a selection: the copy text, then the selected editable cells emptied.
// The empty text when nothing was done.
std::string CutSelection(IGridAccess& grid);

} // namespace tillora
