#include "grid/GridPrinter.h"

#include "grid/QtText.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "tables/TypedCells.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QWidget>

#include <algorithm>
#include <ctime>
#include <map>
#include <tuple>

namespace tillora {
namespace {

const QColor Paper = Qt::white;
const QColor Ink = Qt::black;
const QColor HeaderFace(0xF0, 0xF0, 0xF0);
const QColor GridLine(0xA0, 0xA0, 0xA0);
constexpr double GridLineWidth = 0.5;

QColor ToQColor(Colour colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

// Painting on a printer turns point sizes into the printer's dots; a pixel size stays in the
// painter's units, which are the grid's pixels here.
QFont InPixels(QFont font) {
    if (font.pixelSize() <= 0) {
        font.setPixelSize(QFontInfo(font).pixelSize());
    }
    return font;
}

QFont FromCellFont(const CellFont& cellFont) {
    QFont font(FromCp1251(cellFont.faceName));
    font.setPixelSize(static_cast<int>(cellFont.height));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(cellFont.weight, 1, 1000)));
    font.setItalic(cellFont.italic);
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
    const std::string_view text = LoadString(id);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

// The fonts of one print run with their measures, so that a table of thousands of cells in a few
// fonts is measured a few times, not once per cell.
struct CGridPrinter::Fonts {
    struct Measured {
        QFont font;
        QFontMetricsF metrics;
        explicit Measured(const QFont& f) : font(f), metrics(f) {}
    };
    using Key = std::tuple<std::string, std::uint32_t, int, bool>;

    Measured print;
    Measured grid;
    Measured bold;
    std::map<Key, Measured> cellFonts;

    Fonts(const QFont& printFont, const QFont& gridFont, const QFont& boldFont)
        : print(printFont), grid(gridFont), bold(boldFont) {}

    const Measured& Of(const CellFont* font) {
        if (font == nullptr) {
            return grid;
        }
        const Key key{font->faceName, font->height, font->weight, font->italic};
        auto found = cellFonts.find(key);
        if (found == cellFonts.end()) {
            found = cellFonts.emplace(key, Measured(FromCellFont(*font))).first;
        }
        return found->second;
    }
};

CGridPrinter::CGridPrinter(const CCellGrid& cells, QString title, const QFont& gridFont)
    : m_cells(cells), m_title(std::move(title)), m_gridFont(InPixels(gridFont)) {}

CGridPrinter::~CGridPrinter() = default;

void CGridPrinter::OnBeginPrinting(const QPaintDevice& device) {
    QFont printFont(QStringLiteral("Arial"));
    printFont.setPixelSize(10);
    printFont.setWeight(QFont::Normal);
    QFont bold = m_gridFont;
    bold.setBold(true);
    m_fonts = std::make_unique<Fonts>(printFont, m_gridFont, bold);

    const QString sample =
        QString::fromLatin1(PrintSampleText.data(), static_cast<qsizetype>(PrintSampleText.size()));
    const QFontMetricsF& metrics = m_fonts->print.metrics;
    const PrintMetrics unit =
        PrintMetricsFromSample(qRound(metrics.horizontalAdvance(sample)), qRound(metrics.height()));
    m_layout = LayOutPrint(m_cells, unit, device.width(), device.height());
    m_scale =
        m_layout.pageWidth > 0 ? static_cast<double>(device.width()) / m_layout.pageWidth : 1.0;
    m_dateTime = CurrentDateTimeText();
}

int CGridPrinter::GetPageCount() const {
    return m_layout.PageCount();
}

void CGridPrinter::OnEndPrinting() {
    m_fonts.reset();
}

void CGridPrinter::OnPrint(QPainter& painter, int page) {
    if (m_fonts == nullptr || page < 1 || page > GetPageCount()) {
        return;
    }
    painter.save();
    painter.resetTransform();
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
    const QFontMetricsF& metrics = m_fonts->bold.metrics;
    painter.setFont(m_fonts->bold.font);
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
    painter.setFont(m_fonts->bold.font);
    painter.setPen(Ink);
    painter.drawLine(QLineF(l.Left(), l.FooterTop(), l.Left() + l.gridWidth, l.FooterTop()));
    const double quarter = l.metrics.lineHeight / 4.0;
    const QRectF band(l.Left(), l.FooterTop() + quarter, l.gridWidth,
                      l.FooterBottom() - l.FooterTop() - quarter);
    const std::string number = FormatMessage(ids::PrintFooterPage, page, GetPageCount());
    const QString pageText =
        QString::fromUtf8(number.data(), static_cast<qsizetype>(number.size()));
    painter.drawText(band, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, pageText);
    // A narrow table gives a narrow page: the time yields before it runs into the page number.
    const QFontMetricsF& metrics = m_fonts->bold.metrics;
    const double room = l.gridWidth - metrics.horizontalAdvance(pageText) - l.metrics.charWidth;
    painter.drawText(band, Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine,
                     metrics.elidedText(m_dateTime, Qt::ElideRight, std::max(room, 0.0)));
}

void CGridPrinter::DrawRows(QPainter& painter, int firstRow, int lastRow, int top) const {
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
                DrawCell(painter, r, c, QRectF(x, y, width, height));
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

int CGridPrinter::MarginOf(const CGridCell* cell, bool fixedRow, bool fixedColumn) const {
    if (cell != nullptr && cell->GetMargin() >= 0) {
        return cell->GetMargin();
    }
    return std::max(m_cells.GetDefaultCell(fixedRow, fixedColumn).GetMargin(), 0);
}

void CGridPrinter::DrawCell(QPainter& painter, int row, int column, const QRectF& rect) const {
    const CGridCellBase* cell = m_cells.GetCell(row, column);
    if (cell == nullptr) {
        return;
    }
    const bool fixedRow = row < m_cells.GetFixedRowCount();
    const bool fixedColumn = column < m_cells.GetFixedColumnCount();
    const auto* textCell = dynamic_cast<const CGridCell*>(cell);
    QColor back = fixedRow || fixedColumn ? HeaderFace : Paper;
    if (textCell != nullptr && textCell->GetBackClr() != DefaultColour) {
        back = ToQColor(textCell->GetBackClr());
    }
    if (back != Paper) {
        painter.fillRect(rect, back);
    }
    const int margin = MarginOf(textCell, fixedRow, fixedColumn);
    const std::uint32_t format = m_cells.GetItemFormat(row, column);
    if (const auto* check = dynamic_cast<const CGridCellCheck*>(cell)) {
        DrawCheckBox(painter, rect.adjusted(margin, 0, -margin, 0), format, check->GetCheck());
        return;
    }
    const std::string text = cell->GetText();
    if (text.empty()) {
        return;
    }
    const CellFont* cellFont = textCell != nullptr ? textCell->GetFont() : nullptr;
    if (cellFont == nullptr) {
        cellFont = m_cells.GetDefaultCell(fixedRow, fixedColumn).GetFont();
    }
    const Fonts::Measured& font = m_fonts->Of(cellFont);
    const bool ownColour = textCell != nullptr && textCell->GetTextClr() != DefaultColour;
    painter.setPen(ownColour ? ToQColor(textCell->GetTextClr()) : Ink);
    painter.setFont(font.font);
    DrawCellText(painter, font.metrics, rect.adjusted(margin, 0, -margin, 0), format,
                 FromCp1251(text));
}

// Placed by the cell's format from the font's measures rather than laid out by the painter: a
// table holds thousands of cells and this keeps printing it quick.
void CGridPrinter::DrawCellText(QPainter& painter, const QFontMetricsF& metrics, const QRectF& room,
                                std::uint32_t format, QString text) const {
    double width = metrics.horizontalAdvance(text);
    const bool overflows = width > room.width();
    if (overflows && (format & CellFormat::EndEllipsis) != 0) {
        text = metrics.elidedText(text, Qt::ElideRight, std::max(room.width(), 0.0));
        width = metrics.horizontalAdvance(text);
    }
    double x = room.left();
    if ((format & CellFormat::Right) != 0) {
        x = room.right() - width;
    } else if ((format & CellFormat::Center) != 0) {
        x = room.left() + (room.width() - width) / 2;
    }
    double baseline = room.top() + metrics.ascent();
    if ((format & CellFormat::VCenter) != 0) {
        baseline = room.center().y() + (metrics.ascent() - metrics.descent()) / 2;
    }
    const bool clip = overflows && (format & CellFormat::EndEllipsis) == 0;
    if (clip) {
        painter.save();
        painter.setClipRect(room, Qt::IntersectClip);
    }
    painter.drawText(QPointF(x, baseline), text);
    if (clip) {
        painter.restore();
    }
}

void CGridPrinter::DrawCheckBox(QPainter& painter, const QRectF& room, std::uint32_t format,
                                bool checked) const {
    const double side = std::min<double>(m_cells.Measure().CheckBoxSide(), room.height());
    double x = room.left();
    if ((format & CellFormat::Right) != 0) {
        x = room.right() - side;
    } else if ((format & CellFormat::Center) != 0) {
        x = room.left() + (room.width() - side) / 2;
    }
    const QRectF box(x, room.center().y() - side / 2, side, side);
    painter.setPen(QPen(Ink, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
    if (checked) {
        const QPointF tick[] = {{box.left() + side * 0.2, box.top() + side * 0.5},
                                {box.left() + side * 0.42, box.top() + side * 0.75},
                                {box.left() + side * 0.8, box.top() + side * 0.25}};
        painter.setPen(QPen(Ink, side / 7));
        painter.drawPolyline(tick, 3);
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
