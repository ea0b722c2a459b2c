#pragma once

#include <string>

namespace tillora {

// The INI name for an executable: its extension (a "." after the last path separator) replaced
// by ".ini", or ".ini" appended when it has none. A "." in a folder name is left alone.
std::string IniPathForExecutable(const std::string& executablePath);

// Where the program keeps its settings: the file named by the environment variable TILLORA_INI;
// else "<program>.ini" beside the executable when that folder can be written and the program is
// not an installed one (with its data in ../share/<program>); else the same name
// in the user's configuration folder ($XDG_CONFIG_HOME/tillora/, or ~/.config/tillora/), whose
// folder is created when missing. programName is the GUI program's base name ("tillora"), so that
// every front end in the folder shares one file.
std::string LocateIniFile(const std::string& programName);
// The same for an executable at executablePath instead of the running one.
std::string LocateIniFile(const std::string& programName, const std::string& executablePath);

// The INI file every front end uses: the one named (a command-line option), else the main
// program's, so that the command-line tool and the window share one file.
std::string IniFileInUse(const std::string& named);

// The full path of the running executable; empty when the system does not tell.
std::string ExecutablePath();

} // namespace tillora
