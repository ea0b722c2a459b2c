#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace tillora {

// The one place where the grid's Windows-1251 texts cross to Qt's Unicode and back; a character
// Windows-1251 cannot hold becomes "?".
QString FromCp1251(std::string_view text);
std::string ToCp1251(const QString& text);

} // namespace tillora
