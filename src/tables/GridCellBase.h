#pragma once

#include "tables/CellFormat.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tillora {

class CGridCellBase;

// The record a cell class is known by: the grid creates cells from it.
struct CellClass {
    std::string_view name;
    std::unique_ptr<CGridCellBase> (*create)();
};

template <typename Cell> const CellClass& ClassOf() {
    static const CellClass record{Cell::ClassName,
                                  [] { return std::unique_ptr<CGridCellBase>(new Cell()); }};
    return record;
}

// What every cell of a grid is: a state flag word and a value held as text.
class CGridCellBase {
public:
    CGridCellBase() = default;
    CGridCellBase(const CGridCellBase&) = delete;
    CGridCellBase& operator=(const CGridCellBase&) = delete;
    virtual ~CGridCellBase() = default;

    virtual const CellClass& GetClass() const = 0;

    // Sets the value; a typed cell stores it in its normal form, or empty when it rejects it.
    virtual void SetText(std::string_view text) = 0;
    virtual std::string GetText() const = 0;
    std::string GetTipText() const { return GetText(); }

    virtual void SetState(std::uint32_t state) { m_state = state; }
    virtual std::uint32_t GetState() const { return m_state; }

    bool IsFocused() const { return Has(CellState::Focused); }
    bool IsSelected() const { return Has(CellState::Selected); }
    bool IsDropHighlighted() const { return Has(CellState::DropHighlighted); }
    bool IsReadOnly() const { return Has(CellState::ReadOnly); }
    bool IsFixed() const { return Has(CellState::Fixed); }
    bool IsFixedRow() const { return Has(CellState::FixedRow); }
    bool IsFixedCol() const { return Has(CellState::FixedColumn); }
    bool IsModified() const { return Has(CellState::Modified); }

    // The in-place editor's rules for typed input.
    virtual EditorOptions GetEditorOptions() const = 0;

    // Takes everything of the other cell; its text passes through this cell's SetText.
    virtual void CopyFrom(const CGridCellBase& other) = 0;
    // Back to the unset state; the caller's data stays.
    virtual void Reset() = 0;

private:
    bool Has(std::uint32_t flag) const { return (GetState() & flag) != 0; }

    std::uint32_t m_state = 0;
};

} // namespace tillora
