#pragma once

#include "link/Clock.h"
#include "link/Feedback.h"
#include "link/LineOpener.h"
#include "link/ScratchFolder.h"
#include "transfer/KnownRegisterState.h"
#include "transfer/TransferSession.h"

#include <QObject>

class QMainWindow;

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace tillora {

namespace sim {
class CSimRegister;
}

class CCommands;
class CKassivoView;
class CQtFeedback;
class EcrIniFile;
struct NamedRegister;
class CTransferProgress;

// How the window reaches the register, as the command line gives it.
struct RegisterConnection {
    // The INI file that names the device behind each COM port and the quiet gap between frames,
    // and takes the devices chosen in the settings dialog; empty: the program's own.
    std::string iniFile;
    // The simulated register in this process instead of a port.
    bool demo = false;
    // Every byte on the line written to this file; empty: none.
    std::string traceFile;
};

// The window's commands that talk to the register: the settings dialog, send all, send the
// selected cells and read the report, with their enable rules. Each transfer runs on the
// settings in force, on the devices and gap that the INI file gives at that moment, with its
// progress in the status bar.
class CRegisterCommands : public QObject {
    Q_OBJECT
signals:
    // A transfer or the settings may have changed what the register of the settings in force is
    // known to hold.
    void knownStateChanged();
    // Other settings are in force, or the INI file connected to changed: the title and the
    // register chooser follow.
    void settingsInForceChanged();

public:
    // Binds the commands; the transfer progress goes into the window's status bar, and the
    // feedback lets its stop button through while a transfer holds the input.
    CRegisterCommands(CCommands& commands, CKassivoView& view, CQtFeedback& feedback,
                      QMainWindow& window);
    ~CRegisterCommands() override;

    // Before the window is used. Demo mode starts the simulated register and makes the settings
    // in force describe it.
    void Connect(const RegisterConnection& connection);
    const RegisterConnection& Connection() const { return m_connection; }
    // The INI file in use.
    std::string IniFile() const;
    // The register of demo mode; null otherwise.
    sim::CSimRegister* DemoRegister() const { return m_demoRegister.get(); }
    // Whether the settings dialog was closed with OK since the start.
    bool SettingsAccepted() const { return m_settingsAccepted; }
    CTransferProgress& Progress() const { return *m_progress; }

    // The settings in force: loaded at start, saved at exit. The reference stays valid and always
    // shows the settings in force, for those that read them later.
    const EcrSettings& SettingsInForce() const;
    // The one way the window changes them (the settings dialog, the toolbar's register chooser):
    // the company lines' columns, the title and the known state follow.
    void PutInForce(const EcrSettings& settings);

    void OnRegisterSettings();
    void OnSendAll();
    void OnSendSelected();
    void OnSendChanges();
    void OnReadReport();

    // What each register is known to hold (demo mode: the demo register, for as long as it runs).
    const CKnownRegisterState& KnownState() const { return m_knownState; }

    // The information query on the port of the settings in force (the settings dialog's button).
    std::optional<std::string> QueryInfo(IFeedback& feedback);
    // The line a command opens now: the COM index in force, its device from the INI file, or the
    // demo register; with the trace when one is asked for.
    LineChoice LineInForce() const;
    // The one way a transfer session is made, for the table commands and the logo alike: the line
    // in force, the window's clock, the settings in force and the INI file's quiet gap.
    void RunSession(IFeedback& feedback, const std::function<void(TransferSession&)>& work);

private:
    void BindCommands(CCommands& commands);
    void ShowSettingsInForce();
    LineChoice LineFrom(const NamedRegister& inForce, const EcrIniFile& ini) const;
    // Runs a transfer with the session of the settings in force; counted: a send, whose records
    // the progress bar counts.
    void Transfer(bool counted, const std::function<void(TransferSession&)>& work);

    CKassivoView& m_view;
    CQtFeedback& m_feedback;
    QMainWindow& m_window;
    RegisterConnection m_connection;
    CSteadyClock m_clock;
    std::shared_ptr<sim::CSimRegister> m_demoRegister;
    std::function<std::unique_ptr<ISerialLine>()> m_demoLine;
    CTransferProgress* m_progress;
    bool m_settingsAccepted = false;
    std::unique_ptr<CScratchFolder> m_demoState;
    CKnownRegisterState m_knownState{KnownStateFolder()};
};

} // namespace tillora
