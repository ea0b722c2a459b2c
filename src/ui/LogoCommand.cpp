#include "ui/LogoCommand.h"

#include "ui/Commands.h"
#include "ui/LogoDialog.h"
#include "ui/MainFrame.h"
#include "ui/RegisterCommands.h"

namespace tillora {

CLogoCommand::CLogoCommand(CMainFrame& frame)
    : QObject(&frame), m_frame(frame), m_defaultsBase(DefaultLogoBase()) {
    frame.Commands().Bind(cmd::SendLogo, [this] { OnSendLogo(); });
}

void CLogoCommand::OnSendLogo() {
    CRegisterCommands& link = m_frame.Register();
    LogoDialogSetup setup{
        link.IniFile(), m_defaultsBase,
        [&link](IFeedback& feedback, const auto& work) { link.RunSession(feedback, work); }};
    CLogoDialog dialog(m_picture, std::move(setup), &m_frame);
    dialog.exec();
}

} // namespace tillora
