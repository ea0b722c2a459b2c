#include "ui/RegisterDifferences.h"

#include "grid/GridModel.h"
#include "link/EcrSettings.h"
#include "transfer/KnownDifferences.h"
#include "transfer/KnownRegisterState.h"
#include "ui/KassivoView.h"
#include "ui/TableGrid.h"

#include <QColor>
#include <QTimer>

#include <algorithm>

namespace tillora {
namespace {

// Light orange: apart from the rows' white and yellow and from the selection's blue.
const QColor DifferenceBackground(255, 196, 140);

} // namespace

CRegisterDifferences::CRegisterDifferences(CKassivoView& view, const CKnownRegisterState& store,
                                           const EcrSettings& inForce, QObject* parent)
    : QObject(parent), m_view(view), m_store(store), m_inForce(inForce) {
    for (TableKind kind : ProgrammedTables) {
        WatchEdits(kind);
        m_view.Grid(kind).Model()->SetMarkedCells(
            [this, kind](int row, int column) { return Differs(kind, row, column); },
            DifferenceBackground);
    }
}

// Every change of a cell's text counts again, once the edits in hand are done; the marks' own
// repaint changes only the background and is no edit.
void CRegisterDifferences::WatchEdits(TableKind kind) {
    CGridModel* model = m_view.Grid(kind).Model();
    connect(model, &CGridModel::dataChanged, this,
            [this, kind](const QModelIndex&, const QModelIndex&, const QList<int>& roles) {
                if (roles != QList<int>{Qt::BackgroundRole}) {
                    RecountLater(kind);
                }
            });
    connect(model, &CGridModel::modelReset, this, [this, kind] { RecountLater(kind); });
}

void CRegisterDifferences::SetShown(bool shown) {
    m_shown = shown;
    for (TableKind kind : ProgrammedTables) {
        if (m_shown) {
            Recount(kind);
        }
        m_view.Grid(kind).Model()->MarksChanged();
    }
}

void CRegisterDifferences::KnownStateChanged() {
    for (TableMarks& table : m_tables) {
        table.loaded = false;
    }
    if (m_shown) {
        for (TableKind kind : ProgrammedTables) {
            Recount(kind);
            ShowMarks(kind);
        }
    }
}

bool CRegisterDifferences::Differs(TableKind kind, int row, int column) const {
    const int index = TableIndex(kind);
    if (!m_shown || index >= static_cast<int>(m_tables.size())) {
        return false;
    }
    const TableMarks& table = m_tables[index];
    const auto at = static_cast<std::size_t>(row) * table.columns + column;
    return column < table.columns && at < table.marks.size() && table.marks[at];
}

int CRegisterDifferences::DifferingCells(TableKind kind) const {
    const TableMarks& table = m_tables[TableIndex(kind)];
    return m_shown ? static_cast<int>(std::count(table.marks.begin(), table.marks.end(), true)) : 0;
}

void CRegisterDifferences::RecountLater(TableKind kind) {
    if (!m_shown) {
        return;
    }
    m_tables[TableIndex(kind)].dirty = true;
    if (!m_recountQueued) {
        m_recountQueued = true;
        QTimer::singleShot(0, this, [this] {
            m_recountQueued = false;
            for (TableKind dirty : ProgrammedTables) {
                if (m_tables[TableIndex(dirty)].dirty) {
                    Recount(dirty);
                    ShowMarks(dirty);
                }
            }
        });
    }
}

void CRegisterDifferences::Recount(TableKind kind) {
    TableMarks& table = m_tables[TableIndex(kind)];
    const RegisterIdentity id = RegisterInSettings(m_inForce);
    if (!table.loaded) {
        table.known = LoadKnownTable(m_store, id, kind, table.state);
        table.loaded = true;
    }
    table.dirty = false;
    const CCellGrid& cells = m_view.Grid(kind).Cells();
    table.columns = cells.GetColumnCount();
    table.marks.assign(static_cast<std::size_t>(cells.GetRowCount()) * table.columns, false);
    if (!table.known) {
        return;
    }
    for (const CCellID cell : CellsDifferingFromKnown(kind, cells, table.state, id.model)) {
        table.marks[static_cast<std::size_t>(cell.row) * table.columns + cell.col] = true;
    }
}

void CRegisterDifferences::ShowMarks(TableKind kind) {
    m_view.Grid(kind).Model()->MarksChanged();
}

} // namespace tillora
