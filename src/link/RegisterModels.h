#pragma once

#include <array>
#include <string_view>

namespace tillora {

// The register models and firmware versions the program knows, by model index (EcrType).
inline constexpr int RegisterModelCount = 10;

// The model's name as the settings list and the window title show it; empty outside 0 to 9.
std::string_view RegisterModelName(int modelIndex);

bool IsValidRegisterModel(int modelIndex);

} // namespace tillora
