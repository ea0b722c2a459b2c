#pragma once

#include "tables/GridAccess.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tillora {

// Which cells a send run covers: every row that holds something, or only the selected cells.
enum class SendScope { WholeTable, SelectedCells };

enum class FieldKind {
    Text,     // cut, padded with blanks, converted to the register's character set
    Digits,   // the first characters as they are
    Price,    // nine characters: eight digits and the number of decimals
    Quantity, // nine digits in thousandths
    TaxGroup, // the model's group digit
    Flag,     // the cell's text as it stands, whatever the scope: never a no-value field
    Constant  // the same bytes whatever the row holds
};

// One field of a record's payload, in the order of the frame.
struct RecordField {
    FieldKind kind;
    int column = 0; // the cell the field is made from; none for a constant
    std::size_t width = 0;
    std::string_view constant = {};
};

inline RecordField CellField(FieldKind kind, int column, std::size_t width) {
    return {kind, column, width, {}};
}
inline RecordField ConstantBytes(std::string_view bytes) {
    return {FieldKind::Constant, 0, bytes.size(), bytes};
}

using RecordLayout = std::vector<RecordField>;

// The field of one cell text: the no-value field for an empty cell of a whole-table run and for
// a cell left out of a selected-cells run, the default for a selected empty cell, else the
// encoded text.
std::string EncodeField(const RecordField& field, const std::string& text, bool selected,
                        SendScope scope, int model);

// The payload of the row: every field of the layout, in order.
std::string BuildPayload(const RecordLayout& layout, const IGridAccess& grid, int row,
                         SendScope scope, int model);

} // namespace tillora
