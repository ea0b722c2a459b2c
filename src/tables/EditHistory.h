#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tillora {

// One cell's text before and after a change, both as the cell stored them. A toggled check box
// is not a change of the text, so it does not mark the cell modified, neither then nor on undo.
struct CellEdit {
    int row;
    int column;
    std::string before;
    std::string after;
    bool marksModified = true;
};

// The undo and redo history of one grid: one step per edit, paste, cut, delete, clear, file read
// or import. A new step drops the steps that were undone.
class CEditHistory {
public:
    using Step = std::vector<CellEdit>;

    void Push(Step step);
    void Clear();
    bool CanUndo() const { return m_done > 0; }
    bool CanRedo() const { return m_done < m_steps.size(); }
    // The steps that undo would take back.
    std::size_t UndoCount() const { return m_done; }

    // The step to take back, or null when there is none; it counts as undone.
    const Step* Undo();
    // The step to apply again, or null when there is none; it counts as done.
    const Step* Redo();

private:
    std::vector<Step> m_steps;
    std::size_t m_done = 0;
};

} // namespace tillora
