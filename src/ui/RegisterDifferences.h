#pragma once

#include "tables/CellGrid.h"
#include "tables/TableKind.h"

#include <QObject>

#include <array>
#include <vector>

namespace tillora {

class CKassivoView;
class CKnownRegisterState;
struct EcrSettings;

// "Разлики с касата": while shown, the cells of the four programmable tables whose values differ
// from what the register of the settings in force last confirmed are drawn on a colour of their
// own, as a changes-only send would find them. A table whose state is not known marks nothing.
class CRegisterDifferences : public QObject {
    Q_OBJECT
public:
    // inForce: the settings in force, whose register's known state the marks compare with.
    CRegisterDifferences(CKassivoView& view, const CKnownRegisterState& store,
                         const EcrSettings& inForce, QObject* parent);

    void SetShown(bool shown);
    bool Shown() const { return m_shown; }
    // The known state or the settings in force changed: read the states again.
    void KnownStateChanged();

    bool Differs(TableKind kind, int row, int column) const;
    int DifferingCells(TableKind kind) const;

private:
    struct TableMarks {
        bool loaded = false; // the known state was read since it last changed
        bool known = false;
        CCellGrid state;
        std::vector<bool> marks; // row by row, every column of the grid
        int columns = 0;
        bool dirty = false;
    };

    void WatchEdits(TableKind kind);
    void Recount(TableKind kind);
    void RecountLater(TableKind kind);
    void ShowMarks(TableKind kind);

    CKassivoView& m_view;
    const CKnownRegisterState& m_store;
    const EcrSettings& m_inForce;
    bool m_shown = false;
    bool m_recountQueued = false;
    std::array<TableMarks, ProgrammedTables.size()> m_tables; // the programmable tables, by index
};

} // namespace tillora
