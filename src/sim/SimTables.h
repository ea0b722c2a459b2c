#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace tillora::sim {

inline constexpr unsigned MaxArticleNumber = 2600;
inline constexpr unsigned OperatorCount = 9;
inline constexpr unsigned SubgroupCount = 10;
inline constexpr unsigned HeaderLineCount = 6;

// Texts are Windows-1251 as the register holds them: what its character set makes of them
// (capitals, blanks for what it cannot print), without the blanks that pad them to their field.
// A value the register was never given is absent; the report shows it as blanks or zeros.
struct SimArticle {
    std::string name;
    std::string barcode;                // the twelve digits received; empty: none
    std::optional<std::uint32_t> price; // hundredths
    std::optional<std::uint32_t> stock; // thousandths
    std::optional<int> taxGroup;        // the register's group digit, 0 to 9
    std::optional<int> subgroup;        // 0 to 9
    std::optional<int> paymentType;     // 0 to 9
    std::uint64_t turnover = 0;         // the register's own figures: hundredths
    std::uint64_t sales = 0;            // thousandths
};

struct SimSubgroup {
    std::string name;
    std::optional<std::uint32_t> price; // hundredths
    std::optional<int> taxGroup;        // group digit
};

struct SimHeaderLine {
    std::string text;
    bool flag = false; // carried by models 0 and 1 only
};

// What the register keeps of the tables it is sent.
struct SimTables {
    std::map<unsigned, SimArticle> articles;                // by article number, 1 to 2600
    std::array<std::string, OperatorCount> operators;       // operator n at index n - 1
    std::array<SimSubgroup, SubgroupCount> subgroups;       // subgroup n at index n
    std::array<SimHeaderLine, HeaderLineCount> headerLines; // line n at index n - 1
};

// Decodes one record by the model's layout and applies it: payload is what follows the kind
// letter ('r', 'o', 'y', 'w') up to the checksum characters. A field made of 0x22 over its
// whole width leaves the value as it was. A payload that does not fit the layout (its length,
// its constant bytes, a number or digit field that is not one, a number out of range) changes
// nothing and gives false.
bool ApplyRecord(SimTables& tables, int model, char kind, std::string_view payload);

// The register's turnover and sales of an article, made up from its number and price so that
// every article has figures of its own and the same tables always give the same report.
void DeriveFigures(unsigned number, SimArticle& article);

// Field widths of the model.
std::size_t ArticleNameWidth(int model);
std::size_t SubgroupNameWidth(int model);
std::size_t HeaderLineWidth(int model);

// The tax-group letter (Windows-1251) of a group digit under the model: А Б В for models 0 to 5,
// 0 A B C D for models 6 to 9 (E shares group 0 with "0", so group 0 is always "0"). 0 when the
// model has no letter for the digit.
char TaxGroupLetter(int model, int group);
// The group digit of a letter under the model, small letters and the digits 1 2 3 of models 0 to
// 5 included; -1 for a letter the model does not know.
int TaxGroupOfLetter(int model, char letter);
// The group a register holds before it is told one: the one sent for an empty selected cell.
int DefaultTaxGroup(int model);

// A small grocery of the register's own, for the demo: articles with barcodes, prices, stock and
// figures, subgroups, operators and header lines. Its group digits are 1 and 2, which have a
// letter in every model.
SimTables DemoTables();

} // namespace tillora::sim
