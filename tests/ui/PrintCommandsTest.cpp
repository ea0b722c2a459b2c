#include "ui/PrintCommands.h"
#include "ModalSteps.h"
#include "ui/Commands.h"
#include "ui/KassivoView.h"
#include "ui/MainFrame.h"
#include "ui/TableGrid.h"

#include "grid/GridPrinter.h"
#include "link/EcrSettings.h"

#include <QAbstractPrintDialog>
#include <QAction>
#include <QFile>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>
#include <vector>

using namespace tillora;
using test::BoxSeen;
using test::ModalSteps;
using test::ReadAndClose;

namespace {

// The dialogs as a person would answer them: print and preview go to a PDF file.
class PdfDialogs final : public IPrintDialogs {
public:
    explicit PdfDialogs(QString path) : pdfPath(std::move(path)) {}

    bool ChoosePrinter(QPrinter& printer, int pageCount, QWidget* parent) override {
        ++printDialogs;
        offeredPages = pageCount;
        rangeAtOpening = printer.pageRanges().isEmpty() && printer.fromPage() == 0 &&
                         printer.printRange() == QPrinter::AllPages;
        parentSeen = parent;
        if (!accept) {
            return false;
        }
        ToPdf(printer);
        if (choose) {
            choose(printer);
        }
        return true;
    }
    void Preview(QPrinter& printer, const std::function<void(QPrinter&)>& paint,
                 QWidget* parent) override {
        ++previews;
        parentSeen = parent;
        ToPdf(printer);
        paint(printer);
    }
    bool SetUpPage(QPrinter& printer, QWidget* parent) override {
        ++pageSetups;
        parentSeen = parent;
        if (!accept) {
            return false;
        }
        printer.setPageLayout(layout);
        return true;
    }

    void ToPdf(QPrinter& printer) const {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
    }

    QString pdfPath;
    bool accept = true;
    std::function<void(QPrinter&)> choose; // what the person chose beyond the file
    QPageLayout layout{QPageSize(QPageSize::A5), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter};
    int printDialogs = 0;
    int previews = 0;
    int pageSetups = 0;
    int offeredPages = -1;
    bool rangeAtOpening = false;
    QWidget* parentSeen = nullptr;
};

// The page objects of a PDF file (its page tree node, "/Pages", excluded).
int PdfPageCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QString text = QString::fromLatin1(file.readAll());
    return static_cast<int>(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b"))));
}

// The size of the first page in points.
QSizeF PdfPageSize(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QRegularExpression box(QStringLiteral(
        "/MediaBox\\s*\\[\\s*([-\\d.]+)\\s+([-\\d.]+)\\s+([-\\d.]+)\\s+([-\\d.]+)\\s*\\]"));
    const QRegularExpressionMatch match = box.match(QString::fromLatin1(file.readAll()));
    if (!match.hasMatch()) {
        return {};
    }
    return {match.captured(3).toDouble() - match.captured(1).toDouble(),
            match.captured(4).toDouble() - match.captured(2).toDouble()};
}

} // namespace

class PrintCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        ConnectionSettings() = {};
        QVERIFY(folder.isValid());
        pdf = folder.filePath(QStringLiteral("table.pdf"));
        QFile::remove(pdf);
        frame = new CMainFrame;
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        frame->activateWindow();
        QTRY_VERIFY(Articles().hasFocus());
        print = frame->findChild<CPrintCommands*>();
        QVERIFY(print != nullptr);
        auto owned = std::make_unique<PdfDialogs>(pdf);
        dialogs = owned.get();
        print->SetDialogs(std::move(owned));
    }
    void cleanup() {
        delete frame;
        ConnectionSettings() = {};
    }

    void ctrlPPrintsTheWholeCurrentTableWithTheWindowAsParent() {
        frame->View().ActivateTable(TableKind::Operators);
        QTRY_VERIFY(frame->View().Grid(TableKind::Operators).hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(dialogs->printDialogs, 1);
        QCOMPARE(dialogs->offeredPages, 1);
        QCOMPARE(dialogs->parentSeen, frame);
        QCOMPARE(PdfPageCount(pdf), 1);
    }

    void theArticlesPrintOnTheirPagesAndTheDialogIsOfferedThatCount() {
        frame->Commands().Action(cmd::FilePrint)->trigger();
        QVERIFY(dialogs->offeredPages > 20);
        CGridPrinter expected(Articles().Cells(), QString(), Articles().font());
        expected.OnBeginPrinting(print->Printer());
        QCOMPARE(dialogs->offeredPages, expected.GetPageCount());
        QCOMPARE(PdfPageCount(pdf), dialogs->offeredPages);
    }

    void thePagesChosenInTheDialogAreThoseThatPrint() {
        dialogs->choose = [](QPrinter& printer) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(2, 4);
        };
        frame->Commands().Action(cmd::FilePrint)->trigger();
        QCOMPARE(PdfPageCount(pdf), 3);
    }

    void eachPrintAsksForItsRangeAnew() {
        dialogs->choose = [](QPrinter& printer) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(2, 2);
        };
        frame->Commands().Action(cmd::FilePrint)->trigger();
        QVERIFY(dialogs->rangeAtOpening);
        frame->Commands().Action(cmd::FilePrint)->trigger();
        QVERIFY(dialogs->rangeAtOpening);
    }

    void aCancelledPrintDialogPrintsNothing() {
        dialogs->accept = false;
        frame->Commands().Action(cmd::FilePrint)->trigger();
        QCOMPARE(dialogs->printDialogs, 1);
        QVERIFY(!QFile::exists(pdf));
    }

    void thePreviewShowsEveryPageEvenAfterARangeWasPrinted() {
        dialogs->choose = [](QPrinter& printer) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(2, 3);
        };
        frame->Commands().Action(cmd::FilePrint)->trigger();
        const int all = dialogs->offeredPages;
        QCOMPARE(PdfPageCount(pdf), 2);
        QFile::remove(pdf);
        frame->Commands().Action(cmd::FilePrintPreview)->trigger();
        QCOMPARE(dialogs->previews, 1);
        QCOMPARE(dialogs->parentSeen, frame);
        QCOMPARE(PdfPageCount(pdf), all);
    }

    void thePageSetUpIsKeptForLaterPrintsAndPreviews() {
        print->Printer().setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                                   QMarginsF(10, 10, 10, 10),
                                                   QPageLayout::Millimeter));
        frame->Commands().Action(cmd::FilePrint)->trigger();
        const int portraitA4 = dialogs->offeredPages;
        const QSizeF a4 = PdfPageSize(pdf);
        QVERIFY(qAbs(a4.width() - 595.3) < 1 && qAbs(a4.height() - 841.9) < 1);

        frame->Commands().Action(cmd::FilePrintSetup)->trigger();
        QCOMPARE(dialogs->pageSetups, 1);
        QCOMPARE(dialogs->parentSeen, frame);
        frame->Commands().Action(cmd::FilePrint)->trigger();
        const QSizeF a5 = PdfPageSize(pdf);
        QVERIFY2(qAbs(a5.width() - 595.3) < 1 && qAbs(a5.height() - 419.5) < 1,
                 qPrintable(QStringLiteral("%1 x %2").arg(a5.width()).arg(a5.height())));
        QVERIFY(dialogs->offeredPages > portraitA4);
        QCOMPARE(PdfPageCount(pdf), dialogs->offeredPages);

        frame->Commands().Action(cmd::FilePrintPreview)->trigger();
        QCOMPARE(PdfPageSize(pdf), a5);
    }

    void aCancelledPageSetUpChangesNothing() {
        const QPageLayout before = print->Printer().pageLayout();
        dialogs->accept = false;
        frame->Commands().Action(cmd::FilePrintSetup)->trigger();
        QVERIFY(print->Printer().pageLayout().isEquivalentTo(before));
    }

    void thePagesAreHeadedWithTheWindowTitle() {
        frame->setWindowTitle(QStringLiteral("Tillora - [Модел 1, COM1, 000123]"));
        QCOMPARE(PrintTitleOf(&Articles()), frame->windowTitle());
    }

    void whatIsBeingTypedIsPrintedToo() {
        Articles().SetFocusCell(1, 1);
        QTest::keyClick(&Articles(), 'K');
        QTRY_VERIFY(frame->View().OpenEditor() != nullptr);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("iwi"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(dialogs->printDialogs, 1);
        QCOMPARE(Articles().GetItemText(1, 1), std::string("Kiwi"));
    }

    void aPrintThatCannotBeWrittenIsReported() {
        dialogs->choose = [this](QPrinter& printer) {
            printer.setOutputFileName(folder.filePath(QStringLiteral("missing/folder/table.pdf")));
        };
        std::vector<BoxSeen> boxes;
        ModalSteps steps;
        steps.Then<QMessageBox>(ReadAndClose(boxes));
        frame->Commands().Action(cmd::FilePrint)->trigger();
        QVERIFY(steps.Done());
        QCOMPARE(boxes.size(), std::size_t(1));
        QCOMPARE(boxes[0].icon, QMessageBox::Critical);
        QCOMPARE(boxes[0].text, QStringLiteral("Таблицата не може да бъде отпечатана!"));
    }

    // ---- Qt's own dialogs ----------------------------------------------------------------------

    void theRealPreviewShowsTheTablesPages() {
        print->SetDialogs(std::make_unique<CQtPrintDialogs>());
        frame->View().ActivateTable(TableKind::Subgroups);
        int shown = -1;
        ModalSteps steps;
        steps.Then<QPrintPreviewDialog>([&shown](QPrintPreviewDialog* dialog) {
            auto* preview = dialog->findChild<QPrintPreviewWidget*>();
            shown = preview != nullptr ? preview->pageCount() : -2;
            dialog->reject();
        });
        frame->Commands().Action(cmd::FilePrintPreview)->trigger();
        QVERIFY(steps.Done());
        QCOMPARE(shown, 1);
    }

    void theRealPrintDialogOffersThePageRangeAndCancelsCleanly() {
#ifdef Q_OS_WIN
        QSKIP("Windows shows its own print dialogs, not Qt widgets that a test can work");
#endif
        print->SetDialogs(std::make_unique<CQtPrintDialogs>());
        bool selection = true;
        bool range = false;
        int minPage = -1;
        int maxPage = -1;
        ModalSteps steps;
        steps.Then<QPrintDialog>([&](QPrintDialog* dialog) {
            selection = dialog->testOption(QAbstractPrintDialog::PrintSelection);
            range = dialog->testOption(QAbstractPrintDialog::PrintPageRange);
            minPage = dialog->minPage();
            maxPage = dialog->maxPage();
            dialog->reject();
        });
        frame->Commands().Action(cmd::FilePrint)->trigger();
        QVERIFY(steps.Done());
        QVERIFY(!selection);
        QVERIFY(range);
        QCOMPARE(minPage, 1);
        CGridPrinter expected(Articles().Cells(), QString(), Articles().font());
        expected.OnBeginPrinting(print->Printer());
        QCOMPARE(maxPage, expected.GetPageCount());
    }

    void theRealPageSetUpDialogOpensOverTheWindow() {
#ifdef Q_OS_WIN
        QSKIP("Windows shows its own print dialogs, not Qt widgets that a test can work");
#endif
        print->SetDialogs(std::make_unique<CQtPrintDialogs>());
        QWidget* parent = nullptr;
        ModalSteps steps;
        steps.Then<QPageSetupDialog>([&parent](QPageSetupDialog* dialog) {
            parent = dialog->parentWidget();
            dialog->reject();
        });
        frame->Commands().Action(cmd::FilePrintSetup)->trigger();
        QVERIFY(steps.Done());
        QCOMPARE(parent, frame);
    }

private:
    CTableGrid& Articles() const {
        return frame->View().Grid(TableKind::Articles);
    }

    QTemporaryDir folder;
    QString pdf;
    CMainFrame* frame = nullptr;
    CPrintCommands* print = nullptr;
    PdfDialogs* dialogs = nullptr;
};

QTEST_MAIN(PrintCommandsTest)
#include "PrintCommandsTest.moc"
