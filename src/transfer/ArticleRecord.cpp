#include "transfer/ArticleRecord.h"

#include "res/StringIds.h"
#include "transfer/FieldEncoding.h"

namespace tillora {
namespace {

constexpr std::size_t BarcodeWidth = 12;
constexpr std::size_t PriceTextLimit = 9;  // 999999.99
constexpr std::size_t StockTextLimit = 10; // 999999.999

RecordLayout ModelOneLayout() {
    using namespace article;
    return {CellField(FieldKind::Text, Name, ArticleNameWidth(1)),
            CellField(FieldKind::Digits, Barcode, BarcodeWidth),
            CellField(FieldKind::Price, Price, PriceWidth),
            CellField(FieldKind::TaxGroup, TaxGroup, 1),
            ConstantBytes("\""),
            CellField(FieldKind::Digits, Subgroup, 1)};
}

RecordLayout ModelFiveLayout() {
    using namespace article;
    return {CellField(FieldKind::Text, Name, ArticleNameWidth(5)),
            CellField(FieldKind::Digits, Barcode, BarcodeWidth),
            CellField(FieldKind::Price, Price, PriceWidth),
            CellField(FieldKind::Quantity, Stock, QuantityWidth),
            CellField(FieldKind::TaxGroup, TaxGroup, 1),
            CellField(FieldKind::Digits, Subgroup, 1),
            CellField(FieldKind::Digits, PaymentType, 1)};
}

RecordLayout CommonLayout(int model) {
    using namespace article;
    return {CellField(FieldKind::Text, Name, ArticleNameWidth(model)),
            CellField(FieldKind::Digits, Barcode, BarcodeWidth),
            CellField(FieldKind::Price, Price, PriceWidth),
            CellField(FieldKind::Quantity, Stock, QuantityWidth),
            CellField(FieldKind::TaxGroup, TaxGroup, 1),
            ConstantBytes("\""),
            CellField(FieldKind::Digits, Subgroup, 1),
            ConstantBytes("\"\"\"\"\"\"\"\""),
            CellField(FieldKind::Digits, PaymentType, 1)};
}

} // namespace

std::size_t ArticleNameWidth(int model) {
    return model == 1 ? 16 : model == 5 ? 18 : 12;
}

RecordLayout ArticleLayout(int model) {
    if (model == 1) {
        return ModelOneLayout();
    }
    if (model == 5) {
        return ModelFiveLayout();
    }
    return CommonLayout(model);
}

// The rules apply whatever the model: a stock too long stops a model 1 run although its
// records do not carry the stock.
SendPlan ArticleSendPlan(int model) {
    using namespace article;
    const std::vector<int> allColumns = {Name,     Barcode,     Price, TaxGroup,
                                         Subgroup, PaymentType, Stock};
    const std::vector<LengthRule> rules = {{Name, ArticleNameWidth(model), ids::NameTooLong},
                                           {Price, PriceTextLimit, ids::PriceTooLarge},
                                           {Stock, StockTextLimit, ids::StockTooLarge}};
    SendPlan plan{};
    plan.letter = 'r';
    plan.rowCount = Rows;
    plan.numberDigits = 4;
    plan.layout = ArticleLayout(model);
    plan.sendColumns = allColumns;
    plan.selectableColumns = allColumns;
    plan.checkColumns = allColumns;
    plan.tableRules = rules;
    plan.selectedRules = rules;
    plan.selectedFinalText = ids::SelectedCellsSent;
    return plan;
}

std::string ArticlePayload(const IGridAccess& grid, int row, SendScope scope, int model) {
    const SendPlan plan = ArticleSendPlan(model);
    return RecordNumber(plan, row) + BuildPayload(plan.layout, grid, row, scope, model);
}

} // namespace tillora
