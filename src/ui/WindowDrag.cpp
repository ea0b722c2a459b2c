#include "ui/WindowDrag.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace tillora {

void CWindowDrag::Press(QWidget& window, const QMouseEvent& event) {
    Release();
    if (event.button() != Qt::LeftButton) {
        return;
    }
    m_pressedAt = event.globalPosition().toPoint();
    m_grab = m_pressedAt - window.pos();
}

void CWindowDrag::Move(QWidget& window, const QMouseEvent& event) {
    if (!m_grab || (event.buttons() & Qt::LeftButton) == 0) {
        return;
    }
    const QPoint at = event.globalPosition().toPoint();
    if (!m_moving) {
        if ((at - m_pressedAt).manhattanLength() < QApplication::startDragDistance()) {
            return;
        }
        m_moving = true;
        // Only where a window cannot place itself (Wayland) is the move handed to the window
        // system: on X11 the move it runs leaves the window's later clicks to the manager.
        QWindow* handle = window.windowHandle();
        if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")) &&
            handle != nullptr && handle->startSystemMove()) {
            m_grab.reset();
            return;
        }
    }
    window.move(at - *m_grab);
}

} // namespace tillora
