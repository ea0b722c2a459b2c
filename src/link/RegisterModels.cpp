#include "link/RegisterModels.h"

namespace tillora {
namespace {

// In catalogue order; the index is the value of EcrType. Model 3's name really has two blanks after
// its slash, and the list and the window title show it so.
constexpr std::array<std::string_view, RegisterModelCount> ModelNames = {
    "Mirel Fintale",
    "Mirel Compact",
    "Vexo v1.00ZB / WEM 3001 v1.00ZB",
    "Vexo v2.00ZB /  WEM 3001 v1.00ZB",
    "Vexo M v1.00MZB / WEM 2001 v1.00MZB",
    "Vexo M v2.00MZB / WEM 2001 v2.00MZB",
    "Vexo v1.00RA / DOV 3001 v1.00RA",
    "Vexo M v1.00MRA / DOV 3003 v1.00MRA",
    "PANTO 02 v1.00RV",
    "PANTO 02 M v1.00MRV",
};

} // namespace

bool IsValidRegisterModel(int modelIndex) {
    return modelIndex >= 0 && modelIndex < RegisterModelCount;
}

std::string_view RegisterModelName(int modelIndex) {
    if (!IsValidRegisterModel(modelIndex)) {
        return {};
    }
    return ModelNames[static_cast<std::size_t>(modelIndex)];
}

} // namespace tillora
