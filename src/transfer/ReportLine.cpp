#include "transfer/ReportLine.h"

#include "link/Charset.h"
#include "tables/TextTrim.h"

#include <cstdlib>
#include <optional>

namespace tillora {
namespace {

// A field given by its first and last offset, both inclusive.
constexpr LineField Span(std::size_t first, std::size_t last) {
    return {first, last - first + 1};
}
constexpr LineField At(std::size_t offset) {
    return {offset, 1};
}
constexpr LineField None{};

// Model 1 numbers its articles with three digits and has no stock; models 0 and 5 have their own
// widths and gaps; all other models share one layout.
constexpr ArticleLineLayout Model0Articles{.numberWidth = 4,
                                           .name = Span(12, 23),
                                           .barcode = Span(25, 36),
                                           .price = Span(38, 46),
                                           .taxGroup = At(58),
                                           .subgroup = At(60),
                                           .paymentType = At(64),
                                           .turnover = Span(66, 76),
                                           .sales = Span(78, 88),
                                           .stock = Span(90, 100)};
constexpr ArticleLineLayout Model1Articles{.numberWidth = 3,
                                           .name = Span(12, 27),
                                           .barcode = Span(29, 40),
                                           .price = Span(41, 49),
                                           .taxGroup = At(51),
                                           .subgroup = At(53),
                                           .paymentType = At(55),
                                           .turnover = Span(57, 67),
                                           .sales = Span(69, 79),
                                           .stock = None};
constexpr ArticleLineLayout Model5Articles{.numberWidth = 4,
                                           .name = Span(13, 30),
                                           .barcode = Span(32, 43),
                                           .price = Span(45, 53),
                                           .taxGroup = At(55),
                                           .subgroup = At(57),
                                           .paymentType = At(59),
                                           .turnover = Span(61, 71),
                                           .sales = Span(73, 83),
                                           .stock = Span(85, 95)};
constexpr ArticleLineLayout OtherArticles{.numberWidth = 4,
                                          .name = Span(13, 24),
                                          .barcode = Span(26, 37),
                                          .price = Span(39, 47),
                                          .taxGroup = At(49),
                                          .subgroup = At(51),
                                          .paymentType = At(53),
                                          .turnover = Span(55, 65),
                                          .sales = Span(67, 77),
                                          .stock = Span(79, 89)};

constexpr SubgroupLineLayout Model1Subgroups{
    .name = Span(10, 25), .price = Span(27, 35), .taxGroup = At(37), .turnover = Span(39, 49)};
constexpr SubgroupLineLayout Model5Subgroups{
    .name = Span(10, 27), .price = Span(29, 37), .taxGroup = At(41), .turnover = Span(43, 53)};
constexpr SubgroupLineLayout OtherSubgroups{
    .name = Span(10, 21), .price = Span(23, 31), .taxGroup = At(35), .turnover = Span(39, 49)};

// The name is column 1 in both report tables.
constexpr int NameColumn = 1;

// The other columns of the Report table.
enum ArticleColumn {
    ArticleBarcode = 2,
    ArticlePrice = 3,
    ArticleTaxGroup = 4,
    ArticleSubgroup = 5,
    ArticlePaymentType = 6,
    ArticleStock = 7,
    ArticleTurnover = 8,
    ArticleSales = 9
};

// The other columns of the SubgroupReport table.
enum SubgroupColumn { SubgroupPrice = 2, SubgroupTaxGroup = 3, SubgroupTurnover = 4 };

std::string FromRegister(std::string text) {
    ConvertText(text, Direction::FromRegister);
    return text;
}

// The field's characters, or nothing when the line ends before the field does. A field the
// model's line does not have is present and empty.
std::optional<std::string> TakeField(std::string_view line, LineField field) {
    std::string text = CopySlice(line, field.offset, field.width);
    if (text.size() < field.width) {
        return std::nullopt;
    }
    return text;
}

bool IsDataRow(const IGridAccess& table, int row) {
    return row >= table.Cells().GetFixedRowCount() && row < table.GetRowCount();
}

// The name comes first, and the row is brought into view with it.
void SetName(IGridAccess& table, int row, const std::string& name) {
    table.SetItemText(row, NameColumn, FromRegister(std::string(Trimmed(name))));
    table.EnsureVisible(row, NameColumn);
}

} // namespace

const ArticleLineLayout& ArticleLayoutOf(int model) {
    switch (model) {
    case 0:
        return Model0Articles;
    case 1:
        return Model1Articles;
    case 5:
        return Model5Articles;
    default:
        return OtherArticles;
    }
}

const SubgroupLineLayout& SubgroupLayoutOf(int model) {
    switch (model) {
    case 1:
        return Model1Subgroups;
    case 5:
        return Model5Subgroups;
    default:
        return OtherSubgroups;
    }
}

std::string CopySlice(std::string_view line, std::size_t offset, std::size_t count) {
    line = line.substr(0, line.find('\0'));
    if (offset >= line.size()) {
        return {};
    }
    return std::string(line.substr(offset, count));
}

long ParseSliceNumber(std::string_view line, std::size_t offset, std::size_t count) {
    const std::string slice = CopySlice(line, offset, count);
    if (slice.empty()) {
        return 0;
    }
    char* end = nullptr;
    const long number = std::strtol(slice.c_str(), &end, 10);
    return end == slice.c_str() + slice.size() ? number : -1;
}

bool ParseArticleReportLine(IGridAccess& table, std::string_view line, int row, int model) {
    const ArticleLineLayout& layout = ArticleLayoutOf(model);
    const auto name = TakeField(line, layout.name);
    const auto barcode = TakeField(line, layout.barcode);
    const auto price = TakeField(line, layout.price);
    const auto taxGroup = TakeField(line, layout.taxGroup);
    const auto subgroup = TakeField(line, layout.subgroup);
    const auto paymentType = TakeField(line, layout.paymentType);
    const auto turnover = TakeField(line, layout.turnover);
    const auto sales = TakeField(line, layout.sales);
    const auto stock = TakeField(line, layout.stock);
    if (!name || !barcode || !price || !taxGroup || !subgroup || !paymentType || !turnover ||
        !sales || !stock || !IsDataRow(table, row)) {
        return false;
    }
    SetName(table, row, *name);
    table.SetItemText(row, ArticleBarcode, Trimmed(*barcode));
    table.SetItemText(row, ArticlePrice, Trimmed(*price));
    table.SetItemText(row, ArticleTaxGroup, FromRegister(*taxGroup));
    table.SetItemText(row, ArticleSubgroup, *subgroup);
    table.SetItemText(row, ArticlePaymentType, *paymentType);
    if (layout.stock.width > 0) {
        table.SetItemText(row, ArticleStock, Trimmed(*stock));
    }
    table.SetItemText(row, ArticleTurnover, Trimmed(*turnover));
    table.SetItemText(row, ArticleSales, Trimmed(*sales));
    return true;
}

bool ParseSubgroupReportLine(IGridAccess& table, std::string_view line, int row, int model) {
    const SubgroupLineLayout& layout = SubgroupLayoutOf(model);
    const auto name = TakeField(line, layout.name);
    const auto price = TakeField(line, layout.price);
    const auto taxGroup = TakeField(line, layout.taxGroup);
    const auto turnover = TakeField(line, layout.turnover);
    if (!name || !price || !taxGroup || !turnover || !IsDataRow(table, row)) {
        return false;
    }
    SetName(table, row, *name);
    table.SetItemText(row, SubgroupPrice, Trimmed(*price));
    table.SetItemText(row, SubgroupTaxGroup, FromRegister(*taxGroup));
    table.SetItemText(row, SubgroupTurnover, Trimmed(*turnover));
    return true;
}

} // namespace tillora
