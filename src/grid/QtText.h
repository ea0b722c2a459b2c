#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace tillora {

// The one place where the core's texts cross to Qt's Unicode and back, for the grid and the
// window alike.

// The cells' Windows-1251 texts; a character Windows-1251 cannot hold becomes "?".
QString FromCp1251(std::string_view text);
std::string ToCp1251(const QString& text);

// The core's UTF-8 texts: the string table, formatted messages, settings.
QString FromUtf8(std::string_view text);
std::string ToUtf8(const QString& text);

// File names, which the core keeps as UTF-8 on every system.
QString FromPath(std::string_view path);
std::string ToPath(const QString& path);

// Whether the system tells file names apart by the case of their letters, as the file dialogs'
// patterns must.
bool FileNamesCaseSensitive();

} // namespace tillora
