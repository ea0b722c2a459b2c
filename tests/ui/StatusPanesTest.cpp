#include "ui/StatusPanes.h"

#include <QFontDatabase>
#include <QLabel>
#include <QStatusBar>
#include <QTest>

using namespace tillora;

class StatusPanesTest : public QObject {
    Q_OBJECT
private slots:
    void theMessagePaneStartsWithTheIdleTextAndTheFocusPaneEmpty() {
        QStatusBar bar;
        CStatusPanes panes(&bar);
        QCOMPARE(panes.Message(), QStringLiteral(" "));
        QCOMPARE(panes.FocusPane(), QString());
    }

    void thePanesShowWhatTheyAreGiven() {
        QStatusBar bar;
        CStatusPanes panes(&bar);
        panes.SetMessage(QStringLiteral("Изпращане на ред номер 5"));
        panes.SetFocusPane(QStringLiteral("Ред: 1, Кол: 1, Дълж: 0"));
        QCOMPARE(bar.findChild<CMessagePane*>(QStringLiteral("messagePane"))->Text(),
                 QStringLiteral("Изпращане на ред номер 5"));
        QCOMPARE(bar.findChild<QLabel*>(QStringLiteral("focusPane"))->text(),
                 QStringLiteral("Ред: 1, Кол: 1, Дълж: 0"));
    }

    // A new text repaints the pane alone: the status bar is not laid out and drawn anew for it,
    // as it is when a pane changes its size.
    void aNewMessageIsNoReasonToLayOutTheStatusBar() {
        QStatusBar bar;
        CStatusPanes panes(&bar);
        bar.resize(600, 30);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        LayoutRequests requests;
        bar.installEventFilter(&requests);
        for (int row = 1; row <= 20; ++row) {
            panes.SetMessage(QStringLiteral("Изпращане на ред номер %1").arg(row * 97));
            QCoreApplication::processEvents();
        }
        QCOMPARE(requests.count, 0);
        auto* pane = bar.findChild<CMessagePane*>(QStringLiteral("messagePane"));
        if (QFontDatabase::families().isEmpty()) {
            QSKIP("no fonts to measure the texts by (Qt's offscreen platform on Windows)");
        }
        QVERIFY(pane->width() > 300);
    }

private:
    struct LayoutRequests : QObject {
        int count = 0;
        bool eventFilter(QObject* watched, QEvent* event) override {
            count += event->type() == QEvent::LayoutRequest ? 1 : 0;
            return QObject::eventFilter(watched, event);
        }
    };
};

QTEST_MAIN(StatusPanesTest)
#include "StatusPanesTest.moc"
