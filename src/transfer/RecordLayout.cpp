#include "transfer/RecordLayout.h"

#include "transfer/FieldEncoding.h"

namespace tillora {
namespace {

std::string DefaultField(const RecordField& field, int model) {
    switch (field.kind) {
    case FieldKind::Text:
        return DefaultTextField(field.width);
    case FieldKind::TaxGroup:
        return DefaultTaxGroupField(model);
    default:
        return DefaultNumberField(field.width);
    }
}

std::string EncodeValue(const RecordField& field, const std::string& text, int model) {
    switch (field.kind) {
    case FieldKind::Text:
        return EncodeText(text, field.width);
    case FieldKind::Price:
        return EncodePrice(text);
    case FieldKind::Quantity:
        return EncodeQuantity(text);
    case FieldKind::TaxGroup:
        return EncodeTaxGroup(text, model);
    default:
        return EncodeDigits(text, field.width);
    }
}

} // namespace

std::string EncodeField(const RecordField& field, const std::string& text, bool selected,
                        SendScope scope, int model) {
    if (field.kind == FieldKind::Constant) {
        return std::string(field.constant);
    }
    // A flag cell always reads "1" or "0"; an empty one counts as off.
    if (field.kind == FieldKind::Flag) {
        return text.empty() ? DefaultNumberField(field.width) : EncodeDigits(text, field.width);
    }
    if (scope == SendScope::SelectedCells && !selected) {
        return NoValueField(field.width);
    }
    if (text.empty()) {
        return scope == SendScope::WholeTable ? NoValueField(field.width)
                                              : DefaultField(field, model);
    }
    return EncodeValue(field, text, model);
}

std::string BuildPayload(const RecordLayout& layout, const IGridAccess& grid, int row,
                         SendScope scope, int model) {
    std::string payload;
    for (const RecordField& field : layout) {
        const bool isCell = field.kind != FieldKind::Constant;
        const std::string text = isCell ? grid.GetItemText(row, field.column) : std::string();
        const bool selected = isCell && grid.IsCellSelected(row, field.column);
        payload += EncodeField(field, text, selected, scope, model);
    }
    return payload;
}

} // namespace tillora
