#pragma once

#include "tables/GridAccess.h"
#include "transfer/SendPlan.h"

#include <string>

namespace tillora {

// The operators table's record ("o"): operator r in grid row r, 1 to 9, the same for every
// model. Only the name is looked at, so a sent record never holds a no-value field.
namespace operators {
inline constexpr int Name = 1;
inline constexpr int Rows = 9;
inline constexpr std::size_t NameWidth = 12;
} // namespace operators

RecordLayout OperatorLayout();

SendPlan OperatorSendPlan();

// The payload of the row after the kind letter: the operator number and the fields.
std::string OperatorPayload(const IGridAccess& grid, int row, SendScope scope, int model);

} // namespace tillora
