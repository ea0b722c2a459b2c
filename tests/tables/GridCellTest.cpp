#include "tables/GridCell.h"
#include "tables/DecimalText.h"
#include "tables/GridDefaultCell.h"
#include "tables/TypedCells.h"

#include "link/EcrSettings.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace tillora {
namespace {

using namespace std::string_literals;

// Cyrillic А, Б, В, а, б, в in Windows-1251.
constexpr char CyrA = '\xC0';
constexpr char CyrB = '\xC1';
constexpr char CyrV = '\xC2';
constexpr char CyrSmallA = '\xE0';
constexpr char CyrSmallB = '\xE1';
constexpr char CyrSmallV = '\xE2';

// The tax-group cell reads the process-wide model; every test gets it back as it found it.
class ModelGuard {
public:
    explicit ModelGuard(int model) : m_saved(ConnectionSettings().EcrType) {
        ConnectionSettings().EcrType = model;
    }
    ~ModelGuard() { ConnectionSettings().EcrType = m_saved; }
    ModelGuard(const ModelGuard&) = delete;
    ModelGuard& operator=(const ModelGuard&) = delete;

private:
    int m_saved;
};

template <typename Cell> std::string Stored(std::string_view text) {
    Cell cell;
    cell.SetText(text);
    return cell.GetText();
}

std::string Price(std::string_view text) {
    return Stored<CGridCellPrice>(text);
}
std::string Quantity(std::string_view text) {
    return Stored<CGridCellQuantity>(text);
}
std::string Barcode(std::string_view text) {
    return Stored<CGridCellBarcode>(text);
}
std::string Digit(std::string_view text) {
    return Stored<CGridCellNum1>(text);
}
std::string TaxGroup(std::string_view text, int model) {
    const ModelGuard guard(model);
    return Stored<CGridCellChar1>(text);
}
std::string Check(std::string_view text) {
    return Stored<CGridCellCheck>(text);
}

// ---- Barcode ----------------------------------------------------------------------------------

TEST(BarcodeCellTest, PadsToTwelveDigits) {
    EXPECT_EQ(Barcode("123"), "000000000123");
    EXPECT_EQ(Barcode("1"), "000000000001");
    EXPECT_EQ(Barcode("0"), "000000000000");
    EXPECT_EQ(Barcode("000000000000"), "000000000000");
    EXPECT_EQ(Barcode("123456789012"), "123456789012");
}

TEST(BarcodeCellTest, LeadingZerosAreNotSignificant) {
    EXPECT_EQ(Barcode("0123"), "000000000123");
    EXPECT_EQ(Barcode("0123"), Barcode("123"));
    EXPECT_EQ(Barcode("00000000000000000000123"), "000000000123");
    EXPECT_EQ(Barcode("0001234567890123"), "1234567890123");
}

TEST(BarcodeCellTest, LongerBarcodesKeepEveryDigit) {
    EXPECT_EQ(Barcode("1234567890123"), "1234567890123");
    EXPECT_EQ(Barcode("9999999999999999"), "9999999999999999");
    EXPECT_EQ(Barcode("12345678901234567890"), "12345678901234567890");
    EXPECT_EQ(Barcode("18446744073709551617"), "18446744073709551617");
    const std::string huge(5000, '7');
    EXPECT_EQ(Barcode(huge), huge);
}

TEST(BarcodeCellTest, AnythingButDigitsGivesTheEmptyText) {
    for (const std::string& text :
         std::vector<std::string>{""s, "12a4"s, "-5"s, "+5"s, " 123"s, "123 "s, "12 3"s, "1.5"s,
                                  "1,5"s, "1e5"s, "0x10"s, "\xC0"s,
                                  "12\0"
                                  "34"s,
                                  "\0"s, "\t1"s, "1\n"s, std::string(3000, '1') + "x"}) {
        EXPECT_EQ(Barcode(text), "") << '"' << text << '"';
    }
}

// ---- Tax group --------------------------------------------------------------------------------

TEST(TaxGroupCellTest, LatinModelsKeepTheirLetters) {
    for (int model = 6; model <= 9; ++model) {
        EXPECT_EQ(TaxGroup("a", model), "a");
        EXPECT_EQ(TaxGroup("A", model), "A");
        EXPECT_EQ(TaxGroup("0", model), "0");
        EXPECT_EQ(TaxGroup("e", model), "e");
        EXPECT_EQ(TaxGroup("F", model), "");
        EXPECT_EQ(TaxGroup(std::string(1, CyrA), model), "");
        EXPECT_EQ(TaxGroup("AB", model), "");
        EXPECT_EQ(TaxGroup("1", model), "");
        EXPECT_EQ(TaxGroup("", model), "");
    }
}

TEST(TaxGroupCellTest, CyrillicModelsKeepTheirLetters) {
    for (int model = -1; model <= 5; ++model) {
        EXPECT_EQ(TaxGroup(std::string(1, CyrSmallB), model), std::string(1, CyrSmallB));
        EXPECT_EQ(TaxGroup(std::string(1, CyrV), model), std::string(1, CyrV));
        EXPECT_EQ(TaxGroup("2", model), "2");
        EXPECT_EQ(TaxGroup("4", model), "");
        EXPECT_EQ(TaxGroup("0", model), "");
        EXPECT_EQ(TaxGroup("B", model), "");
        EXPECT_EQ(TaxGroup("a", model), "");
        EXPECT_EQ(TaxGroup(std::string{CyrA, CyrB}, model), "");
        EXPECT_EQ(TaxGroup(" 1", model), "");
        EXPECT_EQ(TaxGroup("", model), "");
    }
}

TEST(TaxGroupCellTest, EveryByteAgainstEachModelsSet) {
    const std::string latin = "0ABCDEabcde";
    const std::string cyrillic{CyrA, CyrB, CyrV, CyrSmallA, CyrSmallB, CyrSmallV, '1', '2', '3'};
    for (int model = -1; model <= 9; ++model) {
        const std::string& allowed = model >= 6 ? latin : cyrillic;
        for (int b = 0; b <= 0xFF; ++b) {
            const std::string text(1, static_cast<char>(b));
            const bool keeps = allowed.find(static_cast<char>(b)) != std::string::npos;
            EXPECT_EQ(TaxGroup(text, model), keeps ? text : "")
                << "model " << model << " byte " << b;
        }
    }
}

TEST(TaxGroupCellTest, ModelIsReadWhenTheTextIsSet) {
    const ModelGuard guard(7);
    CGridCellChar1 cell;
    cell.SetText("a");
    ConnectionSettings().EcrType = 0;
    EXPECT_EQ(cell.GetText(), "a") << "a stored letter is not checked again";
    cell.SetText("a");
    EXPECT_EQ(cell.GetText(), "");
    cell.SetText("1");
    EXPECT_EQ(cell.GetText(), "1");
}

// ---- Check ------------------------------------------------------------------------------------

TEST(CheckCellTest, ReadsOneOrZero) {
    EXPECT_EQ(Check("1"), "1");
    EXPECT_EQ(Check("0"), "0");
    EXPECT_EQ(Check(""), "0");
    EXPECT_EQ(Check("00"), "1");
    EXPECT_EQ(Check("yes"), "1");
    EXPECT_EQ(Check("x"), "1");
    EXPECT_EQ(Check(" 0"), "1");
    EXPECT_EQ(Check("0 "), "1");
    EXPECT_EQ(Check(std::string(10000, '0')), "1");
}

TEST(CheckCellTest, NewCellIsCleared) {
    CGridCellCheck cell;
    EXPECT_FALSE(cell.GetCheck());
    EXPECT_EQ(cell.GetText(), "0");
    EXPECT_EQ(cell.GetTipText(), "0");
}

TEST(CheckCellTest, ToggleFlipsWithoutMarkingModified) {
    CGridCellCheck cell;
    cell.Toggle();
    EXPECT_TRUE(cell.GetCheck());
    EXPECT_EQ(cell.GetText(), "1");
    EXPECT_FALSE(cell.IsModified());
    cell.Toggle();
    EXPECT_FALSE(cell.GetCheck());
    EXPECT_EQ(cell.GetText(), "0");
    cell.SetText("1");
    cell.Toggle();
    EXPECT_EQ(cell.GetText(), "0");
}

TEST(CheckCellTest, ResetClearsTheFlag) {
    CGridCellCheck cell;
    cell.SetText("1");
    cell.SetState(CellState::ReadOnly);
    cell.Reset();
    EXPECT_FALSE(cell.GetCheck());
    EXPECT_EQ(cell.GetText(), "0");
    EXPECT_EQ(cell.GetState(), 0u);
}

// ---- One digit --------------------------------------------------------------------------------

TEST(DigitCellTest, KeepsOneDigit) {
    for (char d = '0'; d <= '9'; ++d) {
        EXPECT_EQ(Digit(std::string(1, d)), std::string(1, d));
    }
}

TEST(DigitCellTest, AnythingElseGivesTheEmptyText) {
    for (const std::string& text :
         std::vector<std::string>{""s, "12"s, "x"s, " "s, "+"s, "-"s, "+5"s, "-5"s, " 5"s, "5 "s,
                                  "05"s, "a"s, "\0"s, "5\0"s, "\xB9"s, "\xC0"s, "."s}) {
        EXPECT_EQ(Digit(text), "") << '"' << text << '"';
    }
}

// ---- Price and quantity -----------------------------------------------------------------------

TEST(PriceCellTest, TwoDecimals) {
    EXPECT_EQ(Price("12.5"), "12.50");
    EXPECT_EQ(Price(".5"), "0.50");
    EXPECT_EQ(Price("1e2"), "100.00");
    EXPECT_EQ(Price("0"), "0.00");
    EXPECT_EQ(Price("1."), "1.00");
    // Rounded half away from zero as written, whatever the nearest double is.
    EXPECT_EQ(Price("12.345"), "12.35");
    EXPECT_EQ(Price("2.675"), "2.68");
    EXPECT_EQ(Price("1.005"), "1.01");
    EXPECT_EQ(Price("0.125"), "0.13");
    EXPECT_EQ(Price("0.375"), "0.38");
    EXPECT_EQ(Price("2.67499999999999999999"), "2.67");
    EXPECT_EQ(Price("0.2675e1"), "2.68");
    EXPECT_EQ(Quantity("1.0005"), "1.001");
    EXPECT_EQ(Price("0.001"), "0.00");
    EXPECT_EQ(Price("99999999.999"), "100000000.00");
}

TEST(PriceCellTest, SignsAndDecimalExponents) {
    EXPECT_EQ(Price("+5"), "5.00");
    EXPECT_EQ(Price("+.5e1"), "5.00");
    EXPECT_EQ(Price("1E2"), "100.00");
    EXPECT_EQ(Price("1e+2"), "100.00");
    EXPECT_EQ(Price("12500e-3"), "12.50");
    EXPECT_EQ(Price("1e-400"), "0.00");
    EXPECT_EQ(Price("4.9e-324"), "0.00");
}

TEST(PriceCellTest, NegativeZeroIsZero) {
    EXPECT_EQ(Price("-0"), "0.00");
    EXPECT_EQ(Price("-0.0"), "0.00");
    EXPECT_EQ(Price("-.0e5"), "0.00");
    EXPECT_EQ(Quantity("-0"), "0.000");
}

TEST(PriceCellTest, LeadingWhiteSpaceIsAcceptedTrailingIsNot) {
    EXPECT_EQ(Price(" 5"), "5.00");
    EXPECT_EQ(Price("\t\n 5"), "5.00");
    EXPECT_EQ(Price(std::string(10000, ' ') + "5"), "5.00");
    EXPECT_EQ(Price("5 "), "");
    EXPECT_EQ(Price("5\n"), "");
    EXPECT_EQ(Price("5\r"), "");
}

TEST(PriceCellTest, RejectedTexts) {
    for (const std::string& text : std::vector<std::string>{""s,
                                                            "12,5"s,
                                                            "-1"s,
                                                            "-0.001"s,
                                                            "-1e-300"s,
                                                            "abc"s,
                                                            "5 "s,
                                                            " "s,
                                                            "."s,
                                                            "+"s,
                                                            "-"s,
                                                            "e5"s,
                                                            "1e"s,
                                                            "1e+"s,
                                                            "0x"s,
                                                            "1.2.3"s,
                                                            "1,000.00"s,
                                                            "\xC0"s,
                                                            "12\0"
                                                            "5"s,
                                                            "\0"s,
                                                            "5\0"s,
                                                            "1 000"s,
                                                            "$5"s,
                                                            "5%"s}) {
        EXPECT_EQ(Price(text), "") << '"' << text << '"';
        EXPECT_EQ(Quantity(text), "") << '"' << text << '"';
    }
}

// Some C libraries read hexadecimal numbers, others "d" exponents: no system takes either, so that
// one file gives every register the same records.
TEST(PriceCellTest, HexadecimalNumbersAndDExponentsAreNoAmounts) {
    for (const std::string& text :
         {"0x10"s, "0X1p4"s, "0x.8"s, "-0x0"s, "1d2"s, "1D2"s, "1.5d0"s, "0x1e2"s}) {
        EXPECT_EQ(Price(text), "") << '"' << text << '"';
        EXPECT_EQ(Quantity(text), "") << '"' << text << '"';
    }
}

TEST(PriceCellTest, NonFiniteValuesGiveTheEmptyText) {
    for (const std::string& text :
         {"inf"s, "INF"s, "+inf"s, "-inf"s, "infinity"s, "Infinity"s, "nan"s, "NAN"s, "-nan"s,
          "nan(123)"s, "1e999"s, "1e309"s, "0x1p1024"s, "1" + std::string(400, '0')}) {
        EXPECT_EQ(Price(text), "") << '"' << text << '"';
        EXPECT_EQ(Quantity(text), "") << '"' << text << '"';
    }
}

TEST(PriceCellTest, HugeFiniteValuesKeepTheirWrittenDigits) {
    EXPECT_EQ(Price("1.7976931348623157e308"), "17976931348623157" + std::string(292, '0') + ".00");
    EXPECT_EQ(Price("1e20"), "100000000000000000000.00");
    const std::string longNumber = "1" + std::string(300, '0');
    EXPECT_EQ(Price(longNumber), longNumber + ".00");
    EXPECT_EQ(Price("0." + std::string(5000, '0') + "1"), "0.00");
}

TEST(QuantityCellTest, ThreeDecimals) {
    EXPECT_EQ(Quantity("2"), "2.000");
    EXPECT_EQ(Quantity("1.23456"), "1.235");
    EXPECT_EQ(Quantity("0.0005"), "0.001");
    EXPECT_EQ(Quantity("0.0625"), "0.063");
    EXPECT_EQ(Quantity("+1e1"), "10.000");
    EXPECT_EQ(Quantity(" .5"), "0.500");
    EXPECT_EQ(Quantity("2,5"), "");
}

// The value of mantissa * 10^exponent in units of the last kept decimal, rounded half up, by
// integer arithmetic alone, as "%.Nf" would print it.
std::string ScaledByIntegers(std::uint64_t mantissa, int exponent, int decimals) {
    const int shift = exponent + decimals;
    std::string digits;
    if (shift >= 0) {
        digits = std::to_string(mantissa) + std::string(static_cast<std::size_t>(shift), '0');
    } else {
        std::uint64_t unit = 1;
        for (int i = 0; i < -shift; ++i) {
            unit *= 10;
        }
        digits = std::to_string((mantissa + unit / 2) / unit);
    }
    if (digits.size() <= static_cast<std::size_t>(decimals)) {
        digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
    }
    digits.insert(digits.size() - static_cast<std::size_t>(decimals), ".");
    return digits;
}

// Every amount is rounded from its written digits, whatever its double is.
TEST(PriceCellTest, AgreesWithIntegerArithmeticOnManyValues) {
    std::mt19937_64 random(20261207);
    for (int i = 0; i < 5000; ++i) {
        const std::uint64_t mantissa = random() >> 20;
        const int exponent = static_cast<int>(random() % 40) - 15;
        const std::string text = std::to_string(mantissa) + "e" + std::to_string(exponent);
        EXPECT_EQ(Price(text), ScaledByIntegers(mantissa, exponent, 2)) << text;
        EXPECT_EQ(Quantity(text), ScaledByIntegers(mantissa, exponent, 3)) << text;
    }
}

// ---- The number forms and the process locale -------------------------------------------------

TEST(DecimalTextTest, ParsesOnlyWholeTexts) {
    EXPECT_EQ(ParseDecimal(" 1.5"), 1.5);
    EXPECT_EQ(ParseDecimal("-2"), -2.0);
    EXPECT_FALSE(ParseDecimal("0x10"));
    EXPECT_FALSE(ParseDecimal("1d2"));
    EXPECT_FALSE(ParseDecimal(""));
    EXPECT_FALSE(ParseDecimal("1.5 "));
    EXPECT_FALSE(ParseDecimal("1,5"));
    EXPECT_FALSE(ParseDecimal("1\0"
                              "5"s));
}

TEST(DecimalTextTest, FormatsLikePrintf) {
    EXPECT_EQ(FormatDecimal(12.5, 2), "12.50");
    EXPECT_EQ(FormatDecimal(0.125, 2), "0.12");
    EXPECT_EQ(FormatDecimal(1.23456, 3), "1.235");
    EXPECT_EQ(FormatDecimal(7.0, 0), "7");
    char expected[512];
    std::snprintf(expected, sizeof expected, "%.3f", DBL_MAX);
    EXPECT_EQ(FormatDecimal(DBL_MAX, 3), expected);
}

// A locale whose decimal separator is ',' in force must not change what the cells accept.
TEST(DecimalTextTest, CommaLocaleDoesNotChangeTheSeparator) {
#ifdef _WIN32
    GTEST_SKIP() << "the comma locale is built with localedef, which only POSIX systems have";
#else
    if (std::system("command -v localedef >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "localedef is not installed, so no comma locale can be built";
    }
    const test::TempFolder folder("tillora-locale");
    const std::string target = (folder.Path() / "bg_BG.UTF-8").string();
    const std::string command = "localedef -i bg_BG -f UTF-8 '" + target + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) {
        GTEST_SKIP() << "localedef could not build bg_BG.UTF-8 (are the locale sources there?)";
    }
    ASSERT_EQ(setenv("LOCPATH", folder.Path().string().c_str(), 1), 0);
    const bool switched = std::setlocale(LC_ALL, "bg_BG.UTF-8") != nullptr;
    std::string separator;
    if (switched) {
        separator = std::localeconv()->decimal_point;
    }
    const std::string parsed = Price("12.5");
    const std::string parsedComma = Price("12,5");
    const std::string quantity = Quantity("1.23456");
    std::setlocale(LC_ALL, "C");
    unsetenv("LOCPATH");

    ASSERT_TRUE(switched) << "the locale that was built could not be set";
    ASSERT_EQ(separator, ",");
    EXPECT_EQ(parsed, "12.50");
    EXPECT_EQ(parsedComma, "");
    EXPECT_EQ(quantity, "1.235");
#endif
}

// ---- Every stored form normalises to itself ---------------------------------------------------

std::vector<std::string> ManyInputs() {
    std::vector<std::string> inputs = {"",
                                       "0",
                                       "1",
                                       "00",
                                       "-0",
                                       "+5",
                                       " 5",
                                       "5 ",
                                       "12.5",
                                       ".5",
                                       "1e2",
                                       "12,5",
                                       "-1",
                                       "abc",
                                       "0x10",
                                       "inf",
                                       "nan",
                                       "1e999",
                                       "1e308",
                                       "1.7976931348623157e308",
                                       "4.9e-324",
                                       "2.675",
                                       "0.125",
                                       "0.0005",
                                       "123",
                                       "0123",
                                       "12345678901234567890",
                                       "9",
                                       "a",
                                       "A",
                                       "E",
                                       "e",
                                       "F",
                                       "2",
                                       "3",
                                       "4",
                                       "\xC0",
                                       "\xE1",
                                       "\xC2\xC0",
                                       "12\0"
                                       "5"s,
                                       "\0"s,
                                       std::string(2000, '9'),
                                       std::string(400, '9'),
                                       "yes",
                                       "x",
                                       "99999999.995",
                                       "140737488355327.99",
                                       "9007199254740993",
                                       "70368744177663.995",
                                       "1e15",
                                       "0.005"};
    std::mt19937_64 random(7);
    for (int i = 0; i < 3000; ++i) {
        const std::uint64_t bits = random();
        const int exponent = static_cast<int>(bits % 60) - 25;
        inputs.push_back(std::to_string(bits >> (bits % 50)) + "e" + std::to_string(exponent));
        inputs.push_back(std::to_string(bits % 100000) + "." + std::to_string(bits >> 40));
        inputs.push_back(std::to_string(bits));
        inputs.push_back(std::string(1, static_cast<char>(bits & 0xFF)));
    }
    return inputs;
}

template <typename Cell> void ExpectStable(const std::vector<std::string>& inputs) {
    for (const std::string& input : inputs) {
        Cell first;
        first.SetText(input);
        const std::string stored = first.GetText();
        Cell second;
        second.SetText(stored);
        EXPECT_EQ(second.GetText(), stored) << Cell::ClassName << " from \"" << input << '"';
        first.SetText(stored);
        EXPECT_EQ(first.GetText(), stored) << Cell::ClassName << " from \"" << input << '"';
    }
}

TEST(StoredFormTest, SettingTheStoredTextAgainKeepsIt) {
    const std::vector<std::string> inputs = ManyInputs();
    ExpectStable<CGridCell>(inputs);
    ExpectStable<CGridDefaultCell>(inputs);
    ExpectStable<CGridCellBarcode>(inputs);
    ExpectStable<CGridCellCheck>(inputs);
    ExpectStable<CGridCellNum1>(inputs);
    ExpectStable<CGridCellPrice>(inputs);
    ExpectStable<CGridCellQuantity>(inputs);
    for (int model : {-1, 0, 3, 6, 9}) {
        const ModelGuard guard(model);
        ExpectStable<CGridCellChar1>(inputs);
    }
}

TEST(StoredFormTest, FreeFunctionsGiveTheCellsForms) {
    const ModelGuard guard(8);
    for (const std::string& input : ManyInputs()) {
        EXPECT_EQ(BarcodeForm(input), Barcode(input));
        EXPECT_EQ(DigitForm(input), Digit(input));
        EXPECT_EQ(AmountForm(input, 2), Price(input));
        EXPECT_EQ(AmountForm(input, 3), Quantity(input));
        EXPECT_EQ(TaxGroupForm(input, 8), Stored<CGridCellChar1>(input));
    }
}

// ---- The standard cell ------------------------------------------------------------------------

TEST(GridCellTest, StoresFreeTextAsGiven) {
    for (const std::string& text :
         {""s, " a "s, "12,5"s, "\xC0\xE1\xE2"s, "a\0b"s, std::string(100000, 'z')}) {
        CGridCell cell;
        cell.SetText(text);
        EXPECT_EQ(cell.GetText(), text);
        EXPECT_EQ(cell.GetTipText(), text);
    }
}

TEST(GridCellTest, NewCellIsUnset) {
    CGridCell cell;
    EXPECT_EQ(cell.GetText(), "");
    EXPECT_EQ(cell.GetState(), 0u);
    EXPECT_EQ(cell.GetData(), 0);
    EXPECT_EQ(cell.GetImage(), -1);
    EXPECT_EQ(cell.GetFormat(), CellFormat::Default);
    EXPECT_EQ(cell.GetTextClr(), DefaultColour);
    EXPECT_EQ(cell.GetBackClr(), DefaultColour);
    EXPECT_TRUE(cell.IsDefaultFont());
    EXPECT_EQ(cell.GetMargin(), -1);
    EXPECT_FALSE(cell.IsEditing());
}

TEST(GridCellTest, StateTestsReadTheirFlags) {
    CGridCell cell;
    const std::pair<std::uint32_t, bool (CGridCellBase::*)() const> flags[] = {
        {CellState::Focused, &CGridCellBase::IsFocused},
        {CellState::Selected, &CGridCellBase::IsSelected},
        {CellState::DropHighlighted, &CGridCellBase::IsDropHighlighted},
        {CellState::ReadOnly, &CGridCellBase::IsReadOnly},
        {CellState::Fixed, &CGridCellBase::IsFixed},
        {CellState::FixedRow, &CGridCellBase::IsFixedRow},
        {CellState::FixedColumn, &CGridCellBase::IsFixedCol},
        {CellState::Modified, &CGridCellBase::IsModified}};
    for (const auto& [flag, test] : flags) {
        cell.SetState(flag);
        for (const auto& [other, otherTest] : flags) {
            EXPECT_EQ((cell.*otherTest)(), other == flag) << flag << " " << other;
        }
    }
}

TEST(GridCellTest, FontIsAnOwnCopy) {
    CellFont font;
    font.height = 17;
    std::strcpy(font.faceName, "Arial");
    CGridCell cell;
    cell.SetFont(&font);
    font.height = 99;
    ASSERT_FALSE(cell.IsDefaultFont());
    EXPECT_EQ(cell.GetFont()->height, 17u);
    EXPECT_STREQ(cell.GetFont()->faceName, "Arial");
    cell.SetFont(nullptr);
    EXPECT_TRUE(cell.IsDefaultFont());
}

TEST(GridCellTest, ResetKeepsOnlyTheData) {
    CellFont font;
    CGridCell cell;
    cell.SetText("x");
    cell.SetData(42);
    cell.SetImage(3);
    cell.SetFormat(CellFormat::Right);
    cell.SetTextClr(Rgb(1, 2, 3));
    cell.SetBackClr(Rgb(4, 5, 6));
    cell.SetFont(&font);
    cell.SetMargin(9);
    cell.SetEditing(true);
    cell.SetState(CellState::Modified | CellState::ReadOnly);
    cell.Reset();
    EXPECT_EQ(cell.GetText(), "");
    EXPECT_EQ(cell.GetData(), 42);
    EXPECT_EQ(cell.GetImage(), -1);
    EXPECT_EQ(cell.GetFormat(), CellFormat::Default);
    EXPECT_EQ(cell.GetTextClr(), DefaultColour);
    EXPECT_EQ(cell.GetBackClr(), DefaultColour);
    EXPECT_TRUE(cell.IsDefaultFont());
    EXPECT_EQ(cell.GetMargin(), -1);
    EXPECT_FALSE(cell.IsEditing());
    EXPECT_EQ(cell.GetState(), 0u);
}

TEST(GridCellTest, ResetEmptiesTypedCells) {
    const ModelGuard guard(0);
    std::vector<std::unique_ptr<CGridCell>> cells;
    cells.push_back(std::make_unique<CGridCellBarcode>());
    cells.push_back(std::make_unique<CGridCellChar1>());
    cells.push_back(std::make_unique<CGridCellNum1>());
    cells.push_back(std::make_unique<CGridCellPrice>());
    cells.push_back(std::make_unique<CGridCellQuantity>());
    for (auto& cell : cells) {
        cell->SetText("1");
        ASSERT_NE(cell->GetText(), "") << cell->GetClass().name;
        cell->Reset();
        EXPECT_EQ(cell->GetText(), "") << cell->GetClass().name;
    }
}

// ---- CopyFrom ---------------------------------------------------------------------------------

TEST(CopyFromTest, TakesEverythingOfTheOtherCell) {
    CellFont font;
    font.weight = 700;
    CGridCell source;
    source.SetText("abc");
    source.SetData(7);
    source.SetImage(2);
    source.SetFormat(CellFormat::Center | CellFormat::Aligned);
    source.SetTextClr(Rgb(10, 20, 30));
    source.SetBackClr(Rgb(40, 50, 60));
    source.SetFont(&font);
    source.SetMargin(5);
    source.SetState(CellState::Modified | CellState::ReadOnly);

    CGridCell copy;
    copy.CopyFrom(source);
    EXPECT_EQ(copy.GetText(), "abc");
    EXPECT_EQ(copy.GetData(), 7);
    EXPECT_EQ(copy.GetImage(), 2);
    EXPECT_EQ(copy.GetFormat(), CellFormat::Center | CellFormat::Aligned);
    EXPECT_EQ(copy.GetTextClr(), Rgb(10, 20, 30));
    EXPECT_EQ(copy.GetBackClr(), Rgb(40, 50, 60));
    ASSERT_FALSE(copy.IsDefaultFont());
    EXPECT_EQ(copy.GetFont()->weight, 700);
    EXPECT_NE(copy.GetFont(), source.GetFont());
    EXPECT_EQ(copy.GetMargin(), 5);
    EXPECT_EQ(copy.GetState(), CellState::Modified | CellState::ReadOnly);
}

TEST(CopyFromTest, DefaultFontOfTheOtherLeavesOwnFont) {
    CellFont font;
    font.height = 11;
    CGridCell cell;
    cell.SetFont(&font);
    const CGridCell source;
    cell.CopyFrom(source);
    ASSERT_FALSE(cell.IsDefaultFont());
    EXPECT_EQ(cell.GetFont()->height, 11u);
}

TEST(CopyFromTest, TextPassesThroughTheNewClass) {
    const ModelGuard guard(0);
    const auto into = [](const CellClass& cellClass, std::string_view text) {
        CGridCell source;
        source.SetText(text);
        std::unique_ptr<CGridCellBase> cell = cellClass.create();
        cell->CopyFrom(source);
        return cell->GetText();
    };
    EXPECT_EQ(into(ClassOf<CGridCellPrice>(), "12.5"), "12.50");
    EXPECT_EQ(into(ClassOf<CGridCellPrice>(), "abc"), "");
    EXPECT_EQ(into(ClassOf<CGridCellQuantity>(), "2"), "2.000");
    EXPECT_EQ(into(ClassOf<CGridCellBarcode>(), "123"), "000000000123");
    EXPECT_EQ(into(ClassOf<CGridCellBarcode>(), "12.5"), "");
    EXPECT_EQ(into(ClassOf<CGridCellNum1>(), "7"), "7");
    EXPECT_EQ(into(ClassOf<CGridCellNum1>(), "12.5"), "");
    EXPECT_EQ(into(ClassOf<CGridCellChar1>(), "\xE0"), "\xE0");
    EXPECT_EQ(into(ClassOf<CGridCellChar1>(), "a"), "");
    EXPECT_EQ(into(ClassOf<CGridCellCheck>(), "12.5"), "1");
    EXPECT_EQ(into(ClassOf<CGridCellCheck>(), ""), "0");
    EXPECT_EQ(into(ClassOf<CGridCell>(), "12,5 x"), "12,5 x");
}

TEST(CopyFromTest, CheckCellGivesItsReading) {
    CGridCellCheck check;
    check.SetText("1");
    CGridCell text;
    text.CopyFrom(check);
    EXPECT_EQ(text.GetText(), "1");
    CGridCellPrice price;
    price.CopyFrom(check);
    EXPECT_EQ(price.GetText(), "1.00");
}

// ---- Classes and editors ----------------------------------------------------------------------

template <typename Cell> void ExpectClassRecord() {
    const CellClass& record = ClassOf<Cell>();
    EXPECT_EQ(record.name, Cell::ClassName);
    std::unique_ptr<CGridCellBase> cell = record.create();
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(&cell->GetClass(), &record);
    EXPECT_EQ(cell->GetClass().name, Cell::ClassName);
    EXPECT_NE(dynamic_cast<Cell*>(cell.get()), nullptr);
}

TEST(CellClassTest, EveryClassIsCreatedFromItsRecord) {
    ExpectClassRecord<CGridCell>();
    ExpectClassRecord<CGridDefaultCell>();
    ExpectClassRecord<CGridCellBarcode>();
    ExpectClassRecord<CGridCellChar1>();
    ExpectClassRecord<CGridCellCheck>();
    ExpectClassRecord<CGridCellNum1>();
    ExpectClassRecord<CGridCellPrice>();
    ExpectClassRecord<CGridCellQuantity>();
    EXPECT_EQ(CGridCell::ClassName, "CGridCell");
    EXPECT_EQ(CGridCellBarcode::ClassName, "CGridCellBarcode");
    EXPECT_EQ(CGridCellChar1::ClassName, "CGridCellChar1");
    EXPECT_EQ(CGridCellCheck::ClassName, "CGridCellCheck");
    EXPECT_EQ(CGridCellNum1::ClassName, "CGridCellNum1");
    EXPECT_EQ(CGridCellPrice::ClassName, "CGridCellPrice");
    EXPECT_EQ(CGridCellQuantity::ClassName, "CGridCellQuantity");
    EXPECT_EQ(CGridDefaultCell::ClassName, "CGridDefaultCell");
}

TEST(EditorOptionsTest, TypedClasses) {
    using A = EditorAlignment;
    EXPECT_EQ(CGridCellBarcode().GetEditorOptions(), (EditorOptions{true, A::Right, 12}));
    EXPECT_EQ(CGridCellChar1().GetEditorOptions(), (EditorOptions{false, A::Center, 1}));
    EXPECT_EQ(CGridCellNum1().GetEditorOptions(), (EditorOptions{true, A::Center, 1}));
    EXPECT_EQ(CGridCellPrice().GetEditorOptions(), (EditorOptions{false, A::Right, 30, true}));
    EXPECT_EQ(CGridCellQuantity().GetEditorOptions(), (EditorOptions{false, A::Right, 30, true}));
    EXPECT_FALSE(CGridCell().GetEditorOptions().commaIsPoint);
}

TEST(EditorOptionsTest, TypedClassesIgnoreTheirFormat) {
    CGridCellBarcode barcode;
    barcode.SetFormat(CellFormat::Left);
    EXPECT_EQ(barcode.GetEditorOptions().alignment, EditorAlignment::Right);
    CGridCellNum1 digit;
    digit.SetFormat(CellFormat::Right);
    EXPECT_EQ(digit.GetEditorOptions().alignment, EditorAlignment::Center);
}

TEST(EditorOptionsTest, TextCellAlignmentFollowsItsFormat) {
    const std::pair<std::uint32_t, EditorAlignment> cases[] = {
        {CellFormat::Default, EditorAlignment::Left},
        {CellFormat::Left, EditorAlignment::Left},
        {CellFormat::Aligned, EditorAlignment::Left},
        {CellFormat::Right, EditorAlignment::Right},
        {CellFormat::Right | CellFormat::Aligned, EditorAlignment::Right},
        {CellFormat::Center, EditorAlignment::Center},
        {CellFormat::Center | CellFormat::Aligned, EditorAlignment::Center},
        {CellFormat::Right | CellFormat::Center, EditorAlignment::Right}};
    for (const auto& [format, alignment] : cases) {
        CGridCell text;
        text.SetFormat(format);
        EXPECT_EQ(text.GetEditorOptions(), (EditorOptions{false, alignment, 0})) << format;
        CGridCellCheck check;
        check.SetFormat(format);
        EXPECT_EQ(check.GetEditorOptions(), (EditorOptions{false, alignment, 0})) << format;
    }
}

// ---- The default cell -------------------------------------------------------------------------

TEST(DefaultCellTest, AlwaysReadOnly) {
    CGridDefaultCell cell;
    EXPECT_EQ(cell.GetState(), CellState::ReadOnly);
    EXPECT_TRUE(cell.IsReadOnly());
    cell.SetState(0);
    EXPECT_EQ(cell.GetState(), CellState::ReadOnly);
    cell.SetState(CellState::Modified | CellState::Selected);
    EXPECT_EQ(cell.GetState(), CellState::ReadOnly);
    EXPECT_FALSE(cell.IsModified());
    CGridCell source;
    source.SetState(CellState::Focused);
    cell.CopyFrom(source);
    EXPECT_EQ(cell.GetState(), CellState::ReadOnly);
}

TEST(DefaultCellTest, DataSetterDoesNothing) {
    CGridDefaultCell cell;
    cell.SetData(5);
    EXPECT_EQ(cell.GetData(), 0);
}

TEST(DefaultCellTest, FormatAndSizesBeforeMeasuring) {
    const CGridDefaultCell cell;
    EXPECT_EQ(cell.GetFormat(), CellFormat::VCenter | CellFormat::SingleLine |
                                    CellFormat::NoPrefix | CellFormat::EndEllipsis);
    EXPECT_EQ(cell.GetFormat() & CellFormat::HorizontalMask, CellFormat::Left);
    EXPECT_EQ(cell.GetWidth(), 30);
    EXPECT_EQ(cell.GetHeight(), 10);
    EXPECT_EQ(cell.GetTextClr(), DefaultColour);
    EXPECT_EQ(cell.GetBackClr(), DefaultColour);
}

TEST(DefaultCellTest, MeasuresFromTheFont) {
    CGridDefaultCell cell;
    cell.SetMeasures(4, 84, 17);
    EXPECT_EQ(cell.GetMargin(), 4);
    EXPECT_EQ(cell.GetWidth(), 84);
    EXPECT_EQ(cell.GetHeight(), 25); // 17 * 3 / 2, rounded down
    cell.SetMeasures(3, 70, 16);
    EXPECT_EQ(cell.GetHeight(), 24);
}

TEST(DefaultCellTest, FallbackMeasures) {
    CGridDefaultCell cell;
    cell.SetFallbackMeasures();
    EXPECT_EQ(cell.GetMargin(), 3);
    EXPECT_EQ(cell.GetWidth(), 40);
    EXPECT_EQ(cell.GetHeight(), 16);
}

TEST(DefaultCellTest, SizesCanBeSet) {
    CGridDefaultCell cell;
    cell.SetWidth(77);
    cell.SetHeight(33);
    EXPECT_EQ(cell.GetWidth(), 77);
    EXPECT_EQ(cell.GetHeight(), 33);
    cell.SetText(" free text ");
    EXPECT_EQ(cell.GetText(), " free text ");
}

} // namespace
} // namespace tillora
