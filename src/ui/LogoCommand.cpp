#include "ui/LogoCommand.h"

#include "link/EcrSettings.h"
#include "ui/Commands.h"
#include "ui/LogoDialog.h"
#include "ui/RegisterCommands.h"

namespace tillora {

CLogoCommand::CLogoCommand(CCommands& commands, CRegisterCommands& link, QWidget& window)
    : QObject(&window), m_link(link), m_window(window), m_defaultsBase(DefaultLogoBase()) {
    commands.Bind(cmd::SendLogo, [this] { OnSendLogo(); });
}

void CLogoCommand::OnSendLogo() {
    CRegisterCommands& link = m_link;
    LogoDialogSetup setup{
        link.IniFile(), m_defaultsBase, link.SettingsInForce().EcrType,
        [&link](IFeedback& feedback, const auto& work) { link.RunSession(feedback, work); }};
    CLogoDialog dialog(m_picture, std::move(setup), &m_window);
    dialog.exec();
}

} // namespace tillora
