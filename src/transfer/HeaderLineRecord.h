#pragma once

#include "tables/GridAccess.h"
#include "transfer/SendPlan.h"

#include <cstddef>
#include <string>

namespace tillora {

// The company table's record ("w"): header line r in grid row r, 1 to 6. Only the text is looked
// at; the flag of models 0 and 1 goes with it as it stands.
namespace headerline {
inline constexpr int Text = 1;
inline constexpr int Flag = 2;
inline constexpr int Rows = 6;
} // namespace headerline

// The text's width in the record, also the longest line the checks let through.
std::size_t HeaderLineWidth(int model);

// The flag (or, for the models that hide it, "0"), the text and "*".
RecordLayout HeaderLineLayout(int model);

SendPlan HeaderLineSendPlan(int model);

// The payload of the row after the kind letter: the line number and the fields.
std::string HeaderLinePayload(const IGridAccess& grid, int row, SendScope scope, int model);

} // namespace tillora
