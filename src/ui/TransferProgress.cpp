#include "ui/TransferProgress.h"

#include "link/Message.h"
#include "res/StringIds.h"
#include "ui/UiText.h"

#include <QProgressBar>
#include <QStatusBar>
#include <QToolButton>

#include <chrono>

namespace tillora {
namespace {

constexpr int BarWidth = 220;
// The bar follows the records at most this often (and always to their end): twice a second looks
// as smooth, and a bar drawn for every record of a short send costs more than the record.
constexpr std::uint64_t BarIntervalMs = 500;

std::uint64_t NowMs() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

} // namespace

CTransferProgress::CTransferProgress(QStatusBar* bar)
    : QObject(bar), m_bar(new QProgressBar(bar)), m_stopButton(new QToolButton(bar)) {
    m_bar->setObjectName(QStringLiteral("transferProgress"));
    m_bar->setAccessibleName(UiText(ids::TransferProgressName));
    m_bar->setFixedWidth(BarWidth);
    m_bar->setTextVisible(true);
    bar->addWidget(m_bar);
    m_bar->hide();
    m_stopButton->setObjectName(QStringLiteral("transferStop"));
    m_stopButton->setText(UiText(ids::StopButton));
    m_stopButton->setToolTip(UiText(ids::StopButtonTip));
    m_stopButton->setFocusPolicy(Qt::NoFocus);
    bar->addWidget(m_stopButton);
    m_stopButton->hide();
    connect(m_stopButton, &QToolButton::clicked, this, [this] { RequestStop(); });
}

void CTransferProgress::Begin(bool counted) {
    m_estimate.Start(NowMs());
    m_shownMs = 0;
    if (counted) {
        m_bar->setRange(0, 100);
        m_bar->setValue(0);
        m_bar->setFormat(QStringLiteral("%p%"));
    } else {
        m_bar->setRange(0, 0); // moves without a share
    }
    m_bar->show();
    m_stopButton->show();
}

void CTransferProgress::Show(unsigned done, unsigned total) {
    const std::uint64_t now = NowMs();
    m_estimate.Update(done, total, now);
    if (now - m_shownMs < BarIntervalMs && done < total) {
        return;
    }
    m_shownMs = now;
    QString format = QStringLiteral("%p%");
    if (const auto seconds = m_estimate.SecondsLeft()) {
        const std::string left = MinutesAndSeconds(*seconds);
        format +=
            QStringLiteral("   ") + MessageText(FormatMessage(ids::ProgressTimeLeft, left.c_str()));
    }
    m_bar->setFormat(format);
    m_bar->setValue(static_cast<int>(m_estimate.Percent()));
}

void CTransferProgress::End() {
    m_stopButton->hide();
    m_bar->hide();
    m_bar->reset();
}

CTransferProgress::CRun::CRun(CTransferProgress& progress, IFeedback& window, bool counted)
    : m_progress(progress), m_window(window), m_counted(counted) {
    m_progress.m_stop.Reset();
}

CTransferProgress::CRun::~CRun() {
    if (m_shown) {
        m_progress.End();
    }
}

void CTransferProgress::CRun::RecordSent(unsigned done, unsigned total) {
    if (m_shown && m_counted) {
        m_progress.Show(done, total);
    }
}

void CTransferProgress::CRun::ShowMessage(unsigned stringId, const std::string& text,
                                          MessageIcon icon) {
    m_window.ShowMessage(stringId, text, icon);
}

void CTransferProgress::CRun::ShowMessageWithDetail(unsigned stringId, const std::string& text,
                                                    MessageIcon icon, const std::string& detail) {
    m_window.ShowMessageWithDetail(stringId, text, icon, detail);
}

bool CTransferProgress::CRun::AskYesNo(unsigned stringId, const std::string& text, MessageIcon icon,
                                       bool defaultNo) {
    return m_window.AskYesNo(stringId, text, icon, defaultNo);
}

// Only the records' texts come through here; a check's failure or a refused port shows a box.
void CTransferProgress::CRun::SetStatusText(const std::string& text) {
    if (!m_shown) {
        m_shown = true;
        m_progress.Begin(m_counted);
    }
    m_window.SetStatusText(text);
}

void CTransferProgress::CRun::BeginWaitCursor() {
    m_window.BeginWaitCursor();
}

void CTransferProgress::CRun::EndWaitCursor() {
    m_window.EndWaitCursor();
}

void CTransferProgress::CRun::PumpPaintMessages() {
    m_window.PumpPaintMessages();
}

} // namespace tillora
