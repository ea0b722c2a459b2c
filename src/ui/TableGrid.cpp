#include "ui/TableGrid.h"

#include "ui/Commands.h"

#include <QContextMenuEvent>
#include <QMenu>

namespace tillora {
namespace {

// Where a menu opened by the keyboard appears, from the grid's top-left corner.
constexpr int KeyboardMenuOffset = 10;

} // namespace

CTableGrid::CTableGrid(CCellGrid& cells, TableKind kind, QWidget* parent)
    : CGridCtrl(cells, parent), m_kind(kind) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void CTableGrid::SetCommands(CCommands* commands) {
    m_commands = commands;
}

void CTableGrid::contextMenuEvent(QContextMenuEvent* event) {
    if (m_commands == nullptr) {
        CGridCtrl::contextMenuEvent(event);
        return;
    }
    SetFocus();
    m_commands->UpdateEnables();
    QMenu menu(this);
    m_commands->FillContextMenu(&menu);
    const QPoint at = event->reason() == QContextMenuEvent::Keyboard
                          ? mapToGlobal(QPoint(KeyboardMenuOffset, KeyboardMenuOffset))
                          : event->globalPos();
    event->accept();
    menu.exec(at);
}

} // namespace tillora
