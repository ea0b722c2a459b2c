#pragma once

#include "link/RegisterList.h"
#include "link/StopRequest.h"
#include "tables/TableKind.h"
#include "transfer/KnownRegisterState.h"
#include "transfer/RegisterSends.h"

#include <QDialog>

#include <memory>
#include <string>
#include <thread>
#include <vector>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace tillora {

// "Изпращане към няколко каси": the registers of the list to tick, and the current table sent
// whole to all ticked at once, one thread each (SendTableToRegisters). While they run the bar
// follows their records together, each register's line follows its run, and "Стоп" or Esc stops
// them all after the answers in flight; nothing else of the window takes input. Then each
// register's line tells its outcome: confirmed, or the message that stopped it.
class CSendToRegistersDialog : public QDialog {
    Q_OBJECT
public:
    // tableText: the table as its file has it; devices: those behind the COM ports.
    CSendToRegistersDialog(TableKind kind, std::string tableText,
                           std::vector<NamedRegister> registers, PortDevices devices,
                           const CKnownRegisterState& known, QWidget* parent = nullptr);
    ~CSendToRegistersDialog() override;

    QListWidget* RegisterList() const { return m_list; }
    QListWidget* Outcomes() const { return m_outcomes; }
    QProgressBar* Bar() const { return m_bar; }
    QPushButton* SendButton() const { return m_send; }
    QPushButton* StopButton() const { return m_stop; }
    bool IsRunning() const { return m_running; }
    // The outcomes of the last run, in the order of its registers.
    const std::vector<RegisterOutcome>& LastOutcomes() const { return m_lastOutcomes; }

    void OnSend();
    void OnStop() { m_stopRequest.Request(); }

    // Esc stops the run instead of closing the dialog.
    void reject() override;

signals:
    // The run has ended and its outcomes are shown.
    void runEnded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void SetRunning(bool running);
    void RecordSent(std::size_t index, unsigned done, unsigned total);
    void Told(std::size_t index, const std::string& text);
    void Ended(std::vector<RegisterOutcome> outcomes);
    void ShowLine(std::size_t index, const std::string& text);

    TableKind m_kind;
    std::string m_tableText;
    std::vector<NamedRegister> m_registers;
    PortDevices m_devices;
    const CKnownRegisterState& m_known;
    std::vector<NamedRegister> m_runRegisters;             // of the run in progress
    std::vector<std::pair<unsigned, unsigned>> m_progress; // done and total of each
    std::vector<RegisterOutcome> m_lastOutcomes;
    CStopRequest m_stopRequest;
    bool m_running = false;
    std::jthread m_run;

    QLabel* m_table;
    QListWidget* m_list;
    QListWidget* m_outcomes;
    QProgressBar* m_bar;
    QPushButton* m_send;
    QPushButton* m_stop;
    QPushButton* m_close;
};

} // namespace tillora
