#pragma once

#include "tables/GridAccess.h"
#include "transfer/SendPlan.h"

#include <cstddef>
#include <string>

namespace tillora {

// The articles table's record ("r"): one article per grid row, 1 to 2600.
namespace article {
inline constexpr int Name = 1;
inline constexpr int Barcode = 2;
inline constexpr int Price = 3;
inline constexpr int TaxGroup = 4;
inline constexpr int Subgroup = 5;
inline constexpr int PaymentType = 6;
inline constexpr int Stock = 7;
inline constexpr int Rows = 2600;
} // namespace article

// The name's width in the record, also the longest name the checks let through.
std::size_t ArticleNameWidth(int model);

// The fields behind the article number: model 1 carries neither stock nor payment type, model 5
// has no constant bytes.
RecordLayout ArticleLayout(int model);

SendPlan ArticleSendPlan(int model);

// The payload of the row after the kind letter: the article number and the fields.
std::string ArticlePayload(const IGridAccess& grid, int row, SendScope scope, int model);

} // namespace tillora
