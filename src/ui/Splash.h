#pragma once

#include "ui/WindowDrag.h"

#include <QPixmap>
#include <QPointer>
#include <QWidget>

class QEventLoop;

namespace tillora {

// The picture shown while the program starts: frameless, centred on the screen, with the busy
// cursor. It stays until the main window has been shown and painted and refuses to be closed
// before that; the left button drags it.
class CSplash : public QWidget {
    Q_OBJECT
public:
    // The program's own picture.
    CSplash();
    explicit CSplash(QPixmap picture);

    // Shows the splash and returns once it has been painted, so that it is on the screen while
    // the slow start-up work runs. A picture that did not load shows nothing.
    void ShowAndPaint();
    // Closes the splash as soon as the window has been painted.
    void CloseAfterPainting(QWidget& window);

    // Closes the splash now.
    Q_INVOKABLE void Finish();

    bool CloseAllowed() const { return m_closeAllowed; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void CentreOnScreen();

    QPixmap m_picture;
    CWindowDrag m_drag;
    QPointer<QWidget> m_window; // the main window whose first paint ends the splash
    QEventLoop* m_paintWait = nullptr;
    bool m_painted = false;
    bool m_closeAllowed = false;
};

} // namespace tillora
