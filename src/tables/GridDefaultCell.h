#pragma once

#include "tables/GridCell.h"

namespace tillora {

// Supplies a grid's defaults for the cells that leave an attribute unset: format, font, margin,
// column width and row height. It is never edited.
class CGridDefaultCell : public CGridCell {
public:
    static constexpr std::string_view ClassName = "CGridDefaultCell";
    CGridDefaultCell();
    const CellClass& GetClass() const override { return ClassOf<CGridDefaultCell>(); }

    // Holds no data of its own, and is always read-only, whatever was set.
    void SetData(std::int32_t /*data*/) override {}
    void SetState(std::uint32_t /*state*/) override {}
    std::uint32_t GetState() const override { return CellState::ReadOnly; }

    int GetWidth() const { return m_width; }
    void SetWidth(int width) { m_width = width; }
    int GetHeight() const { return m_height; }
    void SetHeight(int height) { m_height = height; }

    // The measures a front end takes from its font: the margin is one blank's width, the width
    // that of " XXXXXXXXXXXX ", the height one and a half times the text height.
    void SetMeasures(int blankWidth, int sampleWidth, int textHeight);
    // The measures when no screen can be measured on.
    void SetFallbackMeasures();

private:
    int m_width = 30;
    int m_height = 10;
};

} // namespace tillora
