#pragma once

#include "support/TempFolder.h"
#include "ui/MainFrame.h"
#include "ui/RegisterCommands.h"

#include "link/EcrSettings.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace tillora::test {

// A message box as the user saw it.
struct SeenBox {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString text;
    QString informative;
};

// Watches for modal windows while it lives, as a user at the screen would: every message box is
// read and answered with its default button (No where that is the default), and the first modal
// window of another kind is handed to the action given for it, once. It acts from the event loop,
// so it sees the boxes of a transfer that keeps the window painted and of a dialog's own loop.
class ModalWatch {
public:
    ModalWatch() {
        m_poll.setInterval(5);
        QObject::connect(&m_poll, &QTimer::timeout, [this] { Poll(); });
        m_poll.start();
    }
    ModalWatch(const ModalWatch&) = delete;
    ModalWatch& operator=(const ModalWatch&) = delete;

    // The next modal window that is not a message box goes to act.
    void OnDialog(std::function<void(QWidget*)> act) { m_dialogAction = std::move(act); }

    const std::vector<SeenBox>& Boxes() const { return m_boxes; }
    QStringList Texts() const {
        QStringList texts;
        for (const SeenBox& box : m_boxes) {
            texts.append(box.text);
        }
        return texts;
    }

private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible() || modal == m_handled) {
            return;
        }
        m_handled = modal;
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            m_boxes.push_back({box->icon(), box->text(), box->informativeText()});
            QPointer<QMessageBox> alive(box);
            QTimer::singleShot(0, box, [alive] {
                if (alive != nullptr) {
                    alive->defaultButton()->click();
                }
            });
        } else if (m_dialogAction) {
            auto act = std::move(m_dialogAction);
            m_dialogAction = nullptr;
            QPointer<QWidget> alive(modal);
            QTimer::singleShot(0, modal, [act, alive] {
                if (alive != nullptr) {
                    act(alive);
                }
            });
        }
    }

    QTimer m_poll;
    QPointer<QWidget> m_handled;
    std::vector<SeenBox> m_boxes;
    std::function<void(QWidget*)> m_dialogAction;
};

// The INI file a test's window reads the register's devices and the frame gap from.
inline std::string WriteIni(const TempFolder& folder, const std::string& text) {
    const std::string path = (folder.Path() / "tillora.ini").string();
    std::ofstream(path) << text;
    return path;
}

} // namespace tillora::test
