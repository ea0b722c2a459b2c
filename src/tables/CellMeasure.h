#pragma once

#include "tables/CellFormat.h"

#include <string_view>

namespace tillora {

struct CellExtent {
    int width = 0;
    int height = 0;
};

// How wide and high a text is in a font: the screen's business, so the front end that shows the
// grid gives its own; texts are Windows-1251.
class ICellMeasure {
public:
    virtual ~ICellMeasure() = default;
    // font is null for the grid's font.
    virtual CellExtent TextExtent(std::string_view text, const CellFont* font) const = 0;
    // The side of a check box.
    virtual int CheckBoxSide() const = 0;
};

// A measure for where there is no screen (the command-line tool, the tests): every character as
// wide as the next, which keeps the widths in proportion to the texts.
class CFixedPitchMeasure final : public ICellMeasure {
public:
    static constexpr int CharWidth = 7;
    static constexpr int LineHeight = 16;
    static constexpr int BoxSide = 13;
    CellExtent TextExtent(std::string_view text, const CellFont* /*font*/) const override {
        return {static_cast<int>(text.size()) * CharWidth, LineHeight};
    }
    int CheckBoxSide() const override { return BoxSide; }
};

} // namespace tillora
