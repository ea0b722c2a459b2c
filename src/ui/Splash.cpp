#include "ui/Splash.h"

#include "ui/Pictures.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace tillora {
namespace {

// How long start-up waits for the window system to show the splash: it must never hold the
// program up, even where the splash cannot be shown at all.
constexpr int PaintWaitMs = 2000;

} // namespace

CSplash::CSplash() : CSplash(SplashPicture()) {}

CSplash::CSplash(QPixmap picture)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint), m_picture(std::move(picture)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::WaitCursor);
    setFixedSize(m_picture.deviceIndependentSize().toSize());
    setWindowTitle(QGuiApplication::applicationDisplayName());
}

void CSplash::ShowAndPaint() {
    if (m_picture.isNull()) {
        return;
    }
    CentreOnScreen();
    show();
    raise();
    if (m_painted) {
        return;
    }
    // Start-up is about to keep the event loop busy, so the splash is painted now; the user's
    // input waits until the window is there to take it.
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    limit.start(PaintWaitMs);
    m_paintWait = &loop;
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    m_paintWait = nullptr;
}

void CSplash::CloseAfterPainting(QWidget& window) {
    m_window = &window;
    window.installEventFilter(this);
}

void CSplash::Finish() {
    if (m_window) {
        m_window->removeEventFilter(this);
    }
    m_closeAllowed = true;
    close();
}

// The splash goes once the window's first paint is through, so that it never leaves an empty
// screen behind; a window shown minimised paints nothing and ends the splash at once.
bool CSplash::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window && (event->type() == QEvent::Paint ||
                                (event->type() == QEvent::Show && m_window->isMinimized()))) {
        QMetaObject::invokeMethod(this, "Finish", Qt::QueuedConnection);
    }
    return QWidget::eventFilter(watched, event);
}

void CSplash::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
    m_painted = true;
    if (m_paintWait != nullptr) {
        m_paintWait->quit();
    }
}

void CSplash::closeEvent(QCloseEvent* event) {
    if (!m_closeAllowed) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void CSplash::mousePressEvent(QMouseEvent* event) {
    m_drag.Press(*this, *event);
}

void CSplash::mouseMoveEvent(QMouseEvent* event) {
    m_drag.Move(*this, *event);
}

void CSplash::mouseReleaseEvent(QMouseEvent* /*event*/) {
    m_drag.Release();
}

void CSplash::CentreOnScreen() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->geometry().center() - rect().center());
    }
}

} // namespace tillora
