#include "FileCommandsFixture.h"

#include "link/EcrSettings.h"
#include "res/StringIds.h"
#include "ui/Commands.h"
#include "ui/KassivoView.h"
#include "ui/MainFrame.h"
#include "ui/RecentFiles.h"
#include "ui/StatusPanes.h"
#include "ui/TableGrid.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTest>

using namespace tillora;
using namespace tillora::test;

class RecentFilesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { UseOwnSettings(settings.Path()); }

    void init() {
        StartAsFirstRun();
        feedback = RecordingFeedback{};
        chooser = ScriptedChooser{};
        frame = NewFrame();
    }

    void cleanup() {
        delete frame;
        frame = nullptr;
    }

    void withoutRecentFilesTheMenuShowsNoEntries() {
        for (std::size_t i = 0; i < 4; ++i) {
            QVERIFY(!Recent().Action(i)->isVisible());
        }
        // Print set-up, one separator, exit.
        const QList<QAction*> shown = ShownFileMenu();
        QCOMPARE(shown.size(), 13);
        QVERIFY(shown[11]->isSeparator());
        QCOMPARE(shown[12], frame->Commands().Action(cmd::AppExit));
    }

    void savedFilesAreNumberedEntriesNewestFirstBetweenPrintingAndExit() {
        const std::string a = Save(TableKind::Articles, "a.txt");
        const std::string b = Save(TableKind::Operators, "b & c.txt");
        QCOMPARE(Recent().Action(0)->text(), QString::fromStdString(RecentMenuText(0, Native(b))));
        QCOMPARE(Recent().Action(1)->text(), QString::fromStdString("&2 " + Native(a)));
        QVERIFY(Recent().Action(1)->isVisible());
        QVERIFY(!Recent().Action(2)->isVisible());
        QCOMPARE(Recent().Action(0)->statusTip(), QStringLiteral("Отваряне на файла"));
        QCOMPARE(Recent().Action(0)->data().toInt(), cmd::FileMruFirst);

        const QList<QAction*> shown = ShownFileMenu();
        QCOMPARE(shown.size(), 16);
        QCOMPARE(shown[10], frame->Commands().Action(cmd::FilePrintSetup));
        QVERIFY(shown[11]->isSeparator());
        QCOMPARE(shown[12], Recent().Action(0));
        QCOMPARE(shown[13], Recent().Action(1));
        QVERIFY(shown[14]->isSeparator());
        QCOMPARE(shown[15], frame->Commands().Action(cmd::AppExit));
    }

    void anAmpersandOfThePathIsShownAndTakesNoKey() {
        const std::string path = Save(TableKind::Articles, "Tom & Jerry.txt");
        QVERIFY(Recent().Action(0)->text().endsWith(QStringLiteral("Tom && Jerry.txt")));
        QCOMPARE(Recent().Entries().front(), path);
    }

    void atMostFourFilesAreKept() {
        std::vector<std::string> saved;
        for (const char* name : {"1.txt", "2.txt", "3.txt", "4.txt", "5.txt"}) {
            saved.push_back(Save(TableKind::Articles, name));
        }
        QCOMPARE(Recent().Entries(),
                 (std::vector<std::string>{saved[4], saved[3], saved[2], saved[1]}));
        for (std::size_t i = 0; i < 4; ++i) {
            QVERIFY(Recent().Action(i)->isVisible());
        }
    }

    void theListIsKeptForTheNextRun() {
        const std::string a = Save(TableKind::Articles, "a.txt");
        const std::string b = Save(TableKind::Articles, "b.txt");
        delete frame;
        frame = NewFrame();
        QCOMPARE(Recent().Entries(), (std::vector<std::string>{b, a}));
        QVERIFY(Recent().Action(1)->isVisible());
    }

    void aRecentEntryReadsIntoTheCurrentTableNotTheOneItWasSavedFrom() {
        Grid(TableKind::Articles).SetItemText(2, 1, "Bread");
        Save(TableKind::Articles, "stoka.txt");
        View().ActivateTable(TableKind::Operators);
        Recent().Action(0)->trigger();
        QCOMPARE(Grid(TableKind::Operators).GetItemText(2, 1), std::string("Bread"));
        QCOMPARE(Grid(TableKind::Articles).GetItemText(2, 1), std::string("Bread"));
        QCOMPARE(View().CurrentTable(), TableKind::Operators);
        QCOMPARE(frame->Panes().Message(), QStringLiteral("Прочетени 1 реда"));
        QVERIFY(feedback.questions.empty());
        // The caption and save target stay the table's own.
        QCOMPARE(View().Tabs()->tabText(TableIndex(TableKind::Operators)),
                 QStringLiteral("Оператори"));
    }

    void aRecentFileReadComesToTheTop() {
        const std::string a = Save(TableKind::Articles, "a.txt");
        const std::string b = Save(TableKind::Articles, "b.txt");
        Recent().Action(1)->trigger();
        QCOMPARE(Recent().Entries(), (std::vector<std::string>{a, b}));
    }

    void aRecentEntryOverAChangedTableAsksFirstAndNoKeepsTheTable() {
        Grid(TableKind::Articles).SetItemText(2, 1, "Bread");
        Save(TableKind::Articles, "stoka.txt");
        Grid(TableKind::Articles).SetItemText(2, 1, "Milk");
        feedback.answer = false;
        Recent().Action(0)->trigger();
        QCOMPARE(feedback.questions.size(), std::size_t(1));
        QCOMPARE(feedback.questions[0].id, ids::UnsavedBeforeRead);
        QCOMPARE(Grid(TableKind::Articles).GetItemText(2, 1), std::string("Milk"));

        feedback.answer = true;
        Recent().Action(0)->trigger();
        QCOMPARE(Grid(TableKind::Articles).GetItemText(2, 1), std::string("Bread"));
    }

    void aVanishedFileShowsItsMessageLeavesTheTableAndLeavesTheList() {
        const std::string gone = Save(TableKind::Articles, "gone.txt");
        const std::string kept = Save(TableKind::Articles, "kept.txt");
        std::filesystem::remove(gone);
        Grid(TableKind::Articles).SetItemText(2, 1, "Milk");
        Recent().Action(1)->trigger();
        QCOMPARE(feedback.Ids(), std::vector<unsigned>{ids::FileNotOpenedForReading});
        QVERIFY(feedback.messages[0].text.find(gone) != std::string::npos);
        QVERIFY(feedback.questions.empty()); // nothing to ask about a file that is not there
        QCOMPARE(Grid(TableKind::Articles).GetItemText(2, 1), std::string("Milk"));
        QCOMPARE(Recent().Entries(), std::vector<std::string>{kept});
        QVERIFY(!Recent().Action(1)->isVisible());
    }

private:
    CMainFrame* NewFrame() {
        auto* made = new CMainFrame;
        made->Files().SetFeedback(&feedback);
        made->Files().SetChooser(chooser.Chooser());
        return made;
    }

    // Saves the table to a new file of the test's folder, through save as.
    std::string Save(TableKind kind, const std::string& name) {
        const std::string path = (folder.Path() / name).string();
        View().ActivateTable(kind);
        chooser.answers.resize(chooser.asked.size());
        chooser.answers.push_back(ChosenFile{path, 1});
        [&] { QVERIFY(frame->Files().OnFileSaveAs()); }();
        return path;
    }

    static std::string Native(const std::string& path) {
        return QDir::toNativeSeparators(QString::fromStdString(path)).toStdString();
    }

    // The File menu's items as they show.
    QList<QAction*> ShownFileMenu() const {
        QMenu* menu = frame->menuBar()->actions().constFirst()->menu();
        QList<QAction*> shown;
        for (QAction* action : menu->actions()) {
            if (action->isVisible()) {
                shown << action;
            }
        }
        return shown;
    }

    CRecentFiles& Recent() const { return frame->Files().Recent(); }
    CKassivoView& View() const { return frame->View(); }
    CTableGrid& Grid(TableKind kind) const { return frame->View().Grid(kind); }

    TempFolder settings{"tillora-recent-settings"};
    TempFolder folder{"tillora-recent"};
    RecordingFeedback feedback;
    ScriptedChooser chooser;
    CMainFrame* frame = nullptr;
};

QTEST_MAIN(RecentFilesTest)
#include "RecentFilesTest.moc"
