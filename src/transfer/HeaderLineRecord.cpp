#include "transfer/HeaderLineRecord.h"

#include "res/StringIds.h"

namespace tillora {
namespace {

bool ShowsFlag(int model) {
    return model == 0 || model == 1;
}

} // namespace

std::size_t HeaderLineWidth(int model) {
    return model == 1 ? 20 : 24;
}

RecordLayout HeaderLineLayout(int model) {
    using namespace headerline;
    return {ShowsFlag(model) ? CellField(FieldKind::Flag, Flag, 1) : ConstantBytes("0"),
            CellField(FieldKind::Text, Text, HeaderLineWidth(model)), ConstantBytes("*")};
}

SendPlan HeaderLineSendPlan(int model) {
    using namespace headerline;
    SendPlan plan{};
    plan.letter = 'w';
    plan.rowCount = Rows;
    plan.layout = HeaderLineLayout(model);
    plan.sendColumns = {Text};
    plan.selectableColumns = {Text};
    plan.checkColumns = {Text};
    plan.tableRules = {{Text, HeaderLineWidth(model), ids::LineTooLong}};
    plan.selectedRules = {{Text, HeaderLineWidth(model), ids::NameTooLong}};
    plan.selectedFinalText = ids::RowsSent;
    return plan;
}

std::string HeaderLinePayload(const IGridAccess& grid, int row, SendScope scope, int model) {
    const SendPlan plan = HeaderLineSendPlan(model);
    return RecordNumber(plan, row) + BuildPayload(plan.layout, grid, row, scope, model);
}

} // namespace tillora
