#include "ui/StatusPanes.h"

#include "res/StringIds.h"
#include "ui/UiText.h"

#include <QFontMetrics>
#include <QLabel>
#include <QStatusBar>

#include <algorithm>

namespace tillora {
namespace {

constexpr int FocusPaneWidth = 150;

} // namespace

CStatusPanes::CStatusPanes(QStatusBar* bar)
    : QObject(bar), m_message(new QLabel(UiText(ids::StatusIdle), bar)), m_focus(new QLabel(bar)) {
    m_message->setObjectName(QStringLiteral("messagePane"));
    m_focus->setObjectName(QStringLiteral("focusPane"));
    bar->addWidget(m_message, 1);
    // Wide enough for the longest text it shows, so that it does not jump while the focus moves.
    const QString widest =
        UiText(ids::RowColLength).replace(QStringLiteral("%u"), QStringLiteral("2600"));
    m_focus->setMinimumWidth(
        std::max(FocusPaneWidth, m_focus->fontMetrics().horizontalAdvance(widest) + 8));
    bar->addPermanentWidget(m_focus);
}

void CStatusPanes::SetMessage(const QString& text) {
    m_message->setText(text);
}

QString CStatusPanes::Message() const {
    return m_message->text();
}

void CStatusPanes::SetFocusPane(const QString& text) {
    m_focus->setText(text);
}

QString CStatusPanes::FocusPane() const {
    return m_focus->text();
}

} // namespace tillora
