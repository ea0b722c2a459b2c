#pragma once

#include "sim/SimTables.h"
#include "tables/CellGrid.h"
#include "tables/TableKind.h"

#include <array>
#include <string>

namespace tillora::sim {

// The four tables a register is programmed with, the ones it can load and save.
inline constexpr std::array<TableKind, 4> SimTableKinds = ProgrammedTables;

// The file a saved table goes to in a folder: articles.txt, operators.txt, subgroups.txt,
// company.txt.
std::string SimTableFileName(TableKind kind);

// The table's grid (as the program sets it up) with what the register holds, in the cells' own
// forms; the tax groups as the model's letters.
void FillTableGrid(const SimTables& tables, int model, TableKind kind, CCellGrid& grid);
// Replaces the register's table by the grid's rows, as if they had been sent to it: texts cut to
// the model's fields and through its character set, the barcode cut to twelve digits. An article
// row is held when any of its cells holds something. False with the reason in error when a price
// or a stock is beyond what the register holds (999999.99, 999999.999).
bool TakeTableGrid(SimTables& tables, int model, TableKind kind, const CCellGrid& grid,
                   std::string& error);

// A table file read into the register's table, or the register's table written as a table file.
// False with the reason in error; the tables are then as they were.
bool LoadSimTable(SimTables& tables, int model, TableKind kind, const std::string& path,
                  std::string& error);
bool SaveSimTable(const SimTables& tables, int model, TableKind kind, const std::string& path,
                  std::string& error);
// All four tables into the folder, which is made when it is missing.
bool SaveSimTables(const SimTables& tables, int model, const std::string& folder,
                   std::string& error);

} // namespace tillora::sim
