#pragma once

#include "tables/CellGrid.h"
#include "tables/TableKind.h"

#include <string>

namespace tillora {

// The shape of each table: N data rows under the header row, K columns with the label column.
struct TableShape {
    int dataRows;
    int columns;
    int firstLabel; // the label of grid row 1: 0 in the two subgroup tables, else 1
    bool editable;
    Colour shading; // of every second data row
};
const TableShape& ShapeOf(TableKind kind);

// The label of a data row as column 0 shows it and the files carry it.
int RowLabel(TableKind kind, int row);

// Builds the table in the grid: size, labels, header texts, cell classes, alignments, shading,
// editability and column widths. Company also gets its flag column for the model in force.
void SetupTable(CCellGrid& grid, TableKind kind);

// Shows the Company table's flag column for models 0 and 1 (and for none chosen), hides it for
// the others; its cells keep their values.
void ApplyModelColumns(CCellGrid& company, int model);

// The class of a data column's cells and its header text (UTF-8; "B" for the flag column), for
// whatever fills a table without a grid at hand; a column the table lacks gives CGridCell and "".
const CellClass& ColumnClass(TableKind kind, int column);
std::string ColumnHeader(TableKind kind, int column);

// Empties every data cell (rows 1 to N, columns 1 to K-1); a flag cell reads "0" again.
void ClearTable(CCellGrid& grid);

// The tab caption: the table's name, with the file name when there is one.
std::string TabCaption(TableKind kind, const std::string& fileName);

} // namespace tillora
