#pragma once

#include "cli/CliSession.h"
#include "tables/TableKind.h"

#include <cstdio>
#include <string>

namespace tillora::cli {

// Exit status of every command.
inline constexpr int ExitSuccess = 0;
inline constexpr int ExitFailed = 1; // the operation failed and said why
inline constexpr int ExitUsage = 2;

// Asks the register for its serial number and prints its six digits.
int RunInfo(CCliSession& session, std::FILE* out);

// Prints the model catalogue with its indices.
int RunModels(std::FILE* out);

// Prints the settings in force and the window title; with writeSettings, first saves them.
int RunConfig(CCliSession& session, bool writeSettings, bool writeGap, std::FILE* out);

// Reads the table file into the table as the program does and writes the table back in the
// program's own form, to outFile or, when that is empty, to out.
int RunLoad(CCliSession& session, TableKind kind, const std::string& file,
            const std::string& outFile, std::FILE* out);

} // namespace tillora::cli
