#pragma once

#include "tables/CellGrid.h"
#include "transfer/SendPlan.h"

#include <string>
#include <vector>

namespace tillora {

// A cell whose value would reach the register differently from what the register holds.
struct ChangedCell {
    int column;
    std::string known; // empty when the register's value for it is not known
    std::string now;
};

// A row to send to bring the register up to the table.
struct ChangedRow {
    int row;
    bool isNew;     // the register does not know the row
    bool sendWhole; // goes as a whole-table run sends it; else only its changed cells
    std::vector<ChangedCell> cells;
};

// How a table differs from what the register holds.
struct TableChanges {
    std::vector<ChangedRow> rows; // in ascending order
    // Rows the register knows that are empty in the table: a send never empties a register's
    // row, so they are left alone.
    std::vector<int> keptRows;

    unsigned NewRows() const;
};

// The rows of the table whose records would differ from the known state under the model. Cells
// are compared as the register would receive them (a name by its field in the register's
// character set, a tax group by its digit), and only the fields the model's record carries. An
// empty cell is no change: a whole-table run sends it as the no-value field, so the register
// keeps what it has. A row the register does not know goes whole, as send all sends it; so does
// a row whose flag changed, since a flag is always sent with its line's text.
TableChanges FindChangedRows(const SendPlan& plan, const CCellGrid& table, const CCellGrid& known,
                             int model);

// What the register holds once it has confirmed records: the known state takes the cells that
// were sent with a value. A selected empty cell sent with its default becomes unknown.
void TakeSentCells(const SendPlan& plan, SendScope scope, const IGridAccess& grid,
                   CCellGrid& known);
void TakeChangedCells(const SendPlan& plan, const TableChanges& changes, const CCellGrid& table,
                      CCellGrid& known);

// The articles as a report read them: columns 1 to 7 of every row the report filled. A complete
// report replaces the known articles; one that broke off renews only the rows it brought.
void TakeReportedArticles(const CCellGrid& report, bool complete, CCellGrid& known);

} // namespace tillora
