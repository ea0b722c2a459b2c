#pragma once

#include "ui/WindowDrag.h"

#include <QDialog>

class QLabel;

namespace tillora {

// The About box: the program's picture with its version, without caption or border. The left
// button drags it; a double click or a release of the right button closes it, a single click
// does not. Enter, Space and Esc close it from the keyboard.
class CAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit CAboutBox(QWidget* parent = nullptr);

    QLabel* Picture() const { return m_picture; }
    QLabel* Version() const { return m_version; }
    QLabel* CloseHint() const { return m_closeHint; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* m_picture;
    QLabel* m_version;
    QLabel* m_closeHint;
    CWindowDrag m_drag;
};

} // namespace tillora
