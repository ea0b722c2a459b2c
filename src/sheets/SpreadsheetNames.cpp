#include "sheets/SpreadsheetFile.h"

#include "link/FileReplace.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace tillora {
namespace {

std::string LowerExtension(const std::string& path) {
    std::string extension = PathToUtf8(Utf8Path(path).extension());
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

} // namespace

bool IsSpreadsheetFile(const std::string& path) {
    // .xls and .xlsm go to the reader too, which tells the user what it cannot read; read as
    // delimited text they would only give rows of noise.
    constexpr std::array<std::string_view, 4> Workbooks = {".xlsx", ".xlsm", ".ods", ".xls"};
    return std::find(Workbooks.begin(), Workbooks.end(), LowerExtension(path)) != Workbooks.end();
}

SpreadsheetFormat SpreadsheetFormatOf(const std::string& path) {
    const std::string extension = LowerExtension(path);
    if (extension == ".xlsx") {
        return SpreadsheetFormat::Xlsx;
    }
    if (extension == ".csv") {
        return SpreadsheetFormat::Csv;
    }
    return SpreadsheetFormat::Unknown;
}

} // namespace tillora
