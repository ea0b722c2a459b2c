// The frames the register receives, byte for byte, for every record layout under every model.
#include "SendTestSupport.h"
#include "transfer/ArticleRecord.h"
#include "transfer/HeaderLineRecord.h"
#include "transfer/OperatorRecord.h"
#include "transfer/SendRuns.h"
#include "transfer/SubgroupRecord.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tillora {
namespace {

using test::CommandFrame;
using test::RecordFrame;
using ::testing::ElementsAre;

const std::string Bread = "\xD5\xEB\xFF\xE1";
const std::string BreadOnRegister = "\x95\x8B\x9F\x81";

std::string Q(std::size_t count) {
    return std::string(count, '"');
}

std::string Blanks(std::size_t count) {
    return std::string(count, ' ');
}

bool IsLatinModel(int model) {
    return model >= 6;
}

// The second tax group in the letters the model's cells accept, and the digit it gives.
std::string SecondTaxLetter(int model) {
    return IsLatinModel(model) ? "B" : "\xC1";
}
std::string SecondTaxDigit(int model) {
    return model <= 1 ? "1" : "2";
}

class RecordFramesTest : public ::testing::TestWithParam<int> {
protected:
    int Model() const { return GetParam(); }

    test::ModelInForce inForce{GetParam()};
    test::SimSession sim{GetParam()};
};

TEST_P(RecordFramesTest, ArticleFrame) {
    test::TableUnderTest table(TableKind::Articles);
    table.Set(7, article::Name, Bread);
    table.Set(7, article::Barcode, "3800000000017");
    table.Set(7, article::Price, "1.20");
    table.Set(7, article::TaxGroup, SecondTaxLetter(Model()));
    table.Set(7, article::Subgroup, "3");
    TransferSession session = sim.Session();
    ASSERT_TRUE(SendArticles(table.access, session));

    const std::string tax = SecondTaxDigit(Model());
    std::string payload;
    std::size_t length = 0;
    if (Model() == 1) {
        payload =
            "0007" + BreadOnRegister + Blanks(12) + "380000000001" + "000001202" + tax + Q(1) + "3";
        length = 55;
    } else if (Model() == 5) {
        payload = "0007" + BreadOnRegister + Blanks(14) + "380000000001" + "000001202" + Q(9) +
                  tax + "3" + Q(1);
        length = 66;
    } else {
        payload = "0007" + BreadOnRegister + Blanks(8) + "380000000001" + "000001202" + Q(9) + tax +
                  Q(1) + "3" + Q(8) + Q(1);
        length = 69;
    }
    const auto expected = RecordFrame('r', payload);
    EXPECT_EQ(expected.size(), length);
    EXPECT_THAT(sim.Records(), ElementsAre(expected));
    EXPECT_EQ(sim.ecr->Frames().front(), CommandFrame('a'));
    EXPECT_EQ(sim.ecr->Frames()[2], CommandFrame('z'));
}

TEST_P(RecordFramesTest, OperatorFrame) {
    test::TableUnderTest table(TableKind::Operators);
    table.Set(2, operators::Name, "\xE8\xE2\xE0\xED \xEF\xE5\xF2\xF0\xEE\xE2"); // иван петров
    TransferSession session = sim.Session();
    ASSERT_TRUE(SendOperators(table.access, session));
    const auto expected = RecordFrame('o', "2\x88\x82\x80\x8D \x8F\x85\x92\x90\x8E\x82 *");
    EXPECT_EQ(expected.size(), 25u);
    EXPECT_THAT(sim.Records(), ElementsAre(expected));
}

TEST_P(RecordFramesTest, SubgroupFrame) {
    test::TableUnderTest table(TableKind::Subgroups);
    table.Set(1, subgroup::Name, Bread);
    table.Set(1, subgroup::Price, "0.50");
    table.Set(1, subgroup::TaxGroup, IsLatinModel(Model()) ? "C" : "\xC2");
    TransferSession session = sim.Session();
    ASSERT_TRUE(SendSubgroups(table.access, session));

    const std::string tax = Model() <= 1 ? "2" : "3";
    std::string payload;
    std::size_t length = 0;
    if (Model() == 1) {
        payload = "0" + BreadOnRegister + Blanks(12) + Q(1);
        length = 29;
    } else if (Model() == 5) {
        payload = "0" + BreadOnRegister + Blanks(14) + "000000502" + tax;
        length = 40;
    } else {
        payload = "0" + BreadOnRegister + Blanks(8) + "000000502" + tax;
        length = 34;
    }
    const auto expected = RecordFrame('y', payload);
    EXPECT_EQ(expected.size(), length);
    EXPECT_THAT(sim.Records(), ElementsAre(expected));
}

TEST_P(RecordFramesTest, HeaderLineFrame) {
    test::TableUnderTest table(TableKind::Company);
    table.Set(2, headerline::Text, "\xCE\xCE\xC4 \xCF\xF0\xE8\xEC\xE5\xF0"); // ООД Пример
    table.Set(2, headerline::Flag, "1");
    TransferSession session = sim.Session();
    ASSERT_TRUE(SendHeaderLines(table.access, session));

    const std::string text = "\x8E\x8E\x84 \x8F\x90\x88\x8C\x85\x90";
    const std::string flag = Model() <= 1 ? "1" : "0";
    const std::size_t width = Model() == 1 ? 20 : 24;
    const auto expected = RecordFrame('w', "2" + flag + text + Blanks(width - 10) + "*");
    EXPECT_EQ(expected.size(), Model() == 1 ? 34u : 38u);
    EXPECT_THAT(sim.Records(), ElementsAre(expected));
}

INSTANTIATE_TEST_SUITE_P(EveryModel, RecordFramesTest, ::testing::Range(0, 10));

// The known command frames of serial 123, as a fixed point for the frames above.
TEST(CommandFrameTest, MatchesTheKnownBytes) {
    EXPECT_EQ(CommandFrame('a'), (std::vector<std::uint8_t>{0xAA, 0x30, 0x30, 0x30, 0x31, 0x32,
                                                            0x33, 0x61, 0x3C, 0x3B, 0x0A}));
    EXPECT_EQ(CommandFrame('z'), (std::vector<std::uint8_t>{0xAA, 0x30, 0x30, 0x30, 0x31, 0x32,
                                                            0x33, 0x7A, 0x3D, 0x30, 0x0A}));
}

} // namespace
} // namespace tillora
