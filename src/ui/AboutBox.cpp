#include "ui/AboutBox.h"

#include "link/Message.h"
#include "res/StringIds.h"
#include "ui/Commands.h"
#include "ui/Pictures.h"
#include "ui/UiText.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>

namespace tillora {
namespace {

// The band at the foot of the picture that is kept free for the texts.
constexpr int BandHeight = 34;
constexpr int Margin = 14;

QLabel* BandText(QWidget* picture, const QString& text, Qt::Alignment alignment) {
    auto* label = new QLabel(text, picture);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->setStyleSheet(QStringLiteral("color: #cfe3f5; background: transparent;"));
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setGeometry(Margin, picture->height() - BandHeight, picture->width() - 2 * Margin,
                       BandHeight);
    return label;
}

} // namespace

CAboutBox::CAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_picture(new QLabel(this)) {
    setWindowTitle(CCommands::ToolTip(cmd::AppAbout));
    const QPixmap picture = AboutPicture();
    m_picture->setPixmap(picture);
    m_picture->setAccessibleName(windowTitle());
    m_picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_picture->setFixedSize(picture.deviceIndependentSize().toSize());
    setFixedSize(m_picture->size());

    m_version = BandText(m_picture, MessageText(FormatMessage(ids::AboutVersion, TILLORA_VERSION)),
                         Qt::AlignLeft);
    m_closeHint = BandText(m_picture, UiText(ids::AboutCloseHint), Qt::AlignRight);
    QFont small = m_closeHint->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    m_closeHint->setFont(small);
}

void CAboutBox::mousePressEvent(QMouseEvent* event) {
    m_drag.Press(*this, *event);
}

void CAboutBox::mouseMoveEvent(QMouseEvent* event) {
    m_drag.Move(*this, *event);
}

void CAboutBox::mouseReleaseEvent(QMouseEvent* event) {
    m_drag.Release();
    if (event->button() == Qt::RightButton) {
        accept();
    }
}

void CAboutBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        accept();
    }
}

void CAboutBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

} // namespace tillora
