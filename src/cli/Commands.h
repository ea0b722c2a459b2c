#pragma once

#include "cli/CliSession.h"
#include "cli/SheetImport.h"
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

// Reads the table file and writes the table as a spreadsheet, .xlsx or CSV by outFile's
// extension: the column titles, the rows that hold a value, prices and quantities as numbers.
int RunExport(CCliSession& session, TableKind kind, const std::string& file,
              const std::string& outFile);

// Reads the table file and runs the table's whole-table check without opening a port; on a
// broken rule its message and the offending row and column.
int RunCheck(CCliSession& session, TableKind kind, const std::string& file);

struct ImportArguments {
    TableKind kind = TableKind::Articles;
    SheetImportArguments sheet;
    std::string outFile;
};

// Imports a price list (delimited text, or a workbook where it can be read) into the table and
// writes the table file to outFile or, when that is empty, to out; the problems go to stderr.
int RunImport(CCliSession& session, const ImportArguments& arguments, std::FILE* out);

struct SendArguments {
    TableKind kind = TableKind::Articles;
    std::string file;
    std::string rows;     // row labels ("5-9,12"); empty: the rows that hold something
    std::string columns;  // column numbers or names; empty: all
    bool import = false;  // file is a sheet to import, read as importing says
    bool changed = false; // only the rows that differ from what the register is known to hold
    SheetImportArguments importing;
};

// Reads the table file, or imports the sheet, and sends the table; with rows or columns, only
// those cells. An import that met problems is sent only when the user says so.
int RunSend(CCliSession& session, const SendArguments& arguments, std::FILE* out);
// The same without the final line: the session's feedback holds the outcome.
int SendTable(CCliSession& session, const SendArguments& arguments);

// Sends to every register at once, one thread each, every one with its own line, settings,
// checks and known state; a refusal or silence at one leaves the others running, and a stop
// ends them all. Their messages go to stderr line by line, "NAME: ..."; then out gets one line
// per register, in their order, with its outcome. Success only when every register confirmed.
int RunSendToRegisters(const CliOptions& options, const std::vector<NamedRegister>& registers,
                       const SendArguments& arguments, const CStopRequest& stop, std::FILE* out);

// The register list: one line each (name, model index, port, serial); adds or replaces one
// after the settings dialog's checks; removes one.
int RunRegistersList(CCliSession& session, std::FILE* out);
int RunRegistersAdd(CCliSession& session, const NamedRegister& reg);
int RunRegistersRemove(CCliSession& session, const std::string& name);

// Reads the table file, asks the register for its serial and prints the cells that differ from
// what that register is known to hold, one a line: row, column, known value, new value. Nothing
// is sent.
int RunDiff(CCliSession& session, TableKind kind, const std::string& file, std::FILE* out);

// Reads the report and writes its two tables to the files, or to out where none is named.
int RunReport(CCliSession& session, const std::string& articlesFile,
              const std::string& subgroupsFile, std::FILE* out);

struct LogoArguments {
    std::string file;        // the bitmap file to send; empty: see useDefault
    bool useDefault = false; // the model's default picture
};

// Sends FILE, or the model's default picture, or (with neither) the picture the logo manager
// would open with, and remembers it as the logo manager does. Prints the picture's size beside
// the size the model expects.
int RunLogo(CCliSession& session, const LogoArguments& arguments, std::FILE* out);

} // namespace tillora::cli
