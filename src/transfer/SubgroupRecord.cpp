#include "transfer/SubgroupRecord.h"

#include "res/StringIds.h"
#include "transfer/FieldEncoding.h"

namespace tillora {
namespace {

constexpr std::size_t PriceTextLimit = 9; // 999999.99

} // namespace

std::size_t SubgroupNameWidth(int model) {
    return model == 1 ? 16 : model == 5 ? 18 : 12;
}

RecordLayout SubgroupLayout(int model) {
    using namespace subgroup;
    if (model == 1) {
        return {CellField(FieldKind::Text, Name, SubgroupNameWidth(model)), ConstantBytes("\"")};
    }
    return {CellField(FieldKind::Text, Name, SubgroupNameWidth(model)),
            CellField(FieldKind::Price, Price, PriceWidth),
            CellField(FieldKind::TaxGroup, TaxGroup, 1)};
}

// The tax group is no check column: an empty selected one is sent with its default without
// asking. Price and tax group count for the skip test even under model 1.
SendPlan SubgroupSendPlan(int model) {
    using namespace subgroup;
    const std::vector<LengthRule> rules = {{Name, SubgroupNameWidth(model), ids::NameTooLong},
                                           {Price, PriceTextLimit, ids::PriceTooLarge}};
    SendPlan plan{};
    plan.letter = 'y';
    plan.rowCount = Rows;
    plan.numberOffset = -1;
    plan.layout = SubgroupLayout(model);
    plan.sendColumns = {Name, Price, TaxGroup};
    plan.selectableColumns = {Name, Price, TaxGroup};
    plan.checkColumns = {Name, Price};
    plan.tableRules = rules;
    plan.selectedRules = rules;
    plan.selectedFinalText = ids::RowsSent;
    return plan;
}

std::string SubgroupPayload(const IGridAccess& grid, int row, SendScope scope, int model) {
    const SendPlan plan = SubgroupSendPlan(model);
    return RecordNumber(plan, row) + BuildPayload(plan.layout, grid, row, scope, model);
}

} // namespace tillora
