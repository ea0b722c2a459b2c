#pragma once

#include <QObject>

#include <functional>
#include <string>

class QWidget;

namespace tillora {

class CCommands;
class CKassivoView;
class CKnownRegisterState;

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
    // iniFile: the INI file in use at the moment it is asked.
    CRegisterListCommands(CCommands& commands, CKassivoView& view, const CKnownRegisterState& known,
                          std::function<std::string()> iniFile, QWidget& window);

    void OnRegisterList();
    void OnSendToRegisters();

private:
    CKassivoView& m_view;
    const CKnownRegisterState& m_known;
    std::function<std::string()> m_iniFile;
    QWidget& m_window;
};

} // namespace tillora
