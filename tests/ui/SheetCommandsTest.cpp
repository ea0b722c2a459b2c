#include "ui/SheetCommands.h"
#include "FileCommandsFixture.h"
#include "link/Cp1251.h"
#include "link/EcrSettings.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "tables/TableWriter.h"
#include "ui/Commands.h"
#include "ui/ImportDialog.h"
#include "ui/KassivoView.h"
#include "ui/MainFrame.h"
#include "ui/TableGrid.h"
#include "ui/UnsavedChanges.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QTableWidget>
#include <QTest>

using namespace tillora;
using namespace tillora::test;

// A price list saved from a spreadsheet as CSV: a header, the name before the row number, one
// name longer than the register takes.
static const char* const PriceList = "Артикул;№;Цена\r\n"
                                     "Хляб;1;1,20\r\n"
                                     "Мляко;2;2,5x\r\n"
                                     "Сирене краве бяло;3;9.90\r\n";

class SheetCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { UseOwnSettings(settings.Path()); }
    void init() {
        StartAsFirstRun();
        feedback = RecordingFeedback{};
        chooser = ScriptedChooser{};
        frame = new CMainFrame;
        frame->Files().SetFeedback(&feedback);
        frame->Sheets().SetFeedback(&feedback);
        frame->Sheets().SetChooser(chooser.Chooser());
        file = WriteFile(folder.Path() / "prices.csv", PriceList);
        chooser.answers = {ChosenFile{file, 1}};
    }
    void cleanup() {
        delete frame;
        frame = nullptr;
    }

    void previewShowsTheRowsCountsAndProblemsAsTheTableWillTakeThem() {
        Import([](CImportDialog& dialog) {
            const auto* preview = dialog.findChild<QTableWidget*>("preview");
            EXPECT(preview->rowCount() == 3);
            EXPECT(preview->item(0, 1)->text() == "Хляб");
            EXPECT(preview->item(0, 3)->text() == "1.20");
            // The refused price is marked and says why.
            EXPECT(preview->item(1, 3)->text().isEmpty());
            EXPECT(!preview->item(1, 3)->toolTip().isEmpty());
            // The long name is kept and told as the command line tells it.
            const QString tooLong = QString::fromStdString(
                FormatMessage(ids::ImportAtCell, 4, 1, "Име") +
                FormatMessage(ids::ImportTextTooLong, "Сирене краве бяло", 12));
            EXPECT(preview->item(2, 1)->toolTip() == tooLong);
            const auto* problems = dialog.findChild<QListWidget*>("problems");
            EXPECT(problems->count() == 2 && problems->item(1)->text() == tooLong);
            const auto* counts = dialog.findChild<QLabel*>("counts");
            EXPECT(counts->text().contains(
                QString::fromStdString(FormatMessage(ids::ImportSummary, 3, 2))));
            EXPECT(counts->text().contains("utf-8"));
            return false;
        });
        QCOMPARE(chooser.asked.at(0).kind, FileDialogKind::ImportSheet);
    }

    void aChangedColumnChangesThePreview() {
        Import([](CImportDialog& dialog) {
            const auto* preview = dialog.findChild<QTableWidget*>("preview");
            dialog.ChooseColumn(1, -1); // no names
            EXPECT(preview->item(0, 1)->text().isEmpty());
            dialog.ChooseColumn(3, -1); // no prices either: the problems go
            EXPECT(dialog.Plan().problems.empty());
            dialog.ChooseColumn(1, 0);
            EXPECT(preview->item(2, 1)->text() == "Сирене краве бяло");
            return false;
        });
    }

    void cancelChangesNothing() {
        Grid().SetItemText(5, 1, "Old");
        frame->Files().Unsaved().MarkKept(TableKind::Articles);
        const std::string before = TableFileText(Grid().Cells());
        QVERIFY(!Import([](CImportDialog&) { return false; }));
        QCOMPARE(TableFileText(Grid().Cells()), before);
        QVERIFY(!frame->Files().Unsaved().IsChanged(TableKind::Articles));
    }

    void okReplacesTheTableAndMarksItChanged() {
        Grid().SetItemText(5, 1, "Old");
        frame->Files().Unsaved().MarkKept(TableKind::Articles);
        QVERIFY(Import([](CImportDialog&) { return true; }));
        QCOMPARE(Cp1251ToUtf8(TableFileText(Grid().Cells())),
                 std::string("1\tХляб\t\t1.20\t\t\t\t\r\n"
                             "2\tМляко\t\t\t\t\t\t\r\n"
                             "3\tСирене краве бяло\t\t9.90\t\t\t\t\r\n"));
        QVERIFY(frame->Files().Unsaved().IsChanged(TableKind::Articles));
        QVERIFY(feedback.messages.empty());
    }

    void exportWritesTheCurrentTableByTheChosenType() {
        Grid().SetItemText(1, 3, "1.5");
        const std::string out = (folder.Path() / "out.csv").string();
        chooser.answers = {ChosenFile{out, 2}};
        QVERIFY(frame->Sheets().OnExportSheet());
        QVERIFY(ReadFile(out).find("1,,,1.50,,,,\r\n") != std::string::npos);
        QCOMPARE(chooser.asked.at(0).kind, FileDialogKind::ExportSheet);
    }

private:
    // Checks inside the dialog runner, which returns a bool and so cannot use QVERIFY.
    static void EXPECT(bool condition) {
        if (!condition) {
            QFAIL("expectation in the import dialog failed");
        }
    }
    bool Import(const ImportDialogRunner& runner) {
        frame->Sheets().SetDialogRunner(runner);
        return frame->Sheets().OnImportSheet();
    }
    CTableGrid& Grid() { return frame->View().Grid(TableKind::Articles); }

    TempFolder settings{"tillora-sheet-commands-settings"};
    TempFolder folder{"tillora-sheet-commands"};
    RecordingFeedback feedback;
    ScriptedChooser chooser;
    CMainFrame* frame = nullptr;
    std::string file;
};

QTEST_MAIN(SheetCommandsTest)
#include "SheetCommandsTest.moc"
