#include "tables/GridCell.h"

namespace tillora {

void CGridCell::SetFont(const CellFont* font) {
    m_font = font != nullptr ? std::make_unique<CellFont>(*font) : nullptr;
}

EditorOptions CGridCell::GetEditorOptions() const {
    EditorOptions options;
    const std::uint32_t format = m_format == CellFormat::Default ? CellFormat::Left : m_format;
    if ((format & CellFormat::Right) != 0) {
        options.alignment = EditorAlignment::Right;
    } else if ((format & CellFormat::Center) != 0) {
        options.alignment = EditorAlignment::Center;
    }
    return options;
}

void CGridCell::CopyFrom(const CGridCellBase& other) {
    SetText(other.GetText());
    SetState(other.GetState());
    const auto* cell = dynamic_cast<const CGridCell*>(&other);
    if (cell == nullptr) {
        return;
    }
    m_image = cell->m_image;
    m_data = cell->m_data;
    m_format = cell->m_format;
    m_textColour = cell->m_textColour;
    m_backColour = cell->m_backColour;
    if (!cell->IsDefaultFont()) {
        SetFont(cell->GetFont());
    }
    m_margin = cell->m_margin;
}

void CGridCell::Reset() {
    SetState(0);
    m_text.clear();
    m_image = -1;
    m_format = CellFormat::Default;
    m_textColour = DefaultColour;
    m_backColour = DefaultColour;
    m_font.reset();
    m_margin = -1;
    m_editing = false;
}

} // namespace tillora
