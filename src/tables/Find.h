#pragma once

#include "tables/CellRange.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tillora {

class IFeedback;
class IGridAccess;

// The longest search text the find dialog takes, in characters (Windows-1251 bytes).
inline constexpr std::size_t MaxSearchTextLength = 50;

// The last search, one for the whole run and all six tables: find writes it, find next and find
// previous read it, so that after a change of table they search the new one for the same text.
struct LastSearch {
    std::string text; // Windows-1251, at most MaxSearchTextLength bytes
    bool matchCase = false;
    bool selectedOnly = false;
};

// The window's one record, never reset.
LastSearch& TheLastSearch();

// The letter in small case: Latin and Cyrillic letters of Windows-1251 alike; every other byte as
// it is.
unsigned char FoldCase(unsigned char byte);

// Whether the cell text contains the search text. With matchCase the bytes must be equal; without,
// letters are compared without regard to case. The empty search text is in every text.
bool TextMatches(std::string_view cellText, std::string_view searchText, bool matchCase);

// The first selected data cell (rows 1 to N, within each row columns 1 to K-1), none when nothing
// there is selected.
std::optional<CCellID> FirstSelectedCell(const IGridAccess& grid);

// The scans over the data cells, from the start cell (which is examined) to the end or back to the
// start of the table, never wrapping around. With selectedOnly a cell that is not selected is
// skipped, and so is a hidden row or column always. A found cell is scrolled into view and made
// the focus cell; otherwise the message of the end (20048, 20049) or of the start (20051, 20052)
// is shown. Either way the grid then gets the keyboard focus. True on a find.
bool SearchForward(IGridAccess& grid, IFeedback& feedback, std::string_view text, bool matchCase,
                   bool selectedOnly, int startRow, int startColumn);
bool SearchBackward(IGridAccess& grid, IFeedback& feedback, std::string_view text, bool matchCase,
                    bool selectedOnly, int startRow, int startColumn);

// Find (57636) after its dialog was confirmed: the text goes into the last search, empty or not;
// an empty text is refused with 20050. Otherwise the options go in too and the table is searched
// from its first cell, or from its first selected cell when only selected cells are searched.
bool FindFirst(IGridAccess& grid, IFeedback& feedback, LastSearch& last, std::string_view text,
               bool matchCase, bool selectedOnly);

// Find next (32785, F3) and find previous (32786, Alt+F3): the last search again, from the cell
// after or before the focus cell. 20050 when there has been no text to search for.
bool FindNext(IGridAccess& grid, IFeedback& feedback, const LastSearch& last);
bool FindPrevious(IGridAccess& grid, IFeedback& feedback, const LastSearch& last);

} // namespace tillora
