#include "FileCommandsFixture.h"

#include <QPushButton> // ModalSteps.h presses buttons

#include "ModalSteps.h"

#include "link/EcrSettings.h"
#include "res/StringIds.h"
#include "tables/TableReadSummary.h"
#include "tables/TableWriter.h"
#include "ui/Commands.h"
#include "ui/KassivoView.h"
#include "ui/MainFrame.h"
#include "ui/RecentFiles.h"
#include "ui/StatusPanes.h"
#include "ui/TableGrid.h"
#include "ui/UnsavedChanges.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QTabWidget>
#include <QTest>
#include <QUrl>

using namespace tillora;
using namespace tillora::test;

namespace {

const std::string ExamplesFolder = TILLORA_SOURCE_DIR "/examples/";
// Where names match in any case (Windows), the filters need not name "*.TXT" as well.
#ifdef Q_OS_WIN
const QString UpperCase;
#else
const QString UpperCase = QStringLiteral(" *.TXT");
#endif

} // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { UseOwnSettings(settings.Path()); }

    void init() {
        StartAsFirstRun();
        QApplication::clipboard()->clear();
        feedback = RecordingFeedback{};
        chooser = ScriptedChooser{};
        frame = new CMainFrame;
        Files().SetFeedback(&feedback);
        Files().SetChooser(chooser.Chooser());
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
    }

    void cleanup() {
        delete frame;
        frame = nullptr;
    }

    // Save and save as

    void saveWithoutAFileAsksForOneWritesTheTableAndNamesTheFile() {
        Grid(TableKind::Articles).SetItemText(2, 1, "Bread");
        const std::string path = (folder.Path() / "stoka.txt").string();
        chooser.answers = {ChosenFile{path, 1}};
        Trigger(cmd::FileSave);
        QCOMPARE(chooser.asked.size(), std::size_t(1));
        QCOMPARE(chooser.asked[0].kind, FileDialogKind::Save);
        QCOMPARE(ReadFile(path), TableFileText(Grid(TableKind::Articles).Cells()));
        QVERIFY(ReadFile(path).find("Bread") != std::string::npos);
        QCOMPARE(Caption(TableKind::Articles), QStringLiteral("Артикули (stoka.txt)"));
        QCOMPARE(Files().Recent().Entries(), std::vector<std::string>{path});
    }

    void saveWithAFileWritesToItWithoutADialog() {
        const std::string path = (folder.Path() / "stoka.txt").string();
        chooser.answers = {ChosenFile{path, 1}};
        Trigger(cmd::FileSave);
        Grid(TableKind::Articles).SetItemText(1, 1, "Milk");
        Trigger(cmd::FileSave);
        QCOMPARE(chooser.asked.size(), std::size_t(1));
        QVERIFY(ReadFile(path).find("Milk") != std::string::npos);
        QVERIFY(feedback.messages.empty());
    }

    void saveAsAlwaysAsksAndMovesTheTableToTheNewFile() {
        const std::string first = (folder.Path() / "a.txt").string();
        const std::string second = (folder.Path() / "b.txt").string();
        chooser.answers = {ChosenFile{first, 1}, ChosenFile{second, 1}};
        Trigger(cmd::FileSaveAs);
        Trigger(cmd::FileSaveAs);
        QCOMPARE(chooser.asked.size(), std::size_t(2));
        QCOMPARE(chooser.asked[1].folder, folder.Path().string()); // where the table's file is
        QCOMPARE(Caption(TableKind::Articles), QStringLiteral("Артикули (b.txt)"));
        QCOMPARE(Files().Recent().Entries(), (std::vector<std::string>{second, first}));
    }

    void cancellingTheSaveDialogChangesNothing() {
        Grid(TableKind::Articles).SetItemText(1, 1, "Milk");
        QVERIFY(!Files().OnFileSaveAs());
        QVERIFY(!Files().OnFileSave());
        QTRY_COMPARE(Caption(TableKind::Articles), QStringLiteral("Артикули*"));
        QVERIFY(Files().Recent().Entries().empty());
        QVERIFY(feedback.messages.empty());
    }

    void aFileThatCannotBeCreatedIsNamedAndTheTableKeepsItsNames() {
        Grid(TableKind::Articles).SetItemText(1, 1, "Milk");
        chooser.answers = {ChosenFile{(folder.Path() / "missing" / "a.txt").string(), 1}};
        QVERIFY(!Files().OnFileSave());
        QCOMPARE(feedback.Ids(), std::vector<unsigned>{ids::FileNotCreated});
        QTRY_COMPARE(Caption(TableKind::Articles), QStringLiteral("Артикули*"));
        QVERIFY(!View().Document().Writer(TableKind::Articles).HasPath());
        QVERIFY(Files().Recent().Entries().empty());
    }

    void whatIsTypedIntoAnOpenCellIsSavedToo() {
        CTableGrid& articles = Grid(TableKind::Articles);
        QVERIFY(articles.EditCell(1, 1));
        QTRY_VERIFY(View().OpenEditor() != nullptr);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Kefir"));
        const std::string path = (folder.Path() / "a.txt").string();
        chooser.answers = {ChosenFile{path, 1}};
        Trigger(cmd::FileSave);
        QVERIFY(ReadFile(path).find("Kefir") != std::string::npos);
    }

    void saveWritesTheCurrentTable() {
        View().ActivateTable(TableKind::Company);
        const std::string path = (folder.Path() / "firma.txt").string();
        chooser.answers = {ChosenFile{path, 1}};
        Trigger(cmd::FileSave);
        QCOMPARE(ReadFile(path), TableFileText(Grid(TableKind::Company).Cells()));
        QCOMPARE(Caption(TableKind::Company), QStringLiteral("Данни за фирмата (firma.txt)"));
        QCOMPARE(Caption(TableKind::Articles), QStringLiteral("Артикули"));
    }

    // Open and the read's figures

    void openReadsIntoTheCurrentTableAndTheStatusBarTellsWhatItTook() {
        View().ActivateTable(TableKind::Operators);
        const std::string path = ExamplesFolder + "operators.txt";
        chooser.answers = {ChosenFile{path, 2}};
        Trigger(cmd::FileOpen);
        QCOMPARE(chooser.asked.size(), std::size_t(1));
        QCOMPARE(chooser.asked[0].kind, FileDialogKind::Open);
        CTableGrid& operators = Grid(TableKind::Operators);
        QVERIFY(!operators.GetItemText(1, 1).empty());
        QVERIFY(Grid(TableKind::Articles).GetItemText(1, 1).empty());
        const TableReader& reader = View().Reader(TableKind::Operators);
        QCOMPARE(Panes().Message(), QString::fromStdString(FormatReadSummary(reader.GetLastRead(),
                                                                             operators.Cells())));
        QCOMPARE(Panes().Message(), QStringLiteral("Прочетени 5 реда"));
        QCOMPARE(reader.GetFilterIndex(), 2);
        QCOMPARE(reader.GetPathName(), path);
        // The caption and the save target change only by saving.
        QCOMPARE(Caption(TableKind::Operators), QStringLiteral("Оператори"));
        QVERIFY(!View().Document().Writer(TableKind::Operators).HasPath());
        QCOMPARE(Files().Recent().Entries().front(),
                 std::filesystem::absolute(path).lexically_normal().string());
    }

    void skippedLinesAndRefusedValuesAreNamedInTheStatusBar() {
        const std::string path =
            WriteFile(folder.Path() / "a.txt", "1\tBread\t\t1.20\r\nx\tMilk\r\n2\tSalt\t\tabc\r\n");
        chooser.answers = {ChosenFile{path, 1}};
        Trigger(cmd::FileOpen);
        QCOMPARE(Panes().Message(),
                 QStringLiteral("Прочетени 2 реда; пропуснати редове: 1 (2); отказани стойности: "
                                "1 (ред 3 „Цена“: \"abc\")"));
    }

    void aFileThatGivesTheTableNothingSaysSoAndLeavesTableAndStatusBar() {
        Grid(TableKind::Articles).SetItemText(1, 1, "Milk");
        const std::string path = WriteFile(folder.Path() / "a.csv", "1,Bread,1.20\r\n");
        chooser.answers = {ChosenFile{path, 2}};
        feedback.answer = true;
        QVERIFY(!Files().OnFileOpen());
        QCOMPARE(feedback.Ids(), std::vector<unsigned>{ids::FileHasNoTableRowSeparated});
        QCOMPARE(Grid(TableKind::Articles).GetItemText(1, 1), std::string("Milk"));
        QCOMPARE(Panes().Message(), QStringLiteral(" "));
        QVERIFY(Files().Recent().Entries().empty());
    }

    void aReadIsOneUndoStepAndOneThatLeavesTheTableIsNone() {
        QApplication::clipboard()->setText(QStringLiteral("Soap"));
        Trigger(cmd::EditPaste);
        CTableGrid& articles = Grid(TableKind::Articles);
        const CCellID pasted = articles.GetSelectedCellRange().TopLeft();
        QCOMPARE(articles.Cells().UndoCount(), std::size_t(1));
        feedback.answer = true;
        QVERIFY(!Files().ReadIntoCurrentTable((folder.Path() / "none.txt").string(), true));
        QCOMPARE(feedback.Ids(), std::vector<unsigned>{ids::FileNotOpenedForReading});
        QCOMPARE(articles.Cells().UndoCount(), std::size_t(1));
        QVERIFY(Files().ReadIntoCurrentTable(ExamplesFolder + "articles.txt", true));
        QCOMPARE(articles.Cells().UndoCount(), std::size_t(2));
        Trigger(cmd::EditUndo);
        QCOMPARE(articles.GetItemText(pasted.row, pasted.col), std::string("Soap"));
        QVERIFY(articles.GetItemText(1, 2).empty());
    }

    void aFileNamedAtStartIsReadWithoutAQuestionAndTellsWhatItTook() {
        Grid(TableKind::Articles).SetItemText(1, 1, "Milk");
        QVERIFY(frame->OpenStartFile(ExamplesFolder + "articles.txt"));
        QVERIFY(feedback.questions.empty());
        QVERIFY(Panes().Message().startsWith(QStringLiteral("Прочетени 33 реда")));
        QCOMPARE(Caption(TableKind::Articles), QStringLiteral("Артикули"));
    }

    // Clear all and report to articles

    void clearAllOnNoChangesNothing() {
        Grid(TableKind::Articles).SetItemText(1, 1, "Milk");
        feedback.answer = false;
        QVERIFY(!Files().OnClearAll());
        QCOMPARE(feedback.questions.size(), std::size_t(1));
        QCOMPARE(feedback.questions[0].id, ids::ConfirmClearAll);
        QCOMPARE(feedback.questions[0].icon, MessageIcon::Question);
        QCOMPARE(Grid(TableKind::Articles).GetItemText(1, 1), std::string("Milk"));
    }

    void clearAllEmptiesEveryTableAndForgetsTheFilesInOneUndoStepATable() {
        chooser.answers = {ChosenFile{(folder.Path() / "a.txt").string(), 1}};
        Trigger(cmd::FileSave);
        QApplication::clipboard()->setText(QStringLiteral("Soap"));
        Trigger(cmd::EditPaste);
        for (TableKind kind : AllTables) {
            Grid(kind).SetItemText(2, 1, "Text");
        }
        View().ActivateTable(TableKind::Report);
        feedback.answer = true;
        Trigger(cmd::FileNew);
        for (TableKind kind : AllTables) {
            QVERIFY(Grid(kind).GetItemText(2, 1).empty());
            QVERIFY(!View().Document().Writer(kind).HasPath());
            QVERIFY(!Files().Unsaved().IsChanged(kind));
        }
        // Clearing is one step of each table's history.
        Trigger(cmd::EditUndo);
        QCOMPARE(Grid(TableKind::Report).GetItemText(2, 1), std::string("Text"));
        QCOMPARE(Caption(TableKind::Articles), QStringLiteral("Артикули"));
        QCOMPARE(Caption(TableKind::Report), QStringLiteral("Отчет"));
        QCOMPARE(View().CurrentTable(), TableKind::Report);
        QCOMPARE(Files().Recent().Entries().size(), std::size_t(1)); // the list stays
    }

    void clearAllCommitsAnOpenEditFirstSoThatItIsClearedToo() {
        QVERIFY(Grid(TableKind::Articles).EditCell(1, 1));
        QTRY_VERIFY(View().OpenEditor() != nullptr);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Kefir"));
        feedback.answer = true;
        Trigger(cmd::FileNew); // the action table commits the edit before any command
        QVERIFY(View().OpenEditor() == nullptr);
        QVERIFY(Grid(TableKind::Articles).GetItemText(1, 1).empty());
    }

    void reportToArticlesCopiesTheReportAndShowsTheArticles() {
        CTableGrid& report = Grid(TableKind::Report);
        report.SetItemText(3, 1, "Cheese");
        report.SetItemText(3, 3, "4.50");
        report.SetItemText(3, 8, "45.00"); // turnover: not copied
        Grid(TableKind::Articles).SetItemText(7, 1, "Old");
        View().ActivateTable(TableKind::Operators);
        feedback.answer = false;
        QVERIFY(!Files().OnReportToArticles());
        QCOMPARE(View().CurrentTable(), TableKind::Operators);
        QCOMPARE(Grid(TableKind::Articles).GetItemText(7, 1), std::string("Old"));
        feedback.answer = true;
        Trigger(cmd::ReportToArticles);
        QCOMPARE(feedback.questions.back().id, ids::ConfirmReportToArticles);
        CTableGrid& articles = Grid(TableKind::Articles);
        QCOMPARE(View().CurrentTable(), TableKind::Articles);
        QCOMPARE(articles.GetItemText(3, 1), std::string("Cheese"));
        QCOMPARE(articles.GetItemText(3, 3), std::string("4.50"));
        QVERIFY(articles.GetItemText(7, 1).empty());
        QCOMPARE(articles.model()->data(articles.model()->index(2, 0)).toString(),
                 QStringLiteral("Cheese"));
        QTRY_COMPARE(Caption(TableKind::Articles), QStringLiteral("Артикули*"));
    }

    // Enable rules

    void theFileCommandsApplyOnEveryTableAndWhileACellIsEdited() {
        const int ids[] = {cmd::FileOpen,    cmd::FileSave,         cmd::FileSaveAs,
                           cmd::FileNew,     cmd::ReportToArticles, cmd::AppExit,
                           cmd::ViewToolbar, cmd::ViewStatusBar};
        for (TableKind kind : AllTables) {
            View().ActivateTable(kind);
            frame->Commands().UpdateEnables();
            for (int id : ids) {
                QVERIFY2(frame->Commands().Action(id)->isEnabled(),
                         qPrintable(QString::number(id)));
            }
        }
        View().ActivateTable(TableKind::Articles);
        QVERIFY(Grid(TableKind::Articles).EditCell(1, 1));
        QTRY_VERIFY(View().OpenEditor() != nullptr);
        frame->Commands().UpdateEnables();
        for (int id : ids) {
            QVERIFY(frame->Commands().Action(id)->isEnabled());
        }
    }

    // Nothing lost

    void aChangedTableShowsAStarUntilItIsSavedOrBackAsItWas() {
        CTableGrid& articles = Grid(TableKind::Articles);
        articles.SetItemText(1, 1, "Milk");
        QTRY_COMPARE(Caption(TableKind::Articles), QStringLiteral("Артикули*"));
        QCOMPARE(Caption(TableKind::Operators), QStringLiteral("Оператори"));
        chooser.answers = {ChosenFile{(folder.Path() / "a.txt").string(), 1}};
        Trigger(cmd::FileSave);
        QCOMPARE(Caption(TableKind::Articles), QStringLiteral("Артикули (a.txt)"));
        QApplication::clipboard()->setText(QStringLiteral("Soap"));
        Trigger(cmd::EditPaste);
        QTRY_COMPARE(Caption(TableKind::Articles), QStringLiteral("Артикули (a.txt)*"));
        Trigger(cmd::EditUndo);
        QTRY_COMPARE(Caption(TableKind::Articles), QStringLiteral("Артикули (a.txt)"));
    }

    void aTableReadFromAFileHasNothingUnsaved() {
        Grid(TableKind::Articles).SetItemText(1, 1, "Milk");
        feedback.answer = true;
        QVERIFY(Files().ReadIntoCurrentTable(ExamplesFolder + "articles.txt", true));
        QVERIFY(!Files().Unsaved().IsChanged(TableKind::Articles));
        QCOMPARE(Caption(TableKind::Articles), QStringLiteral("Артикули"));
    }

    void closingWithChangesAsksNamingTheTablesAndNoKeepsEverything() {
        Grid(TableKind::Articles).SetItemText(1, 1, "Milk");
        Grid(TableKind::Report).SetItemText(1, 1, "Cheese");
        feedback.answer = false;
        QVERIFY(!frame->close());
        QVERIFY(frame->isVisible());
        QCOMPARE(feedback.questions.size(), std::size_t(1));
        const auto& question = feedback.questions[0];
        QCOMPARE(question.id, ids::UnsavedOnExitMany);
        QCOMPARE(question.icon, MessageIcon::Question);
        QVERIFY(question.defaultNo);
        QVERIFY(question.text.find("„Артикули“ и „Отчет“") != std::string::npos);
        QCOMPARE(Grid(TableKind::Articles).GetItemText(1, 1), std::string("Milk"));

        feedback.answer = true;
        QVERIFY(frame->close());
        QVERIFY(!frame->isVisible());
    }

    void closingWithNothingUnsavedAsksNothing() {
        Grid(TableKind::Articles).SetItemText(1, 1, "Milk");
        Grid(TableKind::Articles).SetItemText(1, 1, "");
        QVERIFY(frame->close());
        QVERIFY(feedback.questions.empty());
    }

    void closingCommitsAnOpenEditAndCountsIt() {
        QVERIFY(Grid(TableKind::Articles).EditCell(1, 1));
        QTRY_VERIFY(View().OpenEditor() != nullptr);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Kefir"));
        feedback.answer = false;
        QVERIFY(!frame->close());
        QCOMPARE(feedback.questions.size(), std::size_t(1));
        QCOMPARE(feedback.questions[0].id, ids::UnsavedOnExitOne);
        QCOMPARE(Grid(TableKind::Articles).GetItemText(1, 1), std::string("Kefir"));
    }

    void exitClosesTheWindow() {
        Trigger(cmd::AppExit);
        QVERIFY(!frame->isVisible());
    }

    void openingOverAChangedTableAsksBeforeTheDialogAndNoKeepsTheTable() {
        Grid(TableKind::Articles).SetItemText(1, 1, "Milk");
        chooser.answers = {ChosenFile{ExamplesFolder + "articles.txt", 1}};
        feedback.answer = false;
        QVERIFY(!Files().OnFileOpen());
        QCOMPARE(feedback.questions.size(), std::size_t(1));
        QCOMPARE(feedback.questions[0].id, ids::UnsavedBeforeRead);
        QVERIFY(feedback.questions[0].defaultNo);
        QVERIFY(feedback.questions[0].text.find("„Артикули“") != std::string::npos);
        QVERIFY(chooser.asked.empty());
        QCOMPARE(Grid(TableKind::Articles).GetItemText(1, 1), std::string("Milk"));

        feedback.answer = true;
        QVERIFY(Files().OnFileOpen());
        QCOMPARE(chooser.asked.size(), std::size_t(1));
        QVERIFY(Grid(TableKind::Articles).GetItemText(1, 1) != "Milk");
    }

    void changesInAnotherTableAreNotAskedAboutOnOpen() {
        Grid(TableKind::Operators).SetItemText(1, 1, "Ivan");
        chooser.answers = {ChosenFile{ExamplesFolder + "articles.txt", 1}};
        QVERIFY(Files().OnFileOpen());
        QVERIFY(feedback.questions.empty());
        QCOMPARE(Grid(TableKind::Operators).GetItemText(1, 1), std::string("Ivan"));
    }

    void aTableFileDroppedOnTheWindowIsReadIntoTheCurrentTable() {
        View().ActivateTable(TableKind::Subgroups);
        QMimeData data;
        data.setUrls(
            {QUrl::fromLocalFile(QString::fromStdString(ExamplesFolder + "subgroups.txt"))});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        enter.setAccepted(false);
        QApplication::sendEvent(frame, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        drop.setAccepted(false);
        QApplication::sendEvent(frame, &drop);
        QVERIFY(drop.isAccepted());
        QTRY_VERIFY(!Grid(TableKind::Subgroups).GetItemText(1, 1).empty());
        QVERIFY(Panes().Message().startsWith(QStringLiteral("Прочетени 10 реда")));
    }

    void aDropOverAChangedTableAsksFirst() {
        Grid(TableKind::Articles).SetItemText(1, 1, "Milk");
        QMimeData data;
        data.setUrls(
            {QUrl::fromLocalFile(QString::fromStdString(ExamplesFolder + "articles.txt"))});
        // Qt gives the drop to whoever took the drag as it entered.
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(frame, &enter);
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        feedback.answer = false;
        QApplication::sendEvent(frame, &drop);
        QTRY_COMPARE(feedback.questions.size(), std::size_t(1));
        QCOMPARE(feedback.questions[0].id, ids::UnsavedBeforeRead);
        QCOMPARE(Grid(TableKind::Articles).GetItemText(1, 1), std::string("Milk"));
    }

    void onlyOneLocalFileIsTakenFromADrag() {
        QMimeData two;
        two.setUrls({QUrl::fromLocalFile(QString::fromStdString(ExamplesFolder + "articles.txt")),
                     QUrl::fromLocalFile(QString::fromStdString(ExamplesFolder + "company.txt"))});
        QMimeData web;
        web.setUrls({QUrl(QStringLiteral("https://example.com/articles.txt"))});
        QMimeData folderOnly;
        folderOnly.setUrls({QUrl::fromLocalFile(QString::fromStdString(ExamplesFolder))});
        QMimeData text;
        text.setText(QStringLiteral("1\tBread"));
        for (QMimeData* data : {&two, &web, &folderOnly, &text}) {
            QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, data, Qt::LeftButton,
                                  Qt::NoModifier);
            enter.setAccepted(false);
            QApplication::sendEvent(frame, &enter);
            QVERIFY(!enter.isAccepted());
        }
    }

    // The window's own question box and file dialogs

    void theWindowsQuestionBeforeClosingHasTheQuestionIconAndNoAsDefault() {
        Files().SetFeedback(nullptr);
        Grid(TableKind::Articles).SetItemText(1, 1, "Milk");
        std::vector<BoxSeen> seen;
        ModalSteps steps;
        steps.Then<QMessageBox>(ReadAndClose(seen)); // presses the default button
        QVERIFY(!frame->close());
        QVERIFY(steps.Done());
        QCOMPARE(seen.size(), std::size_t(1));
        QCOMPARE(seen[0].icon, QMessageBox::Question);
        QVERIFY(seen[0].text.endsWith(QStringLiteral("Изход без съхраняване?")));
        QVERIFY(frame->isVisible());
    }

    void theSaveDialogAddsTxtAndAsksBeforeAFileIsOverwritten() {
        const std::string existing = WriteFile(folder.Path() / "stoka.txt", "old");
        QStringList filters;
        QString suffix;
        ModalSteps steps;
        steps
            .Then<QFileDialog>([&](QFileDialog* dialog) {
                filters = dialog->nameFilters();
                suffix = dialog->defaultSuffix();
                auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                QVERIFY(name != nullptr);
                name->clear();
                QTest::keyClicks(name, QStringLiteral("stoka"));
                static_cast<QDialog*>(dialog)->accept(); // as the Save button does
            })
            .Then<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
        const auto chosen = RunTableFileDialog(frame, FileDialogKind::Save, folder.Path().string());
        QVERIFY(steps.Done());
        QVERIFY(chosen.has_value());
        QCOMPARE(std::filesystem::path(chosen->path), std::filesystem::path(existing));
        QCOMPARE(chosen->filterIndex, 1);
        QCOMPARE(suffix, QStringLiteral("txt"));
        QCOMPARE(filters,
                 (QStringList{QStringLiteral("Tab separated text (*.txt%1)").arg(UpperCase),
                              QStringLiteral("All files (*)")}));
    }

    void theOpenDialogOffersTheTextFilesAndEveryFile() {
        QStringList filters;
        QFileDialog::FileMode mode = QFileDialog::AnyFile;
        ModalSteps steps;
        steps.Then<QFileDialog>([&](QFileDialog* dialog) {
            filters = dialog->nameFilters();
            mode = dialog->fileMode();
            dialog->reject();
        });
        QVERIFY(!RunTableFileDialog(frame, FileDialogKind::Open, folder.Path().string()));
        QVERIFY(steps.Done());
        QCOMPARE(mode, QFileDialog::ExistingFile);
        QCOMPARE(filters, (QStringList{QStringLiteral("Text files (*.txt%1)").arg(UpperCase),
                                       QStringLiteral("All files (*)")}));
    }

private:
    CFileCommands& Files() const { return frame->Files(); }
    CKassivoView& View() const { return frame->View(); }
    CStatusPanes& Panes() const { return frame->Panes(); }
    CTableGrid& Grid(TableKind kind) const { return frame->View().Grid(kind); }
    QString Caption(TableKind kind) const {
        return frame->View().Tabs()->tabText(TableIndex(kind));
    }
    void Trigger(int id) const { frame->Commands().Action(id)->trigger(); }

    TempFolder settings{"tillora-files-settings"};
    TempFolder folder{"tillora-files"};
    RecordingFeedback feedback;
    ScriptedChooser chooser;
    CMainFrame* frame = nullptr;
};

QTEST_MAIN(FileCommandsTest)
#include "FileCommandsTest.moc"
