#include "ui/WindowDrag.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace tillora {

void CWindowDrag::Press(QWidget& window, const QMouseEvent& event) {
    m_grab.reset();
    if (event.button() != Qt::LeftButton) {
        return;
    }
    QWindow* handle = window.windowHandle();
    if (handle != nullptr && handle->startSystemMove()) {
        return;
    }
    m_grab = event.globalPosition().toPoint() - window.pos();
}

void CWindowDrag::Move(QWidget& window, const QMouseEvent& event) {
    if (m_grab && (event.buttons() & Qt::LeftButton) != 0) {
        window.move(event.globalPosition().toPoint() - *m_grab);
    }
}

} // namespace tillora
