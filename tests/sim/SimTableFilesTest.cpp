// The register's tables as table files: what it writes, what it reads, and the built-in demo.

#include "sim/SimTableFiles.h"
#include "TempFolder.h"
#include "sim/SimReport.h"
#include "sim/SimTables.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace tillora::sim {
namespace {

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// ХЛЯБ and хляб in Windows-1251.
const std::string Bread = "\xD5\xCB\xDF\xC1";
const std::string SmallBread = "\xF5\xEB\xFF\xE1";

SimTables SomeTables() {
    SimTables tables;
    SimArticle& bread = tables.articles[7];
    bread.name = Bread;
    bread.barcode = "380000000017";
    bread.price = 120;
    bread.stock = 2500;
    bread.taxGroup = 1;
    bread.subgroup = 3;
    bread.paymentType = 0;
    SimArticle& bare = tables.articles[2600];
    bare.price = 5;
    tables.operators[0] = "IVAN";
    tables.operators[8] = "MARIA";
    tables.subgroups[0] = {Bread, 50, 2};
    tables.subgroups[9].name = "OTHER";
    tables.headerLines[1] = {"OOD PRIMER", true};
    return tables;
}

TEST(SimTableFilesTest, TablesAreWrittenAsTheProgramsTableFiles) {
    test::TempFolder folder("simtables");
    std::string error;
    ASSERT_TRUE(SaveSimTables(SomeTables(), 0, (folder.Path() / "out").string(), error)) << error;
    EXPECT_EQ(ReadFile(folder.Path() / "out" / "articles.txt"),
              "7\t" + Bread +
                  "\t380000000017\t1.20\t\xC1\t3\t0\t2.500\r\n"
                  "2600\t\t\t0.05\t\t\t\t\r\n");
    EXPECT_EQ(ReadFile(folder.Path() / "out" / "operators.txt"), "1\tIVAN\r\n9\tMARIA\r\n");
    EXPECT_EQ(ReadFile(folder.Path() / "out" / "subgroups.txt"),
              "0\t" + Bread + "\t0.50\t\xC2\r\n9\tOTHER\t\t\r\n");
    EXPECT_EQ(ReadFile(folder.Path() / "out" / "company.txt"),
              "1\t\t0\r\n2\tOOD PRIMER\t1\r\n3\t\t0\r\n4\t\t0\r\n5\t\t0\r\n6\t\t0\r\n");
}

TEST(SimTableFilesTest, TaxGroupsAreTheLettersOfTheModel) {
    test::TempFolder folder("simtables");
    const std::string path = (folder.Path() / "a.txt").string();
    std::string error;
    for (const auto& [model, letter] :
         {std::pair<int, std::string>{0, "\xC1"}, {3, "\xC0"}, {8, "A"}}) {
        ASSERT_TRUE(SaveSimTable(SomeTables(), model, TableKind::Articles, path, error)) << error;
        EXPECT_NE(ReadFile(path).find("\t1.20\t" + letter + "\t"), std::string::npos) << model;
    }
}

TEST(SimTableFilesTest, SavedTablesLoadBackTheSame) {
    for (int model : {0, 1, 5, 7}) {
        test::TempFolder folder("simtables");
        const SimTables original = SomeTables();
        std::string error;
        ASSERT_TRUE(SaveSimTables(original, model, folder.Path().string(), error)) << error;
        SimTables loaded;
        for (TableKind kind : SimTableKinds) {
            ASSERT_TRUE(LoadSimTable(loaded, model, kind,
                                     (folder.Path() / SimTableFileName(kind)).string(), error))
                << error;
        }
        ASSERT_EQ(loaded.articles.size(), 2u);
        const SimArticle& bread = loaded.articles.at(7);
        EXPECT_EQ(bread.name, Bread);
        EXPECT_EQ(bread.barcode, "380000000017");
        EXPECT_EQ(bread.price, 120u);
        EXPECT_EQ(bread.stock, 2500u);
        EXPECT_EQ(bread.taxGroup, 1);
        EXPECT_EQ(bread.subgroup, 3);
        EXPECT_EQ(bread.paymentType, 0);
        EXPECT_FALSE(loaded.articles.at(2600).stock.has_value());
        EXPECT_EQ(loaded.operators, original.operators);
        EXPECT_EQ(loaded.subgroups[0].name, Bread);
        EXPECT_EQ(loaded.subgroups[0].price, 50u);
        EXPECT_EQ(loaded.subgroups[0].taxGroup, 2);
        EXPECT_FALSE(loaded.subgroups[9].price.has_value());
        EXPECT_EQ(loaded.headerLines[1].text, "OOD PRIMER");
        EXPECT_TRUE(loaded.headerLines[1].flag);

        // And written again, byte for byte the same files.
        test::TempFolder again("simtables");
        ASSERT_TRUE(SaveSimTables(loaded, model, again.Path().string(), error)) << error;
        for (TableKind kind : SimTableKinds) {
            EXPECT_EQ(ReadFile(again.Path() / SimTableFileName(kind)),
                      ReadFile(folder.Path() / SimTableFileName(kind)))
                << model << " " << SimTableFileName(kind);
        }
    }
}

TEST(SimTableFilesTest, LoadedTablesAreWhatTheRegisterCanHold) {
    test::TempFolder folder("simtables");
    const std::filesystem::path path = folder.Path() / "articles.txt";
    WriteFile(path, "3\t" + SmallBread +
                        " and more text\t123\t1.5\t\xE1\t7\tx\t\r\n"
                        "4\t\t\t\tB\t\t\t\r\n"
                        "5\t\t3800000000017\t\t\t\t\t1\r\n");
    SimTables tables;
    tables.articles[1].name = "GONE";
    std::string error;
    ASSERT_TRUE(LoadSimTable(tables, 0, TableKind::Articles, path.string(), error)) << error;
    ASSERT_EQ(tables.articles.size(), 3u);
    const SimArticle& article = tables.articles.at(3);
    // Twelve characters in the register's capitals.
    EXPECT_EQ(article.name, Bread + " AND MOR");
    EXPECT_EQ(article.barcode, "000000000123");
    EXPECT_EQ(article.price, 150u);
    EXPECT_EQ(article.taxGroup, 1);
    EXPECT_EQ(article.subgroup, 7);
    EXPECT_FALSE(article.paymentType.has_value());
    EXPECT_GT(article.sales, 0u);
    EXPECT_EQ(article.turnover, (150u * article.sales + 500u) / 1000u);
    // A Latin letter is no tax group of model 0.
    EXPECT_FALSE(tables.articles.at(4).taxGroup.has_value());
    EXPECT_EQ(tables.articles.at(5).barcode, "380000000001");
    EXPECT_EQ(tables.articles.at(5).stock, 1000u);

    ASSERT_TRUE(LoadSimTable(tables, 6, TableKind::Articles, path.string(), error)) << error;
    EXPECT_EQ(tables.articles.at(4).taxGroup, 2);
    EXPECT_FALSE(tables.articles.at(3).taxGroup.has_value());
}

TEST(SimTableFilesTest, LongLinesAreCutToTheModelsFields) {
    test::TempFolder folder("simtables");
    const std::filesystem::path path = folder.Path() / "company.txt";
    WriteFile(path, "1\tabcdefghijklmnopqrstuvwxyz\t1\r\n");
    for (const auto& [model, expected] : {std::pair<int, std::string>{1, "ABCDEFGHIJKLMNOPQRST"},
                                          {4, "ABCDEFGHIJKLMNOPQRSTUVWX"}}) {
        SimTables tables;
        std::string error;
        ASSERT_TRUE(LoadSimTable(tables, model, TableKind::Company, path.string(), error));
        EXPECT_EQ(tables.headerLines[0].text, expected);
        EXPECT_TRUE(tables.headerLines[0].flag);
    }
}

TEST(SimTableFilesTest, ValuesBeyondTheRegisterAreRefusedAndChangeNothing) {
    test::TempFolder folder("simtables");
    const std::filesystem::path path = folder.Path() / "articles.txt";
    const SimTables before = SomeTables();
    for (const char* line : {"1\t\t\t1000000.00\t\t\t\t\r\n", "1\t\t\t\t\t\t\t1000000\r\n"}) {
        WriteFile(path, line);
        SimTables tables = before;
        std::string error;
        EXPECT_FALSE(LoadSimTable(tables, 0, TableKind::Articles, path.string(), error));
        EXPECT_NE(error.find("article 1"), std::string::npos) << error;
        EXPECT_EQ(tables.articles.size(), 2u);
        EXPECT_EQ(tables.articles.at(7).price, 120u);
    }
}

TEST(SimTableFilesTest, MissingFileIsAnError) {
    test::TempFolder folder("simtables");
    SimTables tables = SomeTables();
    std::string error;
    EXPECT_FALSE(LoadSimTable(tables, 0, TableKind::Operators,
                              (folder.Path() / "none.txt").string(), error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(tables.operators[0], "IVAN");
}

TEST(SimTableFilesTest, DemoHasAGroceryWorthAReport) {
    const SimTables demo = DemoTables();
    EXPECT_GE(demo.articles.size(), 12u);
    for (const auto& [number, article] : demo.articles) {
        EXPECT_FALSE(article.name.empty()) << number;
        EXPECT_LE(article.name.size(), 12u) << number;
        EXPECT_EQ(article.barcode.size(), 12u) << number;
        EXPECT_GT(article.price.value_or(0), 0u) << number;
        EXPECT_GT(article.sales, 0u) << number;
        EXPECT_GT(article.turnover, 0u) << number;
        for (int model = 0; model < 10; ++model) {
            EXPECT_NE(TaxGroupLetter(model, article.taxGroup.value_or(-1)), '\0') << number;
        }
    }
    EXPECT_FALSE(demo.operators[0].empty());
    EXPECT_FALSE(demo.subgroups[1].name.empty());
    for (const SimHeaderLine& line : demo.headerLines) {
        EXPECT_LE(line.text.size(), 20u);
    }
    EXPECT_FALSE(demo.headerLines[0].text.empty());
    // Everything in it is as the register's character set leaves it.
    for (int model : {0, 1, 5, 9}) {
        test::TempFolder folder("simtables");
        std::string error;
        ASSERT_TRUE(SaveSimTables(demo, model, folder.Path().string(), error));
        SimTables loaded;
        ASSERT_TRUE(LoadSimTable(loaded, model, TableKind::Articles,
                                 (folder.Path() / "articles.txt").string(), error));
        for (const auto& [number, article] : demo.articles) {
            EXPECT_EQ(loaded.articles.at(number).name, article.name);
        }
        EXPECT_EQ(ReportLines(demo, model, "000123").size(), demo.articles.size() + 10);
    }
}

} // namespace
} // namespace tillora::sim
