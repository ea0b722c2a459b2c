#include "RecordingFeedback.h"
#include "SimProcess.h"
#include "TempFolder.h"
#include "link/Charset.h"
#include "link/EcrSettings.h"
#include "link/FileReplace.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "tables/MemoryGridAccess.h"
#include "tables/TableReader.h"
#include "tables/TableSetup.h"
#include "tables/TypedCells.h"

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

const std::vector<std::pair<TableKind, std::string>> Tables = {{TableKind::Articles, "articles"},
                                                               {TableKind::Operators, "operators"},
                                                               {TableKind::Subgroups, "subgroups"},
                                                               {TableKind::Company, "company"}};

fs::path Example(const std::string& table) {
    return fs::path(TILLORA_SOURCE_DIR) / "examples" / (table + ".txt");
}

// A table file read as the program reads it, under the model.
class LoadedFile {
public:
    LoadedFile(TableKind kind, const fs::path& path, int model) {
        ConnectionSettings().EcrType = model;
        SetupTable(grid, kind);
        test::RecordingFeedback feedback;
        loaded = TableReader(access).ReadTableFile(path.string(), feedback);
        ConnectionSettings() = {};
    }
    CCellGrid grid;
    CMemoryGridAccess access{grid};
    bool loaded = false;
};

// What a register can hold of a cell's text: its letters are capitals, a barcode has twelve
// digits.
std::string AsTheRegisterHoldsIt(const CCellGrid& grid, int row, int column) {
    std::string text = grid.GetItemText(row, column);
    if (dynamic_cast<const CGridCellBarcode*>(grid.GetCell(row, column)) != nullptr) {
        return text.substr(0, 12);
    }
    if (dynamic_cast<const CGridCellCheck*>(grid.GetCell(row, column)) != nullptr) {
        return ConnectionSettings().EcrType >= 2 ? "0" : text; // only models 0 and 1 send it
    }
    const CGridCellBase& cell = *grid.GetCell(row, column);
    if (typeid(cell) == typeid(CGridCell)) {
        ConvertText(text, Direction::ToRegister);
        ConvertText(text, Direction::FromRegister);
    }
    return text;
}

class CliSendE2ETest : public ::testing::TestWithParam<int> {
protected:
    ProgramResult Cli(std::vector<std::string> args) {
        return RunProgram("tillora-cli", args, {"TILLORA_INI=" + (temp.Path() / "t.ini").string()});
    }
    // tillora-cli against the register on its pseudo-terminal, for the model of the test.
    ProgramResult Send(const SimProcess& sim, std::vector<std::string> args) {
        args.insert(args.begin(), {"--port", sim.Device(), "--model", std::to_string(GetParam()),
                                   "--serial", "123", "--gap", "0"});
        return Cli(args);
    }
    std::vector<std::string> SimOptions() const {
        return {"--model",    std::to_string(GetParam()),    "--serial", "123",
                "--save-dir", (temp.Path() / "ecr").string()};
    }
    fs::path Saved(const std::string& table) const {
        return temp.Path() / "ecr" / (table + ".txt");
    }

    void ExpectTheRegisterHolds(TableKind kind, const std::string& table, const CCellGrid& meant,
                                const std::vector<int>& columns) {
        LoadedFile held(kind, Saved(table), GetParam());
        ASSERT_TRUE(held.loaded) << table;
        ConnectionSettings().EcrType = GetParam();
        for (int r = 1; r < meant.GetRowCount(); ++r) {
            for (int c : columns) {
                EXPECT_EQ(held.grid.GetItemText(r, c), AsTheRegisterHoldsIt(meant, r, c))
                    << table << " row " << r << " column " << c << " under model " << GetParam();
            }
        }
        ConnectionSettings() = {};
    }

    test::TempFolder temp{"tillora-cli-send"};
};

// The columns a model's records carry: model 1 sends neither payment type nor stock of an
// article, nor price and tax group of a subgroup.
std::vector<int> SentColumns(TableKind kind, int model) {
    if (model == 1 && kind == TableKind::Articles) {
        return {1, 2, 3, 4, 5};
    }
    if (model == 1 && kind == TableKind::Subgroups) {
        return {1};
    }
    std::vector<int> columns;
    for (int c = 1; c < ShapeOf(kind).columns; ++c) {
        columns.push_back(c);
    }
    return columns;
}

TEST_P(CliSendE2ETest, EveryTableSentWholeArrivesAsMeant) {
    {
        SimProcess sim(SimOptions());
        ASSERT_FALSE(sim.Device().empty());
        for (const auto& [kind, table] : Tables) {
            const ProgramResult result = Send(sim, {"send", table, Example(table).string()});
            EXPECT_EQ(result.status, 0) << table << ": " << result.err;
            EXPECT_THAT(result.out, HasSubstr(FormatMessage(ids::RowsSent, 0).substr(2)));
        }
    }
    for (const auto& [kind, table] : Tables) {
        LoadedFile meant(kind, Example(table), GetParam());
        ExpectTheRegisterHolds(kind, table, meant.grid, SentColumns(kind, GetParam()));
    }
}

// Only the price and stock of rows 1 to 3 are sent: the register keeps the rest of what it held.
TEST_P(CliSendE2ETest, SelectedCellsChangeOnlyWhatWasSelected) {
    const std::string changed = (temp.Path() / "new-prices.txt").string();
    std::ofstream(changed, std::ios::binary) << "1\tNEW NAME\t\t9.99\t\t\t\t7.5\r\n"
                                             << "3\t\t\t0.5\r\n";
    std::vector<std::string> options = SimOptions();
    options.insert(options.end(), {"--articles", Example("articles").string()});
    {
        SimProcess sim(options);
        const ProgramResult result = Send(sim, {"--yes", "send", "articles", changed, "--rows",
                                                "1-3", "--columns", "price,stock"});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, FormatMessage(ids::SelectedCellsSent) + "\n");
    }
    LoadedFile before(TableKind::Articles, Example("articles"), GetParam());
    LoadedFile held(TableKind::Articles, Saved("articles"), GetParam());
    ASSERT_TRUE(held.loaded);
    EXPECT_EQ(held.grid.GetItemText(1, 3), "9.99");
    EXPECT_EQ(held.grid.GetItemText(3, 3), "0.50");
    EXPECT_EQ(held.grid.GetItemText(2, 3), "0.00") << "a selected empty cell sends zeros";
    EXPECT_EQ(held.grid.GetItemText(1, 1), AsTheRegisterHoldsIt(before.grid, 1, 1));
    EXPECT_EQ(held.grid.GetItemText(4, 3), before.grid.GetItemText(4, 3));
    if (GetParam() != 1) {
        EXPECT_EQ(held.grid.GetItemText(1, 7), "7.500");
        EXPECT_EQ(held.grid.GetItemText(2, 7), "0.000");
    }
}

INSTANTIATE_TEST_SUITE_P(Models, CliSendE2ETest, ::testing::Values(0, 1, 5, 7));

} // namespace
} // namespace tillora
