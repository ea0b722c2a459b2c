#include "SheetRendering.h"
#include "TempFolder.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "sheets/NumberText.h"
#include "sheets/SpreadsheetFile.h"
#include "sheets/StoredZip.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <xlsxwriter.h>

#include <fstream>

namespace tillora {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// A price list as a shop keeps it: a header, a text barcode, a number barcode, a formula, a
// flag, a blank row, and a second sheet.
void WritePriceListXlsx(const std::string& path) {
    lxw_workbook* book = workbook_new(path.c_str());
    lxw_worksheet* prices = workbook_add_worksheet(book, "Цени");
    worksheet_write_string(prices, 0, 0, "№", nullptr);
    worksheet_write_string(prices, 0, 1, "Име", nullptr);
    worksheet_write_string(prices, 0, 2, "Баркод", nullptr);
    worksheet_write_string(prices, 0, 3, "Цена", nullptr);
    worksheet_write_number(prices, 1, 0, 1, nullptr);
    worksheet_write_string(prices, 1, 1, "Хляб \"Добруджа\"", nullptr);
    worksheet_write_string(prices, 1, 2, "0000000123", nullptr);
    worksheet_write_number(prices, 1, 3, 1.2, nullptr);
    worksheet_write_number(prices, 3, 0, 2, nullptr);
    worksheet_write_string(prices, 3, 1, "Мляко", nullptr);
    worksheet_write_number(prices, 3, 2, 3800121000029.0, nullptr);
    worksheet_write_formula_num(prices, 3, 3, "=D2*2", nullptr, 2.4);
    worksheet_write_boolean(prices, 4, 1, 1, nullptr);
    worksheet_write_number(prices, 4, 3, 1e11, nullptr);
    lxw_worksheet* other = workbook_add_worksheet(book, "Склад");
    worksheet_write_string(other, 2, 1, "друго", nullptr);
    ASSERT_EQ(workbook_close(book), LXW_NO_ERROR);
}

std::string OdsCell(const std::string& attributes, const std::string& text) {
    return "<table:table-cell " + attributes + "><text:p>" + text + "</text:p></table:table-cell>";
}

// The smallest OpenDocument spreadsheet: its mimetype first, then the content.
void WritePriceListOds(const std::string& path) {
    const std::string row1 = "<table:table-row>" + OdsCell("office:value-type=\"string\"", "Име") +
                             OdsCell("office:value-type=\"float\" office:value=\"12.5\"", "12,5") +
                             "</table:table-row>";
    const std::string blank = "<table:table-row table:number-rows-repeated=\"2\">"
                              "<table:table-cell/></table:table-row>";
    const std::string row4 = "<table:table-row><table:table-cell/>" +
                             OdsCell("office:value-type=\"string\"", "Сирене &amp; мляко") +
                             "</table:table-row>";
    const std::string content =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<office:document-content "
        "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" office:version=\"1.2\">"
        "<office:body><office:spreadsheet><table:table table:name=\"Лист1\">" +
        row1 + blank + row4 +
        "</table:table></office:spreadsheet></office:body>"
        "</office:document-content>";
    const std::string manifest =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\">"
        "<manifest:file-entry manifest:full-path=\"/\" "
        "manifest:media-type=\"application/vnd.oasis.opendocument.spreadsheet\"/>"
        "<manifest:file-entry manifest:full-path=\"content.xml\" manifest:media-type=\"text/xml\"/>"
        "</manifest:manifest>";
    CStoredZip zip;
    zip.Add("mimetype", "application/vnd.oasis.opendocument.spreadsheet");
    zip.Add("content.xml", content);
    zip.Add("META-INF/manifest.xml", manifest);
    std::ofstream(path, std::ios::binary) << zip.Finish();
}

class SpreadsheetReadTest : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return (temp.Path() / name).string(); }
    std::vector<std::string> Read(const std::string& path, const std::string& sheet = {}) {
        SheetData data;
        error.clear();
        EXPECT_TRUE(ReadSpreadsheetFile(path, sheet, data, error)) << error;
        return test::RenderSheet(data);
    }
    bool Fails(const std::string& path, const std::string& sheet = {}) {
        SheetData data;
        return !ReadSpreadsheetFile(path, sheet, data, error) && data.rows.empty();
    }

    test::TempFolder temp{"tillora-sheets-read"};
    std::string error;
};

TEST_F(SpreadsheetReadTest, XlsxGivesTypedCellsByTheSheetsRowNumbers) {
    ASSERT_TRUE(CanReadSpreadsheets());
    WritePriceListXlsx(Path("prices.xlsx"));
    EXPECT_THAT(Read(Path("prices.xlsx")),
                ElementsAre("1: №|Име|Баркод|Цена", "2: #1|Хляб \"Добруджа\"|0000000123|#1.2",
                            "4: #2|Мляко|#3800121000029|#2.4", "5: |#1||#100000000000"));
    EXPECT_THAT(Read(Path("prices.xlsx"), "Склад"), ElementsAre("3: |друго"));
}

TEST_F(SpreadsheetReadTest, OdsGivesTypedCellsByTheSheetsRowNumbers) {
    WritePriceListOds(Path("prices.ods"));
    EXPECT_THAT(Read(Path("prices.ods")), ElementsAre("1: Име|#12.5", "4: |Сирене & мляко"));
}

TEST_F(SpreadsheetReadTest, SaysWhyAFileGivesNoSheet) {
    WritePriceListXlsx(Path("prices.xlsx"));
    std::ofstream(Path("list.txt"), std::ios::binary) << "1\tХляб\n";
    std::ofstream(Path("broken.xlsx"), std::ios::binary) << "PK\x03\x04 not really";
    const struct {
        std::string file;
        std::string sheet;
        std::string message;
    } cases[] = {
        {"missing.xlsx", "",
         FormatMessage(ids::FileNotOpenedForReading, Path("missing.xlsx").c_str())},
        {"list.txt", "", FormatMessage(ids::SheetFileNotSpreadsheet, Path("list.txt").c_str())},
        {"prices.xlsx", "Няма",
         FormatMessage(ids::SheetNotFound, Path("prices.xlsx").c_str(), "Няма",
                       "\"Цени\", \"Склад\"")},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(Fails(Path(c.file), c.sheet)) << c.file;
        EXPECT_EQ(error, c.message);
    }
    EXPECT_TRUE(Fails(Path("broken.xlsx")));
    EXPECT_FALSE(error.empty());
}

TEST(NumberTextTest, ShortestDecimalNeverUsesAnExponent) {
    const std::pair<double, const char*> cases[] = {
        {12.5, "12.5"},      {1.2, "1.2"},           {0.0, "0"},
        {-0.0, "0"},         {1e11, "100000000000"}, {3800121000029.0, "3800121000029"},
        {1e-7, "0.0000001"}, {-3.25, "-3.25"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(ShortestDecimal(value), text) << value;
    }
}

} // namespace
} // namespace tillora
