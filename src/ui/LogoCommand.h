#pragma once

#include "ui/LogoPicture.h"

#include <QObject>

#include <string>

class QWidget;

namespace tillora {

class CCommands;
class CRegisterCommands;

// The window's logo command: opens the logo manager over the window, on the INI file and the
// register of the settings in force. The picture it holds lives as long as the window, as the
// logo manager's picture outlives each opening.
class CLogoCommand : public QObject {
    Q_OBJECT
public:
    // Binds the command; the logo manager sends through the register commands' transfer sessions.
    CLogoCommand(CCommands& commands, CRegisterCommands& link, QWidget& window);

    void OnSendLogo();

    // The folder whose "EcrLogo" holds the default pictures; the program's own by default.
    void SetDefaultsBase(std::string folder) { m_defaultsBase = std::move(folder); }
    const CLogoPicture& Picture() const { return m_picture; }

private:
    CRegisterCommands& m_link;
    QWidget& m_window;
    CLogoPicture m_picture;
    std::string m_defaultsBase;
};

} // namespace tillora
