#pragma once

#include "tables/GridAccess.h"
#include "transfer/SendPlan.h"

#include <cstddef>
#include <string>

namespace tillora {

// The subgroups table's record ("y"): subgroup r - 1 in grid row r, 1 to 10.
namespace subgroup {
inline constexpr int Name = 1;
inline constexpr int Price = 2;
inline constexpr int TaxGroup = 3;
inline constexpr int Rows = 10;
} // namespace subgroup

// The name's width in the record, also the longest name the checks let through.
std::size_t SubgroupNameWidth(int model);

// The fields behind the subgroup number: model 1 carries neither price nor tax group.
RecordLayout SubgroupLayout(int model);

SendPlan SubgroupSendPlan(int model);

// The payload of the row after the kind letter: the subgroup number and the fields.
std::string SubgroupPayload(const IGridAccess& grid, int row, SendScope scope, int model);

} // namespace tillora
