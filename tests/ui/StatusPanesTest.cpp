#include "ui/StatusPanes.h"

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
        QCOMPARE(bar.findChild<QLabel*>(QStringLiteral("messagePane"))->text(),
                 QStringLiteral("Изпращане на ред номер 5"));
        QCOMPARE(bar.findChild<QLabel*>(QStringLiteral("focusPane"))->text(),
                 QStringLiteral("Ред: 1, Кол: 1, Дълж: 0"));
    }
};

QTEST_MAIN(StatusPanesTest)
#include "StatusPanesTest.moc"
