#include "grid/GridPrinter.h"

#include "grid/PrintCellPainter.h"
#include "grid/QtText.h"
#include "link/Message.h"
#include "res/StringIds.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QWidget>

#include <algorithm>
#include <ctime>

namespace tillora {
namespace {

const QColor Ink = Qt::black;
const QColor GridLine(0xA0, 0xA0, 0xA0);
constexpr double GridLineWidth = 0.5;

// Painting on a printer turns point sizes into the printer's dots; a pixel size stays in the
// painter's units, which are the grid's pixels here.
QFont InPixels(QFont font) {
    if (font.pixelSize() <= 0) {
        font.setPixelSize(QFontInfo(font).pixelSize());
    }
    return font;
}

// The date and time as the C library writes them for the user's locale.
QString CurrentDateTimeText() {
    const std::time_t now = std::time(nullptr);
    char text[128] = {};
    if (const std::tm* local = std::localtime(&now)) {
        std::strftime(text, sizeof text, "%c", local);
    }
    return QString::fromLocal8Bit(text);
}

QString StringText(unsigned id) {
    return FromUtf8(LoadString(id));
}

} // namespace

CGridPrinter::CGridPrinter(const CCellGrid& cells, QString title, const QFont& gridFont)
    : m_cells(cells), m_title(std::move(title)), m_gridFont(InPixels(gridFont)),
      m_boldFont(m_gridFont) {
    m_boldFont.setBold(true);
}

CGridPrinter::~CGridPrinter() = default;

void CGridPrinter::OnBeginPrinting(const QPaintDevice& device) {
    QFont printFont(QStringLiteral("Arial"));
    printFont.setPixelSize(10);
    printFont.setWeight(QFont::Normal);
    const QFontMetricsF metrics(printFont);
    const QString sample =
        QString::fromLatin1(PrintSampleText.data(), static_cast<qsizetype>(PrintSampleText.size()));
    const PrintMetrics unit =
        PrintMetricsFromSample(qRound(metrics.horizontalAdvance(sample)), qRound(metrics.height()));
    m_layout = LayOutPrint(m_cells, unit, device.width(), device.height());
    m_scale =
        m_layout.pageWidth > 0 ? static_cast<double>(device.width()) / m_layout.pageWidth : 1.0;
    m_cellPainter = std::make_unique<CPrintCellPainter>(m_cells, m_gridFont);
    m_dateTime = CurrentDateTimeText();
}

int CGridPrinter::GetPageCount() const {
    return m_layout.PageCount();
}

void CGridPrinter::OnEndPrinting() {
    m_cellPainter.reset();
}

void CGridPrinter::OnPrint(QPainter& painter, int page) {
    if (m_cellPainter == nullptr || page < 1 || page > GetPageCount()) {
        return;
    }
    painter.save();
    painter.scale(m_scale, m_scale);
    DrawHeader(painter);
    const int fixedRows = std::min(m_cells.GetFixedRowCount(), m_cells.GetRowCount());
    DrawRows(painter, 0, fixedRows - 1, m_layout.GridTop());
    const PrintPage& rows = m_layout.pages[static_cast<std::size_t>(page - 1)];
    DrawRows(painter, rows.firstRow, rows.lastRow, m_layout.BodyTop());
    DrawFooter(painter, page);
    painter.restore();
}

bool CGridPrinter::Print(QPagedPaintDevice& device) {
    OnBeginPrinting(device);
    int first = 1;
    int last = GetPageCount();
    if (const auto* printer = dynamic_cast<const QPrinter*>(&device);
        printer != nullptr && printer->fromPage() > 0) {
        first = std::max(printer->fromPage(), first);
        last = std::min(printer->toPage() > 0 ? printer->toPage() : last, last);
    }
    QPainter painter;
    if (!painter.begin(&device)) {
        OnEndPrinting();
        return false;
    }
    for (int page = first; page <= last; ++page) {
        if (page > first) {
            device.newPage();
        }
        OnPrint(painter, page);
    }
    painter.end();
    OnEndPrinting();
    return true;
}

void CGridPrinter::DrawHeader(QPainter& painter) const {
    const PrintLayout& l = m_layout;
    const QFontMetricsF metrics(m_boldFont);
    painter.setFont(m_boldFont);
    painter.setPen(Ink);
    const double quarter = l.metrics.lineHeight / 4.0;
    const QRectF band(l.Left(), l.HeaderTop(), l.gridWidth,
                      l.HeaderBottom() - l.HeaderTop() - quarter);
    const QString app = StringText(ids::AppTitle);
    painter.drawText(band, Qt::AlignRight | Qt::AlignBottom | Qt::TextSingleLine, app);
    // The title keeps clear of the name at the right, and so stays centred on the page.
    const double room = l.gridWidth - 2 * (metrics.horizontalAdvance(app) + l.metrics.charWidth);
    const QString title = metrics.elidedText(m_title, Qt::ElideRight, std::max(room, 0.0));
    painter.drawText(band, Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine, title);
    painter.drawLine(QLineF(l.Left(), l.HeaderBottom(), l.Left() + l.gridWidth, l.HeaderBottom()));
}

void CGridPrinter::DrawFooter(QPainter& painter, int page) const {
    const PrintLayout& l = m_layout;
    painter.setFont(m_boldFont);
    painter.setPen(Ink);
    painter.drawLine(QLineF(l.Left(), l.FooterTop(), l.Left() + l.gridWidth, l.FooterTop()));
    const double quarter = l.metrics.lineHeight / 4.0;
    const QRectF band(l.Left(), l.FooterTop() + quarter, l.gridWidth,
                      l.FooterBottom() - l.FooterTop() - quarter);
    const std::string number = FormatMessage(ids::PrintFooterPage, page, GetPageCount());
    const QString pageText = FromUtf8(number);
    painter.drawText(band, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, pageText);
    // A narrow table gives a narrow page: the time yields before it runs into the page number.
    const QFontMetricsF metrics(m_boldFont);
    const double room = l.gridWidth - metrics.horizontalAdvance(pageText) - l.metrics.charWidth;
    painter.drawText(band, Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine,
                     metrics.elidedText(m_dateTime, Qt::ElideRight, std::max(room, 0.0)));
}

void CGridPrinter::DrawRows(QPainter& painter, int firstRow, int lastRow, int top) {
    std::vector<int> rowEdges{top};
    int y = top;
    for (int r = firstRow; r <= lastRow; ++r) {
        const int height = m_cells.GetRowHeight(r);
        if (height <= 0) {
            continue;
        }
        int x = m_layout.Left();
        for (int c = 0; c < m_cells.GetColumnCount(); ++c) {
            const int width = m_cells.GetColumnWidth(c);
            if (width > 0) {
                m_cellPainter->Draw(painter, r, c, QRectF(x, y, width, height));
                x += width;
            }
        }
        y += height;
        rowEdges.push_back(y);
    }
    if (rowEdges.size() > 1) {
        DrawGridLines(painter, top, y, rowEdges);
    }
}

void CGridPrinter::DrawGridLines(QPainter& painter, int top, int bottom,
                                 const std::vector<int>& rowEdges) const {
    painter.setPen(QPen(GridLine, GridLineWidth));
    const double left = m_layout.Left();
    const double right = left + m_layout.gridWidth;
    std::vector<QLineF> lines;
    lines.reserve(rowEdges.size() + static_cast<std::size_t>(m_cells.GetColumnCount()) + 1);
    for (int y : rowEdges) {
        lines.emplace_back(left, y, right, y);
    }
    double x = left;
    lines.emplace_back(x, top, x, bottom);
    for (int c = 0; c < m_cells.GetColumnCount(); ++c) {
        const int width = m_cells.GetColumnWidth(c);
        if (width > 0) {
            x += width;
            lines.emplace_back(x, top, x, bottom);
        }
    }
    painter.drawLines(lines.data(), static_cast<int>(lines.size()));
}

QString PrintTitleOf(const QWidget* widget) {
    for (; widget != nullptr; widget = widget->parentWidget()) {
        QString title = widget->windowTitle();
        // The placeholder a window marks its unsaved changes with is not part of the title.
        title.remove(QStringLiteral("[*]"));
        if (!title.isEmpty()) {
            return title;
        }
    }
    return {};
}

} // namespace tillora
