#pragma once

#include "tables/GridAccess.h"
#include "transfer/RecordLayout.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tillora {

// A rule of the checks made before the port is opened: the cell's text may be at most maxLength
// bytes long. Broken, it shows the message and puts the focus on the cell.
struct LengthRule {
    int column;
    std::size_t maxLength;
    unsigned messageId;
};

// Everything a send run needs to know of one table under one model.
struct SendPlan {
    char letter;          // the record kind
    int rowCount;         // the grid rows 1 to rowCount are covered
    int numberOffset = 0; // added to the row for the number behind the letter
    int numberDigits = 0; // leading zeros up to this many digits; 0 for none
    RecordLayout layout;
    std::vector<int> sendColumns;          // a whole-table run skips a row empty in all of them
    std::vector<int> selectableColumns;    // a selected-cells run skips a row selected in none
    std::vector<int> checkColumns;         // the cells the selected-cells check looks at
    std::vector<LengthRule> tableRules;    // whole-table check, each rule over all rows in turn
    std::vector<LengthRule> selectedRules; // pass 1 of the selected-cells check
    unsigned selectedFinalText;            // status text after a selected-cells run
};

// The number behind the kind letter for the grid row.
std::string RecordNumber(const SendPlan& plan, int row);

// Whether the row sends nothing in the scope.
bool IsRowSkipped(const SendPlan& plan, SendScope scope, const IGridAccess& grid, int row);

// The rows the run will send.
unsigned CountRowsToSend(const SendPlan& plan, SendScope scope, const IGridAccess& grid);

} // namespace tillora
