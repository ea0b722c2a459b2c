#include "ui/GoToRowDialog.h"
#include "ModalSteps.h"
#include "support/RecordingFeedback.h"
#include "ui/Commands.h"
#include "ui/KassivoView.h"
#include "ui/MainFrame.h"
#include "ui/TableGrid.h"

#include "link/EcrSettings.h"
#include "res/StringIds.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <vector>

using namespace tillora;
using test::BoxSeen;
using test::ModalSteps;
using test::ReadAndClose;

namespace {

// A step that types the number into the dialog and presses Enter.
std::function<void(CGoToRowDialog*)> Enter(const QString& number) {
    return [number](CGoToRowDialog* dialog) {
        dialog->NumberEdit()->selectAll();
        QTest::keyClicks(dialog->NumberEdit(), number);
        QTest::keyClick(dialog->NumberEdit(), Qt::Key_Return);
    };
}

} // namespace

class GoToRowDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        ConnectionSettings() = {};
        frame = new CMainFrame;
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        frame->activateWindow();
        QTRY_VERIFY(Articles().hasFocus());
    }
    void cleanup() {
        delete frame;
        ConnectionSettings() = {};
    }

    // ---- The dialog ----------------------------------------------------------------------------

    void theDialogAsksForANumberBetweenOneAndTheTablesRows() {
        test::RecordingFeedback feedback;
        CGoToRowDialog dialog(2600, feedback);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Отиди на ред ..."));
        QCOMPARE(dialog.Prompt()->text(), QStringLiteral("Въведете номер между 1 и 2600"));
        QCOMPARE(dialog.Prompt()->buddy(), dialog.NumberEdit());
        QVERIFY(dialog.NumberEdit()->text().isEmpty());
        QCOMPARE(dialog.NumberEdit()->maxLength(), 4);
        QCOMPARE(dialog.OkButton()->text(), QStringLiteral("OK"));
        QVERIFY(dialog.OkButton()->isDefault());
        QCOMPARE(dialog.CancelButton()->text(), QStringLiteral("Отказ"));
        QCOMPARE(dialog.MaxRow(), 2600);
        QCOMPARE(dialog.Row(), 0);
    }

    void okTakesTheNumber() {
        test::RecordingFeedback feedback;
        CGoToRowDialog dialog(2600, feedback);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClicks(dialog.NumberEdit(), QStringLiteral("2600"));
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Row(), 2600);
        QVERIFY(feedback.messages.empty());
    }

    void aBadNumberIsRefusedWith20031AndTheDialogStaysWithTheFocusInTheNumber() {
        for (const QString& text : {QString(), QStringLiteral("0"), QStringLiteral("2601"),
                                    QStringLiteral("12a"), QStringLiteral("-1")}) {
            test::RecordingFeedback feedback;
            CGoToRowDialog dialog(2600, feedback);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            dialog.activateWindow();
            QTest::keyClicks(dialog.NumberEdit(), text);
            dialog.OkButton()->setFocus();
            QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
            QVERIFY2(dialog.isVisible(), qPrintable(text));
            QCOMPARE(dialog.Row(), 0);
            QCOMPARE(feedback.Ids(), std::vector<unsigned>{ids::EnterRowNumber});
            QCOMPARE(feedback.messages[0].icon, MessageIcon::Error);
            QCOMPARE(feedback.messages[0].text, std::string("Въведете номер между 1 и 2600"));
            QTRY_VERIFY(dialog.NumberEdit()->hasFocus());
        }
    }

    void theNumberTakesAtMostFourCharacters() {
        test::RecordingFeedback feedback;
        CGoToRowDialog dialog(2600, feedback);
        QTest::keyClicks(dialog.NumberEdit(), QStringLiteral("123456"));
        QCOMPARE(dialog.NumberEdit()->text(), QStringLiteral("1234"));
    }

    // ---- Go to row in the window ---------------------------------------------------------------

    void ctrlGGoesToTheLastArticleAndShowsIt() {
        QString prompt;
        ModalSteps steps;
        steps.Then<CGoToRowDialog>([&prompt](CGoToRowDialog* dialog) {
            prompt = dialog->Prompt()->text();
            Enter(QStringLiteral("2600"))(dialog);
        });
        QTest::keyClick(&Articles(), Qt::Key_G, Qt::ControlModifier);
        QVERIFY(steps.Done());
        QCOMPARE(prompt, QStringLiteral("Въведете номер между 1 и 2600"));
        QCOMPARE(Articles().GetFocusCell(), (CCellID{2600, 1}));
        QCOMPARE(frame->focusWidget(), &Articles());
        const QModelIndex last = Articles().Model()->IndexOf(2600, 1);
        QVERIFY(Articles().viewport()->rect().contains(Articles().visualRect(last)));
    }

    void aRefusedNumberShowsTheErrorBoxAndTheDialogWaitsForAnother() {
        std::vector<BoxSeen> boxes;
        ModalSteps steps;
        steps.Then<CGoToRowDialog>(Enter(QStringLiteral("2601")))
            .Then<QMessageBox>(ReadAndClose(boxes))
            .Then<CGoToRowDialog>(Enter(QStringLiteral("12a")))
            .Then<QMessageBox>(ReadAndClose(boxes))
            .Then<CGoToRowDialog>(Enter(QStringLiteral("0")))
            .Then<QMessageBox>(ReadAndClose(boxes))
            .Then<CGoToRowDialog>(Enter(QString()))
            .Then<QMessageBox>(ReadAndClose(boxes))
            .Then<CGoToRowDialog>(Enter(QStringLiteral("12")));
        QTest::keyClick(&Articles(), Qt::Key_G, Qt::ControlModifier);
        QVERIFY(steps.Done());
        QCOMPARE(boxes.size(), std::size_t(4));
        for (const BoxSeen& box : boxes) {
            QCOMPARE(box.icon, QMessageBox::Critical);
            QCOMPARE(box.text, QStringLiteral("Въведете номер между 1 и 2600"));
        }
        QCOMPARE(Articles().GetFocusCell(), (CCellID{12, 1}));
    }

    void theCompanyTableRefusesSevenAndTakesSix() {
        frame->View().ActivateTable(TableKind::Company);
        CTableGrid& company = frame->View().Grid(TableKind::Company);
        QTRY_VERIFY(company.hasFocus());
        QString prompt;
        std::vector<BoxSeen> boxes;
        ModalSteps steps;
        steps
            .Then<CGoToRowDialog>([&prompt](CGoToRowDialog* dialog) {
                prompt = dialog->Prompt()->text();
                Enter(QStringLiteral("7"))(dialog);
            })
            .Then<QMessageBox>(ReadAndClose(boxes))
            .Then<CGoToRowDialog>(Enter(QStringLiteral("6")));
        frame->Commands().Action(cmd::GoToRow)->trigger();
        QVERIFY(steps.Done());
        QCOMPARE(prompt, QStringLiteral("Въведете номер между 1 и 6"));
        QCOMPARE(boxes.size(), std::size_t(1));
        QCOMPARE(boxes[0].text, QStringLiteral("Въведете номер между 1 и 6"));
        QCOMPARE(company.GetFocusCell(), (CCellID{6, 1}));
    }

    void theNumberIsAGridRowNotARowLabel() {
        frame->View().ActivateTable(TableKind::Subgroups);
        CTableGrid& subgroups = frame->View().Grid(TableKind::Subgroups);
        subgroups.SetFocusCell(5, 2);
        ModalSteps steps;
        steps.Then<CGoToRowDialog>(Enter(QStringLiteral("1")));
        frame->Commands().Action(cmd::GoToRow)->trigger();
        QVERIFY(steps.Done());
        QCOMPARE(subgroups.GetFocusCell(), (CCellID{1, 1}));
        QCOMPARE(subgroups.GetItemText(1, 0), std::string("0"));
    }

    void cancelChangesNothing() {
        Articles().SetFocusCell(7, 3);
        ModalSteps steps;
        steps.Then<CGoToRowDialog>([](CGoToRowDialog* dialog) {
            QTest::keyClicks(dialog->NumberEdit(), QStringLiteral("99"));
            dialog->CancelButton()->click();
        });
        QTest::keyClick(&Articles(), Qt::Key_G, Qt::ControlModifier);
        QVERIFY(steps.Done());
        QCOMPARE(Articles().GetFocusCell(), (CCellID{7, 3}));
    }

    void goingToARowLeavesTheSelectionAsItWas() {
        Articles().SetSelectedRange({3, 2, 5, 4});
        ModalSteps steps;
        steps.Then<CGoToRowDialog>(Enter(QStringLiteral("100")));
        QTest::keyClick(&Articles(), Qt::Key_G, Qt::ControlModifier);
        QVERIFY(steps.Done());
        QCOMPARE(Articles().GetFocusCell(), (CCellID{100, 1}));
        QCOMPARE(Articles().GetSelectedCellRange(), (CCellRange{3, 2, 5, 4}));
        QCOMPARE(Articles().GetSelectedCount(), 9);
    }

private:
    CTableGrid& Articles() const { return frame->View().Grid(TableKind::Articles); }

    CMainFrame* frame = nullptr;
};

QTEST_MAIN(GoToRowDialogTest)
#include "GoToRowDialogTest.moc"
