// Every cell class: what it stores must be its own normal form.
#include "FuzzSupport.h"
#include "link/EcrSettings.h"
#include "tables/GridCell.h"
#include "tables/TypedCells.h"

#include <memory>

using namespace tillora;

namespace {

template <typename Cell> void CheckNormalForm(std::string_view text) {
    Cell cell;
    cell.SetText(text);
    const std::string stored = cell.GetText();
    Cell again;
    again.SetText(stored);
    fuzz::Check(again.GetText() == stored, "a stored text is not its own normal form");
    cell.SetText(stored);
    fuzz::Check(cell.GetText() == stored, "setting the stored text again changed it");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::AsText(data, size);
    CheckNormalForm<CGridCell>(text);
    CheckNormalForm<CGridCellBarcode>(text);
    CheckNormalForm<CGridCellCheck>(text);
    CheckNormalForm<CGridCellNum1>(text);
    CheckNormalForm<CGridCellPrice>(text);
    CheckNormalForm<CGridCellQuantity>(text);

    const EcrSettings saved = ConnectionSettings();
    for (int model = 0; model <= 9; ++model) {
        ConnectionSettings().EcrType = model;
        CheckNormalForm<CGridCellChar1>(text);
    }
    ConnectionSettings() = saved;
    return 0;
}
