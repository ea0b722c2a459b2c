#include "cli/SheetSource.h"

#include "link/Message.h"
#include "res/StringIds.h"
#include "sheets/SpreadsheetFile.h"
#include "tables/SheetText.h"

namespace tillora::cli {
namespace {

// "windows-1251, utf-8, ..." or "tab, ';', ','": the names a value may take, for its error.
template <typename Named> std::string NamesOf(const Named& list) {
    std::string names;
    for (const auto& entry : list) {
        const std::string name(entry.name);
        names += (names.empty() ? "" : ", ") + (name.size() == 1 ? "'" + name + "'" : name);
    }
    return names;
}

bool OptionsFromArguments(const std::string& path, const SheetReadArguments& arguments,
                          SheetSourceOptions& options, std::string& errorUtf8) {
    options.sheet = arguments.sheet;
    if (!arguments.sheet.empty() && !IsSpreadsheetFile(path)) {
        errorUtf8 = FormatMessage(ids::CliSheetOfTextFile, path.c_str());
        return false;
    }
    if (!arguments.encoding.empty()) {
        options.text.encoding = EncodingFromName(arguments.encoding);
        if (!options.text.encoding) {
            errorUtf8 = FormatMessage(ids::CliNoneOf, "--encoding", arguments.encoding.c_str(),
                                      NamesOf(TextEncodings).c_str());
            return false;
        }
    }
    if (!arguments.separator.empty()) {
        const std::optional<char> separator = SeparatorFromName(arguments.separator);
        if (!separator) {
            errorUtf8 = FormatMessage(ids::CliNoneOf, "--separator", arguments.separator.c_str(),
                                      NamesOf(TextSeparators).c_str());
            return false;
        }
        options.text.separator = *separator;
    }
    return true;
}

} // namespace

bool ReadSheetArguments(const std::string& path, const SheetReadArguments& arguments,
                        SheetData& out, std::string& howReadUtf8, std::string& errorUtf8) {
    howReadUtf8.clear();
    SheetSourceOptions options;
    SheetSource source;
    if (!OptionsFromArguments(path, arguments, options, errorUtf8) ||
        !ReadSheetSource(path, options, source, errorUtf8)) {
        return false;
    }
    // A workbook's cells come typed: there is no encoding or separator to tell.
    if (!source.workbook) {
        howReadUtf8 = FormatMessage(ids::ImportTextFormat,
                                    std::string(EncodingName(source.format.encoding)).c_str(),
                                    std::string(SeparatorName(source.format.separator)).c_str());
    }
    out = std::move(source.sheet);
    return true;
}

} // namespace tillora::cli
