#include "ui/KassivoView.h"
#include "support/RecordingFeedback.h"
#include "ui/TableGrid.h"

#include "link/EcrSettings.h"
#include "res/StringIds.h"

#include <QDir>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace tillora;

class KassivoViewTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        view = new CKassivoView;
        view->resize(800, 600);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view));
    }
    void cleanup() { delete view; }

    void sixTabsCaptionedByTheirTablesWithTheArticlesCurrent() {
        QTabWidget* tabs = view->Tabs();
        QCOMPARE(tabs->count(), 6);
        const QStringList captions = {"Артикули",         "Оператори", "Подгрупи",
                                      "Данни за фирмата", "Отчет",     "Отчет по подгрупи"};
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(tabs->tabText(i), captions[i]);
            QCOMPARE(tabs->widget(i), &view->Grid(static_cast<TableKind>(i)));
        }
        QCOMPARE(view->GetCurtab(), 0);
        QCOMPARE(view->CurrentTable(), TableKind::Articles);
    }

    void everyGridShowsItsTableInCourierNew14Pixels() {
        for (TableKind kind : AllTables) {
            CTableGrid& grid = view->Grid(kind);
            QCOMPARE(grid.Kind(), kind);
            QCOMPARE(&grid.Cells(), &view->Document().Grid(kind));
            QCOMPARE(grid.font().family(), QStringLiteral("Courier New"));
            QCOMPARE(grid.font().pixelSize(), 14);
            QCOMPARE(grid.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        }
        QCOMPARE(view->Grid(TableKind::Articles).GetRowCount(), 2601);
        QCOMPARE(view->Grid(TableKind::SubgroupReport).GetItemText(1, 0), std::string("0"));
    }

    void nextTableWrapsFromTheSubgroupReportToTheArticles() {
        QSignalSpy changed(view, &CKassivoView::currentTableChanged);
        view->SetCurtab(5);
        view->OnNextTable();
        QCOMPARE(view->CurrentTable(), TableKind::Articles);
        view->OnPrevTable();
        QCOMPARE(view->CurrentTable(), TableKind::SubgroupReport);
        QCOMPARE(changed.size(), 3);
        QCOMPARE(changed.last().at(0).value<TableKind>(), TableKind::SubgroupReport);
    }

    void theNewTableTakesTheFocusAndCellOneOneWhenItHasNone() {
        view->activateWindow();
        view->OnNextTable();
        CTableGrid& operators = view->Grid(TableKind::Operators);
        QTRY_VERIFY(operators.hasFocus());
        QCOMPARE(operators.GetFocusCell(), (CCellID{1, 1}));
    }

    void leavingATableWithTheFocusLeavesItsFocusCellWhereItWas() {
        view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(view));
        view->ActivateTable(TableKind::Articles);
        CTableGrid& articles = view->Grid(TableKind::Articles);
        articles.SetFocusCell(3, 1);
        QTRY_VERIFY(articles.hasFocus());
        view->OnNextTable();
        QTRY_VERIFY(view->Grid(TableKind::Operators).hasFocus());
        view->OnPrevTable();
        QCOMPARE(articles.GetFocusCell(), (CCellID{3, 1}));
    }

    void aTabClickedWhileEditingCommitsTheEditAndKeepsTheFocusCell() {
        view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(view));
        CTableGrid& articles = view->Grid(TableKind::Articles);
        articles.SetFocus();
        articles.SetFocusCell(2, 1);
        QTest::keyClick(&articles, Qt::Key_X);
        QTRY_VERIFY(view->OpenEditor() != nullptr);
        QTabBar* bar = view->Tabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
        QCOMPARE(view->CurrentTable(), TableKind::Operators);
        QTRY_VERIFY(view->Grid(TableKind::Operators).hasFocus());
        QCOMPARE(articles.GetItemText(2, 1), std::string("x"));
        QCOMPARE(articles.GetFocusCell(), (CCellID{2, 1}));
    }

    void theFocusPaneFollowsTheFocusCellOfTheCurrentTable() {
        QSignalSpy pane(view, &CKassivoView::focusPaneChanged);
        CTableGrid& articles = view->Grid(TableKind::Articles);
        articles.SetItemText(3, 1, "Bread");
        articles.SetFocusCell(3, 1);
        QTRY_VERIFY(!pane.isEmpty());
        QCOMPARE(pane.last().at(0).toString(), QStringLiteral("Ред: 3, Кол: 1, Дълж: 5"));
        pane.clear();
        view->Grid(TableKind::Operators).SetFocusCell(2, 1); // not the current table
        QCoreApplication::processEvents();
        QVERIFY(pane.isEmpty());
    }

    void theFocusPaneSwitchesWithTheTab() {
        view->Grid(TableKind::Subgroups).SetFocusCell(4, 2);
        QSignalSpy pane(view, &CKassivoView::focusPaneChanged);
        view->SetCurtab(TableIndex(TableKind::Subgroups));
        QVERIFY(!pane.isEmpty());
        QCOMPARE(pane.last().at(0).toString(), QStringLiteral("Ред: 4, Кол: 2, Дълж: 0"));
    }

    void aRefusedValueIsNamedForTheStatusBar() {
        QSignalSpy refused(view, &CKassivoView::valueRefused);
        CTableGrid& articles = view->Grid(TableKind::Articles);
        emit articles.valueRefused(2, 3, QStringLiteral("12,5лв"));
        QCOMPARE(refused.size(), 1);
        QCOMPARE(refused.at(0).at(0).toString(),
                 QStringLiteral("Ред 2, „Цена“: стойността \"12,5лв\" не е приета"));
        emit view->Grid(TableKind::Operators).valueRefused(2, 1, QStringLiteral("x"));
        QCOMPARE(refused.size(), 1);
    }

    void aSavedTableNamesItsFileInTheCaption() {
        QTemporaryDir folder;
        test::RecordingFeedback feedback;
        const std::string path = QDir(folder.path()).filePath("stoka.txt").toStdString();
        QVERIFY(view->Document().Writer(TableKind::Articles).SaveAs(path, feedback));
        view->UpdateTabCaption(TableKind::Articles);
        QCOMPARE(view->Tabs()->tabText(0), QStringLiteral("Артикули (stoka.txt)"));
    }

private:
    CKassivoView* view = nullptr;
};

QTEST_MAIN(KassivoViewTest)
#include "KassivoViewTest.moc"
