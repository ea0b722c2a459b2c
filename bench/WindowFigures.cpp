#include "FullTables.h"
#include "GuiFigures.h"
#include "QuietFeedback.h"
#include "grid/GridPrinter.h"
#include "tables/TableSetup.h"
#include "ui/KassivoView.h"
#include "ui/MainFrame.h"
#include "ui/TableGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPdfWriter>
#include <QUndoStack>

#include <algorithm>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace tillora::bench {
namespace {

constexpr int LastRow = 2600;

// The process's resident memory as the kernel counts it, in megabytes; -1 where it is not told.
double ResidentMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stod(line.substr(6)) / 1024.0;
        }
    }
    return -1;
}

// What a user would see: the grid painted now, not at the next turn of the event loop.
void PaintNow(CGridCtrl& grid) {
    grid.viewport()->repaint();
}

void ClearShown(CGridCtrl& grid) {
    ClearTable(grid.Cells());
    PaintNow(grid);
}

void PressKey(QWidget& target, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(&target, &release);
}

void FillSixTables(CKassivoView& view) {
    for (TableKind kind : AllTables) {
        CTableGrid& grid = view.Grid(kind);
        FillCells(grid.Cells());
        view.SetCurtab(TableIndex(kind));
        QApplication::processEvents();
        PaintNow(grid);
    }
    view.SetCurtab(TableIndex(TableKind::Articles));
    QApplication::processEvents();
}

void ReadFigure(CFigures& figures, CKassivoView& view, CGridCtrl& grid, const QString& file) {
    test::QuietFeedback feedback;
    const double ms = CFigures::MedianMs(
        [&] { ClearShown(grid); },
        [&] {
            view.Reader(view.CurrentTable()).ReadTableFile(file.toStdString(), feedback);
            PaintNow(grid);
        });
    figures.Check(feedback.messages == 0 && !grid.GetItemText(LastRow, 7).empty(),
                  "the file read fills the last row");
    figures.Report("read a 2600-row articles file into the grid on screen", ms, "ms", 50);
}

void PasteFigure(CFigures& figures, CGridCtrl& grid) {
    const std::string text = ClipboardText(grid.Cells());
    int stepsBefore = 0;
    const double ms = CFigures::MedianMs(
        [&] {
            ClearShown(grid);
            grid.SetSelectedRange({});
            grid.SetFocusCell(1, 1);
            QApplication::clipboard()->setText(QString::fromStdString(Cp1251ToUtf8(text)));
            stepsBefore = static_cast<int>(grid.Cells().UndoCount());
        },
        [&] {
            grid.OnEditPaste();
            PaintNow(grid);
        });
    figures.Check(static_cast<int>(grid.Cells().UndoCount()) == stepsBefore + 1,
                  "the paste is one undo step");
    figures.Check(!grid.GetItemText(LastRow, 7).empty(), "the paste fills the last row");
    figures.Report("paste 2600 x 7 cells through the edit path, with undo", ms, "ms", 150);
}

void CopyFigure(CFigures& figures, CGridCtrl& grid) {
    const double ms = CFigures::MedianMs([&] { grid.SetSelectedRange({}); },
                                         [&] {
                                             grid.OnEditSelectAll();
                                             grid.OnEditCopy();
                                         });
    const QString copied = QApplication::clipboard()->text();
    figures.Check(copied.count(QLatin1Char('\n')) == LastRow - 1, "the copy holds every row");
    figures.Report("select all and copy the articles table", ms, "ms", 50);
}

void PaintFigures(CFigures& figures, CGridCtrl& grid) {
    grid.SetSelectedRange({});
    grid.SetFocusCell(1, 1);
    grid.EnsureVisible(1, 1);
    // The median of many single paints: on a shared machine one slow paint says little.
    constexpr int Paints = 51;
    std::vector<double> paints;
    for (int i = 0; i < Paints; ++i) {
        paints.push_back(CFigures::MillisecondsOf([&] { PaintNow(grid); }));
    }
    std::sort(paints.begin(), paints.end());
    std::printf("  (fastest %.1f ms, slowest %.1f ms)\n", paints.front(), paints.back());
    figures.Report("paint one screen of the articles grid", paints[Paints / 2], "ms", 5);

    int pages = 0;
    const double paging = CFigures::MillisecondsOf([&] {
        while (grid.GetFocusCell().row < LastRow && pages <= LastRow) {
            PressKey(grid, Qt::Key_PageDown);
            PaintNow(grid);
            ++pages;
        }
    });
    figures.Check(grid.GetFocusCell().row == LastRow, "Page Down reaches the last row");
    std::printf("  (%d pages of %d rows)\n", pages, LastRow);
    figures.Report("page from the first row to the last", paging, "ms", 1000);
}

void PrintFigure(CFigures& figures, CGridCtrl& grid, const QString& folder) {
    const QString pdf = folder + QStringLiteral("/window.pdf");
    CGridPrinter printer(grid.Cells(), PrintTitleOf(&grid), grid.font());
    const double ms = CFigures::MedianMs([] {},
                                         [&] {
                                             QPdfWriter writer(pdf);
                                             writer.setPageSize(QPageSize(QPageSize::A4));
                                             printer.Print(writer);
                                         });
    std::printf("  (%d pages)\n", printer.GetPageCount());
    figures.Report("print the full articles table to PDF", ms, "ms", 3000);
}

} // namespace

void WindowFigures(CFigures& figures, const QString& folder) {
    const double before = ResidentMegabytes();
    // What the user waits for at start: the window with its six tables built, shown and drawn.
    std::unique_ptr<CMainFrame> window;
    const double startMs = CFigures::MillisecondsOf([&] {
        window = std::make_unique<CMainFrame>();
        window->resize(1920, 1080);
        window->show();
        QApplication::processEvents();
        window->repaint();
    });
    figures.Report("create, show and paint the window with its six tables", startMs, "ms", 300);
    CMainFrame& frame = *window;
    CKassivoView& view = frame.View();
    FillSixTables(view);
    std::printf("  (%.1f MB before the window)\n", before);
    figures.Report("the window with six full tables, resident", ResidentMegabytes(), "MB", 80);

    CGridCtrl& articles = view.Grid(TableKind::Articles);
    const QString file = WriteArticlesFile(folder);
    figures.Check(!file.isEmpty(), "the articles file is written");
    ReadFigure(figures, view, articles, file);
    PasteFigure(figures, articles);
    CopyFigure(figures, articles);
    PaintFigures(figures, articles);
    PrintFigure(figures, articles, folder);
}

} // namespace tillora::bench
