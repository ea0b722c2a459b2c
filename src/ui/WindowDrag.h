#pragma once

#include <QPoint>

#include <optional>

class QMouseEvent;
class QWidget;

namespace tillora {

// Moves a window that has no caption while the left button is held on it, as its caption would.
// The window system does the moving where it can; elsewhere the window follows the mouse.
class CWindowDrag {
public:
    void Press(QWidget& window, const QMouseEvent& event);
    void Move(QWidget& window, const QMouseEvent& event);
    void Release() { m_grab.reset(); }

private:
    std::optional<QPoint> m_grab; // the pressed point, from the window's top-left corner
};

} // namespace tillora
