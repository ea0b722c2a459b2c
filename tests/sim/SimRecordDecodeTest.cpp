// The register's tables as the PC's records fill them: every payload layout of every model,
// built byte by byte, taken through the register's own frame handling.

#include "Frames.h"
#include "link/Checksum.h"
#include "sim/SimRegister.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tillora::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;

const std::string Q = "\x22"; // the no-value byte

std::string NoValue(std::size_t width) {
    return std::string(width, '\x22');
}

// Blanks after the text up to the width.
std::string Padded(const std::string& text, std::size_t width) {
    return text + std::string(width - text.size(), ' ');
}

// ХЛЯБ in the register's character set and in Windows-1251.
const std::string BreadOnTheWire = "\x95\x8B\x9F\x81";
const std::string Bread = "\xD5\xCB\xDF\xC1";
// МЛЯКО
const std::string MilkOnTheWire = "\x8C\x8B\x9F\x8A\x8E";
const std::string Milk = "\xCC\xCB\xDF\xCA\xCE";

std::string Frame(char kind, const std::string& payload) {
    std::string frame = "\xAA"
                        "000123";
    frame += kind;
    frame += payload;
    AppendChecksum(frame);
    return frame;
}

// Sends the records in one transfer; true when each was acknowledged.
bool SendInTransfer(CSimRegister& ecr, const std::vector<std::string>& frames) {
    std::string all = Frame('a', "");
    for (const std::string& frame : frames) {
        all += frame;
    }
    all += Frame('z', "");
    const auto answers = ecr.Receive(reinterpret_cast<const std::uint8_t*>(all.data()), all.size());
    for (SimReply reply : ecr.Replies()) {
        if (reply != SimReply::Ack) {
            return false;
        }
    }
    return answers.size() == frames.size() + 3;
}

// The article record of the model, each field given as its bytes on the wire.
struct ArticleFields {
    std::string number, name, barcode, price, stock, taxGroup, subgroup, paymentType;
};

std::string ArticleFrame(int model, const ArticleFields& f) {
    if (model == 1) {
        return Frame('r', f.number + f.name + f.barcode + f.price + f.taxGroup + Q + f.subgroup);
    }
    if (model == 5) {
        return Frame('r', f.number + f.name + f.barcode + f.price + f.stock + f.taxGroup +
                              f.subgroup + f.paymentType);
    }
    return Frame('r', f.number + f.name + f.barcode + f.price + f.stock + f.taxGroup + Q +
                          f.subgroup + NoValue(8) + f.paymentType);
}

std::size_t NameWidth(int model) {
    return model == 1 ? 16 : model == 5 ? 18 : 12;
}

ArticleFields FullArticle(int model) {
    return {"0007",
            Padded(BreadOnTheWire, NameWidth(model)),
            "380000000001",
            "000001202",
            "000002500",
            "1",
            "3",
            "4"};
}

ArticleFields EmptyArticle(int model, const std::string& number) {
    return {number,      NoValue(NameWidth(model)),
            NoValue(12), NoValue(9),
            NoValue(9),  NoValue(1),
            NoValue(1),  NoValue(1)};
}

class SimRecordDecodeByModel : public ::testing::TestWithParam<int> {};

TEST_P(SimRecordDecodeByModel, ArticleRecordFillsEveryFieldItCarries) {
    const int model = GetParam();
    CSimRegister ecr(model, 123);
    const std::string frame = ArticleFrame(model, FullArticle(model));
    EXPECT_EQ(frame.size(), model == 1 ? 55u : model == 5 ? 66u : 69u);
    ASSERT_TRUE(SendInTransfer(ecr, {frame}));
    EXPECT_TRUE(ecr.UndecodedFrames().empty());

    ASSERT_EQ(ecr.Tables().articles.size(), 1u);
    const SimArticle& article = ecr.Tables().articles.at(7);
    EXPECT_EQ(article.name, Bread);
    EXPECT_EQ(article.barcode, "380000000001");
    EXPECT_EQ(article.price, 120u);
    EXPECT_EQ(article.taxGroup, 1);
    EXPECT_EQ(article.subgroup, 3);
    if (model == 1) {
        EXPECT_FALSE(article.stock.has_value());
        EXPECT_FALSE(article.paymentType.has_value());
    } else {
        EXPECT_EQ(article.stock, 2500u);
        EXPECT_EQ(article.paymentType, 4);
    }
    EXPECT_GT(article.sales, 0u);
    EXPECT_EQ(article.turnover, (120u * article.sales + 500u) / 1000u);
}

TEST_P(SimRecordDecodeByModel, NoValueFieldsKeepWhatTheArticleHad) {
    const int model = GetParam();
    CSimRegister ecr(model, 123);
    ArticleFields priceOnly = EmptyArticle(model, "0007");
    priceOnly.price = "000000292";
    ASSERT_TRUE(SendInTransfer(
        ecr, {ArticleFrame(model, FullArticle(model)), ArticleFrame(model, priceOnly)}));
    const SimArticle& article = ecr.Tables().articles.at(7);
    EXPECT_EQ(article.price, 29u);
    EXPECT_EQ(article.name, Bread);
    EXPECT_EQ(article.barcode, "380000000001");
    EXPECT_EQ(article.taxGroup, 1);
    EXPECT_EQ(article.subgroup, 3);
    if (model != 1) {
        EXPECT_EQ(article.stock, 2500u);
        EXPECT_EQ(article.paymentType, 4);
    }
}

TEST_P(SimRecordDecodeByModel, ArticleOfNoValuesIsHeldWithNothingInIt) {
    const int model = GetParam();
    CSimRegister ecr(model, 123);
    ASSERT_TRUE(SendInTransfer(ecr, {ArticleFrame(model, EmptyArticle(model, "2600"))}));
    const SimArticle& article = ecr.Tables().articles.at(2600);
    EXPECT_EQ(article.name, "");
    EXPECT_EQ(article.barcode, "");
    EXPECT_FALSE(article.price.has_value());
    EXPECT_FALSE(article.stock.has_value());
    EXPECT_FALSE(article.taxGroup.has_value());
    EXPECT_FALSE(article.subgroup.has_value());
    EXPECT_FALSE(article.paymentType.has_value());
}

TEST_P(SimRecordDecodeByModel, DefaultsOfEmptySelectedCellsAreBlanksAndZeros) {
    const int model = GetParam();
    CSimRegister ecr(model, 123);
    const std::string taxDefault = model >= 2 && model <= 5 ? "2" : "1";
    const ArticleFields defaults{"0012",
                                 std::string(NameWidth(model), ' '),
                                 "000000000000",
                                 "000000000",
                                 "000000000",
                                 taxDefault,
                                 "0",
                                 "0"};
    ASSERT_TRUE(SendInTransfer(
        ecr, {ArticleFrame(model, FullArticle(model)), ArticleFrame(model, defaults)}));
    const SimArticle& article = ecr.Tables().articles.at(12);
    EXPECT_EQ(article.name, "");
    EXPECT_EQ(article.barcode, "000000000000");
    EXPECT_EQ(article.price, 0u);
    EXPECT_EQ(article.taxGroup, taxDefault[0] - '0');
    EXPECT_EQ(article.subgroup, 0);
    if (model != 1) {
        EXPECT_EQ(article.stock, 0u);
        EXPECT_EQ(article.paymentType, 0);
    }
}

TEST_P(SimRecordDecodeByModel, OperatorRecordIsTheSameForEveryModel) {
    const int model = GetParam();
    CSimRegister ecr(model, 123);
    const std::string frame = Frame('o', "4" + Padded("IVAN " + BreadOnTheWire, 12) + "*");
    EXPECT_EQ(frame.size(), 25u);
    ASSERT_TRUE(SendInTransfer(ecr, {frame, Frame('o', "9" + std::string(12, ' ') + "*")}));
    EXPECT_TRUE(ecr.UndecodedFrames().empty());
    EXPECT_EQ(ecr.Tables().operators[3], "IVAN " + Bread);
    EXPECT_EQ(ecr.Tables().operators[8], "");
    EXPECT_EQ(ecr.Tables().operators[0], "");
}

TEST_P(SimRecordDecodeByModel, SubgroupRecordByItsLayout) {
    const int model = GetParam();
    CSimRegister ecr(model, 123);
    const std::string name = Padded(MilkOnTheWire, NameWidth(model));
    const std::string frame =
        model == 1 ? Frame('y', "0" + name + Q) : Frame('y', "0" + name + "000000502" + "3");
    EXPECT_EQ(frame.size(), model == 1 ? 29u : model == 5 ? 40u : 34u);
    ASSERT_TRUE(SendInTransfer(ecr, {frame}));
    EXPECT_TRUE(ecr.UndecodedFrames().empty());
    const SimSubgroup& subgroup = ecr.Tables().subgroups[0];
    EXPECT_EQ(subgroup.name, Milk);
    if (model == 1) {
        EXPECT_FALSE(subgroup.price.has_value());
        EXPECT_FALSE(subgroup.taxGroup.has_value());
    } else {
        EXPECT_EQ(subgroup.price, 50u);
        EXPECT_EQ(subgroup.taxGroup, 3);
    }
}

TEST_P(SimRecordDecodeByModel, SubgroupNoValuesKeepWhatItHad) {
    const int model = GetParam();
    if (model == 1) {
        GTEST_SKIP() << "model 1 sends neither price nor tax group";
    }
    CSimRegister ecr(model, 123);
    const std::string width = NoValue(NameWidth(model));
    ASSERT_TRUE(SendInTransfer(
        ecr, {Frame('y', "9" + Padded(MilkOnTheWire, NameWidth(model)) + "000000502" + "3"),
              Frame('y', "9" + width + NoValue(9) + "1")}));
    const SimSubgroup& subgroup = ecr.Tables().subgroups[9];
    EXPECT_EQ(subgroup.name, Milk);
    EXPECT_EQ(subgroup.price, 50u);
    EXPECT_EQ(subgroup.taxGroup, 1);
}

TEST_P(SimRecordDecodeByModel, HeaderLineByItsLayout) {
    const int model = GetParam();
    CSimRegister ecr(model, 123);
    const std::size_t width = model == 1 ? 20 : 24;
    const std::string flag = model <= 1 ? "1" : "0";
    const std::string frame = Frame('w', "2" + flag + Padded("OOD " + MilkOnTheWire, width) + "*");
    EXPECT_EQ(frame.size(), model == 1 ? 34u : 38u);
    ASSERT_TRUE(SendInTransfer(ecr, {frame}));
    EXPECT_TRUE(ecr.UndecodedFrames().empty());
    EXPECT_EQ(ecr.Tables().headerLines[1].text, "OOD " + Milk);
    EXPECT_EQ(ecr.Tables().headerLines[1].flag, model <= 1);
}

TEST_P(SimRecordDecodeByModel, RecordsThatDoNotFitTheLayoutChangeNothing) {
    const int model = GetParam();
    const std::size_t name = NameWidth(model);
    ArticleFields badPrice = FullArticle(model);
    badPrice.price = "00000120" + Q;
    ArticleFields badBarcode = FullArticle(model);
    badBarcode.barcode = "38000000000A";
    ArticleFields zero = FullArticle(model);
    zero.number = "0000";
    ArticleFields beyond = FullArticle(model);
    beyond.number = "2601";
    ArticleFields threeDecimals = FullArticle(model);
    threeDecimals.price = "000012003";
    ArticleFields tax = FullArticle(model);
    tax.taxGroup = "A";
    std::string constant = ArticleFrame(model, FullArticle(model));
    const std::size_t constantAt = model == 1 ? 50 : model == 5 ? 0 : 55;
    if (constantAt != 0) {
        constant[constantAt] = '0';
        constant.resize(constant.size() - 3);
        constant = Frame('r', constant.substr(8));
    }
    const std::string otherModel =
        ArticleFrame(model == 1 ? 0 : 1, FullArticle(model == 1 ? 0 : 1));
    const std::string shortOperator = Frame('o', "1" + Padded("IVAN", 11) + "*");
    const std::string operatorTen = Frame('o', "0" + Padded("IVAN", 12) + "*");
    const std::string headerSeven = Frame('w', "70" + std::string(model == 1 ? 20 : 24, ' ') + "*");
    const std::string headerFlag = Frame('w', "1" + std::string(model <= 1 ? "2" : "1") +
                                                  std::string(model == 1 ? 20 : 24, ' ') + "*");
    const std::string subgroupLetter = Frame(
        'y', "A" + std::string(name, ' ') + (model == 1 ? Q : "000000502" + std::string("3")));

    std::vector<std::string> bad = {ArticleFrame(model, badPrice),
                                    ArticleFrame(model, badBarcode),
                                    ArticleFrame(model, zero),
                                    ArticleFrame(model, beyond),
                                    ArticleFrame(model, threeDecimals),
                                    ArticleFrame(model, tax),
                                    otherModel,
                                    shortOperator,
                                    operatorTen,
                                    headerSeven,
                                    headerFlag,
                                    subgroupLetter};
    if (constantAt != 0) {
        bad.push_back(constant);
    }
    for (std::size_t i = 0; i < bad.size(); ++i) {
        CSimRegister ecr(model, 123);
        ASSERT_TRUE(SendInTransfer(ecr, {bad[i]})) << i;
        EXPECT_EQ(ecr.UndecodedFrames(), std::vector<std::size_t>{2}) << i;
        EXPECT_TRUE(ecr.Tables().articles.empty()) << i;
        EXPECT_EQ(ecr.Tables().operators[0], "") << i;
        EXPECT_EQ(ecr.Tables().headerLines[0].text, "") << i;
        EXPECT_FALSE(ecr.Tables().headerLines[0].flag) << i;
        // Still kept among the records received.
        EXPECT_EQ(ecr.Frames().size(), 3u) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Models, SimRecordDecodeByModel, ::testing::Range(0, 10));

TEST(SimRecordDecodeTest, PriceWithoutDecimalsIsWholeUnits) {
    CSimRegister ecr(0, 123);
    ArticleFields article = FullArticle(0);
    article.price = "009999990";
    ASSERT_TRUE(SendInTransfer(ecr, {ArticleFrame(0, article)}));
    EXPECT_EQ(ecr.Tables().articles.at(7).price, 99999900u);
}

TEST(SimRecordDecodeTest, HighestStockIsKept) {
    CSimRegister ecr(3, 123);
    ArticleFields article = FullArticle(3);
    article.stock = "999999999";
    ASSERT_TRUE(SendInTransfer(ecr, {ArticleFrame(3, article)}));
    EXPECT_EQ(ecr.Tables().articles.at(7).stock, 999999999u);
}

TEST(SimRecordDecodeTest, RefusedRecordChangesNothing) {
    SimFaults faults;
    faults.refuseFrame = 3; // "a", the first record, then this one
    CSimRegister ecr(0, 123, faults);
    ArticleFields second = FullArticle(0);
    second.price = "000999992";
    second.number = "0008";
    ArticleFields same = FullArticle(0);
    same.price = "000999992";
    std::string all = Frame('a', "") + ArticleFrame(0, FullArticle(0)) + ArticleFrame(0, same) +
                      ArticleFrame(0, second);
    ecr.Receive(reinterpret_cast<const std::uint8_t*>(all.data()), all.size());
    ASSERT_EQ(ecr.Replies().size(), 4u);
    EXPECT_EQ(ecr.Replies()[2], SimReply::Nak);
    EXPECT_EQ(ecr.Tables().articles.at(7).price, 120u);
    EXPECT_EQ(ecr.Tables().articles.at(8).price, 99999u);
    EXPECT_TRUE(ecr.UndecodedFrames().empty());
}

TEST(SimRecordDecodeTest, RecordOutsideATransferChangesNothing) {
    CSimRegister ecr(0, 123);
    const std::string frame = ArticleFrame(0, FullArticle(0));
    ecr.Receive(reinterpret_cast<const std::uint8_t*>(frame.data()), frame.size());
    EXPECT_EQ(ecr.Replies().back(), SimReply::Nak);
    EXPECT_TRUE(ecr.Tables().articles.empty());
}

TEST(SimRecordDecodeTest, RecordMetWithSilenceIsStillTaken) {
    SimFaults faults;
    faults.silentFrom = 2;
    CSimRegister ecr(0, 123, faults);
    const std::string all = Frame('a', "") + ArticleFrame(0, FullArticle(0));
    EXPECT_EQ(ecr.Receive(reinterpret_cast<const std::uint8_t*>(all.data()), all.size()).size(),
              1u);
    EXPECT_EQ(ecr.Tables().articles.count(7), 1u);
}

TEST(SimRecordDecodeTest, TextsComeBackFromTheRegistersCharacterSet) {
    CSimRegister ecr(0, 123);
    // 0xBF and the control byte 0x01 are blanks in Windows-1251 terms; 0xBE is the last letter.
    ASSERT_TRUE(SendInTransfer(ecr, {Frame('o', "1A\xBF"
                                                "B\x01"
                                                "C\xBE"
                                                "      *")}));
    EXPECT_EQ(ecr.Tables().operators[0], "A B C\xFE");
}

TEST(SimRecordDecodeTest, ConfirmedTransfersAreCounted) {
    CSimRegister ecr(0, 123);
    ASSERT_TRUE(SendInTransfer(ecr, {}));
    EXPECT_EQ(ecr.ConfirmedTransfers(), 0u);
    const Bytes ack = test::AckFrame();
    ecr.Receive(ack.data(), ack.size());
    EXPECT_EQ(ecr.ConfirmedTransfers(), 1u);
}

} // namespace
} // namespace tillora::sim
