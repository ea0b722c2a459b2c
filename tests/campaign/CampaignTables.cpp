#include "CampaignTables.h"

#include "tables/TableSetup.h"
#include "transfer/ArticleRecord.h"
#include "transfer/HeaderLineRecord.h"
#include "transfer/OperatorRecord.h"
#include "transfer/SendCommands.h"
#include "transfer/SubgroupRecord.h"

#include <algorithm>
#include <cstdio>
#include <random>

namespace tillora::campaign {
namespace {

constexpr int ArticleRowsUsed = 30;    // of the 2600: enough to spread the numbers
constexpr std::size_t NameLength = 10; // within every model's shortest name field
constexpr std::size_t LineLength = 20; // within every model's shortest header line

class CContent {
public:
    explicit CContent(std::uint32_t seed) : m_random(seed) {}

    unsigned Draw(unsigned lowest, unsigned highest) {
        return std::uniform_int_distribution<unsigned>(lowest, highest)(m_random);
    }

    // Latin letters and digits, Cyrillic letters (Windows-1251) and inner blanks.
    std::string Text(std::size_t longest) {
        static const std::string pool = [] {
            std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
            for (int c = 0xC0; c <= 0xFF; ++c) {
                letters += static_cast<char>(c);
            }
            return letters;
        }();
        const std::size_t length = Draw(1, static_cast<unsigned>(longest));
        std::string text;
        for (std::size_t i = 0; i < length; ++i) {
            const bool blank = i > 0 && i + 1 < length && Draw(0, 7) == 0;
            text += blank ? ' ' : pool[Draw(0, static_cast<unsigned>(pool.size() - 1))];
        }
        return text;
    }

    std::string Digits(std::size_t lowest, std::size_t highest) {
        std::string digits;
        for (std::size_t n = Draw(static_cast<unsigned>(lowest), static_cast<unsigned>(highest));
             n > 0; --n) {
            digits += static_cast<char>('0' + Draw(0, 9));
        }
        return digits;
    }

    // Twelve or thirteen digits, the first not 0: the cell writes a barcode in that form.
    std::string Barcode() {
        return std::string(1, static_cast<char>('1' + Draw(0, 8))) + Digits(11, 12);
    }

    std::string Fixed(unsigned whole, int decimals) {
        char text[32];
        std::snprintf(text, sizeof text, "%u.%0*u", Draw(0, whole), decimals,
                      Draw(0, decimals == 2 ? 99 : 999));
        return text;
    }

    // A letter of one of the model's tax groups.
    std::string TaxLetter(int model) {
        std::string letters;
        for (int group = 0; group <= 9; ++group) {
            if (const char letter = sim::TaxGroupLetter(model, group); letter != '\0') {
                letters += letter;
            }
        }
        return std::string(1, letters[Draw(0, static_cast<unsigned>(letters.size() - 1))]);
    }

    // count different grid rows of 1 to highest, in ascending order.
    std::vector<int> Rows(int count, int highest) {
        std::vector<int> all;
        for (int row = 1; row <= highest; ++row) {
            all.push_back(row);
        }
        std::shuffle(all.begin(), all.end(), m_random);
        all.resize(static_cast<std::size_t>(std::min(count, highest)));
        std::sort(all.begin(), all.end());
        return all;
    }

private:
    std::mt19937 m_random;
};

int RowsOf(TableKind kind) {
    switch (kind) {
    case TableKind::Articles:
        return ArticleRowsUsed;
    case TableKind::Operators:
        return operators::Rows;
    case TableKind::Subgroups:
        return subgroup::Rows;
    default:
        return headerline::Rows;
    }
}

std::vector<int> SelectableColumns(TableKind kind, int model) {
    return SendPlanOf(kind, model).value().selectableColumns;
}

// Every cell of the row; false when one did not take its text.
bool FillRow(TableKind kind, int model, int row, CContent& content, CCellGrid& cells) {
    std::vector<std::pair<int, std::string>> texts;
    if (kind == TableKind::Articles) {
        texts = {{article::Name, content.Text(NameLength)},
                 {article::Barcode, content.Barcode()},
                 {article::Price, content.Fixed(9999, 2)},
                 {article::TaxGroup, content.TaxLetter(model)},
                 {article::Subgroup, content.Digits(1, 1)},
                 {article::PaymentType, content.Digits(1, 1)},
                 {article::Stock, content.Fixed(99999, 3)}};
    } else if (kind == TableKind::Operators) {
        texts = {{operators::Name, content.Text(NameLength)}};
    } else if (kind == TableKind::Subgroups) {
        texts = {{subgroup::Name, content.Text(NameLength)},
                 {subgroup::Price, content.Fixed(9999, 2)},
                 {subgroup::TaxGroup, content.TaxLetter(model)}};
    } else {
        texts = {{headerline::Text, content.Text(LineLength)},
                 {headerline::Flag, content.Draw(0, 1) == 1 ? "1" : "0"}};
    }
    bool taken = true;
    for (const auto& [column, text] : texts) {
        cells.SetItemText(row, column, text);
        taken = taken && cells.GetItemText(row, column) == text;
    }
    return taken;
}

void SelectSome(TableKind kind, int model, int row, CContent& content, CMemoryGridAccess& access) {
    const std::vector<int> columns = SelectableColumns(kind, model);
    bool any = false;
    for (int column : columns) {
        if (content.Draw(0, 1) == 1) {
            access.SetCellSelected(row, column, true);
            any = true;
        }
    }
    if (!any) {
        access.SetCellSelected(
            row, columns[content.Draw(0, static_cast<unsigned>(columns.size() - 1))], true);
    }
}

} // namespace

TableKind SentTable(Operation operation) {
    switch (operation) {
    case Operation::SendOperators:
        return TableKind::Operators;
    case Operation::SendSubgroups:
        return TableKind::Subgroups;
    case Operation::SendCompany:
        return TableKind::Company;
    default:
        return TableKind::Articles;
    }
}

bool FillSendTable(const RunPlan& plan, CCellGrid& cells, CMemoryGridAccess& access) {
    const TableKind kind = SentTable(plan.operation);
    SetupTable(cells, kind);
    CContent content(plan.contentSeed);
    const int extra = plan.selectedCells ? static_cast<int>(content.Draw(0, 1)) : 0;
    const std::vector<int> rows = content.Rows(plan.records + extra, RowsOf(kind));
    // The row left unselected is drawn among the filled ones.
    const int unselected =
        extra == 1 ? rows[content.Draw(0, static_cast<unsigned>(rows.size() - 1))] : 0;
    bool filled = static_cast<int>(rows.size()) == plan.records + extra;
    for (int row : rows) {
        filled = FillRow(kind, plan.model, row, content, cells) && filled;
        if (plan.selectedCells && row != unselected) {
            SelectSome(kind, plan.model, row, content, access);
        }
    }
    return filled;
}

bool FillReportArticles(const RunPlan& plan, CCellGrid& cells) {
    SetupTable(cells, TableKind::Articles);
    CContent content(plan.contentSeed);
    bool filled = true;
    for (int row : content.Rows(static_cast<int>(content.Draw(3, 6)), ArticleRowsUsed)) {
        filled = FillRow(TableKind::Articles, plan.model, row, content, cells) && filled;
    }
    return filled;
}

std::vector<std::string> GridTexts(const CCellGrid& cells) {
    std::vector<std::string> texts;
    for (int r = 1; r < cells.GetRowCount(); ++r) {
        for (int c = 1; c < cells.GetColumnCount(); ++c) {
            texts.push_back(cells.GetItemText(r, c));
        }
    }
    return texts;
}

std::vector<WrittenRecord> RecordsWritten(const std::vector<std::vector<std::uint8_t>>& writes) {
    constexpr std::size_t Head = 8;
    constexpr std::size_t Tail = 3; // checksum characters and line feed
    std::vector<WrittenRecord> records;
    for (const auto& frame : writes) {
        if (frame.size() < Head + Tail || frame[0] != 0xAA) {
            continue;
        }
        const char kind = static_cast<char>(frame[7]);
        if (kind == 'r' || kind == 'o' || kind == 'y' || kind == 'w') {
            records.push_back({kind, std::string(frame.begin() + Head, frame.end() - Tail)});
        }
    }
    return records;
}

sim::SimTables TablesAfter(sim::SimTables tables, int model,
                           const std::vector<WrittenRecord>& records) {
    for (const WrittenRecord& record : records) {
        sim::ApplyRecord(tables, model, record.kind, record.payload);
    }
    return tables;
}

} // namespace tillora::campaign
