#pragma once

#include <CLI/CLI.hpp>

#include <string>

namespace tillora::cli {

// A string-table text as a std::string, for CLI11's descriptions.
std::string Text(unsigned id);

// Puts CLI11's own words in Bulgarian: the help's headings and type names, the help option, and
// the messages for a wrong command line (from the string table; the user's own words and the
// option names stay as given). Call once every command and option has been added.
void SpeakBulgarian(CLI::App& app);

// The Bulgarian message for a wrong command line, without the line that points to the help.
std::string UsageErrorText(const CLI::Error& error);

} // namespace tillora::cli
