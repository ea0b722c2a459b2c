#include "grid/PrintCellPainter.h"

#include "grid/QtCellMeasure.h"
#include "grid/QtColour.h"
#include "grid/QtText.h"
#include "tables/TypedCells.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

namespace tillora {
namespace {

const QColor Paper = Qt::white;
const QColor Ink = Qt::black;
const QColor HeaderFace(0xF0, 0xF0, 0xF0);

double AlignedLeft(const QRectF& room, double width, std::uint32_t format) {
    if ((format & CellFormat::Right) != 0) {
        return room.right() - width;
    }
    if ((format & CellFormat::Center) != 0) {
        return room.left() + (room.width() - width) / 2;
    }
    return room.left();
}

} // namespace

CPrintCellPainter::CPrintCellPainter(const CCellGrid& cells, const QFont& gridFont)
    : m_cells(cells), m_gridFont(gridFont) {}

void CPrintCellPainter::Draw(QPainter& painter, int row, int column, const QRectF& rect) {
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
    const QRectF room = rect.adjusted(margin, 0, -margin, 0);
    const std::uint32_t format = m_cells.GetItemFormat(row, column);
    if (const auto* check = dynamic_cast<const CGridCellCheck*>(cell)) {
        DrawCheckBox(painter, room, format, check->GetCheck());
        return;
    }
    const std::string text = cell->GetText();
    if (text.empty()) {
        return;
    }
    const CellFont* font = textCell != nullptr ? textCell->GetFont() : nullptr;
    if (font == nullptr) {
        font = m_cells.GetDefaultCell(fixedRow, fixedColumn).GetFont();
    }
    const bool ownColour = textCell != nullptr && textCell->GetTextClr() != DefaultColour;
    painter.setPen(ownColour ? ToQColor(textCell->GetTextClr()) : Ink);
    DrawText(painter, FontOf(font), room, format, FromCp1251(text));
}

const CPrintCellPainter::Measured& CPrintCellPainter::FontOf(const CellFont* font) {
    if (font == nullptr) {
        return m_gridFont;
    }
    const FontKey key{std::string(font->faceName, strnlen(font->faceName, sizeof font->faceName)),
                      font->height, font->weight, font->italic};
    auto found = m_cellFonts.find(key);
    if (found == m_cellFonts.end()) {
        // As the screen turns it into a font, so that the text fits as it was measured.
        found = m_cellFonts.emplace(key, Measured(ToQFont(*font, m_gridFont.font))).first;
    }
    return found->second;
}

int CPrintCellPainter::MarginOf(const CGridCell* cell, bool fixedRow, bool fixedColumn) const {
    if (cell != nullptr && cell->GetMargin() >= 0) {
        return cell->GetMargin();
    }
    return std::max(m_cells.GetDefaultCell(fixedRow, fixedColumn).GetMargin(), 0);
}

// Placed from the font's measures rather than laid out by the painter, which is several times
// slower over a whole table.
void CPrintCellPainter::DrawText(QPainter& painter, const Measured& font, const QRectF& room,
                                 std::uint32_t format, QString text) const {
    const QFontMetricsF& metrics = font.metrics;
    double width = metrics.horizontalAdvance(text);
    const bool overflows = width > room.width();
    const bool ellipsis = (format & CellFormat::EndEllipsis) != 0;
    if (overflows && ellipsis) {
        text = metrics.elidedText(text, Qt::ElideRight, std::max(room.width(), 0.0));
        width = metrics.horizontalAdvance(text);
    }
    double baseline = room.top() + metrics.ascent();
    if ((format & CellFormat::VCenter) != 0) {
        baseline = room.center().y() + (metrics.ascent() - metrics.descent()) / 2;
    }
    painter.setFont(font.font);
    const bool clip = overflows && !ellipsis;
    if (clip) {
        painter.save();
        painter.setClipRect(room, Qt::IntersectClip);
    }
    painter.drawText(QPointF(AlignedLeft(room, width, format), baseline), text);
    if (clip) {
        painter.restore();
    }
}

void CPrintCellPainter::DrawCheckBox(QPainter& painter, const QRectF& room, std::uint32_t format,
                                     bool checked) const {
    const double side = std::min<double>(m_cells.Measure().CheckBoxSide(), room.height());
    const QRectF box(AlignedLeft(room, side, format), room.center().y() - side / 2, side, side);
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

} // namespace tillora
