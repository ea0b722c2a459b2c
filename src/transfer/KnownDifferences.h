#pragma once

#include "link/EcrSettings.h"
#include "tables/CellGrid.h"
#include "tables/TableKind.h"
#include "transfer/KnownRegisterState.h"

#include <vector>

namespace tillora {

// The register the settings name: the digits of its serial and the model in force.
RegisterIdentity RegisterInSettings(const EcrSettings& settings);

// Sets the table up as its kind and reads into it what the register is known to hold; false
// when that is not known.
bool LoadKnownTable(const CKnownRegisterState& store, const RegisterIdentity& id, TableKind kind,
                    CCellGrid& table);

// The cells of the table whose values differ from the register's known state: those a
// changes-only send would carry (a changed field of a known row, every field of a row the
// register does not know). None when the model sends no such table.
std::vector<CCellID> CellsDifferingFromKnown(TableKind kind, const CCellGrid& table,
                                             const CCellGrid& known, int model);

} // namespace tillora
