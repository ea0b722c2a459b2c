// The report lines the register sends for "f": the fields at the offsets the PC reads, blanks
// everywhere else, for every model.

#include "sim/SimReport.h"
#include "ReportLineOffsets.h"
#include "link/Checksum.h"
#include "sim/SimRegister.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tillora::sim {
namespace {

using test::ArticleOffsets;
using test::ArticleOffsetsOf;
using test::SubgroupOffsets;
using test::SubgroupOffsetsOf;

const std::string Serial = "000123";
// ХЛЯБ in Windows-1251 and in the register's character set.
const std::string Bread = "\xD5\xCB\xDF\xC1";
const std::string BreadOnTheWire = "\x95\x8B\x9F\x81";

void Put(std::string& line, std::size_t offset, const std::string& text) {
    line.replace(offset, text.size(), text);
}

// The line without its checksum characters and line feed, checked for those on the way.
std::string Body(const std::string& line) {
    EXPECT_GE(line.size(), 3u);
    EXPECT_EQ(line.back(), '\n');
    std::uint8_t checksum =
        XorBytes(reinterpret_cast<const std::uint8_t*>(line.data()), line.size() - 3);
    EXPECT_EQ(checksum, DecodeChecksum(static_cast<std::uint8_t>(line[line.size() - 3]),
                                       static_cast<std::uint8_t>(line[line.size() - 2])));
    return line.substr(0, line.size() - 3);
}

std::string Head() {
    return "\xAA" + Serial + "f";
}

SimArticle Article() {
    SimArticle article;
    article.name = Bread;
    article.barcode = "380000000001";
    article.price = 120;
    article.stock = 2500;
    article.taxGroup = 1;
    article.subgroup = 3;
    article.paymentType = 4;
    article.turnover = 12345;
    article.sales = 4567;
    return article;
}

// The tax letter of group 1 in the register's character set.
std::string GroupOneOnTheWire(int model) {
    if (model >= 6) {
        return "A";
    }
    return model <= 1 ? "\x81" /* Б */ : "\x80" /* А */;
}

class SimReportByModel : public ::testing::TestWithParam<int> {};

TEST_P(SimReportByModel, ArticleLineHasEachFieldAtItsOffset) {
    const int model = GetParam();
    const ArticleOffsets at = ArticleOffsetsOf(model);
    const std::size_t length = (at.stock != 0 ? at.stock : at.sales) + 11;
    std::string expected(length, ' ');
    Put(expected, 0, Head());
    Put(expected, 8, at.numberWidth == 3 ? "007" : "0007");
    Put(expected, at.name, BreadOnTheWire);
    Put(expected, at.barcode, "380000000001");
    Put(expected, at.price, "     1.20");
    Put(expected, at.taxGroup, GroupOneOnTheWire(model));
    Put(expected, at.subgroup, "3");
    Put(expected, at.paymentType, "4");
    Put(expected, at.turnover, "     123.45");
    Put(expected, at.sales, "      4.567");
    if (at.stock != 0) {
        Put(expected, at.stock, "      2.500");
    }
    const std::string line = ArticleReportLine(Article(), 7, model, Serial);
    EXPECT_EQ(Body(line), expected);
    EXPECT_GE(line.size(), 67u);
}

TEST_P(SimReportByModel, ArticleWithNothingInItShowsBlanksAndZeros) {
    const int model = GetParam();
    const ArticleOffsets at = ArticleOffsetsOf(model);
    const std::string body = Body(ArticleReportLine(SimArticle{}, 12, model, Serial));
    EXPECT_EQ(body.substr(at.name, at.nameWidth), std::string(at.nameWidth, ' '));
    EXPECT_EQ(body.substr(at.barcode, 12), "000000000000");
    EXPECT_EQ(body.substr(at.price, 9), "     0.00");
    // The group a register holds before it is told one: Б, Б, A.
    EXPECT_EQ(body.substr(at.taxGroup, 1), model >= 6 ? "A" : "\x81");
    EXPECT_EQ(body.substr(at.subgroup, 1), "0");
    EXPECT_EQ(body.substr(at.paymentType, 1), "0");
    EXPECT_EQ(body.substr(at.turnover, 11), "       0.00");
    EXPECT_EQ(body.substr(at.sales, 11), "      0.000");
    if (at.stock != 0) {
        EXPECT_EQ(body.substr(at.stock, 11), "      0.000");
    }
}

TEST_P(SimReportByModel, SubgroupLineHasEachFieldAtItsOffset) {
    const int model = GetParam();
    const SubgroupOffsets at = SubgroupOffsetsOf(model);
    SimSubgroup subgroup;
    subgroup.name = Bread;
    subgroup.price = 50;
    subgroup.taxGroup = 1;
    std::string expected(at.turnover + 11, ' ');
    Put(expected, 0, Head());
    Put(expected, 8, "4");
    Put(expected, at.name, BreadOnTheWire);
    Put(expected, at.price, "     0.50");
    Put(expected, at.taxGroup, GroupOneOnTheWire(model));
    Put(expected, at.turnover, "   98765.43");
    const std::string line = SubgroupReportLine(subgroup, 4, 9876543, model, Serial);
    EXPECT_EQ(Body(line), expected);
    EXPECT_LT(line.size(), 67u);
}

TEST_P(SimReportByModel, NameIsCutToItsFieldAndGoesOutInCapitals) {
    const int model = GetParam();
    const ArticleOffsets at = ArticleOffsetsOf(model);
    SimArticle article;
    article.name = "abcdefghijklmnopqrstuvwxyz";
    const std::string body = Body(ArticleReportLine(article, 1, model, Serial));
    EXPECT_EQ(body.substr(at.name, at.nameWidth),
              std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ").substr(0, at.nameWidth));
    EXPECT_EQ(body[at.name + at.nameWidth], ' ');
}

TEST_P(SimReportByModel, ReportIsTheArticlesInOrderThenTenSubgroups) {
    const int model = GetParam();
    SimTables tables;
    for (unsigned number : {30u, 2u, 17u}) {
        tables.articles[number] = Article();
    }
    tables.articles[2].subgroup = 5;
    const std::vector<std::string> lines = ReportLines(tables, model, Serial);
    ASSERT_EQ(lines.size(), 13u);
    const std::size_t digits = ArticleOffsetsOf(model).numberWidth;
    const std::vector<std::string> numbers = digits == 3
                                                 ? std::vector<std::string>{"002", "017", "030"}
                                                 : std::vector<std::string>{"0002", "0017", "0030"};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(lines[i].substr(8, digits), numbers[i]);
    }
    const std::size_t turnover = SubgroupOffsetsOf(model).turnover;
    for (unsigned digit = 0; digit < 10; ++digit) {
        const std::string& line = lines[3 + digit];
        EXPECT_EQ(line[8], static_cast<char>('0' + digit));
        const std::string expectedTurnover = digit == 3   ? "     246.90"
                                             : digit == 5 ? "     123.45"
                                                          : "       0.00";
        EXPECT_EQ(line.substr(turnover, 11), expectedTurnover) << digit;
    }
}

INSTANTIATE_TEST_SUITE_P(Models, SimReportByModel, ::testing::Range(0, 10));

TEST(SimReportTest, TaxGroupLettersOfEachModel) {
    struct Case {
        int model;
        int group;
        const char* onTheWire;
    };
    const Case cases[] = {
        {0, 0, "\x80"},
        {0, 2, "\x82"},
        {1, 1, "\x81"},
        {2, 1, "\x80"},
        {3, 3, "\x82"},
        {5, 2, "\x81"},
        {6, 0, "0"},
        {7, 4, "D"},
        {9, 3, "C"},
        // Groups the model has no letter for are blanks.
        {0, 3, " "},
        {4, 0, " "},
        {8, 5, " "},
    };
    for (const Case& c : cases) {
        SimArticle article;
        article.taxGroup = c.group;
        const std::string line = ArticleReportLine(article, 1, c.model, Serial);
        EXPECT_EQ(line.substr(ArticleOffsetsOf(c.model).taxGroup, 1), c.onTheWire)
            << c.model << " " << c.group;
    }
}

TEST(SimReportTest, AmountsTooWideForTheirFieldShowTheHighestThatFits) {
    SimTables tables;
    for (unsigned number = 1; number <= 2; ++number) {
        tables.articles[number].turnover = 6000000000; // 60 000 000.00 each
    }
    const std::vector<std::string> lines = ReportLines(tables, 0, Serial);
    EXPECT_EQ(lines[2].substr(39, 11), "99999999.99");
}

// The PC's rule for model 1's three-digit numbers: past the first line numbered 999, 1000 more.
std::vector<unsigned> RowsThePcFills(const std::vector<std::string>& lines) {
    std::vector<unsigned> rows;
    bool continued = false;
    for (const std::string& line : lines) {
        if (line.size() < 67) {
            break;
        }
        unsigned row = static_cast<unsigned>(std::stoul(line.substr(8, 3)));
        if (continued) {
            row += 1000;
        }
        if (row == 999) {
            continued = true;
        }
        rows.push_back(row);
    }
    return rows;
}

TEST(SimReportTest, Model1ContinuesPast999WithTheLineOf999) {
    SimTables tables;
    for (unsigned number : {1u, 998u, 1000u, 1001u, 1999u, 2000u, 2600u}) {
        tables.articles[number] = Article();
    }
    const std::vector<std::string> lines = ReportLines(tables, 1, Serial);
    std::vector<std::string> numbers;
    for (const std::string& line : lines) {
        if (line.size() >= 67) {
            numbers.push_back(line.substr(8, 3));
        }
    }
    EXPECT_EQ(numbers, (std::vector<std::string>{"001", "998", "999", "000", "001", "999"}));
    EXPECT_EQ(RowsThePcFills(lines), (std::vector<unsigned>{1, 998, 999, 1000, 1001, 1999}));
    // The line of 999 that the register does not hold is an empty one.
    EXPECT_EQ(lines[2].substr(12, 16), std::string(16, ' '));
    EXPECT_EQ(lines[2].substr(41, 9), "     0.00");
    // Articles past 1999 have no number: only the ten subgroup lines follow.
    EXPECT_EQ(lines.size(), 6u + 10u);
}

TEST(SimReportTest, Model1HoldingItsOwn999SendsItOnce) {
    SimTables tables;
    tables.articles[999] = Article();
    tables.articles[1000] = Article();
    const std::vector<std::string> lines = ReportLines(tables, 1, Serial);
    EXPECT_EQ(RowsThePcFills(lines), (std::vector<unsigned>{999, 1000}));
    EXPECT_EQ(lines[0].substr(12, 4), BreadOnTheWire);
}

TEST(SimReportTest, OtherModelsNumberPast999WithFourDigits) {
    SimTables tables;
    tables.articles[2600] = Article();
    const std::vector<std::string> lines = ReportLines(tables, 7, Serial);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[0].substr(8, 4), "2600");
}

// The report as the register puts it on the line after "f".
std::vector<SimAnswer> AskForReport(CSimRegister& ecr) {
    std::string frame = "\xAA" + Serial + "f";
    AppendChecksum(frame);
    return ecr.Receive(reinterpret_cast<const std::uint8_t*>(frame.data()), frame.size());
}

std::string Text(const SimAnswer& answer) {
    return {answer.bytes.begin(), answer.bytes.end()};
}

TEST(SimReportTest, RegisterAcknowledgesThenSendsEachLine) {
    CSimRegister ecr(0, 123);
    ecr.Tables().articles[5] = Article();
    const auto answers = AskForReport(ecr);
    ASSERT_EQ(answers.size(), 1u + 1u + 10u);
    std::string ack = "\x06" + Serial;
    AppendChecksum(ack);
    EXPECT_EQ(Text(answers[0]), ack);
    const std::vector<std::string> lines = ReportLines(ecr.Tables(), 0, Serial);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(Text(answers[i + 1]), lines[i]);
        EXPECT_FALSE(answers[i + 1].closeLine);
    }
}

TEST(SimReportTest, ReportStopsAfterTheLineLimit) {
    for (unsigned limit : {0u, 1u, 3u, 11u, 50u}) {
        SimFaults faults;
        faults.reportLineLimit = limit;
        CSimRegister ecr(0, 123, faults);
        ecr.Tables().articles[5] = Article();
        const auto answers = AskForReport(ecr);
        EXPECT_EQ(answers.size(), 1u + std::min(limit, 11u)) << limit;
        EXPECT_EQ(answers[0].bytes.front(), 0x06) << limit;
    }
}

TEST(SimReportTest, SilenceAndClosingTakeTheReportWithThem) {
    SimFaults silent;
    silent.silentFrom = 1;
    CSimRegister quiet(0, 123, silent);
    EXPECT_TRUE(AskForReport(quiet).empty());

    SimFaults closing;
    closing.closeAfter = 1;
    CSimRegister closed(0, 123, closing);
    const auto answers = AskForReport(closed);
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_TRUE(answers[0].closeLine);
    EXPECT_TRUE(answers[0].bytes.empty());

    SimFaults refusing;
    refusing.refuseFrame = 1;
    CSimRegister refused(0, 123, refusing);
    ASSERT_EQ(AskForReport(refused).size(), 1u);
}

TEST(SimReportTest, NoiseGoesOnlyBeforeTheAcknowledgement) {
    SimFaults faults;
    faults.noise = "\x55\x55";
    faults.answerDelayMs = 40;
    CSimRegister ecr(0, 123, faults);
    const auto answers = AskForReport(ecr);
    ASSERT_EQ(answers.size(), 11u);
    EXPECT_EQ(answers[0].bytes[0], 0x55);
    for (std::size_t i = 1; i < answers.size(); ++i) {
        EXPECT_EQ(answers[i].bytes[0], 0xAA);
        EXPECT_EQ(answers[i].delayMs, 40u);
    }
}

TEST(SimReportTest, AnswerFaultsReachTheLines) {
    SimFaults faults;
    faults.answerSerial = 555;
    faults.badChecksum = true;
    CSimRegister ecr(0, 123, faults);
    const auto answers = AskForReport(ecr);
    ASSERT_EQ(answers.size(), 11u);
    const std::string line = Text(answers[1]);
    EXPECT_EQ(line.substr(1, 7), "000555f");
    EXPECT_NE(XorBytes(answers[1].bytes.data(), line.size() - 3),
              DecodeChecksum(answers[1].bytes[line.size() - 3], answers[1].bytes[line.size() - 2]));
}

} // namespace
} // namespace tillora::sim
