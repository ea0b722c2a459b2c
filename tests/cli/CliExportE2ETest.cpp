#include "SimProcess.h"
#include "TempFolder.h"
#include "link/Cp1251.h"
#include "link/FileReplace.h"
#include "sheets/SpreadsheetFile.h"
#include "tables/DecimalText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

namespace tillora {
namespace {

namespace fs = std::filesystem;
using test::ProgramResult;
using test::RunProgram;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line.substr(0, line.find_last_not_of('\r') + 1));
    }
    return lines;
}

// The table file, the CSV and the .xlsx tell the same rows: the table file's fields, separated
// by commas (and quoted where they hold one), are the CSV's lines, and the .xlsx holds those values
// cell for cell.
TEST(CliExportE2ETest, ArticlesGoToCsvAndXlsxAsTheTableFileHasThem) {
    test::TempFolder temp("tillora-cli-export");
    const std::string example =
        (fs::path(TILLORA_SOURCE_DIR) / "examples" / "articles.txt").string();
    const std::vector<std::string> fileLines = Lines(ReadWholeFile(example).value_or(""));
    ASSERT_GT(fileLines.size(), 10u);
    for (const std::string out : {"a.csv", "a.xlsx"}) {
        const ProgramResult result =
            RunProgram("tillora-cli", {"export", "articles", example, (temp.Path() / out).string()},
                       {"TILLORA_INI=" + (temp.Path() / "t.ini").string()});
        EXPECT_EQ(result.status, 0) << result.err;
    }
    const std::vector<std::string> csv = Lines(ReadWholeFile(temp.Path() / "a.csv").value_or(""));
    ASSERT_EQ(csv.size(), fileLines.size() + 1);
    for (std::size_t i = 0; i < fileLines.size(); ++i) {
        std::string expected;
        std::istringstream fields(Cp1251ToUtf8(fileLines[i]));
        for (std::string field; std::getline(fields, field, '\t');) {
            const bool quoted = field.find(',') != std::string::npos;
            expected += (expected.empty() ? "" : ",") + (quoted ? '"' + field + '"' : field);
        }
        EXPECT_EQ(csv[i + 1], expected);
    }
    if (!CanReadSpreadsheets() || !CanWriteSpreadsheets()) {
        return;
    }
    SheetData sheet;
    std::string error;
    ASSERT_TRUE(ReadSpreadsheetFile((temp.Path() / "a.xlsx").string(), "", sheet, error)) << error;
    ASSERT_EQ(sheet.rows.size(), fileLines.size() + 1);
    for (std::size_t i = 0; i < fileLines.size(); ++i) {
        const std::vector<SheetCell>& cells = sheet.rows[i + 1].cells;
        std::istringstream fields(fileLines[i]);
        std::size_t c = 0;
        for (std::string field; std::getline(fields, field, '\t'); ++c) {
            const SheetCell cell = c < cells.size() ? cells[c] : SheetCell{};
            if (cell.number) {
                EXPECT_NE(c, 2u) << "a barcode stays text";
                EXPECT_EQ(ParseDecimal(field), cell.number) << fileLines[i];
            } else {
                EXPECT_EQ(cell.text, field) << fileLines[i];
            }
        }
    }
}

} // namespace
} // namespace tillora
