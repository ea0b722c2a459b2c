#include "ui/FindDialog.h"
#include "ModalSteps.h"
#include "ui/Commands.h"
#include "ui/KassivoView.h"
#include "ui/MainFrame.h"
#include "ui/TableGrid.h"

#include "link/Cp1251.h"
#include "link/EcrSettings.h"
#include "tables/Find.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <string>
#include <vector>

using namespace tillora;
using test::BoxSeen;
using test::ModalSteps;
using test::ReadAndClose;
using test::TypeText;

namespace {

const QString TableEnd =
    QStringLiteral("Търсенето достигна до края на таблицата.\nТърсеният текст не е открит!");
const QString SelectionEnd =
    QStringLiteral("Търсенето достигна до края на избраните клетки.\nТърсеният текст не е открит!");
const QString TableStart =
    QStringLiteral("Търсенето достигна до началото на таблицата.\nТърсеният текст не е открит!");
const QString NoText = QStringLiteral("Няма текст който да се търси!");

// A step that fills in the find dialog and presses Enter, as a person does.
std::function<void(CFindDialog*)> Search(const QString& text, bool matchCase = false,
                                         bool selectedOnly = false) {
    return [=](CFindDialog* dialog) {
        TypeText(dialog->TextEdit(), text);
        dialog->MatchCaseBox()->setChecked(matchCase);
        dialog->SelectedOnlyBox()->setChecked(selectedOnly);
        QTest::keyClick(dialog->TextEdit(), Qt::Key_Return);
    };
}

std::string Cp(const char* utf8) {
    return Utf8ToCp1251(utf8);
}

} // namespace

class FindDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        ConnectionSettings() = {};
        TheLastSearch() = {};
        frame = new CMainFrame;
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        frame->activateWindow();
        QTRY_VERIFY(Articles().hasFocus());
        // Row 1: Bread, row 2: Milk / 112.00, row 3: ХЛЯБ БЯЛ, row 4: bread rolls
        Articles().SetItemText(1, 1, "Bread");
        Articles().SetItemText(2, 1, "Milk");
        Articles().SetItemText(2, 3, "112");
        Articles().SetItemText(3, 1, Cp("ХЛЯБ БЯЛ"));
        Articles().SetItemText(40, 1, "bread rolls");
    }
    void cleanup() {
        delete frame;
        ConnectionSettings() = {};
        TheLastSearch() = {};
    }

    // ---- The dialog ----------------------------------------------------------------------------

    void theDialogIsSearchWithItsFieldsEmptyAndFindAsTheDefaultButton() {
        CFindDialog dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Търси"));
        const auto labels = dialog.findChildren<QLabel*>();
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels[0]->text(), QStringLiteral("Търси:"));
        QCOMPARE(labels[0]->buddy(), dialog.TextEdit());
        QVERIFY(dialog.TextEdit()->text().isEmpty());
        QCOMPARE(dialog.TextEdit()->maxLength(), 50);
        QCOMPARE(dialog.MatchCaseBox()->text(),
                 QStringLiteral("&Разлика между големи и малки букви"));
        QCOMPARE(dialog.SelectedOnlyBox()->text(),
                 QStringLiteral("Търси само в &избраните клетки"));
        QVERIFY(!dialog.MatchCaseBox()->isChecked());
        QVERIFY(!dialog.SelectedOnlyBox()->isChecked());
        QCOMPARE(dialog.FindButton()->text(), QStringLiteral("&Търси"));
        QVERIFY(dialog.FindButton()->isDefault());
        QCOMPARE(dialog.CancelButton()->text(), QStringLiteral("Отказ"));
    }

    void theDialogGivesItsTextInWindows1251AndItsOptions() {
        CFindDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        TypeText(dialog.TextEdit(), QStringLiteral("Хляб №1"));
        QTest::keyClick(dialog.MatchCaseBox(), Qt::Key_Space);
        QCOMPARE(dialog.Text(), Cp("Хляб №1"));
        QVERIFY(dialog.MatchCase());
        QVERIFY(!dialog.SelectedOnly());
        QTest::keyClick(dialog.TextEdit(), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void theTextTakesAtMostFiftyCharacters() {
        CFindDialog dialog;
        TypeText(dialog.TextEdit(), QString(60, QChar(u'я')));
        QCOMPARE(dialog.Text(), std::string(50, '\xFF'));
    }

    void escapeCancels() {
        CFindDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClick(dialog.TextEdit(), Qt::Key_Escape);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    // ---- Find in the window --------------------------------------------------------------------

    void ctrlFFindsFromTheFirstCellWhereverTheFocusIs() {
        Articles().SetFocusCell(30, 2);
        ModalSteps steps;
        steps.Then<CFindDialog>(Search(QStringLiteral("bread")));
        QTest::keyClick(&Articles(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(steps.Done());
        QCOMPARE(Articles().GetFocusCell(), (CCellID{1, 1}));
        QCOMPARE(frame->focusWidget(), &Articles());
    }

    void theMenuItemOpensTheDialogToo() {
        ModalSteps steps;
        steps.Then<CFindDialog>(Search(QStringLiteral("milk")));
        frame->Commands().Action(cmd::EditFind)->trigger();
        QVERIFY(steps.Done());
        QCOMPARE(Articles().GetFocusCell(), (CCellID{2, 1}));
    }

    void twelveFindsThePrice112() {
        ModalSteps steps;
        steps.Then<CFindDialog>(Search(QStringLiteral("12")));
        QTest::keyClick(&Articles(), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(Articles().GetFocusCell(), (CCellID{2, 3}));
    }

    void smallCyrillicLettersFindCapitalsUnlessCaseMatters() {
        std::vector<BoxSeen> boxes;
        ModalSteps steps;
        steps.Then<CFindDialog>(Search(QStringLiteral("бял")))
            .Then<CFindDialog>(Search(QStringLiteral("бял"), true))
            .Then<QMessageBox>(ReadAndClose(boxes));
        QTest::keyClick(&Articles(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(BackToTheWindow());
        QCOMPARE(Articles().GetFocusCell(), (CCellID{3, 1}));
        QTest::keyClick(&Articles(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(steps.Done());
        QCOMPARE(boxes.size(), std::size_t(1));
        QCOMPARE(boxes[0].text, TableEnd);
        QCOMPARE(Articles().GetFocusCell(), (CCellID{3, 1}));
    }

    void theDialogOpensEmptyEveryTime() {
        QString textSeen = QStringLiteral("not seen");
        bool boxesSeen = true;
        ModalSteps steps;
        steps.Then<CFindDialog>(Search(QStringLiteral("milk"), true, true))
            .Then<QMessageBox>([](QMessageBox* box) { box->defaultButton()->click(); })
            .Then<CFindDialog>([&](CFindDialog* dialog) {
                textSeen = dialog->TextEdit()->text();
                boxesSeen =
                    dialog->MatchCaseBox()->isChecked() || dialog->SelectedOnlyBox()->isChecked();
                dialog->CancelButton()->click();
            });
        QTest::keyClick(&Articles(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(BackToTheWindow());
        QTest::keyClick(&Articles(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(steps.Done());
        QCOMPARE(textSeen, QString());
        QVERIFY(!boxesSeen);
    }

    void cancelChangesNothing() {
        TheLastSearch() = {"Milk", true, false};
        Articles().SetFocusCell(5, 2);
        ModalSteps steps;
        steps.Then<CFindDialog>([](CFindDialog* dialog) {
            QTest::keyClicks(dialog->TextEdit(), QStringLiteral("bread"));
            QTest::keyClick(dialog->TextEdit(), Qt::Key_Escape);
        });
        QTest::keyClick(&Articles(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(steps.Done());
        QCOMPARE(TheLastSearch().text, std::string("Milk"));
        QCOMPARE(Articles().GetFocusCell(), (CCellID{5, 2}));
    }

    // ---- Find next and previous ----------------------------------------------------------------

    void f3GoesOnAndAltF3GoesBack() {
        ModalSteps steps;
        steps.Then<CFindDialog>(Search(QStringLiteral("bread")));
        QTest::keyClick(&Articles(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(BackToTheWindow());
        QCOMPARE(Articles().GetFocusCell(), (CCellID{1, 1}));
        QTest::keyClick(&Articles(), Qt::Key_F3);
        QCOMPARE(Articles().GetFocusCell(), (CCellID{40, 1}));
        QTest::keyClick(&Articles(), Qt::Key_F3, Qt::AltModifier);
        QCOMPARE(Articles().GetFocusCell(), (CCellID{1, 1}));
    }

    void theEndAndTheStartAreToldWithTheInformationIcon() {
        TheLastSearch() = {"bread", false, false};
        Articles().SetFocusCell(40, 1);
        std::vector<BoxSeen> boxes;
        ModalSteps steps;
        steps.Then<QMessageBox>(ReadAndClose(boxes)).Then<QMessageBox>(ReadAndClose(boxes));
        QTest::keyClick(&Articles(), Qt::Key_F3);
        QVERIFY(BackToTheWindow());
        Articles().SetFocusCell(1, 1);
        QTest::keyClick(&Articles(), Qt::Key_F3, Qt::AltModifier);
        QVERIFY(steps.Done());
        QCOMPARE(boxes.size(), std::size_t(2));
        QCOMPARE(boxes[0].icon, QMessageBox::Information);
        QCOMPARE(boxes[0].text, TableEnd);
        QCOMPARE(boxes[1].icon, QMessageBox::Information);
        QCOMPARE(boxes[1].text, TableStart);
        QCOMPARE(Articles().GetFocusCell(), (CCellID{1, 1}));
        QCOMPARE(frame->focusWidget(), &Articles());
    }

    void anEmptyTextIsAnErrorAndLeavesF3NothingToSearchFor() {
        TheLastSearch() = {"bread", false, false};
        std::vector<BoxSeen> boxes;
        ModalSteps steps;
        steps.Then<CFindDialog>(Search(QString()))
            .Then<QMessageBox>(ReadAndClose(boxes))
            .Then<QMessageBox>(ReadAndClose(boxes));
        QTest::keyClick(&Articles(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(BackToTheWindow());
        QTest::keyClick(&Articles(), Qt::Key_F3);
        QVERIFY(steps.Done());
        QCOMPARE(boxes.size(), std::size_t(2));
        for (const BoxSeen& box : boxes) {
            QCOMPARE(box.icon, QMessageBox::Critical);
            QCOMPARE(box.text, NoText);
        }
        QVERIFY(TheLastSearch().text.empty());
    }

    void selectedOnlySearchesTheSelectionAndLeavesIt() {
        Articles().SetSelectedRange({2, 1, 40, 1});
        std::vector<BoxSeen> boxes;
        ModalSteps steps;
        steps.Then<CFindDialog>(Search(QStringLiteral("bread"), false, true))
            .Then<QMessageBox>(ReadAndClose(boxes));
        QTest::keyClick(&Articles(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(BackToTheWindow());
        QCOMPARE(Articles().GetFocusCell(), (CCellID{40, 1}));
        QTest::keyClick(&Articles(), Qt::Key_F3);
        QVERIFY(steps.Done());
        QCOMPARE(boxes.size(), std::size_t(1));
        QCOMPARE(boxes[0].text, SelectionEnd);
        QCOMPARE(Articles().GetSelectedCellRange(), (CCellRange{2, 1, 40, 1}));
        QCOMPARE(Articles().GetSelectedCount(), 39);
    }

    void afterATableChangeF3SearchesTheNewTable() {
        TheLastSearch() = {"bread", false, false};
        CTableGrid& operators = frame->View().Grid(TableKind::Operators);
        operators.SetItemText(4, 1, "Breadman");
        QTest::keyClick(&Articles(), Qt::Key_F6);
        QTRY_VERIFY(operators.hasFocus());
        QTest::keyClick(&operators, Qt::Key_F3);
        QCOMPARE(operators.GetFocusCell(), (CCellID{4, 1}));
        QCOMPARE(Articles().GetFocusCell(), (CCellID{1, 1}));
    }

    void f3WhileEditingCommitsTheEditFirst() {
        TheLastSearch() = {"bread", false, false};
        Articles().SetFocusCell(5, 1);
        QTest::keyClick(&Articles(), Qt::Key_X);
        QTRY_VERIFY(frame->View().OpenEditor() != nullptr);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
        QCOMPARE(Articles().GetItemText(5, 1), std::string("x"));
        QCOMPARE(Articles().GetFocusCell(), (CCellID{40, 1}));
        QVERIFY(frame->View().OpenEditor() == nullptr);
    }

private:
    // A closed dialog or box gives the activation back to the window on a desktop, not on the
    // offscreen platform; the window's keys work only while it is active.
    bool BackToTheWindow() {
        frame->activateWindow();
        return QTest::qWaitForWindowActive(frame);
    }
    CTableGrid& Articles() const { return frame->View().Grid(TableKind::Articles); }

    CMainFrame* frame = nullptr;
};

QTEST_MAIN(FindDialogTest)
#include "FindDialogTest.moc"
