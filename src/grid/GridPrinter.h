#pragma once

#include "tables/CellGrid.h"
#include "tables/PrintLayout.h"

#include <QFont>
#include <QString>

#include <memory>
#include <vector>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;
class QWidget;

namespace tillora {

class CPrintCellPainter;

// Prints one table: the same routine draws on a printer, in the print preview and into a PDF.
// A page holds a header (the window's title centred, the program's name at the right, a line
// under), the header rows, the page's rows with the label column, and a footer (the page number
// and count at the left, the date and time at the right, a line above).
class CGridPrinter {
public:
    // The cells must outlive the printer. The grid font is the one the cells were measured in:
    // its pixel size is kept on paper, so every text fits its column as on the screen.
    CGridPrinter(const CCellGrid& cells, QString title, const QFont& gridFont);
    ~CGridPrinter();
    CGridPrinter(const CGridPrinter&) = delete;
    CGridPrinter& operator=(const CGridPrinter&) = delete;

    // Takes the print font, measures the character unit and spreads the rows over pages of the
    // device's size; the page count is known from here on. Also takes the time the footer shows.
    void OnBeginPrinting(const QPaintDevice& device);
    int GetPageCount() const;
    const PrintLayout& Layout() const { return m_layout; }
    // Draws page 1..GetPageCount() with a painter open on a device of the size begun with.
    void OnPrint(QPainter& painter, int page);
    // Releases the fonts of the run.
    void OnEndPrinting();

    // The whole run on a printer, preview or PDF writer: the printer's page range when it has
    // one, else every page. False when the device cannot be painted on.
    bool Print(QPagedPaintDevice& device);

private:
    void DrawHeader(QPainter& painter) const;
    void DrawFooter(QPainter& painter, int page) const;
    void DrawRows(QPainter& painter, int firstRow, int lastRow, int top);
    void DrawGridLines(QPainter& painter, int top, int bottom,
                       const std::vector<int>& rowEdges) const;

    const CCellGrid& m_cells;
    QString m_title;
    QFont m_gridFont;
    QFont m_boldFont;
    std::unique_ptr<CPrintCellPainter> m_cellPainter; // from begin to end of printing
    PrintLayout m_layout;
    double m_scale = 1.0;
    QString m_dateTime;
};

// The title a page header shows: the first non-empty window title from the widget outwards.
QString PrintTitleOf(const QWidget* widget);

} // namespace tillora
