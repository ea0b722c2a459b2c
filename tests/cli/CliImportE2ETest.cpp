#include "RecordingFeedback.h"
#include "SimProcess.h"
#include "TempFolder.h"
#include "cli/CliFeedback.h"
#include "link/Cp1251.h"
#include "link/EcrSettings.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "tables/MemoryGridAccess.h"
#include "tables/TableReader.h"
#include "tables/TableSetup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tillora {
namespace {

namespace fs = std::filesystem;
using test::ProgramResult;
using test::RunProgram;
using test::SimProcess;
using ::testing::HasSubstr;

// A price list as a spreadsheet saves it: UTF-8 with its mark, semicolons, a title line, the
// columns in an order of its own with one the table lacks, decimal commas and currency.
constexpr std::string_view PriceList = "\xEF\xBB\xBF"
                                       "Ценова листа;;;;\r\n"
                                       "Бележка;Цена;№;Наименование;EAN;Дан. група\r\n"
                                       ";1,20 лв.;3;Хляб;3800000000017;Б\r\n"
                                       "нов;\"1 234,50\";7;\"Вино \"\"Мавруд\"\"\";;A\r\n"
                                       ";0,895;12;Мляко;3.80E+12;В\r\n";

class CliImportE2ETest : public ::testing::Test {
protected:
    ProgramResult Cli(std::vector<std::string> args) {
        return RunProgram("tillora-cli", args, {"TILLORA_INI=" + (temp.Path() / "t.ini").string()});
    }
    std::string Path(const std::string& name) const { return (temp.Path() / name).string(); }

    test::TempFolder temp{"tillora-cli-import"};
};

TEST_F(CliImportE2ETest, ImportWritesTheTableFileAndTellsEveryProblem) {
    std::ofstream(Path("prices.csv"), std::ios::binary) << PriceList;
    const ProgramResult result =
        Cli({"--model", "0", "import", "articles", Path("prices.csv"), "-o", Path("out.txt")});
    EXPECT_EQ(result.status, 0) << result.err;
    std::ifstream in(Path("out.txt"), std::ios::binary);
    const std::string written{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(Cp1251ToUtf8(written), "3\tХляб\t3800000000017\t1.20\tБ\t\t\t\r\n"
                                     "7\tВино \"Мавруд\"\t\t1234.50\tА\t\t\t\r\n"
                                     "12\tМляко\t\t0.90\tВ\t\t\t\r\n");
    EXPECT_THAT(result.err, HasSubstr(FormatMessage(ids::ImportTextFormat, "utf-8", ";")));
    EXPECT_THAT(result.err, HasSubstr(FormatMessage(ids::ImportAtCell, 4, 6, "Дан. Гр.") +
                                      FormatMessage(ids::ImportTaxLetterLookAlike, "A", "А")));
    EXPECT_THAT(result.err,
                HasSubstr(FormatMessage(ids::ImportAtCell, 4, 4, "Име") +
                          FormatMessage(ids::ImportTextTooLong, "Вино \"Мавруд\"", 12)));
    EXPECT_THAT(result.err, HasSubstr(FormatMessage(ids::ImportAtCell, 5, 5, "Баркод") +
                                      FormatMessage(ids::ImportBarcodeExponent, "3.80E+12")));
    EXPECT_THAT(result.err, HasSubstr(FormatMessage(ids::ImportSummary, 3, 3)));
}

// A table exported as a workbook comes back as it was: the header row chooses the columns, the
// "№" column the rows, and numbers and barcodes keep every digit.
TEST_F(CliImportE2ETest, AnExportedWorkbookImportsBackToTheSameTable) {
    const std::string table = Utf8ToCp1251("1\tХляб бял\t3800121000012\t1.20\tА\t0\t0\t48.000\r\n"
                                           "5\tМляко\t\t2.59\tБ\t1\t0\t36.000\r\n"
                                           "2600\tСол\t000000000017\t0.89\tВ\t9\t1\t1.250\r\n");
    std::ofstream(Path("in.txt"), std::ios::binary) << table;
    for (const std::string workbook : {"out.xlsx", "out.csv"}) {
        const ProgramResult exported =
            Cli({"--model", "0", "export", "articles", Path("in.txt"), Path(workbook)});
        ASSERT_EQ(exported.status, 0) << exported.err;
        const ProgramResult imported = Cli({"--model", "0", "--quiet", "import", "articles",
                                            Path(workbook), "-o", Path("back.txt")});
        ASSERT_EQ(imported.status, 0) << imported.err;
        std::ifstream in(Path("back.txt"), std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), table) << workbook;
    }
}

// Every price reaches the register on the article its row number names.
TEST_F(CliImportE2ETest, SendFromAPriceListPutsEveryPriceOnItsArticle) {
    std::ofstream(Path("prices.csv"), std::ios::binary)
        << "\"№\",Цена,Име\n5,\"1,20\",Хляб\n9,0.89 лв.,Мляко\n2600,\"1 000\",Сол\n";
    {
        SimProcess sim({"--model", "0", "--serial", "123", "--save-dir", Path("ecr")});
        ASSERT_FALSE(sim.Device().empty());
        const ProgramResult result =
            Cli({"--port", sim.Device(), "--model", "0", "--serial", "123", "--gap", "0", "send",
                 "articles", Path("prices.csv"), "--import"});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, FormatMessage(ids::RowsSent, 3) + "\n");
    }
    ConnectionSettings().EcrType = 0;
    CCellGrid held;
    SetupTable(held, TableKind::Articles);
    CMemoryGridAccess access(held);
    test::RecordingFeedback feedback;
    ASSERT_TRUE(TableReader(access).ReadTableFile(Path("ecr/articles.txt"), feedback));
    ConnectionSettings() = {};
    for (int row = 1; row <= 2600; ++row) {
        const std::string expected = row == 5      ? "1.20"
                                     : row == 9    ? "0.89"
                                     : row == 2600 ? "1000.00"
                                                   : "";
        ASSERT_EQ(held.GetItemText(row, 3), expected) << "article " << row;
    }
    EXPECT_EQ(Cp1251ToUtf8(held.GetItemText(9, 1)), "МЛЯКО");
}

TEST_F(CliImportE2ETest, AnImportWithProblemsIsSentOnlyWhenTheUserSaysSo) {
    std::ofstream(Path("prices.csv"), std::ios::binary) << "Име;Цена\nХляб;много\n";
    const ProgramResult result = Cli({"--model", "0", "--serial", "123", "--com", "1", "--no",
                                      "send", "articles", Path("prices.csv"), "--import"});
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.err, HasSubstr(FormatMessage(ids::ImportValueRefused, "много")));
    EXPECT_THAT(result.err, HasSubstr(cli::TerminalText(FormatMessage(ids::ImportSendAnyway, 1))));
}

// Price lists as LibreOffice, Gnumeric and openpyxl save them import whole; a workbook that
// cannot be read is told why, and never takes the program down.
TEST_F(CliImportE2ETest, WorkbooksOfEveryProgramImportAndTheUnreadableAreTold) {
    const auto workbook = [](const std::string& name) {
        return (fs::path(TILLORA_SOURCE_DIR) / "tests" / "sheets" / "workbooks" / name).string();
    };
    const auto table = [](const std::string& formulaPrice) {
        return Utf8ToCp1251("1\tХляб „Добруджа“\t3800121000012\t1.20\tБ\t\t\t\r\n"
                            "2\tМляко 3%\t000000000123\t2.59\tВ\t\t\t\r\n"
                            "5\tСирене краве\t3800000000017\t" +
                            formulaPrice +
                            "\tБ\t\t\t\r\n"
                            "2600\tСол йодирана\t3800121000029\t0.89\tА\t\t\t\r\n");
    };
    for (const std::string name : {"libreoffice.ods", "libreoffice.xlsx", "gnumeric.ods",
                                   "gnumeric.xlsx", "openpyxl.xlsx"}) {
        fs::remove(Path("out.txt"));
        const ProgramResult result =
            Cli({"--model", "0", "import", "articles", workbook(name), "-o", Path("out.txt")});
        EXPECT_EQ(result.status, 0) << name << ": " << result.err;
        std::ifstream in(Path("out.txt"), std::ios::binary);
        const bool formulaKept = name != "openpyxl.xlsx";
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
                  table(formulaKept ? "2.40" : ""))
            << name;
        if (!formulaKept) {
            EXPECT_THAT(result.err, HasSubstr(FormatMessage(ids::ImportAtCell, 6, 4, "Цена") +
                                              FormatMessage(ids::ImportValueRefused, "=D3*2")));
        }
    }
    const struct {
        std::string name;
        unsigned messageId;
    } unreadable[] = {{"empty.xlsx", ids::SheetFileEmpty},
                      {"old-format-renamed.xlsx", ids::SheetFileOldExcel},
                      {"password.ods", ids::SheetFileEncrypted},
                      {"truncated.xlsx", ids::SheetFileBroken},
                      {"damaged.xlsx", ids::SheetFileDamaged}};
    for (const auto& file : unreadable) {
        const ProgramResult result =
            Cli({"--model", "0", "import", "articles", workbook(file.name), "-o", Path("out.txt")});
        EXPECT_EQ(result.status, 1) << file.name << ": " << result.err;
        const std::string message = FormatMessage(file.messageId, workbook(file.name).c_str(), "");
        EXPECT_THAT(result.err, HasSubstr(message.substr(0, message.find(':')))) << file.name;
    }
}

} // namespace
} // namespace tillora
