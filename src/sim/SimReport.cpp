#include "sim/SimReport.h"

#include "link/Charset.h"
#include "link/Checksum.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace tillora::sim {
namespace {

constexpr char StartByte = '\xAA';
constexpr std::size_t NumberOffset = 8;
constexpr std::size_t BarcodeWidth = 12;
constexpr std::size_t PriceWidth = 9;
constexpr std::size_t FigureWidth = 11;
constexpr unsigned Model1Continuation = 999;
constexpr unsigned Model1Last = 1999;

// A field's first offset (counted from the start byte) and width.
struct Slot {
    std::size_t offset;
    std::size_t width;
    std::size_t End() const { return offset + width; }
};

struct ArticleLineLayout {
    std::size_t numberDigits;
    Slot name;
    Slot barcode;
    Slot price;
    std::size_t taxGroup;
    std::size_t subgroup;
    std::size_t paymentType;
    Slot turnover;
    Slot sales;
    std::optional<Slot> stock;
};

struct SubgroupLineLayout {
    Slot name;
    Slot price;
    std::size_t taxGroup;
    Slot turnover;
};

const ArticleLineLayout& ArticleLayout(int model) {
    static const ArticleLineLayout model0{
        4,  {12, 12}, {25, BarcodeWidth}, {38, PriceWidth},  58,
        60, 64,       {66, FigureWidth},  {78, FigureWidth}, Slot{90, FigureWidth}};
    static const ArticleLineLayout model1{
        3,  {12, 16}, {29, BarcodeWidth}, {41, PriceWidth},  51,
        53, 55,       {57, FigureWidth},  {69, FigureWidth}, std::nullopt};
    static const ArticleLineLayout model5{
        4,  {13, 18}, {32, BarcodeWidth}, {45, PriceWidth},  55,
        57, 59,       {61, FigureWidth},  {73, FigureWidth}, Slot{85, FigureWidth}};
    static const ArticleLineLayout others{
        4,  {13, 12}, {26, BarcodeWidth}, {39, PriceWidth},  49,
        51, 53,       {55, FigureWidth},  {67, FigureWidth}, Slot{79, FigureWidth}};
    return model == 0 ? model0 : model == 1 ? model1 : model == 5 ? model5 : others;
}

const SubgroupLineLayout& SubgroupLayout(int model) {
    static const SubgroupLineLayout model1{{10, 16}, {27, PriceWidth}, 37, {39, FigureWidth}};
    static const SubgroupLineLayout model5{{10, 18}, {29, PriceWidth}, 41, {43, FigureWidth}};
    static const SubgroupLineLayout others{{10, 12}, {23, PriceWidth}, 35, {39, FigureWidth}};
    return model == 1 ? model1 : model == 5 ? model5 : others;
}

// The value in units of 10^-decimals, as "%.Nf" would print it; the largest value that fits the
// width when it does not.
std::string Amount(std::uint64_t value, int decimals, std::size_t width) {
    std::uint64_t scale = 1;
    for (int d = 0; d < decimals; ++d) {
        scale *= 10;
    }
    char text[48];
    std::snprintf(text, sizeof text, "%llu.%0*llu", static_cast<unsigned long long>(value / scale),
                  decimals, static_cast<unsigned long long>(value % scale));
    std::string amount(text);
    if (amount.size() > width) {
        amount = std::string(width - 1 - static_cast<std::size_t>(decimals), '9') + "." +
                 std::string(static_cast<std::size_t>(decimals), '9');
    }
    return std::string(width - amount.size(), ' ') + amount;
}

// A line of blanks with the frame's head; the fields are put in at their offsets.
class CReportLine {
public:
    CReportLine(std::size_t length, const std::string& serialDigits) : m_line(length, ' ') {
        m_line[0] = StartByte;
        m_line.replace(1, serialDigits.size(), serialDigits);
        m_line[7] = ReportLineLetter;
    }

    void Put(std::size_t offset, const std::string& text) {
        m_line.replace(offset, text.size(), text);
    }
    void Put(std::size_t offset, char c) { m_line[offset] = c; }

    // Cut or padded to the width, in the register's character set.
    void PutText(const Slot& slot, const std::string& text) {
        std::string field = text.substr(0, slot.width);
        field.resize(slot.width, ' ');
        ConvertText(field, Direction::ToRegister);
        Put(slot.offset, field);
    }

    void PutTaxGroup(std::size_t offset, int model, std::optional<int> group) {
        const char letter = TaxGroupLetter(model, group.value_or(DefaultTaxGroup(model)));
        std::string field(1, letter != '\0' ? letter : ' ');
        ConvertText(field, Direction::ToRegister);
        Put(offset, field);
    }

    std::string Finish() {
        AppendChecksum(m_line);
        return m_line;
    }

private:
    std::string m_line;
};

char DigitChar(std::optional<int> digit) {
    return static_cast<char>('0' + digit.value_or(0));
}

} // namespace

std::string ArticleReportLine(const SimArticle& article, unsigned lineNumber, int model,
                              const std::string& serialDigits) {
    const ArticleLineLayout& layout = ArticleLayout(model);
    const Slot last = layout.stock ? *layout.stock : layout.sales;
    CReportLine line(last.End(), serialDigits);
    char number[8];
    std::snprintf(number, sizeof number, "%0*u", static_cast<int>(layout.numberDigits),
                  layout.numberDigits == 3 ? lineNumber % 1000 : lineNumber);
    line.Put(NumberOffset, number);
    line.PutText(layout.name, article.name);
    const std::string barcode = article.barcode.empty() ? std::string(BarcodeWidth, '0')
                                                        : article.barcode.substr(0, BarcodeWidth);
    line.Put(layout.barcode.offset, barcode);
    line.Put(layout.price.offset, Amount(article.price.value_or(0), 2, PriceWidth));
    line.PutTaxGroup(layout.taxGroup, model, article.taxGroup);
    line.Put(layout.subgroup, DigitChar(article.subgroup));
    line.Put(layout.paymentType, DigitChar(article.paymentType));
    line.Put(layout.turnover.offset, Amount(article.turnover, 2, FigureWidth));
    line.Put(layout.sales.offset, Amount(article.sales, 3, FigureWidth));
    if (layout.stock) {
        line.Put(layout.stock->offset, Amount(article.stock.value_or(0), 3, FigureWidth));
    }
    return line.Finish();
}

std::string SubgroupReportLine(const SimSubgroup& subgroup, unsigned digit, std::uint64_t turnover,
                               int model, const std::string& serialDigits) {
    const SubgroupLineLayout& layout = SubgroupLayout(model);
    CReportLine line(layout.turnover.End(), serialDigits);
    line.Put(NumberOffset, static_cast<char>('0' + digit % 10));
    line.PutText(layout.name, subgroup.name);
    line.Put(layout.price.offset, Amount(subgroup.price.value_or(0), 2, PriceWidth));
    line.PutTaxGroup(layout.taxGroup, model, subgroup.taxGroup);
    line.Put(layout.turnover.offset, Amount(turnover, 2, FigureWidth));
    return line.Finish();
}

std::uint64_t SubgroupTurnover(const SimTables& tables, unsigned digit) {
    std::uint64_t turnover = 0;
    for (const auto& [number, article] : tables.articles) {
        if (static_cast<unsigned>(article.subgroup.value_or(0)) == digit) {
            turnover += article.turnover;
        }
    }
    return turnover;
}

std::vector<std::string> ReportLines(const SimTables& tables, int model,
                                     const std::string& serialDigits) {
    std::vector<std::string> lines;
    const bool threeDigits = ArticleLayout(model).numberDigits == 3;
    bool past999 = false; // the PC counts past 999 only once it has seen a line numbered 999
    for (const auto& [number, article] : tables.articles) {
        if (threeDigits) {
            if (number > Model1Last) {
                break;
            }
            if (number > Model1Continuation && !past999) {
                lines.push_back(
                    ArticleReportLine(SimArticle{}, Model1Continuation, model, serialDigits));
            }
            past999 = number >= Model1Continuation;
        }
        lines.push_back(ArticleReportLine(article, number, model, serialDigits));
    }
    for (unsigned digit = 0; digit < SubgroupCount; ++digit) {
        lines.push_back(SubgroupReportLine(tables.subgroups[digit], digit,
                                           SubgroupTurnover(tables, digit), model, serialDigits));
    }
    return lines;
}

} // namespace tillora::sim
