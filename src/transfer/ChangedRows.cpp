#include "transfer/ChangedRows.h"

#include "tables/TableSetup.h"

#include <algorithm>

namespace tillora {
namespace {

bool IsCellField(const RecordField& field) {
    return field.kind != FieldKind::Constant;
}

bool HoldsSomething(const SendPlan& plan, const CCellGrid& grid, int row) {
    return std::any_of(plan.sendColumns.begin(), plan.sendColumns.end(),
                       [&](int column) { return !grid.GetItemText(row, column).empty(); });
}

// The field's bytes for a text that is not empty.
std::string Encoded(const RecordField& field, const std::string& text, int model) {
    return EncodeField(field, text, true, SendScope::SelectedCells, model);
}

ChangedRow NewRow(const SendPlan& plan, const CCellGrid& table, int row) {
    ChangedRow changed{row, true, true, {}};
    for (const RecordField& field : plan.layout) {
        const std::string now = table.GetItemText(row, field.column);
        if (IsCellField(field) && !now.empty()) {
            changed.cells.push_back({field.column, {}, now});
        }
    }
    return changed;
}

ChangedRow KnownRow(const SendPlan& plan, const CCellGrid& table, const CCellGrid& known, int row,
                    int model) {
    ChangedRow changed{row, false, false, {}};
    for (const RecordField& field : plan.layout) {
        const std::string now = table.GetItemText(row, field.column);
        if (!IsCellField(field) || now.empty()) {
            continue;
        }
        const std::string held = known.GetItemText(row, field.column);
        if (held.empty() || Encoded(field, held, model) != Encoded(field, now, model)) {
            changed.cells.push_back({field.column, held, now});
            changed.sendWhole = changed.sendWhole || field.kind == FieldKind::Flag;
        }
    }
    return changed;
}

// Whether the record of a sent row carried the cell: a flag always, else a value in a whole-table
// run and a selected cell in a selected-cells run.
bool IsSentWithValue(const RecordField& field, SendScope scope, const IGridAccess& grid, int row) {
    if (field.kind == FieldKind::Flag) {
        return true;
    }
    return scope == SendScope::WholeTable ? !grid.GetItemText(row, field.column).empty()
                                          : grid.IsCellSelected(row, field.column);
}

void Take(CCellGrid& known, int row, int column, const std::string& text) {
    known.SetItemText(row, column, text);
}

} // namespace

unsigned TableChanges::NewRows() const {
    return static_cast<unsigned>(
        std::count_if(rows.begin(), rows.end(), [](const ChangedRow& row) { return row.isNew; }));
}

TableChanges FindChangedRows(const SendPlan& plan, const CCellGrid& table, const CCellGrid& known,
                             int model) {
    TableChanges changes;
    for (int row = 1; row <= plan.rowCount; ++row) {
        const bool registerKnows = HoldsSomething(plan, known, row);
        if (!HoldsSomething(plan, table, row)) {
            if (registerKnows) {
                changes.keptRows.push_back(row);
            }
            continue;
        }
        ChangedRow changed =
            registerKnows ? KnownRow(plan, table, known, row, model) : NewRow(plan, table, row);
        if (changed.isNew || !changed.cells.empty()) {
            changes.rows.push_back(std::move(changed));
        }
    }
    return changes;
}

void TakeSentCells(const SendPlan& plan, SendScope scope, const IGridAccess& grid,
                   CCellGrid& known) {
    for (int row = 1; row <= plan.rowCount; ++row) {
        if (IsRowSkipped(plan, scope, grid, row)) {
            continue;
        }
        for (const RecordField& field : plan.layout) {
            if (IsCellField(field) && IsSentWithValue(field, scope, grid, row)) {
                // Selected and empty: the register took a default, which is not known here.
                Take(known, row, field.column, grid.GetItemText(row, field.column));
            }
        }
    }
}

void TakeChangedCells(const SendPlan& plan, const TableChanges& changes, const CCellGrid& table,
                      CCellGrid& known) {
    for (const ChangedRow& changed : changes.rows) {
        if (!changed.sendWhole) {
            for (const ChangedCell& cell : changed.cells) {
                Take(known, changed.row, cell.column, cell.now);
            }
            continue;
        }
        for (const RecordField& field : plan.layout) {
            const std::string text = table.GetItemText(changed.row, field.column);
            if (IsCellField(field) && !text.empty()) {
                Take(known, changed.row, field.column, text);
            }
        }
    }
}

void TakeReportedArticles(const CCellGrid& report, bool complete, CCellGrid& known) {
    if (complete) {
        ClearTable(known);
    }
    constexpr int LastArticleColumn = 7;
    const int rows = std::min(report.GetRowCount(), known.GetRowCount());
    for (int row = 1; row < rows; ++row) {
        bool reported = false;
        for (int column = 1; column <= LastArticleColumn && !reported; ++column) {
            reported = !report.GetItemText(row, column).empty();
        }
        for (int column = 1; column <= LastArticleColumn && reported; ++column) {
            Take(known, row, column, report.GetItemText(row, column));
        }
    }
}

} // namespace tillora
