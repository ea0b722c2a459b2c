#pragma once

#include <QPoint>

#include <optional>

class QMouseEvent;
class QWidget;

namespace tillora {

// Moves a window that has no caption while the left button is held on it, as its caption would.
// The window follows the mouse (on Wayland the window system moves it). The move starts only once
// the mouse has gone the drag distance, so that clicks and double clicks stay clicks.
class CWindowDrag {
public:
    void Press(QWidget& window, const QMouseEvent& event);
    void Move(QWidget& window, const QMouseEvent& event);
    void Release() {
        m_grab.reset();
        m_moving = false;
    }

private:
    std::optional<QPoint> m_grab; // the pressed point, from the window's top-left corner
    QPoint m_pressedAt;           // on the screen
    bool m_moving = false;
};

} // namespace tillora
