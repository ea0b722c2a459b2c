#include "transfer/ReportReader.h"

#include "BorrowedLine.h"
#include "FakeClock.h"
#include "Frames.h"
#include "RecordingFeedback.h"
#include "ReportLineText.h"
#include "ScriptedLine.h"
#include "link/Checksum.h"
#include "link/EcrSettings.h"
#include "link/Link.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "tables/MemoryGridAccess.h"
#include "tables/TableSetup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace tillora {
namespace {

using test::AckFrame;
using test::ReportLineText;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

// An article line of the layout that models 2 to 4 and 6 to 9 share (name 13-24, price 39-47),
// padded to the given length.
std::string OtherArticle(const std::string& number, const std::string& name,
                         std::size_t length = 91) {
    return ReportLineText(length, {{8, number}, {13, name}, {39, "     1.00"}});
}

// A model 1 article line: three-digit number, name 12-27, no stock.
std::string ModelOneArticle(const std::string& number, const std::string& name) {
    return ReportLineText(81, {{8, number}, {12, name}});
}

// A subgroup line of the shared layout (name 10-21, turnover 39-49).
std::string OtherSubgroup(char digit, const std::string& name) {
    return ReportLineText(51, {{8, std::string(1, digit)}, {10, name}, {39, "      12.50"}});
}

std::vector<std::uint8_t> Joined(const std::vector<std::string>& lines) {
    std::vector<std::uint8_t> bytes;
    for (const std::string& line : lines) {
        bytes.insert(bytes.end(), line.begin(), line.end());
    }
    return bytes;
}

std::vector<std::string> AllSubgroups() {
    std::vector<std::string> lines;
    for (char d = '0'; d <= '9'; ++d) {
        lines.push_back(OtherSubgroup(d, std::string("SUB") + d));
    }
    return lines;
}

class ReportReaderTest : public ::testing::Test {
protected:
    ReportReaderTest() : savedSettings(ConnectionSettings()) {
        feedback.clock = &clock;
        SetupTable(reportGrid, TableKind::Report);
        SetupTable(subgroupGrid, TableKind::SubgroupReport);
        choice.demoLine = [this]() -> std::unique_ptr<ISerialLine> {
            ++opens;
            nameAtOpen = report.GetItemText(1, 1);
            return std::make_unique<test::BorrowedLine>(line, closes);
        };
        UseModel(2);
    }
    ~ReportReaderTest() override { ConnectionSettings() = savedSettings; }

    // The cells check tax groups against the model in force, so both follow the session.
    void UseModel(int model) {
        session.settings.EcrType = model;
        ConnectionSettings().EcrType = model;
    }

    // The register acknowledges "f" and then sends the lines at once.
    void RegisterSends(const std::vector<std::string>& lines) {
        std::vector<std::uint8_t> bytes = AckFrame();
        const std::vector<std::uint8_t> report = Joined(lines);
        bytes.insert(bytes.end(), report.begin(), report.end());
        line.AnswerNextWrite(5, bytes);
    }

    ReportOutcome Run() { return OnReadReport(report, subgroups, session); }

    // The status text of a string-table format, as the status bar shows it.
    template <typename... Args> static std::string Status(unsigned id, Args... args) {
        return FormatMessage(id, args...);
    }

    std::vector<std::uint8_t> Unread() {
        std::vector<std::uint8_t> rest(1000);
        std::size_t count = 0;
        line.Read(rest.data(), rest.size(), count);
        rest.resize(count);
        return rest;
    }

    EcrSettings savedSettings;
    test::FakeClock clock;
    test::ScriptedLine line{clock};
    test::RecordingFeedback feedback;
    LineChoice choice;
    TransferSession session{choice, clock, feedback, EcrSettings{2, 0, 123}, 0, {}};
    CCellGrid reportGrid;
    CMemoryGridAccess report{reportGrid};
    CCellGrid subgroupGrid;
    CMemoryGridAccess subgroups{subgroupGrid};
    int opens = 0;
    int closes = 0;
    std::string nameAtOpen = "not opened";
};

// ---- A complete report ----

TEST_F(ReportReaderTest, CompleteReportFillsBothTablesAndShowsTheSubgroupTab) {
    std::vector<std::string> lines = {OtherArticle("0001", "BREAD"), OtherArticle("0003", "MILK")};
    const std::vector<std::string> subgroupLines = AllSubgroups();
    lines.insert(lines.end(), subgroupLines.begin(), subgroupLines.end());
    RegisterSends(lines);

    const ReportOutcome outcome = Run();

    EXPECT_EQ(outcome, ReportOutcome::Complete);
    EXPECT_EQ(TabAfterReport(outcome), TableKind::SubgroupReport);
    EXPECT_THAT(feedback.Ids(), IsEmpty());
    EXPECT_EQ(report.GetItemText(1, 1), "BREAD");
    EXPECT_EQ(report.GetItemText(1, 3), "1.00");
    EXPECT_EQ(report.GetItemText(2, 1), "");
    EXPECT_EQ(report.GetItemText(3, 1), "MILK");
    for (int row = 1; row <= 10; ++row) {
        EXPECT_EQ(subgroups.GetItemText(row, 1), "SUB" + std::to_string(row - 1));
        EXPECT_EQ(subgroups.GetItemText(row, 4), "12.50");
    }
    EXPECT_THAT(feedback.statusTexts,
                ElementsAre(Status(ids::ReadingArticle, 1u), Status(ids::ReadingArticle, 3u),
                            Status(ids::ReadingSubgroup, 0u), Status(ids::ReadingSubgroup, 1u),
                            Status(ids::ReadingSubgroup, 2u), Status(ids::ReadingSubgroup, 3u),
                            Status(ids::ReadingSubgroup, 4u), Status(ids::ReadingSubgroup, 5u),
                            Status(ids::ReadingSubgroup, 6u), Status(ids::ReadingSubgroup, 7u),
                            Status(ids::ReadingSubgroup, 8u), Status(ids::ReadingSubgroup, 9u),
                            Status(ids::ArticlesRead, 2u)));
    EXPECT_EQ(feedback.statusTexts.back(), "Успешно прочетени 2 артикула");
}

// A stop asked for before the report comes in ends it once "f" is answered: nothing is taken,
// and the run says how far it came.
TEST_F(ReportReaderTest, StopEndsTheReportBetweenLines) {
    RegisterSends({OtherArticle("0001", "BREAD")});
    CStopRequest stop;
    stop.Request();
    session.stop = &stop;
    EXPECT_EQ(Run(), ReportOutcome::Incomplete);
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::ReportStopped));
    EXPECT_EQ(feedback.messages.front().text, "Прекъснато: прочетени 0 реда от отчета");
    EXPECT_EQ(report.GetItemText(1, 1), "");
    EXPECT_EQ(closes, 1);
}

TEST_F(ReportReaderTest, SendsTheReportCommandOnce) {
    RegisterSends(AllSubgroups());
    Run();
    std::string command = "\xAA"
                          "000123"
                          "f";
    AppendChecksum(command);
    ASSERT_EQ(line.Writes().size(), 1u);
    EXPECT_EQ(line.Writes()[0].bytes, test::FrameBytes(command));
    EXPECT_EQ(command, "\xAA"
                       "000123"
                       "f<<\n");
}

TEST_F(ReportReaderTest, LineIsClosedAndCursorRestoredWhenDone) {
    RegisterSends(AllSubgroups());
    Run();
    EXPECT_EQ(opens, 1);
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(feedback.waitCursorShown, 1);
    EXPECT_EQ(feedback.waitDepth, 0);
}

TEST_F(ReportReaderTest, EveryLineTakenLetsTheWindowPaint) {
    std::vector<std::string> lines = {OtherArticle("0001", "A"), OtherArticle("0002", "B")};
    const std::vector<std::string> subgroupLines = AllSubgroups();
    lines.insert(lines.end(), subgroupLines.begin(), subgroupLines.end());
    RegisterSends(lines);
    Run();
    EXPECT_GE(feedback.pumps, 12);
}

TEST_F(ReportReaderTest, LinesAfterSubgroupNineAreNotRead) {
    std::vector<std::string> lines = AllSubgroups();
    const std::string extra = OtherSubgroup('0', "LATE");
    lines.push_back(extra);
    RegisterSends(lines);

    EXPECT_EQ(Run(), ReportOutcome::Complete);
    EXPECT_EQ(subgroups.GetItemText(1, 1), "SUB0");
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(Unread(), test::FrameBytes(extra));
}

// ---- Article numbers ----

TEST_F(ReportReaderTest, NoArticleLinesFillsOnlyTheSubgroupsAndCountsNone) {
    RegisterSends(AllSubgroups());
    EXPECT_EQ(Run(), ReportOutcome::Complete);
    for (int row = 1; row < report.GetRowCount(); ++row) {
        ASSERT_EQ(report.GetItemText(row, 1), "") << "row " << row;
    }
    EXPECT_EQ(subgroups.GetItemText(10, 1), "SUB9");
    EXPECT_THAT(feedback.statusTexts, Not(Contains(Status(ids::ReadingArticle, 0u))));
    EXPECT_EQ(feedback.statusTexts.back(), "Успешно прочетени 0 артикула");
}

TEST_F(ReportReaderTest, ModelOneContinuesPast999WithRowsFrom1000) {
    UseModel(1);
    std::vector<std::string> lines = {
        ModelOneArticle("998", "A998"), ModelOneArticle("999", "A999"),
        ModelOneArticle("000", "A1000"), ModelOneArticle("001", "A1001"),
        ModelOneArticle("999", "A1999")};
    lines.push_back(ReportLineText(51, {{8, "9"}, {10, "LAST"}}));
    RegisterSends(lines);

    EXPECT_EQ(Run(), ReportOutcome::Complete);
    EXPECT_EQ(report.GetItemText(998, 1), "A998");
    EXPECT_EQ(report.GetItemText(999, 1), "A999");
    EXPECT_EQ(report.GetItemText(1000, 1), "A1000");
    EXPECT_EQ(report.GetItemText(1001, 1), "A1001");
    EXPECT_EQ(report.GetItemText(1999, 1), "A1999");
    EXPECT_EQ(report.GetItemText(1, 1), "");
    EXPECT_THAT(feedback.statusTexts, Contains(Status(ids::ReadingArticle, 1000u)));
    EXPECT_EQ(feedback.statusTexts.back(), Status(ids::ArticlesRead, 5u));
}

TEST_F(ReportReaderTest, FourDigitModelsTake999AsAnOrdinaryNumber) {
    RegisterSends({OtherArticle("0999", "A999"), OtherArticle("0000", "ZERO"),
                   OtherArticle("0001", "A1"), OtherSubgroup('9', "LAST")});
    EXPECT_EQ(Run(), ReportOutcome::Complete);
    EXPECT_EQ(report.GetItemText(999, 1), "A999");
    EXPECT_EQ(report.GetItemText(1, 1), "A1");
    EXPECT_EQ(report.GetItemText(1000, 1), "");
    EXPECT_EQ(report.GetItemText(1001, 1), "");
    EXPECT_EQ(feedback.statusTexts.back(), Status(ids::ArticlesRead, 3u));
}

TEST_F(ReportReaderTest, NumberWithALetterIsSkippedAndNotCounted) {
    RegisterSends({OtherArticle("0005", "FIVE"), OtherArticle("12A4", "BAD"),
                   OtherArticle("0006", "SIX"), OtherSubgroup('9', "LAST")});
    EXPECT_EQ(Run(), ReportOutcome::Complete);
    EXPECT_EQ(report.GetItemText(5, 1), "FIVE");
    EXPECT_EQ(report.GetItemText(6, 1), "SIX");
    EXPECT_THAT(feedback.statusTexts,
                ElementsAre(Status(ids::ReadingArticle, 5u), Status(ids::ReadingArticle, 6u),
                            Status(ids::ReadingSubgroup, 9u), Status(ids::ArticlesRead, 2u)));
}

TEST_F(ReportReaderTest, ArticleCutShortBeforeItsBarcodeEndsIsCountedButLeavesItsRowEmpty) {
    // A NUL byte ends the line's text in the middle of the barcode (26-37).
    std::string cut = OtherArticle("0007", "CUT");
    cut[30] = '\0';
    RegisterSends({cut, OtherSubgroup('9', "LAST")});
    EXPECT_EQ(Run(), ReportOutcome::Complete);
    for (int column = 1; column < report.GetColumnCount(); ++column) {
        EXPECT_EQ(report.GetItemText(7, column), "") << "column " << column;
    }
    EXPECT_THAT(feedback.statusTexts, Contains(Status(ids::ReadingArticle, 7u)));
    EXPECT_EQ(feedback.statusTexts.back(), Status(ids::ArticlesRead, 1u));
}

TEST_F(ReportReaderTest, LineOf67BytesIsAnArticleAndOf66ASubgroup) {
    // Too short for the fields of its layout, the 67-byte line is still counted as an article.
    RegisterSends(
        {OtherArticle("0004", "LONG", 67), ReportLineText(66, {{8, "9"}, {10, "SHORT"}})});
    EXPECT_EQ(Run(), ReportOutcome::Complete);
    EXPECT_EQ(report.GetItemText(4, 1), "");
    EXPECT_EQ(subgroups.GetItemText(10, 1), "SHORT");
    EXPECT_THAT(feedback.statusTexts,
                ElementsAre(Status(ids::ReadingArticle, 4u), Status(ids::ReadingSubgroup, 9u),
                            Status(ids::ArticlesRead, 1u)));
}

// ---- Texts and subgroups ----

TEST_F(ReportReaderTest, RegisterLettersInANameShowAsCyrillicCapitals) {
    RegisterSends({OtherArticle("0001", "\x80\x81\x82"), OtherSubgroup('9', "\x80\x81\x82")});
    Run();
    EXPECT_EQ(report.GetItemText(1, 1), "\xC0\xC1\xC2");
    EXPECT_EQ(subgroups.GetItemText(10, 1), "\xC0\xC1\xC2");
}

TEST_F(ReportReaderTest, SubgroupDigitThreeFillsRowFour) {
    RegisterSends({OtherSubgroup('3', "THREE"), OtherSubgroup('9', "NINE")});
    EXPECT_EQ(Run(), ReportOutcome::Complete);
    EXPECT_EQ(subgroups.GetItemText(4, 1), "THREE");
    EXPECT_EQ(subgroups.GetItemText(3, 1), "");
    EXPECT_EQ(subgroups.GetItemText(5, 1), "");
    EXPECT_EQ(feedback.statusTexts.front(), "Четене на подгрупа 3");
}

TEST_F(ReportReaderTest, SubgroupLineWithoutADigitIsSkipped) {
    RegisterSends({ReportLineText(51, {{8, "X"}, {10, "NONE"}}), OtherSubgroup('9', "NINE")});
    EXPECT_EQ(Run(), ReportOutcome::Complete);
    EXPECT_THAT(feedback.statusTexts,
                ElementsAre(Status(ids::ReadingSubgroup, 9u), Status(ids::ArticlesRead, 0u)));
}

// ---- Reports that break off ----

TEST_F(ReportReaderTest, SilenceAfterSubgroupEightTimesOutAndKeepsWhatWasRead) {
    std::vector<std::string> lines = {OtherArticle("0002", "TWO")};
    std::vector<std::string> subgroupLines = AllSubgroups();
    subgroupLines.pop_back();
    lines.insert(lines.end(), subgroupLines.begin(), subgroupLines.end());
    RegisterSends(lines);

    const ReportOutcome outcome = Run();

    EXPECT_EQ(outcome, ReportOutcome::Incomplete);
    EXPECT_EQ(TabAfterReport(outcome), TableKind::Report);
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::AnswerTimeout));
    EXPECT_GT(clock.NowMs(), 1005 + 3000u);
    for (int row = 1; row <= 9; ++row) {
        EXPECT_EQ(subgroups.GetItemText(row, 1), "SUB" + std::to_string(row - 1));
    }
    EXPECT_EQ(subgroups.GetItemText(10, 1), "");
    EXPECT_EQ(report.GetItemText(2, 1), "TWO");
    EXPECT_EQ(feedback.statusTexts.back(), Status(ids::ArticlesRead, 1u));
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(feedback.waitDepth, 0);
}

TEST_F(ReportReaderTest, SilenceAmongTheArticlesStillShowsTheCount) {
    RegisterSends({OtherArticle("0001", "ONE"), OtherArticle("0002", "TWO")});
    EXPECT_EQ(Run(), ReportOutcome::Incomplete);
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::AnswerTimeout));
    EXPECT_EQ(report.GetItemText(2, 1), "TWO");
    EXPECT_EQ(feedback.statusTexts.back(), Status(ids::ArticlesRead, 2u));
}

TEST_F(ReportReaderTest, NoLineAtAllShowsTheCountZero) {
    RegisterSends({});
    EXPECT_EQ(Run(), ReportOutcome::Incomplete);
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::AnswerTimeout));
    EXPECT_THAT(feedback.statusTexts, ElementsAre(Status(ids::ArticlesRead, 0u)));
}

TEST_F(ReportReaderTest, LineOf500BytesIsRefusedAndEndsTheReport) {
    RegisterSends({OtherArticle("0001", "ONE"), OtherArticle("0002", "HUGE", 500),
                   OtherSubgroup('9', "NINE")});
    EXPECT_EQ(Run(), ReportOutcome::Incomplete);
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::InvalidData));
    EXPECT_EQ(report.GetItemText(1, 1), "ONE");
    EXPECT_EQ(report.GetItemText(2, 1), "");
    EXPECT_EQ(subgroups.GetItemText(10, 1), "");
    EXPECT_EQ(feedback.statusTexts.back(), Status(ids::ArticlesRead, 1u));
    EXPECT_EQ(closes, 1);
}

TEST_F(ReportReaderTest, LineOf499BytesIsAccepted) {
    RegisterSends({OtherArticle("0002", "LONGEST", 499), OtherSubgroup('9', "NINE")});
    EXPECT_EQ(Run(), ReportOutcome::Complete);
    EXPECT_EQ(report.GetItemText(2, 1), "LONGEST");
}

TEST_F(ReportReaderTest, RefusedCommandReadsNothing) {
    std::vector<std::uint8_t> refusal = test::Answer(Nak, "000123");
    const std::string lines = OtherSubgroup('9', "NINE");
    refusal.insert(refusal.end(), lines.begin(), lines.end());
    line.AnswerNextWrite(5, refusal);

    EXPECT_EQ(Run(), ReportOutcome::Incomplete);
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::RegisterRefused));
    EXPECT_THAT(feedback.statusTexts, IsEmpty());
    EXPECT_EQ(subgroups.GetItemText(10, 1), "");
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(feedback.waitDepth, 0);
}

TEST_F(ReportReaderTest, PortThatCannotBeOpenedShows20023AfterTheTablesWereCleared) {
    report.SetItemText(1, 1, "OLD");
    choice.comIndex = 2;
    choice.demoLine = [this]() -> std::unique_ptr<ISerialLine> {
        nameAtOpen = report.GetItemText(1, 1);
        return nullptr; // as a port that is taken or missing
    };

    EXPECT_EQ(Run(), ReportOutcome::Incomplete);
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::PortNotOpened));
    EXPECT_EQ(feedback.messages.front().text, "COM3  не може да бъде отворен!");
    EXPECT_EQ(nameAtOpen, "");
    EXPECT_THAT(line.Writes(), IsEmpty());
    EXPECT_THAT(feedback.statusTexts, IsEmpty());
    EXPECT_EQ(feedback.waitDepth, 0);
}

// ---- The command ----

TEST_F(ReportReaderTest, IncompleteSettingsClearNothingAndSendNothing) {
    report.SetItemText(1, 1, "OLD");
    subgroups.SetItemText(1, 1, "OLDSUB");
    session.settings.EcrSerial = 0;
    RegisterSends(AllSubgroups());

    const ReportOutcome outcome = Run();

    EXPECT_EQ(outcome, ReportOutcome::NotStarted);
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::NoSerial));
    EXPECT_EQ(report.GetItemText(1, 1), "OLD");
    EXPECT_EQ(subgroups.GetItemText(1, 1), "OLDSUB");
    EXPECT_EQ(opens, 0);
    EXPECT_THAT(line.Writes(), IsEmpty());
    EXPECT_EQ(report.Redraws(), 0);
    EXPECT_EQ(feedback.waitCursorShown, 0);
}

TEST_F(ReportReaderTest, NoModelIsTheFirstSettingChecked) {
    session.settings = EcrSettings{-1, 9, 0};
    EXPECT_EQ(Run(), ReportOutcome::NotStarted);
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::NoModel));
}

TEST_F(ReportReaderTest, BothTablesAreEmptiedAndRedrawnBeforeTheCommandIsSent) {
    for (int column = 1; column < report.GetColumnCount(); ++column) {
        report.SetItemText(1, column, "1");
    }
    report.SetItemText(2600, 1, "LAST");
    subgroups.SetItemText(5, 4, "5");
    const std::string header = report.GetItemText(0, 1);
    RegisterSends({OtherSubgroup('9', "NINE")});

    Run();

    EXPECT_EQ(nameAtOpen, "");
    for (int column = 1; column < report.GetColumnCount(); ++column) {
        EXPECT_EQ(report.GetItemText(1, column), "") << "column " << column;
    }
    EXPECT_EQ(report.GetItemText(2600, 1), "");
    EXPECT_EQ(subgroups.GetItemText(5, 4), "");
    EXPECT_EQ(report.GetItemText(0, 1), header);
    EXPECT_EQ(report.GetItemText(1, 0), "1");
    EXPECT_EQ(subgroups.GetItemText(1, 0), "0");
    EXPECT_EQ(report.GetRowCount(), 2601);
    EXPECT_GE(report.Redraws(), 1);
    EXPECT_GE(subgroups.Redraws(), 1);
}

TEST(TabAfterReportTest, OnlyACompleteReportBringsTheSubgroupTabForward) {
    EXPECT_EQ(TabAfterReport(ReportOutcome::Complete), TableKind::SubgroupReport);
    EXPECT_EQ(TabAfterReport(ReportOutcome::Incomplete), TableKind::Report);
    EXPECT_EQ(TabAfterReport(ReportOutcome::NotStarted), TableKind::Report);
}

} // namespace
} // namespace tillora
