#include "ui/SendToRegistersDialog.h"

#include "link/Cp1251.h"
#include "link/Message.h"
#include "link/RegisterInForce.h"
#include "res/StringIds.h"
#include "tables/TableSetup.h"
#include "transfer/TableToRegisters.h"
#include "ui/UiText.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace tillora {
namespace {

QString RegisterText(const NamedRegister& reg) {
    return MessageText(RegisterListLine(reg));
}

QString OutcomeLine(const NamedRegister& reg, const std::string& text) {
    const std::string name = Cp1251ToUtf8(reg.name);
    // One line each: a message's own line ends would break the list's rows.
    QString shown = MessageText(FormatMessage(ids::SeveralOutcome, name.c_str(), text.c_str()));
    return shown.replace(QLatin1Char('\n'), QLatin1Char(' '));
}

} // namespace

CSendToRegistersDialog::CSendToRegistersDialog(TableKind kind, std::string tableText,
                                               std::vector<NamedRegister> registers,
                                               PortDevices devices,
                                               const CKnownRegisterState& known, QWidget* parent)
    : QDialog(parent), m_kind(kind), m_tableText(std::move(tableText)),
      m_registers(std::move(registers)), m_devices(std::move(devices)), m_known(known),
      m_table(new QLabel(this)), m_list(new QListWidget(this)), m_outcomes(new QListWidget(this)),
      m_bar(new QProgressBar(this)), m_send(new QPushButton(UiText(ids::SeveralSend), this)),
      m_stop(new QPushButton(UiText(ids::StopButton), this)),
      m_close(new QPushButton(UiText(ids::RegistersClose), this)) {
    setWindowTitle(UiText(ids::SeveralCaption));
    const std::string table = TabCaption(kind, {});
    m_table->setText(MessageText(FormatMessage(ids::SeveralTable, table.c_str())));
    m_list->setObjectName(QStringLiteral("registersToSend"));
    m_outcomes->setObjectName(QStringLiteral("outcomes"));
    m_outcomes->setAccessibleName(UiText(ids::SeveralOutcomesLabel));
    m_outcomes->setFocusPolicy(Qt::NoFocus);
    m_bar->setObjectName(QStringLiteral("severalProgress"));
    m_bar->setAccessibleName(UiText(ids::TransferProgressName));
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_send->setObjectName(QStringLiteral("sendButton"));
    m_stop->setObjectName(QStringLiteral("stopButton"));
    m_stop->setToolTip(UiText(ids::StopButtonTip));
    m_close->setObjectName(QStringLiteral("closeButton"));
    m_send->setDefault(true);

    for (const NamedRegister& reg : m_registers) {
        auto* item = new QListWidgetItem(RegisterText(reg), m_list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    if (m_registers.empty()) {
        m_outcomes->addItem(UiText(ids::SeveralNoRegisters));
    }

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_bar, 1);
    buttons->addWidget(m_send);
    buttons->addWidget(m_stop);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(LabelFor(ids::SeveralRegistersLabel, m_list));
    layout->addWidget(m_list, 2);
    layout->addWidget(new QLabel(UiText(ids::SeveralOutcomesLabel), this));
    layout->addWidget(m_outcomes, 1);
    layout->addLayout(buttons);
    resize(560, 420);

    connect(m_send, &QPushButton::clicked, this, &CSendToRegistersDialog::OnSend);
    connect(m_stop, &QPushButton::clicked, this, &CSendToRegistersDialog::OnStop);
    connect(m_close, &QPushButton::clicked, this, &CSendToRegistersDialog::accept);
    SetRunning(false);
    m_send->setEnabled(!m_registers.empty());
    m_list->setFocus();
}

// The run ends before the dialog goes: its threads report to it.
CSendToRegistersDialog::~CSendToRegistersDialog() {
    m_stopRequest.Request();
}

void CSendToRegistersDialog::SetRunning(bool running) {
    m_running = running;
    m_list->setEnabled(!running);
    m_send->setEnabled(!running);
    m_close->setEnabled(!running);
    m_stop->setEnabled(running);
    m_stop->setVisible(running);
    if (running) {
        m_stop->setFocus();
    }
}

void CSendToRegistersDialog::OnSend() {
    if (m_running) {
        return;
    }
    m_runRegisters.clear();
    for (int i = 0; i < m_list->count(); ++i) {
        if (m_list->item(i)->checkState() == Qt::Checked) {
            m_runRegisters.push_back(m_registers[static_cast<std::size_t>(i)]);
        }
    }
    m_outcomes->clear();
    if (m_runRegisters.empty()) {
        m_outcomes->addItem(UiText(ids::SeveralNoneTicked));
        return;
    }
    m_progress.assign(m_runRegisters.size(), {0, 0});
    const std::string sending(LoadString(ids::SeveralSending));
    for (std::size_t i = 0; i < m_runRegisters.size(); ++i) {
        m_outcomes->addItem(OutcomeLine(m_runRegisters[i], sending));
    }
    m_bar->setValue(0);
    m_stopRequest.Reset();
    SetRunning(true);

    // The threads only read what the send holds and post what they tell to this dialog's
    // thread, where the widgets are.
    TableToRegisters send{m_kind, m_tableText, m_devices, &m_known, &m_stopRequest, {}, {}};
    send.recordSent = [this](std::size_t index, unsigned done, unsigned total) {
        QMetaObject::invokeMethod(
            this, [this, index, done, total] { RecordSent(index, done, total); },
            Qt::QueuedConnection);
    };
    send.told = [this](std::size_t index, const std::string& text) {
        QMetaObject::invokeMethod(
            this, [this, index, text] { Told(index, text); }, Qt::QueuedConnection);
    };
    m_run = std::jthread([this, send = std::move(send), registers = m_runRegisters] {
        std::vector<RegisterOutcome> outcomes = SendTableToRegisters(registers, send);
        QMetaObject::invokeMethod(
            this, [this, outcomes = std::move(outcomes)] { Ended(outcomes); },
            Qt::QueuedConnection);
    });
}

void CSendToRegistersDialog::RecordSent(std::size_t index, unsigned done, unsigned total) {
    if (!m_running || index >= m_progress.size()) {
        return;
    }
    m_progress[index] = {done, total};
    unsigned long long allDone = 0;
    unsigned long long allTotal = 0;
    for (const auto& [registerDone, registerTotal] : m_progress) {
        allDone += registerDone;
        allTotal += registerTotal;
    }
    if (allTotal > 0) {
        m_bar->setValue(static_cast<int>(allDone * 100 / allTotal));
    }
}

void CSendToRegistersDialog::Told(std::size_t index, const std::string& text) {
    if (m_running && index < m_runRegisters.size()) {
        ShowLine(index, text);
    }
}

void CSendToRegistersDialog::ShowLine(std::size_t index, const std::string& text) {
    if (QListWidgetItem* item = m_outcomes->item(static_cast<int>(index))) {
        item->setText(OutcomeLine(m_runRegisters[index], text));
    }
}

void CSendToRegistersDialog::Ended(std::vector<RegisterOutcome> outcomes) {
    m_run.join();
    unsigned confirmed = 0;
    for (std::size_t i = 0; i < outcomes.size() && i < m_runRegisters.size(); ++i) {
        const RegisterOutcome& outcome = outcomes[i];
        confirmed += outcome.confirmed ? 1 : 0;
        const unsigned id = outcome.confirmed ? ids::SeveralConfirmed : ids::SeveralRefused;
        ShowLine(i, FormatMessage(id, outcome.text.c_str()));
    }
    m_outcomes->addItem(MessageText(
        FormatMessage(ids::SeveralDone, confirmed, static_cast<unsigned>(outcomes.size()))));
    m_bar->setValue(confirmed == outcomes.size() ? 100 : m_bar->value());
    m_lastOutcomes = std::move(outcomes);
    SetRunning(false);
    m_close->setFocus();
    emit runEnded();
}

void CSendToRegistersDialog::reject() {
    if (m_running) {
        OnStop();
        return;
    }
    QDialog::reject();
}

void CSendToRegistersDialog::closeEvent(QCloseEvent* event) {
    if (m_running) {
        OnStop();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace tillora
