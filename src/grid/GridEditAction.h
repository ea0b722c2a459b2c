#pragma once

#include "grid/GridCtrl.h"

namespace tillora {

// Brackets one user action; nested actions join the outer one.
class CEditAction {
public:
    explicit CEditAction(CGridCtrl& grid) : m_grid(grid) { m_grid.BeginAction(); }
    ~CEditAction() { m_grid.EndAction(); }
    CEditAction(const CEditAction&) = delete;
    CEditAction& operator=(const CEditAction&) = delete;

private:
    CGridCtrl& m_grid;
};

} // namespace tillora
