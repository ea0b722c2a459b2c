#include "SheetRendering.h"
#include "link/Cp1251.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "sheets/PartChecks.h"
#include "sheets/SheetSource.h"
#include "tables/ImportPlan.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

namespace tillora {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// The workbooks beside this test, saved by the programs shops use (see workbooks/README.md).
std::string Workbook(const std::string& name) {
    return std::string(TILLORA_SOURCE_DIR) + "/tests/sheets/workbooks/" + name;
}

// Every cell of the price list as each program saved it: a merged title, the header, a date,
// barcodes as numbers and as text, a price typed with a decimal comma, an empty row, a formula.
std::vector<std::string> PriceList(const std::string& formulaCell) {
    return {"1: Ценова листа на магазин „Роза“",
            "2: №|Наименование|Баркод|Цена|Дан. група|Бележка",
            "3: #1|Хляб „Добруджа“|#3800121000012|#1.2|Б|2026-12-01",
            "4: #2|Мляко 3%|0000000123|2,59|В|внос",
            "6: #5|Сирене краве|#3800000000017|" + formulaCell + "|Б",
            "7: #2600|Сол йодирана|3800121000029|#0.89|А"};
}

// The plan's table as rows of "row: cell|cell|..." in UTF-8.
std::vector<std::string> RenderTable(const ImportPlan& plan) {
    std::map<int, std::map<int, std::string>> rows;
    for (const ImportCell& cell : plan.cells) {
        rows[cell.row][cell.column] = Cp1251ToUtf8(cell.text);
    }
    std::vector<std::string> lines;
    for (const auto& [row, cells] : rows) {
        std::string line = std::to_string(row) + ":";
        for (int column = 1; column <= cells.rbegin()->first; ++column) {
            line += (column == 1 ? " " : "|") + (cells.contains(column) ? cells.at(column) : "");
        }
        lines.push_back(line);
    }
    return lines;
}

TEST(WorkbookFixturesTest, EveryProgramsWorkbookReadsWithEveryCell) {
    const struct {
        std::string file;
        std::string formulaCell; // openpyxl saves a formula without its result
    } workbooks[] = {
        {"libreoffice.ods", "#2.4"}, {"libreoffice.xlsx", "#2.4"}, {"gnumeric.ods", "#2.4"},
        {"gnumeric.xlsx", "#2.4"},   {"openpyxl.xlsx", "=D3*2"},
    };
    for (const auto& workbook : workbooks) {
        SCOPED_TRACE(workbook.file);
        SheetSource source;
        std::string error;
        ASSERT_TRUE(ReadSheetSource(Workbook(workbook.file), {}, source, error)) << error;
        EXPECT_TRUE(source.workbook);
        EXPECT_THAT(test::RenderSheet(source.sheet),
                    ElementsAreArray(PriceList(workbook.formulaCell)));

        const ImportPlan plan = PlanImport(source.sheet, TableKind::Articles, {});
        EXPECT_EQ(plan.headerLine, 2);
        const std::string price = workbook.formulaCell == "#2.4" ? "2.40" : "";
        EXPECT_THAT(RenderTable(plan), ElementsAre("1: Хляб „Добруджа“|3800121000012|1.20|Б",
                                                   "2: Мляко 3%|000000000123|2.59|В",
                                                   "5: Сирене краве|3800000000017|" + price + "|Б",
                                                   "2600: Сол йодирана|3800121000029|0.89|А"));

        SheetSourceOptions second;
        second.sheet = "Склад";
        ASSERT_TRUE(ReadSheetSource(Workbook(workbook.file), second, source, error)) << error;
        EXPECT_THAT(test::RenderSheet(source.sheet), ElementsAre("1: друго", "2: |#7"));
    }
}

TEST(WorkbookFixturesTest, AWorkbookThatCannotBeReadIsToldWhy) {
    const struct {
        std::string file;
        unsigned messageId;
    } workbooks[] = {
        {"empty.xlsx", ids::SheetFileEmpty},
        {"old-format.xls", ids::SheetFileOldExcel},
        {"old-format-renamed.xlsx", ids::SheetFileOldExcel},
        {"password.ods", ids::SheetFileEncrypted},
        {"truncated.xlsx", ids::SheetFileBroken},
        {"claimed-size.xlsx", ids::SheetFileBroken},
    };
    for (const auto& workbook : workbooks) {
        SheetSource source;
        std::string error;
        EXPECT_FALSE(ReadSheetSource(Workbook(workbook.file), {}, source, error));
        EXPECT_EQ(error, FormatMessage(workbook.messageId, Workbook(workbook.file).c_str()));
    }
    // A part whose compressed data is damaged: orcus' words follow, cut short.
    SheetSource source;
    std::string error;
    EXPECT_FALSE(ReadSheetSource(Workbook("damaged.xlsx"), {}, source, error));
    EXPECT_TRUE(error.starts_with(
        FormatMessage(ids::SheetFileDamaged, Workbook("damaged.xlsx").c_str(), "").c_str()))
        << error;
    EXPECT_LT(error.size(), 400u);
}

// orcus ends the program on a part that stops inside its markup or names a character that
// Unicode does not have, so such parts never reach it.
TEST(WorkbookFixturesTest, APartOrcusCannotTakeIsRefused) {
    const std::string_view whole[] = {"<?xml version=\"1.0\"?>\n<a b=\"x>y\"><!-- c --></a>\n",
                                      "<a><![CDATA[<b>]]></a>"};
    for (const std::string_view xml : whole) {
        EXPECT_NO_THROW(CheckXmlEnds(xml)) << xml;
    }
    const std::string_view cut[] = {"",          "<a b",      "<a b=\"x>\"",    "<a><!-- c -",
                                    "<a/><?xml", "<a/>after", "<a><![CDATA[<b>"};
    for (const std::string_view xml : cut) {
        EXPECT_THROW(CheckXmlEnds(xml), std::runtime_error) << xml;
    }
    EXPECT_NO_THROW(CheckCharacterReferences("<t>&#1062;&#x426;&#X10FFFF;&amp;</t>"));
    for (const std::string_view xml :
         {"&#1114112;", "&#xD800;", "&#0;", "&#;", "&#x;", "&#12", "&#123456789;", "&#x4g;"}) {
        EXPECT_THROW(CheckCharacterReferences(xml), std::runtime_error) << xml;
    }
}

} // namespace
} // namespace tillora
