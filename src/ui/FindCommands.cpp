#include "ui/FindCommands.h"

#include "tables/Find.h"
#include "tables/GoToRow.h"
#include "ui/Commands.h"
#include "ui/FindDialog.h"
#include "ui/GoToRowDialog.h"
#include "ui/KassivoView.h"
#include "ui/TableGrid.h"

namespace tillora {

void OnEditFind(CKassivoView& view, IFeedback& feedback, QWidget* window) {
    CTableGrid& grid = view.CurrentGrid();
    CFindDialog dialog(window);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    FindFirst(grid, feedback, TheLastSearch(), dialog.Text(), dialog.MatchCase(),
              dialog.SelectedOnly());
}

void OnFindNext(CKassivoView& view, IFeedback& feedback) {
    CTableGrid& grid = view.CurrentGrid();
    FindNext(grid, feedback, TheLastSearch());
}

void OnFindPrevious(CKassivoView& view, IFeedback& feedback) {
    CTableGrid& grid = view.CurrentGrid();
    FindPrevious(grid, feedback, TheLastSearch());
}

void OnGoToRow(CKassivoView& view, IFeedback& feedback, QWidget* window) {
    CTableGrid& grid = view.CurrentGrid();
    CGoToRowDialog dialog(DataRowCount(grid), feedback, window);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    GoToRow(grid, dialog.Row());
}

void BindFindCommands(CCommands& commands, CKassivoView& view, IFeedback& feedback,
                      QWidget* window) {
    commands.Bind(cmd::EditFind,
                  [&view, &feedback, window] { OnEditFind(view, feedback, window); });
    commands.Bind(cmd::FindNext, [&view, &feedback] { OnFindNext(view, feedback); });
    commands.Bind(cmd::FindPrevious, [&view, &feedback] { OnFindPrevious(view, feedback); });
    commands.Bind(cmd::GoToRow, [&view, &feedback, window] { OnGoToRow(view, feedback, window); });
}

} // namespace tillora
