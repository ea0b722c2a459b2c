#include "ui/QtFeedback.h"

#include <QKeyEvent>

#include "res/StringIds.h"
#include "ui/StatusPanes.h"
#include "ui/UiText.h"

#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

namespace tillora {
namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// While a box is open over a running operation, the pointer shows that it can be answered: the
// wait cursor set for the operation would otherwise cover the box too.
class CArrowWhileBoxOpen {
public:
    explicit CArrowWhileBoxOpen(bool waiting) : m_waiting(waiting) {
        if (m_waiting) {
            QApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
        }
    }
    ~CArrowWhileBoxOpen() {
        if (m_waiting) {
            QApplication::restoreOverrideCursor();
        }
    }
    CArrowWhileBoxOpen(const CArrowWhileBoxOpen&) = delete;
    CArrowWhileBoxOpen& operator=(const CArrowWhileBoxOpen&) = delete;

private:
    bool m_waiting;
};

} // namespace

CQtFeedback::CQtFeedback(QWidget* window, CStatusPanes* panes)
    : QObject(window), m_window(window), m_panes(panes) {}

CQtFeedback::~CQtFeedback() {
    while (m_waitDepth > 0) {
        EndWaitCursor();
    }
}

void CQtFeedback::ShowMessage(unsigned /*stringId*/, const std::string& text, MessageIcon icon) {
    ShowBox(text, icon, {});
}

void CQtFeedback::ShowMessageWithDetail(unsigned /*stringId*/, const std::string& text,
                                        MessageIcon icon, const std::string& detail) {
    ShowBox(text, icon, detail);
}

void CQtFeedback::ShowBox(const std::string& text, MessageIcon icon, const std::string& detail) {
    // Keys typed while the operation ran must not answer its box.
    if (m_waitDepth > 0) {
        DiscardPendingInput();
    }
    QMessageBox box(BoxIcon(icon), UiText(ids::AppTitle), MessageText(text), QMessageBox::NoButton,
                    m_window);
    box.setInformativeText(MessageText(detail));
    QPushButton* ok = box.addButton(UiText(ids::ButtonOk), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    const CArrowWhileBoxOpen arrow(m_waitDepth > 0);
    box.exec();
}

bool CQtFeedback::AskYesNo(unsigned /*stringId*/, const std::string& text, MessageIcon icon,
                           bool defaultNo) {
    if (m_waitDepth > 0) {
        DiscardPendingInput();
    }
    QMessageBox box(BoxIcon(icon), UiText(ids::AppTitle), MessageText(text), QMessageBox::NoButton,
                    m_window);
    QPushButton* yes = box.addButton(UiText(ids::ButtonYes), QMessageBox::YesRole);
    QPushButton* no = box.addButton(UiText(ids::ButtonNo), QMessageBox::NoRole);
    box.setDefaultButton(defaultNo ? no : yes);
    box.setEscapeButton(no);
    const CArrowWhileBoxOpen arrow(m_waitDepth > 0);
    box.exec();
    return box.clickedButton() == yes;
}

void CQtFeedback::SetStatusText(const std::string& text) {
    if (m_panes != nullptr) {
        m_panes->SetMessage(MessageText(text));
    }
}

void CQtFeedback::BeginWaitCursor() {
    ++m_waitDepth;
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void CQtFeedback::EndWaitCursor() {
    if (m_waitDepth == 0) {
        return;
    }
    // Input that came after the last pump of a transfer is discarded too.
    if (m_waitDepth == 1 && m_pumped) {
        DiscardPendingInput();
        m_pumped = false;
    }
    --m_waitDepth;
    QApplication::restoreOverrideCursor();
}

void CQtFeedback::PumpPaintMessages() {
    m_pumped = true;
    DiscardPendingInput();
}

void CQtFeedback::DiscardPendingInput() {
    if (m_discarding) {
        return;
    }
    m_discarding = true;
    qApp->installEventFilter(this);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    qApp->removeEventFilter(this);
    m_discarding = false;
}

bool CQtFeedback::IsUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}

void CQtFeedback::LetInputThrough(QWidget* control, std::function<void()> onEscape) {
    m_passage = control;
    m_onEscape = std::move(onEscape);
}

bool CQtFeedback::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (m_discarding && m_passage != nullptr && m_passage->isVisible() &&
        (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
         type == QEvent::MouseMove) &&
        (watched == m_passage || m_passage->isAncestorOf(qobject_cast<QWidget*>(watched)))) {
        return QObject::eventFilter(watched, event);
    }
    if (m_discarding && type == QEvent::KeyPress && m_onEscape &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        m_onEscape();
    }
    if (m_discarding && IsUserInput(event->type())) {
        // An ignored close keeps the window open; other input is simply used up.
        event->setAccepted(event->type() != QEvent::Close);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tillora
