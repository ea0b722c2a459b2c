#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <vector>

namespace tillora::test {

// Answers the modal windows that a command opens, as a person would: one step for each window, in
// order. A step waits until a window of its kind is the active modal one and then acts on it; it
// acts from the event loop, so a window its action opens in turn is answered by the next step.
// Whatever is still open when the time is up is closed, so that a test that went wrong ends.
class ModalSteps {
public:
    explicit ModalSteps(int timeoutMs = 10000) : m_timeoutMs(timeoutMs) {
        m_clock.start();
        m_poll.setInterval(5);
        QObject::connect(&m_poll, &QTimer::timeout, [this] { Poll(); });
        m_poll.start();
    }
    ModalSteps(const ModalSteps&) = delete;
    ModalSteps& operator=(const ModalSteps&) = delete;

    template <typename Window> ModalSteps& Then(std::function<void(Window*)> act) {
        m_steps.push_back([act = std::move(act)](QWidget* widget) -> std::function<void()> {
            auto* window = qobject_cast<Window*>(widget);
            if (window == nullptr) {
                return {};
            }
            return [act, alive = QPointer<Window>(window)] {
                if (alive != nullptr) {
                    act(alive);
                }
            };
        });
        return *this;
    }

    // Every step has found its window.
    bool Done() const { return m_next == m_steps.size(); }
    bool TimedOut() const { return m_timedOut; }

private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (m_clock.elapsed() > m_timeoutMs) {
            m_timedOut = true;
            if (modal != nullptr) {
                modal->close();
            }
            return;
        }
        if (modal == nullptr || m_next >= m_steps.size() || !modal->isVisible()) {
            return;
        }
        if (m_pending) {
            return;
        }
        if (std::function<void()> action = m_steps[m_next](modal)) {
            ++m_next;
            m_pending = true;
            QTimer::singleShot(0, &m_poll, [this, action] {
                m_pending = false;
                action();
            });
        }
    }

    int m_timeoutMs;
    QElapsedTimer m_clock;
    QTimer m_poll;
    std::vector<std::function<std::function<void()>(QWidget*)>> m_steps;
    std::size_t m_next = 0;
    bool m_timedOut = false;
    bool m_pending = false;
};

// What a message box showed, read while it was open.
struct BoxSeen {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString text;
};

// A step that reads the box and presses its default button.
inline std::function<void(QMessageBox*)> ReadAndClose(std::vector<BoxSeen>& seen) {
    return [&seen](QMessageBox* box) {
        seen.push_back({box->icon(), box->text()});
        box->defaultButton()->click();
    };
}

// Types the text into the widget key by key, letters beyond Latin-1 included (QTest::keyClicks
// takes Latin-1 only).
inline void TypeText(QWidget* widget, const QString& text) {
    for (const QChar character : text) {
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(character),
                            Qt::NoModifier);
    }
}

} // namespace tillora::test
