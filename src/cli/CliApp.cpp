#include "cli/CliApp.h"

#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/TableNames.h"
#include "cli/Terminal.h"
#include "link/Cp1251.h"
#include "link/Message.h"
#include "link/TracingLine.h"
#include "res/StringIds.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

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
    app.add_flag("--quiet", options.quiet, "say nothing of what a table file read took and left");
    app.add_option("--register", options.registers,
                   "use this register of the list (see 'registers') instead of the settings' "
                   "own; send takes it more than once, to send to all of them at once")
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
}

// The TABLE argument; the report tables are only read, never sent or checked.
CLI::App* AddTableOption(CLI::App* command, std::string& table, bool reportsToo) {
    command->add_option("TABLE", table, "the table: " + TableNameList())
        ->required()
        ->check([reportsToo](const std::string& name) {
            const auto kind = TableKindFromName(name);
            if (!kind) {
                return "unknown table: " + name;
            }
            const bool report = *kind == TableKind::Report || *kind == TableKind::SubgroupReport;
            return report && !reportsToo ? "the reports are read, never sent: " + name
                                         : std::string();
        });
    return command;
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
    AddTableOption(load, arguments.table, true);
    load->add_option("FILE", arguments.file, "the table file to read")->required();
    load->add_option("-o,--output", arguments.outFile,
                     "write the table to this file instead of standard output");
    return load;
}

CLI::App* AddExportCommand(CLI::App& app, TableFileArguments& arguments) {
    auto* command = app.add_subcommand(
        "export", "read a table file and write the table as a spreadsheet (.xlsx or .csv)");
    AddTableOption(command, arguments.table, true);
    command->add_option("FILE", arguments.file, "the table file to read")->required();
    command->add_option("OUT", arguments.outFile, "the spreadsheet to write: OUT.xlsx or OUT.csv")
        ->required();
    return command;
}

struct SendOptions {
    std::string table;
    SendArguments arguments;
};

CLI::App* AddCheckCommand(CLI::App& app, TableFileArguments& arguments) {
    auto* check = app.add_subcommand(
        "check", "read a table file and check it as a send would, without opening a port");
    AddTableOption(check, arguments.table, false);
    check->add_option("FILE", arguments.file, "the table file to read")->required();
    return check;
}

// How a sheet file is read, for import and send --import.
// With needs, the options are refused without that flag rather than ignored.
void AddSheetOptions(CLI::App* command, SheetImportArguments& sheet, const std::string& mapName,
                     CLI::Option* needs = nullptr) {
    std::vector<CLI::Option*> added;
    added.push_back(command->add_option("--sheet", sheet.source.sheet,
                                        "the sheet of a workbook (.xlsx, .ods)"));
    added.push_back(
        command->add_option("--separator", sheet.source.separator,
                            "the separator of a text file: tab, ';' or ',' (default: detected)"));
    added.push_back(
        command->add_option("--encoding", sheet.source.encoding,
                            "the encoding of a text file: windows-1251, utf-8, utf-16le, utf-16be "
                            "(default: detected)"));
    added.push_back(command->add_option(
        mapName, sheet.columns,
        "which sheet column fills which table column, by number or title, such "
        "as name=2,price=4 or price=Цена (default: by the header line's titles, "
        "else by position)"));
    for (CLI::Option* option : added) {
        if (needs != nullptr) {
            option->needs(needs);
        }
    }
}

struct ImportOptions {
    std::string table;
    ImportArguments arguments;
};

CLI::App* AddImportCommand(CLI::App& app, ImportOptions& options) {
    auto* import = app.add_subcommand(
        "import", "import a price list (CSV or text from a spreadsheet) into a table and write "
                  "the table file; every problem met is told on stderr");
    AddTableOption(import, options.table, true);
    import->add_option("FILE", options.arguments.sheet.file, "the sheet file to read")->required();
    import->add_option("-o,--output", options.arguments.outFile,
                       "write the table to this file instead of standard output");
    AddSheetOptions(import, options.arguments.sheet, "--columns");
    return import;
}

CLI::App* AddSendCommand(CLI::App& app, SendOptions& options) {
    auto* send = app.add_subcommand(
        "send", "send a table file to the register; with --rows or --columns only those cells");
    AddTableOption(send, options.table, false);
    send->add_option("FILE", options.arguments.file, "the table file to send")->required();
    auto* rows = send->add_option("--rows", options.arguments.rows,
                                  "row labels as the file shows them, such as 5-9,12 (default: "
                                  "the rows that hold something)");
    auto* columns =
        send->add_option("--columns", options.arguments.columns,
                         "column numbers or names (name, barcode, price, tax, subgroup, payment, "
                         "stock; text, flag for the company lines), such as price,stock");
    send->add_flag("--changed", options.arguments.changed,
                   "only the rows that differ from what the register is known to hold, each "
                   "with only its changed values")
        ->excludes(rows)
        ->excludes(columns);
    auto* import =
        send->add_flag("--import", options.arguments.import,
                       "FILE is a price list to import (as 'import' does), not a table file");
    AddSheetOptions(send, options.arguments.importing, "--import-columns", import);
    return send;
}

CLI::App* AddDiffCommand(CLI::App& app, TableFileArguments& arguments) {
    auto* diff = app.add_subcommand(
        "diff", "ask the register for its serial and print the cells of a table file that differ "
                "from what that register is known to hold (row, column, known, new); sends "
                "nothing");
    AddTableOption(diff, arguments.table, false);
    diff->add_option("FILE", arguments.file, "the table file to compare")->required();
    return diff;
}

struct ReportFiles {
    std::string articles;
    std::string subgroups;
};

CLI::App* AddReportCommand(CLI::App& app, ReportFiles& files) {
    auto* report = app.add_subcommand(
        "report", "read the register's report; its two tables go to the files or to stdout");
    report->add_option("--articles", files.articles, "write the report by article here");
    report->add_option("--subgroups", files.subgroups, "write the report by subgroup here");
    return report;
}

CLI::App* AddLogoCommand(CLI::App& app, LogoArguments& arguments) {
    auto* logo = app.add_subcommand(
        "logo", "send a bitmap file, or the model's default picture, as the receipt logo; with "
                "neither, the picture sent last");
    auto* file = logo->add_option("FILE", arguments.file, "the bitmap file to send");
    logo->add_flag("--default", arguments.useDefault, "send the model's default picture")
        ->excludes(file);
    return logo;
}

// registers, registers add NAME ..., registers remove NAME.
struct RegistersCommand {
    CLI::App* list = nullptr;
    CLI::App* add = nullptr;
    CLI::App* remove = nullptr;
    std::string name;
    int model = -1;
    unsigned serial = 0;
    std::optional<int> com;
    std::string port;
    std::uint64_t gapMs = DefaultFrameGapMs;
};

void AddRegistersCommand(CLI::App& app, RegistersCommand& command) {
    command.list = app.add_subcommand(
        "registers", "list the registers kept by name (name, model index, port, serial); add or "
                     "remove one");
    command.add = command.list->add_subcommand(
        "add", "add a register to the list, or replace the one of that name");
    command.add->add_option("NAME", command.name, "the register's name")->required();
    command.add->add_option("--model", command.model, "register model index (see 'models')")
        ->required();
    command.add->add_option("--serial", command.serial, "register serial number")->required();
    auto* com = command.add->add_option("--com", command.com, "COM port number");
    auto* port = command.add->add_option("--port", command.port, "a device or COM name");
    com->excludes(port);
    port->excludes(com);
    command.add->add_option("--gap", command.gapMs, "quiet milliseconds after each acknowledgement")
        ->check(CLI::Range(std::uint64_t{0}, LargestFrameGapMs));
    command.remove = command.list->add_subcommand("remove", "remove a register from the list");
    command.remove->add_option("NAME", command.name, "the register's name")->required();
}

int RunRegistersCommand(CCliSession& session, const RegistersCommand& command) {
    const std::string name = Utf8ToCp1251(command.name);
    if (command.remove->parsed()) {
        return RunRegistersRemove(session, name);
    }
    if (!command.add->parsed()) {
        return RunRegistersList(session, stdout);
    }
    if (!command.com && command.port.empty()) {
        Print(stderr, "registers add: give --com or --port\n");
        return ExitUsage;
    }
    NamedRegister reg{name,
                      {command.model, command.com.value_or(1) - 1, command.serial},
                      command.port,
                      command.gapMs};
    return RunRegistersAdd(session, reg);
}

// The registers the options name, from the list; none when a name is not in it (after its
// message) or is given twice.
std::optional<std::vector<NamedRegister>> NamedRegisters(const CliOptions& options,
                                                         CCliFeedback& feedback) {
    const EcrIniFile ini(IniFileFor(options));
    std::vector<NamedRegister> registers;
    for (const std::string& name : options.registers) {
        std::optional<NamedRegister> reg = FindRegister(ini, Utf8ToCp1251(name));
        if (!reg) {
            ShowError(feedback, ids::RegisterUnknown, name.c_str());
            return std::nullopt;
        }
        for (const NamedRegister& other : registers) {
            if (other.name == reg->name) {
                Print(stderr, "--register: %s is named twice\n", name.c_str());
                return std::nullopt;
            }
        }
        registers.push_back(std::move(*reg));
    }
    return registers;
}

} // namespace

int RunCli(std::vector<std::string> arguments) {
    CLI::App app{"Tillora: the cash register's tables, reports and logo from the command line",
                 "tillora-cli"};
    app.require_subcommand(1);
    app.fallthrough(); // global options may also follow the command
    // A file named "/x/y.txt" is a file on every system, never a Windows-style "/option".
    app.allow_windows_style_options(false);
    CliOptions options;
    AddGlobalOptions(app, options);
    auto* info = app.add_subcommand("info", "ask the register for its serial number");
    auto* models = app.add_subcommand("models", "list the register models and their indices");
    auto* config = app.add_subcommand(
        "config", "show the settings in force; with --model, --com, --serial or --gap, save them");
    TableFileArguments tableFile;
    auto* load = AddLoadCommand(app, tableFile);
    TableFileArguments exportFile;
    auto* exportCommand = AddExportCommand(app, exportFile);
    TableFileArguments checkFile;
    auto* check = AddCheckCommand(app, checkFile);
    ImportOptions importOptions;
    auto* import = AddImportCommand(app, importOptions);
    SendOptions send;
    auto* sendCommand = AddSendCommand(app, send);
    TableFileArguments diffFile;
    auto* diff = AddDiffCommand(app, diffFile);
    ReportFiles reportFiles;
    auto* report = AddReportCommand(app, reportFiles);
    LogoArguments logoArguments;
    auto* logo = AddLogoCommand(app, logoArguments);
    RegistersCommand registersCommand;
    AddRegistersCommand(app, registersCommand);

    std::reverse(arguments.begin(), arguments.end()); // CLI11 takes them last first
    try {
        app.parse(arguments);
    } catch (const CLI::ParseError& e) {
        const int status = app.exit(e);
        return status == 0 ? ExitSuccess : ExitUsage;
    }
    if (!CanTraceTo(options.traceFile)) {
        Print(stderr, "%s\n",
              FormatMessage(ids::CliTraceNotWritten, options.traceFile.c_str()).c_str());
        return ExitUsage;
    }
    if (models->parsed()) {
        return RunModels(stdout);
    }
    CCliFeedback feedback(std::nullopt);
    const std::optional<std::vector<NamedRegister>> registers = NamedRegisters(options, feedback);
    if (!registers) {
        return ExitUsage;
    }
    if (registers->size() > 1 && !sendCommand->parsed()) {
        Print(stderr, "--register: only send takes more than one register\n");
        return ExitUsage;
    }
    if (registers->size() > 1 && !options.traceFile.empty()) {
        Print(stderr, "--trace: one register at a time, so that its bytes stay in order\n");
        return ExitUsage;
    }
    // Ctrl+C stops a transfer between frames instead of ending the program mid-frame; every
    // other command it ends as usual.
    CStopRequest stop;
    if (sendCommand->parsed() || report->parsed() || logo->parsed()) {
        StopOnInterrupt(stop);
    }
    if (registers->size() > 1) {
        send.arguments.kind = *TableKindFromName(send.table);
        return RunSendToRegisters(options, *registers, send.arguments, stop, stdout);
    }
    CCliSession session(options, registers->empty() ? nullptr : &registers->front(), &stop);
    if (registersCommand.list->parsed()) {
        return RunRegistersCommand(session, registersCommand);
    }
    if (info->parsed()) {
        return RunInfo(session, stdout);
    }
    if (load->parsed()) {
        return RunLoad(session, *TableKindFromName(tableFile.table), tableFile.file,
                       tableFile.outFile, stdout);
    }
    if (import->parsed()) {
        importOptions.arguments.kind = *TableKindFromName(importOptions.table);
        return RunImport(session, importOptions.arguments, stdout);
    }
    if (exportCommand->parsed()) {
        return RunExport(session, *TableKindFromName(exportFile.table), exportFile.file,
                         exportFile.outFile);
    }
    if (check->parsed()) {
        return RunCheck(session, *TableKindFromName(checkFile.table), checkFile.file);
    }
    if (sendCommand->parsed()) {
        send.arguments.kind = *TableKindFromName(send.table);
        return RunSend(session, send.arguments, stdout);
    }
    if (diff->parsed()) {
        return RunDiff(session, *TableKindFromName(diffFile.table), diffFile.file, stdout);
    }
    if (report->parsed()) {
        return RunReport(session, reportFiles.articles, reportFiles.subgroups, stdout);
    }
    if (logo->parsed()) {
        return RunLogo(session, logoArguments, stdout);
    }
    if (config->parsed()) {
        const bool writeSettings = options.model || options.com || options.serial;
        return RunConfig(session, writeSettings, options.gapMs.has_value(), stdout);
    }
    return ExitUsage;
}

} // namespace tillora::cli
