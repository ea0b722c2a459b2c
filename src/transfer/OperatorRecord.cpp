#include "transfer/OperatorRecord.h"

#include "res/StringIds.h"

namespace tillora {

RecordLayout OperatorLayout() {
    return {CellField(FieldKind::Text, operators::Name, operators::NameWidth), ConstantBytes("*")};
}

SendPlan OperatorSendPlan() {
    using namespace operators;
    SendPlan plan{};
    plan.letter = 'o';
    plan.rowCount = Rows;
    plan.layout = OperatorLayout();
    plan.sendColumns = {Name};
    plan.selectableColumns = {Name};
    plan.checkColumns = {Name};
    plan.tableRules = {{Name, NameWidth, ids::OperatorNameTooLong}};
    plan.selectedRules = {{Name, NameWidth, ids::NameTooLong}};
    plan.selectedFinalText = ids::RowsSent;
    return plan;
}

std::string OperatorPayload(const IGridAccess& grid, int row, SendScope scope, int model) {
    const SendPlan plan = OperatorSendPlan();
    return RecordNumber(plan, row) + BuildPayload(plan.layout, grid, row, scope, model);
}

} // namespace tillora
