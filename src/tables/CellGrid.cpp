#include "tables/CellGrid.h"

#include "tables/TypedCells.h"

#include <algorithm>
#include <utility>

namespace tillora {
namespace {

const CFixedPitchMeasure& FixedPitch() {
    static const CFixedPitchMeasure measure;
    return measure;
}

} // namespace

CCellGrid::CCellGrid(const ICellMeasure* measure)
    : m_measure(measure != nullptr ? measure : &FixedPitch()) {
    MeasureDefaults();
}

void CCellGrid::AddObserver(ICellObserver* observer) {
    if (std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end()) {
        m_observers.push_back(observer);
    }
}

void CCellGrid::RemoveObserver(ICellObserver* observer) {
    std::erase(m_observers, observer);
}

// A copy, so that an observer may remove itself while it is told.
template <typename Call> void CCellGrid::Tell(Call call) {
    const std::vector<ICellObserver*> observers = m_observers;
    for (ICellObserver* observer : observers) {
        call(*observer);
    }
}

void CCellGrid::BeginEdit(EditKind kind) {
    if (m_stepDepth++ == 0) {
        m_stepKind = kind;
    }
}

void CCellGrid::EndEdit() {
    if (m_stepDepth == 0 || --m_stepDepth > 0) {
        return;
    }
    CEditHistory::Step edits = std::exchange(m_stepEdits, {});
    const CCellRange changed = std::exchange(m_stepChanged, {});
    if (m_stepKind == EditKind::Unrecorded) {
        if (!edits.empty()) {
            ForgetHistory();
        }
    } else if (!edits.empty()) {
        m_history.Push(std::move(edits));
        Tell([](ICellObserver& o) { o.HistoryChanged(); });
    }
    if (changed.IsValid()) {
        Tell([&changed](ICellObserver& o) { o.CellsChanged(changed); });
    }
}

void CCellGrid::ForgetHistory() {
    if (m_history.CanUndo() || m_history.CanRedo()) {
        m_history.Clear();
        Tell([](ICellObserver& o) { o.HistoryChanged(); });
    }
}

void CCellGrid::Record(int row, int column, std::string before, std::string after, bool marks) {
    m_stepChanged = m_stepChanged.Including(row, column);
    if (before != after) {
        m_stepEdits.push_back({row, column, std::move(before), std::move(after), marks});
    }
}

void CCellGrid::MeasureDefaults() {
    const int blank = m_measure->TextExtent(" ", nullptr).width;
    const CellExtent sample = m_measure->TextExtent(" XXXXXXXXXXXX ", nullptr);
    for (CGridDefaultCell& defaults : m_defaultCells) {
        defaults.SetMeasures(blank, sample.width, sample.height);
    }
}

bool CCellGrid::IsValid(int row, int column) const {
    return row >= 0 && row < m_rows && column >= 0 && column < m_columns;
}

std::unique_ptr<CGridCellBase>& CCellGrid::Slot(int row, int column) {
    return m_cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(m_columns) +
                   static_cast<std::size_t>(column)];
}

void CCellGrid::Reshape(int rows, int columns) {
    rows = std::max(rows, 0);
    columns = std::max(columns, 0);
    std::vector<std::unique_ptr<CGridCellBase>> cells(static_cast<std::size_t>(rows) *
                                                      static_cast<std::size_t>(columns));
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            auto& cell = cells[static_cast<std::size_t>(r) * static_cast<std::size_t>(columns) +
                               static_cast<std::size_t>(c)];
            cell = IsValid(r, c) ? std::move(Slot(r, c)) : ClassOf<CGridCell>().create();
        }
    }
    m_cells = std::move(cells);
    const CGridDefaultCell& defaults = GetDefaultCell(false, false);
    m_rowHeights.resize(static_cast<std::size_t>(rows), defaults.GetHeight());
    m_columnWidths.resize(static_cast<std::size_t>(columns), defaults.GetWidth());
    m_rows = rows;
    m_columns = columns;
    m_shapes.push_back({rows, columns});
    m_fixedRows = std::min(m_fixedRows, rows);
    m_fixedColumns = std::min(m_fixedColumns, columns);
    m_history.Clear();
    Tell([](ICellObserver& o) {
        o.ShapeChanged();
        o.HistoryChanged();
    });
}

void CCellGrid::SetFixedRowCount(int rows) {
    m_fixedRows = rows;
    Tell([](ICellObserver& o) { o.ShapeChanged(); });
}

void CCellGrid::SetFixedColumnCount(int columns) {
    m_fixedColumns = columns;
    Tell([](ICellObserver& o) { o.ShapeChanged(); });
}

CCellID CCellGrid::SmallestShapeSince(unsigned version) const {
    CCellID smallest{m_rows, m_columns};
    for (std::size_t i = version; i < m_shapes.size(); ++i) {
        smallest.row = std::min(smallest.row, m_shapes[i].row);
        smallest.col = std::min(smallest.col, m_shapes[i].col);
    }
    return smallest;
}

void CCellGrid::SetRowCount(int rows) {
    Reshape(rows, m_columns);
}

void CCellGrid::SetColumnCount(int columns) {
    Reshape(m_rows, columns);
}

bool CCellGrid::SetCellType(int row, int column, const CellClass& cellClass) {
    if (!IsValid(row, column)) {
        return false;
    }
    std::unique_ptr<CGridCellBase> cell = cellClass.create();
    cell->CopyFrom(*Slot(row, column));
    Slot(row, column) = std::move(cell);
    Tell([](ICellObserver& o) { o.ShapeChanged(); });
    return true;
}

CGridCellBase* CCellGrid::GetCell(int row, int column) {
    return IsValid(row, column) ? Slot(row, column).get() : nullptr;
}

const CGridCellBase* CCellGrid::GetCell(int row, int column) const {
    return const_cast<CCellGrid*>(this)->GetCell(row, column);
}

CGridCell* CCellGrid::GetTextCell(int row, int column) {
    return dynamic_cast<CGridCell*>(GetCell(row, column));
}

TextTaken CCellGrid::SetItemText(int row, int column, std::string_view text) {
    CGridCellBase* cell = GetCell(row, column);
    if (cell == nullptr) {
        return TextTaken::NoCell;
    }
    CEditStep step(*this, EditKind::Unrecorded);
    std::string before = cell->GetText();
    cell->SetText(text);
    cell->SetState(cell->GetState() | CellState::Modified);
    m_modified = true;
    std::string after = cell->GetText();
    TextTaken taken = TextTaken::AsGiven;
    if (after.empty() && !text.empty()) {
        taken = TextTaken::Refused;
    } else if (after != text) {
        taken = TextTaken::Normalised;
    }
    Record(row, column, std::move(before), std::move(after), true);
    if (taken == TextTaken::Refused && m_stepKind == EditKind::UserEdit) {
        Tell([&](ICellObserver& o) { o.ValueRefused(row, column, text); });
    }
    return taken;
}

bool CCellGrid::IsEdit(int row, int column, std::string_view text) const {
    return IsCellEditable(row, column) && GetItemText(row, column) != text;
}

std::optional<TextTaken> CCellGrid::EditText(int row, int column, std::string_view text) {
    if (!IsEdit(row, column, text)) {
        return std::nullopt;
    }
    CEditStep step(*this);
    return SetItemText(row, column, text);
}

bool CCellGrid::IsCheck(int row, int column) const {
    return dynamic_cast<const CGridCellCheck*>(GetCell(row, column)) != nullptr;
}

bool CCellGrid::GetCheck(int row, int column) const {
    const auto* check = dynamic_cast<const CGridCellCheck*>(GetCell(row, column));
    return check != nullptr && check->GetCheck();
}

bool CCellGrid::SetCheck(int row, int column, bool checked) {
    auto* check = dynamic_cast<CGridCellCheck*>(GetCell(row, column));
    if (check == nullptr || !m_editable || check->GetCheck() == checked) {
        return false;
    }
    CEditStep step(*this);
    std::string before = check->GetText();
    check->Toggle();
    Record(row, column, std::move(before), check->GetText(), false);
    return true;
}

CCellRange CCellGrid::Apply(const CEditHistory::Step& step, bool undo) {
    CCellRange changed;
    const auto apply = [&](const CellEdit& edit) {
        CGridCellBase* cell = GetCell(edit.row, edit.column);
        if (cell == nullptr) {
            return;
        }
        cell->SetText(undo ? edit.before : edit.after);
        if (edit.marksModified) {
            cell->SetState(cell->GetState() | CellState::Modified);
            m_modified = true;
        }
        changed = changed.Including(edit.row, edit.column);
    };
    if (undo) {
        std::for_each(step.rbegin(), step.rend(), apply);
    } else {
        std::for_each(step.begin(), step.end(), apply);
    }
    Tell([&changed](ICellObserver& o) {
        o.HistoryChanged();
        if (changed.IsValid()) {
            o.CellsChanged(changed);
        }
    });
    return changed;
}

CCellRange CCellGrid::Undo() {
    const CEditHistory::Step* step = m_stepDepth == 0 ? m_history.Undo() : nullptr;
    return step != nullptr ? Apply(*step, true) : CCellRange{};
}

CCellRange CCellGrid::Redo() {
    const CEditHistory::Step* step = m_stepDepth == 0 ? m_history.Redo() : nullptr;
    return step != nullptr ? Apply(*step, false) : CCellRange{};
}

std::string CCellGrid::GetItemText(int row, int column) const {
    const CGridCellBase* cell = GetCell(row, column);
    return cell != nullptr ? cell->GetText() : std::string();
}

bool CCellGrid::SetItemFormat(int row, int column, std::uint32_t format) {
    CGridCell* cell = GetTextCell(row, column);
    if (cell == nullptr) {
        return false;
    }
    cell->SetFormat(format);
    Tell([row, column](ICellObserver& o) { o.CellsChanged({row, column, row, column}); });
    return true;
}

std::uint32_t CCellGrid::GetItemFormat(int row, int column) const {
    const auto* cell = dynamic_cast<const CGridCell*>(GetCell(row, column));
    if (cell != nullptr && cell->GetFormat() != CellFormat::Default) {
        return cell->GetFormat();
    }
    return GetDefaultCell(row < m_fixedRows, column < m_fixedColumns).GetFormat();
}

bool CCellGrid::SetItemState(int row, int column, std::uint32_t state) {
    CGridCellBase* cell = GetCell(row, column);
    if (cell == nullptr) {
        return false;
    }
    cell->SetState(state);
    Tell([row, column](ICellObserver& o) { o.CellsChanged({row, column, row, column}); });
    return true;
}

std::uint32_t CCellGrid::GetItemState(int row, int column) const {
    const CGridCellBase* cell = GetCell(row, column);
    if (cell == nullptr) {
        return 0;
    }
    std::uint32_t state = cell->GetState();
    if (row < m_fixedRows) {
        state |= CellState::Fixed | CellState::FixedRow;
    }
    if (column < m_fixedColumns) {
        state |= CellState::Fixed | CellState::FixedColumn;
    }
    return state;
}

bool CCellGrid::IsCellEditable(int row, int column) const {
    if (!m_editable || !IsValid(row, column) || row < m_fixedRows || column < m_fixedColumns) {
        return false;
    }
    return (GetItemState(row, column) & CellState::ReadOnly) == 0;
}

bool CCellGrid::SetColumnWidth(int column, int width) {
    if (width < 0 || column < 0 || column >= m_columns) {
        return false;
    }
    m_columnWidths[static_cast<std::size_t>(column)] = width;
    Tell([](ICellObserver& o) { o.SizesChanged(); });
    return true;
}

int CCellGrid::GetColumnWidth(int column) const {
    return column >= 0 && column < m_columns ? m_columnWidths[static_cast<std::size_t>(column)] : 0;
}

bool CCellGrid::SetRowHeight(int row, int height) {
    if (height < 0 || row < 0 || row >= m_rows) {
        return false;
    }
    m_rowHeights[static_cast<std::size_t>(row)] = height;
    Tell([](ICellObserver& o) { o.SizesChanged(); });
    return true;
}

int CCellGrid::GetRowHeight(int row) const {
    return row >= 0 && row < m_rows ? m_rowHeights[static_cast<std::size_t>(row)] : 0;
}

int CCellGrid::EffectiveMargin(int row, int column) const {
    const auto* cell = dynamic_cast<const CGridCell*>(GetCell(row, column));
    if (cell != nullptr && cell->GetMargin() >= 0) {
        return cell->GetMargin();
    }
    return std::max(GetDefaultCell(row < m_fixedRows, column < m_fixedColumns).GetMargin(), 0);
}

// A text cell measures its text plus four margins wide and two margins high; a check cell a
// square of its box plus two margins.
CellExtent CCellGrid::GetCellExtent(int row, int column) const {
    return GetCellExtent(row, column, *m_measure);
}

CellExtent CCellGrid::GetCellExtent(int row, int column, const ICellMeasure& measure) const {
    const CGridCellBase* cell = GetCell(row, column);
    if (cell == nullptr) {
        return {};
    }
    const int margin = EffectiveMargin(row, column);
    if (dynamic_cast<const CGridCellCheck*>(cell) != nullptr) {
        const int side = measure.CheckBoxSide() + 2 * margin;
        return {side, side};
    }
    const auto* textCell = dynamic_cast<const CGridCell*>(cell);
    const CellExtent text =
        measure.TextExtent(cell->GetText(), textCell != nullptr ? textCell->GetFont() : nullptr);
    return {text.width + 4 * margin, text.height + 2 * margin};
}

void CCellGrid::AutoSizeColumn(int column, AutoSizeStyle style) {
    AutoSizeColumn(column, style, *m_measure);
}

void CCellGrid::AutoSizeColumn(int column, AutoSizeStyle style, const ICellMeasure& measure) {
    if (column < 0 || column >= m_columns || GetColumnWidth(column) == 0) {
        return;
    }
    const int first = style == AutoSizeStyle::Data ? m_fixedRows : 0;
    const int last = style == AutoSizeStyle::Header ? m_fixedRows : m_rows;
    int width = 0;
    for (int r = first; r < last; ++r) {
        width = std::max(width, GetCellExtent(r, column, measure).width);
    }
    SetColumnWidth(column, width);
}

CGridDefaultCell& CCellGrid::GetDefaultCell(bool fixedRow, bool fixedColumn) {
    return m_defaultCells[(fixedRow ? 1u : 0u) + (fixedColumn ? 2u : 0u)];
}

const CGridDefaultCell& CCellGrid::GetDefaultCell(bool fixedRow, bool fixedColumn) const {
    return m_defaultCells[(fixedRow ? 1u : 0u) + (fixedColumn ? 2u : 0u)];
}

} // namespace tillora
