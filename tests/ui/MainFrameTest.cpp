#include "ui/MainFrame.h"
#include "ui/Commands.h"
#include "ui/KassivoView.h"
#include "ui/StatusPanes.h"
#include "ui/TableGrid.h"

#include "link/EcrSettings.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenuBar>
#include <QTest>

using namespace tillora;

class MainFrameTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        ConnectionSettings() = {};
        QApplication::clipboard()->clear();
        frame = new CMainFrame;
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        frame->activateWindow();
        QTRY_VERIFY(frame->View().Grid(TableKind::Articles).hasFocus());
    }
    void cleanup() {
        delete frame;
        ConnectionSettings() = {};
    }

    void theArticlesAreCurrentWithTheFocusInTheirFirstCell() {
        QCOMPARE(frame->View().CurrentTable(), TableKind::Articles);
        QCOMPARE(frame->View().Grid(TableKind::Articles).GetFocusCell(), (CCellID{1, 1}));
        QCOMPARE(frame->Panes().FocusPane(), QStringLiteral("Ред: 1, Кол: 1, Дълж: 0"));
        QCOMPARE(frame->Panes().Message(), QStringLiteral(" "));
    }

    void f6GoesRoundTheTablesAndShiftF6Back() {
        for (int i = 1; i <= 6; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
            QCOMPARE(frame->View().GetCurtab(), i % 6);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
        QCOMPARE(frame->View().CurrentTable(), TableKind::SubgroupReport);
        QVERIFY(frame->View().Grid(TableKind::SubgroupReport).hasFocus());
    }

    void theStatusPaneFollowsTheFocusCell() {
        CTableGrid& articles = frame->View().Grid(TableKind::Articles);
        articles.SetItemText(2, 1, "Milk");
        QTest::keyClick(&articles, Qt::Key_Down);
        QTRY_COMPARE(frame->Panes().FocusPane(), QStringLiteral("Ред: 2, Кол: 1, Дълж: 4"));
        QTest::keyClick(&articles, Qt::Key_Right);
        QTRY_COMPARE(frame->Panes().FocusPane(), QStringLiteral("Ред: 2, Кол: 2, Дълж: 0"));
    }

    void whileEditingThePaneCountsTheTypedText() {
        CTableGrid& articles = frame->View().Grid(TableKind::Articles);
        QTest::keyClick(&articles, Qt::Key_A);
        QTRY_VERIFY(QApplication::focusWidget() != &articles); // the editor
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("bc"));
        QTRY_COMPARE(frame->Panes().FocusPane(), QStringLiteral("Ред: 1, Кол: 1, Дълж: 3"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        QTRY_COMPARE(frame->Panes().FocusPane(), QStringLiteral("Ред: 1, Кол: 1, Дълж: 2"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_COMPARE(frame->Panes().FocusPane(), QStringLiteral("Ред: 1, Кол: 1, Дълж: 0"));
    }

    void f6WhileEditingCommitsTheEditAndLeavesTheFocusCell() {
        CTableGrid& articles = frame->View().Grid(TableKind::Articles);
        QTest::keyClick(&articles, Qt::Key_Q);
        QTRY_VERIFY(frame->View().OpenEditor() != nullptr);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
        QCOMPARE(frame->View().CurrentTable(), TableKind::Operators);
        QTRY_VERIFY(frame->View().Grid(TableKind::Operators).hasFocus());
        QCOMPARE(articles.GetItemText(1, 1), std::string("q"));
        QCOMPARE(articles.GetFocusCell(), (CCellID{1, 1}));
    }

    void aRefusedValueIsNamedInTheMessagePane() {
        emit frame->View().Grid(TableKind::Articles).valueRefused(1, 3, QStringLiteral("abc"));
        QCOMPARE(frame->Panes().Message(),
                 QStringLiteral("Ред 1, „Цена“: стойността \"abc\" не е приета"));
    }

    void theTitleNamesTheRegisterOfTheSettings() {
        QCOMPARE(frame->windowTitle(), QStringLiteral("Tillora"));
        ConnectionSettings() = {0, 1, 123};
        frame->UpdateFrameTitle();
        QVERIFY(frame->windowTitle().startsWith(QStringLiteral("Tillora - [")));
        QVERIFY(frame->windowTitle().endsWith(QStringLiteral(", COM2, 000123]")));
    }

    void copyAndCutApplyOnlyToASelection() {
        QAction* copy = frame->Commands().Action(cmd::EditCopy);
        QAction* cut = frame->Commands().Action(cmd::EditCut);
        CTableGrid& articles = frame->View().Grid(TableKind::Articles);
        articles.SetSelectedRange({});
        frame->Commands().UpdateEnables();
        QVERIFY(!copy->isEnabled());
        QTest::keyClick(&articles, Qt::Key_A, Qt::ControlModifier);
        QVERIFY(articles.GetSelectedCount() > 0);
        QVERIFY(copy->isEnabled());
        QVERIFY(cut->isEnabled());
    }

    void cutDoesNotApplyToAReportTable() {
        QAction* cut = frame->Commands().Action(cmd::EditCut);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
        QCOMPARE(frame->View().CurrentTable(), TableKind::Report);
        frame->Commands().Action(cmd::EditSelectAll)->trigger();
        QVERIFY(frame->View().CurrentGrid().GetSelectedCount() > 0);
        QVERIFY(frame->Commands().Action(cmd::EditCopy)->isEnabled());
        QVERIFY(!cut->isEnabled());
    }

    void pasteFollowsTheClipboard() {
        QAction* paste = frame->Commands().Action(cmd::EditPaste);
        QVERIFY(!paste->isEnabled());
        QApplication::clipboard()->setText(QStringLiteral("Kefir\t123"));
        QTRY_VERIFY(paste->isEnabled());
        paste->trigger();
        const CTableGrid& articles = frame->View().Grid(TableKind::Articles);
        QCOMPARE(articles.GetItemText(1, 1), std::string("Kefir"));
        QCOMPARE(articles.GetItemText(1, 2), std::string("000000000123"));
    }

    void undoAndRedoFollowTheCurrentTablesHistory() {
        QAction* undo = frame->Commands().Action(cmd::EditUndo);
        QAction* redo = frame->Commands().Action(cmd::EditRedo);
        QVERIFY(!undo->isEnabled());
        QApplication::clipboard()->setText(QStringLiteral("Soap"));
        frame->Commands().Action(cmd::EditPaste)->trigger();
        QVERIFY(undo->isEnabled());
        QVERIFY(!redo->isEnabled());
        undo->trigger();
        QCOMPARE(frame->View().Grid(TableKind::Articles).GetItemText(1, 1), std::string());
        QVERIFY(!undo->isEnabled());
        QVERIFY(redo->isEnabled());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
        QVERIFY(!redo->isEnabled()); // the operators have no history
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
        QVERIFY(redo->isEnabled());
        redo->trigger();
        QCOMPARE(frame->View().Grid(TableKind::Articles).GetItemText(1, 1), std::string("Soap"));
    }

    void aFileNamedAtStartIsReadIntoTheArticles() {
        QVERIFY(frame->OpenStartFile(TILLORA_SOURCE_DIR "/examples/articles.txt"));
        QVERIFY(!frame->View().Grid(TableKind::Articles).GetItemText(1, 1).empty());
        QCOMPARE(frame->View().CurrentTable(), TableKind::Articles);
    }

private:
    CMainFrame* frame = nullptr;
};

QTEST_MAIN(MainFrameTest)
#include "MainFrameTest.moc"
