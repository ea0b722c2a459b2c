#include "FileCommandsFixture.h"

#include "link/EcrSettings.h"
#include "ui/Commands.h"
#include "ui/KassivoView.h"
#include "ui/MainFrame.h"
#include "ui/RegisterChooser.h"
#include "ui/WindowBars.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <set>

using namespace tillora;
using namespace tillora::test;

class WindowBarsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { UseOwnSettings(settings.Path()); }

    void init() {
        StartAsFirstRun();
        frame = NewFrame();
    }

    void cleanup() {
        delete frame;
        frame = nullptr;
    }

    void theToolbarHoldsItsCommandsInOrderWithSeparatorsBetweenGroups() {
        QStringList expected;
        for (int id : ToolbarItems()) {
            expected << (id == cmd::Separator ? QStringLiteral("|")
                                              : frame->Commands().Action(id)->toolTip());
        }
        QStringList shown;
        for (QAction* action : Toolbar()->actions()) {
            shown << (action->isSeparator() ? QStringLiteral("|") : action->toolTip());
        }
        QCOMPARE(shown.mid(0, expected.size()), expected);
        // After the commands, the register chooser with its label.
        const QList<QAction*> rest = Toolbar()->actions().mid(expected.size());
        QCOMPARE(rest.size(), 3);
        QVERIFY(rest[0]->isSeparator());
        QCOMPARE(Toolbar()->widgetForAction(rest[2]),
                 static_cast<QWidget*>(frame->Chooser().Combo()));
        QCOMPARE(Toolbar()->iconSize(), QSize(16, 16));
        QCOMPARE(Toolbar()->objectName(), QStringLiteral("toolbar"));
    }

    void everyToolbarCommandHasAnIconOfItsOwnAtSixteenAndThirtyTwoPixels() {
        std::set<QByteArray> images;
        int commands = 0;
        for (int id : ToolbarItems()) {
            if (id == cmd::Separator) {
                continue;
            }
            ++commands;
            const QIcon icon = CommandIcon(id);
            QVERIFY2(!icon.isNull(), qPrintable(QString::number(id)));
            QVERIFY(icon.availableSizes().contains(QSize(16, 16)));
            QVERIFY(icon.availableSizes().contains(QSize(32, 32)));
            const QImage small = icon.pixmap(QSize(16, 16)).toImage();
            const QImage large = icon.pixmap(QSize(32, 32)).toImage();
            QCOMPARE(small.size(), QSize(16, 16));
            QCOMPARE(large.size(), QSize(32, 32));
            QVERIFY(small.hasAlphaChannel());
            images.insert(
                QByteArray(reinterpret_cast<const char*>(large.constBits()), large.sizeInBytes()));
            QCOMPARE(frame->Commands().Action(id)->icon().cacheKey() != 0, true);
            QVERIFY(!frame->Commands().Action(id)->icon().isNull());
        }
        QCOMPARE(int(images.size()), commands); // no two alike
        QVERIFY(CommandIcon(cmd::GoToRow).isNull());
    }

    void theViewCommandsShowAndHideTheBarsWithCheckMarks() {
        QAction* toolbarShown = frame->Commands().Action(cmd::ViewToolbar);
        QAction* statusShown = frame->Commands().Action(cmd::ViewStatusBar);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        QVERIFY(toolbarShown->isCheckable() && toolbarShown->isChecked());
        QVERIFY(statusShown->isCheckable() && statusShown->isChecked());

        toolbarShown->trigger();
        QVERIFY(!Toolbar()->isVisible());
        QVERIFY(!toolbarShown->isChecked());
        toolbarShown->trigger();
        QVERIFY(Toolbar()->isVisible());
        QVERIFY(toolbarShown->isChecked());

        statusShown->trigger();
        QVERIFY(!frame->statusBar()->isVisible());
        QVERIFY(!statusShown->isChecked());
        statusShown->trigger();
        QVERIFY(frame->statusBar()->isVisible());
        QVERIFY(statusShown->isChecked());
    }

    void theCheckMarkFollowsTheToolbarHiddenAnotherWay() {
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        Toolbar()->toggleViewAction()->trigger(); // the window's own bar menu
        QVERIFY(!frame->Commands().Action(cmd::ViewToolbar)->isChecked());
        Toolbar()->toggleViewAction()->trigger();
        QVERIFY(frame->Commands().Action(cmd::ViewToolbar)->isChecked());
    }

    void theWindowsSizeAndBarsAreKeptForTheNextRunButNotTheCurrentTable() {
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        frame->resize(720, 530);
        QTRY_COMPARE(frame->size(), QSize(720, 530));
        frame->Commands().Action(cmd::ViewToolbar)->trigger();
        frame->Commands().Action(cmd::ViewStatusBar)->trigger();
        frame->View().ActivateTable(TableKind::Report);
        QVERIFY(frame->close());
        delete frame;

        frame = NewFrame();
        QCOMPARE(frame->size(), QSize(720, 530));
        QVERIFY(Toolbar()->isHidden());
        QVERIFY(frame->statusBar()->isHidden());
        QVERIFY(!frame->Commands().Action(cmd::ViewToolbar)->isChecked());
        QVERIFY(!frame->Commands().Action(cmd::ViewStatusBar)->isChecked());
        QCOMPARE(frame->View().CurrentTable(), TableKind::Articles);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        QVERIFY(!Toolbar()->isVisible());
        QVERIFY(!frame->Commands().Action(cmd::ViewToolbar)->isChecked());
    }

    void aFirstRunShowsBothBars() {
        QVERIFY(!Toolbar()->isHidden());
        QVERIFY(!frame->statusBar()->isHidden());
        QVERIFY(frame->Commands().Action(cmd::ViewToolbar)->isChecked());
        QVERIFY(frame->Commands().Action(cmd::ViewStatusBar)->isChecked());
    }

private:
    CMainFrame* NewFrame() {
        auto* made = new CMainFrame;
        made->Files().SetFeedback(&feedback);
        return made;
    }
    QToolBar* Toolbar() const { return frame->Bars().Toolbar(); }

    TempFolder settings{"tillora-toolbar-settings"};
    RecordingFeedback feedback;
    CMainFrame* frame = nullptr;
};

QTEST_MAIN(WindowBarsTest)
#include "WindowBarsTest.moc"
