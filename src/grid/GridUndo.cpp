#include "grid/GridUndo.h"

#include <utility>

namespace tillora {

CCellEditsCommand::CCellEditsCommand(std::vector<CellEdit> edits, Apply apply)
    : m_edits(std::move(edits)), m_apply(std::move(apply)) {}

void CCellEditsCommand::undo() {
    m_apply(m_edits, true);
    m_applied = false;
}

void CCellEditsCommand::redo() {
    if (!m_applied) {
        m_apply(m_edits, false);
        m_applied = true;
    }
}

} // namespace tillora
