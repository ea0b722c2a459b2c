#include "tables/ImportPlan.h"

#include "link/Cp1251.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "tables/ImportValues.h"
#include "tables/TableSetup.h"
#include "tables/TypedCells.h"

#include <algorithm>
#include <charconv>

namespace tillora {
namespace {

bool IsBlank(const SheetCell& cell) {
    return !cell.number && SheetCellText(cell).empty();
}

const SheetCell& CellAt(const SheetRow& row, int index) {
    static const SheetCell empty;
    return index >= 0 && index < static_cast<int>(row.cells.size())
               ? row.cells[static_cast<std::size_t>(index)]
               : empty;
}

// A row number as a sheet shows it: a whole number, typed or as text.
std::optional<int> WholeNumber(const SheetCell& cell) {
    const std::string text = SheetCellText(cell);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::size_t WidestRow(const SheetData& sheet) {
    std::size_t widest = 0;
    for (const SheetRow& row : sheet.rows) {
        widest = std::max(widest, row.cells.size());
    }
    return widest;
}

// Works out one plan: the columns first, then row after row.
class ImportPlanner {
public:
    ImportPlanner(const SheetData& sheet, TableKind kind, const ImportOptions& options)
        : m_sheet(sheet), m_kind(kind), m_options(options), m_columnCount(ShapeOf(kind).columns) {
        m_plan.kind = kind;
        m_plan.columns.assign(static_cast<std::size_t>(m_columnCount), -1);
    }

    ImportPlan Plan() {
        const std::size_t first = ChooseColumns();
        for (std::size_t r = first; r < m_sheet.rows.size() && !m_full; ++r) {
            PlanRow(m_sheet.rows[r]);
        }
        std::vector<int> rows;
        for (const ImportCell& cell : m_plan.cells) {
            rows.push_back(cell.row);
        }
        std::sort(rows.begin(), rows.end());
        m_plan.rowsFilled = static_cast<int>(std::unique(rows.begin(), rows.end()) - rows.begin());
        return std::move(m_plan);
    }

private:
    void Note(unsigned id, const SheetRow* row, int sheetColumn, int tableColumn,
              std::string original = {}, std::string taken = {}, long number = 0) {
        m_plan.problems.push_back({id, row != nullptr ? row->line : m_plan.headerLine,
                                   row != nullptr ? m_tableRow : 0, sheetColumn + 1, tableColumn,
                                   std::move(original), std::move(taken), number});
    }

    int& SourceOf(int tableColumn) { return m_plan.columns[static_cast<std::size_t>(tableColumn)]; }

    // The index of the first row of the table in the sheet.
    std::size_t ChooseColumns() {
        if (m_options.columns) {
            return ColumnsFromMap(*m_options.columns);
        }
        if (const std::optional<std::size_t> header = FindHeaderRow(m_sheet, m_kind)) {
            ColumnsFromHeader(m_sheet.rows[*header]);
            return *header + 1;
        }
        ColumnsByPosition();
        return 0;
    }

    void UseHeader(const SheetRow& header) { m_plan.headerLine = header.line; }

    std::size_t ColumnsFromMap(const ColumnMap& map) {
        const std::optional<std::size_t> header = HeaderForMap(map);
        if (header) {
            UseHeader(m_sheet.rows[*header]);
        }
        const int widest = static_cast<int>(WidestRow(m_sheet));
        for (const ColumnSource& source : map.sources) {
            if (source.tableColumn < 0 || source.tableColumn >= m_columnCount) {
                continue;
            }
            if (source.sheetColumn > 0) {
                SourceOf(source.tableColumn) = source.sheetColumn - 1;
                if (source.sheetColumn > widest) {
                    Note(ids::ImportColumnMissing, nullptr, -1, source.tableColumn, {}, {},
                         source.sheetColumn);
                }
                continue;
            }
            const int found = header ? TitleIndex(m_sheet.rows[*header], source.title) : -1;
            SourceOf(source.tableColumn) = found;
            if (found < 0) {
                Note(ids::ImportColumnTitleMissing, nullptr, -1, source.tableColumn, source.title);
            }
        }
        return header ? *header + 1 : 0;
    }

    // The row with the map's titles, else the header line the table's titles give away.
    std::optional<std::size_t> HeaderForMap(const ColumnMap& map) {
        const std::size_t rows = std::min<std::size_t>(m_sheet.rows.size(), 20);
        for (const ColumnSource& source : map.sources) {
            if (source.sheetColumn > 0) {
                continue;
            }
            for (std::size_t r = 0; r < rows; ++r) {
                if (TitleIndex(m_sheet.rows[r], source.title) >= 0) {
                    return r;
                }
            }
        }
        return FindHeaderRow(m_sheet, m_kind);
    }

    static int TitleIndex(const SheetRow& row, const std::string& title) {
        for (std::size_t i = 0; i < row.cells.size(); ++i) {
            if (SameTitle(row.cells[i].text, title)) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

    void ColumnsFromHeader(const SheetRow& header) {
        UseHeader(header);
        for (std::size_t i = 0; i < header.cells.size(); ++i) {
            const std::optional<int> column = TableColumnOfTitle(m_kind, header.cells[i].text);
            if (!column) {
                continue; // a column the table does not have
            }
            if (SourceOf(*column) >= 0) {
                Note(ids::ImportColumnRepeated, &header, static_cast<int>(i), *column,
                     header.cells[i].text, {}, SourceOf(*column) + 1);
                continue;
            }
            SourceOf(*column) = static_cast<int>(i);
        }
    }

    // The sheet's columns in the table's order, after a first column of row numbers if every
    // row starts with one, as the table files do.
    void ColumnsByPosition() {
        bool numbered = false;
        for (const SheetRow& row : m_sheet.rows) {
            if (row.cells.size() >= 2) {
                numbered = true;
            }
            if (!WholeNumber(CellAt(row, 0))) {
                numbered = false;
                break;
            }
        }
        for (int c = 0; c < m_columnCount; ++c) {
            SourceOf(c) = numbered ? c : c - 1;
        }
    }

    void PlanRow(const SheetRow& row) {
        m_tableRow = 0;
        bool blank = true;
        for (int c = 1; c < m_columnCount; ++c) {
            blank = blank && IsBlank(CellAt(row, SourceOf(c)));
        }
        if (blank) {
            return;
        }
        const std::optional<int> gridRow = RowOf(row);
        if (!gridRow) {
            return;
        }
        for (int c = 1; c < m_columnCount; ++c) {
            if (SourceOf(c) >= 0) {
                PlanValue(row, *gridRow, c);
            }
        }
    }

    std::optional<int> RowOf(const SheetRow& row) {
        const TableShape& shape = ShapeOf(m_kind);
        if (SourceOf(RowNumberColumn) < 0) {
            if (m_nextRow > shape.dataRows) {
                Note(ids::ImportTooManyRows, &row, -1, -1, {}, {}, shape.dataRows);
                m_full = true;
                return std::nullopt;
            }
            m_tableRow = m_nextRow;
            return m_nextRow++;
        }
        const SheetCell& cell = CellAt(row, SourceOf(RowNumberColumn));
        if (IsBlank(cell)) {
            Note(ids::ImportRowNumberMissing, &row, SourceOf(RowNumberColumn), RowNumberColumn);
            return std::nullopt;
        }
        const std::optional<int> label = WholeNumber(cell);
        const int gridRow = label ? *label - shape.firstLabel + 1 : 0;
        if (gridRow < 1 || gridRow > shape.dataRows) {
            Note(ids::ImportRowNumberInvalid, &row, SourceOf(RowNumberColumn), RowNumberColumn,
                 SheetCellText(cell));
            return std::nullopt;
        }
        m_tableRow = gridRow;
        if (std::find(m_rowsSeen.begin(), m_rowsSeen.end(), gridRow) != m_rowsSeen.end()) {
            Note(ids::ImportRowRepeated, &row, SourceOf(RowNumberColumn), RowNumberColumn,
                 SheetCellText(cell), {}, *label);
            std::erase_if(m_plan.cells, [&](const ImportCell& c) { return c.row == gridRow; });
        } else {
            m_rowsSeen.push_back(gridRow);
        }
        return gridRow;
    }

    ImportedValue ValueFor(const SheetCell& cell, int column) const {
        const CellClass& cellClass = ColumnClass(m_kind, column);
        if (&cellClass == &ClassOf<CGridCellPrice>()) {
            return ImportAmount(cell, 2);
        }
        if (&cellClass == &ClassOf<CGridCellQuantity>()) {
            return ImportAmount(cell, 3);
        }
        if (&cellClass == &ClassOf<CGridCellBarcode>()) {
            return ImportBarcode(cell);
        }
        if (&cellClass == &ClassOf<CGridCellChar1>()) {
            return ImportTaxGroup(cell, m_options.model);
        }
        if (&cellClass == &ClassOf<CGridCellNum1>()) {
            return ImportDigit(cell);
        }
        if (&cellClass == &ClassOf<CGridCellCheck>()) {
            return ImportFlag(cell);
        }
        return ImportText(cell);
    }

    void PlanValue(const SheetRow& row, int gridRow, int column) {
        const int index = SourceOf(column);
        const SheetCell& cell = CellAt(row, index);
        const ImportedValue value = ValueFor(cell, column);
        const std::string original = cell.number ? SheetCellText(cell) : cell.text;
        switch (value.outcome) {
        case ValueOutcome::Taken:
            break;
        case ValueOutcome::Refused:
            Note(ids::ImportValueRefused, &row, index, column, original);
            break;
        case ValueOutcome::Exponent:
            Note(ids::ImportBarcodeExponent, &row, index, column, original);
            break;
        case ValueOutcome::LookAlike:
            Note(ids::ImportTaxLetterLookAlike, &row, index, column, original, value.text);
            break;
        case ValueOutcome::Ambiguous:
            Note(ids::ImportSeparatorAmbiguous, &row, index, column, original, value.text);
            break;
        case ValueOutcome::LineBreaks:
            Note(ids::ImportLineBreakReplaced, &row, index, column, original, value.text);
            break;
        }
        if (value.text.empty()) {
            return;
        }
        for (const CellLengthLimit& limit : m_options.lengthLimits) {
            if (limit.column == column && value.text.size() > limit.maxLength) {
                Note(ids::ImportTextTooLong, &row, index, column, value.text, {},
                     static_cast<long>(limit.maxLength));
            }
        }
        m_plan.cells.push_back({gridRow, column, value.text});
    }

    const SheetData& m_sheet;
    TableKind m_kind;
    const ImportOptions& m_options;
    int m_columnCount;
    ImportPlan m_plan;
    int m_nextRow = 1;
    int m_tableRow = 0; // the table row of the sheet row being planned, once it is known
    bool m_full = false;
    std::vector<int> m_rowsSeen;
};

std::string Place(const ImportProblem& problem, TableKind kind) {
    if (problem.line > 0 && problem.sheetColumn > 0 && problem.tableColumn >= 0) {
        return FormatMessage(ids::ImportAtCell, problem.line, problem.sheetColumn,
                             ImportColumnTitle(kind, problem.tableColumn).c_str());
    }
    if (problem.line > 0 && problem.sheetColumn > 0) {
        return FormatMessage(ids::ImportAtColumn, problem.line, problem.sheetColumn);
    }
    return problem.line > 0 ? FormatMessage(ids::ImportAtLine, problem.line) : std::string();
}

} // namespace

bool ImportProblem::LeavesOut() const {
    switch (messageId) {
    case ids::ImportTaxLetterLookAlike:
    case ids::ImportSeparatorAmbiguous:
    case ids::ImportLineBreakReplaced:
    case ids::ImportTextTooLong:
    case ids::ImportRowRepeated:
    case ids::ImportColumnRepeated:
        return false;
    default:
        return true;
    }
}

ImportPlan PlanImport(const SheetData& sheet, TableKind kind, const ImportOptions& options) {
    return ImportPlanner(sheet, kind, options).Plan();
}

bool ImportsNothing(const ImportPlan& plan) {
    return plan.cells.empty();
}

void ApplyImportPlan(const ImportPlan& plan, IGridAccess& grid) {
    CEditStep step(grid.Cells(), EditKind::TableLoad);
    ClearTable(grid.Cells());
    for (const ImportCell& cell : plan.cells) {
        grid.SetItemText(cell.row, cell.column, cell.text);
    }
    grid.Redraw();
}

std::string FormatImportProblem(const ImportProblem& problem, TableKind kind) {
    const std::string original = Cp1251ToUtf8(problem.original);
    const std::string taken = Cp1251ToUtf8(problem.taken);
    const std::string column = ImportColumnTitle(kind, problem.tableColumn);
    std::string what;
    switch (problem.messageId) {
    case ids::ImportTaxLetterLookAlike:
    case ids::ImportSeparatorAmbiguous:
        what = FormatMessage(problem.messageId, original.c_str(), taken.c_str());
        break;
    case ids::ImportTextTooLong:
        what = FormatMessage(problem.messageId, original.c_str(), static_cast<int>(problem.number));
        break;
    case ids::ImportRowRepeated:
    case ids::ImportTooManyRows:
    case ids::ImportColumnMissing:
        what = FormatMessage(problem.messageId, static_cast<int>(problem.number));
        break;
    case ids::ImportColumnRepeated:
        what = FormatMessage(problem.messageId, static_cast<int>(problem.number), column.c_str());
        break;
    case ids::ImportColumnTitleMissing:
        what = FormatMessage(problem.messageId, original.c_str());
        break;
    case ids::ImportRowNumberMissing:
        what = FormatMessage(problem.messageId);
        break;
    case ids::ImportLineBreakReplaced:
        what = FormatMessage(problem.messageId, taken.c_str());
        break;
    default:
        what = FormatMessage(problem.messageId, original.c_str());
        break;
    }
    return Place(problem, kind) + what;
}

} // namespace tillora
