#include "cli/CliApp.h"

#include "cli/CliSession.h"
#include "cli/CliTexts.h"
#include "cli/Commands.h"
#include "cli/TableNames.h"
#include "cli/Terminal.h"
#include "link/Cp1251.h"
#include "link/IniLocation.h"
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
    app.add_option("--ini", options.iniFile, Text(ids::HelpIni));
    app.add_option("--model", options.model, Text(ids::HelpModel))->check(CLI::Range(0, 9));
    app.add_option("--com", options.com, Text(ids::HelpCom))->check(CLI::Range(1, 4));
    app.add_option("--serial", options.serial, Text(ids::HelpSerial))
        ->check(CLI::Range(1u, 999999u));
    app.add_option("--port", options.port, Text(ids::HelpPort));
    app.add_flag("--demo", options.demo, Text(ids::HelpDemo));
    auto* yes = app.add_flag("--yes", options.yes, Text(ids::HelpYes));
    app.add_flag("--no", options.no, Text(ids::HelpNo))->excludes(yes);
    app.add_option("--gap", options.gapMs, Text(ids::HelpGap))->check(CLI::Range(0, 10000));
    app.add_option("--trace", options.traceFile, Text(ids::HelpTrace));
    app.add_flag("--quiet", options.quiet, Text(ids::HelpQuiet));
    app.add_option("--register", options.registers, Text(ids::HelpRegister))
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
}

// The TABLE argument; the report tables are only read, never sent or checked.
CLI::App* AddTableOption(CLI::App* command, std::string& table, bool reportsToo) {
    command->add_option("TABLE", table, FormatMessage(ids::HelpTable, TableNameList().c_str()))
        ->required()
        ->check([reportsToo](const std::string& name) {
            const auto kind = TableKindFromName(name);
            if (!kind) {
                return FormatMessage(ids::CliUnknownTable, name.c_str());
            }
            const bool report = *kind == TableKind::Report || *kind == TableKind::SubgroupReport;
            return report && !reportsToo ? FormatMessage(ids::CliReportNotSent, name.c_str())
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
    auto* load = app.add_subcommand("load", Text(ids::HelpLoad));
    AddTableOption(load, arguments.table, true);
    load->add_option("FILE", arguments.file, Text(ids::HelpTableFileToRead))->required();
    load->add_option("-o,--output", arguments.outFile, Text(ids::HelpOutput));
    return load;
}

CLI::App* AddExportCommand(CLI::App& app, TableFileArguments& arguments) {
    auto* command = app.add_subcommand("export", Text(ids::HelpExport));
    AddTableOption(command, arguments.table, true);
    command->add_option("FILE", arguments.file, Text(ids::HelpTableFileToRead))->required();
    command->add_option("OUT", arguments.outFile, Text(ids::HelpExportOut))->required();
    return command;
}

struct SendOptions {
    std::string table;
    SendArguments arguments;
};

CLI::App* AddCheckCommand(CLI::App& app, TableFileArguments& arguments) {
    auto* check = app.add_subcommand("check", Text(ids::HelpCheck));
    AddTableOption(check, arguments.table, false);
    check->add_option("FILE", arguments.file, Text(ids::HelpTableFileToRead))->required();
    return check;
}

// How a sheet file is read, for import and send --import.
// With needs, the options are refused without that flag rather than ignored.
void AddSheetOptions(CLI::App* command, SheetImportArguments& sheet, const std::string& mapName,
                     CLI::Option* needs = nullptr) {
    std::vector<CLI::Option*> added;
    added.push_back(command->add_option("--sheet", sheet.source.sheet, Text(ids::HelpSheet)));
    added.push_back(
        command->add_option("--separator", sheet.source.separator, Text(ids::HelpSeparator)));
    added.push_back(
        command->add_option("--encoding", sheet.source.encoding, Text(ids::HelpEncoding)));
    added.push_back(command->add_option(mapName, sheet.columns, Text(ids::HelpSheetColumns)));
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
    auto* import = app.add_subcommand("import", Text(ids::HelpImport));
    AddTableOption(import, options.table, true);
    import->add_option("FILE", options.arguments.sheet.file, Text(ids::HelpSheetFile))->required();
    import->add_option("-o,--output", options.arguments.outFile, Text(ids::HelpOutput));
    AddSheetOptions(import, options.arguments.sheet, "--columns");
    return import;
}

CLI::App* AddSendCommand(CLI::App& app, SendOptions& options) {
    auto* send = app.add_subcommand("send", Text(ids::HelpSend));
    AddTableOption(send, options.table, false);
    send->add_option("FILE", options.arguments.file, Text(ids::HelpFileToSend))->required();
    auto* rows = send->add_option("--rows", options.arguments.rows, Text(ids::HelpRows));
    auto* columns =
        send->add_option("--columns", options.arguments.columns, Text(ids::HelpColumns));
    send->add_flag("--changed", options.arguments.changed, Text(ids::HelpChanged))
        ->excludes(rows)
        ->excludes(columns);
    auto* import = send->add_flag("--import", options.arguments.import, Text(ids::HelpImportFlag));
    AddSheetOptions(send, options.arguments.importing, "--import-columns", import);
    return send;
}

CLI::App* AddDiffCommand(CLI::App& app, TableFileArguments& arguments) {
    auto* diff = app.add_subcommand("diff", Text(ids::HelpDiff));
    AddTableOption(diff, arguments.table, false);
    diff->add_option("FILE", arguments.file, Text(ids::HelpFileToCompare))->required();
    return diff;
}

struct ReportFiles {
    std::string articles;
    std::string subgroups;
};

CLI::App* AddReportCommand(CLI::App& app, ReportFiles& files) {
    auto* report = app.add_subcommand("report", Text(ids::HelpReport));
    report->add_option("--articles", files.articles, Text(ids::HelpReportArticles));
    report->add_option("--subgroups", files.subgroups, Text(ids::HelpReportSubgroups));
    return report;
}

CLI::App* AddLogoCommand(CLI::App& app, LogoArguments& arguments) {
    auto* logo = app.add_subcommand("logo", Text(ids::HelpLogo));
    auto* file = logo->add_option("FILE", arguments.file, Text(ids::HelpBitmapFile));
    logo->add_flag("--default", arguments.useDefault, Text(ids::HelpDefaultLogo))->excludes(file);
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
    command.list = app.add_subcommand("registers", Text(ids::HelpRegisters));
    command.add = command.list->add_subcommand("add", Text(ids::HelpRegistersAdd));
    command.add->add_option("NAME", command.name, Text(ids::HelpRegisterName))->required();
    command.add->add_option("--model", command.model, Text(ids::HelpModel))->required();
    command.add->add_option("--serial", command.serial, Text(ids::HelpSerial))->required();
    auto* com = command.add->add_option("--com", command.com, Text(ids::HelpCom));
    auto* port = command.add->add_option("--port", command.port, Text(ids::HelpRegisterPort));
    com->excludes(port);
    port->excludes(com);
    command.add->add_option("--gap", command.gapMs, Text(ids::HelpGap))
        ->check(CLI::Range(std::uint64_t{0}, LargestFrameGapMs));
    command.remove = command.list->add_subcommand("remove", Text(ids::HelpRegistersRemove));
    command.remove->add_option("NAME", command.name, Text(ids::HelpRegisterName))->required();
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
        Print(stderr, "%s\n", Text(ids::CliGiveComOrPort).c_str());
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
    const EcrIniFile ini(IniFileInUse(options.iniFile));
    std::vector<NamedRegister> registers;
    for (const std::string& name : options.registers) {
        std::optional<NamedRegister> reg = FindRegister(ini, Utf8ToCp1251(name));
        if (!reg) {
            ShowError(feedback, ids::RegisterUnknown, name.c_str());
            return std::nullopt;
        }
        for (const NamedRegister& other : registers) {
            if (other.name == reg->name) {
                Print(stderr, "%s\n", FormatMessage(ids::CliRegisterTwice, name.c_str()).c_str());
                return std::nullopt;
            }
        }
        registers.push_back(std::move(*reg));
    }
    return registers;
}

} // namespace

int RunCli(std::vector<std::string> arguments) {
    CLI::App app{Text(ids::HelpApp), "tillora-cli"};
    app.require_subcommand(1);
    app.fallthrough(); // global options may also follow the command
    // A file named "/x/y.txt" is a file on every system, never a Windows-style "/option".
    app.allow_windows_style_options(false);
    CliOptions options;
    AddGlobalOptions(app, options);
    auto* info = app.add_subcommand("info", Text(ids::HelpInfo));
    auto* models = app.add_subcommand("models", Text(ids::HelpModels));
    auto* config = app.add_subcommand("config", Text(ids::HelpConfig));
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
    SpeakBulgarian(app);

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
        Print(stderr, "%s\n", Text(ids::CliOneRegisterOnly).c_str());
        return ExitUsage;
    }
    if (registers->size() > 1 && !options.traceFile.empty()) {
        Print(stderr, "%s\n", Text(ids::CliTraceOneRegister).c_str());
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
