#include "tables/EditHistory.h"

#include <utility>

namespace tillora {

void CEditHistory::Push(Step step) {
    m_steps.resize(m_done);
    m_steps.push_back(std::move(step));
    m_done = m_steps.size();
}

void CEditHistory::Clear() {
    m_steps.clear();
    m_done = 0;
}

const CEditHistory::Step* CEditHistory::Undo() {
    if (!CanUndo()) {
        return nullptr;
    }
    return &m_steps[--m_done];
}

const CEditHistory::Step* CEditHistory::Redo() {
    if (!CanRedo()) {
        return nullptr;
    }
    return &m_steps[m_done++];
}

} // namespace tillora
