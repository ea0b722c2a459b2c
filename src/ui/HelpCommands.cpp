#include "ui/HelpCommands.h"

#include "res/StringIds.h"
#include "ui/AboutBox.h"
#include "ui/Commands.h"
#include "ui/HelpFile.h"
#include "ui/StatusPanes.h"
#include "ui/UiText.h"

#include <QDesktopServices>
#include <QUrl>

namespace tillora {

CHelpCommands::CHelpCommands(CCommands& commands, QWidget& window, CStatusPanes& panes,
                             QString programPath)
    : QObject(&window), m_window(window), m_panes(panes), m_programPath(std::move(programPath)),
      m_opener([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
    commands.Bind(cmd::HelpContents, [this] { OnHelp(); });
    commands.Bind(cmd::AppAbout, [this] { OnAbout(); });
}

void CHelpCommands::SetOpener(Opener opener) {
    m_opener = std::move(opener);
}

void CHelpCommands::OnHelp() {
    for (const QString& location : HelpLocations(m_programPath)) {
        if (m_opener(QUrl::fromLocalFile(location))) {
            return;
        }
    }
    m_panes.SetMessage(UiText(ids::HelpNotShown));
}

void CHelpCommands::OnAbout() {
    CAboutBox box(&m_window);
    box.exec();
}

} // namespace tillora
