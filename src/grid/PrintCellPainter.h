#pragma once

#include "tables/CellGrid.h"

#include <QFont>
#include <QFontMetricsF>

#include <cstdint>
#include <map>
#include <string>
#include <tuple>

class QPainter;
class QRectF;

namespace tillora {

// Draws the cells of a grid on paper: the background, the text placed by the cell's format in the
// cell's font, or a check cell's box. Fonts are measured once per print run, not once per cell,
// since a table holds thousands of cells in a few fonts.
class CPrintCellPainter {
public:
    // The cells must outlive the painter; the grid font is used where a cell names none.
    CPrintCellPainter(const CCellGrid& cells, const QFont& gridFont);

    void Draw(QPainter& painter, int row, int column, const QRectF& rect);

private:
    struct Measured {
        QFont font;
        QFontMetricsF metrics;
        explicit Measured(const QFont& f) : font(f), metrics(f) {}
    };
    using FontKey = std::tuple<std::string, std::uint32_t, int, bool>;

    const Measured& FontOf(const CellFont* font);
    int MarginOf(const CGridCell* cell, bool fixedRow, bool fixedColumn) const;
    void DrawText(QPainter& painter, const Measured& font, const QRectF& room, std::uint32_t format,
                  QString text) const;
    void DrawCheckBox(QPainter& painter, const QRectF& room, std::uint32_t format,
                      bool checked) const;

    const CCellGrid& m_cells;
    Measured m_gridFont;
    std::map<FontKey, Measured> m_cellFonts;
};

} // namespace tillora
