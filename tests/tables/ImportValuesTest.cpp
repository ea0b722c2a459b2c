#include "tables/ImportValues.h"
#include "tables/DecimalText.h"

#include "link/Cp1251.h"

#include <gtest/gtest.h>

namespace tillora {
namespace {

SheetCell Text(const std::string& utf8) {
    return {Utf8ToCp1251(utf8), std::nullopt};
}

SheetCell Number(double value) {
    return {"", value};
}

struct ValueCase {
    SheetCell cell;
    ValueOutcome outcome;
    std::string text; // UTF-8
};

void ExpectValues(const std::vector<ValueCase>& cases, ImportedValue (*import)(const SheetCell&)) {
    for (const ValueCase& c : cases) {
        const ImportedValue value = import(c.cell);
        const std::string shown = c.cell.number ? std::to_string(*c.cell.number) : c.cell.text;
        EXPECT_EQ(value.outcome, c.outcome) << Cp1251ToUtf8(shown);
        EXPECT_EQ(Cp1251ToUtf8(value.text), c.text) << Cp1251ToUtf8(shown);
    }
}

TEST(ImportValuesTest, PricesAsTheSheetShowsThem) {
    const auto T = ValueOutcome::Taken;
    const auto R = ValueOutcome::Refused;
    ExpectValues({{Text("12,50"), T, "12.50"},
                  {Text("1 234,50 лв."), T, "1234.50"},
                  {Text(" 1\u00A0234,5 лв"), T, "1234.50"},
                  {Text("1.234,50"), T, "1234.50"},
                  {Text("1,234.50"), T, "1234.50"},
                  {Text("1.234.567"), T, "1234567.00"},
                  {Text("1'234.5"), T, "1234.50"},
                  {Text("2.675"), ValueOutcome::Ambiguous, "2.68"},
                  {Text("1.005"), ValueOutcome::Ambiguous, "1.01"},
                  {Text("0,125"), T, "0.13"},
                  {Text("€ 3,99"), T, "3.99"},
                  {Text("3.99 EUR"), T, "3.99"},
                  {Text("5 BGN"), T, "5.00"},
                  {Text("1,5E+2"), T, "150.00"},
                  {Text(".5"), T, "0.50"},
                  {Text("+7"), T, "7.00"},
                  {Text("-0"), T, "0.00"},
                  {Text("1,234"), ValueOutcome::Ambiguous, "1.23"},
                  {Number(2.675), T, "2.68"},
                  {Number(1.005), T, "1.01"},
                  {Number(0.1 + 0.2), T, "0.30"},
                  {Text(""), T, ""},
                  {Text("12 50"), R, ""},
                  {Text("1.23.4,5"), R, ""},
                  {Text("1,2,3.4"), R, ""},
                  {Text("abc"), R, ""},
                  {Text("-1,00"), R, ""},
                  {Text("1e400"), R, ""},
                  {Number(-3), R, ""}},
                 [](const SheetCell& cell) { return ImportAmount(cell, 2); });
}

TEST(ImportValuesTest, QuantitiesKeepThreeDecimals) {
    const auto T = ValueOutcome::Taken;
    ExpectValues(
        {{Text("1,234"), T, "1.234"}, {Text("1.0005"), T, "1.001"}, {Text("2 500"), T, "2500.000"}},
        [](const SheetCell& cell) { return ImportAmount(cell, 3); });
}

TEST(ImportValuesTest, RoundingIsHalfAwayFromZeroOnTheDecimalText) {
    const std::vector<std::tuple<std::string, int, std::string>> cases = {
        {"2.675", 2, "2.68"},
        {"-2.675", 2, "-2.68"},
        {"9.995", 2, "10.00"},
        {"0.004", 2, "0.00"},
        {"-0.004", 2, "0.00"},
        {"5", 2, "5.00"},
        {"0.4999", 0, "0"},
        {"99.5", 0, "100"},
        {"1.0005", 3, "1.001"},
        {"007.50", 2, "7.50"},
        {" +.995", 2, "1.00"},
        {"2675e-3", 2, "2.68"},
        {"1e-400", 2, "0.00"},
        {"5e-3", 2, "0.01"},
        {"4.9e-3", 2, "0.00"},
        {"1.5E2", 2, "150.00"},
        {"1e400", 2, "(none)"},
        {"12,5", 2, "(none)"},
        {"1e308", 0, "1" + std::string(308, '0')}};
    for (const auto& [text, decimals, rounded] : cases) {
        EXPECT_EQ(RoundDecimal(text, decimals).value_or("(none)"), rounded) << text;
    }
}

TEST(ImportValuesTest, BarcodesStayDigitStringsAndExponentFormsAreCaught) {
    const auto T = ValueOutcome::Taken;
    const auto R = ValueOutcome::Refused;
    const auto E = ValueOutcome::Exponent;
    ExpectValues({{Text("3800000000017"), T, "3800000000017"},
                  {Text("'0123"), T, "000000000123"},
                  {Text("380 0000 000017"), T, "3800000000017"},
                  {Text("123.00"), T, "000000000123"},
                  {Text("3.800000000017E+12"), T, "3800000000017"},
                  {Text("3.80E+12"), E, ""},
                  {Text("3,80012e+12"), E, ""},
                  {Text("3.8E-1"), R, ""},
                  {Text("12a4"), R, ""},
                  {Number(3800000000017.0), T, "3800000000017"},
                  {Number(12.5), R, ""},
                  {Number(1e16), R, ""}},
                 ImportBarcode);
}

TEST(ImportValuesTest, TaxLettersOfTheOtherAlphabetAreTakenAsTheirLookAlikes) {
    const auto T = ValueOutcome::Taken;
    const auto L = ValueOutcome::LookAlike;
    const auto R = ValueOutcome::Refused;
    ExpectValues({{Text("Б"), T, "Б"},
                  {Text(" 2 "), T, "2"},
                  {Number(2.0), T, "2"},
                  {Text("A"), L, "А"},
                  {Text("a"), L, "а"},
                  {Text("B"), L, "В"},
                  {Text("C"), R, ""},
                  {Text("АБ"), R, ""}},
                 [](const SheetCell& cell) { return ImportTaxGroup(cell, 0); });
    ExpectValues(
        {{Text("a"), T, "a"}, {Text("А"), L, "A"}, {Text("е"), L, "e"}, {Text("Б"), R, ""}},
        [](const SheetCell& cell) { return ImportTaxGroup(cell, 7); });
}

TEST(ImportValuesTest, DigitsFlagsAndTexts) {
    const auto T = ValueOutcome::Taken;
    const auto R = ValueOutcome::Refused;
    ExpectValues({{Text("3"), T, "3"},
                  {Text("3,0"), T, "3"},
                  {Number(3.0), T, "3"},
                  {Text("3.5"), R, ""},
                  {Text("12"), R, ""}},
                 ImportDigit);
    ExpectValues(
        {{Text("да"), T, "1"}, {Text("No"), T, "0"}, {Text(""), T, ""}, {Text("maybe"), R, ""}},
        ImportFlag);
    ExpectValues({{Text("  Хляб "), T, "Хляб"},
                  {Text("Хляб\r\nбял\tнарязан"), ValueOutcome::LineBreaks, "Хляб  бял нарязан"}},
                 ImportText);
}

} // namespace
} // namespace tillora
