#pragma once

#include "grid/QtText.h"
#include "tables/GridCellBase.h"
#include "tables/TableKind.h"
#include "tables/TableSetup.h"
#include "ui/KassivoView.h"
#include "ui/MainFrame.h"
#include "ui/StatusPanes.h"
#include "ui/TableGrid.h"

#include <QLineEdit>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace tillora::test {

// What must hold in the window after every event, whatever the user did: every cell holds its
// column's normal form, the focus cell and the selection lie in the data area, the status pane
// follows the focus cell; and at the end, undoing everything gives back the tables of the start.
// Each check names the first rule it finds broken, or gives the empty text.
class SoundnessCheck {
public:
    explicit SoundnessCheck(CMainFrame& frame) : m_frame(frame) {
        for (TableKind kind : AllTables) {
            m_start[Index(kind)] = Texts(kind);
            m_seen[Index(kind)] = m_start[Index(kind)];
        }
    }

    // The current table and the one before the event; every table when all is set.
    std::string Fault(TableKind before, bool all) {
        for (TableKind kind : AllTables) {
            if (!all && kind != m_frame.View().CurrentTable() && kind != before) {
                continue;
            }
            std::string fault = CellFault(kind);
            if (fault.empty()) {
                fault = PlaceFault(kind);
            }
            if (!fault.empty()) {
                return fault;
            }
        }
        std::string fault = EditorFault();
        return fault.empty() ? PaneFault() : fault;
    }

    // Undoes every table's history, an edit in progress first given up.
    std::string UndoFault() {
        for (TableKind kind : AllTables) {
            CTableGrid& grid = m_frame.View().Grid(kind);
            grid.EndEditing();
            while (grid.CanUndo()) {
                grid.Undo();
            }
            const std::vector<std::string> texts = Texts(kind);
            for (std::size_t i = 0; i < texts.size(); ++i) {
                if (texts[i] != m_start[Index(kind)][i]) {
                    return Where(kind, i) + " holds \"" + Shown(texts[i]) +
                           "\" after undoing everything, not \"" + Shown(m_start[Index(kind)][i]) +
                           "\"";
                }
            }
        }
        return {};
    }

private:
    static std::size_t Index(TableKind kind) { return static_cast<std::size_t>(kind); }
    static std::string Shown(const std::string& text) { return FromCp1251(text).toStdString(); }

    const CCellGrid& Cells(TableKind kind) const { return m_frame.View().Grid(kind).Cells(); }

    // The data cells row by row: rows 1 to N, columns 1 to K-1.
    std::vector<std::string> Texts(TableKind kind) const {
        const CCellGrid& cells = Cells(kind);
        std::vector<std::string> texts;
        texts.reserve(static_cast<std::size_t>(cells.GetRowCount() * cells.GetColumnCount()));
        for (int row = 1; row < cells.GetRowCount(); ++row) {
            for (int column = 1; column < cells.GetColumnCount(); ++column) {
                texts.push_back(cells.GetItemText(row, column));
            }
        }
        return texts;
    }

    std::string Where(TableKind kind, std::size_t index) const {
        const int columns = Cells(kind).GetColumnCount() - 1;
        return "table " + std::to_string(TableIndex(kind)) + " cell (" +
               std::to_string(static_cast<int>(index) / columns + 1) + "," +
               std::to_string(static_cast<int>(index) % columns + 1) + ")";
    }

    // Only the texts that changed since the last look are measured again.
    std::string CellFault(TableKind kind) {
        const CCellGrid& cells = Cells(kind);
        std::vector<std::string>& seen = m_seen[Index(kind)];
        std::size_t i = 0;
        for (int row = 1; row < cells.GetRowCount(); ++row) {
            for (int column = 1; column < cells.GetColumnCount(); ++column, ++i) {
                std::string text = cells.GetItemText(row, column);
                if (text == seen[i]) {
                    continue;
                }
                const auto fresh = ColumnClass(kind, column).create();
                fresh->SetText(text);
                if (fresh->GetText() != text) {
                    return Where(kind, i) + " holds \"" + Shown(text) +
                           "\", which its column keeps as \"" + Shown(fresh->GetText()) + "\"";
                }
                seen[i] = std::move(text);
            }
        }
        return {};
    }

    static bool InData(const CCellGrid& cells, int row, int column) {
        return row >= cells.GetFixedRowCount() && row < cells.GetRowCount() &&
               column >= cells.GetFixedColumnCount() && column < cells.GetColumnCount();
    }

    std::string PlaceFault(TableKind kind) const {
        const CTableGrid& grid = m_frame.View().Grid(kind);
        const CCellGrid& cells = grid.Cells();
        const std::string table = "table " + std::to_string(TableIndex(kind));
        const CCellID focus = grid.GetFocusCell();
        if (!(focus.row == -1 && focus.col == -1) && !InData(cells, focus.row, focus.col)) {
            return table + ": focus cell (" + std::to_string(focus.row) + "," +
                   std::to_string(focus.col) + ") outside the data area";
        }
        const CCellRange selected = grid.GetSelectedCellRange();
        if (grid.GetSelectedCount() > 0 && (!InData(cells, selected.minRow, selected.minCol) ||
                                            !InData(cells, selected.maxRow, selected.maxCol))) {
            return table + ": selection (" + std::to_string(selected.minRow) + "," +
                   std::to_string(selected.minCol) + ")-(" + std::to_string(selected.maxRow) + "," +
                   std::to_string(selected.maxCol) + ") outside the data area";
        }
        return {};
    }

    // An editor whose text the user has not changed yet shows the whole text of its cell.
    std::string EditorFault() const {
        const CTableGrid& grid = m_frame.View().CurrentGrid();
        const QLineEdit* editor = m_frame.View().OpenEditor();
        const CCellID focus = grid.GetFocusCell();
        if (editor == nullptr || editor->isModified() || !focus.IsValid()) {
            return {};
        }
        const QString cell = FromCp1251(grid.GetItemText(focus.row, focus.col));
        if (editor->text() != cell) {
            return "editor opened on \"" + cell.toStdString() + "\" shows \"" +
                   editor->text().toStdString() + "\"";
        }
        return {};
    }

    // "Ред: r, Кол: c, Дълж: n": the focus cell's text, or the open editor's (at most 255).
    std::string PaneFault() const {
        const CTableGrid& grid = m_frame.View().CurrentGrid();
        const CCellID focus = grid.GetFocusCell();
        if (!focus.IsValid()) {
            return {};
        }
        const QLineEdit* editor = m_frame.View().OpenEditor();
        const std::size_t length = editor != nullptr
                                       ? std::min<std::size_t>(ToCp1251(editor->text()).size(), 255)
                                       : grid.GetItemText(focus.row, focus.col).size();
        const QString expected =
            QStringLiteral("Ред: %1, Кол: %2, Дълж: %3").arg(focus.row).arg(focus.col).arg(length);
        const QString shown = m_frame.Panes().FocusPane();
        if (shown != expected) {
            return "status pane \"" + shown.toStdString() + "\", expected \"" +
                   expected.toStdString() + "\"";
        }
        return {};
    }

    CMainFrame& m_frame;
    std::array<std::vector<std::string>, TableCount> m_start;
    std::array<std::vector<std::string>, TableCount> m_seen;
};

} // namespace tillora::test
