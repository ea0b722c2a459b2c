#include "FrameLog.h"
#include "SimProcess.h"
#include "TempFolder.h"
#include "link/FileReplace.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "tables/TableLine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace tillora {
namespace {

namespace fs = std::filesystem;
using test::ProgramResult;
using test::RunProgram;
using test::SimProcess;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::MatchesRegex;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The table file's lines by row label, with the cell of the column replaced.
using TableLines = std::map<int, std::vector<std::string>>;

TableLines ReadLines(const fs::path& path) {
    TableLines table;
    for (const std::string& line : Lines(ReadWholeFile(path).value_or(""))) {
        std::vector<std::string> fields;
        fields.reserve(static_cast<std::size_t>(FieldCount(line)));
        for (int f = 0; f < FieldCount(line); ++f) {
            fields.emplace_back(GetField(CutLineEnd(line), f));
        }
        table[ParseRowNumber(line)] = fields;
    }
    return table;
}

void WriteLines(const fs::path& path, const TableLines& table) {
    std::ofstream out(path, std::ios::binary);
    for (const auto& [row, fields] : table) {
        for (std::size_t f = 0; f < fields.size(); ++f) {
            out << fields[f] << (f + 1 < fields.size() ? "\t" : "\r\n");
        }
    }
}

using test::LoggedFrame;

std::vector<LoggedFrame> Frames(const fs::path& log) {
    return test::ReadFrameLog(log);
}

// The records of the last transfer in the log: the "r" frames between its "a" and its "z".
std::vector<std::string> LastTransfer(const fs::path& log) {
    const std::vector<LoggedFrame> frames = Frames(log);
    std::vector<std::string> records;
    for (const LoggedFrame& frame : frames) {
        if (frame.kind == "a") {
            records.clear();
        } else if (frame.kind == "r") {
            records.push_back(frame.payload);
        }
    }
    return records;
}

// A model 0 article record that carries only the one field: every other byte, the constant
// ones included, is the no-value byte.
std::string OnlyField(const std::string& number, std::size_t offset, const std::string& field) {
    constexpr std::size_t FieldsWidth = 54; // name 12 .. payment type, behind the number
    std::string payload(FieldsWidth, '"');
    payload.replace(offset, field.size(), field);
    return number + payload;
}
constexpr std::size_t NameAt = 0;
constexpr std::size_t PriceAt = 24;

class CliChangesE2ETest : public ::testing::Test {
protected:
    CliChangesE2ETest() {
        // The register's new table: three prices, one name and one new article.
        TableLines table = ReadLines(Example());
        table[1][3] = "1.30";
        table[2][3] = "1.95";
        table[3][3] = "2.50";
        table[4][1] = "NEW NAME";
        table[40] = {"40", "TEA", "", "3.10", "\xC1", "1", "0", "5.000"};
        WriteLines(NewFile(), table);
    }

    static fs::path Example() { return fs::path(TILLORA_SOURCE_DIR) / "examples" / "articles.txt"; }
    fs::path Path(const std::string& name) const { return temp.Path() / name; }
    fs::path NewFile() const { return Path("new.txt"); }

    // A register of its own serial, keeping its tables and a log in folders named after it.
    std::unique_ptr<SimProcess> Register(const std::string& name, unsigned serial,
                                         std::vector<std::string> more = {}) {
        std::vector<std::string> args = {"--model",    "0",
                                         "--serial",   std::to_string(serial),
                                         "--save-dir", Path(name).string(),
                                         "--log",      Path(name + ".log").string()};
        args.insert(args.end(), more.begin(), more.end());
        return std::make_unique<SimProcess>(args);
    }
    ProgramResult Cli(const SimProcess& sim, unsigned serial, std::vector<std::string> args) {
        args.insert(args.begin(), {"--port", sim.Device(), "--model", "0", "--serial",
                                   std::to_string(serial), "--gap", "0", "--quiet"});
        return RunProgram(
            "tillora-cli", args,
            {"TILLORA_INI=" + Path("t.ini").string(), "XDG_DATA_HOME=" + Path("data").string()});
    }
    fs::path KnownArticles(const std::string& serial) const {
        return Path("data") / "tillora" / "registers" / (serial + "-model0") / "articles.txt";
    }

    test::TempFolder temp{"tillora-cli-changes"};
};

TEST_F(CliChangesE2ETest, OnlyTheChangedFieldsGoAndTheRegisterEndsAsAfterAWholeSend) {
    {
        // Another register, whose known state is its own.
        auto sim = Register("whole", 456);
        EXPECT_EQ(Cli(*sim, 456, {"send", "articles", Example().string()}).status, 0);
        EXPECT_EQ(Cli(*sim, 456, {"send", "articles", NewFile().string()}).status, 0);
    }
    const std::vector<std::string> whole = LastTransfer(Path("whole.log"));
    {
        auto sim = Register("changes", 123);
        EXPECT_EQ(Cli(*sim, 123, {"send", "articles", Example().string()}).status, 0);
        const ProgramResult diff = Cli(*sim, 123, {"diff", "articles", NewFile().string()});
        EXPECT_EQ(diff.status, 0) << diff.err;
        // Cell by cell, in the order of the record's fields.
        EXPECT_THAT(Lines(diff.out),
                    ElementsAre("1\tprice\t1.20\t1.30", "2\tprice\t1.85\t1.95",
                                "3\tprice\t2.40\t2.50", HasSubstr("4\tname\t"), "40\tname\t\tTEA",
                                "40\tprice\t\t3.10", "40\tstock\t\t5.000", "40\ttax\t\tБ",
                                "40\tsubgroup\t\t1", "40\tpayment\t\t0"));
        const ProgramResult sent =
            Cli(*sim, 123, {"send", "articles", NewFile().string(), "--changed"});
        EXPECT_EQ(sent.status, 0) << sent.err;
        // The time it took follows the counts.
        std::string said = FormatMessage(ids::ChangesSent, 5u, 1u, "@");
        said.replace(said.find('@'), 1, "[0-9]+,[0-9]");
        EXPECT_THAT(sent.out, MatchesRegex(said + "\n"));
        EXPECT_THAT(LastTransfer(Path("changes.log")),
                    ElementsAre(OnlyField("0001", PriceAt, "000001302"),
                                OnlyField("0002", PriceAt, "000001952"),
                                OnlyField("0003", PriceAt, "000002502"),
                                OnlyField("0004", NameAt, "NEW NAME    "), whole.back()));
        EXPECT_THAT(whole.back(), HasSubstr("0040TEA")) << "the new row as send all sends it";

        // Nothing left to send: nothing goes on the line, not even "a".
        const std::size_t framesBefore = Frames(Path("changes.log")).size();
        const ProgramResult again =
            Cli(*sim, 123, {"send", "articles", NewFile().string(), "--changed"});
        EXPECT_EQ(again.status, 0) << again.err;
        EXPECT_EQ(again.out, FormatMessage(ids::NoChanges) + "\n");
        const std::vector<LoggedFrame> frames = Frames(Path("changes.log"));
        EXPECT_EQ(frames.size(), framesBefore);
    }
    EXPECT_EQ(ReadWholeFile(Path("changes/articles.txt")),
              ReadWholeFile(Path("whole/articles.txt")));
}

TEST_F(CliChangesE2ETest, ARefusalMidSendForgetsTheKnownStateAndTheNextSendAsks) {
    {
        auto sim = Register("first", 123);
        EXPECT_EQ(Cli(*sim, 123, {"send", "articles", Example().string()}).status, 0);
    }
    ASSERT_TRUE(fs::exists(KnownArticles("000123")));
    {
        // Frame 1 is "a", 2 the first changed row, 3 the second.
        auto sim =
            Register("second", 123, {"--articles", Example().string(), "--refuse-frame", "3"});
        const ProgramResult result =
            Cli(*sim, 123, {"send", "articles", NewFile().string(), "--changed"});
        EXPECT_EQ(result.status, 1);
        EXPECT_THAT(result.err, HasSubstr(FormatMessage(ids::RegisterRefused)));
    }
    EXPECT_FALSE(fs::exists(KnownArticles("000123")));
    auto sim = Register("third", 123);
    const ProgramResult asked =
        Cli(*sim, 123, {"send", "articles", NewFile().string(), "--changed"});
    EXPECT_EQ(asked.status, 1);
    EXPECT_THAT(asked.err,
                HasSubstr(FormatMessage(ids::KnownStateMissing, "000123").substr(0, 40)));
    EXPECT_THAT(asked.err, HasSubstr(FormatMessage(ids::NothingSent)));
    EXPECT_TRUE(Frames(Path("third.log")).empty()) << "nothing went on the line";

    const ProgramResult yes =
        Cli(*sim, 123, {"--yes", "send", "articles", NewFile().string(), "--changed"});
    EXPECT_EQ(yes.status, 0) << yes.err;
    EXPECT_EQ(yes.out, FormatMessage(ids::RowsSent, 34u) + "\n") << "the whole table instead";
    EXPECT_TRUE(fs::exists(KnownArticles("000123")));
}

TEST_F(CliChangesE2ETest, TheReportRenewsWhatIsKnownAndEachRegisterKeepsItsOwn) {
    {
        // Register 123 took the old table from us; its prices were then changed at its keyboard.
        auto sim = Register("first", 123);
        EXPECT_EQ(Cli(*sim, 123, {"send", "articles", Example().string()}).status, 0);
    }
    {
        auto sim = Register("second", 456);
        EXPECT_EQ(Cli(*sim, 456, {"send", "articles", NewFile().string()}).status, 0);
    }
    auto first = Register("first-again", 123, {"--articles", NewFile().string()});
    auto second = Register("second-again", 456, {"--articles", NewFile().string()});
    EXPECT_EQ(Lines(Cli(*first, 123, {"diff", "articles", NewFile().string()}).out).size(), 10u)
        << "the keyboard's changes are not known before the report";
    EXPECT_EQ(Cli(*second, 456, {"diff", "articles", NewFile().string()}).out, "");

    EXPECT_EQ(Cli(*first, 123, {"report", "--articles", Path("report.txt").string()}).status, 0);
    const ProgramResult diff = Cli(*first, 123, {"diff", "articles", NewFile().string()});
    EXPECT_EQ(diff.status, 0) << diff.err;
    EXPECT_EQ(diff.out, "");
    EXPECT_THAT(diff.err, HasSubstr(FormatMessage(ids::ChangesSummary, 0u, 0u, 0u)));
}

} // namespace
} // namespace tillora
