#pragma once

#include <QSettings>

#include <memory>

namespace tillora {

// What Qt keeps for the program between runs, under the organisation and application "Tillora":
// the recent files, the folder of the last table file, the window's size, position and bars.
// (The register's settings are in the INI file.)
std::unique_ptr<QSettings> OpenAppSettings();

} // namespace tillora
