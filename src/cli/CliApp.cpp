#include "cli/CliApp.h"

#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/TableNames.h"

#include <CLI/CLI.hpp>

#include <cstdio>

namespace tillora::cli {
namespace {

void AddGlobalOptions(CLI::App& app, CliOptions& options) {
    app.add_option("--ini", options.iniFile, "INI file with the connection settings");
    app.add_option("--model", options.model, "register model index (see 'models')")
        ->check(CLI::Range(0, 9));
    app.add_option("--com", options.com, "COM port number")->check(CLI::Range(1, 4));
    app.add_option("--serial", options.serial, "register serial number")
        ->check(CLI::Range(1u, 999999u));
    app.add_option("--port", options.port, "open this device instead of the COM port's");
    app.add_flag("--demo", options.demo, "talk to the built-in simulated register");
    auto* yes = app.add_flag("--yes", options.yes, "answer Yes to every question");
    app.add_flag("--no", options.no, "answer No to every question")->excludes(yes);
    app.add_option("--gap", options.gapMs, "quiet milliseconds after each acknowledgement")
        ->check(CLI::Range(0, 10000));
    app.add_option("--trace", options.traceFile, "write every byte on the line to this file");
}

// The trace file is checked before anything is sent, so that a mistyped path stops the command
// instead of leaving an exchange untraced.
bool TraceFileWritable(const std::string& path) {
    if (path.empty()) {
        return true;
    }
    std::FILE* file = std::fopen(path.c_str(), "a");
    if (file == nullptr) {
        return false;
    }
    std::fclose(file);
    return true;
}

// The table and file a table command works on.
struct TableFileArguments {
    std::string table;
    std::string file;
    std::string outFile;
};

CLI::App* AddLoadCommand(CLI::App& app, TableFileArguments& arguments) {
    auto* load = app.add_subcommand(
        "load", "read a table file as the program does and write the table back in its own form");
    load->add_option("TABLE", arguments.table, "the table: " + TableNameList())
        ->required()
        ->check([](const std::string& name) {
            return TableKindFromName(name) ? std::string() : "unknown table: " + name;
        });
    load->add_option("FILE", arguments.file, "the table file to read")->required();
    load->add_option("-o,--output", arguments.outFile,
                     "write the table to this file instead of standard output");
    return load;
}

} // namespace

int RunCli(int argc, char** argv) {
    CLI::App app{"Tillora: the cash register's tables, reports and logo from the command line",
                 "tillora-cli"};
    app.require_subcommand(1);
    app.fallthrough(); // global options may also follow the command
    CliOptions options;
    AddGlobalOptions(app, options);
    auto* info = app.add_subcommand("info", "ask the register for its serial number");
    auto* models = app.add_subcommand("models", "list the register models and their indices");
    auto* config = app.add_subcommand(
        "config", "show the settings in force; with --model, --com, --serial or --gap, save them");
    TableFileArguments tableFile;
    auto* load = AddLoadCommand(app, tableFile);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int status = app.exit(e);
        return status == 0 ? ExitSuccess : ExitUsage;
    }
    if (!TraceFileWritable(options.traceFile)) {
        std::fprintf(stderr, "--trace: cannot write %s\n", options.traceFile.c_str());
        return ExitUsage;
    }
    if (models->parsed()) {
        return RunModels(stdout);
    }
    CCliSession session(options);
    if (info->parsed()) {
        return RunInfo(session, stdout);
    }
    if (load->parsed()) {
        return RunLoad(session, *TableKindFromName(tableFile.table), tableFile.file,
                       tableFile.outFile, stdout);
    }
    if (config->parsed()) {
        const bool writeSettings = options.model || options.com || options.serial;
        return RunConfig(session, writeSettings, options.gapMs.has_value(), stdout);
    }
    return ExitUsage;
}

} // namespace tillora::cli
