#pragma once

#include "FuzzSupport.h"
#include "tables/CellGrid.h"
#include "tables/TableKind.h"
#include "tables/TableSetup.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace tillora::fuzz {

// A table set up once per process. Building one of the 2600-row tables takes far longer than an
// input, so the targets reuse it: Fresh() first puts back every cell whose state or text differs
// from an untouched twin set up the same way, so that each input starts from the table exactly as
// set up. Readers only set texts; a changed shape, column width or cell class is no state to
// repair but a finding.
class TableBench {
public:
    explicit TableBench(TableKind kind) {
        SetupTable(m_twin, kind);
        SetupTable(m_grid, kind);
        m_shapeVersion = m_grid.GetShapeVersion();
        for (int r = 0; r < m_twin.GetRowCount(); ++r) {
            for (int c = 0; c < m_twin.GetColumnCount(); ++c) {
                const CGridCellBase* cell = m_twin.GetCell(r, c);
                m_cells.push_back({m_grid.GetCell(r, c), cell, &cell->GetClass(), cell->GetState(),
                                   cell->GetText()});
            }
        }
        for (int c = 0; c < m_twin.GetColumnCount(); ++c) {
            m_widths.push_back(m_twin.GetColumnWidth(c));
        }
    }

    // Not instrumented for coverage: the bench's own comparisons would only slow the target and
    // mislead libFuzzer about what an input reached.
    __attribute__((no_sanitize("coverage"))) CCellGrid& Fresh() {
        Check(m_grid.GetShapeVersion() == m_shapeVersion &&
                  m_grid.GetRowCount() == m_twin.GetRowCount() &&
                  m_grid.GetColumnCount() == m_twin.GetColumnCount(),
              "an input reshaped the table");
        for (int c = 0; c < m_grid.GetColumnCount(); ++c) {
            Check(m_grid.GetColumnWidth(c) == m_widths[static_cast<std::size_t>(c)],
                  "an input changed a column width");
        }
        // The cells are kept by their address: only a reshape, checked above, or a change of
        // class replaces a cell, and a replaced one would be a use after free that the address
        // sanitizer reports. Every text set through the grid marks its cell modified, so a cell
        // whose flags are still those it was set up with, without that mark, holds its text too.
        for (const SetUpCell& setUp : m_cells) {
            CGridCellBase& cell = *setUp.cell;
            const bool sameState = cell.GetState() == setUp.state;
            if (sameState && (setUp.state & CellState::Modified) == 0) {
                continue;
            }
            Check(&cell.GetClass() == setUp.cellClass, "an input changed a cell's class");
            if (cell.GetText() != setUp.text) {
                cell.CopyFrom(*setUp.twin);
                Check(cell.GetText() == setUp.text, "a cell could not be put back as set up");
            }
            // A whole-table clear leaves every text as set up but marks each cell modified.
            if (!sameState) {
                cell.SetState(setUp.state);
            }
        }
        return m_grid;
    }

private:
    struct SetUpCell {
        CGridCellBase* cell;
        const CGridCellBase* twin;
        const CellClass* cellClass;
        std::uint32_t state;
        std::string text;
    };

    CCellGrid m_twin;
    CCellGrid m_grid;
    unsigned m_shapeVersion = 0;
    std::vector<SetUpCell> m_cells; // row by row
    std::vector<int> m_widths;
};

// The process's bench of the table, set up on first use.
inline TableBench& BenchOf(TableKind kind) {
    static std::array<std::unique_ptr<TableBench>, TableCount> benches;
    std::unique_ptr<TableBench>& bench = benches[static_cast<std::size_t>(TableIndex(kind))];
    if (!bench) {
        bench = std::make_unique<TableBench>(kind);
    }
    return *bench;
}

} // namespace tillora::fuzz
