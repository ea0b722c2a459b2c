#pragma once

#include "tables/CellMeasure.h"

#include <QFont>

namespace tillora {

// A cell's own font as Qt draws it; the pixel height is kept when one is given.
QFont ToQFont(const CellFont& font, const QFont& base);

// Measures cell texts in a Qt font, so that fitted columns fit what the screen shows.
class CQtCellMeasure final : public ICellMeasure {
public:
    explicit CQtCellMeasure(const QFont& font = QFont()) : m_font(font) {}
    void SetFont(const QFont& font) { m_font = font; }
    const QFont& Font() const { return m_font; }

    CellExtent TextExtent(std::string_view text, const CellFont* font) const override;
    int CheckBoxSide() const override;

private:
    QFont m_font;
};

} // namespace tillora
