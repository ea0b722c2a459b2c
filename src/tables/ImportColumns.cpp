#include "tables/ImportColumns.h"

#include "link/Cp1251.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "tables/TableSetup.h"

#include <algorithm>
#include <charconv>

namespace tillora {
namespace {

constexpr std::size_t RowsLookedAtForHeader = 20;

// A column as the command line names it, and the titles price lists give it (UTF-8, lower case);
// the table's own header is known as well.
struct KnownColumn {
    std::string_view name;
    std::vector<std::string_view> titles;
};

const KnownColumn& Known(std::string_view name) {
    static const std::vector<KnownColumn> columns = {
        {"row",
         {"№", "no", "no.", "nr", "nr.", "#", "номер", "пореден номер", "ред №", "plu", "арт. №",
          "артикул №", "row", "number"}},
        {"name",
         {"наименование", "артикул", "стока", "продукт", "описание", "име на артикул",
          "име на стоката", "name", "item", "article", "product", "description"}},
        {"barcode",
         {"бар код", "бар-код", "ean", "ean13", "ean-13", "gtin", "barcode", "bar code"}},
        {"price",
         {"ед. цена", "единична цена", "продажна цена", "цена на дребно", "цена с ддс", "price",
          "unit price", "retail price", "sale price"}},
        {"tax",
         {"дан. група", "данъчна група", "ддс", "ддс група", "група ддс", "tax", "tax group",
          "vat group", "vat"}},
        {"subgroup", {"група", "отдел", "subgroup", "department", "group"}},
        {"payment", {"вид плащане", "плащане", "payment", "payment type"}},
        {"stock", {"наличност", "количество", "кол.", "stock", "quantity", "qty", "in stock"}},
        {"turnover", {"turnover"}},
        {"sales", {"sales"}},
        {"text", {"ред от бележката", "text", "line"}},
        {"flag", {"удебелен", "bold", "flag"}},
    };
    const auto found = std::find_if(columns.begin(), columns.end(),
                                    [&](const KnownColumn& c) { return c.name == name; });
    return *found;
}

// The command-line names of each table's columns, from column 1.
std::vector<std::string_view> NamesOf(TableKind kind) {
    switch (kind) {
    case TableKind::Articles:
        return {"name", "barcode", "price", "tax", "subgroup", "payment", "stock"};
    case TableKind::Report:
        return {"name",    "barcode", "price",    "tax",  "subgroup",
                "payment", "stock",   "turnover", "sales"};
    case TableKind::Operators:
        return {"name"};
    case TableKind::Subgroups:
        return {"name", "price", "tax"};
    case TableKind::SubgroupReport:
        return {"name", "price", "tax", "turnover"};
    case TableKind::Company:
        return {"text", "flag"};
    }
    return {};
}

std::optional<int> ColumnOfName(TableKind kind, std::string_view name) {
    if (name == "row") {
        return RowNumberColumn;
    }
    const std::vector<std::string_view> names = NamesOf(kind);
    const auto found = std::find(names.begin(), names.end(), name);
    return found == names.end() ? std::nullopt
                                : std::optional(static_cast<int>(found - names.begin()) + 1);
}

// Lower case, blanks around and doubled inside taken out, a trailing colon too.
std::string NormalTitle(std::string_view titleCp1251) {
    std::string title;
    for (char c : titleCp1251) {
        const auto code = static_cast<unsigned char>(c);
        const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n' || code == 0xA0;
        if (blank) {
            if (!title.empty() && title.back() != ' ') {
                title += ' ';
            }
            continue;
        }
        const bool capital = (code >= 'A' && code <= 'Z') || (code >= 0xC0 && code <= 0xDF);
        title += capital ? static_cast<char>(code + 32) : c;
    }
    while (!title.empty() && (title.back() == ' ' || title.back() == ':')) {
        title.pop_back();
    }
    return title;
}

// Every title of the table's columns, normal and Windows-1251, with its column.
std::vector<std::pair<std::string, int>> TitlesOf(TableKind kind) {
    std::vector<std::pair<std::string, int>> titles;
    const auto add = [&](std::string_view name, int column) {
        titles.emplace_back(NormalTitle(std::string(name)), column);
        for (std::string_view title : Known(name).titles) {
            titles.emplace_back(NormalTitle(Utf8ToCp1251(title)), column);
        }
    };
    add("row", RowNumberColumn);
    const std::vector<std::string_view> names = NamesOf(kind);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const int column = static_cast<int>(i) + 1;
        titles.emplace_back(NormalTitle(Utf8ToCp1251(ColumnHeader(kind, column))), column);
        add(names[i], column);
    }
    return titles;
}

std::optional<int> ColumnOfTitle(const std::vector<std::pair<std::string, int>>& titles,
                                 std::string_view titleCp1251) {
    const std::string title = NormalTitle(titleCp1251);
    if (title.empty()) {
        return std::nullopt;
    }
    for (const auto& [known, column] : titles) {
        if (title == known) {
            return column;
        }
    }
    // "Цена (лв.)", "Име на стоката / Name": the longest known title the title begins with.
    std::optional<int> best;
    std::size_t bestLength = 0;
    for (const auto& [known, column] : titles) {
        const bool begins =
            title.size() > known.size() && title.starts_with(known) &&
            std::string_view(" (,/[-").find(title[known.size()]) != std::string_view::npos;
        if (begins && known.size() > bestLength) {
            best = column;
            bestLength = known.size();
        }
    }
    return best;
}

std::optional<int> PositiveNumber(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 1) {
        return std::nullopt;
    }
    return value;
}

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos
               ? std::string_view()
               : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

// The same "№" an exported sheet heads its row labels with, so that the names agree both ways.
std::string ImportColumnTitle(TableKind kind, int column) {
    return column == RowNumberColumn ? std::string(LoadString(ids::SheetLabelTitle))
                                     : ColumnHeader(kind, column);
}

bool SameTitle(std::string_view a, std::string_view b) {
    return NormalTitle(a) == NormalTitle(b);
}

std::optional<int> TableColumnOfTitle(TableKind kind, std::string_view titleCp1251) {
    return ColumnOfTitle(TitlesOf(kind), titleCp1251);
}

// The first of the first rows that names at least two of the table's columns (or its one).
std::optional<std::size_t> FindHeaderRow(const SheetData& sheet, TableKind kind) {
    const auto titles = TitlesOf(kind);
    const std::size_t needed = std::min<std::size_t>(2, NamesOf(kind).size());
    const std::size_t rows = std::min(sheet.rows.size(), RowsLookedAtForHeader);
    for (std::size_t r = 0; r < rows; ++r) {
        std::vector<int> named;
        for (const SheetCell& cell : sheet.rows[r].cells) {
            const std::optional<int> column = ColumnOfTitle(titles, cell.text);
            if (column && *column != RowNumberColumn &&
                std::find(named.begin(), named.end(), *column) == named.end()) {
                named.push_back(*column);
            }
        }
        if (named.size() >= needed) {
            return r;
        }
    }
    return std::nullopt;
}

std::optional<ColumnMap> ParseColumnMap(TableKind kind, std::string_view textUtf8,
                                        std::string& errorUtf8) {
    ColumnMap map;
    const std::string text(textUtf8);
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(',', start), text.size());
        const std::string_view item = Trim(std::string_view(text).substr(start, end - start));
        start = end + 1;
        const std::size_t equals = item.find('=');
        if (equals == std::string_view::npos) {
            errorUtf8 = "--columns: \"" + std::string(item) +
                        "\" is not COLUMN=SHEET-COLUMN (such as price=4 or price=Цена)";
            return std::nullopt;
        }
        const std::string_view key = Trim(item.substr(0, equals));
        const std::string_view value = Trim(item.substr(equals + 1));
        std::optional<int> column = ColumnOfName(kind, key);
        if (!column) {
            column = TableColumnOfTitle(kind, Utf8ToCp1251(key));
        }
        if (!column || value.empty()) {
            errorUtf8 = "--columns: \"" + std::string(key) + "\" is " +
                        (column ? "given no sheet column" : "no column of the table");
            return std::nullopt;
        }
        const bool twice =
            std::any_of(map.sources.begin(), map.sources.end(),
                        [&](const ColumnSource& s) { return s.tableColumn == *column; });
        if (twice) {
            errorUtf8 = "--columns: \"" + std::string(key) + "\" is given twice";
            return std::nullopt;
        }
        const std::optional<int> number = PositiveNumber(value);
        map.sources.push_back(
            {*column, number.value_or(0), number ? std::string() : Utf8ToCp1251(value)});
    }
    return map;
}

} // namespace tillora
