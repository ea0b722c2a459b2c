#include "ui/RegisterListCommands.h"

#include "link/EcrIniFile.h"
#include "link/PortSettings.h"
#include "link/RegisterList.h"
#include "link/SerialDevices.h"
#include "tables/TableWriter.h"
#include "transfer/SendCommands.h"
#include "ui/Commands.h"
#include "ui/KassivoView.h"
#include "ui/RegistersDialog.h"
#include "ui/SendToRegistersDialog.h"
#include "ui/TableGrid.h"

namespace tillora {

CRegisterListCommands::CRegisterListCommands(CCommands& commands, CKassivoView& view,
                                             const CKnownRegisterState& known,
                                             std::function<std::string()> iniFile,
                                             const EcrSettings& inForce, QWidget& window)
    : QObject(&window), m_view(view), m_known(known), m_iniFile(std::move(iniFile)),
      m_inForce(inForce), m_window(window) {
    commands.Bind(cmd::RegisterList, [this] { OnRegisterList(); });
    commands.Bind(cmd::SendToRegisters, [this] { OnSendToRegisters(); });
    commands.BindEnable(cmd::SendToRegisters, [&view] { return CanSendAll(view.CurrentTable()); });
}

void CRegisterListCommands::OnRegisterList() {
    CRegistersDialog dialog(m_iniFile(), ScanSerialDevices(), m_inForce, &m_window);
    dialog.exec();
    emit listChanged();
}

void CRegisterListCommands::OnSendToRegisters() {
    const TableKind kind = m_view.CurrentTable();
    if (!CanSendAll(kind)) {
        return;
    }
    // The table as it is now (the command committed an open edit); each register reads its own
    // copy.
    const IGridAccess& grid = m_view.CurrentGrid();
    const EcrIniFile ini(m_iniFile());
    CSendToRegistersDialog dialog(kind, TableFileText(grid.Cells()), LoadRegisters(ini),
                                  LoadPortDevices(ini), m_known, &m_window);
    dialog.exec();
    emit knownStateChanged();
}

} // namespace tillora
