#pragma once

class QWidget;

namespace tillora {

class CCommands;
class CKassivoView;
class IFeedback;

// Binds find (57636, Ctrl+F), find next (32785, F3), find previous (32786, Alt+F3) and go to row
// (32780, Ctrl+G) to the current table of the view. The dialogs open over the window; messages go
// through the feedback. An edit in progress is committed before the focus cell moves.
void BindFindCommands(CCommands& commands, CKassivoView& view, IFeedback& feedback,
                      QWidget* window);

// The commands one by one, as the bound actions run them.
void OnEditFind(CKassivoView& view, IFeedback& feedback, QWidget* window);
void OnFindNext(CKassivoView& view, IFeedback& feedback);
void OnFindPrevious(CKassivoView& view, IFeedback& feedback);
void OnGoToRow(CKassivoView& view, IFeedback& feedback, QWidget* window);

} // namespace tillora
