#include "grid/QtCellMeasure.h"

#include "grid/QtText.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStringList>
#include <QStyle>

#include <algorithm>
#include <cstring>

namespace tillora {

QFont ToQFont(const CellFont& font, const QFont& base) {
    QFont result(base);
    if (font.faceName[0] != '\0') {
        result.setFamily(FromCp1251(
            std::string_view(font.faceName, strnlen(font.faceName, sizeof font.faceName))));
    }
    if (font.height > 0) {
        result.setPixelSize(static_cast<int>(font.height));
    }
    result.setBold(font.weight >= 600);
    result.setItalic(font.italic);
    return result;
}

// A multi-line text measures its widest line.
CellExtent CQtCellMeasure::TextExtent(std::string_view text, const CellFont* font) const {
    const QFontMetrics metrics(font != nullptr ? ToQFont(*font, m_font) : m_font);
    const QStringList lines = FromCp1251(text).split(QLatin1Char('\n'));
    int width = 0;
    for (const QString& line : lines) {
        width = std::max(width, metrics.horizontalAdvance(line));
    }
    return {width, metrics.height() * static_cast<int>(lines.size())};
}

int CQtCellMeasure::CheckBoxSide() const {
    return QApplication::style()->pixelMetric(QStyle::PM_IndicatorWidth);
}

} // namespace tillora
