#pragma once

#include "ui/RegisterCommands.h"

#include <QStringList>

#include <optional>
#include <string>

namespace tillora {

// The program's command line: tillora [--ini FILE] [--demo] [--trace FILE] [--version] [FILE], the
// options meaning what they mean to tillora-cli.
struct StartOptions {
    RegisterConnection connection;
    std::string file; // read into the articles at start; empty: none
    // Hidden, for tests only: steps to work the window by (CTestSteps) and the log they write.
    QString testSteps;
    QString testLog;
};

// The options of arguments (the program's name first, Qt's own options already taken out).
// Returns none for --help and --version, after printing them, and for a mistake (an unknown option,
// a second file, a trace file that cannot be written), after printing it with the usage; exitCode
// is then what the program ends with.
std::optional<StartOptions> ParseStartOptions(const QStringList& arguments, int& exitCode);

} // namespace tillora
