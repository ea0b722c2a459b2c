#include "ui/RegisterCommands.h"

#include "link/EcrInfo.h"
#include "link/EcrIniFile.h"
#include "link/EcrSettings.h"
#include "link/IniLocation.h"
#include "link/Message.h"
#include "link/PortSettings.h"
#include "link/RegisterInForce.h"
#include "link/SerialDevices.h"
#include "res/StringIds.h"
#include "sim/DemoRegister.h"
#include "tables/TableSetup.h"
#include "transfer/KnownStateSends.h"
#include "transfer/RegisterSends.h"
#include "transfer/ReportReader.h"
#include "transfer/SendCommands.h"
#include "ui/Commands.h"
#include "ui/KassivoView.h"
#include "ui/QtFeedback.h"
#include "ui/SettingsDialog.h"
#include "ui/TableGrid.h"
#include "ui/TransferProgress.h"

#include <QMainWindow>
#include <QStatusBar>
#include <QToolButton>

namespace tillora {

CRegisterCommands::CRegisterCommands(CCommands& commands, CKassivoView& view, CQtFeedback& feedback,
                                     QMainWindow& window)
    : QObject(&window), m_view(view), m_feedback(feedback), m_window(window),
      m_progress(new CTransferProgress(window.statusBar())) {
    BindCommands(commands);
    CTransferProgress* progress = m_progress;
    feedback.LetInputThrough(progress->StopButton(), [progress] { progress->RequestStop(); });
}

CRegisterCommands::~CRegisterCommands() = default;

void CRegisterCommands::BindCommands(CCommands& commands) {
    commands.Bind(cmd::RegisterSettings, [this] { OnRegisterSettings(); });
    commands.Bind(cmd::SendAll, [this] { OnSendAll(); });
    commands.Bind(cmd::SendSelected, [this] { OnSendSelected(); });
    commands.Bind(cmd::SendChanges, [this] { OnSendChanges(); });
    commands.Bind(cmd::ReadReport, [this] { OnReadReport(); });
    const CKassivoView& view = m_view;
    commands.BindEnable(cmd::SendAll, [&view] { return CanSendAll(view.CurrentTable()); });
    commands.BindEnable(cmd::SendSelected, [&view] {
        return CanSendSelected(view.CurrentTable(), view.CurrentGrid());
    });
    commands.BindEnable(cmd::SendChanges, [&view] { return CanSendChanges(view.CurrentTable()); });
}

void CRegisterCommands::Connect(const RegisterConnection& connection) {
    m_connection = connection;
    m_demoRegister.reset();
    m_demoLine = nullptr;
    m_demoState.reset();
    m_knownState = CKnownRegisterState(KnownStateFolder());
    if (!connection.demo) {
        emit settingsInForceChanged(); // the register chooser reads the file connected to
        emit knownStateChanged();
        return;
    }
    LineChoice line;
    EcrSettings settings = SettingsInForce();
    m_demoRegister = sim::StartDemoRegister(settings, line, m_clock);
    m_demoLine = line.demoLine;
    // The demo register starts empty: what it holds is known for as long as it runs, and never
    // beside the real registers' states.
    m_demoState = std::make_unique<CScratchFolder>();
    m_knownState = CKnownRegisterState(m_demoState->Path() / "registers");
    PutInForce(settings); // the demo register's model and serial stand in for missing ones
}

// The company lines' flag column and the title follow the model and serial in force.
void CRegisterCommands::ShowSettingsInForce() {
    ApplyModelColumns(m_view.Document().Grid(TableKind::Company), SettingsInForce().EcrType);
    emit settingsInForceChanged();
}

const EcrSettings& CRegisterCommands::SettingsInForce() const {
    return ConnectionSettings();
}

// The tables' own rules (the tax groups a model takes) read the same settings in force.
void CRegisterCommands::PutInForce(const EcrSettings& settings) {
    ConnectionSettings() = settings;
    ShowSettingsInForce();
    emit knownStateChanged();
}

std::string CRegisterCommands::IniFile() const {
    return IniFileInUse(m_connection.iniFile);
}

LineChoice CRegisterCommands::LineInForce() const {
    const EcrIniFile ini(IniFile());
    return LineFrom(RegisterInForce(ini, SettingsInForce()), ini);
}

LineChoice CRegisterCommands::LineFrom(const NamedRegister& inForce, const EcrIniFile& ini) const {
    LineChoice line = LineOfRegister(inForce, LoadPortDevices(ini));
    line.demoLine = m_demoLine;
    line.traceFile = m_connection.traceFile;
    return line;
}

void CRegisterCommands::RunSession(IFeedback& feedback,
                                   const std::function<void(TransferSession&)>& work) {
    const EcrIniFile ini(IniFile());
    const NamedRegister inForce = RegisterInForce(ini, SettingsInForce());
    TransferSession session{LineFrom(inForce, ini), m_clock, feedback, inForce.settings,
                            inForce.frameGapMs,     {}};
    work(session);
}

void CRegisterCommands::Transfer(bool counted, const std::function<void(TransferSession&)>& work) {
    CTransferProgress::CRun run(*m_progress, m_feedback, counted);
    RunSession(run, [&](TransferSession& session) {
        session.recordSent = [&run](unsigned done, unsigned total) { run.RecordSent(done, total); };
        session.stop = m_progress->Stop();
        work(session);
    });
    emit knownStateChanged();
}

void CRegisterCommands::OnSendAll() {
    CKassivoView& view = m_view;
    const TableKind kind = view.CurrentTable();
    if (!CanSendAll(kind)) {
        return; // a key reaches here only while the command is enabled, but the rule holds anyway
    }
    Transfer(true, [&](TransferSession& session) {
        OnSendAllKeepingState(kind, view.CurrentGrid(), session, m_knownState);
    });
}

void CRegisterCommands::OnSendSelected() {
    CKassivoView& view = m_view;
    const TableKind kind = view.CurrentTable();
    if (!CanSendSelected(kind, view.CurrentGrid())) {
        return;
    }
    Transfer(true, [&](TransferSession& session) {
        OnSendSelectedKeepingState(kind, view.CurrentGrid(), session, m_knownState);
    });
}

void CRegisterCommands::OnSendChanges() {
    CKassivoView& view = m_view;
    const TableKind kind = view.CurrentTable();
    if (!CanSendChanges(kind)) {
        return;
    }
    Transfer(true, [&](TransferSession& session) {
        tillora::OnSendChanges(kind, view.CurrentGrid(), session, m_knownState);
    });
}

// The article report is in front while the report comes in, and the subgroup report once it is
// complete; incomplete settings leave the tab alone.
void CRegisterCommands::OnReadReport() {
    if (!ValidateEcrSettings(SettingsInForce(), &m_feedback)) {
        return;
    }
    CKassivoView& view = m_view;
    view.SetCurtab(TableIndex(TableKind::Report));
    ReportOutcome outcome = ReportOutcome::NotStarted;
    Transfer(false, [&](TransferSession& session) {
        outcome =
            OnReadReportKeepingState(view.Grid(TableKind::Report),
                                     view.Grid(TableKind::SubgroupReport), session, m_knownState);
    });
    if (outcome != ReportOutcome::NotStarted) {
        view.SetCurtab(TableIndex(TabAfterReport(outcome)));
    }
}

std::optional<std::string> CRegisterCommands::QueryInfo(IFeedback& feedback) {
    return QueryEcrInfo(LineInForce(), m_clock, feedback);
}

void CRegisterCommands::OnRegisterSettings() {
    EcrIniFile ini(IniFile());
    CSettingsDialog dialog(SettingsInForce(), LoadPortDevices(ini), PresentSerialDevices(),
                           &m_window);
    dialog.SetInfoQuery([this](IFeedback& feedback) { return QueryInfo(feedback); });
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    m_settingsAccepted = true;
    if (!SavePortDevices(ini, dialog.Devices()) || !ChooseComPort(ini)) {
        ShowError(m_feedback, ids::SettingsNotWritten, ini.GetPath().c_str());
    }
    PutInForce(dialog.Settings()); // another register, or another model
}

} // namespace tillora
