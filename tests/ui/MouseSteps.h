#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace tillora::test {

// Sends one mouse event to a window at a point of the window, as the window system would.
inline void SendMouse(QWidget& window, QEvent::Type type, QPoint at, Qt::MouseButton button,
                      Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), QPointF(window.mapToGlobal(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(&window, &event);
}

// Presses button at from, moves the mouse by offset with it held, and lets go.
inline void Drag(QWidget& window, Qt::MouseButton button, QPoint from, QPoint offset) {
    const QPoint globalFrom = window.mapToGlobal(from);
    SendMouse(window, QEvent::MouseButtonPress, from, button, button);
    // The window may have moved under the mouse, so the point is taken from the screen.
    SendMouse(window, QEvent::MouseMove, window.mapFromGlobal(globalFrom + offset), Qt::NoButton,
              button);
    SendMouse(window, QEvent::MouseButtonRelease, window.mapFromGlobal(globalFrom + offset), button,
              Qt::NoButton);
}

} // namespace tillora::test
