#include "transfer/FieldEncoding.h"
#include "transfer/RecordLayout.h"

#include <gtest/gtest.h>

namespace tillora {
namespace {

// ---- text ----

TEST(TextFieldTest, IsCutToItsWidth) {
    EXPECT_EQ(EncodeText("ABCDEFGHIJKLMN", 12), "ABCDEFGHIJKL");
}

TEST(TextFieldTest, IsPaddedWithBlanks) {
    EXPECT_EQ(EncodeText("AB", 5), "AB   ");
}

TEST(TextFieldTest, ArrivesInCapitalsOfTheRegistersCharacterSet) {
    // иван петров: eleven letters and a blank, then one blank of padding.
    EXPECT_EQ(EncodeText("\xE8\xE2\xE0\xED \xEF\xE5\xF2\xF0\xEE\xE2", 12),
              "\x88\x82\x80\x8D \x8F\x85\x92\x90\x8E\x82 ");
    EXPECT_EQ(EncodeText("abc{", 4), "ABC ");
}

// ---- digits ----

TEST(DigitsFieldTest, TakesTheFirstCharactersAsTheyAre) {
    EXPECT_EQ(EncodeDigits("3800000000017", 12), "380000000001");
    EXPECT_EQ(EncodeDigits("7", 1), "7");
}

TEST(DigitsFieldTest, ShorterTextKeepsTheWidthWithLeadingZeros) {
    EXPECT_EQ(EncodeDigits("123", 12), "000000000123");
}

// ---- price ----

TEST(PriceFieldTest, HoldsHundredthsAndTheirTwoDecimals) {
    EXPECT_EQ(EncodePrice("0.29"), "000000292");
    EXPECT_EQ(EncodePrice("0.00"), "000000002");
    EXPECT_EQ(EncodePrice("1.20"), "000001202");
    EXPECT_EQ(EncodePrice("999999.00"), "999999002");
}

TEST(PriceFieldTest, AboveTheLimitHoldsTheWholePartWithoutDecimals) {
    EXPECT_EQ(EncodePrice("999999.01"), "009999990");
    EXPECT_EQ(EncodePrice("999999.99"), "009999990");
}

TEST(PriceFieldTest, RoundsToTheNearestHundredth) {
    EXPECT_EQ(EncodePrice("0.286"), "000000292");
    EXPECT_EQ(EncodePrice("0.284"), "000000282");
}

TEST(PriceFieldTest, AlwaysKeepsNineCharacters) {
    EXPECT_EQ(EncodePrice("999999999"), "999999990");
    EXPECT_EQ(EncodePrice("12abc"), "000000002");
}

// ---- quantity ----

TEST(QuantityFieldTest, HoldsThousandths) {
    EXPECT_EQ(EncodeQuantity("1.001"), "000001001");
    EXPECT_EQ(EncodeQuantity("999999.999"), "999999999");
    EXPECT_EQ(EncodeQuantity("0.000"), "000000000");
    EXPECT_EQ(EncodeQuantity("2.500"), "000002500");
}

// ---- tax group ----

TEST(TaxGroupFieldTest, CyrillicLettersAndDigitsCountFromZeroUnderModelsZeroAndOne) {
    for (int model : {0, 1}) {
        for (const char* text : {"\xC0", "\xE0", "1"}) {
            EXPECT_EQ(EncodeTaxGroup(text, model), "0") << model << text;
        }
        for (const char* text : {"\xC1", "\xE1", "2"}) {
            EXPECT_EQ(EncodeTaxGroup(text, model), "1") << model << text;
        }
        for (const char* text : {"\xC2", "\xE2", "3"}) {
            EXPECT_EQ(EncodeTaxGroup(text, model), "2") << model << text;
        }
    }
}

TEST(TaxGroupFieldTest, CyrillicLettersAndDigitsCountFromOneUnderModelsTwoToFive) {
    for (int model = 2; model <= 5; ++model) {
        for (const char* text : {"\xC0", "\xE0", "1"}) {
            EXPECT_EQ(EncodeTaxGroup(text, model), "1") << model << text;
        }
        for (const char* text : {"\xC1", "\xE1", "2"}) {
            EXPECT_EQ(EncodeTaxGroup(text, model), "2") << model << text;
        }
        for (const char* text : {"\xC2", "\xE2", "3"}) {
            EXPECT_EQ(EncodeTaxGroup(text, model), "3") << model << text;
        }
    }
}

TEST(TaxGroupFieldTest, LatinLettersUnderModelsSixToNineWithEAsZero) {
    for (int model = 6; model <= 9; ++model) {
        EXPECT_EQ(EncodeTaxGroup("0", model), "0");
        EXPECT_EQ(EncodeTaxGroup("A", model), "1");
        EXPECT_EQ(EncodeTaxGroup("b", model), "2");
        EXPECT_EQ(EncodeTaxGroup("C", model), "3");
        EXPECT_EQ(EncodeTaxGroup("d", model), "4");
        EXPECT_EQ(EncodeTaxGroup("E", model), "0");
        EXPECT_EQ(EncodeTaxGroup("e", model), "0");
    }
}

TEST(TaxGroupFieldTest, LetterIsEncodedByTheModelAtSendingTime) {
    EXPECT_EQ(EncodeTaxGroup("\xE1", 0), "1"); // б
    EXPECT_EQ(EncodeTaxGroup("\xE1", 3), "2");
    EXPECT_EQ(EncodeTaxGroup("E", 7), "0");
}

// ---- no value and defaults ----

TEST(NoValueFieldTest, IsQuotationMarksOverTheWidth) {
    EXPECT_EQ(NoValueField(9), "\"\"\"\"\"\"\"\"\"");
    EXPECT_EQ(NoValueField(1), "\"");
}

TEST(DefaultFieldTest, TextIsBlanksNumbersAreZerosTaxGroupIsTheModelsFirst) {
    EXPECT_EQ(DefaultTextField(4), "    ");
    EXPECT_EQ(DefaultNumberField(9), "000000000");
    for (int model : {0, 1, 6, 7, 8, 9}) {
        EXPECT_EQ(DefaultTaxGroupField(model), "1") << model;
    }
    for (int model : {2, 3, 4, 5}) {
        EXPECT_EQ(DefaultTaxGroupField(model), "2") << model;
    }
}

// ---- one field by scope ----

const RecordField PriceField = CellField(FieldKind::Price, 3, 9);
const RecordField NameField = CellField(FieldKind::Text, 1, 12);
const RecordField TaxField = CellField(FieldKind::TaxGroup, 4, 1);
const RecordField FlagField = CellField(FieldKind::Flag, 2, 1);

TEST(EncodeFieldTest, WholeTableSendsAnEmptyCellAsNoValue) {
    EXPECT_EQ(EncodeField(PriceField, "", false, SendScope::WholeTable, 0), NoValueField(9));
    EXPECT_EQ(EncodeField(NameField, "", false, SendScope::WholeTable, 0), NoValueField(12));
    EXPECT_EQ(EncodeField(PriceField, "0.29", false, SendScope::WholeTable, 0), "000000292");
}

TEST(EncodeFieldTest, SelectedCellsSendACellLeftOutAsNoValue) {
    EXPECT_EQ(EncodeField(PriceField, "0.29", false, SendScope::SelectedCells, 0), NoValueField(9));
    EXPECT_EQ(EncodeField(PriceField, "0.29", true, SendScope::SelectedCells, 0), "000000292");
}

TEST(EncodeFieldTest, SelectedEmptyCellGetsItsDefault) {
    EXPECT_EQ(EncodeField(PriceField, "", true, SendScope::SelectedCells, 0), "000000000");
    EXPECT_EQ(EncodeField(NameField, "", true, SendScope::SelectedCells, 0), "            ");
    EXPECT_EQ(EncodeField(TaxField, "", true, SendScope::SelectedCells, 0), "1");
    EXPECT_EQ(EncodeField(TaxField, "", true, SendScope::SelectedCells, 4), "2");
}

TEST(EncodeFieldTest, FlagGoesAsItStandsWhetherSelectedOrNot) {
    EXPECT_EQ(EncodeField(FlagField, "1", false, SendScope::SelectedCells, 0), "1");
    EXPECT_EQ(EncodeField(FlagField, "0", true, SendScope::SelectedCells, 0), "0");
    EXPECT_EQ(EncodeField(FlagField, "1", false, SendScope::WholeTable, 0), "1");
}

TEST(EncodeFieldTest, ConstantIsTheSameWhateverTheScope) {
    EXPECT_EQ(EncodeField(ConstantBytes("*"), "", false, SendScope::SelectedCells, 0), "*");
    EXPECT_EQ(EncodeField(ConstantBytes("*"), "", false, SendScope::WholeTable, 0), "*");
}

} // namespace
} // namespace tillora
