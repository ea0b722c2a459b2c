#pragma once

#include "grid/GridCtrl.h"
#include "tables/TableKind.h"

#include <QPointer>

namespace tillora {

class CCommands;

// The grid of one table tab: never a horizontal scroll bar, and a context menu with the
// window's edit and register commands.
class CTableGrid : public CGridCtrl {
    Q_OBJECT
public:
    CTableGrid(CCellGrid& cells, TableKind kind, QWidget* parent = nullptr);

    TableKind Kind() const { return m_kind; }
    // The commands whose items the context menu shows; none, no menu.
    void SetCommands(CCommands* commands);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    TableKind m_kind;
    QPointer<CCommands> m_commands;
};

} // namespace tillora
