#include "FullTables.h"
#include "GuiFigures.h"
#include "QuietFeedback.h"
#include "grid/GridPrinter.h"
#include "tables/MemoryGridAccess.h"
#include "tables/TableReader.h"
#include "tables/TableSetup.h"
#include "tables/TableWriter.h"

#include <QPdfWriter>

#include <fstream>

namespace tillora::bench {

QString WriteArticlesFile(const QString& folder) {
    CCellGrid articles;
    SetupTable(articles, TableKind::Articles);
    FillCells(articles);
    const QString path = folder + QStringLiteral("/articles.txt");
    std::ofstream file(path.toStdString(), std::ios::binary);
    file << TableFileText(articles);
    return file ? path : QString();
}

void CoreFigures(CFigures& figures, const QString& folder) {
    const QString file = WriteArticlesFile(folder);
    figures.Check(!file.isEmpty(), "the articles file is written");
    CCellGrid cells;
    SetupTable(cells, TableKind::Articles);
    CMemoryGridAccess access(cells);
    TableReader reader(access);
    test::QuietFeedback feedback;
    const double read = CFigures::MedianMs(
        [&] { ClearTable(cells); }, [&] { reader.ReadTableFile(file.toStdString(), feedback); });
    figures.Check(feedback.messages == 0 && !cells.GetItemText(2600, 7).empty(),
                  "the file read fills the last row");
    figures.Report("read the articles file into the cells alone", read, "ms", 50);

    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(14);
    const QString pdf = folder + QStringLiteral("/cells.pdf");
    CGridPrinter printer(cells, QStringLiteral("Tillora"), font);
    const double print = CFigures::MedianMs([] {},
                                            [&] {
                                                QPdfWriter writer(pdf);
                                                writer.setPageSize(QPageSize(QPageSize::A4));
                                                printer.Print(writer);
                                            });
    figures.Report("print the cells alone to PDF", print, "ms", 3000);
}

} // namespace tillora::bench
