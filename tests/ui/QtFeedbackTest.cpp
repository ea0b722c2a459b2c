#include "ui/QtFeedback.h"
#include "ui/StatusPanes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace tillora;

namespace {

// Counts what reaches it.
class InputCounter : public QWidget {
public:
    int keys = 0;
    int presses = 0;
    int closes = 0;
    int paints = 0;

protected:
    void keyPressEvent(QKeyEvent*) override { ++keys; }
    void mousePressEvent(QMouseEvent*) override { ++presses; }
    void closeEvent(QCloseEvent* event) override {
        ++closes;
        event->ignore();
    }
    void paintEvent(QPaintEvent*) override { ++paints; }
};

void PostKey(QWidget* to) {
    QCoreApplication::postEvent(
        to, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a")));
}

void PostClick(QWidget* to) {
    const QPointF at(5, 5);
    QCoreApplication::postEvent(to,
                                new QMouseEvent(QEvent::MouseButtonPress, at, to->mapToGlobal(at),
                                                Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
}

// What a message box showed, read while it is open; then it is answered with the button whose
// text is given (empty: the default button).
struct BoxSeen {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    QStringList buttons;
    QString defaultButton;
    QString escapeButton;
    Qt::CursorShape cursor = Qt::BlankCursor; // the application's override, if any
};

void AnswerNextBox(BoxSeen& seen, const QString& press = {}) {
    // Polled, because the feedback may run pending events before its box is up.
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [&seen, press, poll] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        seen.icon = box->icon();
        seen.title = box->windowTitle();
        seen.text = box->text();
        for (QAbstractButton* button : box->buttons()) {
            seen.buttons << button->text();
        }
        seen.defaultButton = box->defaultButton()->text();
        seen.escapeButton = box->escapeButton()->text();
        if (const QCursor* cursor = QApplication::overrideCursor()) {
            seen.cursor = cursor->shape();
        }
        for (QAbstractButton* button : box->buttons()) {
            if (press.isEmpty() ? button == box->defaultButton() : button->text() == press) {
                button->click();
                return;
            }
        }
    });
    poll->start();
}

} // namespace

class QtFeedbackTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        window = new QWidget;
        bar = new QStatusBar(window);
        panes = new CStatusPanes(bar);
        feedback = new CQtFeedback(window, panes);
        counter = new InputCounter;
        counter->resize(100, 100);
        counter->show();
        QVERIFY(QTest::qWaitForWindowExposed(counter));
        QCoreApplication::processEvents();
        counter->keys = counter->presses = counter->paints = 0;
    }
    void cleanup() {
        delete counter;
        delete window;
    }

    void withoutThePumpAPostedKeyArrives() {
        PostKey(counter);
        QCoreApplication::processEvents();
        QCOMPARE(counter->keys, 1);
    }

    void thePumpDiscardsAKeyPressForGood() {
        PostKey(counter);
        feedback->PumpPaintMessages();
        QCoreApplication::processEvents();
        QCOMPARE(counter->keys, 0);
    }

    void thePumpDiscardsClicksAndClosing() {
        PostClick(counter);
        QCoreApplication::postEvent(counter, new QCloseEvent);
        feedback->PumpPaintMessages();
        QCoreApplication::processEvents();
        QCOMPARE(counter->presses, 0);
        QCOMPARE(counter->closes, 0);
    }

    void thePumpLetsPaintingAndTimersThrough() {
        bool fired = false;
        QTimer::singleShot(0, [&fired] { fired = true; });
        counter->update();
        feedback->PumpPaintMessages();
        QVERIFY(fired);
        QVERIFY(counter->paints > 0);
    }

    void afterThePumpInputArrivesAgain() {
        feedback->PumpPaintMessages();
        PostKey(counter);
        QCoreApplication::processEvents();
        QCOMPARE(counter->keys, 1);
    }

    void inputAfterTheLastPumpIsDiscardedWhenTheWaitEnds() {
        feedback->BeginWaitCursor();
        feedback->PumpPaintMessages();
        PostKey(counter);
        feedback->EndWaitCursor();
        QCoreApplication::processEvents();
        QCOMPARE(counter->keys, 0);
    }

    void aWaitWithoutPumpsLeavesInputAlone() {
        feedback->BeginWaitCursor();
        PostKey(counter);
        feedback->EndWaitCursor();
        QCoreApplication::processEvents();
        QCOMPARE(counter->keys, 1);
    }

    void keysTypedDuringATransferDoNotReachItsMessageBox() {
        feedback->BeginWaitCursor();
        PostKey(counter);
        BoxSeen seen;
        AnswerNextBox(seen);
        feedback->ShowMessage(20024, "timeout", MessageIcon::Error);
        feedback->EndWaitCursor();
        QCoreApplication::processEvents();
        QCOMPARE(counter->keys, 0);
    }

    void theWaitCursorShowsUntilTheOutermostEnd() {
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        feedback->BeginWaitCursor();
        feedback->BeginWaitCursor();
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        feedback->EndWaitCursor();
        QVERIFY(QApplication::overrideCursor() != nullptr);
        feedback->EndWaitCursor();
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        feedback->EndWaitCursor(); // one too many changes nothing
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void aBoxDuringAWaitShowsTheArrowAndTheWaitComesBack() {
        feedback->BeginWaitCursor();
        BoxSeen seen;
        AnswerNextBox(seen);
        feedback->ShowMessage(20025, "!", MessageIcon::Error);
        QCOMPARE(seen.cursor, Qt::ArrowCursor);
        AnswerNextBox(seen);
        feedback->AskYesNo(20041, "?", MessageIcon::Question, true);
        QCOMPARE(seen.cursor, Qt::ArrowCursor);
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        feedback->EndWaitCursor();
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void statusTextsGoToTheMessagePane() {
        feedback->SetStatusText("Изпращане на ред номер 7");
        QCOMPARE(panes->Message(), QStringLiteral("Изпращане на ред номер 7"));
    }

    void anErrorIsAStopBoxWithOneOkButton() {
        BoxSeen seen;
        AnswerNextBox(seen);
        feedback->ShowMessage(20025, "Касата върна\r\nсигнал за отказ!", MessageIcon::Error);
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QCOMPARE(seen.title, QStringLiteral("Tillora"));
        QCOMPARE(seen.text, QStringLiteral("Касата върна\nсигнал за отказ!"));
        QCOMPARE(seen.buttons, QStringList{QStringLiteral("OK")});
    }

    void aQuestionWithNoAsDefaultIsAnsweredNoByEnter() {
        BoxSeen seen;
        AnswerNextBox(seen);
        const bool yes = feedback->AskYesNo(20004, "?", MessageIcon::Question, true);
        QVERIFY(!yes);
        QCOMPARE(seen.icon, QMessageBox::Question);
        QCOMPARE(seen.buttons, (QStringList{QStringLiteral("&Да"), QStringLiteral("&Не")}));
        QCOMPARE(seen.defaultButton, QStringLiteral("&Не"));
        QCOMPARE(seen.escapeButton, QStringLiteral("&Не"));
    }

    void yesAndNoAreTheButtonsPressed() {
        BoxSeen seen;
        AnswerNextBox(seen);
        QVERIFY(feedback->AskYesNo(20018, "?", MessageIcon::Question, false));
        QCOMPARE(seen.defaultButton, QStringLiteral("&Да"));
        AnswerNextBox(seen, QStringLiteral("&Да"));
        QVERIFY(feedback->AskYesNo(20004, "?", MessageIcon::Question, true));
        AnswerNextBox(seen, QStringLiteral("&Не"));
        QVERIFY(!feedback->AskYesNo(20018, "?", MessageIcon::Question, false));
    }

private:
    QWidget* window = nullptr;
    QStatusBar* bar = nullptr;
    CStatusPanes* panes = nullptr;
    CQtFeedback* feedback = nullptr;
    InputCounter* counter = nullptr;
};

QTEST_MAIN(QtFeedbackTest)
#include "QtFeedbackTest.moc"
