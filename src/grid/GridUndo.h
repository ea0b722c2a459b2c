#pragma once

#include <QUndoCommand>

#include <functional>
#include <string>
#include <vector>

namespace tillora {

// One cell's text before and after a change, both as the cell stored them.
struct CellEdit {
    int row;
    int column;
    std::string before;
    std::string after;
};

// One user action on the grid's texts: a typed cell, a paste, a cut, a Delete, a toggle. It is
// pushed after the texts were set, so its first redo does nothing.
class CCellEditsCommand final : public QUndoCommand {
public:
    // Puts the texts back into the cells: the after texts on redo, the before texts on undo.
    using Apply = std::function<void(const std::vector<CellEdit>& edits, bool undo)>;

    CCellEditsCommand(std::vector<CellEdit> edits, Apply apply);
    void undo() override;
    void redo() override;

private:
    std::vector<CellEdit> m_edits;
    Apply m_apply;
    bool m_applied = true;
};

} // namespace tillora
