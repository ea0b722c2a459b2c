#include "sim/SimTableFiles.h"

#include "link/Charset.h"
#include "tables/GridCell.h"
#include "tables/MemoryGridAccess.h"
#include "tables/TableReader.h"
#include "tables/TableSetup.h"
#include "tables/TableWriter.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

namespace tillora::sim {
namespace {

constexpr std::size_t BarcodeWidth = 12;
constexpr std::uint64_t HighestPrice = 99999999;  // hundredths
constexpr std::uint64_t HighestStock = 999999999; // thousandths

// Article columns.
constexpr int NameColumn = 1;
constexpr int BarcodeColumn = 2;
constexpr int PriceColumn = 3;
constexpr int TaxGroupColumn = 4;
constexpr int SubgroupColumn = 5;
constexpr int PaymentTypeColumn = 6;
constexpr int StockColumn = 7;
// Subgroup columns.
constexpr int SubgroupPriceColumn = 2;
constexpr int SubgroupTaxGroupColumn = 3;
// Company columns.
constexpr int FlagColumn = 2;

// Takes the first message a table file operation shows, as the reason it failed.
class CMessageCatcher final : public IFeedback {
public:
    void ShowMessage(unsigned, const std::string& text, MessageIcon) override {
        if (m_message.empty()) {
            m_message = text;
        }
    }
    bool AskYesNo(unsigned, const std::string&, MessageIcon, bool) override { return false; }
    void SetStatusText(const std::string&) override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void PumpPaintMessages() override {}

    const std::string& Message() const { return m_message; }

private:
    std::string m_message;
};

// The program's grid of the table. The tax-group cells are plain text cells here: the letters
// belong to the register's model, not to the model of the program's settings that the typed
// cell would judge them by.
void SetUpGrid(CCellGrid& grid, TableKind kind) {
    SetupTable(grid, kind);
    const int taxColumn = kind == TableKind::Articles    ? TaxGroupColumn
                          : kind == TableKind::Subgroups ? SubgroupTaxGroupColumn
                                                         : -1;
    if (taxColumn < 0) {
        return;
    }
    for (int r = 1; r < grid.GetRowCount(); ++r) {
        grid.SetCellType(r, taxColumn, ClassOf<CGridCell>());
    }
}

std::string FixedText(std::uint64_t value, int decimals) {
    const std::uint64_t scale = decimals == 2 ? 100 : 1000;
    char text[48];
    std::snprintf(text, sizeof text, "%llu.%0*llu", static_cast<unsigned long long>(value / scale),
                  decimals, static_cast<unsigned long long>(value % scale));
    return text;
}

std::string DigitText(std::optional<int> digit) {
    return digit ? std::string(1, static_cast<char>('0' + *digit)) : std::string();
}

std::string TaxGroupText(int model, std::optional<int> group) {
    const char letter = group ? TaxGroupLetter(model, *group) : '\0';
    return letter != '\0' ? std::string(1, letter) : std::string();
}

void FillArticles(const SimTables& tables, int model, CCellGrid& grid) {
    for (const auto& [number, article] : tables.articles) {
        const int row = static_cast<int>(number);
        grid.SetItemText(row, NameColumn, article.name);
        grid.SetItemText(row, BarcodeColumn, article.barcode);
        if (article.price) {
            grid.SetItemText(row, PriceColumn, FixedText(*article.price, 2));
        }
        grid.SetItemText(row, TaxGroupColumn, TaxGroupText(model, article.taxGroup));
        grid.SetItemText(row, SubgroupColumn, DigitText(article.subgroup));
        grid.SetItemText(row, PaymentTypeColumn, DigitText(article.paymentType));
        if (article.stock) {
            grid.SetItemText(row, StockColumn, FixedText(*article.stock, 3));
        }
    }
}

void FillOtherTable(const SimTables& tables, int model, TableKind kind, CCellGrid& grid) {
    if (kind == TableKind::Operators) {
        for (unsigned i = 0; i < OperatorCount; ++i) {
            grid.SetItemText(static_cast<int>(i) + 1, NameColumn, tables.operators[i]);
        }
    } else if (kind == TableKind::Subgroups) {
        for (unsigned i = 0; i < SubgroupCount; ++i) {
            const SimSubgroup& subgroup = tables.subgroups[i];
            const int row = static_cast<int>(i) + 1;
            grid.SetItemText(row, NameColumn, subgroup.name);
            if (subgroup.price) {
                grid.SetItemText(row, SubgroupPriceColumn, FixedText(*subgroup.price, 2));
            }
            grid.SetItemText(row, SubgroupTaxGroupColumn, TaxGroupText(model, subgroup.taxGroup));
        }
    } else if (kind == TableKind::Company) {
        for (unsigned i = 0; i < HeaderLineCount; ++i) {
            const int row = static_cast<int>(i) + 1;
            grid.SetItemText(row, NameColumn, tables.headerLines[i].text);
            grid.SetItemText(row, FlagColumn, tables.headerLines[i].flag ? "1" : "0");
        }
    }
}

// What the register makes of a text in a field of the width.
std::string Registered(const std::string& text, std::size_t width) {
    std::string field = text.substr(0, width);
    ConvertText(field, Direction::ToRegister);
    ConvertText(field, Direction::FromRegister);
    field.erase(field.find_last_not_of(' ') + 1);
    return field;
}

// Reads the typed cells' form of an amount ("12.50", "3.000"); the caller has seen it is not
// empty. Absent when it is not that form or above the highest value.
std::optional<std::uint64_t> FixedValue(const std::string& text, int decimals,
                                        std::uint64_t highest) {
    const std::size_t point = text.find('.');
    if (point == std::string::npos || point == 0 ||
        text.size() - point - 1 != std::size_t(decimals)) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (char c : text) {
        if (c == '.') {
            continue;
        }
        if (c < '0' || c > '9' || value > highest) {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return value <= highest ? std::optional<std::uint64_t>(value) : std::nullopt;
}

bool TakeAmount(const std::string& text, int decimals, std::uint64_t highest,
                std::optional<std::uint32_t>& into, const std::string& where, std::string& error) {
    if (text.empty()) {
        return true;
    }
    const std::optional<std::uint64_t> value = FixedValue(text, decimals, highest);
    if (!value) {
        error = where + ": " + text + " is beyond what the register holds (" +
                FixedText(highest, decimals) + ")";
        return false;
    }
    into = static_cast<std::uint32_t>(*value);
    return true;
}

std::optional<int> TaxGroupOf(int model, const std::string& text) {
    const int group = text.size() == 1 ? TaxGroupOfLetter(model, text[0]) : -1;
    return group >= 0 ? std::optional<int>(group) : std::nullopt;
}

std::optional<int> DigitOf(const std::string& text) {
    return text.size() == 1 && text[0] >= '0' && text[0] <= '9' ? std::optional<int>(text[0] - '0')
                                                                : std::nullopt;
}

bool RowHasData(const CCellGrid& grid, int row) {
    for (int c = 1; c < grid.GetColumnCount(); ++c) {
        if (!grid.GetItemText(row, c).empty()) {
            return true;
        }
    }
    return false;
}

bool TakeArticles(SimTables& tables, int model, const CCellGrid& grid, std::string& error) {
    tables.articles.clear();
    for (int row = 1; row < grid.GetRowCount(); ++row) {
        if (!RowHasData(grid, row)) {
            continue;
        }
        const unsigned number = static_cast<unsigned>(row);
        const std::string where = "article " + std::to_string(number);
        SimArticle& article = tables.articles[number];
        article.name = Registered(grid.GetItemText(row, NameColumn), ArticleNameWidth(model));
        article.barcode = grid.GetItemText(row, BarcodeColumn).substr(0, BarcodeWidth);
        if (!TakeAmount(grid.GetItemText(row, PriceColumn), 2, HighestPrice, article.price, where,
                        error) ||
            !TakeAmount(grid.GetItemText(row, StockColumn), 3, HighestStock, article.stock, where,
                        error)) {
            return false;
        }
        article.taxGroup = TaxGroupOf(model, grid.GetItemText(row, TaxGroupColumn));
        article.subgroup = DigitOf(grid.GetItemText(row, SubgroupColumn));
        article.paymentType = DigitOf(grid.GetItemText(row, PaymentTypeColumn));
        DeriveFigures(number, article);
    }
    return true;
}

bool TakeOtherTable(SimTables& tables, int model, TableKind kind, const CCellGrid& grid,
                    std::string& error) {
    if (kind == TableKind::Operators) {
        for (unsigned i = 0; i < OperatorCount; ++i) {
            tables.operators[i] =
                Registered(grid.GetItemText(static_cast<int>(i) + 1, NameColumn), 12);
        }
    } else if (kind == TableKind::Subgroups) {
        for (unsigned i = 0; i < SubgroupCount; ++i) {
            const int row = static_cast<int>(i) + 1;
            SimSubgroup subgroup;
            subgroup.name = Registered(grid.GetItemText(row, NameColumn), SubgroupNameWidth(model));
            if (!TakeAmount(grid.GetItemText(row, SubgroupPriceColumn), 2, HighestPrice,
                            subgroup.price, "subgroup " + std::to_string(i), error)) {
                return false;
            }
            subgroup.taxGroup = TaxGroupOf(model, grid.GetItemText(row, SubgroupTaxGroupColumn));
            tables.subgroups[i] = subgroup;
        }
    } else if (kind == TableKind::Company) {
        for (unsigned i = 0; i < HeaderLineCount; ++i) {
            const int row = static_cast<int>(i) + 1;
            tables.headerLines[i].text =
                Registered(grid.GetItemText(row, NameColumn), HeaderLineWidth(model));
            tables.headerLines[i].flag = grid.GetItemText(row, FlagColumn) == "1";
        }
    }
    return true;
}

} // namespace

std::string SimTableFileName(TableKind kind) {
    return ProgrammedTableFileName(kind);
}

void FillTableGrid(const SimTables& tables, int model, TableKind kind, CCellGrid& grid) {
    SetUpGrid(grid, kind);
    if (kind == TableKind::Articles) {
        FillArticles(tables, model, grid);
    } else {
        FillOtherTable(tables, model, kind, grid);
    }
}

bool TakeTableGrid(SimTables& tables, int model, TableKind kind, const CCellGrid& grid,
                   std::string& error) {
    SimTables taken = tables;
    const bool good = kind == TableKind::Articles ? TakeArticles(taken, model, grid, error)
                                                  : TakeOtherTable(taken, model, kind, grid, error);
    if (good) {
        tables = std::move(taken);
    }
    return good;
}

bool LoadSimTable(SimTables& tables, int model, TableKind kind, const std::string& path,
                  std::string& error) {
    CCellGrid grid;
    SetUpGrid(grid, kind);
    CMemoryGridAccess access(grid);
    TableReader reader(access);
    CMessageCatcher messages;
    if (!reader.ReadTableFile(path, messages)) {
        error = messages.Message();
        return false;
    }
    if (!TakeTableGrid(tables, model, kind, grid, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

bool SaveSimTable(const SimTables& tables, int model, TableKind kind, const std::string& path,
                  std::string& error) {
    CCellGrid grid;
    FillTableGrid(tables, model, kind, grid);
    CMessageCatcher messages;
    if (!TableWriter(grid).WriteTableFile(path, messages)) {
        error = messages.Message();
        return false;
    }
    return true;
}

bool SaveSimTables(const SimTables& tables, int model, const std::string& folder,
                   std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    for (TableKind kind : SimTableKinds) {
        const std::filesystem::path path = std::filesystem::path(folder) / SimTableFileName(kind);
        if (!SaveSimTable(tables, model, kind, path.string(), error)) {
            return false;
        }
    }
    return true;
}

} // namespace tillora::sim
