#pragma once

#include <QObject>

#include <functional>
#include <string>

class QWidget;

namespace tillora {

class CCommands;
class CKassivoView;
class CKnownRegisterState;
struct EcrSettings;

// The Register menu's commands on the register list: "Каси..." (the list dialog) and
// "Изпращане към няколко каси..." (the current table to the registers ticked, enabled where send
// all is).
class CRegisterListCommands : public QObject {
    Q_OBJECT
signals:
    // The list may have changed.
    void listChanged();
    // A send may have changed what registers are known to hold.
    void knownStateChanged();

public:
    // iniFile: the INI file in use at the moment it is asked; inForce: the settings in force,
    // which a register added to the list starts from.
    CRegisterListCommands(CCommands& commands, CKassivoView& view, const CKnownRegisterState& known,
                          std::function<std::string()> iniFile, const EcrSettings& inForce,
                          QWidget& window);

    void OnRegisterList();
    void OnSendToRegisters();

private:
    CKassivoView& m_view;
    const CKnownRegisterState& m_known;
    std::function<std::string()> m_iniFile;
    const EcrSettings& m_inForce;
    QWidget& m_window;
};

} // namespace tillora
