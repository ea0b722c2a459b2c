#include "tables/GridDefaultCell.h"

namespace tillora {

CGridDefaultCell::CGridDefaultCell() {
    SetFormat(CellFormat::Aligned);
}

void CGridDefaultCell::SetMeasures(int blankWidth, int sampleWidth, int textHeight) {
    SetMargin(blankWidth);
    m_width = sampleWidth;
    m_height = textHeight * 3 / 2;
}

void CGridDefaultCell::SetFallbackMeasures() {
    SetMargin(3);
    m_width = 40;
    m_height = 16;
}

} // namespace tillora
