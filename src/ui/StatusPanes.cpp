#include "ui/StatusPanes.h"

#include "grid/QtText.h"
#include "res/StringIds.h"
#include "tables/StatusTexts.h"
#include "ui/UiText.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QStatusBar>

#include <algorithm>

namespace tillora {
namespace {

constexpr int FocusPaneWidth = 150;
constexpr int MessageMargin = 2;

} // namespace

CMessagePane::CMessagePane(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void CMessagePane::SetText(const QString& text) {
    if (text == m_text) {
        return;
    }
    m_text = text;
    setAccessibleName(text);
    update();
}

QSize CMessagePane::sizeHint() const {
    return {fontMetrics().averageCharWidth() * 40, fontMetrics().height()};
}

QSize CMessagePane::minimumSizeHint() const {
    return {0, fontMetrics().height()};
}

void CMessagePane::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QRect area = contentsRect().adjusted(MessageMargin, 0, -MessageMargin, 0);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(m_text, Qt::ElideRight, area.width()));
}

CStatusPanes::CStatusPanes(QStatusBar* bar)
    : QObject(bar), m_message(new CMessagePane(bar)), m_focus(new QLabel(bar)) {
    m_message->SetText(UiText(ids::StatusIdle));
    m_message->setObjectName(QStringLiteral("messagePane"));
    m_focus->setObjectName(QStringLiteral("focusPane"));
    bar->addWidget(m_message, 1);
    // Wide enough for the longest text it shows, so that it does not jump while the focus moves.
    const QString widest = FromUtf8(WidestFocusPaneText());
    m_focus->setMinimumWidth(
        std::max(FocusPaneWidth, m_focus->fontMetrics().horizontalAdvance(widest) + 8));
    bar->addPermanentWidget(m_focus);
}

void CStatusPanes::SetMessage(const QString& text) {
    m_message->SetText(text);
}

QString CStatusPanes::Message() const {
    return m_message->Text();
}

void CStatusPanes::SetFocusPane(const QString& text) {
    m_focus->setText(text);
}

QString CStatusPanes::FocusPane() const {
    return m_focus->text();
}

} // namespace tillora
